// A quiz opened from a file, as its author meets it: the Problems pane, the
// player's place in the status bar, reading the file again after a save.
#include "ui_test_util.h"

#include "quiz_xml.h"
#include "ui/quiz_editor.h"
#include "ui/result_dialog.h"
#include "run_program.h"

#include <wx/aui/aui.h>
#include <wx/dataview.h>
#include <wx/dir.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textdlg.h>

#include <algorithm>
#include <sstream>

namespace
{

class OpenedQuizTest : public FrameTest
{
protected:
    wxDataViewListCtrl* Problems() const { return Get<wxDataViewListCtrl>("ID_DATAVIEW_PROBLEMS"); }
    bool ProblemsShown() const
    {
        return wxAuiManager::GetManager(m_frame)->GetPane(Problems()).IsShown();
    }
    // The rows of the Problems pane: "line | kind | message".
    std::vector<std::string> ProblemRows() const
    {
        std::vector<std::string> rows;
        for (int row = 0; row < Problems()->GetItemCount(); ++row)
            rows.push_back((Problems()->GetTextValue(row, 0) + wxS(" | ") +
                            Problems()->GetTextValue(row, 1) + wxS(" | ") +
                            Problems()->GetTextValue(row, 2)).utf8_string());
        return rows;
    }
    std::string Progress() const
    {
        return Get<wxStatusBar>("ID_STATUSBAR")->GetStatusText(0).utf8_string();
    }
    // Opens `xml`, saved as `name` in the test's folder.
    bool OpenXml(const std::string& xml, const wxString& name = wxS("quiz.xml"))
    {
        return m_frame->OpenQuiz(m_folder.Write(name, xml));
    }
    // Sends a row activation (double click, Enter) to the Problems pane.
    void Activate(int row)
    {
        wxDataViewEvent event(wxEVT_DATAVIEW_ITEM_ACTIVATED, Problems(), Problems()->RowToItem(row));
        Problems()->ProcessWindowEvent(event);
    }

    TempDir m_folder;
};

// The checker's findings for `path` as the Problems pane words them (the
// window's tests speak English, as does the checker's JSON): "line | kind |
// message", read from the JSON, which is laid out one value a line.
std::vector<std::string> CheckerRows(const wxString& path)
{
    const ProgramRun run =
        RunProgram(wxString::FromUTF8(MINDPRISM_CHECK_PROGRAM), wxS("--json ") + ShellQuoted(path));
    const auto Value = [](const std::string& line, const std::string& name) {
        const std::string key = "\"" + name + "\": ";
        const size_t at = line.find(key);
        return at == std::string::npos ? std::string() : line.substr(at + key.size());
    };
    // A JSON string's content; the checker's messages escape their own
    // control characters, so JSON leaves only quotes and backslashes.
    const auto Unquoted = [](const std::string& quoted) {
        std::string text;
        for (size_t i = 1; i + 1 < quoted.size() && quoted[i] != '"'; ++i)
            text += quoted[i] == '\\' ? quoted[++i] : quoted[i];
        return text;
    };
    std::vector<std::string> rows;
    std::string line;
    std::string kind;
    std::istringstream json(run.out);
    for (std::string text; std::getline(json, text);)
    {
        if (const std::string value = Value(text, "line"); !value.empty())
            line = value.substr(0, value.find(','));
        else if (const std::string value = Value(text, "severity"); !value.empty())
            kind = Unquoted(value);
        else if (const std::string value = Value(text, "message"); !value.empty())
            rows.push_back(line + " | " + kind + " | " + Unquoted(value));
    }
    return rows;
}

// 1001 -> 1002 -> 1003 -> end: no findings.
const std::string CHAIN = QuizXml({QuestionXml("1001", "First", {{"on", "1002"}}),
                                   QuestionXml("1002", "Second", {{"on", "1003"}}),
                                   QuestionXml("1003", "Third", {{"done", "0"}})});

} // namespace

