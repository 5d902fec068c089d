// The quiz map without Graphviz: label texts, and the checker's --map run as
// authors run it (usage, what is drawn when, and safe writing).
#include "checker_run.h"
#include "map_output.h"
#include "map/quiz_map.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz_xml.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <wx/dir.h>

#include <string>

namespace
{

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Every name in the folder, sorted, for spotting files left behind.
std::string Listing(const wxString& folder)
{
    wxDir dir(folder);
    wxArrayString names;
    wxString name;
    for (bool more = dir.GetFirst(&name, wxEmptyString, wxDIR_FILES | wxDIR_DIRS | wxDIR_HIDDEN); more;
         more = dir.GetNext(&name))
        names.push_back(name);
    names.Sort();
    std::string listing;
    for (const wxString& each : names)
        listing += std::string(each.utf8_str()) + " ";
    return listing;
}

const char BROKEN_QUIZ[] =
    "<questions><QUESTION><ID>1001</ID><Q>q</Q><ANSWER><A>a</A><GOTO>9999</GOTO></ANSWER>"
    "<ANSWER><A>b</A><GOTO>0</GOTO></ANSWER></QUESTION></questions>";

} // namespace

TEST(MapLabels, CutAtTheirLengthInCharactersWithBlanksCollapsed)
{
    EXPECT_EQ(LabelText(wxString::FromUTF8("周末早上醒来，你最想做的第一件事是什么？"), MAP_QUESTION_CHARS),
              "周末早上醒来，你最想做的第一件事…");
    EXPECT_EQ(LabelText(wxString::FromUTF8("周末早上醒来，你最想做的第一件事"), MAP_QUESTION_CHARS),
              "周末早上醒来，你最想做的第一件事");  // exactly 16: nothing cut
    EXPECT_EQ(LabelText(wxS("\n    line\tone\r\n  two  \n"), 40), "line one two");
    EXPECT_EQ(LabelText(wxS("ab   cd"), 3), "ab…");  // no blank before the ellipsis
    EXPECT_EQ(LabelText(wxString::FromUTF8("\xF0\x9F\x98\x80\xF0\x9F\x98\x80x"), 2),
              "\xF0\x9F\x98\x80\xF0\x9F\x98\x80…");  // characters outside the BMP count once
    EXPECT_EQ(LabelText(wxS("  \t "), 5), "");
}

TEST(MapLabels, ResultNamesWrapBetweenWordsAndAreNeverCut)
{
    const auto Wrapped = [](const char* text) {
        std::string joined;
        for (const std::string& line : WrapLabel(wxString::FromUTF8(text), MAP_RESULT_LINE_CHARS))
            joined += (joined.empty() ? "" : "|") + line;
        return joined;
    };
    EXPECT_EQ(Wrapped("The Saint: honesty first"), "The Saint:|honesty first");
    EXPECT_EQ(Wrapped("  The\n Rock  "), "The Rock");
    EXPECT_EQ(Wrapped("A well-balanced free-thinker"), "A well-balanced|free-thinker");
    EXPECT_EQ(Wrapped("An undercover-agent-in-training"), "An undercover-|agent-in-|training");
    // A word longer than a line has one of its own: the box grows.
    EXPECT_EQ(Wrapped("Antidisestablishmentarian at heart"), "Antidisestablishmentarian|at heart");
    // Chinese breaks between characters, but not before a comma or a colon.
    EXPECT_EQ(Wrapped("你的内在星座：白羊座，热情而勇敢的开拓者"), "你的内在星座：白羊座，热情而勇敢|的开拓者");
    EXPECT_EQ(Wrapped("一二三四五六七八九十一二三四五六，七"), "一二三四五六七八九十一二三四五|六，七");
    EXPECT_EQ(Wrapped("A 型：梅花鹿"), "A 型：梅花鹿");
}

