// The quiz document an author edits: each edit and its undoing, the ID
// change that retargets, what a save keeps, and the save that fails
// without harm.
#include "quiz/question_table.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "quiz/safe_save.h"
#include "quiz_test_util.h"
#include "widgets/xml_document_ex.h"
#include "xml_tree_util.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/stream.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{

const std::string BASE = QuizXml(
    "<!-- written by hand -->\n"
    "<QUESTION kind=\"start\"><ID>1001</ID><Q>one</Q><NOTE>keep me</NOTE>"
    "<ANSWER><A>a</A><GOTO>1002</GOTO></ANSWER><ANSWER><A>b</A><GOTO>1003</GOTO></ANSWER></QUESTION>\n"
    "<QUESTION><ID>1002</ID><Q>two</Q><ANSWER><A>c</A><GOTO>1002</GOTO></ANSWER></QUESTION>\n"
    "<QUESTION><ID>1003</ID><Q>three</Q><ANSWER><A>d</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
    "<appendix>not read</appendix>\n");

std::unique_ptr<QuizDocument> Open(const std::string& xml)
{
    wxString error;
    auto document = QuizDocument::Open(xml.data(), xml.size(), wxS("quiz.xml"), error);
    EXPECT_TRUE(document) << error;
    return document;
}

std::string Saved(const QuizDocument& document)
{
    bool saved = false;
    std::string bytes = SaveToBytes(document.Xml(), 1, &saved);
    EXPECT_TRUE(saved);
    return bytes;
}

// Every question the quiz reads, in ID order, "id:text=answers".
std::string QuizOf(const QuizDocument& document)
{
    QuestionTable table;
    QuizFileCheck check;
    document.Read(table, check);
    std::map<wxString, const Question*> sorted(table.Index().begin(), table.Index().end());
    std::string quiz;
    for (const auto& entry : sorted)
        quiz += std::string(entry.first.utf8_str()) + ":" +
                std::string(entry.second->text.utf8_str()) + "=" + AnswerList(*entry.second) + " ";
    return quiz;
}

std::vector<std::string> Files(const wxString& folder)
{
    wxArrayString names;
    wxDir::GetAllFiles(folder, &names, wxString(), wxDIR_FILES | wxDIR_HIDDEN);
    std::vector<std::string> files;
    for (const wxString& name : names)
        files.push_back(std::string(wxFileName(name).GetFullName().utf8_str()));
    return files;
}

} // namespace

TEST(QuizDocumentEdit, EachEditShowsInTheQuizAndUndoRestoresTheBytes)
{
    using Make = std::function<std::unique_ptr<QuizEdit>(QuizDocument&)>;
    const struct
    {
        const char* name;
        Make make;
        const char* quiz;  // what QuizOf gives after the edit
    } cases[] = {
        {"change question text", [](QuizDocument& d) { return d.SetQuestionText(1, wxS("deux")); },
         "1001:one=a>1002|b>1003 1002:deux=c>1002 1003:three=d>0 "},
        {"change answer text", [](QuizDocument& d) { return d.SetAnswerText(0, 1, wxS("B\x01!")); },
         "1001:one=a>1002|B!>1003 1002:two=c>1002 1003:three=d>0 "},
        {"change answer target", [](QuizDocument& d) { return d.SetAnswerTarget(0, 0, wxS("0")); },
         "1001:one=a>0|b>1003 1002:two=c>1002 1003:three=d>0 "},
        {"add answer", [](QuizDocument& d) { return d.AddAnswer(2); },
         "1001:one=a>1002|b>1003 1002:two=c>1002 1003:three=d>0|New answer>0 "},
        {"remove answer", [](QuizDocument& d) { return d.RemoveAnswer(0, 0); },
         "1001:one=b>1003 1002:two=c>1002 1003:three=d>0 "},
        {"move answer up", [](QuizDocument& d) { return d.MoveAnswerUp(0, 1); },
         "1001:one=b>1003|a>1002 1002:two=c>1002 1003:three=d>0 "},
        {"move answer down", [](QuizDocument& d) { return d.MoveAnswerDown(0, 0); },
         "1001:one=b>1003|a>1002 1002:two=c>1002 1003:three=d>0 "},
        {"add question", [](QuizDocument& d) { return d.AddQuestion(); },
         "1001:one=a>1002|b>1003 1002:two=c>1002 1003:three=d>0 1004:New question=First answer>0|Second answer>0 "},
        {"delete question", [](QuizDocument& d) { return d.DeleteQuestion(2); },
         "1001:one=a>1002|b>1003 1002:two=c>1002 "},
        {"change question ID", [](QuizDocument& d) { return d.SetQuestionId(1, wxS("2002")); },
         "1001:one=a>2002|b>1003 1003:three=d>0 2002:two=c>2002 "},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto document = Open(BASE);
        const std::string before = Saved(*document);
        int published = 0;
        const auto subscription =
            document->Subscribe([&published](const QuizDocumentChange&) { ++published; });
        const std::unique_ptr<QuizEdit> edit = c.make(*document);
        ASSERT_TRUE(edit);
        EXPECT_EQ(edit->Name(), c.name);
        EXPECT_FALSE(document->IsModified());
        ASSERT_TRUE(edit->Do());
        EXPECT_TRUE(document->IsModified());
        EXPECT_EQ(QuizOf(*document), c.quiz);
        const std::string after = Saved(*document);
        // The edit reads back from its file as it reads from the tree.
        EXPECT_EQ(QuizOf(*Open(after)), c.quiz);
        EXPECT_FALSE(edit->Do()) << "applied twice";
        ASSERT_TRUE(edit->Undo());
        EXPECT_FALSE(document->IsModified());
        EXPECT_EQ(Saved(*document), before);
        ASSERT_TRUE(edit->Do());
        EXPECT_EQ(Saved(*document), after);
        EXPECT_EQ(published, 3);
    }
}

