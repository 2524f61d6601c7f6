# Runs COMMAND (a list: the tool and its arguments) and fails unless it exits with EXIT and
# prints, on standard output or error, something matching REGEX. CTest alone checks one or
# the other, not both.
execute_process(COMMAND ${COMMAND} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc STREQUAL "${EXIT}")
    message(FATAL_ERROR "exit status ${rc}, expected ${EXIT}; output:\n${out}")
endif()
if(NOT out MATCHES "${REGEX}")
    message(FATAL_ERROR "output does not match \"${REGEX}\":\n${out}")
endif()
