# Evidence under load and faults: a long simulated run through the tick, and
# a sweep that fails each file call of a record and of a start-up in turn.
# Included from Native.cmake once GTest and the fake host are there.

add_executable(uravik_soak_tests
    tests/unit/soak_test.cpp
    tests/unit/persistence_fixture.cpp
)
target_link_libraries(uravik_soak_tests PRIVATE uravik_fake_host uravik_core GTest::gtest_main)
gtest_discover_tests(uravik_soak_tests PROPERTIES TIMEOUT 300)

# The product's file calls go through the failing wrappers of
# file_call_faults.cpp: the C library's stream calls (the seam's file calls
# fail through the fake host).
set(uravik_wrapped_file_calls fopen fclose fflush ferror fputs fwrite fgets fread remove)
add_executable(uravik_fault_sweep_tests
    tests/unit/fault_sweep_test.cpp
    tests/unit/file_call_faults.cpp
    tests/unit/persistence_fixture.cpp
)
target_link_libraries(uravik_fault_sweep_tests PRIVATE
    uravik_fake_host uravik_core GTest::gtest_main)
foreach(call IN LISTS uravik_wrapped_file_calls)
    target_link_options(uravik_fault_sweep_tests PRIVATE "LINKER:--wrap=${call}")
endforeach()
gtest_discover_tests(uravik_fault_sweep_tests PROPERTIES TIMEOUT 300)