TEST_F(OpenedQuizTest, AQuizWithATitleAndResultsIsOfferedByItsTitleAndEndsInItsResult)
{
    const std::string title = "\xE4\xBD\xA0\xE6\x98\xAF\xE5\x93\xAA\xE4\xBD\x8D\xE8\x8B\xB1\xE9\x9B\x84\xEF\xBC\x9F";  // 你是哪位英雄？
    ASSERT_TRUE(OpenXml(QuizXml(QuestionXml("1001", "Honest?", {{"Of course \xE2\x86\x92 The Rogue", "0"},
                                                                 {"Never", "0"}}) +
                                "<TITLE>" + title + "</TITLE><RESULT><NAME>The Rogue</NAME>"
                                "<TEXT>You live by your wits.\nAnd by luck.</TEXT></RESULT>")));
    EXPECT_EQ(Get<wxChoice>("ID_CHOICE1")->GetString(2), wxString::FromUTF8(title));
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - ") + wxString::FromUTF8(title));

    wxTEST_DIALOG(Press("ID_BUTTON_NEXT"), ExpectDialog<ResultDlg>([](ResultDlg& dialog) {
                      dialog.InitDialog();
                      EXPECT_EQ(FindByName<wxStaticText>(&dialog, "ID_STATICTEXT1")->GetLabelText(),
                                wxString::FromUTF8("Of course \xE2\x86\x92 The Rogue"));
                      EXPECT_EQ(FindByName<wxStaticText>(&dialog, "ID_STATICTEXT_RESULT_NAME")->GetLabelText(),
                                wxS("The Rogue"));
                      wxTextCtrl* text = FindByName<wxTextCtrl>(&dialog, "ID_TEXTCTRL1");
                      EXPECT_EQ(text->GetValue(), wxS("You live by your wits.\nAnd by luck."));
                      EXPECT_FALSE(text->IsEditable());
                  }));
    // An ending whose result is not described ends as any opened quiz's.
    Answers()->SetSelection(1);
    wxTEST_DIALOG(Press("ID_BUTTON_NEXT"), ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_EQ(box.GetMessage(), wxS("Never"));
                  }));
}

TEST_F(OpenedQuizTest, OpensAsAThirdQuizWithItsFileNameAndEndsInAResultBox)
{
    const wxString name = wxString::FromUTF8("my 测验 file.xml");
    ASSERT_TRUE(OpenXml(CHAIN, name));
    wxChoice* choice = Get<wxChoice>("ID_CHOICE1");
    ASSERT_EQ(choice->GetCount(), 3u);
    EXPECT_EQ(choice->GetSelection(), 2);
    EXPECT_EQ(choice->GetString(2), name);
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - ") + name);
    EXPECT_EQ(QuestionText(), wxS("First"));
    EXPECT_FALSE(ProblemsShown());
    EXPECT_TRUE(m_frame->GetMenuBar()->IsEnabled(MindprismFrame::ID_MENU_GOTO));

    Press("ID_BUTTON_NEXT");
    Press("ID_BUTTON_NEXT");
    wxTEST_DIALOG(Press("ID_BUTTON_NEXT"), ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_EQ(box.GetCaption(), wxS("Result"));
                      EXPECT_EQ(box.GetMessage(), wxS("done"));
                  }));

    // A built-in quiz: no skipping ahead, no problems shown; and back.
    ChooseQuiz(0);
    EXPECT_FALSE(m_frame->GetMenuBar()->IsEnabled(MindprismFrame::ID_MENU_GOTO));
    ChooseQuiz(2);
    EXPECT_EQ(QuestionText(), wxS("First"));

    // A file dropped onto the window takes the third entry's place.
    auto* drop = dynamic_cast<wxFileDropTarget*>(m_frame->GetDropTarget());
    ASSERT_NE(drop, nullptr);
    wxArrayString files;
    files.Add(m_folder.Write(wxS("other.xml"), CHAIN));
    EXPECT_TRUE(drop->OnDropFiles(0, 0, files));
    EXPECT_TRUE(WaitFor([&] { return choice->GetString(2) == wxS("other.xml"); }));
    EXPECT_EQ(choice->GetCount(), 3u);
    EXPECT_EQ(m_frame->GetTitle(), wxS("Mind Prism - other.xml"));
}

