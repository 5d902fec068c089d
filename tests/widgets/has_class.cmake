# Fails unless the program PROGRAM carries the run-time class information of
# class CLASS (so the class can be created by name in it). Run with cmake -P.
execute_process(COMMAND ${NM} -C ${PROGRAM} OUTPUT_VARIABLE symbols RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} could not read ${PROGRAM}")
endif()
string(FIND "${symbols}" "${CLASS}::ms_classInfo" found)
if(found EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} does not carry class ${CLASS}")
endif()
