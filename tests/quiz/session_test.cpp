// The session model: an opened quiz plays over a table of its own, is read
// again when its file's content changes keeping the player's place, and
// the built-in quizzes keep their shared table.
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_document.h"
#include "quiz/quiz_session.h"
#include "quiz_test_util.h"

#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace
{

// 1001 -> 1002 -> 1003 -> 1004 -> end, with three answers on 1004 and a
// question 1005 that nothing leads to.
std::string Chain(const std::string& thirdText = "three", bool with1002 = true,
                  bool with1004 = true, size_t answersOf1004 = 3)
{
    std::vector<AnswerXml> last = {{"x", "0"}, {"y", "0"}, {"z", "0"}};
    last.resize(answersOf1004);
    return QuizXml(QuestionXml("1001", "one", {{"a", with1002 ? "1002" : "1003"}}) +
                   (with1002 ? QuestionXml("1002", "two", {{"a", "1003"}}) : "") +
                   QuestionXml("1003", thirdText, {{"a", "1004"}}) +
                   (with1004 ? QuestionXml("1004", "four", last) : "") +
                   QuestionXml("1005", "aside", {{"a", "0"}}));
}

std::string Id(const Question* question)
{
    return question ? std::string(question->id.utf8_str()) : "nothing";
}

// A session whose built-in quizzes are files the test writes ("A.xml", "B.xml").
class Session : public testing::Test
{
protected:
    Session()
        : m_session({QuizEntry{wxS("A"), wxS("A"), wxString(), QuizEnding::ResultDialog},
                     QuizEntry{wxS("B"), wxS("B"), wxString(), QuizEnding::MessageBox}},
                    [this](const QuizEntry& quiz) { return m_dir.File(quiz.stem + wxS(".xml")); },
                    m_document)
    {
        m_subscription = m_session.Subscribe([this](const SessionChange& change) {
            m_changes.push_back(change.what);
        });
    }

    wxString Write(const std::string& xml) { return m_dir.Write(wxS("quiz.xml"), xml); }
    void Open(const std::string& xml)
    {
        wxString error;
        ASSERT_TRUE(m_session.Open(Write(xml), error)) << error;
    }
    std::string Current() const { return Id(m_session.Current()); }
    // Opens Chain(), plays on to 1003 and takes the quiz's document.
    QuizDocument* EditChainAt1003()
    {
        Open(Chain());
        m_session.Next(0);
        m_session.Next(0);
        EXPECT_EQ(Current(), "1003");
        return m_session.Document().get();
    }
    // What Prev shows, press by press, until it shows nothing new.
    std::vector<std::string> Prevs(size_t count)
    {
        std::vector<std::string> shown;
        for (size_t i = 0; i < count; ++i)
        {
            const Question* before = m_session.Current();
            const size_t changes = m_changes.size();
            m_session.Prev();
            shown.push_back(m_changes.size() == changes ? "nothing" : Id(m_session.Current()));
            if (m_session.Current() == before && shown.back() == "nothing")
                break;
        }
        return shown;
    }

    TempDir m_dir;
    wxXmlDocument m_document;
    QuizSession m_session;
    std::vector<unsigned> m_changes;
    QuizSession::Subscription m_subscription;
};

} // namespace

