# Win32 tests, cross-built and run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
# Each executable is one CTest test: every Wine process start costs seconds.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(uravik_win32_tests
    tests/win32/main_window_test.cpp
    tests/win32/window_above_test.cpp
    res/uravik.rc
)
target_link_libraries(uravik_win32_tests PRIVATE ${URAVIK_WIN32_LIBS} GTest::gtest_main)
add_test(NAME win32 COMMAND uravik_win32_tests)

# The whole program, started as a user would, in an empty directory.
add_executable(uravik_e2e_tests tests/e2e/e2e_test.cpp tests/e2e/e2e_process.cpp)
target_link_libraries(uravik_e2e_tests PRIVATE GTest::gtest_main)
target_include_directories(uravik_e2e_tests PRIVATE ${PROJECT_SOURCE_DIR})
add_dependencies(uravik_e2e_tests uravik)
add_test(NAME e2e COMMAND uravik_e2e_tests)
set_tests_properties(e2e PROPERTIES ENVIRONMENT "URAVIK_EXE=$<TARGET_FILE:uravik>")
