// The about box: its lines, its buttons and how the frame opens it.
#include "ui_test_util.h"

#include "ui/about_dialog.h"
#include "ui/maker.h"
#include "ui/window_support.h"

#include <wx/bmpbuttn.h>
#include <wx/hyperlink.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/version.h>

#include <cstring>

namespace
{

template <typename T>
T* Named(wxWindow* dialog, const char* name)
{
    T* window = FindByName<T>(dialog, wxString::FromUTF8(name));
    EXPECT_NE(window, nullptr) << name;
    return window;
}

} // namespace

TEST(AboutDialog, VersionAndBuildLinesReplaceThePlaceholders)
{
    EXPECT_EQ(GetVersionLine(), wxS("Version 2.0.13.45  (Build 207.10062011)"));
    EXPECT_EQ(GetToolkitBuildInfo(BuildInfoFormat::Short), wxString(wxVERSION_STRING));
    EXPECT_EQ(GetToolkitBuildInfo(BuildInfoFormat::Detailed),
              wxString(wxVERSION_STRING) + wxS("-Linux-Unicode build"));

    AboutDlg dialog(nullptr);
    dialog.Show();
    Settle();
    EXPECT_EQ(dialog.GetTitle(), wxS("About..."));
    EXPECT_EQ(dialog.GetName(), wxS("id"));
    EXPECT_EQ(Named<wxStaticText>(&dialog, "ID_STATICTEXT2")->GetLabel(), GetVersionLine());
    EXPECT_EQ(Named<wxStaticText>(&dialog, "ID_STATICTEXT5")->GetLabel(),
              GetToolkitBuildInfo(BuildInfoFormat::Detailed));
    EXPECT_EQ(Named<wxStaticText>(&dialog, "ID_STATICTEXT1")->GetLabel(), wxS("Mind Prism"));
    const wxString copyright = Named<wxStaticText>(&dialog, "ID_STATICTEXT3")->GetLabel();
    EXPECT_TRUE(copyright.Contains(wxS("Larkspan")) && copyright.Contains(wxS("1999-2011")));

    auto* site = Named<wxHyperlinkCtrl>(&dialog, "ID_HYPERLINKCTRL1");
    auto* mail = Named<wxHyperlinkCtrl>(&dialog, "ID_HYPERLINKCTRL2");
    EXPECT_EQ(site->GetURL(), MAKER_SITE_URL);
    EXPECT_EQ(mail->GetURL(), wxS("mailto:") + MAKER_EMAIL);
    EXPECT_EQ(mail->GetLabel(), MAKER_EMAIL);
    EXPECT_TRUE(MAKER_EMAIL.EndsWith(wxS("@larkspan.example")));
    for (const char* name : {"ID_STATICBITMAP1", "ID_STATICBITMAP2"})
        EXPECT_NE(Named<wxWindow>(&dialog, name), nullptr);

    // Every line is shown whole, although the dialog was sized before the
    // real lines replaced their shorter placeholders.
    for (const char* name : {"ID_STATICTEXT1", "ID_STATICTEXT2", "ID_STATICTEXT3", "ID_STATICTEXT5"})
    {
        wxStaticText* line = Named<wxStaticText>(&dialog, name);
        EXPECT_GE(line->GetSize().x, line->GetTextExtent(line->GetLabelText()).x) << name;
        EXPECT_LE(line->GetRect().GetRight(), dialog.GetClientSize().x) << name;
    }
}

TEST(AboutDialog, DownloadButtonIsTheDefaultAndOpensTheDownloadPage)
{
    AboutDlg dialog(nullptr);
    dialog.Show();
    Settle();
    auto* download = Named<wxBitmapButton>(&dialog, "ID_BITMAPBUTTON1");
    EXPECT_EQ(dialog.GetDefaultItem(), download);
    EXPECT_EQ(download->GetId(), AboutDlg::ID_BITMAPBUTTON1);

    ForgetLaunches();
    SendCommand(download, wxEVT_BUTTON);
    const std::vector<Launch> launched = WaitForLaunches(1);
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_EQ(launched[0], Launch{MAKER_DOWNLOAD_URL.utf8_string()});
    EXPECT_TRUE(dialog.IsShown()) << "the dialog stays open";

    SendCommand(Named<wxButton>(&dialog, "wxID_OK"), wxEVT_BUTTON);
    EXPECT_FALSE(dialog.IsShown()) << "OK closes it";
}

TEST_F(FrameTest, AboutToolAndHelpMenuEachBuildANewAboutDialog)
{
    std::vector<const AboutDlg*> seen;
    const auto expectAbout = ExpectDialog<AboutDlg>([&](AboutDlg& dialog) {
        EXPECT_EQ(dialog.GetParent(), m_frame);
        seen.push_back(&dialog);
    });
    wxWindow* toolbar = Get<wxWindow>("ID_CHOICE1")->GetParent();
    wxCommandEvent tool(wxEVT_MENU, MindprismFrame::ID_TOOL_ABOUT);
    tool.SetEventObject(toolbar);
    wxTEST_DIALOG(toolbar->ProcessWindowEvent(tool), expectAbout);
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_ABOUT), expectAbout);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(Pictures, TakeTheirDoubleSizeCopyAtTwiceTheScale)
{
    const wxBitmapBundle tool = LoadPictureBundle(wxS("img\\Update_s24_01.png"));
    ASSERT_TRUE(tool.IsOk());
    EXPECT_EQ(tool.GetDefaultSize(), wxSize(24, 24));
    // The drawn copy itself, not the small picture blown up.
    const wxImage doubled = tool.GetBitmap(wxSize(48, 48)).ConvertToImage();
    const wxImage file(Resources::Path(wxS("img\\Update_s24_01@2x.png")));
    ASSERT_TRUE(file.IsOk());
    ASSERT_EQ(doubled.GetSize(), file.GetSize());
    EXPECT_EQ(0, std::memcmp(doubled.GetData(), file.GetData(), 48 * 48 * 3));

    // Without a copy the picture alone; without the picture an empty bundle
    // (the toolkit's complaint about the file is caught here).
    EXPECT_EQ(LoadPictureBundle(wxS("img\\Mindprism_01.ico")).GetDefaultSize(), wxSize(48, 48));
    CapturedLog log;
    EXPECT_FALSE(LoadPictureBundle(wxS("img\\missing.png")).IsOk());
}
