# Native Linux build: the portable core, its unit tests, the asset generator and the benchmarks.
add_subdirectory(tools)

if(TIKORA_TESTS)
  find_package(GTest REQUIRED)
  file(GLOB_RECURSE native_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*_test.cpp)
  list(FILTER native_tests EXCLUDE REGEX "/tests/win/")
  file(GLOB support_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  add_executable(tikora_tests ${native_tests} ${support_sources})
  target_include_directories(tikora_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(tikora_tests PRIVATE tikora_core GTest::gtest GTest::gtest_main tikora_tool_lib)
  target_compile_options(tikora_tests PRIVATE ${TIKORA_WARNINGS})
  # The picture libraries' own test pictures, from the source trees scripts/deps.sh fetches; the
  # corpus test fails (and says why) when they are not there.
  execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/deps.sh --sources
                  OUTPUT_VARIABLE library_sources RESULT_VARIABLE sources_result ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT sources_result EQUAL 0)
    set(library_sources "")
  endif()
  string(REPLACE "\n" ":" library_sources "${library_sources}")
  include(GoogleTest)
  set(TIKORA_TEST_SHARDS 0 CACHE STRING "Run the unit tests as this many CTest tests (GoogleTest shards), 0: one per test")
  if(TIKORA_TEST_SHARDS GREATER 0)
    # Under an emulator each process start is dear and the asset suites set up once per process:
    # a few shards run the whole program, each writing its counts to gtest-shard-N.xml.
    math(EXPR last_shard "${TIKORA_TEST_SHARDS} - 1")
    foreach(shard RANGE ${last_shard})
      add_test(NAME tikora_tests_shard_${shard}
        COMMAND tikora_tests --gtest_output=xml:${CMAKE_BINARY_DIR}/gtest-shard-${shard}.xml)
      set_tests_properties(tikora_tests_shard_${shard} PROPERTIES TIMEOUT 1200
        ENVIRONMENT "GTEST_TOTAL_SHARDS=${TIKORA_TEST_SHARDS};GTEST_SHARD_INDEX=${shard};TIKORA_LIBRARY_SOURCES=${library_sources}")
    endforeach()
  else()
    gtest_discover_tests(tikora_tests DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "TIKORA_LIBRARY_SOURCES=${library_sources}")
  endif()
endif()

file(GLOB bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
foreach(src IN LISTS bench_sources)
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src} ${CMAKE_SOURCE_DIR}/tests/support/fakes.cpp
    ${CMAKE_SOURCE_DIR}/tests/support/picture_samples.cpp)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE tikora_core)
endforeach()
