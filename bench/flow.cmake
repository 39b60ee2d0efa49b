# Simulated hands per second through the whole frame-by-frame flow, no drawing.
vantel_add_bench(bench_flow ${CMAKE_CURRENT_LIST_DIR}/bench_flow.cc LIBS vantel_sim_core)
