// The interface-language setting: the first start, what is stored, and the
// command that changes it for the next start.
#include "ui_test_util.h"

#include "app/language.h"

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/config.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>

#include <memory>
#include <optional>
#include <string>

namespace
{

class LanguageSetting : public testing::Test
{
protected:
    void SetUp() override { Store(nullptr); }

    // Starts from a store holding `value` (nothing when null), as a fresh
    // process would find it.
    void Store(const char* value)
    {
        delete wxConfigBase::Set(nullptr);  // the next Get() reads the store afresh
        {
            const std::unique_ptr<wxConfigBase> store = NewStore();
            store->DeleteAll();
            if (value)
                store->Write(wxS("ui_language"), wxString::FromUTF8(value));
        }
        wxConfigBase::Get()->SetRecordDefaults(true);
    }
    // The setting as a later process would read it, after this one ended.
    std::optional<std::string> Stored()
    {
        delete wxConfigBase::Set(nullptr);  // written out, as at exit
        const std::optional<std::string> value = OnDisk();
        wxConfigBase::Get()->SetRecordDefaults(true);
        return value;
    }
    // The setting as a later process would read it while this one runs: what
    // was written out at once.
    static std::optional<std::string> OnDisk()
    {
        wxString value;
        if (!NewStore()->Read(wxS("ui_language"), &value))
            return std::nullopt;
        return value.utf8_string();
    }
    // Another handle on the store the program uses.
    static std::unique_ptr<wxConfigBase> NewStore()
    {
        return std::unique_ptr<wxConfigBase>(wxTheApp->GetTraits()->CreateConfig());
    }

    CapturedLog m_log;
};

// The list of offered languages inside the choice dialog.
wxListBox* ChoiceList(wxDialog& dialog)
{
    for (wxWindow* child : dialog.GetChildren())
        if (auto* list = dynamic_cast<wxListBox*>(child))
            return list;
    return nullptr;
}

} // namespace

// The choice is on disk at once (the user is told to restart), and a later
// process reads it without asking: an unexpected dialog fails the test.
TEST_F(LanguageSetting, FirstStartAsksAndEachChoiceHoldsForTheNextStart)
{
    const struct
    {
        int row;
        const char* stored;
        int language;
    } rows[] = {{0, "default", wxLANGUAGE_DEFAULT},
                {1, "zh_CN", wxLANGUAGE_CHINESE_SIMPLIFIED},
                {2, "en", wxLANGUAGE_ENGLISH}};
    for (const auto& row : rows)
    {
        Store(nullptr);
        int language = wxLANGUAGE_UNKNOWN;
        wxTEST_DIALOG(language = GetUiLanguage(),
                      ExpectDialog<wxSingleChoiceDialog>([&row](wxSingleChoiceDialog& dialog) {
                          EXPECT_EQ(dialog.GetSelection(), 0);
                          wxListBox* list = ChoiceList(dialog);
                          ASSERT_NE(list, nullptr);
                          EXPECT_EQ(list->GetCount(), 3u);
                          EXPECT_GE(list->GetSize().y, 150) << "all three rows shown";
                          dialog.SetSelection(row.row);
                      }));
        EXPECT_EQ(language, row.language) << row.stored;
        EXPECT_EQ(OnDisk(), row.stored);
        Store(row.stored);
        EXPECT_EQ(GetUiLanguage(), row.language) << row.stored;
    }
    EXPECT_EQ(m_log.Errors(), 0u) << m_log.Text();
}

TEST_F(LanguageSetting, ACancelledFirstChoiceUsesTheSystemLanguageAndAsksAgain)
{
    int language = wxLANGUAGE_UNKNOWN;
    wxTEST_DIALOG(language = GetUiLanguage(), ChooseLanguageRow(-1));
    EXPECT_EQ(language, wxLANGUAGE_DEFAULT);
    EXPECT_EQ(Stored(), "") << "empty value recorded";
    wxTEST_DIALOG(language = GetUiLanguage(), ChooseLanguageRow(2));
    EXPECT_EQ(language, wxLANGUAGE_ENGLISH);
}

TEST_F(LanguageSetting, AnUnknownCodeIsReportedOnceAndKept)
{
    for (const char* value : {"xx_QQ", "Default"})
    {
        m_log.Clear();
        Store(value);
        EXPECT_EQ(GetUiLanguage(), wxLANGUAGE_DEFAULT) << value;
        ASSERT_EQ(m_log.Errors(), 1u) << m_log.Text();
        EXPECT_EQ(m_log.Records()[0].text,
                  wxString::Format("Uknown locale code '%s' in registry.", value));
        EXPECT_EQ(Stored(), value);
    }
}

// The command speaks the running interface's language; each choice, the
// same one again too, is stored and confirmed.
TEST_F(LanguageSetting, TheLanguageCommandStoresTheChoiceForTheNextStart)
{
    struct Texts
    {
        wxLanguage language;
        const char *caption, *firstRow, *restart, *notice;
    };
    const Texts shipped[] = {
        {wxLANGUAGE_CHINESE_SIMPLIFIED, "选择界面语言", "（使用系统默认语言）",
         "重新启动程序后，更改才会生效。", "提示"},
        // The English catalogue mends the built-in wording.
        {wxLANGUAGE_ENGLISH, "Language selection", "(Use default language)",
         "You must restart the application for this change to take effect.", "Notice"},
    };
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    for (const Texts& texts : shipped)
    {
        wxLocale locale;
        InitUiLocale(locale, texts.language, wxS("Mindprism"));
        EXPECT_EQ(m_log.Records().size(), 0u) << "no complaint about the system locale: " << m_log.Text();

        wxTEST_DIALOG(ChangeUiLanguage(),
                      ExpectDialog<wxSingleChoiceDialog>([&texts](wxSingleChoiceDialog& dialog) {
                          EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8(texts.caption));
                          wxListBox* list = ChoiceList(dialog);
                          ASSERT_NE(list, nullptr);
                          EXPECT_EQ(list->GetString(0), wxString::FromUTF8(texts.firstRow));
                          EXPECT_EQ(list->GetString(1), wxS("Chinese (Simplified)"));
                          dialog.SetSelection(2);
                      }),
                      ExpectDialog<wxMessageDialog>([&texts](wxMessageDialog& box) {
                          EXPECT_EQ(box.GetMessage(), wxString::FromUTF8(texts.restart));
                          EXPECT_EQ(box.GetTitle(), wxString::FromUTF8(texts.notice));
                      }));
        EXPECT_EQ(OnDisk(), "en");
    }
    // Cancelling writes nothing and shows nothing more.
    wxTEST_DIALOG(ChangeUiLanguage(), ChooseLanguageRow(-1));
    EXPECT_EQ(Stored(), "en");
}
