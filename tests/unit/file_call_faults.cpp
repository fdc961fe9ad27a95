#include "tests/unit/file_call_faults.h"

#include <stdio_ext.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <set>

#include "tests/fake_host/fake_host.h"

namespace file_call_faults {
namespace {

struct Recorder {
    int failAt = -1;  // the call to fail, from 1; 0 for none, -1 while not recording
    std::vector<FileCall> calls;
    std::map<std::FILE*, FileCall> streams;  // their opens while armed, until closed
    std::set<std::FILE*> failedStreams;      // an injected failure set their error indicator
};

Recorder recorder;
std::string heldFile;

// Records a call by name; true when it is the one to fail, which sets errno
// as a locked file would.
bool failsNow(const char* name, const std::string& file, const std::string& mode = "")
{
    if (recorder.failAt < 0)
        return false;
    recorder.calls.push_back({name, file, mode});
    if (static_cast<int>(recorder.calls.size()) != recorder.failAt)
        return false;
    errno = EACCES;
    return true;
}

// Records a call on a stream opened while armed; true when it is the one to
// fail, which sets the stream's error indicator and errno. A failed flush or
// close (`drop`) loses what was still buffered, as when the write to the
// device fails: it is not kept for the close to write after all.
bool streamFailsNow(const char* name, std::FILE* file, int error, bool drop = false)
{
    const auto found = recorder.streams.find(file);
    if (found == recorder.streams.end() || !failsNow(name, found->second.file, found->second.mode))
        return false;
    recorder.failedStreams.insert(file);
    errno = error;
    if (drop)
        __fpurge(file);
    return true;
}

}  // namespace

void arm(int failAt)
{
    recorder = Recorder{};
    recorder.failAt = failAt;
    fakeHost.fileCallFails = [](const char* call, const char* name, std::FILE* stream) {
        return stream != nullptr ? streamFailsNow(call, stream, EIO) : failsNow(call, name);
    };
}

std::vector<FileCall> disarm()
{
    recorder.failAt = -1;
    return recorder.calls;
}

void hold(const std::string& file)
{
    heldFile = file;
}

// The names GNU ld gives the wrapped calls: __real_X is the original X, and
// every reference to X in the linked objects goes to __wrap_X. Their C
// linkage puts them outside the namespace at link time.
extern "C" {

std::FILE* __real_fopen(const char* path, const char* mode);
int __real_fclose(std::FILE* file);
int __real_fflush(std::FILE* file);
int __real_ferror(std::FILE* file);
int __real_fputs(const char* text, std::FILE* file);
std::size_t __real_fwrite(const void* data, std::size_t size, std::size_t count, std::FILE* file);
char* __real_fgets(char* buffer, int size, std::FILE* file);
std::size_t __real_fread(void* data, std::size_t size, std::size_t count, std::FILE* file);
int __real_remove(const char* path);

std::FILE* __wrap_fopen(const char* path, const char* mode)
{
    if (heldFile == path || failsNow("fopen", path, mode)) {
        errno = EACCES;
        return nullptr;
    }
    std::FILE* file = __real_fopen(path, mode);
    if (file != nullptr && recorder.failAt >= 0)
        recorder.streams[file] = {"fopen", path, mode};
    return file;
}

int __wrap_fclose(std::FILE* file)
{
    // The stream is gone whether or not its last write reached the file.
    const bool fails = streamFailsNow("fclose", file, EIO, true);
    recorder.streams.erase(file);
    recorder.failedStreams.erase(file);
    return __real_fclose(file) != 0 || fails ? EOF : 0;
}

int __wrap_fflush(std::FILE* file)
{
    // A flush of every stream (a null one) is never one to fail.
    return streamFailsNow("fflush", file, ENOSPC, true) ? EOF : __real_fflush(file);
}

int __wrap_ferror(std::FILE* file)
{
    return __real_ferror(file) != 0 || recorder.failedStreams.count(file) != 0;
}

int __wrap_fputs(const char* text, std::FILE* file)
{
    return streamFailsNow("fputs", file, ENOSPC) ? EOF : __real_fputs(text, file);
}

std::size_t __wrap_fwrite(const void* data, std::size_t size, std::size_t count, std::FILE* file)
{
    return streamFailsNow("fwrite", file, ENOSPC) ? 0 : __real_fwrite(data, size, count, file);
}

char* __wrap_fgets(char* buffer, int size, std::FILE* file)
{
    return streamFailsNow("fgets", file, EIO) ? nullptr : __real_fgets(buffer, size, file);
}

std::size_t __wrap_fread(void* data, std::size_t size, std::size_t count, std::FILE* file)
{
    return streamFailsNow("fread", file, EIO) ? 0 : __real_fread(data, size, count, file);
}

int __wrap_remove(const char* path)
{
    return failsNow("remove", path) ? -1 : __real_remove(path);
}

}  // extern "C"

}  // namespace file_call_faults
