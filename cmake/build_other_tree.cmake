# cmake -DSOURCE=TREE -DPRESET=NAME -DBUILD=DIR -DTARGET=NAME -P build_other_tree.cmake
# Brings one target of another build DIR of this tree up to date, and only that
# target: the rest of that build is left to its own preset. A build never
# configured is configured first, in DIR, by the preset NAME.
if(NOT EXISTS ${BUILD}/CMakeCache.txt)
  execute_process(
    COMMAND ${CMAKE_COMMAND} --preset ${PRESET} -B ${BUILD}
    WORKING_DIRECTORY ${SOURCE}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# Run from a make rule, this build has no share of the outer make's job slots:
# it runs one job at a time beside them, without warning about it.
unset(ENV{MAKEFLAGS})
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${TARGET}
                COMMAND_ERROR_IS_FATAL ANY)
