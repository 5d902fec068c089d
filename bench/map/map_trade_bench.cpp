// What each way of laying out a large map costs and gives: for layered
// quizzes of several sizes (see layered_quiz.h), the layout's time, the
// crossings of its arrows and their total length, each against dot's full
// effort measured in the same run. Times are medians of repeated runs, the
// ways taking turns, since the machine may be shared; the figures of a
// layout do not change from run to run, so they are measured once.
// Run: map_trade_bench [--sizes=100,300,1000,3000] [--runs=5] [--ways=a,b]
//      [--full-runs-above=1000:1] [--attrs="name=a=1,b=2;..."]
// (--full-runs-above=N:R runs full effort only R times for maps over N
// questions, where one layout takes minutes; --attrs adds ways of your own,
// each a set of dot's graph attributes on full effort, where labels=x gives
// the arrows' labels to dot as xlabels, placed beside the arrows after the
// layout, and labels=none leaves them out.)
#include "layered_quiz.h"
#include "map/map_layout.h"
#include "map/map_render.h"
#include "map/quiz_map.h"
#include "map_quality.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"

#include <wx/init.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// A way of laying a map out: an effort for the map, and dot's graph
// attributes given on top of it.
struct Way
{
    std::string name;
    std::function<MapEffort(const MapGraph&)> effort;
    std::string attributes;  // "a=1 b=2"

    bool Full(const MapGraph& graph) const { return effort(graph).Full() && attributes.empty(); }
};

MapEffort FullEffort(const MapGraph&)
{
    return MapEffort{};
}

MapEffort SizedEffort(const MapGraph& graph)
{
    return EffortFor(graph);
}

// The effort large maps got before their arrows kept the answers' order:
// the passes cut down to one per box, the crossing reduction in proportion.
MapEffort PreviousEffort(const MapGraph& graph)
{
    const MapWork work = WorkFor(graph);
    MapEffort effort;
    effort.levels = work.levels;
    const double boxes = std::max(double(work.boxes), work.places / 9);
    if (boxes <= 300)
        return effort;
    const double scale = 300 / boxes;
    effort.nslimit = std::max(1.0, std::round(65 * scale * scale) / 10);
    effort.nslimit1 = effort.nslimit;
    effort.mclimit = std::max(0.25, std::round(100 * scale) / 100);
    return effort;
}

std::string WithAttributes(std::string dot, std::string attributes)
{
    if (attributes.empty())
        return dot;
    // The arrows' labels as xlabels, or none: what their rows cost.
    for (const char* mode : {"labels=x", "labels=none"})
        if (const size_t found = attributes.find(mode); found != std::string::npos)
        {
            attributes.erase(found, std::strlen(mode));
            const std::string from = " [label=";
            for (size_t at = dot.find(from); at != std::string::npos; at = dot.find(from, at + 1))
                if (mode[7] == 'x')
                    dot.replace(at, from.size(), " [xlabel=");
                else
                {
                    const size_t end = dot.find("];", at);
                    dot.erase(at, end + 1 - at);
                }
        }
    if (attributes.find_first_not_of(' ') == std::string::npos)
        return dot;
    const std::string head = "graph [";
    const size_t at = dot.find(head);
    return at == std::string::npos ? dot : dot.insert(at + head.size(), attributes + ", ");
}

struct Result
{
    std::vector<double> wall;
    std::vector<double> cpu;
    Quality quality;
    bool measured = false;
    std::string note;
};

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}


