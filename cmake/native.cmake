# Native build: the portable layers on the fake platform, and the unit tests.
add_library(tapfinch_fake STATIC
  platform/fake/fake_clock.cpp
  platform/fake/fake_hotkeys.cpp
  platform/fake/fake_platform.cpp
  platform/fake/fake_process.cpp
  platform/fake/fake_services.cpp
  platform/fake/fake_windows.cpp)
target_link_libraries(tapfinch_fake PUBLIC tapfinch_platform_api PRIVATE tapfinch_warnings)

find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(tapfinch_tests
  tests/support/harness.cpp
  tests/unit/about_test.cpp
  tests/unit/click_list_test.cpp
  tests/unit/controls_test.cpp
  tests/unit/conversions_test.cpp
  tests/unit/dpi_test.cpp
  tests/unit/framework_test.cpp
  tests/unit/global_hotkey_test.cpp
  tests/unit/keyboard_test.cpp
  tests/unit/layout_test.cpp
  tests/unit/list_box_test.cpp
  tests/unit/list_file_test.cpp
  tests/unit/main_window_test.cpp
  tests/unit/settings_test.cpp
  tests/unit/shortcut_test.cpp
  tests/unit/single_point_test.cpp
  tests/unit/startup_test.cpp)
target_link_libraries(tapfinch_tests PRIVATE tapfinch_app tapfinch_fake GTest::gtest GTest::gtest_main tapfinch_warnings)
gtest_discover_tests(tapfinch_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS native)
