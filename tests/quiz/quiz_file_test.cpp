// Reading quiz files into question records.
#include "quiz/quiz_file.h"
#include "quiz/xml_nesting.h"
#include "quiz_test_util.h"

#include <wx/xml/xml.h>

#include <gtest/gtest.h>

namespace
{

using Loaded = LoadedQuiz;

std::string Nested(size_t depth, bool closed)
{
    std::string xml = "<questions>";
    for (size_t i = 0; i < depth; ++i)
        xml += "<x>";
    if (closed)
        for (size_t i = 0; i < depth; ++i)
            xml += "</x>";
    return closed ? xml + "</questions>" : xml;
}

// `line` repeated `count` times.
std::string Repeated(const std::string& line, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += line;
    return text;
}

} // namespace

TEST(LoadQuiz, ReadsAPrettyPrintedQuizWhateverTheCaseOfItsNames)
{
    Loaded quiz("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<Questions>\n"
                "  <question>\n    <id>1001</id>\n    <q>第一题\n第二行</q>\n"
                "    <answer>\n      <a>去 1002</a>\n      <goto>1002</goto>\n    </answer>\n"
                "  </question>\n"
                "  <QUESTION attr=\"ignored\">\n    <ID>1002</ID>\n    <Q><![CDATA[<b>raw</b>]]></Q>\n"
                "    <ANSWER><A>end &amp; more</A><GOTO>0</GOTO></ANSWER>\n"
                "  </QUESTION>\n"
                "</Questions>\n");
    ASSERT_TRUE(quiz.ok);
    EXPECT_EQ(quiz.table.size(), 2u);
    EXPECT_EQ(quiz.Get("1001").text, wxString::FromUTF8("第一题\n第二行"));
    EXPECT_EQ(AnswerList(quiz.Get("1001")), "去 1002>1002");
    EXPECT_EQ(quiz.Get("1002").text, wxS("<b>raw</b>"));
    EXPECT_EQ(AnswerList(quiz.Get("1002")), "end & more>0");
    EXPECT_TRUE(quiz.Get("1002").backId.empty());
}

TEST(LoadQuiz, TakesValuesVerbatimAndTheLastOfRepeatedElements)
{
    Loaded quiz(QuizXml("<QUESTION><ID>1001</ID><ID>1002</ID><Q>old</Q><Q>new</Q>"
                        "<ANSWER><A>x</A><A>y</A><GOTO> 1002 </GOTO></ANSWER></QUESTION>"
                        "<QUESTION><Q>no id</Q></QUESTION>"));
    ASSERT_TRUE(quiz.ok);
    EXPECT_EQ(quiz.table.FindQuestion(wxS("1001")), nullptr);
    EXPECT_EQ(quiz.Get("1002").text, wxS("new"));
    EXPECT_EQ(AnswerList(quiz.Get("1002")), "y> 1002 ");
    // A question without ID is stored under the empty key, without answers.
    EXPECT_EQ(quiz.Get("").text, wxS("no id"));
    EXPECT_TRUE(quiz.Get("").answers.empty());
}

TEST(LoadQuiz, AnswerStringsCarryOverBetweenAnswersOfOneQuestion)
{
    Loaded quiz(QuizXml(
        // The second ANSWER has a GOTO but no A: it borrows the first one's text.
        "<QUESTION><ID>1</ID><ANSWER><A>first</A><GOTO>2</GOTO></ANSWER>"
        "<ANSWER><GOTO>3</GOTO></ANSWER></QUESTION>"
        // An A without GOTO is dropped; the following GOTO-only ANSWER takes its text.
        "<QUESTION><ID>2</ID><ANSWER><A>only text</A></ANSWER><ANSWER><GOTO>9</GOTO></ANSWER></QUESTION>"
        // An empty A empties the text, so its ANSWER is dropped despite the earlier text.
        "<QUESTION><ID>3</ID><ANSWER><A>kept</A><GOTO>1</GOTO></ANSWER>"
        "<ANSWER><A></A><GOTO>2</GOTO></ANSWER></QUESTION>"
        // An empty ANSWER after an accepted one repeats it.
        "<QUESTION><ID>4</ID><ANSWER><A>again</A><GOTO>0</GOTO></ANSWER><ANSWER/></QUESTION>"
        // Strings do not carry over between questions.
        "<QUESTION><ID>5</ID><ANSWER><GOTO>1</GOTO></ANSWER></QUESTION>"));
    ASSERT_TRUE(quiz.ok);
    EXPECT_EQ(AnswerList(quiz.Get("1")), "first>2|first>3");
    EXPECT_EQ(AnswerList(quiz.Get("2")), "only text>9");
    EXPECT_EQ(AnswerList(quiz.Get("3")), "kept>1");
    EXPECT_EQ(AnswerList(quiz.Get("4")), "again>0|again>0");
    EXPECT_EQ(AnswerList(quiz.Get("5")), "");
    // Nothing reads the tree after loading: its texts went into the records.
    const wxXmlNode* firstId = quiz.document.GetRoot()->GetChildren()->GetChildren();
    EXPECT_EQ(LeafValue(*firstId), wxString());
}

