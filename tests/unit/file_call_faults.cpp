#include "tests/unit/file_call_faults.h"

#include "tests/fake_host/fake_host.h"

#include <stdio_ext.h>

#include <cerrno>
#include <cstdio>
#include <map>

namespace file_call_faults {
namespace {

struct Stream {
    std::string file;
    std::string mode;
    bool failed = false;  // an injected failure set its error indicator
};

struct Recorder {
    bool armed = false;
    int failAt = 0;
    std::vector<FileCall> calls;
    std::map<std::FILE*, Stream> streams;  // opened while armed, until closed
};

Recorder recorder;

// Records the call; true when it is the one to fail.
bool failsNow(const char* name, const std::string& file, const std::string& mode)
{
    recorder.calls.push_back({name, file, mode});
    return static_cast<int>(recorder.calls.size()) == recorder.failAt;
}

// The stream's record when calls on it are being recorded.
Stream* watched(std::FILE* file)
{
    if (!recorder.armed)
        return nullptr;
    const auto found = recorder.streams.find(file);
    return found == recorder.streams.end() ? nullptr : &found->second;
}

bool streamFailsNow(const char* name, Stream* stream, int error)
{
    if (stream == nullptr || !failsNow(name, stream->file, stream->mode))
        return false;
    stream->failed = true;
    errno = error;
    return true;
}

bool namedCallFailsNow(const char* name, const char* file)
{
    return recorder.armed && failsNow(name, file, "");
}

}  // namespace

void arm(int failAt)
{
    recorder = Recorder{};
    recorder.armed = true;
    recorder.failAt = failAt;
    // The seam's file calls fail through the fake host.
    fakeHost.fileCallFails = [](const char* call, const char* name, std::FILE* stream) {
        return stream != nullptr ? streamFailsNow(call, watched(stream), EIO)
                                 : namedCallFailsNow(call, name);
    };
}

std::vector<FileCall> disarm()
{
    recorder.armed = false;
    fakeHost.fileCallFails = nullptr;
    return recorder.calls;
}

}  // namespace file_call_faults

using file_call_faults::namedCallFailsNow;
using file_call_faults::recorder;
using file_call_faults::streamFailsNow;
using file_call_faults::watched;

// The names GNU ld gives the wrapped calls: __real_X is the original X, and
// every reference to X in the linked objects goes to __wrap_X.
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
    if (!recorder.armed)
        return __real_fopen(path, mode);
    if (file_call_faults::failsNow("fopen", path, mode)) {
        errno = EACCES;
        return nullptr;
    }
    std::FILE* file = __real_fopen(path, mode);
    if (file != nullptr)
        recorder.streams[file] = {path, mode, false};
    return file;
}

int __wrap_fclose(std::FILE* file)
{
    const bool fails = streamFailsNow("fclose", watched(file), EIO);
    // The stream is gone whether or not its last write reached the file; a
    // failed close loses what was still buffered.
    if (fails)
        __fpurge(file);
    recorder.streams.erase(file);
    const int result = __real_fclose(file);
    return fails ? EOF : result;
}

int __wrap_fflush(std::FILE* file)
{
    if (file == nullptr || !streamFailsNow("fflush", watched(file), ENOSPC))
        return __real_fflush(file);
    // As when the write to the device fails: the buffer is dropped, not kept
    // for the close to write after all.
    __fpurge(file);
    return EOF;
}

int __wrap_ferror(std::FILE* file)
{
    if (__real_ferror(file) != 0)
        return 1;
    const auto found = recorder.streams.find(file);
    return found != recorder.streams.end() && found->second.failed ? 1 : 0;
}

int __wrap_fputs(const char* text, std::FILE* file)
{
    if (streamFailsNow("fputs", watched(file), ENOSPC))
        return EOF;
    return __real_fputs(text, file);
}

std::size_t __wrap_fwrite(const void* data, std::size_t size, std::size_t count, std::FILE* file)
{
    if (streamFailsNow("fwrite", watched(file), ENOSPC))
        return 0;
    return __real_fwrite(data, size, count, file);
}

char* __wrap_fgets(char* buffer, int size, std::FILE* file)
{
    if (streamFailsNow("fgets", watched(file), EIO))
        return nullptr;
    return __real_fgets(buffer, size, file);
}

std::size_t __wrap_fread(void* data, std::size_t size, std::size_t count, std::FILE* file)
{
    if (streamFailsNow("fread", watched(file), EIO))
        return 0;
    return __real_fread(data, size, count, file);
}

int __wrap_remove(const char* path)
{
    if (namedCallFailsNow("remove", path)) {
        errno = EACCES;
        return -1;
    }
    return __real_remove(path);
}

}  // extern "C"
