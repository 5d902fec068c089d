// Window tests of wxHyperLink: creation by class name, size, the colour and
// cursor states under the mouse, and which program each address opens.
#include "widgets/hyperlink.h"

#include "gui_test.h"
#include "test_support.h"

#include <wx/dcclient.h>
#include <wx/filefn.h>
#include <wx/frame.h>
#include <wx/mimetype.h>
#include <wx/panel.h>
#include <wx/stopwatch.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace
{

wxString g_openedFile;

// Keeps the tests away from the desktop's programs: the MIME manager reads
// empty folders, and both kinds of address a link opens are registered with
// a script that only writes down its first two arguments.
class OpenCommandSandbox : public testing::Environment
{
public:
    void SetUp() override
    {
        m_data = std::make_unique<TempDir>();
        m_records = std::make_unique<TempDir>();
        // Must happen before the MIME manager's first use: it reads them once.
        setenv("HOME", m_data->Path().utf8_str(), 1);
        setenv("XDG_DATA_HOME", m_data->Path().utf8_str(), 1);
        setenv("XDG_DATA_DIRS", m_data->Path().utf8_str(), 1);

        g_openedFile = m_records->File("opened.txt");
        const wxString script = m_records->Write(
            "record.sh", "printf '%s %s\\n' \"$1\" \"$2\" >> '" + g_openedFile.utf8_string() + "'\n");
        // Browsers registered for files are given "file://%s"; the link must
        // strip the scheme again, or the script sees "file://http://...".
        Register("text/html", "/bin/sh " + script + " html file://%s", "html");
        Register("message/rfc822", "/bin/sh " + script + " mail", "eml");
    }

    void TearDown() override
    {
        m_records.reset();
        m_data.reset();
    }

private:
    static void Register(const char* mimeType, const wxString& command, const char* extension)
    {
        std::unique_ptr<wxFileType> type(wxTheMimeTypesManager->Associate(
            wxFileTypeInfo(mimeType, command, wxEmptyString, mimeType, extension, wxNullPtr)));
        ASSERT_TRUE(type) << mimeType;
    }

    std::unique_ptr<TempDir> m_data;
    std::unique_ptr<TempDir> m_records;
};

testing::Environment* const g_sandbox = testing::AddGlobalTestEnvironment(new OpenCommandSandbox);

// Polls, letting the toolkit run, until `condition` holds or time runs out.
template <typename Condition>
bool WaitUntil(Condition condition, long timeoutMs = 5000)
{
    wxStopWatch watch;
    while (!condition())
    {
        if (watch.Time() > timeoutMs)
            return false;
        wxYield();
        wxMilliSleep(10);
    }
    return true;
}

std::vector<std::string> OpenedLines()
{
    std::vector<std::string> lines;
    std::istringstream text(ReadBytes(g_openedFile));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

// What the open commands recorded, once there are `count` lines: the
// commands run asynchronously.
std::vector<std::string> WaitForOpened(size_t count)
{
    WaitUntil([count] { return OpenedLines().size() >= count; });
    return OpenedLines();
}

// How a link looks: its text colour and whether it shows its own cursor.
std::string Look(const wxColour& colour, bool linkCursor)
{
    return std::string(colour.GetAsString(wxC2S_CSS_SYNTAX).utf8_str()) +
           (linkCursor ? " with the link cursor" : " with the default cursor");
}

std::string Shown(const wxHyperLink* link)
{
    const wxCursor cursor = link->GetCursor();
    if (cursor.IsOk() && !cursor.IsSameAs(link->GetLinkCursor()))
        return "a foreign cursor";
    return Look(link->GetForegroundColour(), cursor.IsOk());
}

class HyperLinkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (wxFileExists(g_openedFile))
            wxRemoveFile(g_openedFile);
        m_frame = new wxFrame(nullptr, wxID_ANY, wxS("Links"), wxPoint(40, 40), wxSize(400, 200));
        // A frame stretches a lone child over its client area; a panel does not.
        m_panel = new wxPanel(m_frame);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Settle();
    }

    wxHyperLink* AddLink(const wxString& label, const wxSize& size = wxDefaultSize)
    {
        return new wxHyperLink(m_panel, wxID_ANY, label, wxPoint(20, 20), size);
    }

    // Delivers the mouse event the toolkit sends for a move or press.
    static void Send(wxHyperLink* link, wxEventType type)
    {
        wxMouseEvent event(type);
        event.SetEventObject(link);
        link->ProcessWindowEvent(event);
    }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
};