TEST(QuizDocumentEdit, PositionsOutOfRangeAndEditsThatChangeNothingMakeNoEdit)
{
    const auto document = Open(BASE);
    EXPECT_FALSE(document->SetQuestionText(3, wxS("x")));
    EXPECT_FALSE(document->SetQuestionText(0, wxS("one")));
    EXPECT_FALSE(document->SetAnswerText(0, 2, wxS("x")));
    EXPECT_FALSE(document->MoveAnswerUp(0, 0));
    EXPECT_FALSE(document->MoveAnswerDown(0, 1));
    EXPECT_FALSE(document->DeleteQuestion(3));
    // An edit made for a state the document has left is refused.
    auto first = document->SetQuestionText(0, wxS("x"));
    auto second = document->SetQuestionText(0, wxS("y"));
    ASSERT_TRUE(first->Do());
    EXPECT_FALSE(second->Do());
}

TEST(QuizDocumentEdit, MissingElementsAreCreatedWhereTheReaderFindsThem)
{
    const auto document = Open(QuizXml(
        "<QUESTION><!--c--><ANSWER><GOTO>0</GOTO></ANSWER><ANSWER/></QUESTION>"
        "<QUESTION><ID>1002</ID><ID>1003</ID><Q/><ANSWER><A>x</A><A>y</A><GOTO>0</GOTO></ANSWER></QUESTION>"));
    // Each edit is made for the state the one before left.
    const std::vector<std::function<std::unique_ptr<QuizEdit>()>> edits = {
        [&] { return document->SetQuestionId(0, wxS("1001")); },
        [&] { return document->SetQuestionText(0, wxS("q")); },
        [&] { return document->SetAnswerText(0, 0, wxS("a")); },
        [&] { return document->SetAnswerTarget(0, 1, wxS("1003")); },
        [&] { return document->SetQuestionText(1, wxS("t")); },
        [&] { return document->SetAnswerText(1, 0, wxS("z")); }};
    std::vector<std::unique_ptr<QuizEdit>> done;
    for (const auto& make : edits)
    {
        done.push_back(make());
        ASSERT_TRUE(done.back() && done.back()->Do());
    }
    EXPECT_EQ(QuizOf(*document), "1001:q=a>0|a>1003 1003:t=z>0 ");
    // The last A counts, and is the one changed; the earlier one stays.
    EXPECT_NE(Saved(*document).find("<A>x</A>"), std::string::npos);
    EXPECT_EQ(document->Fields(1).answers[0].text, wxS("z"));
}

