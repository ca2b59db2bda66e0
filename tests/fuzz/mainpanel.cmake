# Fuzzers of the X-free core of mainpanel: the status record as read from a
# form.status of any content, and the platform file parser.
trev_fuzzer(fuzz_mainpanel_status
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainpanel_status_fuzz.cpp LIBS mainpanel_core)
trev_fuzzer(fuzz_mainpanel_platform
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainpanel_platform_fuzz.cpp LIBS mainpanel_core)
trev_fuzzer(fuzz_mainpanel_catalogue
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainpanel_catalogue_fuzz.cpp LIBS mainpanel_core)
trev_fuzzer(fuzz_mainpanel_search
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainpanel_search_fuzz.cpp LIBS mainpanel_core)
trev_fuzzer(fuzz_mainpanel_devcheck
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/mainpanel_devcheck_fuzz.cpp LIBS mainpanel_core)
