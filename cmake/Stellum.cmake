# Helpers shared by every folder's CMakeLists.txt.

option(STELLUM_WERROR "Treat warnings as errors" ON)
set(STELLUM_WARNINGS -Wall -Wextra -Wshadow)
if(STELLUM_WERROR)
  list(APPEND STELLUM_WARNINGS -Werror)
endif()

# The fuzz targets (<folder>/fuzz/*.cpp) as programs: the whole tree built once with clang,
# libFuzzer's coverage and AddressSanitizer, in a build directory of its own (scripts/fuzz.sh
# makes it). Without this option the targets are still compiled, with the project's warnings,
# so that a target that no longer builds fails the ordinary build.
option(STELLUM_BUILD_FUZZ "Build the fuzz targets with libFuzzer and AddressSanitizer (clang)" OFF)
if(STELLUM_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "STELLUM_BUILD_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  add_compile_options(-O1 -fsanitize=fuzzer-no-link,address -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address)
  add_custom_target(stellum_fuzz)
endif()

# stellum_library(<target> [DIRS dir...] [DEPS target...] [QT])
# A static library from every .cpp in the listed directories (default: the current one),
# with the project root on its include path, so headers are included as "astro/Angle.h".
function(stellum_library target)
  cmake_parse_arguments(ARG "" "" "DIRS;DEPS" ${ARGN})
  if(NOT ARG_DIRS)
    set(ARG_DIRS .)
  endif()
  set(sources)
  foreach(d ${ARG_DIRS})
    file(GLOB s CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp")
    list(APPEND sources ${s})
  endforeach()
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${CMAKE_SOURCE_DIR}")
    target_compile_options(${target} PRIVATE ${STELLUM_WARNINGS})
    target_link_libraries(${target} PUBLIC ${ARG_DEPS})
    set_property(GLOBAL APPEND PROPERTY STELLUM_LIBRARIES ${target})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${CMAKE_SOURCE_DIR}")
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# stellum_tests(<prefix> [DIR dir] LIBS target...)
# One test program per folder (<prefix>_tests) from every tests/*.cpp file: link time grows with
# every program that links Qt. Tests run offscreen, with the raw catalogues at STELLUM_RAW_DATA,
# the built program directory at STELLUM_PROGRAM_DIR and the source tree at STELLUM_SOURCE_DIR.
# Each program also runs once more as a whole, shuffled and repeated, so that a test that
# depends on the order tests run in fails.
function(stellum_tests prefix)
  if(NOT STELLUM_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "DIR" "LIBS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR tests)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp")
  if(NOT tests)
    return()
  endif()
  set(exe ${prefix}_tests)
  add_executable(${exe} ${tests})
  set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  target_compile_options(${exe} PRIVATE ${STELLUM_WARNINGS})
  target_compile_definitions(${exe} PRIVATE STELLUM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(${exe} PRIVATE ${ARG_LIBS} stellum_testsupport GTest::gtest GTest::gmock)
  # The environment goes in through env(1): gtest_discover_tests splits a list-valued
  # ENVIRONMENT property into separate properties, which would pass only its first entry.
  set(environment env QT_QPA_PLATFORM=offscreen STELLUM_RAW_DATA=${STELLUM_RAW_DATA}
      STELLUM_PROGRAM_DIR=${STELLUM_PROGRAM_DIR})
  set_target_properties(${exe} PROPERTIES CROSSCOMPILING_EMULATOR "${environment}")
  gtest_discover_tests(${exe}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  add_test(NAME ${exe}.shuffled_repeated
    COMMAND ${environment} $<TARGET_FILE:${exe}> --gtest_shuffle --gtest_repeat=2
            --gtest_brief=1
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
endfunction()

# stellum_benchmark(<name> <source> LIBS target...)
function(stellum_benchmark name source)
  if(NOT STELLUM_BUILD_BENCH)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${source})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
  target_compile_options(${name} PRIVATE ${STELLUM_WARNINGS})
  target_compile_definitions(${name} PRIVATE STELLUM_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY STELLUM_BENCHMARKS ${name})
endfunction()

# stellum_real_display_test(<name> FILTER <gtest filter> PROGRAMS target...)
# Runs the named test programs' tests of the filter on a real X display with a window manager
# (scripts/real_display.sh starts both), as one test: the windows as a user's desktop shows them.
function(stellum_real_display_test name)
  if(NOT STELLUM_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "FILTER" "PROGRAMS" ${ARGN})
  set(programs)
  foreach(p ${ARG_PROGRAMS})
    list(APPEND programs $<TARGET_FILE:${p}>)
  endforeach()
  add_test(NAME ${name}
    COMMAND env STELLUM_RAW_DATA=${STELLUM_RAW_DATA} STELLUM_PROGRAM_DIR=${STELLUM_PROGRAM_DIR}
            bash "${CMAKE_SOURCE_DIR}/scripts/real_display.sh" "${ARG_FILTER}" ${programs}
    WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
endfunction()

# stellum_fuzz_targets(LIBS target...)
# One fuzz program per fuzz/*.cpp of the current folder, named after its source, in
# <build>/fuzz, when STELLUM_BUILD_FUZZ is on; otherwise the sources are compiled (not linked)
# as one object library with the project's warnings.
function(stellum_fuzz_targets)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*.cpp")
  if(NOT sources)
    return()
  endif()
  if(STELLUM_BUILD_FUZZ)
    foreach(src ${sources})
      get_filename_component(name ${src} NAME_WE)
      add_executable(${name} ${src})
      set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
      target_compile_options(${name} PRIVATE ${STELLUM_WARNINGS})
      target_link_options(${name} PRIVATE -fsanitize=fuzzer)
      target_link_libraries(${name} PRIVATE ${ARG_LIBS})
      add_dependencies(stellum_fuzz ${name})
    endforeach()
  else()
    file(RELATIVE_PATH folder "${CMAKE_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    string(MAKE_C_IDENTIFIER "${folder}" prefix)
    add_library(${prefix}_fuzz_sources OBJECT ${sources})
    target_compile_options(${prefix}_fuzz_sources PRIVATE ${STELLUM_WARNINGS})
    target_link_libraries(${prefix}_fuzz_sources PRIVATE ${ARG_LIBS})
  endif()
endfunction()

# stellum_header_check()
# Every header of the source tree compiles alone: one generated source per header that
# includes it twice (so a missing include guard shows too), all compiled, unoptimised, as one
# object library with the project's warnings. Build trees and hidden folders are skipped.
function(stellum_header_check)
  file(GLOB entries RELATIVE "${CMAKE_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/*")
  set(headers)
  foreach(entry ${entries})
    if(IS_DIRECTORY "${CMAKE_SOURCE_DIR}/${entry}" AND NOT entry MATCHES "^\\."
       AND NOT EXISTS "${CMAKE_SOURCE_DIR}/${entry}/CMakeCache.txt")
      file(GLOB_RECURSE found CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}"
           "${CMAKE_SOURCE_DIR}/${entry}/*.h")
      list(APPEND headers ${found})
    endif()
  endforeach()
  if(NOT STELLUM_BUILD_TESTS)
    # The tests' headers need the test framework.
    list(FILTER headers EXCLUDE REGEX "/(tests|testsupport)/")
  endif()
  set(sources)
  foreach(header ${headers})
    string(MAKE_C_IDENTIFIER "${header}" name)
    set(source "${CMAKE_BINARY_DIR}/header_check/${name}.cpp")
    file(CONFIGURE OUTPUT "${source}" CONTENT "#include \"${header}\"\n#include \"${header}\"\n" @ONLY)
    list(APPEND sources "${source}")
  endforeach()
  add_library(stellum_header_check OBJECT ${sources})
  target_include_directories(stellum_header_check PRIVATE "${CMAKE_SOURCE_DIR}")
  target_compile_options(stellum_header_check PRIVATE ${STELLUM_WARNINGS} -O0 -g0)
  target_link_libraries(stellum_header_check PRIVATE Qt6::Widgets Qt6::PrintSupport ZLIB::ZLIB)
  if(STELLUM_BUILD_TESTS)
    target_link_libraries(stellum_header_check PRIVATE GTest::gtest GTest::gmock)
  endif()
endfunction()
