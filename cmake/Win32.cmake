# The Win32 program and its tests (MinGW-w64 cross builds).
enable_language(RC)

# Vista and later: GetTickCount64 keeps counting past 49.7 days.
add_compile_definitions(_WIN32_WINNT=0x0600 WINVER=0x0600 NOMINMAX)
# No MinGW DLLs beside the exe.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

# Object libraries, so the seam's definitions are always linked whatever
# the order of the static libraries that call them.
# Scoped GDI objects, window classes, the message loop and handle casts, for
# the program and the companions alike.
add_library(uravik_win32_helpers STATIC win32/window_basics_win32.cpp)
target_include_directories(uravik_win32_helpers PUBLIC ${PROJECT_SOURCE_DIR})

add_library(uravik_host_win32 OBJECT host/host_win32.cpp)
target_include_directories(uravik_host_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(uravik_host_win32 PUBLIC uravik_win32_helpers)

add_library(uravik_win32 OBJECT
    app/commands_win32.cpp
    app/main_window_win32.cpp
    app/single_instance_win32.cpp
    app/window_proc_win32.cpp
    display/paint_window_win32.cpp
)
target_link_libraries(uravik_win32 PUBLIC uravik_core uravik_win32_helpers)

set(URAVIK_WIN32_LIBS uravik_win32 uravik_host_win32 uravik_core dwmapi)

add_executable(uravik WIN32 app/winmain_win32.cpp res/uravik.rc)
target_link_libraries(uravik PRIVATE ${URAVIK_WIN32_LIBS})

include(cmake/Companions.cmake)

if(URAVIK_TESTS)
    include(cmake/Win32Tests.cmake)
endif()

include(cmake/Display.cmake)
include(cmake/Packaging.cmake)
include(cmake/Performance.cmake)
include(cmake/Persistence.cmake)
