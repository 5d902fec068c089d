// Times the quiz map of a generated quiz: the checker's analysis and DOT
// writing, Graphviz's layout, and its SVG and PNG rendering, each on its own.
// The quiz has layers of questions, each question with four answers into
// the next layer; the last layer's answers end it with one of four results.
// Run: map_bench [--questions=1000] [--layer=20] [--keep=FOLDER]
// (--keep writes the DOT, SVG and PNG there to look at.)
#include "map_output.h"
#include "map_render.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_checker.h"
#include "quiz_map.h"

#include <wx/init.h>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace
{

const int OFFSETS[] = {0, 1, 7, 13};

std::string MakeQuiz(int questions, int layer)
{
    std::string xml = "<questions>\n";
    for (int k = 0; k < questions; ++k)
    {
        const int next = (k / layer + 1) * layer;  // first question of the next layer
        xml += "<QUESTION><ID>" + std::to_string(1001 + k) + "</ID><Q>第 " + std::to_string(k + 1) +
               " 题：周末早上醒来，你最想做的第一件事是什么？</Q>\n";
        for (int a = 0; a < 4; ++a)
        {
            // Offsets 0, 1, 7 and 13 spread each layer's ways over the whole
            // next one; only the first layer has questions nobody reaches.
            const int to = next + (k % layer + OFFSETS[a]) % layer;
            const std::string target = to < questions ? std::to_string(1001 + to) : "0";
            const std::string text = to < questions ? "约上朋友出门吃早午餐 " + std::to_string(a + 1)
                                                    : "你是 " + std::string(1, char('A' + a)) + " 型";
            xml += "  <ANSWER><A>" + text + "</A><GOTO>" + target + "</GOTO></ANSWER>\n";
        }
        xml += "</QUESTION>\n";
    }
    return xml + "</questions>\n";
}

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

int Option(int argc, char** argv, const char* name, int fallback)
{
    const size_t length = std::strlen(name);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, length) == 0)
            return std::atoi(argv[i] + length);
    return fallback;
}

const char* Keep(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--keep=", 7) == 0)
            return argv[i] + 7;
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    const int questions = Option(argc, argv, "--questions=", 1000);
    const int layer = Option(argc, argv, "--layer=", 20);
    const char* keep = Keep(argc, argv);
    if (questions < 1 || layer < 1)
        return 2;
    const std::string xml = MakeQuiz(questions, layer);

    bool ok = true;
    QuizOutline outline;
    std::string dot;
    size_t findings = 0;
    const Timing analysis = Time([&] {
        findings = CheckQuizBytes(xml.data(), xml.size(), wxS("bench.xml"), &outline).findings.size();
        dot = MapDot(outline);
        return true;
    }, ok);
    // Findings are expected: the first layers hold questions no path reaches.
    std::printf("quiz: %d questions in layers of %d, 4 answers each, %zu findings; DOT %zu bytes\n",
                questions, layer, findings, dot.size());
    Print("analysis and DOT", analysis);

    MapRenderer renderer;
    std::string svg;
    std::string png;
    const Timing layout = Time([&] { return renderer.Layout(dot); }, ok);
    if (ok)
        Print("layout (dot)", layout);
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
        std::string error;
        const wxString folder = wxString::FromUTF8(keep) + wxS("/map_bench.");
        for (const auto& [extension, bytes] : {std::pair<const char*, const std::string*>{"dot", &dot},
                                                {"svg", &svg}, {"png", &png}})
            if (!WriteWholeFile(folder + extension, *bytes, error))
                std::fprintf(stderr, "map_bench: %s\n", error.c_str());
    }
    return 0;
}
