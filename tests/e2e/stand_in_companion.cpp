// Stands in for a companion program in the end-to-end tests: writes the
// command line it was started with to started-NAME.txt in its working
// directory, NAME being its own file name (one file each, as companions
// started together would otherwise write over each other's lines).

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string name = std::strrchr(path, '\\') + 1;
    std::ofstream("started-" + name + ".txt", std::ios::binary) << GetCommandLineA() << '\n';
    return 0;
}
