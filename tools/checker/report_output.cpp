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
    if (withBalance)
    {
        Json balance = nullptr;
        Json neverEnds = nullptr;
        if (report.balance)
        {
            balance = Json::array();
            for (const ResultShare& result : report.balance->results)
                balance.push_back(Json{{"result", Utf8(result.result)}, {"share", result.share}});
            neverEnds = report.balance->neverEnds;
        }
        file["balance"] = std::move(balance);
        file["never_ends"] = std::move(neverEnds);
    }
    return file;
}

// One decimal, the way the balance lines show a share.
std::string Percent(double share)
{
    char text[16];
    std::snprintf(text, sizeof text, "%6.1f %%", 100 * share);
    return text;
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
    std::string text = report.file + ": " + Utf8(_("results when every answer is chosen at random:")) + "\n";
    for (const ResultShare& result : report.balance->results)
        text += Percent(result.share) + "  " + Utf8(result.result) + "\n";
    if (report.balance->neverEnds > 0)
        text += Percent(report.balance->neverEnds) + "  " +
                Utf8(_("never reach an end (caught in a loop with no way out, or at a question none of "
                       "whose answers leads on)")) +
                "\n";
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
