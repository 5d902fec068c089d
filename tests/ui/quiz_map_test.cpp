// The quiz map window beside the main window: it follows the player, is one
// window at a time, and plays from a clicked question only where allowed.
#include "ui_test_util.h"
#include "ui/quiz_editor.h"

#include "ui/quiz_map_link.h"
#include "ui/quiz_map_window.h"

#include <wx/toolbar.h>

#include <algorithm>

namespace
{

class MapTest : public FrameTest
{
protected:
    void SetUp() override
    {
        if (!QuizMapLink::Available())
            GTEST_SKIP() << "this build has no Graphviz";
        FrameTest::SetUp();
    }

    QuizMapLink& Link() const { return m_frame->Map(); }
    bool LaidOut() const { return Link().Window() && Link().Map() && !Link().LayingOut(); }

    // The map node of a question, by ID.
    size_t NodeOf(const wxString& id) const
    {
        const std::vector<MapNode>& nodes = Link().Map()->graph.nodes;
        for (size_t node = 0; node < nodes.size(); ++node)
            if (nodes[node].kind == MapNodeKind::Question && nodes[node].id == id)
                return node;
        ADD_FAILURE() << id;
        return 0;
    }

    // The way as the map marks it: the current question's ID, then the
    // way back's, nearest first.
    std::vector<wxString> MarkedWay() const
    {
        const MapMarks& marks = Link().Window()->Canvas()->Marks();
        std::vector<wxString> way;
        if (marks.current)
            way.push_back(Link().Map()->graph.nodes[*marks.current].id);
        for (size_t node : marks.wayNodes)
            way.push_back(Link().Map()->graph.nodes[node].id);
        return way;
    }

    // Every bold arrow runs between neighbours on the way, and every step
    // of the way has one.
    void ExpectBoldArrowsAlongTheWay() const
    {
        const MapMarks& marks = Link().Window()->Canvas()->Marks();
        std::vector<size_t> way;
        if (marks.current)
            way.push_back(*marks.current);
        way.insert(way.end(), marks.wayNodes.begin(), marks.wayNodes.end());
        const std::vector<MapArrow>& arrows = Link().Map()->graph.arrows;
        for (size_t arrow : marks.wayArrows)
        {
            const auto to = std::find(way.begin(), way.end(), arrows[arrow].to);
            ASSERT_NE(to, way.end());
            ASSERT_NE(to + 1, way.end());
            EXPECT_EQ(*(to + 1), arrows[arrow].from);
        }
        for (size_t step = 1; step < way.size(); ++step)
            EXPECT_TRUE(std::any_of(marks.wayArrows.begin(), marks.wayArrows.end(), [&](size_t arrow) {
                return arrows[arrow].from == way[step] && arrows[arrow].to == way[step - 1];
            })) << step;
    }

    void Click(QuizMapCanvas* canvas, size_t node)
    {
        wxMouseEvent click(wxEVT_LEFT_UP);
        click.SetPosition(canvas->ClientPoint(Link().Map()->layout.boxes[node].centre));
        click.SetEventObject(canvas);
        canvas->ProcessWindowEvent(click);
    }
};

} // namespace

TEST_F(MapTest, TheMarkAndTheBoldWayFollowNextPrevResetAndSwitching)
{
    Menu(MindprismFrame::ID_MENU_MAP);
    ASSERT_TRUE(WaitFor([&] { return LaidOut(); }));
    QuizMapFrame* window = Link().Window();
    EXPECT_EQ(window->GetTitle(), wxString::FromUTF8("Quiz map - 你具备哪种动物潜质？"));
    const QuizMap* map = Link().Map();
    const wxString entry = m_frame->Navigator().Current()->id;
    EXPECT_EQ(MarkedWay(), std::vector<wxString>{entry});
    // Each question's box holds its widest line as the canvas draws it, with
    // the margins and no more than the layout's rounding besides (the
    // entry's outer border is a gap further out).
    const std::shared_ptr<const MapTextMetrics> text = MeasureMapText(map->graph, nullptr);
    for (size_t node = 0; node < map->graph.nodes.size(); ++node)
    {
        if (map->graph.nodes[node].kind != MapNodeKind::Question)
            continue;
        double widest = 0;
        for (const std::string& line : map->graph.nodes[node].lines)
            widest = std::max(widest, text->Width(line, MAP_BOX_FONT_SIZE));
        const double inner = map->layout.boxes[node].width - (node == 0 ? 2 * MAP_ENTRY_BORDER_GAP : 0);
        EXPECT_GE(inner, widest + 2 * 0.12 * 72) << node;
        EXPECT_LE(inner, std::max(widest + 2 * 0.12 * 72 + 3, 0.75 * 72)) << node;
    }

    Press("ID_BUTTON_NEXT");
    const wxString second = m_frame->Navigator().Current()->id;
    Answers()->SetSelection(1);
    Press("ID_BUTTON_NEXT");
    const wxString third = m_frame->Navigator().Current()->id;
    EXPECT_EQ(MarkedWay(), (std::vector<wxString>{third, second, entry}));
    ExpectBoldArrowsAlongTheWay();
    EXPECT_TRUE(window->Canvas()->InView(NodeOf(third)));
    // Only the place changed: the same layout is drawn.
    EXPECT_EQ(Link().Map(), map);
    EXPECT_FALSE(Link().LayingOut());

    Press("ID_BUTTON_PREV");
    EXPECT_EQ(MarkedWay(), (std::vector<wxString>{second, entry}));
    ExpectBoldArrowsAlongTheWay();
    Press("ID_BUTTON_RESET");
    EXPECT_EQ(MarkedWay(), std::vector<wxString>{entry});
    EXPECT_TRUE(window->Canvas()->Marks().wayArrows.empty());

    // The other quiz is laid out anew, with its own title. Told by its
    // entry's box: the new map may take the place in memory of the old one.
    const std::vector<std::string> firstEntry = map->graph.nodes[0].lines;
    ChooseQuiz(1);
    ASSERT_TRUE(WaitFor([&] { return LaidOut() && Link().Map()->graph.nodes[0].lines != firstEntry; }))
        << Link().Window()->Status();
    EXPECT_EQ(window->GetTitle(), wxString::FromUTF8("Quiz map - 你的内在星座是什么？"));
    EXPECT_EQ(MarkedWay(), std::vector<wxString>{m_frame->Navigator().Current()->id});
    ExpectBoldArrowsAlongTheWay();
}