TEST(QuizDocumentEdit, ChangingAnIdRetargetsOnlyWhatLedToThatQuestion)
{
    // The first 1002 is displaced by the second: targets lead to the second.
    const auto document = Open(QuizXml(
        QuestionXml("1001", "one", {{"a", "1002"}, {"b", "1003"}}) +
        QuestionXml("1002", "hidden", {{"c", "0"}}) + QuestionXml("1003", "three", {{"d", "1002"}}) +
        QuestionXml("1002", "two", {{"e", "1003"}})));
    auto hidden = document->SetQuestionId(1, wxS("1009"));
    ASSERT_TRUE(hidden && hidden->Do());
    EXPECT_EQ(QuizOf(*document), "1001:one=a>1002|b>1003 1002:two=e>1003 1003:three=d>1002 "
                                 "1009:hidden=c>0 ");
    ASSERT_TRUE(hidden->Undo());
    auto found = document->SetQuestionId(3, wxS("2002"));
    ASSERT_TRUE(found && found->Do());
    EXPECT_EQ(QuizOf(*document), "1001:one=a>2002|b>1003 1002:hidden=c>0 1003:three=d>2002 "
                                 "2002:two=e>1003 ");
}

TEST(QuizDocumentSave, KeepsWhatTheEditorDoesNotKnowAndReadsBackTheSameQuiz)
{
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
        "<Questions version=\"2\">\n"
        "  <!-- first -->\n"
        "  <question><id>1001</id><q>caf\xE9 <![CDATA[<b>]]></q><q>one<!--n-->two</q>\n"
        "    <answer lang=\"en\"><a>x &amp; y</a><goto>1002</goto><why>because</why></answer>\n"
        "    <answer><goto>0</goto></answer>\n"
        "  </question>\n"
        "  <!-- between -->\n"
        "  <QUESTION><ID>1002</ID><Q>two</Q><ANSWER><A>z</A><GOTO>0</GOTO></ANSWER></QUESTION>\n"
        "  <END/>\n"
        "  <QUESTION><ID>1003</ID></QUESTION>\n"
        "</Questions>\n";
    const auto document = Open(xml);
    EXPECT_TRUE(document->SaveLosses().empty()) << document->SaveLosses();
    TempDir dir;
    const wxString path = dir.Write(wxS("quiz.xml"), xml);
    wxString error;
    ASSERT_TRUE(document->Save(path, error)) << error;
    const std::string saved = ReadBytes(path);
    for (const char* kept : {"<!-- first -->", "<!-- between -->", "version=\"2\"", "lang=\"en\"",
                             "<why>because</why>", "<END/>", "<ID>1003</ID>", "encoding=\"UTF-8\""})
        EXPECT_NE(saved.find(kept), std::string::npos) << kept << "\n" << saved;
    const auto reread = Open(saved);
    EXPECT_EQ(QuizOf(*reread), QuizOf(*document));
    EXPECT_EQ(QuizOf(*reread), "1001:one=x & y>1002|x & y>0 1002:two=z>0 ");
    // A second save of what was read back is the same file.
    EXPECT_EQ(Saved(*reread), saved);
    EXPECT_EQ(document->SavedSize(), saved.size());
}

TEST(QuizDocumentSave, SaysWhatASaveWouldDropOutsideTheRoot)
{
    EXPECT_TRUE(Open(QuizXml(Q("1001", {"0"})))->SaveLosses().empty());
    const auto doctype = Open("<!DOCTYPE questions SYSTEM \"quiz.dtd\">\n<!-- c -->\n" +
                              QuizXml(Q("1001", {"0"})).substr(39));
    EXPECT_NE(doctype->SaveLosses().find(wxS("document type")), wxString::npos) << doctype->SaveLosses();
    EXPECT_NE(doctype->SaveLosses().find(wxS("outside the root")), wxString::npos);
    const auto instruction = Open(QuizXml("<?note x?>" + Q("1001", {"0"})));
    EXPECT_NE(instruction->SaveLosses().find(wxS("processing")), wxString::npos);

    wxString error;
    EXPECT_FALSE(QuizDocument::Open("<quiz/>", 7, wxS("q.xml"), error));
    EXPECT_NE(error.find(wxS("q.xml")), wxString::npos);
    EXPECT_FALSE(QuizDocument::Open("<questions>", 11, wxS("q.xml"), error));
    EXPECT_NE(error.find(wxS("q.xml")), wxString::npos);
}

