# Fuzz targets: one libFuzzer program for every reader of text from outside
# the program (list files, the registry, hotkey names, numbers), built with
# clang and both sanitizers. The layers and the fake desktop are built the
# same way so that a fault inside them stops the run where it happens.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "The fuzz targets need clang and its libFuzzer (the fuzz preset sets clang++)")
endif()

include(cmake/fake.cmake)

target_compile_options(tapfinch_warnings INTERFACE -fsanitize=fuzzer-no-link,address,undefined
                                                   -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_link_options(tapfinch_warnings INTERFACE -fsanitize=address,undefined)

# The seed corpus in the repository is only read: ctest's short runs write
# what they find into a folder of their own, emptied before each run.
set(TAPFINCH_FUZZ_WORK ${CMAKE_BINARY_DIR}/ctest-corpus)
set(TAPFINCH_FUZZ_CRASHES ${CMAKE_BINARY_DIR}/crashes)

# tapfinch_fuzz_target(name runs library...): tests/fuzz/<name>.cpp becomes
# fuzz_<name>, and ctest runs it for that many inputs (ten seconds at most)
# from tests/fuzz/corpus/<name>/.
function(tapfinch_fuzz_target name runs)
  add_executable(fuzz_${name} tests/fuzz/${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE ${ARGN} tapfinch_warnings)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)

  add_test(NAME fuzz.${name}.prepare
           COMMAND ${CMAKE_COMMAND} -E rm -rf ${TAPFINCH_FUZZ_WORK}/${name})
  add_test(NAME fuzz.${name}.folders
           COMMAND ${CMAKE_COMMAND} -E make_directory ${TAPFINCH_FUZZ_WORK}/${name} ${TAPFINCH_FUZZ_CRASHES})
  set_tests_properties(fuzz.${name}.prepare PROPERTIES FIXTURES_SETUP fuzz_${name}_work)
  set_tests_properties(fuzz.${name}.folders PROPERTIES FIXTURES_SETUP fuzz_${name}_work DEPENDS fuzz.${name}.prepare)
  add_test(NAME fuzz.${name}
           COMMAND fuzz_${name} -runs=${runs} -max_total_time=10 -timeout=10 -print_final_stats=1
                   -artifact_prefix=${TAPFINCH_FUZZ_CRASHES}/${name}-
                   ${TAPFINCH_FUZZ_WORK}/${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
  set_tests_properties(fuzz.${name} PROPERTIES FIXTURES_REQUIRED fuzz_${name}_work LABELS fuzz TIMEOUT 120)
endfunction()

tapfinch_fuzz_target(conversions 50000 tapfinch_framework)
tapfinch_fuzz_target(shortcut 10000 tapfinch_hotkeys tapfinch_fake)
tapfinch_fuzz_target(list_file 10000 tapfinch_engine tapfinch_fake)
tapfinch_fuzz_target(settings 10000 tapfinch_settings tapfinch_fake)
