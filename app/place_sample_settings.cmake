# Puts the sample settings file beside the built program, unless the user's own file is there.
# Usage: cmake -DSAMPLE=<sample file> -DDESTINATION=<settings file> -P place_sample_settings.cmake
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SAMPLE}" "${DESTINATION}")
endif()
