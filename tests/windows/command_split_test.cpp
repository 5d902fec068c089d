// Open commands on Windows: split by Windows' rules (backslashes in paths
// stay, double quotes group), and an address handed to the program the way
// the hyperlink control does it arrives as one argument, exactly as given.
#include "test_support.h"

#include "widgets/command_split.h"

#include <wx/filename.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{

// What the stand-in program receives when `address` is opened the way the
// hyperlink control opens it: the registered command split, the address put
// in place of its slot, the arguments handed to the toolkit.
std::string ArgumentsReceived(const wxString& address)
{
    TempDir dir;
    const wxString log = dir.File(wxS("arguments.txt"));
    wxSetEnv(wxS("MINDPRISM_STAND_IN_LOG"), log);
    const wxString standIn = wxFileName(wxString::FromUTF8(MINDPRISM_STAND_IN)).GetFullPath();
    const wxString slot = wxS("ADDRESS");
    wxArrayString arguments = SplitOpenCommand(wxS("\"") + standIn + wxS("\" --new \"") + slot + wxS("\""));
    for (wxString& argument : arguments)
        argument.Replace(slot, address);
    EXPECT_EQ(StartProgram(arguments, wxEXEC_SYNC), 0);
    return ReadBytes(log);
}

wxArrayString Strings(std::initializer_list<const wchar_t*> items)
{
    wxArrayString strings;
    for (const wchar_t* item : items)
        strings.Add(item);
    return strings;
}

} // namespace

TEST(OpenCommand, SplitsTheWayWindowsProgramsDo)
{
    EXPECT_EQ(SplitOpenCommand(wxS("\"C:\\Program Files\\Browser\\browser.exe\" -osint -url \"%1\"")),
              Strings({L"C:\\Program Files\\Browser\\browser.exe", L"-osint", L"-url", L"%1"}));
    EXPECT_EQ(SplitOpenCommand(wxS("C:\\Windows\\system32\\winebrowser.exe -nohome")),
              Strings({L"C:\\Windows\\system32\\winebrowser.exe", L"-nohome"}));
}

TEST(OpenCommand, TheProgramGetsTheAddressAsOneArgument)
{
    // Blanks, quotes, backslashes and Chinese, where an address pasted into
    // the command would end its argument or start another.
    const wxString address = wxS("http://example.com/a b\"c\" --evil \\d/\u4f60\u597d");
    EXPECT_EQ(ArgumentsReceived(address), "--new\037" + std::string(address.utf8_str()) + "\037\036");
}

// The toolkit's own quoting (3.2.2) would halve backslashes before a quote.
TEST(OpenCommand, BackslashesBeforeAQuoteOrTheEndArriveUnchanged)
{
    for (const wxString address : {wxS("http://example.com/a b\\\\\"c"), wxS("http://x/a b\\\\"),
                                   wxS("http://x/\\\"\\")})
        EXPECT_EQ(ArgumentsReceived(address), "--new\037" + std::string(address.utf8_str()) + "\037\036");
}
