// The result dialog's layout and its catalogue text.
#include "ui_test_util.h"

#include "app/language.h"
#include "quiz/result_catalogue.h"
#include "ui/result_dialog.h"

#include <wx/intl.h>
#include <wx/stattext.h>

namespace
{

struct ShownResult
{
    ResultDlg dialog{nullptr};
    wxStaticText* label;
    wxTextCtrl* catalogue;
    wxWindow* ok;

    explicit ShownResult(const wxString& result)
    {
        g_resultText = result;
        dialog.Show();
        dialog.InitDialog();
        Settle();
        label = FindByName<wxStaticText>(&dialog, wxS("ID_STATICTEXT1"));
        catalogue = FindByName<wxTextCtrl>(&dialog, wxS("ID_TEXTCTRL1"));
        ok = FindByName<wxWindow>(&dialog, wxS("wxID_OK"));
    }
};

} // namespace

TEST(ResultDialog, ShowsALongAnswerWhole)
{
    // The dialog used to keep the size it had for its one-letter placeholder.
    const wxString answer = wxString::FromUTF8(
        "安静地陪在朋友身边，等他自己开口，然后认真听完每一句话 → 你是 A 型：梅花鹿，"
        "谨慎小心，待人和蔼可亲，总怕给别人添麻烦");
    ShownResult shown(answer);
    ASSERT_NE(shown.label, nullptr);
    // Wrapping turns blanks into line breaks; every other character stays.
    const auto withoutBlanks = [](wxString text) {
        text.Replace(wxS("\n"), wxString());
        text.Replace(wxS(" "), wxString());
        return text;
    };
    EXPECT_EQ(withoutBlanks(shown.label->GetLabelText()), withoutBlanks(answer));
    EXPECT_GT(shown.label->GetLabelText().Freq(wxS('\n')), 0);
    const wxSize needed = shown.label->GetBestSize();
    EXPECT_GE(shown.label->GetSize().y, needed.y);
    EXPECT_LE(shown.label->GetRect().GetRight(), shown.dialog.GetClientSize().x);
    EXPECT_GE(shown.label->GetSize().x, needed.x);
    EXPECT_GE(shown.dialog.GetClientSize().y, shown.ok->GetRect().GetBottom());
    EXPECT_EQ(shown.dialog.GetDefaultItem(), shown.ok);
}

TEST(ResultDialog, ShowsAnAmpersandAsItIs)
{
    ShownResult shown(wxS("Rock & roll"));
    EXPECT_EQ(shown.label->GetLabelText(), wxS("Rock & roll"));
}

TEST(ResultDialog, EnlargingGrowsOnlyTheCatalogue)
{
    ShownResult shown(wxS("A"));
    const wxSize labelBefore = shown.label->GetSize();
    const wxSize catalogueBefore = shown.catalogue->GetSize();
    EXPECT_GE(catalogueBefore.x, 360);
    EXPECT_GE(catalogueBefore.y, 256);
    shown.dialog.SetSize(shown.dialog.GetSize() + wxSize(80, 120));
    Settle();
    EXPECT_EQ(shown.label->GetSize().y, labelBefore.y);
    EXPECT_EQ(shown.catalogue->GetSize().y, catalogueBefore.y + 120);
    // OK stays at the right edge.
    EXPECT_EQ(shown.ok->GetRect().GetRight() + 1 + 4, shown.dialog.GetClientSize().x);
}

TEST(ResultDialog, AnEnglishInterfaceShowsTheCatalogueInEnglish)
{
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    wxLocale english;
    InitUiLocale(english, wxLANGUAGE_ENGLISH, wxS("Mindprism"));
    ShownResult shown(wxS("B"));
    const wxString text = shown.catalogue->GetValue();
    EXPECT_TRUE(text.StartsWith(wxString(wxS('-'), 24) + "\nA. Sika Deer\n")) << text.Left(60);
    EXPECT_FALSE(text.Contains(wxString::FromUTF8("梅花鹿")));
    EXPECT_EQ(shown.dialog.GetTitle(), wxS("Result"));
}

TEST(ResultDialog, AChineseInterfaceShowsTheCatalogueUnchanged)
{
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    wxLocale chinese;
    InitUiLocale(chinese, wxLANGUAGE_CHINESE_SIMPLIFIED, wxS("Mindprism"));
    ShownResult shown(wxS("C"));
    EXPECT_EQ(shown.catalogue->GetValue(), wxString(RESULT_CATALOGUE));
    EXPECT_EQ(shown.dialog.GetTitle(), wxString::FromUTF8("结果"));
}
