# Shared build helpers.

# Warnings on our own code; `make check` makes them errors.
option(TREV_WERROR "Treat compiler warnings as errors" OFF)
set(TREV_WARNINGS -Wall -Wextra)
if(TREV_WERROR)
  list(APPEND TREV_WARNINGS -Werror)
endif()

function(trev_target_defaults target)
  target_compile_options(${target} PRIVATE ${TREV_WARNINGS})
endfunction()

# Where the app-defaults files are installed (and so where the programs find
# them): /etc/X11/app-defaults for the prefix /usr, <prefix>/etc/X11/app-defaults
# otherwise.  It follows the prefix until it is set by hand.
set(trev_ad_default "${CMAKE_INSTALL_FULL_SYSCONFDIR}/X11/app-defaults")
if(NOT DEFINED TREV_APPDEFAULTS_DIR OR TREV_APPDEFAULTS_DIR STREQUAL "${TREV_APPDEFAULTS_DIR_FROM_PREFIX}")
  set(TREV_APPDEFAULTS_DIR "${trev_ad_default}" CACHE PATH "Directory of the installed app-defaults files" FORCE)
endif()
set(TREV_APPDEFAULTS_DIR_FROM_PREFIX "${trev_ad_default}" CACHE INTERNAL "")

# X11 / Motif libraries, found once.
find_package(X11 REQUIRED)
find_library(MOTIF_XM_LIBRARY Xm REQUIRED)
find_path(MOTIF_INCLUDE_DIR Xm/Xm.h REQUIRED)
if(NOT TARGET Trev::Motif)
  add_library(Trev::Motif INTERFACE IMPORTED)
  target_include_directories(Trev::Motif INTERFACE ${MOTIF_INCLUDE_DIR} ${X11_INCLUDE_DIR})
  target_link_libraries(Trev::Motif INTERFACE ${MOTIF_XM_LIBRARY} ${X11_Xt_LIB} ${X11_X11_LIB})
endif()

# trev_app_defaults(<target> <ad-file> <symbol>)
# Turns an X app-defaults file into a generated C++ source that defines
# `String <symbol>[]`, a NULL-terminated fallback resource array, and adds it
# to <target>.  The app-defaults file stays the single source of the look.
function(trev_app_defaults target adfile symbol)
  get_filename_component(ad_abs ${adfile} ABSOLUTE)
  get_filename_component(ad_name ${adfile} NAME_WE)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${ad_name}_fallback.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND trev_ad2c ${ad_abs} ${out} ${symbol}
    DEPENDS ${ad_abs} trev_ad2c
    COMMENT "Generating fallback resources ${symbol} from ${adfile}")
  target_sources(${target} PRIVATE ${out})
endfunction()

# trev_fuzzer(<name> <sources...> LIBS <libs...>): a libFuzzer target, only in
# the fuzzing build.
function(trev_fuzzer name)
  if(NOT TREV_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${F_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  add_dependencies(fuzzers ${name})
endfunction()
