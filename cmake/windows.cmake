# Windows build: the real platform, tapfinch.exe, the end-to-end test
# driver and the benchmark, all statically linked.
# One folder for every program, so the driver finds tapfinch.exe beside itself.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

add_library(tapfinch_win32 STATIC
  platform/win32/crash_release.cpp
  platform/win32/gdi.cpp
  platform/win32/gdi_canvas.cpp
  platform/win32/message_loop.cpp
  platform/win32/message_window.cpp
  platform/win32/peer_factory.cpp
  platform/win32/registry.cpp
  platform/win32/services.cpp
  platform/win32/tray.cpp
  platform/win32/waits.cpp
  platform/win32/win32_windows.cpp
  platform/win32/window_base.cpp
  platform/win32/window_classes.cpp)
target_link_libraries(tapfinch_win32 PUBLIC tapfinch_platform_api comctl32 advapi32 gdi32 user32 shell32 PRIVATE tapfinch_warnings)

# One self-contained exe: mingw links its runtime in (MSVC takes the
# static runtime, chosen before any target in the top CMakeLists.txt).
if(MSVC)
  set(TAPFINCH_STATIC_LINK "")
else()
  set(TAPFINCH_STATIC_LINK -static -static-libgcc -static-libstdc++)
endif()

# The icons are drawn by tools/make_icon.cpp, built and run on this machine:
# the forms' icon and the application's own variant of it.
enable_language(RC)
find_program(TAPFINCH_HOST_CXX NAMES c++ g++ clang++)
set(TAPFINCH_ICON ${CMAKE_BINARY_DIR}/tapfinch.ico)
set(TAPFINCH_APPLICATION_ICON ${CMAKE_BINARY_DIR}/tapfinch-application.ico)
if(TAPFINCH_HOST_CXX)
  add_custom_command(
    OUTPUT ${TAPFINCH_ICON} ${TAPFINCH_APPLICATION_ICON}
    COMMAND ${TAPFINCH_HOST_CXX} -std=c++17 -O1 ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp -o ${CMAKE_BINARY_DIR}/make_icon
    COMMAND ${CMAKE_BINARY_DIR}/make_icon ${TAPFINCH_ICON}
    COMMAND ${CMAKE_BINARY_DIR}/make_icon --application ${TAPFINCH_APPLICATION_ICON}
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icon.cpp
    COMMENT "Drawing the icons")
  set_source_files_properties(app/tapfinch.rc PROPERTIES OBJECT_DEPENDS "${TAPFINCH_ICON};${TAPFINCH_APPLICATION_ICON}"
                                                         COMPILE_DEFINITIONS TAPFINCH_ICON_FILE)
else()
  message(STATUS "No compiler for this machine: tapfinch.exe is built without its icon")
endif()
set_property(SOURCE app/tapfinch.rc APPEND PROPERTY OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/app/tapfinch.manifest)
add_executable(tapfinch WIN32 app/winmain.cpp app/tapfinch.rc)
target_include_directories(tapfinch PRIVATE ${CMAKE_BINARY_DIR})
target_link_libraries(tapfinch PRIVATE tapfinch_app tapfinch_win32 tapfinch_warnings)
target_link_options(tapfinch PRIVATE ${TAPFINCH_STATIC_LINK})
# Small: unused sections left out, and the debug sections moved to
# tapfinch.debug beside the exe (found by its debug link, for crash
# analysis); the exe that is tested and shipped carries neither them nor
# its symbol table.
# Link-time optimisation where the toolchain has it, for the program's
# own libraries; GNU ld folds no identical code for Windows.
include(CheckIPOSupported)
check_ipo_supported(RESULT TAPFINCH_IPO OUTPUT TAPFINCH_IPO_OUTPUT LANGUAGES CXX)
if(TAPFINCH_IPO)
  set_target_properties(tapfinch tapfinch_app tapfinch_ui tapfinch_engine tapfinch_settings tapfinch_hotkeys
                        tapfinch_controls tapfinch_framework tapfinch_win32 PROPERTIES INTERPROCEDURAL_OPTIMIZATION_RELEASE ON)
endif()
if(NOT MSVC)
  # -g again at the link: with link-time optimisation the code is made there.
  target_link_options(tapfinch PRIVATE -Wl,--gc-sections $<$<CONFIG:Release>:-g>)
  set(TAPFINCH_DEBUG_FILE ${CMAKE_BINARY_DIR}/tapfinch.debug)
  add_custom_command(
    TARGET tapfinch
    POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:tapfinch> ${TAPFINCH_DEBUG_FILE}
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${TAPFINCH_DEBUG_FILE} $<TARGET_FILE:tapfinch>
    COMMENT "Moving tapfinch.exe's debug information to tapfinch.debug"
    VERBATIM)
endif()
include(cmake/package.cmake)

# The end-to-end tests build GoogleTest from its sources (Debian's googletest).
set(TAPFINCH_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the end-to-end tests")
if(EXISTS ${TAPFINCH_GTEST_SOURCE_DIR}/CMakeLists.txt)
  add_subdirectory(tests/e2e)
else()
  message(STATUS "No GoogleTest sources at ${TAPFINCH_GTEST_SOURCE_DIR}: the end-to-end tests are not built")
endif()