TEST(MapGraph, OneBoxPerResultWithItsShareWhereItsEndingAnswersLead)
{
    // Four endings name two results: two boxes at 50 %, as the balance says.
    const std::string xml = QuizXml(
        QuestionXml("1001", "q", {{"a", "1002"}, {"b", "1003"}}) +
        QuestionXml("1002", "q", {{"Kind → The Saint", "0"}, {"Brave → Type B", "0"}}) +
        QuestionXml("1003", "q", {{"Calm →  The Saint ", "0"}, {"Bold → Type B", "0"}}));
    QuizOutline outline;
    CheckQuizBytes(xml.data(), xml.size(), wxS("q.xml"), &outline);
    const MapGraph graph = MakeMapGraph(outline);
    std::vector<std::string> results;
    for (const MapNode& node : graph.nodes)
        if (node.kind == MapNodeKind::Result)
            results.push_back(node.lines.front() + "|" + node.lines.back());
    EXPECT_EQ(results, (std::vector<std::string>{"The Saint|50.0 %", "Type B|50.0 %"}));

    // A described result no ending names has a grey box of its own, by its name.
    const std::string described = xml.substr(0, xml.rfind("</questions>")) +
        "<RESULT><NAME>The Saint</NAME><TEXT>t</TEXT></RESULT>"
        "<RESULT><NAME>The Hermit</NAME><TEXT>t</TEXT></RESULT></questions>";
    QuizOutline withResults;
    CheckQuizBytes(described.data(), described.size(), wxS("q.xml"), &withResults);
    const MapGraph describedGraph = MakeMapGraph(withResults);
    const MapNode& hermit = describedGraph.nodes.back();
    EXPECT_EQ(hermit.kind, MapNodeKind::Result);
    EXPECT_EQ(hermit.lines, (std::vector<std::string>{"The Hermit", "0.0 %"}));
    EXPECT_TRUE(hermit.unreachable);
    EXPECT_TRUE(Contains(MapDot(describedGraph, MapEffort()), "label=\"The Hermit\\n0.0 %\", style=\"rounded,filled\", "
                                                  "fillcolor=grey85"));
    for (const MapArrow& arrow : graph.arrows)
    {
        const MapNode& to = graph.nodes[arrow.to];
        if (to.kind != MapNodeKind::Result)
            continue;
        const QuizOutline::Arrow& answer = outline.boxes[graph.nodes[arrow.from].number].arrows[arrow.answer];
        EXPECT_EQ(wxString::FromUTF8(to.lines.front()), ResultOf(answer.text)) << arrow.label;
    }
}

TEST(MapFormats, FollowTheExtensionInAnyCase)
{
    EXPECT_EQ(MapFormatOf("map.dot"), MapFormat::Dot);
    EXPECT_EQ(MapFormatOf("dir.svg/MAP.SVG"), MapFormat::Svg);
    EXPECT_EQ(MapFormatOf("x.Png"), MapFormat::Png);
    EXPECT_FALSE(MapFormatOf("map.jpg"));
    EXPECT_FALSE(MapFormatOf("dir.png/map"));
    EXPECT_FALSE(MapFormatOf("png"));
}

TEST(MapProgram, UsageErrors)
{
    for (const char* arguments : {"--map map.txt quiz.xml", "--map map.dot a.xml b.xml", "--map",
                                  "--map map.dot"})
    {
        const Outcome run = RunChecker(arguments);
        EXPECT_EQ(run.status, 2) << arguments << "\n" << run.out;
        EXPECT_TRUE(Contains(run.out, "Try 'mindprism-check --help'")) << arguments << "\n" << run.out;
    }
    EXPECT_TRUE(Contains(RunChecker("--map map.jpg q.xml").out, "must end in .dot, .svg or .png"));
    EXPECT_TRUE(Contains(RunChecker("--help").out, "--map OUT"));
}