TEST_F(OpenedQuizTest, AFileThatIsNoQuizIsRefusedByNameAndChangesNothing)
{
    const wxString before = QuestionText();
    for (const std::string& xml : {std::string("<questions><QUESTION>"),
                                   QuizXml({QuestionXml("2001", "No entry", {{"a", "0"}})})})
    {
        const wxString path = m_folder.Write(wxS("bad quiz.xml"), xml);
        wxTEST_DIALOG(EXPECT_FALSE(m_frame->OpenQuiz(path)),
                      ExpectDialog<wxMessageDialog>([&](wxMessageDialog& box) {
                          EXPECT_NE(box.GetMessage().find(wxS("bad quiz.xml")), wxString::npos)
                              << box.GetMessage();
                      }));
    }
    wxTEST_DIALOG(EXPECT_FALSE(m_frame->OpenQuiz(m_folder.File(wxS("missing.xml")))),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}));
    EXPECT_EQ(Get<wxChoice>("ID_CHOICE1")->GetCount(), 2u);
    EXPECT_EQ(QuestionText(), before);
    EXPECT_FALSE(ProblemsShown());
}

TEST_F(OpenedQuizTest, TheProblemsPaneListsFindingsAndShowsTheQuestionOfARowOrAnId)
{
    // 1002 leads nowhere: an error on its line (3), about question 1002.
    ASSERT_TRUE(OpenXml(QuizXml({QuestionXml("1001", "First", {{"on", "1002"}, {"end", "0"}}),
                                 QuestionXml("1002", "Second", {{"lost", "1999"}})})));
    ASSERT_TRUE(ProblemsShown());
    const std::vector<std::string> rows = ProblemRows();
    const auto row = std::find_if(rows.begin(), rows.end(), [](const std::string& text) {
        return text.rfind("3 | error | ", 0) == 0;
    });
    ASSERT_NE(row, rows.end()) << testing::PrintToString(rows);
    // The window speaks of where the answer leads, not of the file's GOTO.
    EXPECT_NE(row->find("leads to \"1999\""), std::string::npos) << *row;
    EXPECT_EQ(row->find("GOTO"), std::string::npos) << *row;
    Activate(static_cast<int>(row - rows.begin()));
    EXPECT_EQ(QuestionText(), wxS("Second"));

    const auto goTo = [](const char* id) {
        return ExpectDialog<wxTextEntryDialog>([id](wxTextEntryDialog& dialog) { dialog.SetValue(id); });
    };
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_GOTO), goTo(" 1001 "));
    EXPECT_EQ(QuestionText(), wxS("First"));
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_GOTO), goTo("4711"),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_NE(box.GetMessage().find(wxS("4711")), wxString::npos);
                  }));
    EXPECT_EQ(QuestionText(), wxS("First"));

    // Silent for a clean file and for the built-in quizzes.
    ASSERT_TRUE(OpenXml(CHAIN));
    EXPECT_FALSE(ProblemsShown());
    ChooseQuiz(1);
    EXPECT_FALSE(ProblemsShown());
}

