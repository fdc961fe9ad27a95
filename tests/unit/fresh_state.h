#pragma once
// A fixture that gives each test a freshly started program and a fresh fake.

#include <gtest/gtest.h>

#include "app/port_watch.h"
#include "app/shell_state.h"
#include "tests/fake_host/fake_host.h"
#include "timekeeping/clock.h"

class FreshState : public ::testing::Test {
protected:
    void SetUp() override
    {
        fakeHost = FakeHost{};
        clockState = ClockState{};
        shell = ShellState{};
        shared = SharedState{};
        portWatch = PortWatchState{};
    }
};
