vantel_add_bench(bench_expert ${CMAKE_CURRENT_LIST_DIR}/bench_expert.cc LIBS vantel_ai)