TEST(QuizDocumentSave, AFailedSaveKeepsTheOldFileAndTheEdits)
{
    TempDir dir;
    const std::string old = QuizXml(Q("1001", {"0"}));
    const wxString path = dir.Write(wxS("quiz.xml"), old);
    const auto document = Open(old);
    auto edit = document->SetQuestionText(0, wxS("changed"));
    ASSERT_TRUE(edit->Do());

    // The place of the file is taken by a folder: the new file cannot take it.
    const wxString folder = dir.File(wxS("folder.xml"));
    ASSERT_TRUE(wxFileName::Mkdir(folder));
    wxString error;
    EXPECT_FALSE(document->Save(folder, error));
    EXPECT_NE(error.find(wxS("folder.xml")), wxString::npos) << error;
    EXPECT_TRUE(wxFileName::DirExists(folder));
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(document->Path(), wxS("quiz.xml"));

    // A folder that does not exist: no new file can be made.
    EXPECT_FALSE(document->Save(dir.File(wxS("none/quiz.xml")), error));
    EXPECT_FALSE(error.empty());

    // The writing fails half way (a full disk).
    EXPECT_FALSE(SaveReplacing(path, [](wxOutputStream& stream) {
        stream.Write("<questions>", 11);
        return false;
    }, error));
    EXPECT_NE(error.find(wxS("quiz.xml")), wxString::npos) << error;
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"quiz.xml"});

    ASSERT_TRUE(document->Save(path, error)) << error;
    EXPECT_FALSE(document->IsModified());
    EXPECT_EQ(Files(dir.Path()), std::vector<std::string>{"quiz.xml"});
    EXPECT_NE(ReadBytes(path).find("<Q>changed</Q>"), std::string::npos);
}

TEST(QuizDocumentNew, IsAPlayableQuizOfQuestion1001WithTwoAnswersEachEndingInAResult)
{
    const auto document = QuizDocument::New();
    EXPECT_TRUE(document->Path().empty());
    EXPECT_FALSE(document->IsModified());
    QuestionTable table;
    QuizFileCheck check;
    EXPECT_TRUE(document->Read(table, check)) << check.error;
    EXPECT_TRUE(check.report.findings.empty()) << check.report.findings.front().message;
    EXPECT_EQ(QuizOf(*document), "1001:New question=First answer \xE2\x86\x92 First result>0|"
                                 "Second answer \xE2\x86\x92 Second result>0 ");
    EXPECT_EQ(document->Title(), wxString());
    ASSERT_EQ(document->ResultCount(), 2u);
    EXPECT_EQ(document->Result(1).name, wxS("Second result"));
    EXPECT_EQ(document->EndingsNaming(1), 1u);
    EXPECT_EQ(document->NextFreeId(), wxS("1002"));
}

TEST(QuizDocumentNew, NewQuestionsGoWhereTheReaderReadsThem)
{
    const auto document = Open(QuizXml("<!-- c -->" + Q("1001", {"0"}) + Q("7", {"0"}) + "<stop/>" +
                                       Q("5000", {"0"})));
    auto edit = document->AddQuestion();
    ASSERT_TRUE(edit && edit->Do());
    EXPECT_EQ(document->QuestionCount(), 3u);
    EXPECT_EQ(document->Fields(2).id, wxS("1002"));
    const auto empty = Open("<questions><!-- c --><stop/></questions>");
    auto first = empty->AddQuestion();
    ASSERT_TRUE(first && first->Do());
    EXPECT_EQ(empty->Fields(0).id, wxS("1001"));
    EXPECT_NE(Saved(*empty).find("<!-- c -->\n  <QUESTION>"), std::string::npos) << Saved(*empty);
}

// Whatever an author types, the saved file reads back (by the loader's
// rules, through the loader itself) as the document holds it: a "]]>" typed
// into a CDATA value, blanks before a line break or a "&", line ends of
// either kind, every script.
TEST(QuizDocumentSave, EveryValueTypedReadsBackWhole)
{
    auto document = Open(QuizXml("<QUESTION><ID>1001</ID><Q>q</Q>"
                                 "<ANSWER><A><![CDATA[x & y]]></A><GOTO>0</GOTO></ANSWER>"
                                 "</QUESTION>"));
    ASSERT_TRUE(document);
    const std::vector<std::string> values = {
        "if a[b[1]]>2 then win",
        "  & leading blanks before an escape",
        "  \nleading blanks before a line",
        "\n\nlines first",
        "trailing blanks  ",
        "windows\r\nline\rends",
        "]]> at once, <b>tags</b> & \"quotes\"",
        "  \n]]> blanks, a line and the end of a CDATA section",
        "中文 русский عربى 🦊",
    };
    for (const std::string& value : values)
    {
        SCOPED_TRACE(value);
        const wxString typed = wxString::FromUTF8(value);
        ASSERT_TRUE(document->Submit(document->SetAnswerText(0, 0, typed)));
        ASSERT_TRUE(document->Submit(document->SetQuestionText(0, typed)));
        // Line ends as the reader reads them, and no word lost (blanks go
        // only where neither a text nor a CDATA section could keep them).
        const QuestionFields held = document->Fields(0);
        EXPECT_FALSE(held.text.Contains(wxS("\r")));
        const auto words = [](wxString text) {
            for (const wxString blank : {wxS(" "), wxS("\r"), wxS("\n")})
                text.Replace(blank, wxString());
            return text;
        };
        EXPECT_EQ(words(held.text), words(typed));

        const std::string bytes = Saved(*document);
        wxXmlDocument xml;
        QuestionTable table;
        ASSERT_TRUE(LoadQuizBytes(xml, bytes.data(), bytes.size(), wxS("saved.xml"), table));
        const Question* read = table.FindQuestion(wxS("1001"));
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->text, held.text);
        ASSERT_EQ(read->answers.size(), 1u);
        EXPECT_EQ(read->answers[0].text, held.answers[0].text);
    }
}

