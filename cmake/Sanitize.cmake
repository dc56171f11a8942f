# The sanitizer build (scripts/test's second build folder): clang with
# AddressSanitizer and UndefinedBehaviorSanitizer on every library, test and
# fuzz target, and libFuzzer's coverage instrumentation, so that one build
# folder holds both the test suite and the fuzz targets (fuzz/).
# A finding of either sanitizer ends the program with an error.
option(MARVOK_SANITIZE "Build with AddressSanitizer, UndefinedBehaviorSanitizer and fuzzing instrumentation" OFF)
if(NOT MARVOK_SANITIZE)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "MARVOK_SANITIZE needs clang (CMAKE_CXX_COMPILER=clang++)")
endif()
# Light optimisation and line tables only: fast enough to run the suite, and
# every report still names file and line.
set(CMAKE_BUILD_TYPE Sanitize CACHE STRING "" FORCE)
set(CMAKE_BUILD_TYPE Sanitize)
set(CMAKE_CXX_FLAGS_SANITIZE "-O1 -gline-tables-only")
add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined)
