# Runs COMMAND with ARGUMENTS (a list) and fails unless it ends with EXIT_CODE and its error output
# contains ERROR_TEXT.
execute_process(COMMAND ${COMMAND} ${ARGUMENTS} RESULT_VARIABLE result ERROR_VARIABLE errors)
message("${errors}")
if(NOT result STREQUAL "${EXIT_CODE}")
  message(FATAL_ERROR "${COMMAND} ended with ${result}, expected ${EXIT_CODE}")
endif()
string(FIND "${errors}" "${ERROR_TEXT}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the error output lacks \"${ERROR_TEXT}\"")
endif()
