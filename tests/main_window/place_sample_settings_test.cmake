# The build's sample settings file lands beside the program only where there is none: a file
# the user has edited is never replaced.
# Usage: cmake -DSCRIPT=<place_sample_settings.cmake> -DWORK_DIR=<scratch dir> -P this file
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/sample.ini" "[Period]\nP_1=Sample\n")

function(place)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSAMPLE=${WORK_DIR}/sample.ini
                            -DDESTINATION=${WORK_DIR}/Norvalis.ini -P ${SCRIPT}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "placing the sample failed: ${result}")
    endif()
endfunction()

place()
file(READ "${WORK_DIR}/Norvalis.ini" placed)
if(NOT placed STREQUAL "[Period]\nP_1=Sample\n")
    message(FATAL_ERROR "no settings file: the sample was not placed (got '${placed}')")
endif()

file(WRITE "${WORK_DIR}/Norvalis.ini" "[Period]\nP_1=Mine\n")
place()
file(READ "${WORK_DIR}/Norvalis.ini" kept)
if(NOT kept STREQUAL "[Period]\nP_1=Mine\n")
    message(FATAL_ERROR "the user's settings file was replaced (got '${kept}')")
endif()
