// Writing a large quiz to a file with wxXmlDocumentEx, the toolkit's own
// wxXmlDocument::Save and pugixml, in one run, with a summary of the ratios.
//
// The toolkit's writer is slow (about 20 s for 100,000 questions), so the
// default quiz has 10,000 questions. The full measurement, ours against
// pugixml in seven repetitions that alternate in random order:
//   xml_save_bench --questions=100000 --benchmark_filter='ours|pugixml'
//       --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true
// (one command line).
// Google Benchmark's own flags work as usual; the summary gives the median
// of the repetitions.
#include "widgets/xml_document_ex.h"

#include <wx/filename.h>
#include <wx/wfstream.h>
#include <wx/init.h>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace
{

int g_questions = 10000;
// Seconds per save, by writer, one entry per repetition, for the summary.
std::map<std::string, std::vector<double>> g_seconds;

// One question of the generated quiz, as UTF-8.
struct QuestionText
{
    std::string id;
    std::string question;
    std::string answers[4];
    std::string targets[4];
};

QuestionText MakeQuestion(int index)
{
    static const char* const QUESTIONS[] = {
        "周末早上醒来，你最想做的第一件事是什么？",
        "Do you prefer \"tea\" or coffee & cake in the afternoon?",
        "朋友说 <随便> 的时候，你会怎么选？",
        "How often do you plan a trip more than a month ahead?",
    };
    static const char* const ANSWERS[] = {
        "约上朋友出门吃早午餐", "Stay in & read a book", "看情况 <再说>",
        "Always, without fail", "泡一杯茶，安静地翻几页书", "It's \"complicated\"",
        "Pick the first thing on the menu", "先把这周没做完的事收个尾",
    };
    QuestionText q;
    q.id = std::to_string(1000 + index);
    q.question = QUESTIONS[index % 4] + std::string(" #") + q.id;
    for (int a = 0; a < 4; ++a)
    {
        q.answers[a] = ANSWERS[(index + a * 3) % 8];
        q.targets[a] = std::to_string(1000 + (index * 7 + a + 1) % g_questions);
    }
    return q;
}

wxXmlNode* LeafElement(wxXmlNode* parent, const char* name, const std::string& text)
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, name);
    element->AddChild(new wxXmlNode(wxXML_TEXT_NODE, wxString(), wxString::FromUTF8(text)));
    parent->AddChild(element);
    return element;
}

// The quiz as a toolkit tree, shared by our writer and the toolkit's.
const wxXmlDocumentEx& WxQuiz()
{
    static wxXmlDocumentEx* document = [] {
        auto* doc = new wxXmlDocumentEx;
        auto* root = new wxXmlNode(wxXML_ELEMENT_NODE, "questions");
        doc->SetRoot(root);
        // AddChild walks the whole child list: appending after the last
        // question keeps building linear.
        wxXmlNode* last = nullptr;
        for (int i = 0; i < g_questions; ++i)
        {
            const QuestionText q = MakeQuestion(i);
            auto* question = new wxXmlNode(wxXML_ELEMENT_NODE, "QUESTION");
            root->InsertChildAfter(question, last);
            last = question;
            LeafElement(question, "ID", q.id);
            LeafElement(question, "Q", q.question);
            for (int a = 0; a < 4; ++a)
            {
                auto* answer = new wxXmlNode(wxXML_ELEMENT_NODE, "ANSWER");
                question->AddChild(answer);
                LeafElement(answer, "A", q.answers[a]);
                LeafElement(answer, "GOTO", q.targets[a]);
            }
        }
        return doc;
    }();
    return *document;
}

const pugi::xml_document& PugiQuiz()
{
    static pugi::xml_document* document = [] {
        auto* doc = new pugi::xml_document;
        pugi::xml_node declaration = doc->append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        pugi::xml_node root = doc->append_child("questions");
        for (int i = 0; i < g_questions; ++i)
        {
            const QuestionText q = MakeQuestion(i);
            pugi::xml_node question = root.append_child("QUESTION");
            question.append_child("ID").text() = q.id.c_str();
            question.append_child("Q").text() = q.question.c_str();
            for (int a = 0; a < 4; ++a)
            {
                pugi::xml_node answer = question.append_child("ANSWER");
                answer.append_child("A").text() = q.answers[a].c_str();
                answer.append_child("GOTO").text() = q.targets[a].c_str();
            }
        }
        return doc;
    }();
    return *document;
}