TEST_F(MapTest, OneWindowAtATimeWhosePlaceAndZoomCommandsWork)
{
    Menu(MindprismFrame::ID_MENU_MAP);
    ASSERT_TRUE(WaitFor([&] { return LaidOut(); }));
    QuizMapFrame* window = Link().Window();
    Menu(MindprismFrame::ID_MENU_MAP);
    EXPECT_EQ(Link().Window(), window);
    // The toolbar's buttons carry their names, for a screen reader too.
    wxToolBar* tools = window->GetToolBar();
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->GetToolShortHelp(wxID_ZOOM_IN), wxString(wxS("Zoom in (Ctrl++)")));

    QuizMapCanvas* canvas = window->Canvas();
    const double zoom = canvas->Zoom();
    wxCommandEvent zoomIn(wxEVT_TOOL, wxID_ZOOM_IN);
    zoomIn.SetEventObject(tools);
    window->ProcessWindowEvent(zoomIn);
    EXPECT_GT(canvas->Zoom(), zoom);
    // Zooming keeps the point under the pointer (here the middle) in place.
    const wxPoint middle(canvas->GetClientSize().x / 2, canvas->GetClientSize().y / 2);
    canvas->SetZoom(1, middle);
    const MapBox& box = Link().Map()->layout.boxes[*canvas->Marks().current];
    const wxPoint before = canvas->ClientPoint(box.centre);
    canvas->SetZoom(2, before);
    EXPECT_LE(std::abs(canvas->ClientPoint(box.centre).x - before.x), 1);
    EXPECT_LE(std::abs(canvas->ClientPoint(box.centre).y - before.y), 1);
    wxCommandEvent fit(wxEVT_TOOL, wxID_ZOOM_FIT);
    fit.SetEventObject(tools);
    window->ProcessWindowEvent(fit);
    for (size_t node = 0; node < Link().Map()->layout.boxes.size(); ++node)
        EXPECT_TRUE(canvas->InView(node)) << node;

    // Closed and opened again: where it was, at once with the last layout.
    window->SetSize(wxRect(window->FromDIP(wxPoint(40, 60)), window->FromDIP(wxSize(500, 400))));
    Settle();
    const wxRect rect = window->GetRect();
    const QuizMap* map = Link().Map();
    window->Close();
    ASSERT_TRUE(WaitFor([&] { return !Link().Window(); }));
    Menu(MindprismFrame::ID_MENU_MAP);
    ASSERT_NE(Link().Window(), nullptr);
    EXPECT_EQ(Link().Map(), map);
    EXPECT_EQ(Link().Window()->Canvas()->Map(), map);
    EXPECT_EQ(Link().Window()->GetSize(), rect.GetSize());
}

