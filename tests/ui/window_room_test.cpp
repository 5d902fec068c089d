// Windows that share the screen: the main window keeps its size and stays on
// its display, the map window opens beside it and comes back where it was,
// and the editor's lists are as large as their rows.
#include "ui_test_util.h"

#include "app/language.h"
#include "quiz/question_table.h"
#include "quiz/quiz_file.h"
#include "quiz_xml.h"
#include "ui/label_measure.h"
#include "ui/quiz_editor.h"
#include "ui/quiz_map_link.h"
#include "ui/quiz_map_window.h"

#include <wx/aui/aui.h>
#include <wx/config.h>
#include <wx/dataview.h>
#include <wx/dir.h>
#include <wx/display.h>
#include <wx/intl.h>
#include <wx/stattext.h>
#include <wx/xml/xml.h>

namespace
{

class RoomTest : public FrameTest
{
protected:
    void SetUp() override
    {
        // Each test starts without a remembered map window.
        wxConfigBase::Get()->DeleteGroup(MAP_WINDOW_GROUP);
        FrameTest::SetUp();
    }

    wxRect Area() const { return wxDisplay(m_frame).GetClientArea(); }
    QuizMapLink& Link() const { return m_frame->Map(); }
    QuizEditorPane& Editor() const { return m_frame->Editor(); }
    bool ProblemsShown() const
    {
        return wxAuiManager::GetManager(m_frame)->GetPane(wxS("Problems")).IsShown();
    }
    void Place(const wxRect& rect)
    {
        m_frame->SetSize(rect);
        Settle();
    }
    // Opens the map and waits for its first layout.
    QuizMapFrame* OpenMap()
    {
        Menu(MindprismFrame::ID_MENU_MAP);
        EXPECT_TRUE(WaitFor([&] { return Link().Window() && Link().Map() && !Link().LayingOut(); }));
        Settle();
        return Link().Window();
    }
    void CloseMap()
    {
        Link().Window()->Close();
        ASSERT_TRUE(WaitFor([&] { return !Link().Window(); }));
    }
    // The main window's controls lie wholly inside it.
    void ExpectQuizWhole() const
    {
        const wxWindow* quiz = Get<wxWindow>("ID_PANEL1");
        EXPECT_GE(quiz->GetSize().y, quiz->GetBestSize().y);
        const wxWindow* next = Get<wxWindow>("ID_BUTTON_NEXT");
        const wxRect inFrame(m_frame->ScreenToClient(next->GetScreenPosition()), next->GetSize());
        EXPECT_TRUE(wxRect(m_frame->GetClientSize()).Contains(inFrame)) << "Next is cut off";
    }

    TempDir m_folder;
};

int Overlap(const wxRect& a, const wxRect& b)
{
    const wxRect both = a.Intersect(b);
    return both.IsEmpty() ? 0 : both.width * both.height;
}

// One finding (1002 is reached by nobody) against a clean chain.
const std::string FLAWED = QuizXml({QuestionXml("1001", "First", {{"end", "0"}}),
                                    QuestionXml("1002", "Second", {{"end", "0"}})});
const std::string CLEAN = QuizXml({QuestionXml("1001", "First", {{"on", "1002"}}),
                                   QuestionXml("1002", "Second", {{"end", "0"}})});

} // namespace

TEST_F(RoomTest, TheProblemsPaneTakesItsRoomFromTheQuizNotTheScreen)
{
    // At its first size the quiz has no room to give: the window grows once,
    // and keeps that size as the pane goes and comes. Beside the editor the
    // quiz has room, and the window does not change at all.
    for (const bool editing : {false, true})
    {
        m_frame->ShowEditor(editing);
        Settle();
        wxSize before = m_frame->GetSize();
        for (int round = 0; round < 2; ++round)
        {
            ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("flawed.xml"), FLAWED)));
            Settle();
            ASSERT_TRUE(ProblemsShown());
            ExpectQuizWhole();
            const wxSize shown = m_frame->GetSize();
            if (editing || round > 0)
            {
                EXPECT_EQ(shown, before) << "editing " << editing;
            }
            before = shown;
            ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("clean.xml"), CLEAN)));
            Settle();
            ASSERT_FALSE(ProblemsShown());
            EXPECT_EQ(m_frame->GetSize(), shown) << "editing " << editing;
        }
    }
}

