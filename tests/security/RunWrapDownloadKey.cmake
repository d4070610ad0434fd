# Runs wrap-download-key with ARGS (a ;-list) and checks its exit status and output:
#   cmake -DTOOL=... -DARGS=... -DEXPECTED_EXIT=... -DEXPECTED_OUTPUT=<regex> -P this file
execute_process(COMMAND ${TOOL} ${ARGS}
                RESULT_VARIABLE exitStatus OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT exitStatus EQUAL EXPECTED_EXIT)
  message(FATAL_ERROR "exit status ${exitStatus}, expected ${EXPECTED_EXIT}\n${out}${err}")
endif()
if(NOT "${out}${err}" MATCHES "${EXPECTED_OUTPUT}")
  message(FATAL_ERROR "output does not match ${EXPECTED_OUTPUT}:\n${out}${err}")
endif()
