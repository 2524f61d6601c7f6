# Writes the checker's test maps into OUT with MAKER: a good, an interlaced, a too narrow
# and a truncated map.
foreach(args "good.gif;512;256" "interlaced.gif;512;256;--interlaced" "narrow.gif;1000;512"
             "truncated.gif;512;256;--truncated")
    list(GET args 0 name)
    list(SUBLIST args 1 -1 rest)
    execute_process(COMMAND ${MAKER} ${OUT}/${name} ${rest} RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "cannot write ${name}")
    endif()
endforeach()
