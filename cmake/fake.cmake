# The fake desktop the native unit tests and the fuzz targets run the
# program on.
add_library(tapfinch_fake STATIC
  platform/fake/fake_clock.cpp
  platform/fake/fake_hotkeys.cpp
  platform/fake/fake_platform.cpp
  platform/fake/fake_process.cpp
  platform/fake/fake_services.cpp
  platform/fake/fake_button.cpp
  platform/fake/fake_combo_box.cpp
  platform/fake/fake_desktop.cpp
  platform/fake/fake_dialog_manager.cpp
  platform/fake/fake_edit.cpp
  platform/fake/fake_header.cpp
  platform/fake/fake_list_box.cpp
  platform/fake/fake_tabs.cpp
  platform/fake/fake_top_level.cpp
  platform/fake/fake_tray.cpp
  platform/fake/fake_window.cpp)
target_link_libraries(tapfinch_fake PUBLIC tapfinch_platform_api PRIVATE tapfinch_warnings)
