// Which language edition of a built-in quiz is read, and which file names
// are editions.
#include "quiz/quiz_edition.h"

#include <wx/filefn.h>

#include <gtest/gtest.h>

#include <set>

TEST(QuizEdition, TheInterfaceLanguageReadsItsEditionElseTheChineseOne)
{
    const struct
    {
        const char* language;  // as the catalogue in force names it
        std::set<wxString> files;
        const char* read;
    } rows[] = {
        {"en", {"Quiz_000-en.xml", "Quiz_000-zh_CN.xml"}, "Quiz_000-en.xml"},
        {"en", {"Quiz_000-zh_CN.xml"}, "Quiz_000-zh_CN.xml"},
        // English chosen explicitly or as the system language: the toolkit
        // names it en_GB or en_US, and its catalogue is en.
        {"en_GB", {"Quiz_000-en.xml", "Quiz_000-zh_CN.xml"}, "Quiz_000-en.xml"},
        {"en_US", {"Quiz_000-en_US.xml", "Quiz_000-en.xml"}, "Quiz_000-en_US.xml"},
        {"zh_CN", {"Quiz_000-en.xml", "Quiz_000-zh_CN.xml"}, "Quiz_000-zh_CN.xml"},
        // No catalogue (a language the program does not speak): source texts.
        {"", {"Quiz_000-en.xml", "Quiz_000-zh_CN.xml"}, "Quiz_000-zh_CN.xml"},
        // Still the Chinese file when it is missing: loading it says so.
        {"fr", {}, "Quiz_000-zh_CN.xml"},
    };
    const wxString data = wxS("data") + wxString(wxFILE_SEP_PATH);
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.language);
        const QuizEditionChoice choice =
            ChooseQuizEdition(wxS("Quiz_000"), row.language, [&](const wxString& path) {
                return path.StartsWith(data) && row.files.count(path.substr(data.length())) > 0;
            });
        EXPECT_EQ(choice.path, data + row.read);
        EXPECT_FALSE(choice.why.empty());
    }
}

TEST(QuizEdition, AFileNameSplitsAtItsLastDashIntoStemAndLanguage)
{
    const struct
    {
        const char* name;
        const char* stem;  // null: not an edition's name
        const char* language;
    } rows[] = {
        {"Quiz_000-zh_CN.xml", "Quiz_000", "zh_CN"}, {"my-quiz-en.XML", "my-quiz", "en"},
        {"Quiz-sr_Latn.xml", "Quiz", "sr_Latn"},     {"my-quiz.xml", nullptr, nullptr},
        {"Quiz_000-EN.xml", nullptr, nullptr},       {"-en.xml", nullptr, nullptr},
        {"Quiz_000-en_.xml", nullptr, nullptr},      {"Quiz_000-en.txt", nullptr, nullptr},
    };
    for (const auto& row : rows)
    {
        wxString stem, language;
        const bool split = SplitEditionName(row.name, stem, language);
        EXPECT_EQ(split, row.stem != nullptr) << row.name;
        if (split && row.stem)
        {
            EXPECT_EQ(stem + "|" + language, wxString(row.stem) + "|" + row.language);
        }
    }
}
