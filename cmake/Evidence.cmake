# Evidence under load and faults: a long simulated run through the tick, and
# a sweep that fails each file call of a record and of a start-up in turn.
# Included from Native.cmake once GTest and the fake host are there.

add_executable(uravik_soak_tests
    tests/unit/soak_test.cpp
    tests/unit/persistence_fixture.cpp
)
target_link_libraries(uravik_soak_tests PRIVATE uravik_fake_host uravik_core GTest::gtest_main)
gtest_discover_tests(uravik_soak_tests PROPERTIES TIMEOUT 300)
