# Helpers that each test folder uses to declare its test programs.
# Host tests run natively; Win32 tests run under Wine (CMAKE_CROSSCOMPILING_EMULATOR).
if(NOT TARGET gtest_main)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()

# vantor_add_gtest(NAME SOURCES src... [LIBS lib...] [DATA_DIR dir])
# Builds one GoogleTest program and registers it with ctest. DATA_DIR is passed to
# the program in the environment variable VANTOR_TEST_DATA (as a Windows path under Wine).
function(vantor_add_gtest name)
  cmake_parse_arguments(ARG "" "DATA_DIR" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/testbin")
  add_test(NAME ${name} COMMAND ${name})
  set(env "")
  if(ARG_DATA_DIR)
    if(WIN32)
      set(env "VANTOR_TEST_DATA=Z:${ARG_DATA_DIR}")
    else()
      set(env "VANTOR_TEST_DATA=${ARG_DATA_DIR}")
    endif()
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 ENVIRONMENT "${env}")
endfunction()

# Adds every subfolder of DIR that has a CMakeLists.txt, so that each test area
# owns its folder and no shared list has to be edited to add one.
function(vantor_add_subfolders dir)
  file(GLOB children LIST_DIRECTORIES true CONFIGURE_DEPENDS "${dir}/*")
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      add_subdirectory("${child}")
    endif()
  endforeach()
endfunction()

# vantor_add_fuzzer(NAME SOURCES src... [LIBS lib...] SEEDS dir)
# A libFuzzer program (host build with clang). ctest runs it for a short time on
# its seed corpus; scripts/fuzz.sh NAME SECONDS runs it for longer.
function(vantor_add_fuzzer name)
  cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/fuzz")
  file(WRITE "${CMAKE_BINARY_DIR}/fuzz/${name}.seeds" "${ARG_SEEDS}")
  set(work "${CMAKE_BINARY_DIR}/fuzz-smoke/${name}")
  add_test(NAME ${name}_smoke
           COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                   $<TARGET_FILE:${name}> -max_total_time=30 -timeout=10
                   -artifact_prefix=${work}/ ${work} ${ARG_SEEDS})
  set_tests_properties(${name}_smoke PROPERTIES TIMEOUT 120)
  file(MAKE_DIRECTORY "${work}")
endfunction()
