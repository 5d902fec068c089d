// Text and JSON forms of checker reports.
#include "report_output.h"

#include "quiz/quiz_file.h"

#include <wx/intl.h>

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

// Length of the UTF-8 sequence starting at `s[i]`, or 0 when it is not one
// (overlong forms, surrogates and values past U+10FFFF included).
size_t Utf8SequenceLength(const std::string& s, size_t i)
{
    const unsigned char lead = static_cast<unsigned char>(s[i]);
    size_t length;
    unsigned min;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, min = 0x80;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, min = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, min = 0x10000;
    else
        return 0;
    if (i + length > s.size())
        return 0;
    unsigned value = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k)
    {
        const unsigned char c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (c & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

void AppendEscaped(std::string& out, unsigned char c)
{
    switch (c)
    {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default:
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", c);
        out += escape;
    }
}

std::string JsonNumber(const std::optional<size_t>& value)
{
    return value ? std::to_string(*value) : std::string("null");
}

wxString TextNumber(const std::optional<size_t>& value)
{
    return value ? wxString::Format(wxS("%zu"), *value) : _("none");
}

std::string JsonSummary(const std::optional<QuizSummary>& summary)
{
    if (!summary)
        return "null";
    return "{\"questions\": " + std::to_string(summary->questions) +
           ", \"endings\": " + std::to_string(summary->endings) +
           ", \"shortest\": " + JsonNumber(summary->shortest) +
           ", \"longest\": " + JsonNumber(summary->longest) +
           ", \"unbounded\": " + (summary->unbounded ? "true" : "false") + "}";
}

std::string JsonFinding(const Finding& finding)
{
    return "{\"line\": " + std::to_string(finding.line) + ", \"severity\": \"" +
           SeverityName(finding.severity) + "\", \"code\": \"" + finding.code +
           "\", \"message\": " + JsonString(Utf8(finding.message)) + "}";
}

std::string JsonFile(const FileReport& report)
{
    std::string json = "    {\n      \"file\": " + JsonString(report.file) + ",\n";
    json += "      \"errors\": " + std::to_string(report.Count(Severity::Error)) + ",\n";
    json += "      \"warnings\": " + std::to_string(report.Count(Severity::Warning)) + ",\n";
    json += "      \"findings\": [";
    for (size_t i = 0; i < report.findings.size(); ++i)
        json += (i ? ",\n        " : "\n        ") + JsonFinding(report.findings[i]);
    json += report.findings.empty() ? "],\n" : "\n      ],\n";
    return json + "      \"summary\": " + JsonSummary(report.summary) + "\n    }";
}

} // namespace

std::string JsonString(const std::string& bytes)
{
    std::string out = "\"";
    out.reserve(bytes.size() + 2);
    for (size_t i = 0; i < bytes.size();)
    {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 || c == '"' || c == '\\' || c == 0x7F)
        {
            AppendEscaped(out, c);
            ++i;
        }
        else if (c < 0x80)
            out += bytes[i++];
        else if (const size_t length = Utf8SequenceLength(bytes, i))
        {
            out.append(bytes, i, length);
            i += length;
        }
        else
        {
            out += "\\ufffd";
            ++i;
        }
    }
    return out + "\"";
}

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

std::string JsonReport(const std::vector<FileReport>& reports)
{
    std::string json = "{\n  \"files\": [";
    size_t errors = 0;
    size_t warnings = 0;
    for (size_t i = 0; i < reports.size(); ++i)
    {
        json += (i ? ",\n" : "\n") + JsonFile(reports[i]);
        errors += reports[i].Count(Severity::Error);
        warnings += reports[i].Count(Severity::Warning);
    }
    json += reports.empty() ? "],\n" : "\n  ],\n";
    json += "  \"errors\": " + std::to_string(errors) + ",\n";
    json += "  \"warnings\": " + std::to_string(warnings) + ",\n";
    return json + "  \"status\": " + std::to_string(ExitStatus(reports)) + "\n}\n";
}