TEST_F(RoomTest, TheMainWindowNeverGrowsBeyondItsDisplay)
{
    const wxRect area = Area();
    // Nearly the whole display: the editor and the pane find no room to grow into.
    Place(wxRect(area.x, area.y, area.width - 40, area.height - 40));
    m_frame->ShowEditor(true);
    Settle();
    EXPECT_TRUE(area.Contains(m_frame->GetRect())) << m_frame->GetRect().GetSize().x;
    ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("flawed.xml"), FLAWED)));
    Settle();
    EXPECT_TRUE(area.Contains(m_frame->GetRect()));
    ExpectQuizWhole();
    // Hidden again, the editor gives back what it took.
    m_frame->ShowEditor(false);
    Settle();
    EXPECT_TRUE(area.Contains(m_frame->GetRect()));
}

TEST_F(RoomTest, TheMapOpensBesideTheMainWindowOrWhereItCoversItLeast)
{
    if (!QuizMapLink::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    const wxRect area = Area();
    const wxSize size = m_frame->GetSize();
    // Room on the right, and (next) only on the left: beside, not over it.
    for (const int x : {area.x + 10, area.GetRight() - size.x - 10})
    {
        Place(wxRect(wxPoint(x, area.y + 30), size));
        const wxRect map = OpenMap()->GetRect();
        EXPECT_TRUE(area.Contains(map)) << x;
        EXPECT_EQ(Overlap(map, m_frame->GetRect()), 0) << x;
        EXPECT_GE(map.height, m_frame->GetSize().y) << x;
        CloseMap();
        wxConfigBase::Get()->DeleteGroup(MAP_WINDOW_GROUP);
    }
    // Room only below.
    Place(wxRect(area.x, area.y, area.width, area.height / 2));
    wxRect map = OpenMap()->GetRect();
    EXPECT_TRUE(area.Contains(map));
    EXPECT_EQ(Overlap(map, m_frame->GetRect()), 0);
    CloseMap();
    wxConfigBase::Get()->DeleteGroup(MAP_WINDOW_GROUP);
    // No room anywhere: over the main window's side with the most room.
    Place(wxRect(area.x, area.y, area.width - m_frame->FromDIP(200), area.height - 20));
    map = OpenMap()->GetRect();
    EXPECT_TRUE(area.Contains(map));
    EXPECT_EQ(map.GetRight(), area.GetRight());
    EXPECT_LT(Overlap(map, m_frame->GetRect()), map.width * map.height);
}

TEST_F(RoomTest, TheMapWindowComesBackWhereItWasWhileThatIsOnAScreen)
{
    if (!QuizMapLink::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    const wxRect area = Area();
    const wxRect chosen(area.x + 300, area.y + 200, 520, 410);
    OpenMap()->SetSize(chosen);
    Settle();
    CloseMap();
    // The next start of the program, not only the next opening.
    Close();
    Open(RuntimeDir());
    EXPECT_EQ(OpenMap()->GetRect(), chosen);
    // Left where the program quits, as where it is closed.
    const wxRect moved(area.x + 260, area.y + 100, 480, 380);
    Link().Window()->SetSize(moved);
    Settle();
    Close();
    Open(RuntimeDir());
    EXPECT_EQ(OpenMap()->GetRect(), moved);
    // A place no screen shows any more (a display unplugged) is not restored.
    Link().Window()->SetSize(wxRect(area.GetRight() + 3000, area.y + 100, 480, 380));
    Settle();
    CloseMap();
    const wxRect map = OpenMap()->GetRect();
    EXPECT_TRUE(area.Contains(map));
}

namespace
{

// Question 1000 + k leads to 1000 + 2k and 1000 + 2k + 1, `levels` deep:
// a map far wider than a window at any readable zoom.
std::string Tree(int levels)
{
    const int count = (1 << levels) - 1;
    std::string xml;
    for (int k = 1; k <= count; ++k)
    {
        const std::string id = std::to_string(1000 + k);
        xml += 2 * k > count ? QuestionXml(id, "Leaf " + id, {{"end", "0"}})
                             : QuestionXml(id, "Fork " + id, {{"left", std::to_string(1000 + 2 * k)},
                                                              {"right", std::to_string(1001 + 2 * k)}});
        xml += "\n";
    }
    return QuizXml(xml);
}

bool AllInView(const QuizMapCanvas* canvas)
{
    for (size_t node = 0; node < canvas->Map()->layout.boxes.size(); ++node)
        if (!canvas->InView(node))
            return false;
    return true;
}

} // namespace

TEST_F(RoomTest, TheMapKeepsItsZoomAndScrollAcrossEditsAndStartsAQuizAtFitOrAroundItsQuestion)
{
    if (!QuizMapLink::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    const wxString path = m_folder.Write(wxS("small.xml"), CLEAN);
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    m_frame->ShowEditor(true);
    QuizMapCanvas* canvas = OpenMap()->Canvas();
    // A small quiz shows whole, no larger than life, and stays whole as the
    // window is made smaller.
    EXPECT_LE(canvas->Zoom(), 1.0);
    EXPECT_TRUE(AllInView(canvas));
    Link().Window()->SetSize(Link().Window()->FromDIP(wxSize(420, 360)));
    Settle();
    EXPECT_TRUE(AllInView(canvas));
    const auto Edited = [&](const wxString& text) {
        const QuizMap* before = Link().Map();
        Editor().TextField()->SetValue(text);
        Editor().CommitTyping();
        EXPECT_TRUE(WaitFor([&] { return Link().Map() != before && !Link().LayingOut(); }));
        Settle();
    };
    // An edit keeps it fitted, even as the map grows.
    Edited(wxS("First, and a question much longer than it was before the edit"));
    EXPECT_TRUE(AllInView(canvas));
    // A zoom and a scroll of the author's own are kept by an edit and by a
    // reload of the file.
    canvas->SetZoom(4, wxPoint(0, 0));
    canvas->Scroll(30, 40);
    const wxPoint start = canvas->GetViewStart();
    ASSERT_EQ(start, wxPoint(30, 40));
    Edited(wxS("First, and a question much longer than it was before the edits"));
    EXPECT_EQ(canvas->Zoom(), 4);
    EXPECT_EQ(canvas->GetViewStart(), start);
    ASSERT_TRUE(m_frame->SaveQuiz());
    const QuizMap* before = Link().Map();
    m_folder.Write(wxS("small.xml"), QuizXml({QuestionXml("1001", "First, and a question much longer than it was before the exit", {{"on", "1002"}}),
                                              QuestionXml("1002", "Second", {{"end", "0"}})}));
    m_frame->ReloadOpenedQuiz();
    ASSERT_TRUE(WaitFor([&] { return Link().Map() != before && !Link().LayingOut(); }));
    Settle();
    EXPECT_EQ(canvas->Zoom(), 4);
    EXPECT_EQ(canvas->GetViewStart(), start);

    // A quiz too large to read whole starts at full size, around the
    // question on screen.
    CloseMap();
    m_frame->ShowEditor(false);
    ASSERT_TRUE(m_frame->OpenQuiz(m_folder.Write(wxS("tree.xml"), Tree(7))));
    ASSERT_TRUE(m_frame->GoToQuestion(wxS("1023")));
    canvas = OpenMap()->Canvas();
    EXPECT_EQ(canvas->Zoom(), 1.0);
    ASSERT_TRUE(canvas->Marks().current);
    const wxPoint centre = canvas->ClientPoint(Link().Map()->layout.boxes[*canvas->Marks().current].centre);
    const wxSize client = canvas->GetClientSize();
    EXPECT_LE(std::abs(centre.x - client.x / 2), client.x / 10);
    EXPECT_LE(std::abs(centre.y - client.y / 2), client.y / 10);
}

TEST_F(RoomTest, TheEditorsListsShowTheirRowsWholeInEachLanguage)
{
    // Twelve results, each at the end of its own answer.
    std::vector<AnswerXml> endings;
    for (int result = 1; result <= 12; ++result)
        endings.emplace_back("Pick " + std::to_string(result) + " \xE2\x86\x92 Result " + std::to_string(result), "0");
    const std::string twelve = QuizXml({QuestionXml("1001", "Which?", endings)});
    wxArrayString editions;
    wxDir::GetAllFiles(RuntimeDir() + wxS("/data"), &editions, wxS("Quiz_*.xml"), wxDIR_FILES);
    ASSERT_GE(editions.size(), 4u);
    Close();
    wxLocale::AddCatalogLookupPathPrefix(RuntimeDir() + wxS("/locales"));
    for (const wxLanguage language : {wxLANGUAGE_CHINESE_SIMPLIFIED, wxLANGUAGE_ENGLISH})
    {
        SCOPED_TRACE(wxLocale::GetLanguageCanonicalName(language).ToStdString());
        wxLocale locale;
        InitUiLocale(locale, language, wxS("Mindprism"));
        Open(RuntimeDir());
        const int playerWidth = Answers()->GetSize().x;
        const wxString path = m_folder.Write(wxS("twelve.xml"), twelve);
        ASSERT_TRUE(m_frame->OpenQuiz(path));
        m_frame->ShowEditor(true);
        Editor().ShowBalanceNow();
        Settle();

        // As wide as the player's list, and every shipped answer whole after
        // the longest "where it leads" (the rows are not wrapped).
        wxListBox* answers = Editor().Answers();
        EXPECT_GE(answers->GetSize().x, playerWidth);
        const int room = answers->GetClientSize().x - 2 * answers->FromDIP(6);
        for (const wxString& edition : editions)
        {
            wxXmlDocument document;
            QuestionTable table;
            AnswerTexts texts;
            ASSERT_TRUE(LoadQuiz(document, edition, table, &texts)) << edition;
            for (const wxString& text : texts.texts)
                EXPECT_LE(answers->GetTextExtent(wxString::Format(_(L"End · %s"), text)).x, room) << text;
        }

        // A dozen results show without scrolling, inside the pane.
        wxListBox* balance = Editor().Balance();
        ASSERT_EQ(balance->GetCount(), 12u);
        EXPECT_TRUE(WaitFor([&] { return balance->GetCountPerPage() >= 12; }, 2000))
            << balance->GetCountPerPage();
        const wxWindow* pane = Get<wxWindow>("QuizEditor");
        EXPECT_LE(balance->GetRect().GetBottom(), pane->GetClientSize().y);

        // Unplayable as saved: the note above the figures shows whole.
        Editor().SelectQuestion(wxS("1001"));
        Editor().IdField()->SetValue(wxS("1000"));
        Editor().CommitTyping();
        ASSERT_TRUE(m_frame->SaveQuiz());
        m_frame->ReloadOpenedQuiz();
        Editor().ShowBalanceNow();
        Settle();
        const wxStaticText* note = Editor().BalanceNote();
        ASSERT_TRUE(note->IsShown());
        EXPECT_GE(note->GetSize().y, MeasureWrappedLabel(const_cast<wxStaticText*>(note), note->GetSize().x).y);
        EXPECT_LE(note->GetSize().x, pane->GetClientSize().x);
        EXPECT_EQ(balance->GetCount(), 12u) << "the figures stay, of the last playable version";
        Close();
    }
}
