# Win32 tests, cross-built and run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
# Each executable is one CTest test: every Wine process start costs seconds.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(uravik_win32_tests
    tests/win32/main_window_test.cpp
    tests/win32/window_above_test.cpp
    tests/win32/serial_probe_test.cpp
    res/uravik.rc
)
target_link_libraries(uravik_win32_tests PRIVATE ${URAVIK_WIN32_LIBS} GTest::gtest_main)
add_test(NAME win32 COMMAND uravik_win32_tests)
# A stand-in serial port for the probe.
set(modem_line_script ${PROJECT_SOURCE_DIR}/tests/win32/modem_line.sh)
add_test(NAME win32_modem_line_setup COMMAND sh ${modem_line_script} make)
add_test(NAME win32_modem_line_cleanup COMMAND sh ${modem_line_script} release)
set_tests_properties(win32_modem_line_setup PROPERTIES FIXTURES_SETUP modem_line)
set_tests_properties(win32_modem_line_cleanup PROPERTIES FIXTURES_CLEANUP modem_line)
set_tests_properties(win32 PROPERTIES FIXTURES_REQUIRED modem_line
    ENVIRONMENT "URAVIK_MODEM_LINE=C:\\uravik-modem-line")

# The whole program, started as a user would, in an empty directory.
add_library(uravik_e2e_support STATIC tests/e2e/e2e_process.cpp tests/e2e/e2e_desktop.cpp)
target_include_directories(uravik_e2e_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(uravik_e2e_support PUBLIC GTest::gtest_main)

# Stands in for the companions and Notepad, recording its command line.
add_executable(stand_in_companion WIN32 tests/e2e/stand_in_companion.cpp)

set(URAVIK_E2E_ENVIRONMENT
    "URAVIK_EXE=$<TARGET_FILE:uravik>"
    "URAVIK_STAND_IN=$<TARGET_FILE:stand_in_companion>"
    "URAVIK_E2E_ARTIFACTS=${CMAKE_BINARY_DIR}/e2e-artifacts")

# Adds an end-to-end test executable as one ctest test.
function(uravik_e2e_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE uravik_e2e_support)
    add_dependencies(${name} uravik stand_in_companion)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${URAVIK_E2E_ENVIRONMENT}")
endfunction()

uravik_e2e_test(uravik_e2e_tests tests/e2e/e2e_test.cpp)
uravik_e2e_test(uravik_commands_e2e_tests tests/e2e/commands_e2e_test.cpp)
uravik_e2e_test(uravik_startup_e2e_tests tests/e2e/startup_e2e_test.cpp)
uravik_e2e_test(uravik_single_instance_e2e_tests tests/e2e/single_instance_e2e_test.cpp)
uravik_e2e_test(uravik_companions_e2e_tests tests/e2e/companions_e2e_test.cpp)
target_link_libraries(uravik_companions_e2e_tests PRIVATE comctl32)
add_dependencies(uravik_companions_e2e_tests uvreader uvstat aboutuv uvmanual)

# The companion programs' windows on a 4 MB log and a working directory of
# their own; the about box's resource gives the test its version.
add_executable(companions_win32_tests
    tests/win32/companions_about_test.cpp
    tests/win32/companions_reader_test.cpp
    tests/win32/companions_stat_test.cpp
    ${CMAKE_BINARY_DIR}/companions/aboutuv.rc
)
target_link_libraries(companions_win32_tests PRIVATE uvlog_companions_win32 uvlog_sample
                      GTest::gtest_main)
target_compile_definitions(companions_win32_tests PRIVATE URAVIK_VERSION="${PROJECT_VERSION}")
add_test(NAME companions_win32 COMMAND companions_win32_tests)

# The refresh economies against plain repaints, in lockstep on a real window
# with a scripted clock and ports.
add_executable(uravik_refresh_replay_tests
    tests/win32/refresh_replay_test.cpp
    tests/win32/scripted_host_win32.cpp
    res/uravik.rc
)
target_link_libraries(uravik_refresh_replay_tests PRIVATE uravik_win32 uravik_core dwmapi
                      GTest::gtest_main)
add_test(NAME refresh_replay COMMAND uravik_refresh_replay_tests)
