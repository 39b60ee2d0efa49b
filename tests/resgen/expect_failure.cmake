# Runs PROGRAM with ARGS (a ;-list) and passes only when it exits with a
# non-zero status (not a crash) and prints a message matching MESSAGE on its
# error stream.
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE status ERROR_VARIABLE err
                OUTPUT_QUIET)
if(NOT status MATCHES "^[0-9]+$")
  message(FATAL_ERROR "${PROGRAM} did not exit normally: ${status}")
endif()
if(status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ${ARGS} succeeded; it should have failed")
endif()
if(NOT err MATCHES "${MESSAGE}")
  message(FATAL_ERROR "unexpected message from ${PROGRAM}: ${err}")
endif()