TEST(QuizDocumentSnapshot, IsCheckedElsewhereAsTheDocumentWithItsLinesAndEdits)
{
    // Everything a check reads: comments and instructions among the
    // questions, elements the reader ignores or stops at, CDATA, escapes,
    // attributes, line ends, every script; then parts the editor added,
    // which have no line.
    auto document = Open(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!-- before the root -->\n"
        "<Questions version=\"2\" note='a \"quoted\"\tvalue'>\n"
        "  <!-- first --><?keep this?>\n"
        "  <question><id>1001</id><q>caf\xC3\xA9 <![CDATA[<b> & ]]></q><q>one<!--n-->two</q>\n"
        "    <answer lang=\"en\"><a>x &amp; y &lt; z\r\n</a><goto>1002</goto><why>because</why></answer>\n"
        "    <answer><goto>0</goto></answer>\n"
        "  </question>\n"
        "  <QUESTION><ID>1002</ID><Q>\n\n  two \xF0\x9F\xA6\x8A</Q><ANSWER><A>z</A><GOTO>9</GOTO></ANSWER></QUESTION>\n"
        "  <QUESTION><ID>1002</ID><ANSWER><A>dup</A><GOTO>1001</GOTO></ANSWER></QUESTION>\n"
        "  <END/>\n"
        "  <QUESTION><ID>1003</ID></QUESTION>\n"
        "</Questions>\n");
    ASSERT_TRUE(document);
    const auto findings = [](const FindingList& list) {
        std::vector<std::string> lines;
        for (const Finding& finding : list)
            lines.push_back(std::to_string(finding.line) + " " + finding.code + " " +
                            std::string(finding.message.utf8_str()));
        return lines;
    };
    const auto compare = [&](const char* when) {
        QuestionTable table, snapshotTable;
        QuizFileCheck check, snapshotCheck;
        const bool playable = document->Read(table, check);
        const std::unique_ptr<wxXmlDocument> tree = ReadSnapshot(document->Snapshot());
        ASSERT_TRUE(tree) << when;
        EXPECT_EQ(CheckQuizDocument(*tree, document->Path(), snapshotTable, snapshotCheck), playable)
            << when;
        EXPECT_FALSE(check.report.findings.empty()) << when;
        EXPECT_EQ(findings(snapshotCheck.report.findings), findings(check.report.findings)) << when;
        std::map<wxString, std::string> played, snapshotPlayed;
        for (const auto& [id, question] : table.Index())
            played[id] = std::string(question->text.utf8_str()) + "=" + AnswerList(*question);
        for (const auto& [id, question] : snapshotTable.Index())
            snapshotPlayed[id] = std::string(question->text.utf8_str()) + "=" + AnswerList(*question);
        EXPECT_EQ(snapshotPlayed, played) << when;
    };
    compare("as read");
    ASSERT_TRUE(document->Submit(document->AddQuestion()));
    ASSERT_TRUE(document->Submit(document->SetAnswerTarget(3, 0, wxS("nowhere"))));
    ASSERT_TRUE(document->Submit(document->SetQuestionText(0, wxS("  <new> & \"text\"\r\n"))));
    compare("edited");
    // A snapshot keeps what it wrote of each question until it is edited,
    // the questions an ID change retargets included.
    ASSERT_TRUE(document->Submit(document->SetQuestionId(0, wxS("1000"))));
    ASSERT_TRUE(document->Submit(document->SetAnswerText(1, 0, wxS("changed"))));
    compare("edited again");
    ASSERT_TRUE(document->Undo());
    ASSERT_TRUE(document->Undo());
    ASSERT_TRUE(document->Undo());
    compare("undone");
}