TEST_F(Session, ASaveKeepsThePlayersPlaceAsFarAsTheNewFileAllows)
{
    struct Case
    {
        const char* what;
        std::string saved;
        std::string show;
        int selection;
        std::vector<std::string> prevs;  // what Prev then shows, to the end
        size_t answered;
    };
    const std::vector<Case> cases = {
        {"text changed, answer index kept", Chain("THREE"), "1004", 2,
         {"1003", "1002", "1001", "nothing"}, 3},
        {"answer index gone", Chain("three", true, true, 2), "1004", 0,
         {"1003", "1002", "1001", "nothing"}, 3},
        {"way back cut at the first missing question", Chain("three", false), "1004", 2,
         {"1003", "nothing"}, 3},
        {"question gone: back at the start", Chain("three", true, false), "1001", 0, {"nothing"}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Open(Chain());
        for (int i = 0; i < 3; ++i)
            m_session.Next(0);
        ASSERT_EQ(Current(), "1004");
        m_session.Select(2);
        const Question* shown = m_session.Current();

        Write(c.saved);
        m_session.FileChanged();
        EXPECT_EQ(shown->text, wxS("four")) << "the record on screen lives until it is replaced";
        EXPECT_EQ(Current(), c.show);
        EXPECT_EQ(m_session.Selection(), c.selection);
        EXPECT_EQ(m_session.Navigator().Answered(), c.answered);
        EXPECT_TRUE(m_changes.back() & SessionChange::Question);
        EXPECT_EQ(Prevs(c.prevs.size()), c.prevs);
        m_session.ReleaseDisplaced();
    }
}

TEST_F(Session, AnOpenedQuizPlaysOnlyItselfAndSaysWhichTargetIsMissing)
{
    // Built-in quiz A has the 1006 that the opened file lacks.
    m_dir.Write(wxS("A.xml"), QuizXml(QuestionXml("1001", "built-in", {{"a", "1006"}}) +
                                      QuestionXml("1006", "built-in 1006", {{"end", "0"}})));
    ASSERT_TRUE(m_session.Switch(0));
    Open(QuizXml(QuestionXml("1001", "opened", {{"lost", "1006"}, {"on", "1002"}}) +
                 QuestionXml("1002", "second", {{"end", "0"}})));
    EXPECT_EQ(m_session.CurrentIndex(), 2);
    EXPECT_EQ(m_session.Quizzes()[2].title, wxS("quiz.xml"));
    EXPECT_EQ(m_session.Next(0).kind, QuizNavigator::Step::Stayed);
    EXPECT_EQ(Current(), "1001");
    EXPECT_EQ(m_session.MissingTarget(), wxS("1006"));
    EXPECT_FALSE(m_session.GoTo(wxS("1006"))) << "a built-in question is not the opened quiz's";
    ASSERT_NE(m_session.Progress(), nullptr);
    EXPECT_EQ(m_session.Progress()->most, std::optional<size_t>(1u)) << "counted in its own table";
    EXPECT_EQ(m_session.Next(1).kind, QuizNavigator::Step::Moved);
    EXPECT_TRUE(m_session.MissingTarget().empty()) << "gone once the player moves on";

    // A question deleted from the file is gone after switching away and back.
    Write(QuizXml(QuestionXml("1001", "opened", {{"end", "0"}})));
    ASSERT_TRUE(m_session.Switch(0));
    ASSERT_TRUE(m_session.Switch(2));
    EXPECT_FALSE(m_session.GoTo(wxS("1002")));
    // The built-in quizzes stay silent about a target that names no question.
    ASSERT_TRUE(m_session.Switch(0));
    m_dir.Write(wxS("B.xml"), QuizXml(QuestionXml("1001", "B", {{"lost", "4711"}})));
    ASSERT_TRUE(m_session.Switch(1));
    EXPECT_EQ(m_session.Next(0).kind, QuizNavigator::Step::Stayed);
    EXPECT_TRUE(m_session.MissingTarget().empty());
}

TEST_F(Session, AVersionIsToldByItsContentAndABrokenSaveChangesNothing)
{
    Open(Chain());
    m_session.Next(0);
    const wxString path = m_session.Opened()->path;
    const auto rewrite = [&](const std::string& xml) {
        // The same size and time as the version before, as a quick
        // format-on-save or a file system with two-second times leaves them.
        const wxDateTime time = wxFileName(path).GetModificationTime();
        Write(xml);
        wxFileName(path).SetTimes(nullptr, &time, nullptr);
        m_changes.clear();
        m_session.FileChanged();
    };
    rewrite(Chain());
    EXPECT_TRUE(m_changes.empty()) << "the same content is no new version";

    for (const char* broken : {"<questions><QUESTION>", "",
                               "<questions><QUESTION><ID>2001</ID><Q>no entry</Q></QUESTION></questions>"})
    {
        SCOPED_TRACE(broken);
        rewrite(broken);
        EXPECT_EQ(m_session.Opened()->state, OpenedQuiz::FileState::Broken);
        EXPECT_NE(m_session.Opened()->error.find(path), wxString::npos) << m_session.Opened()->error;
        EXPECT_EQ(Current(), "1002");
        EXPECT_TRUE(m_session.GoTo(wxS("1005"))) << "the last good version plays on";
        m_session.GoTo(wxS("1002"));
    }
    rewrite("<questions><QUESTION>\n<ID>1001</ID></QUESTION>");
    EXPECT_NE(m_session.Opened()->error.find(wxS("line 2")), wxString::npos) << m_session.Opened()->error;
    rewrite("<questions><QUESTION>\n<ID>1001</ID></QUESTION>");
    EXPECT_TRUE(m_changes.empty()) << "a broken version is read once";
    rewrite(Chain());
    EXPECT_EQ(m_session.Opened()->state, OpenedQuiz::FileState::Read) << "the good content back";
    rewrite("<questions><QUESTION>\n<ID>1001</ID></QUESTION>");
    ASSERT_TRUE(wxRemoveFile(path));
    m_session.FileChanged();
    EXPECT_EQ(m_session.Opened()->state, OpenedQuiz::FileState::Gone);

    // The mended file, of the same size as the one before: 1005 is gone.
    std::string mended = Chain("thre3", true, true, 3);
    Write(mended);
    m_session.FileChanged();
    EXPECT_EQ(m_session.Opened()->state, OpenedQuiz::FileState::Read);
    EXPECT_EQ(Current(), "1002");
    mended = QuizXml(QuestionXml("1001", "one", {{"a", "1002"}}) +
                     QuestionXml("1002", "two", {{"a", "4711"}}));
    rewrite(mended);
    EXPECT_FALSE(m_session.GoTo(wxS("1005")));
    ASSERT_NE(m_session.MapOutline(), nullptr);
    EXPECT_EQ(m_session.MapOutline()->boxes.size(), 2u) << "the map gets the version played";
    // The findings are the checker's, from the same read.
    const FileReport checked = CheckQuizFile(path);
    const FindingList& findings = m_session.Opened()->version.findings;
    ASSERT_EQ(findings.size(), checked.findings.size());
    EXPECT_GE(checked.findings.size(), 1u);
    for (size_t i = 0; i < checked.findings.size(); ++i)
        EXPECT_EQ(findings[i].message, checked.findings[i].message);
}

TEST_F(Session, PrevAfterAnEndOrAMissingTargetShowsTheSameQuestionAgainAfterASave)
{
    for (const int choice : {0, 1})
    {
        SCOPED_TRACE(choice == 0 ? "an end" : "a missing target");
        Open(QuizXml(QuestionXml("1001", "one", {{"a", "1002"}}) +
                     QuestionXml("1002", "two", {{"end", "0"}, {"lost", "4711"}})));
        m_session.Next(0);
        m_session.Next(choice);
        Write(QuizXml(QuestionXml("1001", "ONE", {{"a", "1002"}}) +
                      QuestionXml("1002", "two", {{"end", "0"}, {"lost", "4711"}})));
        m_session.FileChanged();
        EXPECT_EQ(Prevs(3), (std::vector<std::string>{"1002", "1001", "nothing"}));
    }
}

TEST_F(Session, AWayBackThatLoopsStillLoopsAfterASave)
{
    const std::string loop = QuizXml(QuestionXml("1001", "one", {{"a", "1002"}}) +
                                     QuestionXml("1002", "two", {{"a", "1003"}}) +
                                     QuestionXml("1003", "three", {{"a", "1001"}}));
    Open(loop);
    for (int i = 0; i < 4; ++i)
        m_session.Next(0);  // round once, on 1002 again
    EXPECT_EQ(m_session.Navigator().Place(0).wayBack,
              (std::vector<wxString>{wxS("1001"), wxS("1003"), wxS("1002"), wxS("1001")}));
    Write(loop + "<!-- saved again -->");
    m_session.FileChanged();
    EXPECT_EQ(Prevs(5), (std::vector<std::string>{"1001", "1003", "1002", "1001", "1003"}));
}

TEST_F(Session, BuiltInQuizzesShareATableAndPrevAfterASwitchKeepsItsOwnFigures)
{
    // Quiz A: 1001 -> 1002 -> 1003 -> end; quiz B's 1002 ends at once.
    m_dir.Write(wxS("A.xml"), QuizXml(QuestionXml("1001", "A one", {{"a", "1002"}}) +
                                      QuestionXml("1002", "A two", {{"a", "1003"}}) +
                                      QuestionXml("1003", "A three", {{"a", "0"}})));
    m_dir.Write(wxS("B.xml"), QuizXml(QuestionXml("1001", "B one", {{"b", "1002"}}) +
                                      QuestionXml("1002", "B two", {{"b", "0"}})));
    ASSERT_TRUE(m_session.Switch(0));
    m_session.Next(0);
    m_session.Next(0);
    ASSERT_TRUE(m_session.Switch(1));
    EXPECT_EQ(m_session.Current()->text, wxS("B one"));
    m_session.Prev();
    EXPECT_EQ(m_session.Current()->text, wxS("A two"));
    // A's 1002 was displaced by B's: no figures rather than B's.
    EXPECT_EQ(m_session.Progress(), nullptr);
    // A's 1003 is still in the shared table: Next from A's 1002 finds it.
    EXPECT_EQ(m_session.Next(0).kind, QuizNavigator::Step::Moved);
    EXPECT_EQ(m_session.Current()->text, wxS("A three"));
    // A quiz whose file cannot be read is still the chosen one.
    ASSERT_TRUE(wxRemoveFile(m_dir.File(wxS("A.xml"))));
    wxLogNull quiet;
    ASSERT_TRUE(m_session.Switch(0));
    EXPECT_EQ(m_session.CurrentIndex(), 0);
    EXPECT_EQ(m_session.Current()->text, wxS("B one")) << "the entry in the table, B's";
    EXPECT_EQ(m_session.MapOutline(), nullptr);
}

TEST(Navigator, AnsweredCountsMovesNotStepsInPlace)
{
    LoadedQuiz quiz(Chain());
    QuizNavigator nav;
    nav.Play(quiz.table);
    nav.Start();
    nav.Next(0);
    nav.Next(0);
    EXPECT_EQ(nav.Answered(), 2u);
    nav.Start();
    EXPECT_EQ(nav.Answered(), 0u);
    EXPECT_EQ(Id(nav.Prev()), "1002") << "the way back outlives Reset";
    EXPECT_EQ(nav.Answered(), 0u) << "never below 0";
    nav.Next(0);
    nav.Next(0);
    EXPECT_EQ(nav.Next(2).kind, QuizNavigator::Step::Ended);
    EXPECT_EQ(nav.Answered(), 2u);
    // After an end, Prev first shows the same question again: no move.
    EXPECT_EQ(Id(nav.Prev()), "1004");
    EXPECT_EQ(nav.Answered(), 2u);
    EXPECT_EQ(Id(nav.Prev()), "1003");
    EXPECT_EQ(nav.Answered(), 1u);
}

// The opened quiz being written: an edit is played at once from the
// player's place, the window's own save is not another program's change,
// and another program's change while edits are unsaved reads nothing until
// the author chose.
TEST_F(Session, EditsArePlayedAtOnceAndOnlyAnotherProgramsChangeCountsAsOne)
{
    QuizDocument* document = EditChainAt1003();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(m_session.DocumentReadOnly());

    std::unique_ptr<QuizEdit> edit = document->SetQuestionText(2, wxS("THREE"));
    ASSERT_TRUE(edit->Do());
    EXPECT_EQ(Current(), "1003");
    EXPECT_EQ(m_session.Current()->text, wxS("THREE"));
    EXPECT_EQ(Prevs(3), (std::vector<std::string>{"1002", "1001", "nothing"}));
    m_session.Next(0);
    m_session.Next(0);
    EXPECT_TRUE(m_session.HasUnsavedEdits());

    // Saved: the follower's call that follows reads nothing new.
    wxString error;
    ASSERT_TRUE(document->Save(document->Path(), error)) << error;
    EXPECT_FALSE(m_session.HasUnsavedEdits());
    m_changes.clear();
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Done);
    EXPECT_TRUE(m_changes.empty());
    EXPECT_EQ(m_session.Document().get(), document) << "the undo history stays valid";

    // Edited again, then changed by another program: a conflict, once.
    std::unique_ptr<QuizEdit> again = document->SetQuestionText(2, wxS("3"));
    ASSERT_TRUE(again->Do());
    Write(Chain("three by another"));
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Conflict);
    EXPECT_EQ(m_session.Current()->text, wxS("3"));
    m_session.KeepEdits();
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Done);
    Write(Chain("three by a third"));
    ASSERT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Conflict);
    m_changes.clear();
    m_session.TakeFile();
    EXPECT_EQ(Current(), "1003");
    EXPECT_EQ(m_session.Current()->text, wxS("three by a third"));
    ASSERT_FALSE(m_changes.empty());
    EXPECT_TRUE(SessionChange{m_changes.back()}.Has(SessionChange::Document));
    EXPECT_FALSE(m_session.HasUnsavedEdits());
}

