#include "tests/unit/persistence_fixture.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/window_events.h"

namespace {

void setUnwritable(const std::string& path, bool on)
{
    chmod(path.c_str(), on ? 0444 : 0644);
    // A file that cannot be opened fails the ioctl and the close alike (-1).
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
}

struct ScratchFolder {
    std::string path;
    ScratchFolder()
    {
        char pattern[] = "/tmp/uravik-scratch-XXXXXX";
        path = mkdtemp(pattern) != nullptr ? pattern : ::testing::TempDir();
    }
    ~ScratchFolder()
    {
        if (path.rfind("/tmp/uravik-scratch-", 0) == 0)
            std::filesystem::remove_all(path);
    }
};

}  // namespace

std::string scratchPath(const std::string& name)
{
    static const ScratchFolder folder;
    return folder.path + "/" + name;
}

void PersistenceTest::SetUp()
{
    FreshState::SetUp();
    directory_ = scratchPath("files");
    ASSERT_TRUE(std::filesystem::create_directory(directory_));
    previousDirectory_ = std::filesystem::current_path().string();
    std::filesystem::current_path(directory_);
}

void PersistenceTest::TearDown()
{
    for (const std::string& path : unwritable_)
        setUnwritable(path, false);
    std::filesystem::current_path(previousDirectory_);
    std::filesystem::remove_all(directory_);
}

void PersistenceTest::startRun(std::uint64_t tick)
{
    fakeHost.tick = tick;
    captureDateTime();
}

void PersistenceTest::runFor(std::uint64_t ms)
{
    fakeHost.tick += ms;
    updateCounters();
}

void PersistenceTest::startUp(std::uint64_t tick)
{
    resetProgramState();
    fakeHost.messages.clear();
    startRun(tick);
    shared.mainWindow = 77;
    loadDataFiles();
}

void PersistenceTest::ticks(int count)
{
    for (int i = 0; i < count; ++i) {
        fakeHost.tick += 100;
        runTick();
    }
}

void PersistenceTest::ticksWith(host::WindowHandle window, int count)
{
    fakeHost.windowAbove = window;
    ticks(count);
}

std::string PersistenceTest::readFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> PersistenceTest::readLines(const char* name)
{
    std::vector<std::string> lines;
    std::ifstream in(name, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

void PersistenceTest::writeFile(const char* name, const std::string& content)
{
    std::ofstream(name, std::ios::binary) << content;
}

bool PersistenceTest::exists(const char* name)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(name, error));
}

bool PersistenceTest::setReadOnly(const char* name, bool on)
{
    unwritable_.push_back(directory_ + "/" + name);
    setUnwritable(unwritable_.back(), on);
    return access(name, W_OK) != 0;
}
