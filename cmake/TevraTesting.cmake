# Test helpers shared by every test folder.
include(CTest)

if(BUILD_TESTING)
  # GoogleTest is built from Debian's sources so that the same library serves
  # the native, sanitized and MinGW builds with the flags of each.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  include(GoogleTest)
  # GoogleTest's own speed does not matter to a test run, and it is not what the
  # sanitizers are for; its compile time did matter.
  foreach(lib IN ITEMS gtest gtest_main)
    target_compile_options(${lib} PRIVATE -O0 -fno-sanitize=all)
  endforeach()
endif()

# tevra_reuse_test_headers(TARGET): TARGET compiles with the tests' precompiled
# header, the one TEVRA_TEST_HEADERS names where it is set (tests/CMakeLists.txt).
function(tevra_reuse_test_headers target)
  if(NOT TEVRA_TEST_HEADERS)
    set(TEVRA_TEST_HEADERS tevra_test_headers)
  endif()
  target_precompile_headers(${target} REUSE_FROM ${TEVRA_TEST_HEADERS})
endfunction()

# tevra_add_test(NAME SOURCES... LIBS...): one GoogleTest program whose cases are
# listed when ctest runs (natively, or through Wine for the MinGW build).
function(tevra_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  tevra_reuse_test_headers(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120)
endfunction()

# tevra_add_test_pictures(NAME PICTURE...): an object library whose resources are
# test pictures stored as the player stores them (see
# tests/support/make_test_pictures.py for PICTURE); link it with
# $<TARGET_OBJECTS:NAME>.
function(tevra_add_test_pictures name)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(generator ${PROJECT_SOURCE_DIR}/tests/support/make_test_pictures.py)
  add_custom_command(
    OUTPUT ${dir}/pictures.rc
    COMMAND Python3::Interpreter ${generator} ${dir} ${ARGN}
    DEPENDS ${generator}
    COMMENT "Drawing the test pictures ${name}"
    VERBATIM)
  add_library(${name} OBJECT ${dir}/pictures.rc)
endfunction()
