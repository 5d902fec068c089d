// The interface-language setting: the first start, what is stored, and the
// command that changes it for the next start.
#include "ui_test_util.h"

#include "app/language.h"

#include <wx/config.h>
#include <wx/intl.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>

#include <fstream>

namespace
{

class LanguageSetting : public testing::Test
{
protected:
    void SetUp() override { Store(nullptr); }

    // Starts from a settings file holding `value` (none when null), as a
    // fresh process would find it.
    void Store(const char* value)
    {
        delete wxConfigBase::Set(nullptr);
        if (wxFileExists(TestConfigFile()))
            wxRemoveFile(TestConfigFile());
        if (value)
            std::ofstream(std::string(TestConfigFile().utf8_str()))
                << "ui_language=" << value << "\n";
        ResetConfig();
        wxConfigBase::Get()->SetRecordDefaults(true);
    }
    // The settings file as a later process would read it.
    std::string Stored()
    {
        delete wxConfigBase::Set(nullptr);  // written out, as at exit
        const std::string text = ReadBytes(TestConfigFile());
        ResetConfig();
        wxConfigBase::Get()->SetRecordDefaults(true);
        return text;
    }
    // Written to disk at once, without waiting for the process to end.
    std::string OnDisk() const { return ReadBytes(TestConfigFile()); }

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

ExpectDialog<wxMessageDialog> ExpectRestartMessage(const wxString& text, const wxString& caption)
{
    return ExpectDialog<wxMessageDialog>([text, caption](wxMessageDialog& box) {
        EXPECT_EQ(box.GetMessage(), text);
        EXPECT_EQ(box.GetTitle(), caption);
    });
}

} // namespace

TEST_F(LanguageSetting, FirstStartAsksInEnglishAndStoresTheChoice)
{
    int language = wxLANGUAGE_UNKNOWN;
    wxTEST_DIALOG(language = GetUiLanguage(),
                  ExpectDialog<wxSingleChoiceDialog>([](wxSingleChoiceDialog& dialog) {
                      EXPECT_EQ(dialog.GetTitle(), wxS("Language selection"));
                      EXPECT_EQ(dialog.GetSelection(), 0);
                      wxListBox* list = ChoiceList(dialog);
                      ASSERT_NE(list, nullptr);
                      ASSERT_EQ(list->GetCount(), 3u);
                      EXPECT_EQ(list->GetString(0), wxS("(Use default language)"));
                      EXPECT_EQ(list->GetString(1), wxS("Chinese (Simplified)"));
                      EXPECT_EQ(list->GetString(2), wxS("English"));
                      EXPECT_GE(list->GetSize().y, 150) << "all three rows shown";
                      dialog.SetSelection(1);
                  }));
    EXPECT_EQ(language, wxLANGUAGE_CHINESE_SIMPLIFIED);
    EXPECT_NE(OnDisk().find("ui_language=zh_CN"), std::string::npos) << OnDisk();
    // The next start asks nothing (an unexpected dialog would fail the test).
    EXPECT_EQ(GetUiLanguage(), wxLANGUAGE_CHINESE_SIMPLIFIED);
}

TEST_F(LanguageSetting, EachChoiceIsStoredUnderItsName)
{
    const std::pair<int, const char*> rows[] = {{0, "default"}, {1, "zh_CN"}, {2, "en"}};
    for (const auto& row : rows)
    {
        Store(nullptr);
        wxTEST_DIALOG(GetUiLanguage(), ChooseLanguageRow(row.first));
        EXPECT_NE(OnDisk().find(std::string("ui_language=") + row.second + "\n"), std::string::npos)
            << OnDisk();
    }
}

TEST_F(LanguageSetting, ACancelledFirstChoiceUsesTheSystemLanguageAndAsksAgain)
{
    int language = wxLANGUAGE_UNKNOWN;
    wxTEST_DIALOG(language = GetUiLanguage(), ChooseLanguageRow(-1));
    EXPECT_EQ(language, wxLANGUAGE_DEFAULT);
    EXPECT_NE(Stored().find("ui_language=\n"), std::string::npos) << "empty value recorded";
    wxTEST_DIALOG(language = GetUiLanguage(), ChooseLanguageRow(2));
    EXPECT_EQ(language, wxLANGUAGE_ENGLISH);
}

TEST_F(LanguageSetting, StoredValuesAreReadWithoutAsking)
{
    const std::pair<const char*, int> stored[] = {
        {"default", wxLANGUAGE_DEFAULT},
        {"zh_CN", wxLANGUAGE_CHINESE_SIMPLIFIED},
        {"en", wxLANGUAGE_ENGLISH},
    };
    for (const auto& entry : stored)
    {
        Store(entry.first);
        EXPECT_EQ(GetUiLanguage(), entry.second) << entry.first;
    }
    EXPECT_EQ(m_log.Errors(), 0u) << m_log.Text();
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
        EXPECT_NE(Stored().find(std::string("ui_language=") + value), std::string::npos);
    }
}

