# ferrule's libFuzzer target: detection and the unscramble path over
# arbitrary first buffers.  Seeds: fuzz/fuzz_ferrule/.
trev_fuzzer(fuzz_ferrule
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ferrule_fuzz.cpp
  LIBS ferrule_core trev_common)