TEST(LoadQuiz, IgnoresElementsOutOfPlace)
{
    Loaded quiz(QuizXml("<QUESTION><ID>1</ID><A>stray</A><GOTO>2</GOTO><X>other</X>"
                        "<QUESTION><ID>2</ID></QUESTION>"
                        "<ANSWER><A>a</A><GOTO>0</GOTO><ID>7</ID></ANSWER></QUESTION>"));
    ASSERT_TRUE(quiz.ok);
    EXPECT_EQ(quiz.table.size(), 1u);
    EXPECT_EQ(AnswerList(quiz.Get("1")), "a>0");
}

TEST(LoadQuiz, ReadsQuestionsUntilStrayTextOrAnotherElement)
{
    const std::string one = QuestionXml("1", "one", {}), two = QuestionXml("2", "two", {});
    const struct
    {
        std::string xml;
        size_t questions;
    } cases[] = {
        // Reading used to stop at the comment and silently drop question 2.
        {QuizXml(one + "  <!-- part two -->\n  <?editor note?>\n" + two), 2},
        {QuizXml(one + "stray" + two), 1},
        {QuizXml(one + "<ANSWER><A>a</A><GOTO>0</GOTO></ANSWER>" + two), 1},
        {"<quiz>" + one + "</quiz>", 0},  // a wrong root loads but adds nothing
    };
    for (const auto& c : cases)
    {
        Loaded quiz(c.xml);
        EXPECT_TRUE(quiz.ok) << c.xml;
        EXPECT_EQ(quiz.table.size(), c.questions) << c.xml;
    }
}

TEST(LoadQuiz, ALaterQuizWinsOnSharedIdsAndKeepsTheOthers)
{
    Loaded quiz(QuizXml(QuestionXml("1001", "old entry", {{"a", "1002"}}) +
                        QuestionXml("1002", "only in the first", {})));
    Question* oldEntry = quiz.table.FindQuestion(wxS("1001"));
    ASSERT_TRUE(quiz.Load(QuizXml(QuestionXml("1001", "new entry", {{"b", "1003"}})), wxS("b.xml")));
    EXPECT_EQ(quiz.Get("1001").text, wxS("new entry"));
    EXPECT_EQ(quiz.Get("1002").text, wxS("only in the first"));
    // The displaced record stays alive for whoever still points at it.
    EXPECT_EQ(quiz.table.RecordCount(), 3u);
    EXPECT_EQ(oldEntry->text, wxS("old entry"));
}

