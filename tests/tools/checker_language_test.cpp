// The checker in both languages: which catalogue a request picks, and every
// kind of finding read as one whole sentence in English and in Chinese, its
// values where the language puts them.
#include "checker_language.h"
#include "quiz/quiz_checker.h"
#include "quiz_xml.h"
#include "report_output.h"
#include "test_support.h"

#include <wx/arrstr.h>
#include <wx/filename.h>
#include <wx/translation.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Speaks `language` ("" for English) for as long as it lives.
class Speaking
{
public:
    explicit Speaking(const char* language)
    {
        // The test is not beside the catalogues, as the checker is.
        static const bool added = (wxFileTranslationsLoader::AddCatalogLookupPathPrefix(
                                       RuntimeDir() + wxS("/locales")), true);
        (void)added;
        SpeakLanguage(*language ? std::vector<wxString>{wxString(language)} : std::vector<wxString>());
    }
    ~Speaking() { wxTranslations::Set(nullptr); }
    Speaking(const Speaking&) = delete;
    Speaking& operator=(const Speaking&) = delete;
};

// The checker's line for the finding `code` on `xml` (with `other` as the
// quiz's other edition, when given), without the file name: the summary
// line when `code` is empty.
std::string ReportLine(const std::string& xml, const char* other, const char* code)
{
    TempDir dir;
    const wxString path = dir.Write(wxS("Quiz-zh_CN.xml"), xml);
    if (other)
        dir.Write(wxS("Quiz-en.xml"), other);
    FileReport report = CheckQuizFile(path);
    report.file = "Quiz-zh_CN.xml";
    std::string text = TextReport(report);
    // The other edition is named by its path, as the file was given.
    const std::string folder(wxFileName(dir.Path(), wxString()).GetPathWithSep().utf8_str());
    for (size_t at; (at = text.find(folder)) != std::string::npos;)
        text.erase(at, folder.size());
    const std::string mark = *code ? " [" + std::string(code) + "]\n" : std::string("\n");
    const size_t end = text.find(mark);
    if (end == std::string::npos)
        return "<no such line in>\n" + text;
    const size_t begin = end == 0 ? 0 : text.rfind('\n', end - 1) + 1;  // npos + 1 is 0
    return text.substr(begin + report.file.size() + 1, end - begin - report.file.size() - 1);
}

} // namespace

