// The quiz map read back: its DOT form through Graphviz's own reader, and
// the SVG and PNG the checker draws with Graphviz.
#include "checker_run.h"
#include "map/map_layout.h"
#include "map/map_render.h"
#include "map/map_text.h"
#include "map/map_worker.h"
#include "map/quiz_map.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "test_support.h"

#include <graphviz/cgraph.h>
#include <gtest/gtest.h>

#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{

// Every kind of mark: the entry, a target that names no question (twice), a
// result reached by two answers, a trap loop, an unreachable question whose
// ID needs escaping, an empty ID and a displaced duplicate.
const char MARKED_QUIZ[] = R"(<questions>
<QUESTION><ID>1001</ID><Q>周末早上醒来，你最想做的第一件事是什么？</Q>
  <ANSWER><A>约上朋友出门吃早午餐</A><GOTO>1002</GOTO></ANSWER>
  <ANSWER><A>去"别处"看看</A><GOTO>9999</GOTO></ANSWER>
  <ANSWER><A>结果甲</A><GOTO>0</GOTO></ANSWER></QUESTION>
<QUESTION><ID>1004</ID><Q>displaced</Q><ANSWER><A>gone</A><GOTO>0</GOTO></ANSWER></QUESTION>
<QUESTION><ID>1002</ID><Q>second</Q>
  <ANSWER><A>结果甲</A><GOTO>0</GOTO></ANSWER>
  <ANSWER><A>结果乙</A><GOTO>0</GOTO></ANSWER>
  <ANSWER><A>round</A><GOTO>1003</GOTO></ANSWER></QUESTION>
<QUESTION><ID>1003</ID><Q>trap</Q><ANSWER><A>on</A><GOTO>1004</GOTO></ANSWER></QUESTION>
<QUESTION><ID>1004</ID><Q>trap</Q><ANSWER><A>back</A><GOTO>1003</GOTO></ANSWER></QUESTION>
<QUESTION><ID>a"b\N</ID><Q>nobody</Q><ANSWER><A>x</A><GOTO>9999</GOTO></ANSWER></QUESTION>
<QUESTION><ID></ID><Q>no id</Q><ANSWER><A>end</A><GOTO>0</GOTO></ANSWER></QUESTION>
</questions>
)";

struct GraphCloser
{
    void operator()(Agraph_t* graph) const { agclose(graph); }
};

std::string Attribute(void* object, const char* name)
{
    const char* value = agget(object, const_cast<char*>(name));
    return value ? value : "";
}

// Nodes of a graph read back, by their label as Graphviz holds it.
class ReadBack
{
public:
    explicit ReadBack(const std::string& dot) : m_graph(agmemread(dot.c_str()))
    {
        if (!m_graph)
            return;
        for (Agnode_t* node = agfstnode(m_graph.get()); node; node = agnxtnode(m_graph.get(), node))
            m_nodes[Attribute(node, "label")] = node;
    }

    Agraph_t* Graph() const { return m_graph.get(); }
    Agnode_t* Node(const std::string& label) const
    {
        const auto found = m_nodes.find(label);
        return found == m_nodes.end() ? nullptr : found->second;
    }
    // Labels of the arrows from `from` to `to`, space-separated.
    std::string Arrows(Agnode_t* from, Agnode_t* to) const
    {
        std::string labels;
        for (Agedge_t* edge = agfstout(m_graph.get(), from); edge; edge = agnxtout(m_graph.get(), edge))
            if (aghead(edge) == to)
                labels += (labels.empty() ? "" : " ") + Attribute(edge, "label");
        return labels;
    }

private:
    std::unique_ptr<Agraph_t, GraphCloser> m_graph;
    std::map<std::string, Agnode_t*> m_nodes;
};

std::string MarkedDot()
{
    QuizOutline outline;
    CheckQuizBytes(MARKED_QUIZ, sizeof MARKED_QUIZ - 1, wxS("marked.xml"), &outline);
    return MapDot(outline);
}

// Texts and font families of an SVG's text elements.
void CollectTexts(const wxXmlNode* node, std::vector<std::string>& texts, std::vector<std::string>& fonts)
{
    for (; node; node = node->GetNext())
    {
        if (node->GetType() == wxXML_ELEMENT_NODE && node->GetName() == wxS("text"))
        {
            texts.push_back(std::string(node->GetNodeContent().utf8_str()));
            fonts.push_back(std::string(node->GetAttribute(wxS("font-family")).utf8_str()));
        }
        CollectTexts(node->GetChildren(), texts, fonts);
    }
}

