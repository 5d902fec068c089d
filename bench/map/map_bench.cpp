// Times the quiz map of a generated quiz: the checker's analysis and DOT
// writing, Graphviz's layout, and its SVG and PNG rendering, each on its own.
// The quiz has layers of questions, each question with four answers into
// the next layer; the last layer's answers end it with one of four results.
// Run: map_bench [--questions=1000] [--layer=20] [--keep=FOLDER]
// (--keep writes the DOT, SVG and PNG there to look at.)
#include "map_output.h"
#include "map_render.h"
#include "quiz_analysis.h"
#include "quiz_checker.h"
#include "quiz_map.h"

#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace
{

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
            const int to = next + (k % layer + a * 5) % layer;
            const std::string target = to < questions ? std::to_string(1001 + to) : "0";
            const std::string text = to < questions ? "约上朋友出门吃早午餐 " + std::to_string(a + 1)
                                                    : "你是 " + std::string(1, char('A' + a)) + " 型";
            xml += "  <ANSWER><A>" + text + "</A><GOTO>" + target + "</GOTO></ANSWER>\n";
        }
        xml += "</QUESTION>\n";
    }
    return xml + "</questions>\n";
}

double Seconds(const std::function<bool()>& step, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    const double analysis = Seconds([&] {
        const FileReport report = CheckQuizBytes(xml.data(), xml.size(), wxS("bench.xml"), &outline);
        dot = MapDot(outline);
        return report.Clean();
    }, ok);
    if (!ok)
        std::fprintf(stderr, "the generated quiz has findings\n");

    MapRenderer renderer;
    std::string svg;
    std::string png;
    const double layout = Seconds([&] { return renderer.Layout(dot); }, ok);
    const double svgTime = ok ? Seconds([&] { return renderer.Render(MapFormat::Svg, svg); }, ok) : 0;
    const double pngTime = ok ? Seconds([&] { return renderer.Render(MapFormat::Png, png); }, ok) : 0;
    if (!ok)
    {
        std::fprintf(stderr, "map_bench: %s\n", renderer.Error().c_str());
        return 1;
    }
    std::printf("quiz: %d questions in layers of %d, 4 answers each; DOT %zu bytes\n", questions,
                layer, dot.size());
    std::printf("analysis and DOT: %8.3f s\n", analysis);
    std::printf("layout (dot):     %8.3f s\n", layout);
    std::printf("render SVG:       %8.3f s  (%zu bytes)\n", svgTime, svg.size());
    std::printf("render PNG:       %8.3f s  (%zu bytes)\n", pngTime, png.size());
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