std::string OutputPath(const char* writer)
{
    return std::string(wxFileName::GetTempDir().utf8_str()) + "/mindprism-xml-bench-" + writer + ".xml";
}

// Times `save` (which writes the quiz to `path`) and records the figures.
template <class Save>
void RunSave(benchmark::State& state, const char* writer, Save save)
{
    const std::string path = OutputPath(writer);
    double total = 0;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        if (!save(path))
            state.SkipWithError("save failed");
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const int64_t bytes = int64_t(wxFileName::GetSize(wxString::FromUTF8(path)).GetValue());
    state.SetBytesProcessed(bytes * state.iterations());
    state.counters["questions"] = g_questions;
    g_seconds[writer].push_back(total / double(state.iterations()));
    std::remove(path.c_str());
}

void BM_Ours(benchmark::State& state)
{
    const wxXmlDocumentEx& quiz = WxQuiz();
    RunSave(state, "ours", [&](const std::string& path) {
        return quiz.Save(wxString::FromUTF8(path), 1);
    });
}

void BM_Toolkit(benchmark::State& state)
{
    const wxXmlDocumentEx& quiz = WxQuiz();
    // The toolkit's file form would call our stream form (it is virtual), so
    // its stream form is called directly, on the stream its file form uses.
    RunSave(state, "toolkit", [&](const std::string& path) {
        wxFileOutputStream stream(wxString::FromUTF8(path));
        return stream.IsOk() && quiz.wxXmlDocument::Save(stream, 1) && stream.Close();
    });
}

void BM_Pugixml(benchmark::State& state)
{
    const pugi::xml_document& quiz = PugiQuiz();
    RunSave(state, "pugixml", [&](const std::string& path) {
        return quiz.save_file(path.c_str(), "  ", pugi::format_default, pugi::encoding_utf8);
    });
}

// Removes --questions=N from the arguments before Google Benchmark sees them.
void TakeQuestionsFlag(int& argc, char** argv)
{
    const char* const FLAG = "--questions=";
    int kept = 0;
    for (int i = 0; i < argc; ++i)
    {
        if (std::strncmp(argv[i], FLAG, std::strlen(FLAG)) == 0)
            g_questions = std::max(1, std::atoi(argv[i] + std::strlen(FLAG)));
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
}

void PrintSummary()
{
    const auto seconds = [](const char* writer) {
        const auto found = g_seconds.find(writer);
        if (found == g_seconds.end())
            return 0.0;
        std::vector<double> runs = found->second;
        std::sort(runs.begin(), runs.end());
        const size_t middle = runs.size() / 2;
        return runs.size() % 2 ? runs[middle] : (runs[middle - 1] + runs[middle]) / 2;
    };
    const auto count = [](const char* writer) {
        const auto found = g_seconds.find(writer);
        return found == g_seconds.end() ? size_t(0) : found->second.size();
    };
    const double ours = seconds("ours"), toolkit = seconds("toolkit"), pugi = seconds("pugixml");
    std::printf("\nSummary, %d questions, medians of %zu/%zu/%zu runs: ours %.4f s, toolkit "
                "%.4f s, pugixml %.4f s\n",
                g_questions, count("ours"), count("toolkit"), count("pugixml"), ours, toolkit,
                pugi);
    if (ours > 0 && toolkit > 0)
        std::printf("  ours is %.1fx faster than the toolkit's writer (goal: 20x)\n", toolkit / ours);
    if (ours > 0 && pugi > 0)
        std::printf("  ours takes %.2fx pugixml's time (goal: at most 1x)\n", ours / pugi);
}

} // namespace

int main(int argc, char** argv)
{
    wxInitializer toolkit;
    if (!toolkit.IsOk())
        return 1;
    TakeQuestionsFlag(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    for (const auto& [name, function] :
         {std::pair{"xml_save/ours", BM_Ours}, std::pair{"xml_save/toolkit", BM_Toolkit},
          std::pair{"xml_save/pugixml", BM_Pugixml}})
        benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    PrintSummary();
    benchmark::Shutdown();
    return 0;
}
