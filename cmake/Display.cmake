# Display: the colour table, value texts and font style codes (portable),
# the drawing primitives, fonts and painting (Win32), and their tests.
target_sources(uravik_core PRIVATE
    display/colours.cpp
    display/font_style.cpp
    display/refresh_cache.cpp
    display/value_texts.cpp
)

if(NOT WIN32)
    if(URAVIK_TESTS)
        find_package(GTest REQUIRED)
        include(GoogleTest)
        add_executable(uravik_display_unit_tests
            tests/unit/display_colours_test.cpp
            tests/unit/display_value_texts_test.cpp
        )
        target_link_libraries(uravik_display_unit_tests PRIVATE
            uravik_fake_host uravik_core GTest::gtest_main)
        gtest_discover_tests(uravik_display_unit_tests)
    endif()
    return()
endif()

target_sources(uravik_win32 PRIVATE
    display/box_coverage_win32.cpp
    display/draw_primitives_win32.cpp
    display/fonts_win32.cpp
    display/settings_block_win32.cpp
)

if(URAVIK_TESTS)
    # Pixel tests on memory DCs, one Wine process. The reference images live
    # in the source tree and are read from the working directory; to render
    # them afresh run the test with URAVIK_UPDATE_REFERENCES=1 set.
    add_executable(uravik_display_tests
        tests/win32/clipped_paint_test.cpp
        tests/win32/display_canvas.cpp
        tests/win32/paint_main_view_test.cpp
    )
    target_link_libraries(uravik_display_tests PRIVATE ${URAVIK_WIN32_LIBS} GTest::gtest_main)
    add_test(NAME display COMMAND uravik_display_tests
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}/tests/win32/reference)

    # Prints the time of a full paint and of a refresh paint; not a test.
    add_executable(uravik_paint_bench bench/paint_bench_win32.cpp tests/win32/display_canvas.cpp)
    target_link_libraries(uravik_paint_bench PRIVATE ${URAVIK_WIN32_LIBS})
endif()
