// The about box: its lines and buttons, and the pictures it shows.
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

TEST(AboutDialog, ShowsTheRealLinesWholeAndMailsTheMaker)
{
    EXPECT_EQ(GetToolkitBuildInfo(BuildInfoFormat::Short), wxString(wxVERSION_STRING));
    AboutDlg dialog(nullptr);
    dialog.Show();
    Settle();
    EXPECT_EQ(FindByName<wxHyperlinkCtrl>(&dialog, "ID_HYPERLINKCTRL2")->GetURL(), wxS("mailto:") + MAKER_EMAIL);

    // Every line is shown whole, although the dialog was sized before the
    // real lines replaced their shorter placeholders.
    for (const char* name : {"ID_STATICTEXT1", "ID_STATICTEXT2", "ID_STATICTEXT3", "ID_STATICTEXT5"})
    {
        wxStaticText* line = FindByName<wxStaticText>(&dialog, name);
        EXPECT_GE(line->GetSize().x, line->GetTextExtent(line->GetLabelText()).x) << name;
        EXPECT_LE(line->GetRect().GetRight(), dialog.GetClientSize().x) << name;
    }
}

TEST(AboutDialog, DownloadButtonIsTheDefaultAndOpensTheDownloadPage)
{
    AboutDlg dialog(nullptr);
    dialog.Show();
    Settle();
    auto* download = FindByName<wxBitmapButton>(&dialog, "ID_BITMAPBUTTON1");
    EXPECT_EQ(dialog.GetDefaultItem(), download);

    ForgetLaunches();
    SendCommand(download, wxEVT_BUTTON);
    EXPECT_EQ(WaitForLaunches(1), std::vector<Launch>{Launch{MAKER_DOWNLOAD_URL.utf8_string()}});
    EXPECT_TRUE(dialog.IsShown()) << "the dialog stays open";

    SendCommand(FindByName<wxButton>(&dialog, "wxID_OK"), wxEVT_BUTTON);
    EXPECT_FALSE(dialog.IsShown()) << "OK closes it";
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
    ASSERT_TRUE(doubled.HasAlpha() && file.HasAlpha());
    // Windows keeps a bitmap's colours multiplied by their opacity, so only
    // opaque pixels come back with their exact colours; opacity everywhere.
    int differing = 0;
    for (int i = 0; i < 48 * 48; ++i)
    {
        const unsigned char alpha = file.GetAlpha()[i];
        differing += doubled.GetAlpha()[i] != alpha ||
                     (alpha == 255 && std::memcmp(doubled.GetData() + 3 * i, file.GetData() + 3 * i, 3) != 0);
    }
    EXPECT_EQ(differing, 0);

    // Without a copy the picture alone; without the picture an empty bundle
    // (the toolkit's complaint about the file is caught here).
    EXPECT_EQ(LoadPictureBundle(wxS("img\\Mindprism_01.ico")).GetDefaultSize(), wxSize(48, 48));
    CapturedLog log;
    EXPECT_FALSE(LoadPictureBundle(wxS("img\\missing.png")).IsOk());
}
