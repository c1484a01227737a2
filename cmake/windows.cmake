# Windows build (mingw-w64): the Win32 shell, Tikora.exe with its runtime folder, and the tests
# that run under Wine.
include(ExternalProject)

set(TIKORA_RUNTIME_DIR ${CMAKE_BINARY_DIR}/Tikora)
set(TIKORA_ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
set(TIKORA_WIN_LIBS comctl32 comdlg32 winmm shell32 gdi32 user32 advapi32 ole32 uuid msimg32)
set(TIKORA_STATIC_FLAGS -static -static-libgcc -static-libstdc++)

# The asset generator runs on the build machine: build it natively from this same tree.
ExternalProject_Add(host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/host-tools
  CMAKE_ARGS -DTIKORA_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target make_assets
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  CONFIGURE_HANDLED_BY_BUILD ON
  BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/host-tools/tools/make_assets)

add_custom_command(
  OUTPUT ${TIKORA_ASSET_DIR}/tikora.ico ${TIKORA_RUNTIME_DIR}/Sounds/Ring.wav
  COMMAND ${CMAKE_BINARY_DIR}/host-tools/tools/make_assets ${TIKORA_ASSET_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TIKORA_ASSET_DIR}/Numbers ${TIKORA_RUNTIME_DIR}/Numbers
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TIKORA_ASSET_DIR}/Sounds ${TIKORA_RUNTIME_DIR}/Sounds
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TIKORA_ASSET_DIR}/Icons ${TIKORA_RUNTIME_DIR}/Icons
  DEPENDS host_tools ${CMAKE_BINARY_DIR}/host-tools/tools/make_assets
  COMMENT "Generating skins, sounds and icons")
add_custom_target(runtime_assets DEPENDS ${TIKORA_ASSET_DIR}/tikora.ico ${TIKORA_RUNTIME_DIR}/Sounds/Ring.wav)

