# The companion programs: the log reader, the statistics, the about box and
# the manual, over a portable log engine shared with the native report tool.

# The engine: reads ytime.dab and yhist.dab, sums them up, formats the
# texts. No <windows.h>.
add_library(uvlog_engine STATIC
    companions/engine/calendar.cpp
    companions/engine/chart_scale.cpp
    companions/engine/followed_file.cpp
    companions/engine/log_file.cpp
    companions/engine/log_format.cpp
    companions/engine/log_parser.cpp
    companions/engine/log_report.cpp
    companions/engine/log_rows.cpp
    companions/engine/log_statistics.cpp
    companions/engine/privacy.cpp
)
target_include_directories(uvlog_engine PUBLIC ${PROJECT_SOURCE_DIR})

# Test support: logs in the program's layout, of any size.
if(URAVIK_TESTS)
    add_library(uvlog_sample STATIC companions/testing/sample_log.cpp)
    target_link_libraries(uvlog_sample PUBLIC uvlog_engine)
endif()

if(NOT WIN32)
    # The statistics as text, for scripts and tests.
    add_executable(uvreport companions/uvreport/uvreport_main.cpp)
    target_link_libraries(uvreport PRIVATE uvlog_engine)

    if(NOT URAVIK_TESTS)
        return()
    endif()

    # A sample working directory, for tests, screenshots and fuzz seeds.
    add_executable(make_sample_log companions/testing/make_sample_log.cpp)
    target_link_libraries(make_sample_log PRIVATE uvlog_sample)

    find_package(GTest REQUIRED)
    include(GoogleTest)
    add_executable(uvlog_tests
        tests/unit/log_follow_test.cpp
        tests/unit/log_format_test.cpp
        tests/unit/log_parser_test.cpp
        tests/unit/log_rows_test.cpp
        tests/unit/log_statistics_test.cpp
    )
    target_link_libraries(uvlog_tests PRIVATE uvlog_sample GTest::gtest_main)
    gtest_discover_tests(uvlog_tests)

    # Logs written by the program's own writer, driven through the tick.
    add_executable(uvlog_roundtrip_tests
        tests/unit/log_roundtrip_test.cpp
        tests/unit/persistence_fixture.cpp
    )
    target_link_libraries(uvlog_roundtrip_tests PRIVATE
        uvlog_engine uravik_fake_host uravik_core GTest::gtest_main)
    gtest_discover_tests(uvlog_roundtrip_tests)

    # The report tool as a script would call it: the totals and days as
    # text, a table as CSV over a period, and the help in a UTF-8 terminal.
    set(sample_dir ${CMAKE_BINARY_DIR}/uvreport-sample)
    set(uvreport_in_sample "cd '${sample_dir}' && '$<TARGET_FILE:uvreport>' --today 2024-03-07")
    add_test(NAME uvreport_sample
        COMMAND sh -c "mkdir -p '${sample_dir}' && '$<TARGET_FILE:make_sample_log>' '${sample_dir}' 2500 2024-03-07 && ${uvreport_in_sample}")
    set_tests_properties(uvreport_sample PROPERTIES
        PASS_REGULAR_EXPRESSION "Uppstarter: +30\n.*2024-03-07 +[0-9]+:[0-9][0-9]:[0-9][0-9]\n$")
    add_test(NAME uvreport_run_csv
        COMMAND sh -c "${uvreport_in_sample} --by run --from 2024-03-06 --to 2024-03-06 --csv")
    set_tests_properties(uvreport_run_csv PROPERTIES DEPENDS uvreport_sample
        PASS_REGULAR_EXPRESSION "^Uppstart nr;Drifttid;Sekunder;[^\n]*\r\n29;[0-9]+:[0-9][0-9]:[0-9][0-9];[0-9]+;2024-03-06 [^\n]*\r\n$")
    add_test(NAME uvreport_help_utf8
        COMMAND sh -c "LC_ALL=C.UTF-8 '$<TARGET_FILE:uvreport>' --help")
    set_tests_properties(uvreport_help_utf8 PROPERTIES
        PASS_REGULAR_EXPRESSION "^Användning: uvreport \\[--by title\\|app\\|day\\|run\\]")

    # The manual ships as Windows-1252 with CR LF line ends.
    find_package(Python3 COMPONENTS Interpreter)
    if(Python3_FOUND)
        add_test(NAME uvmanual_encoding
            COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/companions/manual/check_manual.py
                    ${PROJECT_SOURCE_DIR}/companions/uvmanual.txt)
    endif()

    # Parse and summarise a 4 MB log.
    find_package(benchmark QUIET)
    if(benchmark_FOUND)
        add_executable(uvlog_bench bench/log_bench.cpp)
        target_link_libraries(uvlog_bench PRIVATE uvlog_sample benchmark::benchmark)
    endif()

    # The parser under libFuzzer. The project's compiler is GCC (clang cannot
    # compile the Windows-1252 texts), so clang builds this one target itself.
    find_program(URAVIK_CLANGXX NAMES clang++ clang++-14)
    if(URAVIK_CLANGXX)
        file(GLOB fuzz_headers ${PROJECT_SOURCE_DIR}/companions/engine/*.h
                               ${PROJECT_SOURCE_DIR}/common/*.h)
        set(fuzz_sources
            ${PROJECT_SOURCE_DIR}/fuzz/log_parser_fuzz.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/calendar.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/chart_scale.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/log_format.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/log_parser.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/log_report.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/log_rows.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/log_statistics.cpp
            ${PROJECT_SOURCE_DIR}/companions/engine/privacy.cpp)
        add_custom_command(
            OUTPUT ${CMAKE_BINARY_DIR}/fuzz/log_parser_fuzz
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fuzz
            COMMAND ${URAVIK_CLANGXX} -std=c++17 -g -O1 -I${PROJECT_SOURCE_DIR}
                    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
                    ${fuzz_sources} -o ${CMAKE_BINARY_DIR}/fuzz/log_parser_fuzz
            DEPENDS ${fuzz_sources} ${fuzz_headers}
            COMMENT "Building the log parser fuzz target with clang"
            VERBATIM)
        add_custom_target(log_parser_fuzz ALL DEPENDS ${CMAKE_BINARY_DIR}/fuzz/log_parser_fuzz)
    endif()
    return()
endif()

# Windows: the three programs, statically linked like uravik.exe and built
# beside it, importing only system DLLs.
add_library(uvlog_companions_win32 STATIC
    companions/about/about_window_win32.cpp
    companions/reader/reader_window_win32.cpp
    companions/stat/stat_charts_win32.cpp
    companions/stat/stat_window_win32.cpp
    companions/win32/companion_app_win32.cpp
)
target_link_libraries(uvlog_companions_win32 PUBLIC uvlog_engine uravik_win32_helpers comctl32 comdlg32
    version)

# Resources of a companion: the icon, the common controls manifest and a
# version resource naming the program (the about box shows its version).
function(uravik_companion_rc target file description)
    set(COMPANION_NAME ${target})
    set(COMPANION_FILE ${file})
    set(COMPANION_DESCRIPTION ${description})
    set(URAVIK_ICON_FILE ${PROJECT_SOURCE_DIR}/res/uravik.ico)
    set(COMPANION_MANIFEST_FILE ${PROJECT_SOURCE_DIR}/companions/res/companion.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/companions/res/companion.rc.in
                   ${CMAKE_BINARY_DIR}/companions/${target}.rc @ONLY)
endfunction()

function(uravik_companion target file description main)
    uravik_companion_rc(${target} ${file} "${description}")
    add_executable(${target} WIN32 ${main} ${CMAKE_BINARY_DIR}/companions/${target}.rc)
    target_link_libraries(${target} PRIVATE uvlog_companions_win32)
endfunction()

uravik_companion(uvreader uvreader.exe "Uravik - tidlista" companions/reader/reader_main_win32.cpp)
uravik_companion(aboutuv aboutuv.exe "Uravik - om programmet" companions/about/about_main_win32.cpp)
# Started as "uvstat.lib": an executable under that name.
uravik_companion(uvstat uvstat.lib "Uravik - statistik" companions/stat/stat_main_win32.cpp)
set_target_properties(uvstat PROPERTIES SUFFIX ".lib")

# The report tool as a console program, for scripts on Windows.
add_executable(uvreport companions/uvreport/uvreport_main.cpp)
target_link_libraries(uvreport PRIVATE uvlog_engine)
if(URAVIK_TESTS)
    # One run under Wine on a small log: the per-run table as CSV.
    set(uvreport_log ${CMAKE_BINARY_DIR}/uvreport-test/ytime.dab)
    string(REPEAT "=" 170 separator)
    file(WRITE ${uvreport_log}
        "${separator}\r\nWINDOWS START=  2024-03-07   23:59:00     Uppstart nr=  57        \r\n"
        "             1           0:00:01         312:05:49        23:59:01           0:03:12    WINDOWS\r\n"
        "             2           0:02:00         312:07:48        00:01:00           0:01:59    Brev - Anteckningar\r\n")
    add_test(NAME uvreport_exe COMMAND uvreport --by run --csv ${uvreport_log})
    set_tests_properties(uvreport_exe PROPERTIES PASS_REGULAR_EXPRESSION
        "\r\n57;0:02:00;120;2024-03-07 23:59:00;2024-03-08 00:01:00;2;0:00:00;0;0:03:12;192\r\n$")
endif()

# The manual beside the programs, as shipped (Windows-1252, CR LF).
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/uvmanual.txt
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/companions/uvmanual.txt
            ${CMAKE_BINARY_DIR}/uvmanual.txt
    DEPENDS ${PROJECT_SOURCE_DIR}/companions/uvmanual.txt)
add_custom_target(uvmanual ALL DEPENDS ${CMAKE_BINARY_DIR}/uvmanual.txt)

# In the zip beside uravik.exe. Never a data file: unzipping a new version
# over an install must not overwrite a user's ysave.dab, ytime.dab or yhist.dab.
install(TARGETS uvreader uvstat aboutuv uvreport RUNTIME DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/uvmanual.txt DESTINATION .)
