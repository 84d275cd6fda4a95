# libFuzzer targets (scripts/fuzz): one program per entry of kTargets in
# tests/fuzz/harnesses.cpp, built with clang, the platform-neutral code
# instrumented alike. Sanitizer reports abort, so a finding stops the run.
set(DWL_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g -O1)
target_compile_options(dwl_core PRIVATE ${DWL_SANITIZE} -fsanitize=fuzzer-no-link)
set(DWL_FUZZ_TARGETS scenario_file entry command)
set(index 0)
foreach(name ${DWL_FUZZ_TARGETS})
  add_executable(fuzz_${name} tests/fuzz/harnesses.cpp)
  target_include_directories(fuzz_${name} PRIVATE tests)
  target_compile_definitions(fuzz_${name} PRIVATE DWL_FUZZ_TARGET=${index})
  target_compile_options(fuzz_${name} PRIVATE ${DWL_WARNINGS} ${DWL_SANITIZE} -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE dwl_core)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  math(EXPR index "${index} + 1")
endforeach()
