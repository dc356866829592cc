# Turns the manual's Markdown into one HTML page the desktop's browser opens.
# Usage: cmake -DCMARK=<cmark> -DSOURCE=<manual.md> -DOUTPUT=<page.html> -P build_manual.cmake
execute_process(COMMAND "${CMARK}" --to html "${SOURCE}"
    OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmark could not convert ${SOURCE}")
endif()
file(WRITE "${OUTPUT}" "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Norvalis user manual</title>
<style>
body { font-family: sans-serif; max-width: 42em; margin: 2em auto; padding: 0 1em; line-height: 1.5; }
pre { background: #f4f4f4; padding: 0.5em; overflow-x: auto; }
</style>
</head>
<body>
${body}</body>
</html>
")