TEST_F(LanguageSetting, TheLanguageCommandStoresTheChoiceForTheNextStart)
{
    Store("zh_CN");
    const wxString restart = wxS("You must restart application for this change to take effect.");
    wxTEST_DIALOG(ChangeUiLanguage(), ChooseLanguageRow(2), ExpectRestartMessage(restart, wxS("Confirm")));
    EXPECT_NE(OnDisk().find("ui_language=en\n"), std::string::npos) << OnDisk();
    // The same language again is written again and confirmed again.
    wxTEST_DIALOG(ChangeUiLanguage(), ChooseLanguageRow(2), ExpectRestartMessage(restart, wxS("Confirm")));
    // Cancelling writes nothing and shows nothing more.
    wxTEST_DIALOG(ChangeUiLanguage(), ChooseLanguageRow(-1));
    EXPECT_NE(Stored().find("ui_language=en\n"), std::string::npos);
}

TEST_F(LanguageSetting, TheCommandSpeaksTheRunningInterfacesLanguage)
{
    struct Texts
    {
        wxLanguage language;
        const char *message, *caption, *firstRow, *restart, *notice;
    };
    const Texts shipped[] = {
        {wxLANGUAGE_CHINESE_SIMPLIFIED, "请选择您偏好的界面语言", "选择界面语言", "（使用系统默认语言）",
         "需要重新启动程序后，更改才能生效。", "提示"},
        // The English catalogue mends the built-in wording.
        {wxLANGUAGE_ENGLISH, "Select your preferred language", "Language selection",
         "(Use default language)", "You must restart the application for this change to take effect.",
         "Notice"},
    };
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    for (const Texts& texts : shipped)
    {
        wxLocale locale;
        InitUiLocale(locale, texts.language, wxS("Mindprism"));
        EXPECT_EQ(m_log.Records().size(), 0u) << "no complaint about the system locale: " << m_log.Text();

        wxTEST_DIALOG(ChangeUiLanguage(),
                      ExpectDialog<wxSingleChoiceDialog>([&texts](wxSingleChoiceDialog& dialog) {
                          bool message = false;
                          for (const wxWindow* child : dialog.GetChildren())
                              message |= child->GetLabel() == wxString::FromUTF8(texts.message);
                          EXPECT_TRUE(message) << texts.message;
                          EXPECT_EQ(dialog.GetTitle(), wxString::FromUTF8(texts.caption));
                          wxListBox* list = ChoiceList(dialog);
                          ASSERT_NE(list, nullptr);
                          EXPECT_EQ(list->GetString(0), wxString::FromUTF8(texts.firstRow));
                          EXPECT_EQ(list->GetString(1), wxS("Chinese (Simplified)"));
                          dialog.SetSelection(2);
                      }),
                      ExpectRestartMessage(wxString::FromUTF8(texts.restart),
                                           wxString::FromUTF8(texts.notice)));
        EXPECT_NE(OnDisk().find("ui_language=en\n"), std::string::npos);
    }
}

TEST_F(FrameTest, LanguageMenuRunsTheLanguageCommand)
{
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_LANGUAGE), ChooseLanguageRow(-1));
}
