// Window tests of wxHyperLink: creation by class name, size, the colour and
// cursor states under the mouse, and which program each address opens.
#include "widgets/hyperlink.h"

#include "gui_test.h"
#include "test_support.h"

#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/mimetype.h>
#include <wx/panel.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace
{

// Keeps the tests away from the desktop's own programs: the MIME manager
// finds only what the test process registered (the stand-in program, see
// gui_test.h), and no mailcap files. (Windows reads neither: there the
// registry's classes hold the stand-in.)
class OpenCommandSandbox : public testing::Environment
{
public:
    void SetUp() override
    {
        m_empty = std::make_unique<TempDir>();
        // Must happen before the MIME manager's first use: it reads them once.
        wxSetEnv(wxS("HOME"), m_empty->Path());
        wxSetEnv(wxS("XDG_DATA_DIRS"), m_empty->Path());
    }

    void TearDown() override { m_empty.reset(); }

private:
    std::unique_ptr<TempDir> m_empty;
};

testing::Environment* const g_sandbox = testing::AddGlobalTestEnvironment(new OpenCommandSandbox);

// What the programs the link started were given, once `expected` of them
// have recorded and all have ended, in sorted order: programs started
// together may record in any order.
std::vector<Launch> Opened(size_t expected)
{
    WaitForLaunches(expected);
    EXPECT_TRUE(WaitForStartedProgramsToEnd());
    std::vector<Launch> launches = WaitForLaunches(0);
    std::sort(launches.begin(), launches.end());
    return launches;
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
        ForgetLaunches();
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

// Created by class name, as the program does, the link starts unvisited;
// its colour setters then show only the colour of its current state.
TEST_F(HyperLinkTest, CreatedByClassNameColoursByState)
{
    std::unique_ptr<wxObject> object(wxCreateDynamicObject(wxS("wxHyperLink")));
    wxHyperLink* link = wxDynamicCast(object.get(), wxHyperLink);
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->GetLinkColour().IsOk());
    ASSERT_TRUE(link->Create(m_panel, wxID_ANY, wxS("Not an address")));
    object.release(); // the panel owns it now
    EXPECT_TRUE(link->GetFont().GetUnderlined());

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
    ASSERT_TRUE(WaitFor([&] { return link->IsShownOnScreen(); }));
    Settle();
    const wxColour background = link->GetBackgroundColour();

    wxUIActionSimulator mouse;
    const wxPoint away = m_panel->ClientToScreen(wxPoint(300, 120));
    const wxPoint on = link->ClientToScreen(wxPoint(link->GetSize().x / 2, link->GetSize().y / 2));
    mouse.MouseMove(away);
    Settle();
    // Moves the pointer onto the link or off it, and waits for the cursor.
    const auto hover = [&](bool onLink) {
        mouse.MouseMove(onLink ? on : away);
        return WaitFor([&] { return link->GetCursor().IsOk() == onLink; });
    };
    ASSERT_TRUE(hover(true));
    EXPECT_EQ(Shown(link), Look(link->GetHoverColour(), true));
    ASSERT_TRUE(hover(false));
    EXPECT_EQ(Shown(link), Look(link->GetLinkColour(), false));

    ASSERT_TRUE(hover(true));
    link->SetBackgroundColour(*wxYELLOW);
    mouse.MouseClick();
    EXPECT_EQ(Opened(1), (std::vector<Launch>{{"html", "http://example.org/quiz"}}));
    EXPECT_EQ(Shown(link), Look(link->GetVisitedColour(), true));
    EXPECT_EQ(link->GetBackgroundColour(), background);
    ASSERT_TRUE(hover(false));
    EXPECT_EQ(Shown(link), Look(link->GetVisitedColour(), false));

    // Visited is for good, and hovering still shows.
    ASSERT_TRUE(hover(true));
    EXPECT_EQ(Shown(link), Look(link->GetHoverColour(), true));
    ASSERT_TRUE(hover(false));
    EXPECT_EQ(Shown(link), Look(link->GetVisitedColour(), false));
}

TEST_F(HyperLinkTest, OpensWebAndMailAddressesAsOneArgumentAndIgnoresOthers)
{
    wxHyperLink* link = AddLink(wxS("Contact"));
    // Each address reaches the program as one argument, exactly as given:
    // quotes, backslashes and blanks are not the command line's syntax, and
    // "file://" is taken out of the command, never out of the address.
    const char* const web[] = {
        "http://example.org/a",
        "https://example.org/b",
        "ftp://example.org/c",
        "http://host/it's",
        "http://host/a\\b\\\\c",
        "http://x\" --new-instance --profile \"/tmp/p",
        "http://host/two words?q=$HOME&r=`id`",
        "http://host/file://x",
    };
    std::vector<Launch> expected;
    for (const char* address : web)
    {
        link->GotoURL(address);
        expected.push_back({"html", address});
    }
    link->GotoURL(wxS("mailto:quiz@example.org?subject=\"Hi\""));
    expected.push_back({"mail", "mailto:quiz@example.org?subject=\"Hi\""});
    // Schemes it does not know, in any case, open nothing.
    for (const char* address : {"HTTP://EXAMPLE.ORG/", "file:///etc/hostname", "gopher://example.org/",
                                "www.example.org", ""})
        link->GotoURL(address);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Opened(expected.size()), expected);
}

TEST_F(HyperLinkTest, EveryPressOpensTheUrlOrElseTheLabel)
{
    wxHyperLink* link = AddLink(wxS("mailto:quiz@example.org"));
    Send(link, wxEVT_LEFT_DOWN);
    ASSERT_EQ(WaitForLaunches(1).size(), 1u);

    // A double click is a press followed by a double-click event.
    link->SetURL(wxS("https://example.org/results"));
    for (wxEventType type : {wxEVT_LEFT_UP, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_LEFT_UP})
        Send(link, type);
    EXPECT_EQ(Opened(3), (std::vector<Launch>{{"html", "https://example.org/results"},
                                             {"html", "https://example.org/results"},
                                             {"mail", "mailto:quiz@example.org"}}));
}

} // namespace