TEST_F(HyperLinkTest, CreatedByClassNameAsAnUnvisitedLink)
{
    std::unique_ptr<wxObject> object(wxCreateDynamicObject(wxS("wxHyperLink")));
    wxHyperLink* link = wxDynamicCast(object.get(), wxHyperLink);
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->GetLinkCursor().IsOk());
    EXPECT_FALSE(link->GetLinkColour().IsOk());

    ASSERT_TRUE(link->Create(m_panel, wxID_ANY, wxS("Your results")));
    object.release(); // the panel owns it now
    EXPECT_EQ(link->GetLabel(), wxS("Your results"));
    EXPECT_TRUE(link->GetURL().empty());
    EXPECT_TRUE(link->GetFont().GetUnderlined());
    EXPECT_EQ(link->GetHoverColour(), wxColour(wxS("RED")));
    EXPECT_EQ(link->GetLinkColour(), wxColour(wxS("BLUE")));
    EXPECT_EQ(link->GetVisitedColour(), wxColour(wxS("PURPLE")));
    EXPECT_EQ(Shown(link), Look(link->GetLinkColour(), false));
}

TEST_F(HyperLinkTest, SizeIsTheLabelExtentWhateverWasAsked)
{
    wxHyperLink* link = AddLink(wxS("Q&A results"), wxSize(300, 90));
    wxClientDC dc(link);
    dc.SetFont(link->GetFont());
    const wxSize extent = dc.GetTextExtent(wxS("Q&A results"));
    EXPECT_EQ(link->GetSize(), extent);
    // The ampersand is text to show, not a mnemonic marker.
    EXPECT_GT(extent.x, dc.GetTextExtent(wxS("QA results")).x);

    link->SetLabel(wxS("A label much longer than the first one"));
    m_panel->Layout();
    EXPECT_EQ(link->GetBestSize(), extent);
    EXPECT_EQ(link->GetSize(), extent);
}

