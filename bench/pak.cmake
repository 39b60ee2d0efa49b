# Unpacking: the game's own archive, and archives of many entries up to and
# past the bound (a 20,000-entry archive must be refused or unpacked well under a
# second).
vantel_add_bench(bench_pak ${CMAKE_CURRENT_LIST_DIR}/bench_pak.cc LIBS vantel_pak_sdl vantel_pak)
target_compile_definitions(bench_pak PRIVATE VANTEL_BENCH_PAK="${CMAKE_BINARY_DIR}/bin/res065.pak")
