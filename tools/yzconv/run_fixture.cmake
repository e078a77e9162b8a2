# Runs the real yzconv on a fixture file and compares its output.
# -DYZCONV=<exe> [-DEMULATOR=<runner>] -DARGS=<a;b> -DINPUT=<file> -DEXPECT=<text>
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(
  COMMAND ${EMULATOR} ${YZCONV} ${args}
  INPUT_FILE ${INPUT}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "yzconv ${ARGS} exited with ${rc}: ${err}")
endif()
if(NOT out STREQUAL EXPECT)
  message(FATAL_ERROR "yzconv ${ARGS} wrote [${out}], expected [${EXPECT}]")
endif()
