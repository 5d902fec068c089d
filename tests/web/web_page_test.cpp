// The exported page's file: what it carries of the quiz and its editions,
// how the quiz's texts travel inside it, and mindprism-check --web.
#include "quiz/quiz_file.h"
#include "test_support.h"
#include "tools/checker_run.h"
#include "web/web_export.h"

#include <wx/dir.h>
#include <wx/filename.h>

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace
{

wxString ShippedQuiz(const char* name)
{
    return wxFileName(SourceDir() + wxFILE_SEP_PATH + wxS("data"), wxString::FromUTF8(name)).GetFullPath();
}

wxString Locales()
{
    return RuntimeDir() + wxFILE_SEP_PATH + wxS("locales");
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

const std::string QUIZ = "<questions><QUESTION><ID>1001</ID><Q>One</Q>"
                         "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>";

} // namespace

TEST(WebExport, ThePageOfABuiltInQuizHoldsBothEditionsInTheirOwnWords)
{
    WebQuiz quiz;
    wxString error;
    ASSERT_TRUE(ReadWebQuiz(WebExportForFile(ShippedQuiz("Quiz_000-en.xml"), Locales(), wxString()),
                            quiz, error)) << error;
    ASSERT_EQ(quiz.editions.size(), 2u);
    const WebEdition& en = quiz.editions[0];
    const WebEdition& zh = quiz.editions[1];
    EXPECT_EQ(en.language, wxS("en"));
    EXPECT_EQ(zh.language, wxS("zh_CN"));
    EXPECT_EQ(quiz.shown, 0u) << "the edition exported opens the page";
    EXPECT_EQ(en.title, wxS("Which animal are you?"));
    EXPECT_EQ(zh.title, wxString::FromUTF8("你具备哪种动物潜质？"));
    EXPECT_EQ(en.words.languageName, wxS("English"));
    EXPECT_EQ(zh.words.languageName, wxString::FromUTF8("简体中文"));
    EXPECT_EQ(en.words.next, wxS("Next"));
    EXPECT_EQ(zh.words.next, wxString::FromUTF8("下一题"));
    EXPECT_EQ(zh.words.progressRange, wxString::FromUTF8("第 %d 题 · 还有 %d 到 %d 题"));
    EXPECT_TRUE(en.catalogue.StartsWith(wxString('-', 24) + wxS("\nA. "))) << en.catalogue.Left(40);
    EXPECT_NE(en.catalogue, zh.catalogue);
    ASSERT_FALSE(en.questions.empty());
    EXPECT_EQ(en.questions[0].id, QUIZ_ENTRY_ID) << "questions in the file's order";
    EXPECT_EQ(en.questions.size(), zh.questions.size());

    // The star-sign quiz ends in the answer alone.
    ASSERT_TRUE(ReadWebQuiz(WebExportForFile(ShippedQuiz("Quiz_001-zh_CN.xml"), Locales(), wxString()),
                            quiz, error)) << error;
    EXPECT_EQ(quiz.editions[quiz.shown].language, wxS("zh_CN"));
    EXPECT_TRUE(quiz.editions[0].catalogue.empty());
    EXPECT_EQ(quiz.editions[0].title, wxS("What is your inner star sign?"));
}

TEST(WebPage, NoQuizTextCanEndTheElementItTravelsIn)
{
    const wxString hostile = wxString::FromUTF8("</script><script>alert(1)</script><!-- <script> & ‘引号’");
    WebQuestion question{wxS("</script>"), hostile, {Answer{hostile, wxS("0")}}, QuizProgress{0, 0}};
    WebEdition edition;
    edition.language = wxS("en");
    edition.title = wxS("</title><script>alert(1)</script>");
    edition.questions.push_back(question);
    edition.results[wxS("</script>")] = hostile;
    WebQuiz quiz;
    quiz.editions.push_back(edition);
    const std::string page = WebPageHtml(quiz);

    EXPECT_EQ(Count(page, "<script"), 2u) << "the data and the player, nothing else";
    EXPECT_EQ(Count(page, "</script"), 2u);
    EXPECT_EQ(Count(page, "</title"), 1u);
    EXPECT_TRUE(Contains(page, "<title>&lt;/title&gt;&lt;script&gt;alert(1)&lt;/script&gt;</title>"));
    EXPECT_FALSE(Contains(page, "<!--"));

    // What the page's script reads back is the text as written.
    const std::string open = "<script type=\"application/json\" id=\"quiz-data\">";
    const size_t from = page.find(open) + open.size();
    const nlohmann::json data = nlohmann::json::parse(page.substr(from, page.find("</script>", from) - from));
    const nlohmann::json& read = data["editions"][0];
    const std::string text(hostile.utf8_str());
    EXPECT_EQ(read["questions"][0][0], "</script>");
    EXPECT_EQ(read["questions"][0][1], text);
    EXPECT_EQ(read["questions"][0][2][0], nlohmann::json::array({text, "0", text}))
        << "an ending carries its result, the whole answer when it has no arrow";
    EXPECT_EQ(read["results"][0], nlohmann::json::array({"</script>", text}));
}

TEST(WebExport, AnEditionThatCannotBeReadIsLeftOutButTheQuizFileMustRead)
{
    TempDir dir;
    const wxString good = dir.Write(wxS("q-zh_CN.xml"), QUIZ);
    const wxString broken = dir.Write(wxS("q-en.xml"), "<questions><QUESTION>");
    WebQuiz quiz;
    wxString error;
    std::vector<wxString> leftOut;
    ASSERT_TRUE(ReadWebQuiz(WebExportForFile(good, Locales(), wxString()), quiz, error, &leftOut));
    ASSERT_EQ(quiz.editions.size(), 1u);
    EXPECT_EQ(quiz.editions[0].language, wxS("zh_CN"));
    EXPECT_EQ(leftOut, std::vector<wxString>{broken});

    EXPECT_FALSE(ExportWebPage(WebExportForFile(good, Locales(), wxString()), broken, error));
    EXPECT_EQ(ReadBytes(broken), "<questions><QUESTION>") << "a page never takes a quiz file's place";

    const wxString page = dir.Write(wxS("page.html"), "earlier");
    EXPECT_FALSE(ExportWebPage(WebExportForFile(broken, Locales(), wxString()), page, error));
    EXPECT_TRUE(error.Contains(broken)) << error;
    EXPECT_EQ(ReadBytes(page), "earlier");
    wxArrayString files;
    EXPECT_EQ(wxDir::GetAllFiles(dir.Path(), &files), 3u) << "nothing left beside the page";
}

TEST(WebWords, LabelsLoseTheirMnemonics)
{
    EXPECT_EQ(WithoutMnemonic(wxS("&Next")), wxS("Next"));
    EXPECT_EQ(WithoutMnemonic(wxString::FromUTF8("下一题(&N)")), wxString::FromUTF8("下一题"));
    EXPECT_EQ(WithoutMnemonic(wxS("Tom && Jerry")), wxS("Tom & Jerry"));
    EXPECT_EQ(WithoutMnemonic(wxS("Save (&x) now")), wxS("Save (x) now"));
}

TEST(WebProgram, WritesThePageOfAnyQuizItCanReadAndRefusesTheRest)
{
    for (const char* arguments : {"--web page.xml quiz.xml", "--web page.html a.xml b.xml", "--web"})
    {
        const Outcome run = RunChecker(wxString::FromUTF8(arguments));
        EXPECT_EQ(run.status, 2) << arguments << "\n" << run.out;
        EXPECT_TRUE(Contains(run.out, "Try 'mindprism-check --help'")) << arguments << "\n" << run.out;
    }

    TempDir dir;
    const wxString page = dir.File(wxS("Quiz.HTML"));
    const Outcome clean = RunChecker("--web " + ShellQuoted(page) + " " + ShellQuoted(ShippedQuiz("Quiz_000-zh_CN.xml")));
    EXPECT_EQ(clean.status, 0) << clean.out;
    const std::string written = ReadBytes(page);
    EXPECT_EQ(written.rfind("<!DOCTYPE html>\n<html lang=\"zh-CN\">", 0), 0u);
    EXPECT_LT(written.size(), 1u << 20) << "the animal quiz, both editions and its catalogue";
    RunChecker("--web " + ShellQuoted(page) + " " + ShellQuoted(ShippedQuiz("Quiz_000-zh_CN.xml")));
    EXPECT_EQ(ReadBytes(page), written) << "the same quiz, the same bytes";

    // A quiz with errors still has a page; a file that is no quiz has none.
    const wxString dangling = dir.Write(wxS("dangling.xml"), "<questions><QUESTION><ID>1001</ID>"
                                        "<ANSWER><A>a</A><GOTO>9</GOTO></ANSWER></QUESTION></questions>");
    const Outcome errors = RunChecker("--web " + ShellQuoted(page) + " " + ShellQuoted(dangling));
    EXPECT_EQ(errors.status, 2) << errors.out;
    EXPECT_TRUE(Contains(ReadBytes(page), "[\"a\",\"9\"]")) << "the answer leading nowhere is in it";
    const std::string earlier = ReadBytes(page);
    const wxString notQuiz = dir.Write(wxS("not-quiz.xml"), "<quiz/>");
    const Outcome refused = RunChecker("--web " + ShellQuoted(page) + " " + ShellQuoted(notQuiz));
    EXPECT_EQ(refused.status, 2) << refused.out;
    EXPECT_TRUE(Contains(refused.out, "no page written: ")) << refused.out;
    EXPECT_EQ(ReadBytes(page), earlier);
}
