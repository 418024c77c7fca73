# Helpers shared by every folder's CMakeLists.txt.

set(STELLUM_WARNINGS -Wall -Wextra)

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
# One test program per tests/*.cpp file (named <prefix>_<file>), so that a test file that does
# not build holds back only itself. Tests run offscreen, with the raw catalogues at
# STELLUM_RAW_DATA and the built program directory at STELLUM_PROGRAM_DIR.
function(stellum_tests prefix)
  if(NOT STELLUM_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "DIR" "LIBS" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR tests)
  endif()
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/${ARG_DIR}/*.cpp")
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    set(exe ${prefix}_${name})
    add_executable(${exe} ${src})
    set_target_properties(${exe} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    target_compile_options(${exe} PRIVATE ${STELLUM_WARNINGS})
    target_link_libraries(${exe} PRIVATE ${ARG_LIBS} stellum_testsupport GTest::gtest GTest::gmock)
    # The environment goes in through env(1): gtest_discover_tests splits a list-valued
    # ENVIRONMENT property into separate properties, which would pass only its first entry.
    set_target_properties(${exe} PROPERTIES CROSSCOMPILING_EMULATOR
      "env;QT_QPA_PLATFORM=offscreen;STELLUM_RAW_DATA=${STELLUM_RAW_DATA};STELLUM_PROGRAM_DIR=${STELLUM_PROGRAM_DIR}")
    gtest_discover_tests(${exe}
      DISCOVERY_MODE PRE_TEST
      WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
  endforeach()
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
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  set_property(GLOBAL APPEND PROPERTY STELLUM_BENCHMARKS ${name})
endfunction()
