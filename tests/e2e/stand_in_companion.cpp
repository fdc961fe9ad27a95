// Stands in for a companion program in the end-to-end tests: writes the
// command line it was started with to started-NAME.txt in its working
// directory, NAME being its own file name (one file each, as companions
// started together would otherwise write over each other's lines).

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    if (FILE* out = std::fopen(("started-" + name + ".txt").c_str(), "wb")) {
        std::fprintf(out, "%s\n", GetCommandLineA());
        std::fclose(out);
    }
    return 0;
}
