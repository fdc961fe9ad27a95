#include <utility>
#include <vector>

#include "tests/unit/persistence_fixture.h"

namespace {

// Takes the inventory with `ports` free and returns the ports it probed.
std::vector<int> availableAtStartup(std::initializer_list<int> ports)
{
    for (int n : ports)
        fakeHost.portOpens[n] = true;
    takePortInventory();
    return std::exchange(fakeHost.probes, {});
}

// The ports some passes probed, and whether the line is then on.
using Passes = std::pair<std::vector<int>, int>;

Passes pass(int passes)
{
    for (int i = 0; i < passes; ++i)
        watchPortStep();
    return {std::exchange(fakeHost.probes, {}), shared.modemOnline};
}

using PortWatch = FreshState;

TEST_F(PortWatch, InventoryProbesAllSevenAndTheRoundNeverTriesCom7)
{
    EXPECT_EQ(availableAtStartup({1, 2, 3, 4, 5, 6, 7}), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    // The round starts at COM2; its seventh pass is idle.
    EXPECT_EQ(pass(14), Passes({2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 1}, 0));
    EXPECT_EQ(shared.probedPort, 1);
}

TEST_F(PortWatch, HeldPortIsRetriedEveryPassUntilItOpensAgain)
{
    availableAtStartup({2, 4});
    EXPECT_EQ(pass(1), Passes({2}, 0));
    fakeHost.portOpens[4] = false;  // the modem dials out on COM4
    EXPECT_EQ(pass(2), Passes({4}, 1));
    EXPECT_EQ(shared.probedPort, 4);
    EXPECT_EQ(pass(3), Passes({4, 4, 4}, 1));
    fakeHost.portOpens[4] = true;  // hung up
    EXPECT_EQ(pass(1), Passes({4}, 0));
    pass(1);
    EXPECT_EQ(portWatch.watchedPort, 5);
}

TEST_F(PortWatch, APortThatIsGoneIsNoConnection)
{
    availableAtStartup({2, 4});
    fakeHost.portOpens[4] = false;  // the USB serial adapter is unplugged
    fakeHost.portMissing[4] = true;
    EXPECT_EQ(pass(3), Passes({2, 4}, 0));
    EXPECT_EQ(pass(1), Passes({}, 0)) << "the watch moves on";

    pass(5);  // back round to COM4, now held by a connection
    fakeHost.portMissing[4] = false;
    ASSERT_EQ(pass(1), Passes({4}, 1));
    fakeHost.portMissing[4] = true;  // unplugged while on line
    EXPECT_EQ(pass(1), Passes({4}, 0));
}

TEST_F(PortWatch, AModemAlreadyUpAtStartIsNeverSeenAndNothingIsProbedBeforeInventory)
{
    // Before the inventory every flag is 0: passes probe nothing but advance.
    EXPECT_EQ(pass(3), Passes({}, 0));
    EXPECT_EQ(portWatch.watchedPort, 4);
    availableAtStartup({1});  // COM3 is held by a connection from before start-up
    EXPECT_EQ(pass(3), Passes({}, 0)) << "COM1 waits for the seventh pass";
    EXPECT_EQ(shared.probedPort, 0);
    EXPECT_EQ(pass(20), Passes({1, 1, 1}, 0));
}

}  // namespace
