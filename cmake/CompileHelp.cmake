# Compiles the help pages into one .chm file: cmake -DCHMCMD=... -DSOURCE=<help folder>
# -DWORK=<scratch folder> -DOUTPUT=<.chm path> -P CompileHelp.cmake
# chmcmd writes next to its project file and talks a lot, so it runs on a copy and its output
# is shown only when it fails.
file(REMOVE_RECURSE ${WORK})
file(COPY ${SOURCE}/ DESTINATION ${WORK})
execute_process(COMMAND ${CHMCMD} --no-html-scan Orvelle.hhp
    WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK}/Orvelle.chm)
    message(FATAL_ERROR "chmcmd could not compile the help:\n${output}")
endif()
file(COPY_FILE ${WORK}/Orvelle.chm ${OUTPUT})