size_t Count(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

TEST(MapDot, HasTheBoxesArrowsAndMarksOfEveryProblemKind)
{
    const std::string dot = MarkedDot();
    const ReadBack map(dot);
    ASSERT_TRUE(map.Graph()) << dot;
    // Six questions (the displaced 1004 is not one), three results, one unknown target.
    EXPECT_EQ(agnnodes(map.Graph()), 10) << dot;
    EXPECT_EQ(agnedges(map.Graph()), 10);

    Agnode_t* entry = map.Node("1001\\n周末早上醒来，你最想做的第一件事…");
    Agnode_t* second = map.Node("1002\\nsecond");
    Agnode_t* trap = map.Node("1003\\ntrap");
    Agnode_t* trapToo = map.Node("1004\\ntrap");
    Agnode_t* unknown = map.Node("\"9999\"");
    Agnode_t* nobody = map.Node("a\"b\\\\N\\nnobody");
    Agnode_t* noId = map.Node("\"\"\\nno id");
    // Results show the share of players who end there: 1/2 + 1/6, 1/6, none.
    Agnode_t* resultA = map.Node("结果甲\\n66.7 %");
    ASSERT_TRUE(entry && second && trap && trapToo && unknown && nobody && noId && resultA) << dot;

    EXPECT_EQ(Attribute(entry, "peripheries"), "2");
    EXPECT_EQ(Attribute(second, "peripheries"), "");
    EXPECT_EQ(Attribute(unknown, "style"), "dashed");
    EXPECT_EQ(Attribute(unknown, "color"), "red");
    EXPECT_EQ(Attribute(trap, "color"), "red");
    EXPECT_EQ(Attribute(trapToo, "color"), "red");
    EXPECT_EQ(Attribute(second, "color"), "");
    EXPECT_EQ(Attribute(nobody, "style"), "filled");
    EXPECT_EQ(Attribute(nobody, "fillcolor"), "grey85");
    EXPECT_EQ(Attribute(entry, "style"), "");

    EXPECT_EQ(map.Arrows(entry, second), "约上朋友出门吃早午餐");
    EXPECT_EQ(map.Arrows(entry, unknown), "去\"别处\"看看");
    EXPECT_EQ(map.Arrows(nobody, unknown), "x");
    EXPECT_EQ(map.Arrows(entry, resultA), "结果甲");
    EXPECT_EQ(map.Arrows(second, resultA), "结果甲");
    EXPECT_TRUE(map.Node("结果乙\\n16.7 %"));
    EXPECT_EQ(map.Arrows(noId, map.Node("end\\n0.0 %")), "end");
}

TEST(MapPicture, ShowsEveryBoxAndArrowWithTheTextsAsWrittenInAChineseFont)
{
    if (!MapRenderer::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    MapRenderer renderer;
    std::string svg;
    ASSERT_TRUE(renderer.Layout(MarkedDot()) && renderer.Render(MapFormat::Svg, svg)) << renderer.Error();

    wxStringInputStream stream(wxString::FromUTF8(svg.data(), svg.size()));
    wxXmlDocument document;
    ASSERT_TRUE(document.Load(stream));
    EXPECT_EQ(Count(svg, "<g id=\"node"), 10u);
    EXPECT_EQ(Count(svg, "<g id=\"edge"), 10u);
    std::vector<std::string> texts, fonts;
    CollectTexts(document.GetRoot(), texts, fonts);
    // Label escapes come out as the characters the author wrote.
    for (const char* text : {"1001", "周末早上醒来，你最想做的第一件事…", "a\"b\\N", "\"9999\"",
                             "去\"别处\"看看", "\"\"", "66.7 %"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    ASSERT_FALSE(fonts.empty());
    for (const std::string& font : fonts)
        EXPECT_EQ(font, MAP_FONT);

    // The same layout as a PNG of a plausible size (width and height lead
    // its header), where the build has cairo to draw one.
    std::string png;
    if (!MapRenderer::Draws(MapFormat::Png))
    {
        EXPECT_FALSE(renderer.Render(MapFormat::Png, png));
        EXPECT_NE(renderer.Error().find("(cairo)"), std::string::npos) << renderer.Error();
        return;
    }
    ASSERT_TRUE(renderer.Render(MapFormat::Png, png)) << renderer.Error();
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    const auto Big = [&](size_t at) {
        return (unsigned(uint8_t(png[at])) << 24) | (unsigned(uint8_t(png[at + 1])) << 16) |
               (unsigned(uint8_t(png[at + 2])) << 8) | unsigned(uint8_t(png[at + 3]));
    };
    EXPECT_GT(Big(16), 200u);
    EXPECT_GT(Big(20), 200u);
}

TEST(MapProgram, DrawsAnSvgWhoseBoxesFitTheirChineseLabelsExactly)
{
    TempDir dir;
    const wxString quiz = dir.Write(wxS("quiz.xml"), MARKED_QUIZ);
    const wxString map = dir.File(wxS("map.svg"));
    const Outcome run = RunChecker("--map " + ShellQuoted(map) + " " + ShellQuoted(quiz));
    EXPECT_EQ(run.status, 2) << run.out;  // drawn despite its errors
    wxXmlDocument svg;
    ASSERT_TRUE(svg.Load(map)) << run.out;

    // Each question's box (its inner border, for the entry's two) is as
    // wide as its widest line in the map font plus the margins: never
    // less, and no more than Graphviz's rounding to whole points adds,
    // unless the line is shorter than a box's least width.
    const double margins = 2 * 0.12 * 72;
    const double leastWidth = 0.75 * 72;
    size_t checked = 0;
    std::vector<const wxXmlNode*> groups{svg.GetRoot()};
    for (size_t at = 0; at < groups.size(); ++at)
        for (const wxXmlNode* child = groups[at]->GetChildren(); child; child = child->GetNext())
            if (child->GetName() == wxS("g"))
                groups.push_back(child);
    for (const wxXmlNode* group : groups)
    {
        if (group->GetAttribute(wxS("class")) != wxS("node"))
            continue;
        double width = 1e9, line = 0;
        for (const wxXmlNode* child = group->GetChildren(); child; child = child->GetNext())
            if (child->GetName() == wxS("polygon"))
            {
                double least = 1e9, most = -1e9, x = 0, y = 0;
                for (const wxString& point : wxSplit(child->GetAttribute(wxS("points")), ' '))
                    if (point.BeforeFirst(',').ToCDouble(&x) && point.AfterFirst(',').ToCDouble(&y))
                    {
                        least = std::min(least, x);
                        most = std::max(most, x);
                    }
                width = std::min(width, most - least);
            }
            else if (child->GetName() == wxS("text"))
                line = std::max(line, MapTextMetrics::MapFont().Width(
                                          std::string(child->GetNodeContent().utf8_str()), MAP_BOX_FONT_SIZE));
        if (width == 1e9)
            continue;  // a result's rounded box
        ++checked;
        EXPECT_GE(width, line + margins) << checked;
        if (line + margins > leastWidth)
        {
            EXPECT_LE(width, line + margins + 3) << checked;
        }
    }
    EXPECT_EQ(checked, 7u);  // six questions and an unknown target
}

TEST(MapPicture, ARendererRefusesWhatItCannotRead)
{
    if (!MapRenderer::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    MapRenderer renderer;
    std::string image;
    EXPECT_FALSE(renderer.Render(MapFormat::Svg, image));
    EXPECT_FALSE(renderer.Layout("digraph { a -> "));
    EXPECT_NE(renderer.Error().find("could not read the map: Error: syntax error"), std::string::npos)
        << renderer.Error();
    // A second layout with the same renderer still hears what Graphviz says.
    EXPECT_FALSE(renderer.Layout("digraph { a -> "));
    EXPECT_NE(renderer.Error().find("syntax error"), std::string::npos) << renderer.Error();
}

TEST(MapLayout, EveryArrowRunsFromItsBoxToTheNextWithItsLabel)
{
    if (!MapRenderer::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    QuizOutline outline;
    CheckQuizBytes(MARKED_QUIZ, sizeof MARKED_QUIZ - 1, wxS("marked.xml"), &outline);
    QuizMap map;
    std::string error;
    ASSERT_TRUE(LayOutQuizMap(outline, map, error)) << error;
    ASSERT_EQ(map.layout.boxes.size(), map.graph.nodes.size());
    ASSERT_EQ(map.layout.lines.size(), map.graph.arrows.size());
    EXPECT_TRUE(map.effort.Full());
    // The entry heads the map (y grows downwards).
    EXPECT_TRUE(map.graph.nodes[0].entry);
    for (const MapBox& box : map.layout.boxes)
    {
        EXPECT_GT(box.width, 20);
        EXPECT_LE(box.centre.y, map.layout.height);
        EXPECT_GE(box.centre.y, map.layout.boxes[0].centre.y);
    }
    // Near a box: within a few points of its outline or inside it.
    const auto Near = [](const MapBox& box, MapPoint point) {
        return std::abs(point.x - box.centre.x) <= box.width / 2 + 3 &&
               std::abs(point.y - box.centre.y) <= box.height / 2 + 3;
    };
    for (size_t i = 0; i < map.graph.arrows.size(); ++i)
    {
        const MapArrow& arrow = map.graph.arrows[i];
        const MapLine& line = map.layout.lines[i];
        ASSERT_GE(line.curve.size(), 4u);
        EXPECT_EQ(line.curve.size() % 3, 1u);
        EXPECT_TRUE(Near(map.layout.boxes[arrow.from], line.curve.front())) << i;
        ASSERT_TRUE(line.head);
        EXPECT_TRUE(Near(map.layout.boxes[arrow.to], *line.head)) << i;
        EXPECT_EQ(bool(line.label), !arrow.label.empty()) << i;
    }
}

TEST(MapEffort, FullForMapsUpToTheirSizeThenLessButNeverBelowTwoPassesWithinTheBudgetWithArrowsInAnswerOrder)
{
    MapGraph graph;
    graph.nodes.resize(FULL_EFFORT_BOXES);
    EXPECT_TRUE(EffortFor(graph).Full());
    const std::string full = MapDot(graph, EffortFor(graph));
    EXPECT_EQ(full.find("nslimit"), std::string::npos);
    EXPECT_EQ(full.find("ordering"), std::string::npos);
    graph.nodes.resize(FULL_EFFORT_BOXES * 3 / 2);
    const MapEffort larger = EffortFor(graph);
    graph.nodes.resize(5 * FULL_EFFORT_BOXES);
    const MapEffort large = EffortFor(graph);
    EXPECT_GT(larger.nslimit, large.nslimit);
    EXPECT_EQ(large.nslimit, MAP_MIN_PASSES);
    EXPECT_TRUE(larger.answerOrder && large.answerOrder);
    EXPECT_NE(MapDot(graph, large).find("nslimit=2, nslimit1=2, ordering=out"), std::string::npos);
    // At the placing budget, one pass: the largest map accepted takes no longer than before.
    MapWork atBudget;
    atBudget.boxes = 1600;
    atBudget.places = MAP_MAX_PLACING / 1600;
    atBudget.placing = MAP_MAX_PLACING;
    EXPECT_EQ(EffortFor(atBudget).nslimit, 1);
}

namespace
{

MapGraph Questions(size_t count)
{
    MapGraph graph;
    graph.nodes.resize(count);
    graph.nodes[0].entry = true;
    for (size_t node = 0; node < count; ++node)
        graph.nodes[node].number = node;
    return graph;
}

void Link(MapGraph& graph, size_t from, size_t to)
{
    graph.arrows.push_back(MapArrow{from, to, graph.arrows.size(), "答案"});
}

} // namespace

TEST(MapEffort, DenseMapsAreLaidOutByLevelsAndMapsOverTheArrowBudgetRefused)
{
    // Forty questions, each with twelve answers to questions far apart:
    // dot's own rows would draw each arrow across dozens of rows.
    MapGraph dense = Questions(40);
    for (size_t node = 0; node < 40; ++node)
        for (size_t answer = 0; answer < 12; ++answer)
            Link(dense, node, (node * 7 + answer * 13 + 1) % 40);
    const MapWork work = WorkFor(dense);
    EXPECT_EQ(FitOf(work), MapFit::Fits);
    EXPECT_TRUE(work.levels);
    EXPECT_TRUE(EffortFor(work).levels);
    if (MapRenderer::Available())
    {
        MapLayout layout;
        std::string error;
        ASSERT_TRUE(LayOutMapGraph(dense, EffortFor(work), layout, error)) << error;
        for (const MapLine& line : layout.lines)
        {
            EXPECT_GE(line.curve.size(), 4u);
            EXPECT_TRUE(line.label);  // placed beside the arrow
        }
    }

    // A long chain whose every question also leads back to the first: few
    // arrows, but thousands of rows to cross by either way of ranking.
    MapGraph loops = Questions(400);
    for (size_t node = 0; node + 1 < 400; ++node)
    {
        Link(loops, node, node + 1);
        Link(loops, node, 0);
    }
    EXPECT_EQ(FitOf(WorkFor(loops)), MapFit::TooManyArrows);

    // A sparse map keeps dot's own rows; one over the box limit is refused as such.
    MapGraph chain = Questions(MAP_MAX_BOXES + 1);
    for (size_t node = 0; node + 1 < chain.nodes.size(); ++node)
        Link(chain, node, node + 1);
    EXPECT_FALSE(WorkFor(chain).levels);
    EXPECT_EQ(FitOf(WorkFor(chain)), MapFit::TooManyBoxes);
    chain.nodes.resize(1000);
    chain.arrows.resize(999);
    EXPECT_EQ(FitOf(WorkFor(chain)), MapFit::Fits);
}

namespace
{

// A map of `count` questions in layers of ten, each with two arrows into
// the next layer: enough to keep dot busy for a while when large.
MapGraph LayeredGraph(size_t count)
{
    MapGraph graph;
    for (size_t node = 0; node < count; ++node)
    {
        MapNode question;
        question.number = node;
        question.id = wxString::Format(wxS("%zu"), 1001 + node);
        question.lines = {std::string(question.id.utf8_str()), "周末早上醒来，你最想做的"};
        graph.nodes.push_back(question);
        const size_t next = (node / 10 + 1) * 10;
        for (size_t answer = 0; answer < 2 && next + answer * 3 < count; ++answer)
            graph.arrows.push_back(MapArrow{node, next + (node + answer * 3) % 10, answer, "答案"});
    }
    return graph;
}

} // namespace

TEST(MapWorker, DeliversTheNewestRequestOnlyAndLetsGoWhileBusy)
{
    if (!MapRenderer::Available())
        GTEST_SKIP() << "this build has no Graphviz";
    std::mutex lock;
    std::condition_variable arrived;
    std::vector<std::unique_ptr<MapLayoutWorker::Result>> results;
    const auto Collect = [&](std::unique_ptr<MapLayoutWorker::Result> result) {
        const std::lock_guard<std::mutex> hold(lock);
        results.push_back(std::move(result));
        arrived.notify_all();
    };
    auto worker = std::make_unique<MapLayoutWorker>(Collect);
    const auto WaitForResult = [&] {
        std::unique_lock<std::mutex> hold(lock);
        return arrived.wait_for(hold, std::chrono::seconds(60), [&] { return !results.empty(); });
    };

    // Superseded while under way (Graphviz held here meanwhile): laid
    // out, but not delivered.
    std::unique_lock<std::mutex> graphviz = MapRenderer::Hold();
    const unsigned long large = worker->Request(LayeredGraph(200));
    while (worker->Running() != large)
        std::this_thread::yield();
    const unsigned long small = worker->Request(LayeredGraph(3));
    graphviz.unlock();
    ASSERT_TRUE(WaitForResult());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]->generation, small);
    ASSERT_TRUE(results[0]->laidOut) << results[0]->error;
    EXPECT_EQ(results[0]->map.layout.boxes.size(), 3u);
    // Superseded before it began: dropped, the newest one delivered.
    results.clear();
    graphviz.lock();
    const unsigned long busy = worker->Request(LayeredGraph(200));
    while (worker->Running() != busy)
        std::this_thread::yield();
    worker->Request(LayeredGraph(20));
    const unsigned long newest = worker->Request(LayeredGraph(5));
    graphviz.unlock();
    ASSERT_TRUE(WaitForResult());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]->generation, newest);
    EXPECT_EQ(results[0]->map.layout.boxes.size(), 5u);

    // Gone while laying out: its destruction does not wait, nothing more
    // is delivered, and the next layout (in another worker) still gets
    // Graphviz.
    results.clear();
    graphviz.lock();
    const unsigned long last = worker->Request(LayeredGraph(200));
    while (worker->Running() != last)
        std::this_thread::yield();
    worker.reset();
    graphviz.unlock();
    MapLayoutWorker next(Collect);
    const unsigned long after = next.Request(LayeredGraph(4));
    ASSERT_TRUE(WaitForResult());
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]->generation, after);
    EXPECT_TRUE(results[0]->laidOut);
}