TEST_F(Session, ANewQuizIsPlayedUntitledAndSavedUnderTheNameGiven)
{
    m_dir.Write(wxS("A.xml"), Chain());
    m_session.NewQuiz();
    EXPECT_TRUE(m_session.OpenedShown());
    EXPECT_TRUE(m_session.Opened()->path.empty());
    ASSERT_EQ(Current(), "1001");
    QuizDocument* document = m_session.Document().get();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Done) << "no file to follow";

    // An edit that leaves no entry is not played; the findings say why.
    std::unique_ptr<QuizEdit> renumber = document->SetQuestionId(0, wxS("7"));
    ASSERT_TRUE(renumber->Do());
    EXPECT_EQ(m_session.Opened()->state, OpenedQuiz::FileState::Broken);
    EXPECT_EQ(Current(), "1001");
    ASSERT_TRUE(renumber->Undo());
    EXPECT_EQ(m_session.Opened()->state, OpenedQuiz::FileState::Read);

    // Switching away and back plays the unsaved quiz, not a file.
    ASSERT_TRUE(m_session.Switch(0));
    EXPECT_TRUE(m_session.DocumentReadOnly());
    ASSERT_TRUE(m_session.Switch(2));
    EXPECT_EQ(m_session.Document().get(), document);

    const wxString path = m_dir.File(wxS("mine.xml"));
    wxString error;
    ASSERT_TRUE(document->Save(path, error)) << error;
    EXPECT_EQ(m_session.Opened()->path, wxFileName(path).GetFullPath());
    EXPECT_EQ(m_session.CurrentQuiz().title, wxS("mine.xml"));
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Done);
}

