# tevra_add_quiz(NAME DIR [DEPENDS FILE...]): the player executable NAME.exe,
# carrying the quiz of DIR/quiz.toml and the media files beside it. DEPENDS
# names files of DIR that the build itself makes (generated media).
#
# The packer runs on the build machine. A native build uses its own tevra-pack;
# a cross build takes the one of the native build of this tree named by
# TEVRA_PACK_BUILD (the win64 preset names build/native), which it configures
# when missing and asks for tevra-pack only. That packer carries the player of
# a Windows build (with the presets, this one), so it is asked only once the
# player here is built: it then finds the player up to date rather than build
# it beside this build.
if(CMAKE_CROSSCOMPILING)
  set(TEVRA_PACK_BUILD "" CACHE PATH
      "Native build of this tree whose tevra-pack packs the quizzes (configured there when missing)")
  if(NOT TEVRA_PACK_BUILD)
    message(FATAL_ERROR "A cross build packs its quizzes with the tevra-pack of a native build: "
                        "name one with TEVRA_PACK_BUILD (the win64 preset does)")
  endif()
  set(TEVRA_HOST_PACK ${TEVRA_PACK_BUILD}/tools/tevra-pack)
  # Always run: the native build's own rules decide whether the packer is stale.
  add_custom_target(tevra_host_pack
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR} -DPRESET=native
            -DBUILD=${TEVRA_PACK_BUILD} -DTARGET=tevra-pack
            -P ${PROJECT_SOURCE_DIR}/cmake/build_other_tree.cmake
    BYPRODUCTS ${TEVRA_HOST_PACK}
    COMMENT "Bringing the tevra-pack of ${TEVRA_PACK_BUILD} up to date"
    VERBATIM)
  add_dependencies(tevra_host_pack tevra)
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
  # Everything in the quiz's folder: the toml and the files it names. A folder
  # of the build tree holds the toml and what the build makes there (DEPENDS):
  # watching it would find those new after every build and configure again,
  # even in the middle of one (the packer's build looks at this build's player).
  cmake_path(IS_PREFIX CMAKE_BINARY_DIR ${dir} made_here)
  if(made_here)
    set(inputs ${dir}/quiz.toml)
  else()
    file(GLOB_RECURSE inputs CONFIGURE_DEPENDS ${dir}/*)
  endif()
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
