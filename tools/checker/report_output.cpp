// Text and JSON forms of checker reports.
#include "report_output.h"

#include "quiz/quiz_balance.h"
#include "quiz/quiz_file.h"

#include <wx/intl.h>

#include <nlohmann/json.hpp>

#include <cstdio>

namespace
{

// As JSON names it, for scripts.
const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : "warning";
}

std::string Utf8(const wxString& text)
{
    const wxScopedCharBuffer buffer = text.utf8_str();
    return std::string(buffer.data(), buffer.length());
}

wxString TextNumber(const std::optional<size_t>& value)
{
    return value ? wxString::Format(wxS("%zu"), *value) : _("none");
}

using Json = nlohmann::ordered_json;

Json JsonNumber(const std::optional<size_t>& value)
{
    return value ? Json(*value) : Json(nullptr);
}

Json JsonSummary(const std::optional<QuizSummary>& summary)
{
    if (!summary)
        return nullptr;
    return Json{{"questions", summary->questions},
                {"endings", summary->endings},
                {"shortest", JsonNumber(summary->shortest)},
                {"longest", JsonNumber(summary->longest)},
                {"unbounded", summary->unbounded}};
}

// Why some players never reach an end: a name for scripts, a sentence for
// people, and the share it holds.
struct NeverEndsReason
{
    const char* name;
    const char* sentence;  // marked with wxTRANSLATE
    double share;
};

std::vector<NeverEndsReason> ReasonsOf(const QuizBalance& balance)
{
    if (balance.cannotStart)
        return {{"cannot-start", wxTRANSLATE("never reach an end: the quiz cannot start (see the errors above)"),
                 balance.neverEnds}};
    const NeverEndsReason all[] = {
        {"loop", wxTRANSLATE("never reach an end: caught in a loop with no way out"), balance.caughtInLoop},
        {"stuck", wxTRANSLATE("never reach an end: stuck at a question none of whose answers leads on"),
         balance.stuck},
        {"rarely-left", wxTRANSLATE("never reach an end: caught in a loop left so rarely (once in more than "
                                    "10^4900 rounds) that no player would see its end"),
         balance.rarelyLeft}};
    std::vector<NeverEndsReason> reasons;
    for (const NeverEndsReason& reason : all)
        if (reason.share > 0)
            reasons.push_back(reason);
    return reasons;
}

// The results the quiz describes, named ones, each once, with their share
// when the balance was worked out.
Json JsonResults(const FileReport& report)
{
    Json results = Json::array();
    for (const QuizResult& result : report.results.results)
    {
        if (report.results.Find(result.name) != &result)
            continue;
        Json share = nullptr;
        if (report.balance)
            for (const ResultShare& given : report.balance->results)
                if (given.result == result.name)
                    share = given.share;
        results.push_back(Json{{"name", Utf8(result.name)}, {"text", result.hasText}, {"share", share}});
    }
    return results;
}

Json JsonFile(const FileReport& report, bool withBalance)
{
    Json findings = Json::array();
    for (const Finding& finding : report.findings)
        findings.push_back(Json{{"line", finding.line},
                                {"severity", SeverityName(finding.severity)},
                                {"code", finding.code},
                                {"message", Utf8(finding.message)}});
    Json file{{"file", report.file},
              {"errors", report.Count(Severity::Error)},
              {"warnings", report.Count(Severity::Warning)},
              {"findings", std::move(findings)},
              {"summary", JsonSummary(report.summary)}};
    if (!report.results.title.empty())
        file["title"] = Utf8(report.results.title);
    if (!report.results.Empty())
        file["results"] = JsonResults(report);
    if (withBalance)
    {
        Json balance = nullptr;
        Json neverEnds = nullptr;
        Json neverEndsExact = nullptr;
        Json reasons = nullptr;
        if (report.balance)
        {
            const QuizBalance& shares = *report.balance;
            balance = Json::array();
            for (const ResultShare& result : shares.results)
            {
                Json entry{{"result", Utf8(result.result)}, {"share", result.share}, {"exact", result.exact}};
                if (!result.exact)
                    entry["error_bound"] = shares.errorBound;
                balance.push_back(std::move(entry));
            }
            neverEnds = shares.neverEnds;
            neverEndsExact = shares.neverEndsExact;
            reasons = Json::array();
            for (const NeverEndsReason& reason : ReasonsOf(shares))
                reasons.push_back(reason.name);
        }
        file["balance"] = std::move(balance);
        file["never_ends"] = std::move(neverEnds);
        file["never_ends_exact"] = std::move(neverEndsExact);
        file["never_ends_reasons"] = std::move(reasons);
    }
    return file;
}