TEST_F(Session, AnOpenedQuizIsTitledByItsTitleAndItsEndingsGiveTheResultsItDescribes)
{
    const std::string described =
        QuestionXml("1001", "one", {{"a \xE2\x86\x92 Rogue", "0"}, {"b \xE2\x86\x92 Nobody", "0"}}) +
        "<RESULT><NAME>Rogue</NAME><TEXT>By your wits.</TEXT></RESULT>";
    Open(QuizXml(QuestionXml("1001", "one", {{"a", "0"}})));
    EXPECT_EQ(m_session.CurrentQuiz().title, wxS("quiz.xml"));
    const Question* entry = m_session.Current();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(m_session.DescribedResult(entry->answers[0]), nullptr);

    // A save that adds a title (over two lines) and results retitles the
    // quiz where it is offered.
    m_changes.clear();
    Write(QuizXml(described + "<TITLE>\n  Which hero\n  are you? </TITLE>"));
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Done);
    EXPECT_EQ(m_session.CurrentQuiz().title, wxS("Which hero are you?"));
    ASSERT_FALSE(m_changes.empty());
    EXPECT_TRUE(SessionChange{m_changes.back()}.Has(SessionChange::Quizzes));
    entry = m_session.Current();
    const QuizResult* rogue = m_session.DescribedResult(entry->answers[0]);
    ASSERT_NE(rogue, nullptr);
    EXPECT_EQ(rogue->text, wxS("By your wits."));
    EXPECT_EQ(m_session.DescribedResult(entry->answers[1]), nullptr);

    // Built-in quizzes end as they always did, whatever the opened one says.
    m_dir.Write(wxS("A.xml"), QuizXml(described));
    ASSERT_TRUE(m_session.Switch(0));
    EXPECT_EQ(m_session.DescribedResult(m_session.Current()->answers[0]), nullptr);

    // Without its title the quiz is its file's name again.
    ASSERT_TRUE(m_session.Switch(2));
    Write(QuizXml(described));
    EXPECT_EQ(m_session.FileChanged(), QuizSession::FileCheck::Done);
    EXPECT_EQ(m_session.CurrentQuiz().title, wxS("quiz.xml"));
}

