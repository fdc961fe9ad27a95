#pragma once
// A fixture that gives each test a freshly started program and a fresh fake.

#include <gtest/gtest.h>

#include "tests/fake_host/fake_host.h"
#include "tests/fresh_program_state.h"

class FreshState : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeHost = FakeHost{};
        resetProgramState();
    }
};
