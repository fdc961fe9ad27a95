# Persistence: the state file, the time log and the history (portable), with
# their tests, the fuzz target for reading the state file and the benchmark.
target_sources(uravik_core PRIVATE
    timekeeping/atomic_write.cpp
    timekeeping/decimal_value.cpp
    timekeeping/failure_notice.cpp
    timekeeping/state_file.cpp
    timekeeping/time_log.cpp
)

if(NOT WIN32)
    # loadState under libFuzzer. clang cannot compile the Windows-1252
    # texts of the project's build, so it builds this one target itself,
    # without them: the fuzz target never looks at a message text.
    find_program(URAVIK_CLANGXX NAMES clang++ clang++-14)
    if(URAVIK_CLANGXX AND URAVIK_TESTS AND NOT URAVIK_SANITIZE)
        set(state_fuzz_sources
            ${PROJECT_SOURCE_DIR}/fuzz/state_file_fuzz.cpp
            ${PROJECT_SOURCE_DIR}/app/program_state.cpp
            ${PROJECT_SOURCE_DIR}/tests/fake_host/fake_host.cpp
            ${PROJECT_SOURCE_DIR}/timekeeping/atomic_write.cpp
            ${PROJECT_SOURCE_DIR}/timekeeping/clock.cpp
            ${PROJECT_SOURCE_DIR}/timekeeping/decimal_value.cpp
            ${PROJECT_SOURCE_DIR}/timekeeping/failure_notice.cpp
            ${PROJECT_SOURCE_DIR}/timekeeping/state_file.cpp
            ${PROJECT_SOURCE_DIR}/timekeeping/time_text.cpp)
        file(GLOB state_fuzz_headers ${PROJECT_SOURCE_DIR}/timekeeping/*.h
                                     ${PROJECT_SOURCE_DIR}/common/*.h
                                     ${PROJECT_SOURCE_DIR}/host/host.h
                                     ${PROJECT_SOURCE_DIR}/tests/fake_host/fake_host.h)
        set(state_fuzz_exe ${CMAKE_BINARY_DIR}/fuzz/state_file_fuzz)
        add_custom_command(
            OUTPUT ${state_fuzz_exe}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz
            COMMAND ${URAVIK_CLANGXX} -std=c++17 -g -O1 -I${PROJECT_SOURCE_DIR}
                    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                    ${state_fuzz_sources} -o ${state_fuzz_exe}
            DEPENDS ${state_fuzz_sources} ${state_fuzz_headers}
            COMMENT "Building the state file fuzz target with clang"
            VERBATIM)
        add_custom_target(uravik_state_file_fuzz ALL DEPENDS ${state_fuzz_exe})
    endif()

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

        # Prints the cost of one record, of loadState and of a 4 MB move.
        find_package(benchmark REQUIRED)
        add_executable(uravik_persistence_bench bench/persistence_bench.cpp)
        target_link_libraries(uravik_persistence_bench PRIVATE
            uravik_fake_host uravik_core benchmark::benchmark)
    endif()
    return()
endif()

if(URAVIK_TESTS)
    # A prepared ysave.dab that cannot be written, for the read-only case.
    set(read_only_dir ${CMAKE_BINARY_DIR}/persistence-read-only)
    set(read_only_script ${PROJECT_SOURCE_DIR}/tests/win32/read_only_state.sh)
    add_test(NAME persistence_read_only_setup COMMAND sh ${read_only_script} make ${read_only_dir})
    add_test(NAME persistence_read_only_cleanup
        COMMAND sh ${read_only_script} release ${read_only_dir})
    set_tests_properties(persistence_read_only_setup PROPERTIES FIXTURES_SETUP read_only_state)
    set_tests_properties(persistence_read_only_cleanup PROPERTIES FIXTURES_CLEANUP read_only_state)

    # The end-to-end test that watches the log and the state file grow, and
    # the read-only ysave.dab.
    uravik_e2e_test(uravik_persistence_e2e_tests tests/e2e/persistence_e2e_test.cpp)
    set_tests_properties(uravik_persistence_e2e_tests PROPERTIES FIXTURES_REQUIRED read_only_state)
    set_property(TEST uravik_persistence_e2e_tests APPEND PROPERTY ENVIRONMENT
        "URAVIK_READ_ONLY_STATE_DIR=${read_only_dir}")
endif()
