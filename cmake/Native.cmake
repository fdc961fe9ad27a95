# Native build: the portable core's unit tests and benchmarks.
include(cmake/Persistence.cmake)
include(cmake/Display.cmake)
include(cmake/Companions.cmake)
if(NOT URAVIK_TESTS)
    return()
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

add_library(uravik_fake_host OBJECT tests/fake_host/fake_host.cpp)
target_include_directories(uravik_fake_host PUBLIC ${PROJECT_SOURCE_DIR})

add_executable(uravik_unit_tests
    tests/unit/clock_test.cpp
    tests/unit/input_fields_test.cpp
    tests/unit/port_watch_test.cpp
    tests/unit/tick_test.cpp
    tests/unit/persistence_fixture.cpp
)
target_link_libraries(uravik_unit_tests PRIVATE uravik_fake_host uravik_core GTest::gtest_main)
gtest_discover_tests(uravik_unit_tests)

# The soak run and the file fault sweep.
include(cmake/Evidence.cmake)