file(GLOB ui_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/*.cpp)
set(entry_source ${CMAKE_SOURCE_DIR}/app/main_win.cpp)
list(REMOVE_ITEM shell_sources ${entry_source})

add_library(tikora_shell STATIC ${ui_sources} ${shell_sources})
target_link_libraries(tikora_shell PUBLIC tikora_core ${TIKORA_WIN_LIBS})
# The toolchain file names the oldest system its build starts on (Windows XP for the 32-bit one).
if(NOT TIKORA_WINDOWS_VERSION)
  message(FATAL_ERROR "The toolchain file sets TIKORA_WINDOWS_VERSION (0x0501 for Windows XP)")
endif()
target_compile_definitions(tikora_shell PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=${TIKORA_WINDOWS_VERSION} WINVER=${TIKORA_WINDOWS_VERSION})
target_compile_options(tikora_shell PRIVATE ${TIKORA_WARNINGS})
target_compile_definitions(tikora_core PUBLIC NOMINMAX)

configure_file(${CMAKE_SOURCE_DIR}/resources/tikora.manifest ${TIKORA_ASSET_DIR}/tikora.manifest COPYONLY)
# The version resource takes its numbers from the project version, as the release names do.
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${TIKORA_ASSET_DIR}/tikora_version.h @ONLY)
add_executable(Tikora WIN32 ${entry_source} ${CMAKE_SOURCE_DIR}/resources/tikora.rc ${CMAKE_SOURCE_DIR}/resources/pictures.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/tikora.rc PROPERTIES
  OBJECT_DEPENDS "${TIKORA_ASSET_DIR}/tikora.ico;${TIKORA_ASSET_DIR}/tikora.manifest;${TIKORA_ASSET_DIR}/tikora_version.h")
target_include_directories(Tikora PRIVATE ${TIKORA_ASSET_DIR})
target_link_libraries(Tikora PRIVATE tikora_shell)
target_link_options(Tikora PRIVATE ${TIKORA_STATIC_FLAGS})
# No link time in the PE header: the same sources give the same exe, so release zips are reproducible.
target_link_options(Tikora PRIVATE -Wl,--no-insert-timestamp)
target_compile_options(Tikora PRIVATE ${TIKORA_WARNINGS})
set_target_properties(Tikora PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${TIKORA_RUNTIME_DIR})
add_dependencies(Tikora runtime_assets)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${TIKORA_ASSET_DIR} -I${CMAKE_SOURCE_DIR}/resources")
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/pictures.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/information.bmp")

if(TIKORA_TESTS AND TIKORA_CAN_RUN)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  file(GLOB win_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/*_test.cpp)
  file(GLOB win_test_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win/support/*.cpp ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
  add_executable(tikora_win_tests ${win_tests} ${win_test_support} ${CMAKE_SOURCE_DIR}/resources/pictures.rc)
  target_include_directories(tikora_win_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(tikora_win_tests PRIVATE tikora_shell gtest gtest_main)
  target_link_options(tikora_win_tests PRIVATE ${TIKORA_STATIC_FLAGS})
  target_compile_options(tikora_win_tests PRIVATE ${TIKORA_WARNINGS})
  add_dependencies(tikora_win_tests Tikora)
  target_compile_definitions(tikora_win_tests PRIVATE
    TIKORA_RUNTIME_DIR_UNIX="${TIKORA_RUNTIME_DIR}")

  # Tests under Wine get their own prefix and X display, made and ended by the run itself.
  set(wine_env ${CMAKE_SOURCE_DIR}/tests/win/wine_env.sh)
  set(wine_state ${CMAKE_BINARY_DIR}/wine)
  add_test(NAME wine_start COMMAND ${wine_env} start ${wine_state})
  add_test(NAME wine_stop COMMAND ${wine_env} stop ${wine_state})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)
  add_test(NAME win_tests COMMAND ${wine_env} run ${wine_state} $<TARGET_FILE:tikora_win_tests>)
  set_tests_properties(win_tests PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 600 ENVIRONMENT TIKORA_EXPECTED_DPI=96)

  # The acceptance tests' probe (tests/accept/run.py drives the program from outside).
  add_executable(accept_probe ${CMAKE_SOURCE_DIR}/tests/accept/probe_win.cpp)
  target_link_options(accept_probe PRIVATE ${TIKORA_STATIC_FLAGS})
  target_compile_options(accept_probe PRIVATE ${TIKORA_WARNINGS})

  # The layout at 200 %: a second prefix whose system DPI is 192.
  set(wine_hidpi_state ${CMAKE_BINARY_DIR}/wine-192)
  add_test(NAME wine_hidpi_start COMMAND ${wine_env} start ${wine_hidpi_state} 192)
  add_test(NAME wine_hidpi_stop COMMAND ${wine_env} stop ${wine_hidpi_state})
  set_tests_properties(wine_hidpi_start PROPERTIES FIXTURES_SETUP wine_hidpi)
  set_tests_properties(wine_hidpi_stop PROPERTIES FIXTURES_CLEANUP wine_hidpi)
  add_test(NAME win_tests_200_percent
    COMMAND ${wine_env} run ${wine_hidpi_state} $<TARGET_FILE:tikora_win_tests> --gtest_filter=Dpi*)
  set_tests_properties(win_tests_200_percent PROPERTIES FIXTURES_REQUIRED wine_hidpi TIMEOUT 300
    ENVIRONMENT TIKORA_EXPECTED_DPI=192)
endif()

# Benchmarks under Wine, built on demand only (bench/run.sh) and never part of the tests.
add_executable(tick_draw_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/tick_draw_bench_win.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fakes.cpp)
target_include_directories(tick_draw_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(tick_draw_bench PRIVATE tikora_shell psapi)
add_executable(minimal_timer WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/minimal_timer_win.cpp)
target_link_libraries(minimal_timer PRIVATE user32)
add_executable(launch_time EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/launch_time_win.cpp)
add_executable(tag_read_bench_win EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/tag_read_bench_win.cpp)
target_link_libraries(tag_read_bench_win PRIVATE tikora_shell)
add_executable(search_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/search_bench_win.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fakes.cpp)
target_include_directories(search_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(search_bench PRIVATE tikora_shell psapi)
add_executable(viewer_select_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/viewer_select_bench_win.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/fakes.cpp ${CMAKE_SOURCE_DIR}/tests/support/picture_samples.cpp)
target_include_directories(viewer_select_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(viewer_select_bench PRIVATE tikora_shell)
foreach(bench IN ITEMS tick_draw_bench minimal_timer launch_time tag_read_bench_win search_bench viewer_select_bench)
  target_link_options(${bench} PRIVATE ${TIKORA_STATIC_FLAGS})
  target_compile_options(${bench} PRIVATE ${TIKORA_WARNINGS})
  set_target_properties(${bench} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()
