// Reads a running program's window as a test needs it under Wine, where no
// accessibility bus reaches: prints one line per child window of the first
// visible top-level window whose title starts with the first argument, as
// "<class>\t<visible 0/1>\t<text>" in UTF-8. Edit boxes give their text and
// a status bar its first field, which is all the tests read.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace
{

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
    return bytes;
}

// The window's text, without waiting long on a program that is busy.
std::wstring TextOf(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return std::wstring();
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(copied);
    // One line per window.
    for (wchar_t& c : text)
        if (c == L'\n' || c == L'\r' || c == L'\t')
            c = L' ';
    return text;
}

struct Search
{
    std::wstring prefix;
    HWND found = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data)
{
    Search& search = *reinterpret_cast<Search*>(data);
    if (IsWindowVisible(window) && TextOf(window).rfind(search.prefix, 0) == 0)
    {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND window, LPARAM)
{
    wchar_t className[256] = L"";
    GetClassNameW(window, className, 256);
    std::printf("%s\t%d\t%s\n", Utf8(className).c_str(), IsWindowVisible(window) ? 1 : 0,
                Utf8(TextOf(window)).c_str());
    return TRUE;
}

} // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2)
        return 2;
    Search search;
    search.prefix = arguments[1];
    LocalFree(arguments);
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return 1;
    EnumChildWindows(search.found, PrintChild, 0);
    return 0;
}
