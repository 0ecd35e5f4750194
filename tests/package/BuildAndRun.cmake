# Configures and builds an example project against the installed package in a fresh build folder, then runs
# PROGRAM with ARGS under Wine; any step's failure fails the test with that step's output.
function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}):\n${output}")
    endif()
    message("${output}")
endfunction()

file(REMOVE_RECURSE ${BINARY})
run_step("configure" ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
         -DCMAKE_PREFIX_PATH=${PREFIX} -DCMAKE_BUILD_TYPE=Release)
run_step("build" ${CMAKE_COMMAND} --build ${BINARY} -j2)
run_step("run" bash ${WINE_RUN} ${WINE_PREFIX} ${BINARY}/${PROGRAM} ${ARGS})