// Each file is refused with one error, quickly and without a crash, and
// leaves the table as it was. The loader's own limits name the file; the
// parser's errors say where in it they are.
TEST(LoadQuiz, RefusesBrokenHostileAndForeignFilesKeepingTheTable)
{
    std::string garbage;
    for (int i = 0; i < 100000; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    const std::string lines = Repeated("长文本一行\n", 200000);
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += QuestionXml(std::to_string(i), Repeated("一行又一行\n", 2000), {});
    const struct
    {
        const char* name;
        std::string bytes;
        bool limit;  // refused by the loader's limits, not by the parser
    } cases[] = {
        {"broken.xml", "<questions><QUESTION><ID>9</ID></QUESTION>", false},
        {"empty.xml", "", false},
        // The toolkit frees its trees recursively: 200,000 levels used to
        // overflow the stack, whether the file was well-formed or not.
        {"deep.xml", Nested(200000, true), true},
        {"deep-broken.xml", Nested(200000, false), true},
        // The toolkit joins a text's pieces (one per line) with a copy each
        // time: a 3 MB text of 200,000 lines took two minutes to load.
        {"long.xml", QuizXml(QuestionXml("1001", lines, {})), true},
        {"long-cdata.xml", QuizXml("<QUESTION><Q><![CDATA[" + lines + "]]></Q></QUESTION>"), true},
        // The parser rescans an unfinished tag or comment for every kilobyte
        // it is fed: a 4 MB comment took five seconds, 100 MB an hour.
        {"comment.xml", QuizXml("<!--" + std::string(4 << 20, 'c') + "-->"), true},
        {"attribute.xml", QuizXml("<QUESTION x=\"" + std::string(4 << 20, 'v') + "\"/>"), true},
        {"many.xml", QuizXml(many), true},  // texts each fine, too many for one file
        {"garbage.xml", garbage, false},
        {"utf16-broken.xml", std::string("\xFF\xFE<\0q\0", 6), false},
        {"bad-utf8.xml", "<questions><QUESTION><ID>\xC3\x28</ID></QUESTION></questions>", false},
    };
    Loaded quiz(QuizXml(QuestionXml("1001", "kept", {{"a", "0"}})));
    CapturedLog log;
    for (const auto& c : cases)
    {
        log.Clear();
        EXPECT_FALSE(quiz.Load(c.bytes, c.name)) << c.name;
        EXPECT_EQ(log.Errors(), 1u) << c.name << "\n" << log.Text();
        if (c.limit)
        {
            EXPECT_NE(log.Text().Find(c.name), wxNOT_FOUND) << log.Text();
        }
    }
    EXPECT_FALSE(LoadQuiz(quiz.document, quiz.dir.File(wxS("missing.xml")), quiz.table));
    // A folder reports a meaningless length: reading one used to throw.
    EXPECT_FALSE(LoadQuiz(quiz.document, quiz.dir.Path(), quiz.table));
    EXPECT_EQ(quiz.table.size(), 1u);
    EXPECT_EQ(quiz.Get("1001").text, wxS("kept"));
}

TEST(LoadQuiz, ReadsLongTextsDeepNestingAndOtherEncodingsWithinLimits)
{
    Loaded quiz;
    EXPECT_TRUE(quiz.Load(Nested(QUIZ_MAX_NESTING - 1, true), wxS("deep-ok.xml")));
    const std::string text = Repeated("这是一个很长的问题，写了很多行。\n", 100);
    ASSERT_TRUE(quiz.Load(QuizXml(QuestionXml("1001", text, {})), wxS("fine.xml")));
    EXPECT_EQ(quiz.Get("1001").text, wxString::FromUTF8(text.c_str()));
    // A file in another encoding, declared as such, is read all the same.
    EXPECT_TRUE(quiz.Load("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><questions><QUESTION>"
                          "<ID>2001</ID><Q>caf\xE9</Q></QUESTION></questions>",
                          wxS("latin1.xml")));
    EXPECT_EQ(quiz.Get("2001").text, wxString::FromUTF8("café"));
}

TEST(XmlNesting, CountsOnlyElementNesting)
{
    const auto exceeds = [](const std::string& xml, unsigned limit) {
        return XmlNestingExceeds(xml.data(), xml.size(), limit);
    };
    EXPECT_FALSE(exceeds("<a><b><c/></b><b>x</b></a>", 2));
    EXPECT_TRUE(exceeds("<a><b><c/></b><b>x</b></a>", 1));
    EXPECT_TRUE(exceeds("<a><b><c></c></b></a>", 2));
    // Markup inside comments, CDATA, processing instructions, attribute
    // values and the document type declaration is not nesting.
    EXPECT_FALSE(exceeds("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"<x><y>\"> <!-- '> -->]>"
                         "<a x='<b>' y=\"/\"><!-- <b><b> --><![CDATA[<b><b>]]><?pi <b>?></a>",
                         1));
    EXPECT_FALSE(exceeds("<a/><a/><a/>", 1));
    EXPECT_FALSE(exceeds("", 0));
    EXPECT_TRUE(exceeds("<a><b", 1));
}
