# Native build: the portable layers on the fake platform, and the unit tests.
file(GLOB TAPFINCH_FAKE_SOURCES CONFIGURE_DEPENDS platform/fake/*.cpp)
add_library(tapfinch_fake STATIC ${TAPFINCH_FAKE_SOURCES})
target_link_libraries(tapfinch_fake PUBLIC tapfinch_platform_api PRIVATE tapfinch_warnings)

find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB TAPFINCH_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp tests/support/*.cpp)
add_executable(tapfinch_tests ${TAPFINCH_UNIT_TESTS})
target_link_libraries(tapfinch_tests PRIVATE tapfinch_program tapfinch_fake GTest::gtest GTest::gtest_main tapfinch_warnings)
gtest_discover_tests(tapfinch_tests DISCOVERY_TIMEOUT 30 PROPERTIES LABELS native)
