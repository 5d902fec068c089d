// Counting, ordering and message helpers for checker findings.
#include "quiz/check_report.h"

#include <wx/intl.h>

#include <algorithm>

size_t FileReport::Count(Severity severity) const
{
    return static_cast<size_t>(std::count_if(findings.begin(), findings.end(),
        [severity](const Finding& finding) { return finding.severity == severity; }));
}

int ExitStatus(const std::vector<FileReport>& reports)
{
    int status = 0;
    for (const FileReport& report : reports)
    {
        if (report.Count(Severity::Error) > 0)
            return 2;
        if (!report.Clean())
            status = 1;
    }
    return status;
}

void SortByLine(FindingList& findings)
{
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

std::string SentenceWith(const char* sentence, const std::string& bytes)
{
    std::string said(wxGetTranslation(sentence).utf8_str());
    const size_t at = said.find("%s");
    if (at != std::string::npos)
        said.replace(at, 2, bytes);
    return said;
}

wxString Quoted(const wxString& value, size_t length)
{
    // The quotes of the language around the value: Chinese sentences quote
    // with “”, and a value must not stand out in other marks.
    // TRANSLATORS: the quotes around a value from the quiz inside a message
    // (an ID, an answer's text); keep the %s.
    const wxString pattern = _("\"%s\"");
    const int at = pattern.Find(wxS("%s"));
    const wxString open = at == wxNOT_FOUND ? wxString(wxS("\"")) : pattern.Left(at);
    const wxString close = at == wxNOT_FOUND ? wxString(wxS("\"")) : pattern.Mid(at + 2);
    wxString quoted = open;
    size_t shown = 0;
    for (wxString::const_iterator it = value.begin(); it != value.end(); ++it, ++shown)
    {
        if (shown == length)
        {
            quoted << wxString::FromUTF8("…");
            break;
        }
        const wxUniChar c = *it;
        // Escaped so that the value's end is never in doubt.
        if (c == '"' || c == '\\' || (close.length() == 1 && c == close[0]))
            quoted << '\\' << c;
        else if (c == '\n')
            quoted << wxS("\\n");
        else if (c == '\t')
            quoted << wxS("\\t");
        else if (c == '\r')
            quoted << wxS("\\r");
        else if (c.GetValue() < 0x20 || c.GetValue() == 0x7F)
            quoted << wxString::Format(wxS("\\x%02X"), static_cast<unsigned>(c.GetValue()));
        else
            quoted << c;
    }
    return quoted << close;
}
