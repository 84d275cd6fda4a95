# Native Linux build: the unit tier, and the registration of the win and e2e
# tiers that run the cross-built programs under Wine.
find_package(GTest REQUIRED)
file(GLOB DWL_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp tests/fakes/*.cpp)
# The fuzz targets, replaying the saved corpus (scripts/fuzz runs them under libFuzzer).
add_executable(dwl_unit_tests ${DWL_UNIT_TESTS} tests/fuzz/harnesses.cpp)
target_compile_definitions(dwl_unit_tests PRIVATE DWL_FUZZ_CORPUS="${CMAKE_CURRENT_SOURCE_DIR}/tests/fuzz/corpus")
target_include_directories(dwl_unit_tests PRIVATE tests)
target_link_libraries(dwl_unit_tests PRIVATE dwl_core GTest::gtest_main GTest::gmock)
target_compile_options(dwl_unit_tests PRIVATE ${DWL_WARNINGS})
include(GoogleTest)
gtest_discover_tests(dwl_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)
add_test(NAME unit.include_layers COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-layers ${CMAKE_CURRENT_SOURCE_DIR}/src)
add_test(NAME unit.help COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-help ${CMAKE_CURRENT_BINARY_DIR}/help)
set_tests_properties(unit.help PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME unit.include_layers_check COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-layers --self-test)
add_test(NAME unit.policy_templates COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/check-policy-templates)

set(DWL_WIN64_DIR "" CACHE PATH "Build folder of the x86_64 cross build (enables the win and e2e tiers)")
set(DWL_WIN32_DIR "" CACHE PATH "Build folder of the i686 cross build (the product)")
if(DWL_WIN32_DIR)
  # The manifest, the imports and the size of both builds.
  add_test(NAME win.executables COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/check-executables
                                        ${DWL_WIN32_DIR}/dwl.exe ${DWL_WIN64_DIR}/dwl.exe)
endif()
if(DWL_WIN64_DIR)
  # Each test of these tiers has its own X display and Wine prefix (copied
  # from one template prefix), so they can run in parallel.
  add_test(NAME win.all COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/win/run-win-tier)
  set_tests_properties(win.all PROPERTIES TIMEOUT 600
    ENVIRONMENT "DWL_BIN=${DWL_WIN64_DIR};DWL_WORK=${CMAKE_CURRENT_BINARY_DIR}/e2e/win")
  # Tests that wait for minutes to turn go first: the others fit in beside them.
  set(DWL_E2E_MINUTES applications install schedule triggers)
  file(GLOB DWL_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/test_*.sh)
  foreach(t ${DWL_E2E_TESTS})
    get_filename_component(name ${t} NAME_WE)
    string(REPLACE "test_" "" name ${name})
    add_test(NAME e2e.${name} COMMAND ${t})
    set(cost 10)
    if(name IN_LIST DWL_E2E_MINUTES)
      set(cost 100)
    endif()
    set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 600 COST ${cost}
      ENVIRONMENT "DWL_BIN=${DWL_WIN64_DIR};DWL_BIN32=${DWL_WIN32_DIR};DWL_WORK=${CMAKE_CURRENT_BINARY_DIR}/e2e/${name}")
  endforeach()
endif()