// One decimal, the way the balance lines show a share; "≈" before one that
// is not exact.
std::string Percent(double share, bool exact = true)
{
    char text[16];
    std::snprintf(text, sizeof text, "%6.1f %%", 100 * share);
    return exact ? text : "\xE2\x89\x88" + std::string(text + 1);
}

} // namespace

std::string SummaryLine(const FileReport& report)
{
    if (!report.summary)
        return std::string();
    const QuizSummary& summary = *report.summary;
    const wxString line = wxString::Format(
        _("ok: %s, %s; questions answered from %s to an end: shortest: %s, longest: %s"),
        wxString::Format(wxPLURAL("%zu question", "%zu questions", summary.questions), summary.questions),
        wxString::Format(wxPLURAL("%zu ending", "%zu endings", summary.endings), summary.endings),
        QUIZ_ENTRY_ID, TextNumber(summary.shortest),
        summary.unbounded ? _("unbounded (the quiz can loop)") : TextNumber(summary.longest));
    return report.file + ": " + Utf8(line) + "\n";
}

std::string TextReport(const FileReport& report)
{
    // As compilers do: the layout stays, the words are the reader's.
    const std::string error = Utf8(_("error"));
    const std::string warning = Utf8(_("warning"));
    std::string text;
    for (const Finding& finding : report.findings)
        text += report.file + ":" + std::to_string(finding.line) + ": " +
                (finding.severity == Severity::Error ? error : warning) + ": " +
                Utf8(finding.message) + " [" + finding.code + "]\n";
    if (report.Clean())
        text += SummaryLine(report);
    return text;
}

std::string BalanceLines(const FileReport& report)
{
    if (!report.balance)
        return std::string();
    const QuizBalance& balance = *report.balance;
    std::string text = report.file + ": " + Utf8(_("results when every answer is chosen at random:")) + "\n";
    // Quoted as the findings quote values, whole: a result's name is the
    // author's text and may hold anything, line breaks included.
    for (const ResultShare& result : balance.results)
        text += Percent(result.share, result.exact) + "  " + Utf8(Quoted(result.result, wxString::npos)) + "\n";
    for (const NeverEndsReason& reason : ReasonsOf(balance))
        text += Percent(reason.share, balance.neverEndsExact) + "  " + Utf8(wxGetTranslation(reason.sentence)) +
                "\n";
    if (!balance.Exact())
    {
        char bound[32];
        std::snprintf(bound, sizeof bound, "%.2g %%", 100 * balance.errorBound);
        text += report.file + ": " +
                // TRANSLATORS: the first %s is the mark "≈", the second a percentage.
                Utf8(wxString::Format(_("%s marks a share that could not be worked out exactly in time, "
                                        "the quiz being too densely linked or too rarely left there: each "
                                        "such share is within %s of the exact one"),
                                      wxString::FromUTF8("\xE2\x89\x88"), bound)) +
                "\n";
    }
    return text;
}

std::string JsonReport(const std::vector<FileReport>& reports, bool withBalance)
{
    Json files = Json::array();
    size_t errors = 0;
    size_t warnings = 0;
    for (const FileReport& report : reports)
    {
        files.push_back(JsonFile(report, withBalance));
        errors += report.Count(Severity::Error);
        warnings += report.Count(Severity::Warning);
    }
    const Json document{{"files", std::move(files)},
                        {"errors", errors},
                        {"warnings", warnings},
                        {"status", ExitStatus(reports)}};
    // A file name may hold any bytes: those that are not UTF-8 become U+FFFD.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