TEST_F(OpenedQuizTest, TheProblemsPaneListsWhatTheCheckerFindsInTheSameFile)
{
    wxArrayString files;
    wxDir::GetAllFiles(SourceDir() + wxS("/data"), &files, wxS("Quiz_*.xml"), wxDIR_FILES);
    ASSERT_FALSE(files.empty());
    // An English edition beside its original, with one ID changed: the
    // original's answers to it lead elsewhere now, and so do its own.
    const wxString data = SourceDir() + wxS("/data/");
    const wxString original =
        m_folder.Write(wxS("Quiz_000-zh_CN.xml"), ReadBytes(data + wxS("Quiz_000-zh_CN.xml")));
    std::string english = ReadBytes(data + wxS("Quiz_000-en.xml"));
    const size_t id = english.find("<ID>1007</ID>");
    ASSERT_NE(id, std::string::npos);
    english.replace(id, 13, "<ID>1077</ID>");
    const wxString drifted = m_folder.Write(wxS("Quiz_000-en.xml"), english);
    files.push_back(drifted);
    files.push_back(original);
    for (const wxString& file : files)
    {
        SCOPED_TRACE(std::string(file.utf8_str()));
        ASSERT_TRUE(m_frame->OpenQuiz(file));
        const std::vector<std::string> checker = CheckerRows(file);
        // Row for row the same, except that where the checker names the
        // file's GOTO the pane says where the answer leads.
        const std::vector<std::string> pane = ProblemRows();
        ASSERT_EQ(pane.size(), checker.size()) << testing::PrintToString(pane);
        for (size_t i = 0; i < pane.size(); ++i)
        {
            if (checker[i].find("GOTO") == std::string::npos)
            {
                EXPECT_EQ(pane[i], checker[i]);
                continue;
            }
            const size_t place = checker[i].find(" | ", checker[i].find(" | ") + 3);
            EXPECT_EQ(pane[i].substr(0, place), checker[i].substr(0, place));
            EXPECT_EQ(pane[i].find("GOTO"), std::string::npos) << pane[i];
            EXPECT_NE(pane[i].find("leads"), std::string::npos) << pane[i];
        }
        const auto aboutTheOther = [](const std::string& row) {
            return row.find("other edition") != std::string::npos;
        };
        if (file == drifted || file == original)
        {
            EXPECT_NE(std::count_if(checker.begin(), checker.end(), aboutTheOther), 0);
        }
    }
}

// A Problems row and Go to question led to the player only: with the editor
// open they select the question there, and the answer a finding names,
// which its list marks; Go to takes words of a question's text as well.
TEST_F(OpenedQuizTest, PointingAtAQuestionSelectsItAndItsAnswerInTheEditorWhenItIsOpen)
{
    ASSERT_TRUE(OpenXml(QuizXml({QuestionXml("1001", "First", {{"on", "1002"}, {"end", "0"}}),
                                 QuestionXml("1002", "Second question", {{"fine", "0"}, {"lost", "1999"}})})));
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    QuizEditorPane& editor = m_frame->Editor();
    ASSERT_EQ(editor.IdField()->GetValue(), wxS("1001"));
    const std::vector<std::string> rows = ProblemRows();
    const auto lost = std::find_if(rows.begin(), rows.end(), [](const std::string& text) {
        return text.find("1999") != std::string::npos;
    });
    ASSERT_NE(lost, rows.end()) << testing::PrintToString(rows);
    Activate(static_cast<int>(lost - rows.begin()));
    EXPECT_EQ(editor.IdField()->GetValue(), wxS("1002"));
    EXPECT_EQ(editor.Answers()->GetSelection(), 1);
    EXPECT_EQ(editor.AnswerField()->GetValue(), wxS("lost"));
    EXPECT_EQ(editor.Answers()->GetString(1), wxString::FromUTF8("⚠ 1999 (no such question) · lost"));
    EXPECT_EQ(editor.Answers()->GetString(0), wxS("End · fine"));
    EXPECT_EQ(QuestionText(), wxS("First")) << "the player stays where it is";

    const auto goTo = [](const char* typed) {
        return ExpectDialog<wxTextEntryDialog>([typed](wxTextEntryDialog& dialog) { dialog.SetValue(typed); });
    };
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_GOTO), goTo(" 1001"));
    EXPECT_EQ(editor.IdField()->GetValue(), wxS("1001"));
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_GOTO), goTo("QUESTION  second"));
    EXPECT_EQ(editor.IdField()->GetValue(), wxS("1002"));
    EXPECT_EQ(QuestionText(), wxS("First"));
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_GOTO), goTo("third"),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog& box) {
                      EXPECT_NE(box.GetMessage().find(wxS("\"third\"")), wxString::npos);
                  }));
    EXPECT_EQ(editor.IdField()->GetValue(), wxS("1002"));

    // Closed, the editor leaves pointing to the player, as before.
    Menu(MindprismFrame::ID_MENU_EDIT_QUIZ);
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_GOTO), goTo("second"));
    EXPECT_EQ(QuestionText(), wxS("Second question"));
}

