# tevra_add_quiz(NAME DIR [DEPENDS FILE...]): the player executable NAME.exe,
# carrying the quiz of DIR/quiz.toml and the media files beside it. DEPENDS
# names files of DIR that the build itself makes (generated media).
#
# The packer runs on the build machine. A native build uses its own tevra-pack;
# a cross build configures this same source tree once more for the build
# machine and builds only tevra-pack there.
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(host_dir ${CMAKE_BINARY_DIR}/host-tools)
  set(TEVRA_HOST_PACK ${host_dir}/tools/tevra-pack)
  ExternalProject_Add(tevra_host_pack
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${host_dir}
    # The host packer only packs: it carries no player program (no
    # TEVRA_PLAYER_BUILD), so its build makes none.
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_CXX_COMPILER=g++
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${host_dir} --target tevra-pack
    INSTALL_COMMAND ""
    # The packer's sources are this tree's: let its own build decide what is stale.
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${TEVRA_HOST_PACK})
  set(TEVRA_PACK_DEPENDS tevra_host_pack ${TEVRA_HOST_PACK})
else()
  set(TEVRA_HOST_PACK $<TARGET_FILE:tevra-pack>)
  set(TEVRA_PACK_DEPENDS tevra-pack)
endif()

function(tevra_add_quiz name dir)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/${name}.quiz)
  set(script ${gen}/quiz.rc)
  set(builtin ${gen}/quiz_builtin.cpp)
  set(blocks ${gen}/block0.bin ${gen}/block104.bin ${gen}/block105.bin)
  # Everything in the quiz's folder: the toml and the files it names.
  file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${dir}/*)
  add_custom_command(
    OUTPUT ${script} ${builtin} ${blocks}
    COMMAND ${TEVRA_HOST_PACK} rc ${dir}/quiz.toml -o ${script}
    DEPENDS ${inputs} ${ARG_DEPENDS} ${TEVRA_PACK_DEPENDS}
    COMMENT "Packing the quiz ${name}"
    VERBATIM)
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${blocks}")

  # The target is prefixed so that a folder may share a name with any target
  # of the tree; the executable itself is named after the folder.
  add_executable(quiz_${name} WIN32 ${PROJECT_SOURCE_DIR}/app/main.cpp ${script} ${builtin})
  set_target_properties(quiz_${name} PROPERTIES OUTPUT_NAME ${name})
  target_link_libraries(quiz_${name} PRIVATE tevra_shell tevra_player_resources)
endfunction()
