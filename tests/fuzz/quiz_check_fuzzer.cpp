// libFuzzer target: whatever bytes a quiz file holds, the checker loads them
// with the application's loader, analyses them and writes both reports
// without crashing, hanging or breaking its own rules.
//
// Build and run (clang with libFuzzer, Debian package libclang-rt-14-dev):
//   CXX=clang++ cmake -S . -B /tmp/build-fuzz -G Ninja -DMINDPRISM_FUZZ=ON -DMINDPRISM_BENCH=OFF
//   ninja -C /tmp/build-fuzz quiz_check_fuzzer
//   cp -r tests/fuzz/corpus/quiz /tmp/quiz-corpus   # the fuzzer adds its finds there
//   /tmp/build-fuzz/tests/fuzz/quiz_check_fuzzer -max_total_time=30 /tmp/quiz-corpus
//
// Beyond not crashing, each input is held to what the reports promise:
// findings ordered by line, lines from 1; a clean quiz has a summary with a
// shortest path no longer than its longest; the balance's shares lie in
// 0..1 and add up to 1 within their bound; both outputs, and the quiz map's
// DOT form, are valid UTF-8 without stray control characters.
#include "fuzz_support.h"
#include "map/quiz_map.h"
#include "quiz/quiz_analysis.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "report_output.h"

#include <wx/init.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

[[noreturn]] void Fail(const char* what, const std::string& output)
{
    std::fprintf(stderr, "%s\n--- output ---\n%s\n", what, output.c_str());
    std::abort();
}

// Valid UTF-8 whose only control character is the line break between items.
bool IsCleanUtf8(const std::string& text)
{
    const wxString decoded = wxString::FromUTF8(text.data(), text.size());
    if (decoded.empty() != text.empty())
        return false;
    for (const wxUniChar c : decoded)
        if (c.GetValue() < 0x20 && c != '\n')
            return false;
    return true;
}

void CheckInvariants(const FileReport& report, const std::string& text, const std::string& json)
{
    long previous = 1;
    for (const Finding& finding : report.findings)
    {
        if (finding.line < previous)
            Fail("findings out of order or before line 1", text);
        previous = finding.line;
        if (finding.message.empty() || finding.message.Find('\n') != wxNOT_FOUND)
            Fail("a finding's message is empty or spans lines", text);
    }
    if (report.Clean())
    {
        if (!report.summary || !report.summary->shortest)
            Fail("a clean quiz without a way from the entry to an end", text);
        if (report.summary->longest && *report.summary->longest < *report.summary->shortest)
            Fail("longest path shorter than the shortest", text);
        if (report.summary->longest.has_value() == report.summary->unbounded)
            Fail("longest path both bounded and unbounded, or neither", text);
    }
    if (!IsCleanUtf8(text) || !IsCleanUtf8(json))
        Fail("output is not clean UTF-8", json);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return StartToolkitForFuzzing();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* bytes = reinterpret_cast<const char*>(data);
    QuizOutline outline;
    FileReport report = CheckQuizBytes(bytes, size, wxS("fuzz.xml"), &outline);
    if (report.summary)
    {
        report.balance = BalanceOf(outline);
        double total = report.balance->neverEnds;
        for (const ResultShare& result : report.balance->results)
        {
            if (!(result.share >= 0 && result.share <= 1))
                Fail("a share outside 0..1", std::string(result.result.utf8_str()));
            total += result.share;
        }
        if (!(std::fabs(total - 1) <= 1e-9 + report.balance->errorBound))
            Fail("the shares do not add up to 1", std::to_string(total));
    }
    const std::string dot = MapDot(outline);
    if (!IsCleanUtf8(dot))
        Fail("the map is not clean UTF-8", dot);
    // A file name may hold any bytes: the input's first ones will do, minus
    // the line breaks that would rightly split a text line.
    for (size_t i = 0; i < size && i < 32; ++i)
        if (bytes[i] != '\n')
            report.file += bytes[i];
    const std::string json = JsonReport({report}, true);
    report.file = "fuzz.xml";
    CheckInvariants(report, TextReport(report) + BalanceLines(report), json);
    return 0;
}
