# cmake -DRUNNER=... -DARGS="a;b" -DSTATUS=n -DMATCH=regex -P exit_status.cmake:
# the runner's exit status must be STATUS and its stderr must match MATCH.
execute_process(COMMAND ${RUNNER} ${ARGS} RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}:\n${errors}")
endif()
if(NOT errors MATCHES "${MATCH}")
  message(FATAL_ERROR "stderr does not match '${MATCH}':\n${errors}")
endif()
