vantel_add_bench(bench_ai ${CMAKE_CURRENT_LIST_DIR}/bench_ai.cc LIBS vantel_ai)