// A finding about one of the quiz's results leads to it in the editor,
// which opens for it, and its row in the outline is marked.
TEST_F(OpenedQuizTest, AResultsFindingLeadsToTheResultInTheEditor)
{
    ASSERT_TRUE(OpenXml(QuizXml(QuestionXml("1001", "First", {{"end \xE2\x86\x92 Rogue", "0"}}) +
                                "<RESULT><NAME>Rogue</NAME><TEXT>wits</TEXT></RESULT>"
                                "<RESULT><NAME>Saint</NAME><TEXT>grace</TEXT></RESULT>")));
    const std::vector<std::string> rows = ProblemRows();
    const auto unused = std::find_if(rows.begin(), rows.end(), [](const std::string& text) {
        return text.find("Saint") != std::string::npos;
    });
    ASSERT_NE(unused, rows.end()) << testing::PrintToString(rows);
    ASSERT_FALSE(m_frame->Editor().IsShown());
    Activate(static_cast<int>(unused - rows.begin()));
    QuizEditorPane& editor = m_frame->Editor();
    ASSERT_TRUE(editor.IsShown());
    EXPECT_EQ(editor.SelectedResult(), 1);
    EXPECT_EQ(editor.ResultNameField()->GetValue(), wxS("Saint"));
    wxVariant mark;
    editor.Outline()->GetModel()->GetValue(mark, editor.Outline()->GetSelection(), 2);
    EXPECT_EQ(mark.GetString(), wxS("problem"));
}

// The figures come from the engine; the window words them, and gives the
// field back after a menu's help has used it.
TEST_F(OpenedQuizTest, TheStatusBarShowsThePlaceAndHowFarTheEndIs)
{
    EXPECT_FALSE(Progress().empty()) << "built-in quizzes show it too";
    ASSERT_TRUE(OpenXml(QuizXml({QuestionXml("1001", "Fork", {{"end", "0"}, {"on", "1002"}}),
                                 QuestionXml("1002", "Chain", {{"on", "1003"}}),
                                 QuestionXml("1003", "Last", {{"end", "0"}}),
                                 QuestionXml("1004", "Loop", {{"again", "1004"}, {"end", "0"}}),
                                 QuestionXml("1005", "Trap", {{"again", "1005"}})})));
    EXPECT_EQ(Progress(), "Question 1 · 0 to 2 more");
    Answers()->SetSelection(1);
    Press("ID_BUTTON_NEXT");
    EXPECT_EQ(Progress(), "Question 2 · 1 more");
    ASSERT_TRUE(m_frame->GoToQuestion(wxS("1004")));
    EXPECT_EQ(Progress(), "Question 1 · at least 0 more");
    ASSERT_TRUE(m_frame->GoToQuestion(wxS("1005")));
    EXPECT_EQ(Progress(), "Question 1 · no ending can be reached from here");

    // A menu's help takes the field while the menu is open; the place,
    // changed meanwhile, comes back when it closes.
    wxMenuEvent highlight(wxEVT_MENU_HIGHLIGHT, MindprismFrame::ID_MENU_QUIT);
    m_frame->ProcessWindowEvent(highlight);
    EXPECT_EQ(Progress(), "Quit the application");
    ASSERT_TRUE(m_frame->GoToQuestion(wxS("1003")));
    EXPECT_EQ(Progress(), "Quit the application");
    wxMenuEvent close(wxEVT_MENU_CLOSE, 0, m_frame->GetMenuBar()->GetMenu(0));
    m_frame->ProcessWindowEvent(close);
    EXPECT_EQ(Progress(), "Question 1 · 0 more");
}

