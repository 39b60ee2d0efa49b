# Frame composition, the score page and picture loading, on the real pictures
# of the resource archive.
if(TARGET vantel_sim_shots AND TARGET vantel_sim_core)
  vantel_add_bench(bench_gfx ${CMAKE_CURRENT_LIST_DIR}/bench_gfx.cc LIBS vantel_sim_shots vantel_sim_core)
  target_compile_definitions(bench_gfx PRIVATE VANTEL_BENCH_PAK="${CMAKE_BINARY_DIR}/bin/res065.pak")
endif()