namespace
{

// Work the check's thread hands back, run when the test says, as a window
// runs what it is posted when its events come.
class Mailbox
{
public:
    QuizSession::Poster Poster()
    {
        return [this](std::function<void()> work) {
            const std::lock_guard<std::mutex> hold(m_lock);
            m_work.push_back(std::move(work));
        };
    }
    size_t RunAll()
    {
        std::vector<std::function<void()>> work;
        {
            const std::lock_guard<std::mutex> hold(m_lock);
            work.swap(m_work);
        }
        for (const auto& item : work)
            item();
        return work.size();
    }

private:
    std::mutex m_lock;
    std::vector<std::function<void()>> m_work;
};

std::vector<std::string> Codes(const FindingList& findings)
{
    std::vector<std::string> codes;
    for (const Finding& finding : findings)
        codes.push_back(std::to_string(finding.line) + ":" + finding.code);
    return codes;
}

} // namespace

TEST_F(Session, EditsCheckedInTheBackgroundShowTheQuestionAtOnceAndTheNewestCheckOnly)
{
    Mailbox mailbox;
    m_session.CheckInBackground(mailbox.Poster(), 0);
    QuizDocument* document = EditChainAt1003();
    ASSERT_NE(document, nullptr);
    const std::vector<std::string> before = Codes(m_session.Opened()->version.findings);
    const size_t fewest = m_session.Progress()->fewest;

    // The question on screen shows its edit at once, keeping the way back;
    // the findings are the last check's until this one is done.
    m_changes.clear();
    ASSERT_TRUE(document->Submit(document->SetQuestionText(2, wxS("THREE"))));
    EXPECT_EQ(m_session.Current()->text, wxS("THREE"));
    EXPECT_TRUE(m_session.Checking());
    ASSERT_FALSE(m_changes.empty());
    EXPECT_TRUE(SessionChange{m_changes.front()}.Has(SessionChange::Question | SessionChange::Problems));
    ASSERT_NE(m_session.Progress(), nullptr) << "the figures stay until the check's come";
    EXPECT_EQ(m_session.Progress()->fewest, fewest);

    // Two more edits before any check is shown: only the last one's counts.
    ASSERT_TRUE(document->Submit(document->SetAnswerTarget(3, 0, wxS("9"))));
    ASSERT_TRUE(document->Submit(document->SetAnswerTarget(3, 1, wxS("8"))));
    EXPECT_EQ(Codes(m_session.Opened()->version.findings), before);
    m_session.FinishChecking();
    EXPECT_FALSE(m_session.Checking());
    QuizFileCheck check;
    QuestionTable table;
    document->Read(table, check);
    EXPECT_EQ(Codes(m_session.Opened()->version.findings), Codes(check.report.findings));
    EXPECT_NE(Codes(check.report.findings), before);
    EXPECT_EQ(Current(), "1003");
    EXPECT_EQ(Prevs(3), (std::vector<std::string>{"1002", "1001", "nothing"}));
    ASSERT_NE(m_session.Balance(), nullptr);
    // What the check's thread posted meanwhile changes nothing now.
    m_changes.clear();
    mailbox.RunAll();
    EXPECT_TRUE(m_changes.empty());

    // A check of edits the author then drops is never shown.
    ASSERT_EQ(Current(), "1001");
    ASSERT_TRUE(document->Submit(document->SetQuestionText(0, wxS("ONE"))));
    EXPECT_EQ(m_session.Current()->text, wxS("ONE"));
    EXPECT_TRUE(m_session.Checking());
    m_session.TakeFile();
    EXPECT_FALSE(m_session.Checking());
    const std::vector<std::string> file = Codes(m_session.Opened()->version.findings);
    m_session.FinishChecking();
    mailbox.RunAll();
    EXPECT_EQ(Codes(m_session.Opened()->version.findings), file);
    EXPECT_EQ(m_session.Current()->text, wxS("one"));

    // A session gone before its check is done leaves nothing to run.
    std::vector<std::function<void()>> late;
    {
        wxXmlDocument builtIns;
        QuizSession gone({}, [](const QuizEntry&) { return wxString(); }, builtIns);
        gone.CheckInBackground(mailbox.Poster(), 0);
        wxString error;
        ASSERT_TRUE(gone.Open(Write(Chain()), error)) << error;
        QuizDocument* edited = gone.Document().get();
        ASSERT_NE(edited, nullptr);
        ASSERT_TRUE(edited->Submit(edited->SetQuestionText(1, wxS("TWO"))));
    }
    mailbox.RunAll();
}