TEST_F(MapTest, ClickingAQuestionPlaysFromItOnlyWhereTheFrameAllowsIt)
{
    // A built-in quiz: the map only shows.
    Menu(MindprismFrame::ID_MENU_MAP);
    ASSERT_TRUE(WaitFor([&] { return LaidOut(); }));
    const wxString entry = m_frame->Navigator().Current()->id;
    Press("ID_BUTTON_NEXT");
    const wxString second = m_frame->Navigator().Current()->id;
    QuizMapCanvas* canvas = Link().Window()->Canvas();
    canvas->SetZoom(1, wxPoint());
    canvas->ShowNode(NodeOf(entry));
    Click(canvas, NodeOf(entry));
    EXPECT_EQ(m_frame->Navigator().Current()->id, second);

    // A quiz the user opened: a click plays from the question.
    TempDir dir;
    const wxString path = dir.Write(wxS("opened.xml"), R"(<questions>
<QUESTION><ID>1001</ID><Q>first</Q><ANSWER><A>on</A><GOTO>1002</GOTO></ANSWER></QUESTION>
<QUESTION><ID>1002</ID><Q>second</Q><ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION>
</questions>)");
    // A map's boxes tell which quiz it shows (a new map may take the place
    // in memory the old one left).
    const auto boxes = [&] { return LaidOut() ? Link().Map()->graph.nodes.size() : 0; };
    ASSERT_TRUE(m_frame->OpenQuiz(path));
    ASSERT_TRUE(WaitFor([&] { return boxes() == 3; })) << "1001, 1002 and their end";
    EXPECT_EQ(Link().Window()->GetTitle(), wxString(wxS("Quiz map - opened.xml")));
    Click(canvas, NodeOf(wxS("1002")));
    EXPECT_EQ(QuestionText(), wxS("second"));
    EXPECT_EQ(MarkedWay(), std::vector<wxString>{wxS("1002")});

    // With the editor open, a click picks the question to edit; the player
    // stays where they are.
    m_frame->ShowEditor(true);
    Click(canvas, NodeOf(wxS("1001")));
    EXPECT_EQ(m_frame->Editor().Selected(), 0);
    EXPECT_EQ(QuestionText(), wxS("second"));
    m_frame->ShowEditor(false);

    // Another file opened: its own map and title, never the last one's
    // boxes marked with the new place.
    ASSERT_TRUE(m_frame->OpenQuiz(dir.Write(wxS("other.xml"), R"(<questions>
<QUESTION><ID>1001</ID><Q>other</Q><ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION>
</questions>)")));
    EXPECT_EQ(Link().Window()->GetTitle(), wxString(wxS("Quiz map - other.xml")));
    EXPECT_EQ(Link().Window()->Canvas()->Map(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return boxes() == 2; })) << "1001 and its end";
    EXPECT_EQ(MarkedWay(), std::vector<wxString>{wxS("1001")});
}

TEST_F(MapTest, ABrokenSaveKeepsTheLastGoodMapAndTheNextGoodOneReplacesIt)
{
    TempDir dir;
    const std::string good = R"(<questions>
<QUESTION><ID>1001</ID><Q>first</Q><ANSWER><A>on</A><GOTO>1002</GOTO></ANSWER></QUESTION>
<QUESTION><ID>1002</ID><Q>second</Q><ANSWER><A>nowhere</A><GOTO>9999</GOTO></ANSWER></QUESTION>
</questions>)";
    ASSERT_TRUE(m_frame->OpenQuiz(dir.Write(wxS("draft.xml"), good)));
    Menu(MindprismFrame::ID_MENU_MAP);
    ASSERT_TRUE(WaitFor([&] { return LaidOut(); }));
    const QuizMap* map = Link().Map();
    // The checker's marks: 1002 can never end, 9999 names no question.
    ASSERT_EQ(map->graph.nodes.size(), 3u);
    EXPECT_TRUE(map->graph.nodes[1].trapped);
    EXPECT_EQ(map->graph.nodes[2].kind, MapNodeKind::Unknown);

    dir.Write(wxS("draft.xml"), "<questions><QUESTION><ID>1001</ID>");
    m_frame->ReloadOpenedQuiz();
    EXPECT_EQ(Link().Map(), map);
    EXPECT_EQ(Link().Window()->Canvas()->Map(), map);
    EXPECT_FALSE(Link().LayingOut());
    EXPECT_NE(Link().Window()->Status().Find(wxS("last good version")), wxNOT_FOUND);

    dir.Write(wxS("draft.xml"), good + "\n<!-- mended -->\n");
    m_frame->ReloadOpenedQuiz();
    ASSERT_TRUE(WaitFor([&] { return Link().Map() != map && !Link().LayingOut(); }));
    EXPECT_EQ(Link().Window()->Canvas()->Map(), Link().Map());
    EXPECT_TRUE(Link().Window()->Status().empty());
}

// A long reason for having no map is said in lines across the window:
// English broken at blanks, Chinese between characters but never before
// its closing punctuation.
TEST(MapMessage, WrapsToTheWindowAsEachLanguageWraps)
{
    const auto characters = [](const wxString& line) { return double(line.length()); };
    EXPECT_EQ(WrapMessage(wxS("The map could not be laid out: no plugin"), 16, characters),
              (std::vector<wxString>{wxS("The map could"), wxS("not be laid out:"), wxS("no plugin")}));
    EXPECT_EQ(WrapMessage(wxString::FromUTF8("无法计算地图布局：没有插件。"), 8, characters),
              (std::vector<wxString>{wxString::FromUTF8("无法计算地图布"), wxString::FromUTF8("局：没有插件。")}));
    EXPECT_EQ(WrapMessage(wxS("unbreakable-word fits"), 4, characters),
              (std::vector<wxString>{wxS("unbreakable-word"), wxS("fits")}));
}
