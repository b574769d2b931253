# Native build: the portable layers on the fake platform, and the unit tests.
include(cmake/fake.cmake)

find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(tapfinch_tests
  tests/support/harness.cpp
  tests/unit/about_test.cpp
  tests/unit/assignment_test.cpp
  tests/unit/list_tab_test.cpp
  tests/unit/controls_test.cpp
  tests/unit/conversions_test.cpp
  tests/unit/dpi_test.cpp
  tests/unit/engine_test.cpp
  tests/unit/faults_test.cpp
  tests/unit/framework_test.cpp
  tests/unit/global_hotkey_test.cpp
  tests/unit/hotkey_boxes_test.cpp
  tests/unit/keyboard_test.cpp
  tests/unit/layout_test.cpp
  tests/unit/list_box_test.cpp
  tests/unit/list_file_test.cpp
  tests/unit/main_window_test.cpp
  tests/unit/run_safety_test.cpp
  tests/unit/settings_store_test.cpp
  tests/unit/settings_test.cpp
  tests/unit/shortcut_test.cpp
  tests/unit/session_test.cpp
  tests/unit/single_point_test.cpp
  tests/unit/soak_test.cpp
  tests/unit/startup_test.cpp
  tests/unit/timing_test.cpp
  tests/unit/tray_test.cpp)
target_link_libraries(tapfinch_tests PRIVATE tapfinch_app tapfinch_fake GTest::gtest GTest::gtest_main tapfinch_warnings)
gtest_discover_tests(tapfinch_tests DISCOVERY_TIMEOUT 30 TEST_FILTER "-Soak.*" PROPERTIES LABELS native)
# The soak tests run an hour and a day of virtual time: some twenty seconds
# here, nearly a minute under the sanitizers, where they are listed but disabled.
if(TAPFINCH_SANITIZE)
  set(tapfinch_soak_disabled TRUE)
else()
  set(tapfinch_soak_disabled FALSE)
endif()
gtest_discover_tests(tapfinch_tests DISCOVERY_TIMEOUT 30 TEST_FILTER "Soak.*"
                     PROPERTIES LABELS soak DISABLED ${tapfinch_soak_disabled})