TEST_F(HyperLinkTest, PointerAndClicksSetColourAndCursor)
{
    wxHyperLink* link = AddLink(wxS("Not an address"));
    const wxColour hover = link->GetHoverColour();
    const wxColour unvisited = link->GetLinkColour();
    const wxColour visited = link->GetVisitedColour();
    const wxColour background = link->GetBackgroundColour();

    Send(link, wxEVT_ENTER_WINDOW);
    EXPECT_EQ(Shown(link), Look(hover, true));
    Send(link, wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(Shown(link), Look(unvisited, false));

    Send(link, wxEVT_ENTER_WINDOW);
    link->SetBackgroundColour(*wxYELLOW);
    Send(link, wxEVT_LEFT_DOWN);
    EXPECT_EQ(Shown(link), Look(visited, true));
    EXPECT_EQ(link->GetBackgroundColour(), background);
    Send(link, wxEVT_LEFT_UP);
    Send(link, wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(Shown(link), Look(visited, false));

    // Visited is for good, and hovering still shows.
    Send(link, wxEVT_ENTER_WINDOW);
    EXPECT_EQ(Shown(link), Look(hover, true));
    Send(link, wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(Shown(link), Look(visited, false));
}

TEST_F(HyperLinkTest, ColourSettersShowOnlyTheCurrentState)
{
    wxHyperLink* link = AddLink(wxS("Not an address"));
    link->SetVisitedColour(*wxGREEN);
    link->SetHoverColour(*wxCYAN);
    link->SetLinkCursor(wxCursor(wxCURSOR_CROSS));
    EXPECT_EQ(Shown(link), Look(wxColour(wxS("BLUE")), false));
    link->SetLinkColour(*wxBLACK);
    EXPECT_EQ(Shown(link), Look(*wxBLACK, false));

    Send(link, wxEVT_ENTER_WINDOW);
    EXPECT_EQ(Shown(link), Look(*wxCYAN, true));
    Send(link, wxEVT_LEFT_DOWN);
    EXPECT_EQ(Shown(link), Look(*wxGREEN, true));
    Send(link, wxEVT_LEAVE_WINDOW);

    link->SetLinkColour(*wxRED);
    EXPECT_EQ(Shown(link), Look(*wxGREEN, false));
    link->SetVisitedColour(*wxLIGHT_GREY);
    EXPECT_EQ(Shown(link), Look(*wxLIGHT_GREY, false));
}

TEST_F(HyperLinkTest, RealPointerHoversClicksAndLeaves)
{
    wxHyperLink* link = AddLink(wxS("http://example.org/quiz"));
    m_frame->Show();
    m_frame->Raise();
    ASSERT_TRUE(WaitUntil([&] { return link->IsShownOnScreen(); }));
    Settle();

    wxUIActionSimulator mouse;
    const wxPoint away = m_panel->ClientToScreen(wxPoint(300, 120));
    const wxSize size = link->GetSize();
    mouse.MouseMove(away);
    Settle();
    mouse.MouseMove(link->ClientToScreen(wxPoint(size.x / 2, size.y / 2)));
    ASSERT_TRUE(WaitUntil([&] { return link->GetCursor().IsOk(); }));
    EXPECT_EQ(Shown(link), Look(link->GetHoverColour(), true));

    mouse.MouseClick();
    EXPECT_EQ(WaitForOpened(1), std::vector<std::string>{"html http://example.org/quiz"});
    EXPECT_EQ(Shown(link), Look(link->GetVisitedColour(), true));

    mouse.MouseMove(away);
    ASSERT_TRUE(WaitUntil([&] { return !link->GetCursor().IsOk(); }));
    EXPECT_EQ(Shown(link), Look(link->GetVisitedColour(), false));
}

TEST_F(HyperLinkTest, OpensWebAndMailAddressesWithTheirPrograms)
{
    wxHyperLink* link = AddLink(wxS("Contact"));
    const struct
    {
        const char* address;
        const char* opened;
    } cases[] = {
        {"http://example.org/a", "html http://example.org/a"},
        {"https://example.org/b", "html https://example.org/b"},
        {"ftp://example.org/c", "html ftp://example.org/c"},
        {"mailto:quiz@example.org", "mail mailto:quiz@example.org"},
    };
    for (size_t i = 0; i < WXSIZEOF(cases); ++i)
    {
        link->GotoURL(cases[i].address);
        const std::vector<std::string> opened = WaitForOpened(i + 1);
        ASSERT_EQ(opened.size(), i + 1) << cases[i].address;
        EXPECT_EQ(opened[i], cases[i].opened);
    }
}

TEST_F(HyperLinkTest, IgnoresAddressesItCannotOpen)
{
    wxHyperLink* link = AddLink(wxS("Contact"));
    for (const char* address : {"HTTP://EXAMPLE.ORG/", "file:///etc/hostname", "gopher://example.org/",
                                "www.example.org", ""})
        link->GotoURL(address);
    // Anything launched above started before this marker, so had time to write.
    link->GotoURL(wxS("http://example.org/marker"));
    WaitForOpened(1);
    wxMilliSleep(200);
    EXPECT_EQ(OpenedLines(), std::vector<std::string>{"html http://example.org/marker"});
}

TEST_F(HyperLinkTest, EveryPressOpensTheUrlOrElseTheLabel)
{
    wxHyperLink* link = AddLink(wxS("mailto:quiz@example.org"));
    Send(link, wxEVT_LEFT_DOWN);
    ASSERT_EQ(WaitForOpened(1).size(), 1u);

    // A double click is a press followed by a double-click event.
    link->SetURL(wxS("https://example.org/results"));
    for (wxEventType type : {wxEVT_LEFT_UP, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP})
        Send(link, type);
    WaitForOpened(3);
    wxMilliSleep(200); // time for a stray fourth
    EXPECT_EQ(OpenedLines(), (std::vector<std::string>{"mail mailto:quiz@example.org",
                                                       "html https://example.org/results",
                                                       "html https://example.org/results"}));
}

} // namespace
