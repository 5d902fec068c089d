// The checker program speaks the language its environment asks for, as
// compilers do on POSIX systems (on Windows it follows the user's display
// language instead), and English to scripts.
#include "checker_run.h"
#include "test_support.h"

#include <wx/utils.h>

#include <gtest/gtest.h>

#include <string>

namespace
{

// Sets the locale variables for the checkers it runs, and clears them after.
class Environment
{
public:
    Environment(const char* language, const char* all, const char* lang)
    {
        Set("LANGUAGE", language);
        Set("LC_ALL", all);
        Set("LANG", lang);
    }
    ~Environment()
    {
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            wxUnsetEnv(name);
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    static void Set(const char* name, const char* value)
    {
        if (*value)
            wxSetEnv(name, value);
        else
            wxUnsetEnv(name);
    }
};

} // namespace

TEST(CheckerProgram, SpeaksTheEnvironmentsLanguageAndEnglishToScripts)
{
    TempDir dir;
    const wxString quiz = ShellQuoted(dir.Write(wxS("quiz.xml"),
        "<questions>\n<QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>9</GOTO></ANSWER></QUESTION>\n"
        "</questions>"));
    const std::string chinese = ":2: 错误: 题目 “1001”：GOTO “9” 指向的题目不存在 [unknown-target]";
    const std::string english = ":2: error: question \"1001\": GOTO \"9\" names no question [unknown-target]";
    const struct
    {
        const char* language;
        const char* all;
        const char* lang;
        wxString arguments;
        std::string said;
    } rows[] = {
        {"", "", "zh_CN.UTF-8", quiz, chinese},
        {"", "", "C", quiz, english},
        {"fr:zh_CN", "", "en_US.UTF-8", quiz, chinese},
        {"zh_CN", "C", "zh_CN.UTF-8", quiz, english},
        {"", "", "zh_CN.UTF-8", wxS("--json ") + quiz, "\"message\": \"question \\\"1001\\\": GOTO"},
        {"", "", "zh_CN.UTF-8", wxS("--frobnicate"), "mindprism-check: 未知选项“--frobnicate”"},
    };
    for (const auto& row : rows)
    {
        const Environment environment(row.language, row.all, row.lang);
        const Outcome run = RunChecker(row.arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.out.find(row.said), std::string::npos)
            << row.language << "|" << row.all << "|" << row.lang << "\n" << run.out;
    }
}
