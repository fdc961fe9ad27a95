// The state file, the log and the history through the real Windows file
// calls under Wine: CR LF line ends on disk, the read-only attribute, and the
// message boxes as the user sees them.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/shell_state.h"
#include "common/data_file_format.h"
#include "tests/fresh_program_state.h"
#include "tests/sample_state.h"
#include "timekeeping/clock.h"
#include "timekeeping/persistence_texts.h"
#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

// The data files' names, and the messages about them.
namespace texts {
using namespace data_file_format;
using namespace persistence_texts;
}  // namespace texts

namespace {

struct Box {
    std::string caption;
    std::string text;
};

BOOL CALLBACK collectLongestStatic(HWND child, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    char text[1024] = "";
    GetWindowTextA(child, text, sizeof text);
    auto* longest = reinterpret_cast<std::string*>(found);
    if (lstrcmpiA(name, "Static") == 0 && std::string(text).size() > longest->size())
        *longest = text;
    return TRUE;
}

// Answers this process's message boxes with OK, as a user would, and keeps
// their captions and texts.
class BoxAnswerer {
public:
    BoxAnswerer() : thread_([this] { run(); }) {}
    ~BoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    std::vector<Box> boxes()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }

private:
    void run()
    {
        while (!stop_) {
            for (HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr); box;
                 box = FindWindowExA(nullptr, box, "#32770", nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(box, &owner);
                if (owner != GetCurrentProcessId() || !IsWindowVisible(box))
                    continue;
                Box seen;
                char caption[64] = "";
                GetWindowTextA(box, caption, sizeof caption);
                seen.caption = caption;
                EnumChildWindows(box, collectLongestStatic, reinterpret_cast<LPARAM>(&seen.text));
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    boxes_.push_back(seen);
                }
                SendMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(20);
        }
    }
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread thread_;
};

std::string readBytes(const char* name)
{
    std::string content;
    if (std::FILE* file = std::fopen(name, "rb")) {
        char chunk[4096];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
            content.append(chunk, n);
        std::fclose(file);
    }
    return content;
}

void writeText(const char* name, const char* content)
{
    std::FILE* file = std::fopen(name, "w");
    std::fputs(content, file);
    std::fclose(file);
}

// Message boxes delivered from the texts have the lines as MessageBoxA shows
// them; compare by the first line, which names the file and the fault.
std::string firstLine(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

class PersistenceFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetProgramState();
        GetCurrentDirectoryA(sizeof previous_, previous_);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        directory_ = std::string(temp) + "uravik-persistence-" +
                     std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64());
        CreateDirectoryA(directory_.c_str(), nullptr);
        SetCurrentDirectoryA(directory_.c_str());
        captureDateTime();
    }
    void TearDown() override
    {
        SetCurrentDirectoryA(directory_.c_str());
        for (const char* name : {texts::stateFileName, texts::logFileName, texts::historyFileName,
                                 texts::stateTempFileName, texts::historyTempFileName}) {
            SetFileAttributesA(name, FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(name);
        }
        SetCurrentDirectoryA(previous_);
        RemoveDirectoryA(directory_.c_str());
    }
    std::string directory_;
    char previous_[MAX_PATH] = "";
};

const std::string storedState = sampleState();

TEST_F(PersistenceFiles, SavedStateHasCrLfLineEndsAndReadsBackWhole)
{
    writeText(texts::stateFileName, storedState.c_str());
    BoxAnswerer answerer;
    loadState();
    EXPECT_EQ(stateFile.startupCount, 57);
    updateCounters();
    saveState();
    const std::string saved = readBytes(texts::stateFileName);
    EXPECT_EQ(saved.substr(0, 18), "57   =Uppstarter\r\n");
    const std::string tail = "totalt\r\n4000000\r\n\r\nSlut\r\n";
    EXPECT_EQ(saved.substr(saved.size() - tail.size()), tail);
    EXPECT_EQ(GetFileAttributesA(texts::stateTempFileName), INVALID_FILE_ATTRIBUTES);

    stateFile = StateFileState{};
    loadState();
    EXPECT_EQ(stateFile.startupCount, 58);
    EXPECT_STREQ(stateFile.maxLogSizeText, "4000000\n");
    EXPECT_TRUE(answerer.boxes().empty());
}

// Wine run by root writes through the read-only attribute, so the build
// prepares a directory whose ysave.dab carries the attribute and, where the
// system allows, cannot be written even by root.
TEST_F(PersistenceFiles, ReadOnlyStateFileIsReportedAndKeptWhole)
{
    const char* prepared = std::getenv("URAVIK_READ_ONLY_STATE_DIR");
    if (prepared == nullptr)
        GTEST_SKIP() << "no prepared directory (run through ctest)";
    ASSERT_TRUE(SetCurrentDirectoryA((std::string("Z:") + prepared).c_str())) << prepared;
    EXPECT_NE(GetFileAttributesA(texts::stateFileName) & FILE_ATTRIBUTE_READONLY, 0u);
    const std::string before = readBytes(texts::stateFileName);
    ASSERT_FALSE(before.empty());

    BoxAnswerer answerer;
    loadState();
    EXPECT_EQ(stateFile.startupCount, 57) << "the stored values are read all the same";
    updateCounters();
    saveState();
    saveState();

    const std::vector<Box> boxes = answerer.boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "FILFEL");
    EXPECT_EQ(firstLine(boxes[0].text), firstLine(texts::stateNotFoundMessage));
    EXPECT_EQ(boxes[1].caption, "FELMEDDELANDE");
    EXPECT_EQ(firstLine(boxes[1].text), firstLine(texts::stateNotWrittenMessage));
    EXPECT_EQ(readBytes(texts::stateFileName), before);
    EXPECT_EQ(GetFileAttributesA(texts::stateTempFileName), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PersistenceFiles, LogAndHistoryKeepTheirLinesAsWritten)
{
    writeText(texts::stateFileName, storedState.c_str());
    writeText(texts::logFileName, "");
    BoxAnswerer answerer;
    loadState();
    updateCounters();
    writeLogRecord();
    const std::string log = readBytes(texts::logFileName);
    EXPECT_EQ(log.substr(168, 4), "==\r\n");
    EXPECT_EQ(log.substr(log.size() - 12), "57        \r\n");

    std::snprintf(stateFile.maxLogSizeText, sizeof stateFile.maxLogSizeText, "10\n");
    checkLogSize();
    EXPECT_EQ(readBytes(texts::historyFileName), "HISTORIA\r\n" + log);
    EXPECT_EQ(readBytes(texts::logFileName), "");

    // Bytes that a text-mode copy would stop at (Ctrl-Z) or drop are moved too.
    const std::string odd = std::string("before \x1a after\r\n") + '\0' + "\xff\r\n\x1a";
    if (std::FILE* file = std::fopen(texts::logFileName, "wb")) {
        std::fwrite(odd.data(), 1, odd.size(), file);
        std::fclose(file);
    }
    checkLogSize();
    EXPECT_EQ(readBytes(texts::historyFileName), "HISTORIA\r\n" + odd);
    EXPECT_EQ(readBytes(texts::logFileName), "");
    EXPECT_TRUE(answerer.boxes().empty());
}

}  // namespace
