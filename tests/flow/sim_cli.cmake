# Runs vantel-sim twice with the same seed and requires byte-identical traces
# and summaries, and a usage error (status 2) for a bad argument.
# Called with -DSIM=<vantel-sim> -DOUT=<scratch dir> -DARGS=<arguments, blank-separated>.
separate_arguments(ARGS UNIX_COMMAND "${ARGS}")
file(MAKE_DIRECTORY ${OUT})
foreach(run a b)
  execute_process(COMMAND ${SIM} ${ARGS} --trace ${OUT}/trace_${run}.jsonl
                  OUTPUT_FILE ${OUT}/summary_${run}.txt RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "vantel-sim ${ARGS} failed: ${rc}")
  endif()
endforeach()
foreach(f trace_a.jsonl:trace_b.jsonl summary_a.txt:summary_b.txt)
  string(REPLACE ":" ";" pair ${f})
  list(GET pair 0 one)
  list(GET pair 1 two)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${one} ${OUT}/${two}
                  RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${one} and ${two} differ")
  endif()
endforeach()
execute_process(COMMAND ${SIM} --hands nope RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 2 OR NOT err MATCHES "usage:")
  message(FATAL_ERROR "a bad argument gave status ${rc}: ${err}")
endif()
