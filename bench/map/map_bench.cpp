// Times the quiz map of a generated quiz: the checker's analysis and DOT
// writing, Graphviz's layout, and its SVG and PNG rendering, each on its own.
// The layout is timed twice, with dot's full effort and with the effort the
// map's size gets, and each layout's quality is measured: the crossings of
// its arrows and their total length.
// The quiz has layers of questions, each question with four answers into
// the next layer; the last layer's answers end it with one of four results.
// With --dense=QxA it has Q questions of A answers each to random questions
// instead (see layered_quiz.h).
// Run: map_bench [--questions=1000] [--layer=20] [--dense=60x20] [--keep=FOLDER]
//      [--nslimit=N --nslimit1=N --mclimit=N --searchsize=N --ordering=0|1] [--full=0]
//      [--render=0]
// (--keep writes the DOT, SVG and PNG there to look at; the effort options
// replace the scaled effort, for trying others; --full=0 skips the layout at
// full effort, which takes minutes for a dense quiz; --render=0 stops after
// the layouts.)
#include "layered_quiz.h"
#include "map/map_layout.h"
#include "map/map_render.h"
#include "map/quiz_map.h"
#include "map_output.h"
#include "map_quality.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"

#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <vector>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace
{

// Wall-clock and processor time of one step: the machine may be shared.
struct Timing
{
    double wall = 0;
    double cpu = 0;
};

Timing Time(const std::function<bool()>& step, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    ok = step();
    return Timing{std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                  double(std::clock() - cpuStart) / CLOCKS_PER_SEC};
}

void Print(const char* step, const Timing& timing, const std::string& note = std::string())
{
    std::printf("%-18s %8.3f s wall, %8.3f s processor%s\n", step, timing.wall, timing.cpu, note.c_str());
}



double Option(int argc, char** argv, const char* name, double fallback)
{
    const char* const text = Text(argc, argv, name);
    return text ? std::atof(text) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const int questions = int(Option(argc, argv, "--questions=", 1000));
    const int layer = int(Option(argc, argv, "--layer=", 20));
    const char* keep = Text(argc, argv, "--keep=");
    const char* dense = Text(argc, argv, "--dense=");
    const int answers = dense ? std::atoi(std::strchr(dense, 'x') ? std::strchr(dense, 'x') + 1 : "") : 4;
    const bool compare = Option(argc, argv, "--full=", 1) != 0;
    if (questions < 1 || layer < 1 || answers < 1)
        return 2;
    const std::string xml = dense ? DenseQuiz(std::atoi(dense), answers) : LayeredQuiz(questions, layer);

    bool ok = true;
    QuizOutline outline;
    MapGraph graph;
    size_t findings = 0;
    const Timing analysis = Time([&] {
        findings = CheckQuizBytes(xml.data(), xml.size(), wxS("bench.xml"), &outline).findings.size();
        graph = MakeMapGraph(outline);
        return true;
    }, ok);
    const MapWork work = WorkFor(graph);
    MapEffort effort = EffortFor(work);
    effort.nslimit = Option(argc, argv, "--nslimit=", effort.nslimit);
    effort.nslimit1 = Option(argc, argv, "--nslimit1=", effort.nslimit1);
    effort.mclimit = Option(argc, argv, "--mclimit=", effort.mclimit);
    effort.searchsize = int(Option(argc, argv, "--searchsize=", effort.searchsize));
    effort.answerOrder = Option(argc, argv, "--ordering=", effort.answerOrder) != 0;
    const std::string dot = MapDot(graph, effort);
    // Findings are expected: the first layers hold questions no path reaches.
    if (dense)
        std::printf("quiz: %d questions, %d answers each to random questions, %zu findings; %zu boxes, "
                    "%zu arrows; DOT %zu bytes\n",
                    std::atoi(dense), answers, findings, graph.nodes.size(), graph.arrows.size(), dot.size());
    else
        std::printf("quiz: %d questions in layers of %d, 4 answers each, %zu findings; DOT %zu bytes\n",
                    questions, layer, findings, dot.size());
    static const char* const FIT[] = {"fits", "too many boxes", "too many arrows"};
    std::printf("estimated work: %.0f places, placing %.3g, routing %.3g of at most %.3g and %.3g; %s; %s\n",
                work.places, work.placing, work.routing, MAP_MAX_PLACING, MAP_MAX_ROUTING,
                work.levels ? "rows by levels" : "dot's own rows", FIT[int(FitOf(work))]);
    Print("analysis and graph", analysis);

    std::string error;
    Quality full;
    for (const MapEffort& tried : {MapEffort{}, effort})
    {
        if (tried.Full() && !compare && !effort.Full())
            continue;
        MapLayout layout;
        const Timing timing = Time([&] { return LayOutMapGraph(graph, tried, layout, error); }, ok);
        if (!ok)
        {
            std::fprintf(stderr, "map_bench: %s\n", error.c_str());
            return 1;
        }
        const Quality quality = Measure(graph, layout);
        Print(tried.Full() ? "layout, full" : "layout, scaled", timing,
              ", " + std::to_string(quality.crossings) + " crossings, arrows " +
                  std::to_string(long(quality.length)) + " pt long, " + std::to_string(quality.overlaps) +
                  " labels overlapping (" + EffortText(tried) + ")");
        if (tried.Full())
            full = quality;
        else if (compare)
            std::printf("%-18s %+.1f %% crossings, %+.1f %% arrow length against full effort\n", "scaled cost",
                        full.crossings ? 100.0 * (double(quality.crossings) - double(full.crossings)) / double(full.crossings) : 0.0,
                        100.0 * (quality.length - full.length) / full.length);
        if (effort.Full())
            break;
    }

    MapRenderer renderer;
    std::string svg;
    std::string png;
    if (Option(argc, argv, "--render=", 1) == 0)
        return 0;
    const Timing layout = Time([&] { return renderer.Layout(dot); }, ok);
    if (ok)
        Print("layout for drawing", layout);
    const Timing svgTime = ok ? Time([&] { return renderer.Render(MapFormat::Svg, svg); }, ok) : Timing{};
    if (ok)
        Print("render SVG", svgTime, " (" + std::to_string(svg.size()) + " bytes)");
    const Timing pngTime = ok ? Time([&] { return renderer.Render(MapFormat::Png, png); }, ok) : Timing{};
    if (ok)
        Print("render PNG", pngTime, " (" + std::to_string(png.size()) + " bytes)");
    if (!ok)
    {
        std::fprintf(stderr, "map_bench: %s\n", renderer.Error().c_str());
        return 1;
    }
    if (!renderer.Warnings().empty())
        std::printf("Graphviz says: %s\n", renderer.Warnings().c_str());
    if (keep)
    {
        const wxString folder = wxString::FromUTF8(keep) + wxS("/map_bench.");
        for (const auto& [extension, bytes] : {std::pair<const char*, const std::string*>{"dot", &dot},
                                                {"svg", &svg}, {"png", &png}})
            if (!WriteWholeFile(folder + extension, *bytes, error))
                std::fprintf(stderr, "map_bench: %s\n", error.c_str());
    }
    return 0;
}
