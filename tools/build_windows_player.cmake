# cmake -DSOURCE=TREE -DBUILD=DIR -P build_windows_player.cmake
# Brings the player of the Windows build DIR of this tree up to date, and only
# the player: the rest of that build is left to its own preset. A build never
# configured is configured first, as the win64 preset does.
if(NOT EXISTS ${BUILD}/CMakeCache.txt)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G "Unix Makefiles"
            -DCMAKE_TOOLCHAIN_FILE=${SOURCE}/cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
# Run from a make rule, this build has no share of the outer make's job slots:
# it runs one job at a time beside them, without warning about it.
unset(ENV{MAKEFLAGS})
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target tevra
                COMMAND_ERROR_IS_FATAL ANY)
