// A stand-in for a browser or mail program on Windows: appends one record of
// the arguments it was started with to the file named by
// MINDPRISM_STAND_IN_LOG (each argument in UTF-8 followed by a unit
// separator, then a record separator, written at once), so a test sees
// exactly what a real program would have received.
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
    if (!arguments)
        return 1;
    std::string record;
    for (int i = 1; i < count; ++i)
    {
        const int size = WideCharToMultiByte(CP_UTF8, 0, arguments[i], -1, nullptr, 0, nullptr, nullptr);
        std::string argument(size > 0 ? size - 1 : 0, '\0');
        WideCharToMultiByte(CP_UTF8, 0, arguments[i], -1, &argument[0], size, nullptr, nullptr);
        record += argument + '\037';
    }
    record += '\036';
    LocalFree(arguments);
    FILE* out = _wfopen(log, L"ab");
    if (!out)
        return 1;
    const bool written = std::fwrite(record.data(), 1, record.size(), out) == record.size();
    return std::fclose(out) == 0 && written ? 0 : 1;
}