std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// Lays `graph` out the given way; false with `error` set on failure.
bool LayOut(const MapGraph& graph, const Way& way, MapLayout& layout, double& wall, double& cpu,
            std::string& error)
{
    const std::string dot = WithAttributes(MapDot(graph, way.effort(graph)), way.attributes);
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpuStart = std::clock();
    MapRenderer renderer;
    const bool ok = renderer.Layout(dot) && renderer.Read(graph, layout);
    wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    if (!ok)
        error = renderer.Error();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const char* const sizesText = Text(argc, argv, "--sizes=");
    const char* const runsText = Text(argc, argv, "--runs=");
    const char* const waysText = Text(argc, argv, "--ways=");
    const char* const attrsText = Text(argc, argv, "--attrs=");
    const char* const fullText = Text(argc, argv, "--full-runs-above=");
    std::vector<int> sizes;
    for (const std::string& size : Split(sizesText ? sizesText : "100,300,1000,3000", ','))
        sizes.push_back(std::atoi(size.c_str()));
    const int runs = std::max(1, runsText ? std::atoi(runsText) : 5);
    int capAbove = 1000, capRuns = 1;
    if (fullText && std::strchr(fullText, ':'))
    {
        capAbove = std::atoi(fullText);
        capRuns = std::max(1, std::atoi(std::strchr(fullText, ':') + 1));
    }

    std::vector<Way> ways{{"full", FullEffort, ""}, {"sized", SizedEffort, ""}, {"previous", PreviousEffort, ""}};
    if (attrsText)
        for (const std::string& way : Split(attrsText, ';'))
        {
            const size_t equals = way.find('=');
            std::string attributes = way.substr(equals + 1);
            std::replace(attributes.begin(), attributes.end(), ',', ' ');
            ways.push_back({way.substr(0, equals), FullEffort, attributes});
        }
    if (waysText)
    {
        const std::vector<std::string> wanted = Split(waysText, ',');
        std::vector<Way> kept;
        for (const Way& way : ways)
            if (way.name == "full" || std::find(wanted.begin(), wanted.end(), way.name) != wanted.end())
                kept.push_back(way);
        ways = kept;
    }

    std::printf("%-6s %-10s %9s %9s %7s %9s %7s %11s %7s  %s\n", "size", "way", "wall s", "cpu s", "time",
                "crossings", "ratio", "length pt", "ratio", "labels overlapping");
    for (const int size : sizes)
    {
        const std::string xml = LayeredQuiz(size, 20);
        QuizOutline outline;
        CheckQuizBytes(xml.data(), xml.size(), wxS("bench.xml"), &outline);
        const MapGraph graph = MakeMapGraph(outline);
        std::vector<Result> results(ways.size());
        for (int run = 0; run < runs; ++run)
            for (size_t w = 0; w < ways.size(); ++w)
            {
                if (ways[w].Full(graph) && size > capAbove && run >= capRuns)
                    continue;
                MapLayout layout;
                double wall = 0, cpu = 0;
                std::string error;
                if (!LayOut(graph, ways[w], layout, wall, cpu, error))
                {
                    std::fprintf(stderr, "map_trade_bench: %s: %s\n", ways[w].name.c_str(), error.c_str());
                    return 1;
                }
                results[w].wall.push_back(wall);
                results[w].cpu.push_back(cpu);
                if (!results[w].measured)
                {
                    results[w].quality = Measure(graph, layout);
                    results[w].measured = true;
                }
            }
        const Result& full = results[0];
        const double fullCpu = Median(full.cpu);
        for (size_t w = 0; w < ways.size(); ++w)
        {
            const Result& r = results[w];
            const Quality& q = r.quality;
            std::printf("%-6d %-10s %9.3f %9.3f %7.2f %9zu %7.3f %11.0f %7.3f  %zu", size, ways[w].name.c_str(),
                        Median(r.wall), Median(r.cpu), Median(r.cpu) / fullCpu, q.crossings,
                        full.quality.crossings ? double(q.crossings) / double(full.quality.crossings) : 1.0,
                        q.length, q.length / full.quality.length, q.overlaps);
            if (r.wall.size() < size_t(runs))
                std::printf("  (%zu run%s)", r.wall.size(), r.wall.size() == 1 ? "" : "s");
            std::printf("  (%s%s%s)", EffortText(ways[w].effort(graph)).c_str(),
                        ways[w].attributes.empty() ? "" : " + ", ways[w].attributes.c_str());
            std::printf("\n");
        }
        std::fflush(stdout);
    }
    return 0;
}
