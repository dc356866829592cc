# The build's sample settings file lands beside the program only where there is none: a file
# the user has edited is never replaced.
# Usage: cmake -DSCRIPT=<place_sample_settings.cmake> -DWORK_DIR=<scratch dir> -P this file
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/sample.ini" "[Period]\nP_1=Sample\n")

# Places the sample; the settings file must then hold `expected`.
function(place_and_expect expected why)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSAMPLE=${WORK_DIR}/sample.ini
                            -DDESTINATION=${WORK_DIR}/Norvalis.ini -P ${SCRIPT}
                    RESULT_VARIABLE result)
    file(READ "${WORK_DIR}/Norvalis.ini" placed)
    if(NOT result EQUAL 0 OR NOT placed STREQUAL expected)
        message(FATAL_ERROR "${why} (status ${result}, file '${placed}')")
    endif()
endfunction()

place_and_expect("[Period]\nP_1=Sample\n" "no settings file: the sample was not placed")
file(WRITE "${WORK_DIR}/Norvalis.ini" "[Period]\nP_1=Mine\n")
place_and_expect("[Period]\nP_1=Mine\n" "the user's settings file was replaced")
