// The result dialog's layout and its catalogue text.
#include "label_lines.h"
#include "ui_test_util.h"

#include "app/language.h"
#include "quiz/result_catalogue.h"
#include "ui/label_measure.h"
#include "ui/result_dialog.h"

#include <wx/display.h>
#include <wx/intl.h>
#include <wx/stattext.h>

#include <string>
#include <vector>

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
        label = FindByName<wxStaticText>(&dialog, "ID_STATICTEXT1");
        catalogue = FindByName<wxTextCtrl>(&dialog, "ID_TEXTCTRL1");
        ok = FindByName<wxWindow>(&dialog, "wxID_OK");
        // The dialog grew for the answer: wait until its controls are in place.
        WaitFor([this] { return label->GetSize().y >= label->GetMinSize().y; });
    }
};

// True if `line` breaks a rule of Chinese line breaking at either end, or
// tears a word or number of Latin letters or digits from `next`.
std::string BadBreak(const wxString& line, const wxString& next)
{
    static const wxString closing = wxString::FromUTF8("，。、；：？！）」』】》");
    static const wxString opening = wxString::FromUTF8("（「『【《");
    if (closing.Find(next[0]) != wxNOT_FOUND)
        return "a line starts with closing punctuation";
    if (opening.Find(line.Last()) != wxNOT_FOUND)
        return "a line ends with opening punctuation";
    if (line.Last() < 128 && wxIsalnum(line.Last()) && next[0] < 128 && wxIsalnum(next[0]))
        return "a Latin word or number is split";
    return std::string();
}

} // namespace

TEST(ResultDialog, AnswersWrapWithinTheCatalogueWidthAsTheirLanguageWraps)
{
    const std::string chinese =
        "安静地陪在朋友身边，等他自己开口，然后认真听完每一句话，不急着给建议，也不替他做决定；"
        "你总是先想到别人的感受（哪怕自己也很累），所以大家都愿意把心事说给你听。";
    const char* const answers[] = {
        // Chinese without a single blank, punctuation all through it
        "你属于梅花鹿型：谨慎小心，待人和蔼可亲，总怕给别人添麻烦，遇到冲突时宁可自己退一步，"
        "也不愿意和任何人正面争执；朋友说你是最好的倾听者，可你自己的心事却很少对人讲。",
        // Chinese with Latin words and numbers between blanks
        "你属于 A 型：在 2024 年的 Mind Prism 测试中，像你这样的人占 12.5% 左右，"
        "喜欢 weekend brunch 和安静的 jazz，讨厌临时改变计划。",
        // English, with an ampersand shown as it is, not taken for a mnemonic
        "Sit quietly beside your friend & wait until they are ready to talk, then listen to "
        "every word without rushing to give advice or to make their decisions for them.",
    };
    std::vector<std::string> cases(std::begin(answers), std::end(answers));
    // The longest answers still fit on the screen.
    std::string longest;
    while (wxString::FromUTF8(longest).length() < 300)
        longest += chinese;
    cases.push_back(wxString::FromUTF8(longest).Left(300).utf8_string());

    for (const std::string& utf8 : cases)
    {
        const wxString answer = wxString::FromUTF8(utf8);
        SCOPED_TRACE(utf8.substr(0, 30));
        ShownResult shown(answer);
        // More than one line, each within the label's width, broken by the
        // rules of the language, losing nothing; Windows keeps its lines to
        // itself, and there the label's height is what is checked.
        EXPECT_GT(shown.label->GetSize().y, 3 * shown.label->GetCharHeight() / 2);
        if (const std::optional<std::vector<LabelLine>> shownLines = ShownLines(shown.label))
        {
            const std::vector<LabelLine>& lines = *shownLines;
            ASSERT_GT(lines.size(), 1u);
            wxString all;
            for (size_t i = 0; i < lines.size(); ++i)
            {
                all += lines[i].text;
                EXPECT_LE(lines[i].width, shown.label->GetSize().x) << lines[i].text;
                if (i + 1 < lines.size())
                {
                    EXPECT_EQ(BadBreak(lines[i].text, lines[i + 1].text), "")
                        << lines[i].text << " | " << lines[i + 1].text;
                }
            }
            EXPECT_EQ(all.utf8_string(), utf8);
        }

        // As wide as the catalogue, with room for every line, all inside.
        const wxSize clientSize = shown.dialog.GetClientSize();
        EXPECT_EQ(shown.label->GetSize().x, shown.catalogue->GetSize().x);
        EXPECT_LE(clientSize.x, shown.catalogue->GetSize().x + 2 * 4 + 16);
        EXPECT_GE(shown.label->GetSize().y,
                  MeasureWrappedLabel(shown.label, shown.label->GetSize().x).y);
        EXPECT_TRUE(wxRect(clientSize).Contains(shown.label->GetRect()));
        EXPECT_TRUE(wxRect(clientSize).Contains(shown.ok->GetRect()));
        EXPECT_GE(shown.catalogue->GetSize().y, 256);
        EXPECT_TRUE(wxDisplay(&shown.dialog).GetClientArea().Contains(shown.dialog.GetRect()));
    }
}

TEST(ResultDialog, EnlargingGrowsOnlyTheCatalogue)
{
    ShownResult shown(wxS("A"));
    const wxSize labelBefore = shown.label->GetSize();
    const wxSize catalogueBefore = shown.catalogue->GetSize();
    EXPECT_GE(catalogueBefore.x, 360);
    EXPECT_GE(catalogueBefore.y, 256);
    shown.dialog.SetSize(shown.dialog.GetSize() + wxSize(80, 120));
    ASSERT_TRUE(WaitFor([&] { return shown.catalogue->GetSize().y != catalogueBefore.y; }));
    EXPECT_EQ(shown.label->GetSize().y, labelBefore.y);
    EXPECT_EQ(shown.catalogue->GetSize().y, catalogueBefore.y + 120);
    // OK stays at the right edge.
    EXPECT_EQ(shown.ok->GetRect().GetRight() + 1 + 4, shown.dialog.GetClientSize().x);
}

TEST(ResultDialog, TheCatalogueIsInTheInterfacesLanguage)
{
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    const struct
    {
        wxLanguage language;
        wxString catalogue, title;
    } rows[] = {{wxLANGUAGE_ENGLISH, wxString(wxS('-'), 24) + "\nA. Sika Deer\n", wxS("Result")},
                {wxLANGUAGE_CHINESE_SIMPLIFIED, RESULT_CATALOGUE, wxString::FromUTF8("结果")}};
    for (const auto& row : rows)
    {
        wxLocale locale;
        InitUiLocale(locale, row.language, wxS("Mindprism"));
        ShownResult shown(wxS("B"));
        EXPECT_TRUE(shown.catalogue->GetValue().StartsWith(row.catalogue)) << shown.catalogue->GetValue();
        EXPECT_EQ(shown.dialog.GetTitle(), row.title);
    }
}
