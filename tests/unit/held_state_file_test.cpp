// A sound ysave.dab that another program (a backup, a virus scanner) holds
// while Uravik starts: it is waited for, then read later, and never replaced
// by totals that did not start from it.

#include <gmock/gmock.h>

#include "app/run_pause.h"
#include "app/window_events.h"
#include "common/data_file_format.h"
#include "tests/sample_state.h"
#include "tests/unit/file_call_faults.h"
#include "tests/unit/persistence_fixture.h"
#include "timekeeping/persistence_texts.h"

namespace faults = file_call_faults;
using data_file_format::logFileName;
using data_file_format::stateFileName;

namespace {

using HeldStateFile = PersistenceTest;

// Held for two seconds at start-up it is waited for; held longer it is told.
TEST_F(HeldStateFile, WaitedForThenToldThenReadAtALaterRecordAndNeverReplacedMeanwhile)
{
    writeFile(stateFileName, sampleState());
    writeFile(logFileName, "");
    fakeHost.titles = {{11, "Anteckningar"}};
    faults::hold(stateFileName);
    fakeHost.whileWaiting = [] {
        if (fakeHost.waitedMs >= 2000)
            faults::hold("");
    };
    startUp();
    EXPECT_TRUE(fakeHost.messages.empty());
    EXPECT_EQ(stateFile.startupCount, 57);

    faults::hold(stateFileName);
    fakeHost.whileWaiting = nullptr;
    startUp();
    EXPECT_THAT(fakeHost.messages,
                ::testing::ElementsAre(FakeHost::Message{persistence_texts::stateHeldMessage,
                                                         "FILFEL", host::MessageIcon::none}));
    EXPECT_FALSE(exists("ysave.old"));

    // The run's header waits for the start-up number; nothing is saved.
    ticksWith(11, 5);
    runFor(60'000);
    suspendRun();
    resumeRun();
    EXPECT_EQ(readFile(logFileName), "");
    EXPECT_EQ(readFile(stateFileName), sampleState());

    // Once free it is read at the next refresh, so the totals shown go on
    // from it, and the next record writes the header.
    faults::hold("");
    ticksWith(0, 9);
    EXPECT_EQ(clockState.savedHours, 312);
    ticksWith(11);
    EXPECT_THAT(readFile(logFileName), ::testing::HasSubstr("Uppstart nr=  57 "));
    EXPECT_EQ(readFile(stateFileName),
              "57   =Uppstarter\n312   =Timmar totalt\n06   =Minuter totalt\n"
              "49   =Sekunder totalt\n1201   =Applikationer totalt\n4000000\n\nSlut\n");
    EXPECT_EQ(fakeHost.messages.size(), 1u);
}

}  // namespace