TEST(CheckerLanguage, PicksTheFirstRequestedLanguageWithACatalogue)
{
    wxArrayString available;
    available.Add(wxS("zh_CN"));
    available.Add(wxS("en"));
    const struct
    {
        std::vector<wxString> requested;
        const char* picked;
    } rows[] = {
        {{wxS("zh_CN.UTF-8")}, "zh_CN"},
        {{wxS("zh-CN")}, "zh_CN"},  // as Windows names it
        {{wxS("fr_FR"), wxS("zh_CN@x")}, "zh_CN"},
        {{wxS("en_GB.UTF-8"), wxS("zh_CN")}, "en"},
        {{wxS("zh_TW")}, ""},  // not the Simplified catalogue
        {{}, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PickLanguage(row.requested, available), row.picked) << row.requested.size();
    // English needs no catalogue of its own.
    EXPECT_EQ(PickLanguage({wxS("en_US"), wxS("zh_CN")}, wxArrayString(1, &available[0])), "");
}

TEST(CheckerLanguage, RequestsFollowGettextsOrderAndItsCLocale)
{
    const struct
    {
        const char* language;
        const char* all;
        const char* messages;
        const char* lang;
        std::vector<wxString> requested;
    } rows[] = {
        {"", "", "", "zh_CN.UTF-8", {wxS("zh_CN.UTF-8")}},
        {"fr:zh_CN", "", "", "en_US.UTF-8", {wxS("fr"), wxS("zh_CN"), wxS("en_US.UTF-8")}},
        {"", "", "zh_CN.UTF-8", "en_US.UTF-8", {wxS("zh_CN.UTF-8")}},
        {"zh_CN", "C", "", "zh_CN.UTF-8", {}},  // C speaks the texts as written
        {"zh_CN", "", "", "C.UTF-8", {}},
        {"", "", "", "", {}},
    };
    for (const auto& row : rows)
    {
        const auto variable = [&row](const char* name) {
            const std::string n = name;
            return wxString::FromUTF8(n == "LANGUAGE" ? row.language : n == "LC_ALL" ? row.all
                                      : n == "LC_MESSAGES" ? row.messages : n == "LANG" ? row.lang : "");
        };
        EXPECT_EQ(LanguagesFromEnvironment(variable), row.requested) << row.language << " " << row.lang;
    }
}

// A quiz with a title and results, each of them at fault in one way.
const std::string DESCRIBED =
    "<questions>\n<QUESTION><ID>1001</ID><Q>t</Q><ANSWER><A>go \xE2\x86\x92 Rogue</A><GOTO>0</GOTO></ANSWER>"
    "<ANSWER><A>go \xE2\x86\x92 Nobody</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
    "<RESULT><NAME>Rogue</NAME><TEXT>x</TEXT></RESULT>\n<RESULT><NAME>Saint</NAME><TEXT>y</TEXT></RESULT>\n"
    "<RESULT><NAME>Rogue</NAME><TEXT>z</TEXT></RESULT>\n<RESULT><TEXT>w</TEXT></RESULT>\n"
    "<RESULT><NAME>Empty</NAME></RESULT>\n<TITLE>a</TITLE>\n<TITLE>b</TITLE>\n"
    "<QUESTION><ID>1002</ID><Q>t</Q><ANSWER><A>x</A><GOTO>0</GOTO></ANSWER></QUESTION>\n</questions>\n";

TEST(CheckerLanguage, EveryKindOfFindingIsOneSentenceInEitherLanguage)
{
    const std::string answers = "<QUESTION><ID>1001</ID><Q>t</Q><ANSWER><A>a</A><GOTO>0</GOTO></ANSWER>";
    const struct
    {
        const char* code;
        std::string xml;
        const char* other;  // the other edition, if any
        const char* english;
        const char* chinese;
    } rows[] = {
        {"not-xml", "<questions>\n<QUESTION>\n</ANSWER>\n</questions>", nullptr,
         "3: error: not well-formed XML: mismatched tag",
         "3: 错误: 不是格式正确的 XML：mismatched tag"},
        {"wrong-root", "<quiz/>", nullptr,
         "1: error: the root element is <quiz>, not <questions>: no question is read",
         "1: 错误: 根元素是 <quiz> 而不是 <questions>：读不到任何题目"},
        {"reading-stopped", QuizXml({Q("1001", {"0"}), "<note/>", Q("1002", {"0"}), Q("1003", {"0"})}), nullptr,
         "3: warning: reading stops at <note>, which is not a QUESTION: the 2 QUESTION elements after "
         "it are ignored",
         "3: 警告: 读取在 <note> 处停止，它不是 QUESTION：其后的 2 个 QUESTION 元素被忽略"},
        {"duplicate-id", QuizXml({Q("1001", {"0"}), Q("1001", {"0"})}), nullptr,
         "3: warning: question \"1001\" is defined again: this later one is used, the one at line 2 is "
         "ignored",
         "3: 警告: 题目 “1001” 被重复定义：使用这个较后的定义，第 2 行的定义被忽略"},
        {"answer-dropped", QuizXml({answers + "<ANSWER><A></A><GOTO>0</GOTO></ANSWER></QUESTION>"}), nullptr,
         "2: warning: question \"1001\": ANSWER is dropped: its A is empty",
         "2: 警告: 题目 “1001”：ANSWER 被舍弃：它的 A 是空的"},
        {"borrowed-text", QuizXml({answers + "<ANSWER><GOTO>0</GOTO></ANSWER></QUESTION>"}), nullptr,
         "2: warning: question \"1001\": ANSWER has no A: it takes the text \"a\" of an earlier ANSWER",
         "2: 警告: 题目 “1001”：ANSWER 没有 A：它沿用了前面一个 ANSWER 的文字 “a”"},
        {"borrowed-target", QuizXml({answers + "<ANSWER><A>b</A></ANSWER></QUESTION>"}), nullptr,
         "2: warning: question \"1001\": ANSWER has no GOTO: it takes the target \"0\" of an earlier ANSWER",
         "2: 警告: 题目 “1001”：ANSWER 没有 GOTO：它沿用了前面一个 ANSWER 的目标 “0”"},
        {"repeated-answer", QuizXml({answers + "<ANSWER/></QUESTION>"}), nullptr,
         "2: warning: question \"1001\": ANSWER has neither A nor GOTO: it repeats the answer \"a\" "
         "(GOTO \"0\") of an earlier ANSWER",
         "2: 警告: 题目 “1001”：ANSWER 既没有 A 也没有 GOTO：它重复了前面一个 ANSWER 的答案 “a”（GOTO “0”）"},
        {"target-like-end", QuizXml({Q("1001", {"00", "0"})}), nullptr,
         "2: warning: question \"1001\": GOTO \"00\" looks like the end of the quiz, but only exactly "
         "\"0\" ends it",
         "2: 警告: 题目 “1001”：GOTO “00” 看起来像是测验的结局，但只有恰好为“0”才会结束测验"},
        {"target-blanks", QuizXml({Q("1001", {"1001 ", "0"})}), nullptr,
         "2: warning: question \"1001\": GOTO \"1001 \" has blanks around it, and IDs are compared exactly",
         "2: 警告: 题目 “1001”：GOTO “1001 ” 的首尾有空白，而编号是逐字比较的"},
        {"id-blanks", QuizXml({Q("1001", {"0"}), Q(" 1002", {"0"})}), nullptr,
         "3: warning: question \" 1002\" has blanks around its ID, and a GOTO must repeat them exactly",
         "3: 警告: 题目 “ 1002” 的 ID 首尾有空白，GOTO 必须把这些空白原样写出"},
        {"missing-id", QuizXml({Q("1001", {"0"}), "<QUESTION><Q>t</Q></QUESTION>"}), nullptr,
         "3: warning: QUESTION has no ID (or an empty one): no answer can lead to it",
         "3: 警告: QUESTION 没有 ID（或 ID 为空）：任何答案都无法通向它"},
        {"missing-text", QuizXml({QuestionXml("1001", "", {{"a", "0"}})}), nullptr,
         "2: warning: question \"1001\" has no Q (or an empty one): players see no question",
         "2: 警告: 题目 “1001” 没有 Q（或 Q 为空）：答题者看不到题目"},
        {"ignored-element", QuizXml({answers + "<GOTO>0</GOTO></QUESTION>"}), nullptr,
         "2: warning: question \"1001\": <GOTO> inside <QUESTION> is ignored: it belongs inside an <ANSWER>",
         "2: 警告: 题目 “1001”：<GOTO> 位于 <QUESTION> 之内，因此被忽略：它应放在 <ANSWER> 之内"},
        {"no-entry", QuizXml({Q("1002", {"0"})}), nullptr,
         "1: error: there is no question \"1001\", where every quiz starts: nothing can be played",
         "1: 错误: 没有编号为 “1001” 的题目，而每个测验都从这道题开始：整个测验无法进行"},
        {"unknown-target", QuizXml({Q("1001", {"9999", "0"})}), nullptr,
         "2: error: question \"1001\": GOTO \"9999\" names no question",
         "2: 错误: 题目 “1001”：GOTO “9999” 指向的题目不存在"},
        {"dead-end", QuizXml({Q("1001", {"1002", "0"}), Q("1002", {})}), nullptr,
         "3: error: question \"1002\" has no answers: a player who gets here cannot finish the quiz",
         "3: 错误: 题目 “1002” 没有答案：答题者走到这一题就无法完成测验"},
        {"no-end", QuizXml({Q("1001", {"1002", "0"}), Q("1002", {"1003"}), Q("1003", {"1004"}),
                            Q("1004", {"1005"}), Q("1005", {"1006"}), Q("1006", {"1002"})}), nullptr,
         "3: error: no end can be reached from question \"1002\": it is caught in a loop with \"1003\", "
         "\"1004\", \"1005\" and 1 more, with no way out",
         "3: 错误: 从题目 “1002” 出发无法到达结局：它和 “1003”、“1004”、“1005” 以及另外 1 道题"
         "陷入了一个没有出口的循环"},
        {"unreachable", QuizXml({Q("1001", {"0"}), Q("1002", {"0"})}), nullptr,
         "3: warning: question \"1002\" cannot be reached from question \"1001\"",
         "3: 警告: 从题目 “1001” 出发无法到达题目 “1002”"},
        {"no-answers", QuizXml({Q("1001", {"0"}), Q("1002", {})}), nullptr,
         "3: warning: question \"1002\" has no answers",
         "3: 警告: 题目 “1002” 没有答案"},
        {"edition-answers", QuizXml({Q("1001", {"0"})}), "<questions>\n<QUESTION><ID>1001</ID><Q>t</Q>"
         "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER><ANSWER><A>b</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>",
         "2: warning: question \"1001\" has 1 answer here and 2 in the other edition Quiz-en.xml:2",
         "2: 警告: 题目 “1001” 在这里有 1 个答案，在另一语言版本 Quiz-en.xml:2 中有 2 个"},
        {"edition-target", QuizXml({Q("1001", {"1002", "1003"}), Q("1002", {"0"}), Q("1003", {"0"})}),
         "<questions>\n<QUESTION><ID>1001</ID><Q>t</Q><ANSWER><A>a</A><GOTO>1003</GOTO></ANSWER>"
         "<ANSWER><A>b</A><GOTO>1003</GOTO></ANSWER></QUESTION>\n<QUESTION><ID>1002</ID><Q>t</Q>"
         "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION>\n<QUESTION><ID>1003</ID><Q>t</Q>"
         "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>",
         "2: warning: answer 1 of question \"1001\" leads to \"1002\" here but to \"1003\" in the other "
         "edition Quiz-en.xml:2",
         "2: 警告: 题目 “1001” 的第 1 个答案在这里通向 “1002”，在另一语言版本 Quiz-en.xml:2 中却通向 “1003”"},
        // A quiz's own title and results: line 2 holds the question, then one
        // element a line.
        {"ending-no-result", DESCRIBED, nullptr,
         "2: warning: question \"1001\": the ending \"go \xE2\x86\x92 Nobody\" names no result: no RESULT has the "
         "name \"Nobody\"",
         "2: 警告: 题目 “1001”：结局 “go \xE2\x86\x92 Nobody” 没有对应的结果：没有名为 “Nobody” 的 RESULT"},
        {"result-unused", DESCRIBED, nullptr,
         "4: warning: result \"Saint\" is named by no ending: no player gets it",
         "4: 警告: 没有任何结局指向结果 “Saint”：没有答题者会得到它"},
        {"duplicate-result", DESCRIBED, nullptr,
         "5: warning: result \"Rogue\" is defined again: players get the one at line 3",
         "5: 警告: 结果 “Rogue” 被重复定义：答题者得到的是第 3 行的那个"},
        {"result-no-name", DESCRIBED, nullptr,
         "6: warning: RESULT has no NAME (or an empty one): no ending can name it",
         "6: 警告: RESULT 没有 NAME（或 NAME 为空）：没有结局能指向它"},
        {"result-no-text", DESCRIBED, nullptr,
         "7: warning: result \"Empty\" has no TEXT (or an empty one): players see only its name",
         "7: 警告: 结果 “Empty” 没有 TEXT（或 TEXT 为空）：答题者只能看到它的名称"},
        {"title-repeated", DESCRIBED, nullptr,
         "8: warning: the quiz has another TITLE after this one: only the last is used",
         "8: 警告: 这个 TITLE 之后还有一个 TITLE：只有最后一个有效"},
        {"question-after-results", DESCRIBED, nullptr,
         "10: warning: question \"1002\" comes after the title or results and is never read: questions go "
         "before <TITLE> and <RESULT>",
         "10: 警告: 题目 “1002” 位于标题或结果之后，永远不会被读取：题目应放在 <TITLE> 和 <RESULT> 之前"},
        {"", QuizXml({Q("1001", {"0"})}), nullptr,
         " ok: 1 question, 1 ending; questions answered from 1001 to an end: shortest: 1, longest: 1",
         " 通过：1 道题，1 个结局；从 1001 到结局所答的题数：最少 1，最多 1"},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.code);
        {
            Speaking english("");
            EXPECT_EQ(ReportLine(row.xml, row.other, row.code), row.english);
        }
        Speaking chinese("zh_CN");
        EXPECT_EQ(ReportLine(row.xml, row.other, row.code), row.chinese);
    }
}
