// A stand-in for a browser: appends the arguments it was started with, one
// per line in UTF-8, to the file named by MINDPRISM_STAND_IN_LOG, so a test
// sees exactly what a real program would have received.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int main()
{
    wchar_t log[MAX_PATH];
    if (!GetEnvironmentVariableW(L"MINDPRISM_STAND_IN_LOG", log, MAX_PATH))
        return 1;
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    FILE* out = _wfopen(log, L"ab");
    if (!arguments || !out)
        return 1;
    for (int i = 1; i < count; ++i)
    {
        const int size = WideCharToMultiByte(CP_UTF8, 0, arguments[i], -1, nullptr, 0, nullptr, nullptr);
        std::string line(size > 0 ? size - 1 : 0, '\0');
        WideCharToMultiByte(CP_UTF8, 0, arguments[i], -1, &line[0], size, nullptr, nullptr);
        std::fprintf(out, "%s\n", line.c_str());
    }
    std::fclose(out);
    LocalFree(arguments);
    return 0;
}