TEST(MapProgram, DrawsQuizzesWithErrorsButNothingForUnreadableOnes)
{
    TempDir dir;
    const wxString broken = dir.Write(wxS("broken.xml"), BROKEN_QUIZ);
    const wxString map = dir.File(wxS("map.DOT"));
    const Outcome drawn = RunChecker("--map " + ShellQuoted(map) + " " + ShellQuoted(broken));
    EXPECT_EQ(drawn.status, 2) << drawn.out;
    EXPECT_TRUE(Contains(drawn.out, "error: question \"1001\": GOTO \"9999\" names no question")) << drawn.out;
    EXPECT_EQ(ReadBytes(map).rfind("digraph quiz {", 0), 0u);

    // A file that is not a quiz leaves the earlier map as it was.
    const std::string earlier = ReadBytes(map);
    for (const char* notQuiz : {"<questions>", "<quiz/>"})
    {
        const wxString path = dir.Write(wxS("not-quiz.xml"), notQuiz);
        const Outcome refused = RunChecker("--json --map " + ShellQuoted(map) + " " + ShellQuoted(path));
        EXPECT_EQ(refused.status, 2) << refused.out;
        EXPECT_TRUE(Contains(refused.out, "no map drawn: ")) << refused.out;
        EXPECT_TRUE(Contains(refused.out, "\"status\": 2")) << refused.out;
        EXPECT_EQ(ReadBytes(map), earlier);
    }
    EXPECT_EQ(Listing(dir.Path()), "broken.xml map.DOT not-quiz.xml ");
}

TEST(MapProgram, AMapThatCannotBeWrittenIsAnErrorAndLeavesNothingBehind)
{
    TempDir dir;
    const wxString quiz = dir.Write(wxS("quiz.xml"), BROKEN_QUIZ);
    wxMkdir(dir.File(wxS("folder.dot")));
    for (const wxString& out : {dir.File(wxS("missing/map.dot")), dir.File(wxS("folder.dot"))})
    {
        const Outcome run = RunChecker("--map " + ShellQuoted(out) + " " + ShellQuoted(quiz));
        EXPECT_EQ(run.status, 2) << run.out;
        EXPECT_TRUE(Contains(run.out, "cannot write the map '" + std::string(out.utf8_str()) + "'"))
            << run.out;
    }
    EXPECT_TRUE(wxDirExists(dir.File(wxS("folder.dot"))));
    EXPECT_EQ(Listing(dir.Path()), "folder.dot quiz.xml ");
}

TEST(MapProgram, PicturesNeedGraphvizButTheDotFormNever)
{
    if (MapRenderer::Available())
        GTEST_SKIP() << "this build draws with Graphviz";
    TempDir dir;
    const wxString quiz = dir.Write(wxS("quiz.xml"), BROKEN_QUIZ);
    const Outcome svg = RunChecker("--map " + ShellQuoted(dir.File(wxS("map.svg"))) + " " + ShellQuoted(quiz));
    EXPECT_EQ(svg.status, 2);
    EXPECT_TRUE(Contains(svg.out, "built without Graphviz")) << svg.out;
    EXPECT_EQ(Listing(dir.Path()), "quiz.xml ");
}

TEST(MapMarks, TheWayBackAsBoxesAndArrowsStoppingWhereItLeavesTheMapOrMeetsItself)
{
    // 1001 -> 1002 -> 1003 -> 1002 (a loop), 1001 -> 1003 too.
    MapGraph graph;
    for (const char* id : {"1001", "1002", "1003"})
    {
        MapNode node;
        node.number = graph.nodes.size();
        node.id = id;
        graph.nodes.push_back(node);
    }
    graph.arrows = {{0, 1, 0, "a"}, {0, 2, 1, "b"}, {1, 2, 0, "c"}, {2, 1, 0, "d"}};
    const auto Way = [&](const char* current, std::vector<wxString> wayBack) {
        const MapMarks marks = MarkPlace(graph, current, wayBack);
        std::string text = marks.current ? std::to_string(*marks.current) : "-";
        for (size_t node : marks.wayNodes)
            text += " " + std::to_string(node);
        text += " |";
        for (size_t arrow : marks.wayArrows)
            text += " " + std::to_string(arrow);
        return text;
    };
    EXPECT_EQ(Way("1003", {"1002", "1001"}), "2 1 0 | 0 2");
    // After an end Prev first shows the question itself: walked once.
    EXPECT_EQ(Way("1003", {"1003", "1001"}), "2 0 | 1");
    // Around the loop: it closes where the way meets itself.
    EXPECT_EQ(Way("1002", {"1003", "1002", "1003"}), "1 2 | 2 3");
    // A question gone from the map ends the way; an unknown current marks nothing.
    EXPECT_EQ(Way("1002", {"9999", "1001"}), "1 |");
    EXPECT_EQ(Way("9999", {"1001"}), "- |");
}