// What the file watcher sets off, called directly: a save keeps the place,
// a broken save or a removed file keeps the quiz and says so, and the next
// good save recovers.
TEST_F(OpenedQuizTest, ReadingTheFileAgainKeepsThePlaceAndSurvivesBrokenSaves)
{
    ASSERT_TRUE(OpenXml(CHAIN));
    Press("ID_BUTTON_NEXT");
    m_folder.Write(wxS("quiz.xml"), "<questions><QUESTION><ID>1001</ID>");
    m_frame->ReloadOpenedQuiz();
    EXPECT_EQ(QuestionText(), wxS("Second"));
    ASSERT_TRUE(ProblemsShown());
    EXPECT_EQ(ProblemRows().front().rfind(" | error | ", 0), 0u) << ProblemRows().front();

    ASSERT_TRUE(wxRemoveFile(m_folder.File(wxS("quiz.xml"))));
    m_frame->ReloadOpenedQuiz();
    EXPECT_EQ(QuestionText(), wxS("Second"));
    ASSERT_EQ(ProblemRows().size(), 1u);
    EXPECT_NE(ProblemRows().front().find("is gone"), std::string::npos) << ProblemRows().front();

    m_folder.Write(wxS("quiz.xml"), QuizXml({QuestionXml("1001", "First", {{"on", "1002"}}),
                                             QuestionXml("1002", "Second, new", {{"on", "1003"}}),
                                             QuestionXml("1003", "Third", {{"done", "0"}})}));
    m_frame->ReloadOpenedQuiz();
    EXPECT_EQ(QuestionText(), wxS("Second, new"));
    EXPECT_FALSE(ProblemsShown());
}

TEST_F(OpenedQuizTest, ExportedAsAWebPageWithTheEditsSavedFirst)
{
    const wxString path = m_folder.Write(wxS("quiz.xml"), CHAIN);
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    m_frame->ShowEditor(true);
    m_frame->Editor().TextField()->SetValue(wxS("Edited <b>first</b>"));
    const wxString page = m_folder.File(wxS("quiz.html"));
    wxTEST_DIALOG(EXPECT_TRUE(m_frame->ExportWebPage(page)),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_YES));
    EXPECT_FALSE(m_frame->Session().HasUnsavedEdits());
    const std::string html = ReadBytes(page);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u) << html.substr(0, 80);
    // The quiz's text travels as data, never as markup.
    EXPECT_NE(html.find("Edited \\u003cb\\u003efirst"), std::string::npos);
    EXPECT_EQ(html.find("<b>first"), std::string::npos);
}

TEST_F(OpenedQuizTest, OpenAsksAboutUnsavedEditsBeforeTheFileIsChosen)
{
    ASSERT_TRUE(OpenXml(CHAIN));
    m_frame->ShowEditor(true);
    m_frame->Editor().TextField()->SetValue(wxS("Mine"));
    // Cancel: no file chooser at all.
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_OPEN),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_CANCEL));
    // Discard: then the chooser, and no second question.
    wxTEST_DIALOG(Menu(MindprismFrame::ID_MENU_OPEN),
                  ExpectDialog<wxMessageDialog>([](wxMessageDialog&) {}, wxID_NO),
                  ExpectDialog<wxFileDialog>([](wxFileDialog&) {}, wxID_CANCEL));
    EXPECT_TRUE(m_frame->Session().HasUnsavedEdits()) << "nothing was opened";
}

TEST_F(OpenedQuizTest, WithTheEditorOpenTheStatusBarNamesTheQuestionByItsId)
{
    ASSERT_TRUE(OpenXml(CHAIN));
    Press("ID_BUTTON_NEXT");
    EXPECT_EQ(Progress(), "Question 2 · 1 more");
    m_frame->ShowEditor(true);
    EXPECT_EQ(Progress(), "Question 1002 · 1 more");
    ASSERT_TRUE(m_frame->GoToQuestion(wxS("1003")));
    EXPECT_EQ(Progress(), "Question 1003 · 0 more");
    m_frame->ShowEditor(false);
    EXPECT_EQ(Progress(), "Question 1 · 0 more");
}
