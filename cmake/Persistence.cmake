# Persistence: the state file, the time log and the history (portable), with
# their tests.
target_sources(uravik_core PRIVATE
    timekeeping/atomic_write.cpp
    timekeeping/decimal_value.cpp
    timekeeping/failure_notice.cpp
    timekeeping/state_file.cpp
    timekeeping/time_log.cpp
)

if(NOT WIN32)
    if(URAVIK_TESTS)
        find_package(GTest REQUIRED)
        include(GoogleTest)
        add_executable(uravik_persistence_tests
            tests/unit/state_file_test.cpp
            tests/unit/time_log_test.cpp
            tests/unit/persistence_history_test.cpp
            tests/unit/persistence_fixture.cpp
        )
        target_link_libraries(uravik_persistence_tests PRIVATE
            uravik_fake_host uravik_core GTest::gtest_main)
        gtest_discover_tests(uravik_persistence_tests)
    endif()
    return()
endif()
