// A ysave.dab that cannot be written, through the real Windows file calls
// under Wine, with the message boxes as the user sees them.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/fresh_program_state.h"
#include "timekeeping/clock.h"
#include "timekeeping/state_file.h"

namespace {

// Answers this process's message boxes with OK, as a user would, and keeps
// their captions and texts as "CAPTION: text".
class BoxAnswerer {
public:
    BoxAnswerer()
        : thread_([this] {
              for (; !stop_; Sleep(20))
                  for (HWND box = nullptr;
                       (box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr;) {
                      DWORD owner = 0;
                      GetWindowThreadProcessId(box, &owner);
                      if (owner != GetCurrentProcessId() || !IsWindowVisible(box))
                          continue;
                      char caption[64] = "", text[1024] = "";
                      GetWindowTextA(box, caption, sizeof caption);
                      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                      std::lock_guard<std::mutex> lock(mutex_);
                      boxes_.push_back(std::string(caption) + ": " + text);
                      SendMessageA(box, WM_COMMAND, IDOK, 0);
                  }
          })
    {
    }
    ~BoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> boxes()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }

private:
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> boxes_;
    std::thread thread_;
};

std::string readBytes(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Wine run by root writes through the read-only attribute, so the build
// prepares a directory whose ysave.dab carries the attribute and, where the
// system allows, cannot be written even by root.
TEST(PersistenceFiles, ReadOnlyStateFileIsReportedOnceAndKeptWhole)
{
    const char* prepared = std::getenv("URAVIK_READ_ONLY_STATE_DIR");
    if (prepared == nullptr)
        GTEST_SKIP() << "no prepared directory (run through ctest)";
    ASSERT_TRUE(SetCurrentDirectoryA((std::string("Z:") + prepared).c_str())) << prepared;
    EXPECT_NE(GetFileAttributesA("ysave.dab") & FILE_ATTRIBUTE_READONLY, 0u);
    const std::string before = readBytes("ysave.dab");
    ASSERT_FALSE(before.empty());

    resetProgramState();
    captureDateTime();
    BoxAnswerer answerer;
    loadState();
    EXPECT_EQ(stateFile.startupCount, 57) << "the stored values are read all the same";
    updateCounters();
    saveState();
    saveState();

    const std::vector<std::string> boxes = answerer.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rfind("FILFEL: Uravik hittar inte filen 'ysave.dab'.", 0), 0u) << boxes[0];
    EXPECT_EQ(boxes[1].rfind("FELMEDDELANDE: 'ysave.dab' finns inte, ", 0), 0u) << boxes[1];
    EXPECT_EQ(readBytes("ysave.dab"), before);
    EXPECT_EQ(GetFileAttributesA("ysave.tmp"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
