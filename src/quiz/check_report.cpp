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
    wxString quoted = wxS("\"");
    size_t shown = 0;
    for (wxString::const_iterator it = value.begin(); it != value.end(); ++it, ++shown)
    {
        if (shown == length)
        {
            quoted << wxString::FromUTF8("…");
            break;
        }
        const wxUniChar c = *it;
        if (c == '"' || c == '\\')
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
    return quoted << '"';
}
