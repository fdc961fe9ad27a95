#include "tests/unit/persistence_fixture.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "timekeeping/state_file.h"
#include "timekeeping/time_log.h"

namespace {

bool setImmutable(const std::string& path, bool on)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
}

}  // namespace

void PersistenceTest::SetUp()
{
    FreshState::SetUp();
    char pattern[] = "/tmp/uravik-persistence-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    previousDirectory_ = std::filesystem::current_path().string();
    std::filesystem::current_path(directory_);
}

void PersistenceTest::TearDown()
{
    for (const std::string& path : unwritable_) {
        setImmutable(path, false);
        chmod(path.c_str(), 0644);
    }
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

std::string PersistenceTest::readFile(const char* name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
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

bool PersistenceTest::makeUnwritable(const char* name)
{
    const std::string path = directory_ + "/" + name;
    unwritable_.push_back(path);
    chmod(path.c_str(), 0444);
    if (geteuid() == 0)
        setImmutable(path, true);
    return access(path.c_str(), W_OK) != 0;
}

void PersistenceTest::makeWritable(const char* name)
{
    const std::string path = directory_ + "/" + name;
    setImmutable(path, false);
    chmod(path.c_str(), 0644);
}

std::vector<std::string> PersistenceTest::captions() const
{
    std::vector<std::string> result;
    for (const FakeHost::Message& m : fakeHost.messages)
        result.push_back(m.caption);
    return result;
}
