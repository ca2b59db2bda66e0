# tart's fuzz target: the listing over arbitrary standard input, in memory.
trev_fuzzer(fuzz_tart
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tart_fuzz.cpp
  LIBS tart_core trev_common)
