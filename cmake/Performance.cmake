# Tools that measure Uravik's cost under Wine (see docs/PERFORMANCE.md);
# built with the tests only.
if(URAVIK_TESTS)
    add_executable(idle_baseline WIN32 bench/idle_baseline_win32.cpp)
    add_executable(first_paint bench/first_paint_win32.cpp)
    target_link_libraries(first_paint PRIVATE uravik_e2e_support)
endif()
