// The page's words from the program's catalogues.
#include "web/web_words.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/translation.h>

namespace
{

const wxString CATALOGUE_NAME = wxS("Mindprism");

// Finds the catalogues in one folder only, not where the interface's are.
class FolderLoader : public wxTranslationsLoader
{
public:
    explicit FolderLoader(const wxString& dir) : m_dir(dir) {}

    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString& language) override
    {
        const wxString path = File(domain, language);
        return wxFileName::FileExists(path) ? wxMsgCatalog::CreateFromFile(path, domain) : nullptr;
    }

    wxArrayString GetAvailableTranslations(const wxString& domain) const override
    {
        wxArrayString languages;
        wxDir dir(m_dir);
        wxString name;
        for (bool more = dir.IsOpened() && dir.GetFirst(&name, wxString(), wxDIR_DIRS); more;
             more = dir.GetNext(&name))
            if (wxFileName::FileExists(File(domain, name)))
                languages.push_back(name);
        return languages;
    }

private:
    wxString File(const wxString& domain, const wxString& language) const
    {
        wxFileName file(m_dir, domain + wxS(".mo"));
        file.AppendDir(language);
        file.AppendDir(wxS("LC_MESSAGES"));
        return file.GetFullPath();
    }

    wxString m_dir;
};

} // namespace

WebCatalogue::WebCatalogue(const wxString& localesDir, const wxString& language)
    : m_translations(std::make_unique<wxTranslations>())
{
    // A missing or damaged catalogue leaves the source texts; the page
    // still plays.
    wxLogNull quiet;
    m_translations->SetLoader(new FolderLoader(localesDir));
    m_translations->SetLanguage(language);
    m_translations->AddCatalog(CATALOGUE_NAME);
}

WebCatalogue::~WebCatalogue() = default;

wxString WebCatalogue::Translate(const wxString& source) const
{
    const wxString* translated = m_translations->GetTranslatedString(source, CATALOGUE_NAME);
    return translated && !translated->empty() ? *translated : source;
}

bool WebCatalogue::Has(const wxString& source) const
{
    const wxString* translated = m_translations->GetTranslatedString(source, CATALOGUE_NAME);
    return translated && !translated->empty();
}

wxString WithoutMnemonic(const wxString& label)
{
    wxString text = label;
    // Chinese labels carry theirs at the end, in brackets: "下一题(&N)".
    const size_t open = text.rfind(wxS("(&"));
    if (open != wxString::npos && open + 4 == text.length() && text.Last() == ')')
        text.Truncate(open);
    wxString plain;
    for (size_t i = 0; i < text.length(); ++i)
    {
        if (text[i] == '&' && i + 1 < text.length())
            ++i;
        plain += text[i];
    }
    return plain;
}

WebWords WebWordsOf(const WebCatalogue& catalogue)
{
    const auto word = [&catalogue](const char* source) {
        return catalogue.Translate(wxString::FromUTF8(source));
    };
    const auto label = [&word](const char* source) { return WithoutMnemonic(word(source)); };
    WebWords words;
    // Translators write their language's own name here; a language without
    // a catalogue is shown by its code.
    const wxString ownName = wxString::FromUTF8(wxTRANSLATE("this language, named in itself"));
    if (catalogue.Has(ownName))
        words.languageName = catalogue.Translate(ownName);
    words.appName = word(wxTRANSLATE("Mind Prism"));
    // The main window's buttons and status line, word for word.
    words.next = label(wxTRANSLATE("&Next"));
    words.prev = label(wxTRANSLATE("&Prev"));
    words.reset = label(wxTRANSLATE("&Reset"));
    words.ok = label(wxTRANSLATE("&OK"));
    words.result = word(wxTRANSLATE("Result"));
    words.progressRange = word(wxTRANSLATE("Question %d · %d to %d more"));
    words.progressExact = word(wxTRANSLATE("Question %d · %d more"));
    words.progressOpen = word(wxTRANSLATE("Question %d · at least %d more"));
    words.missingTarget = word(wxTRANSLATE("This answer leads to question %s, which this quiz does not have"));
    words.noEntry = word(wxTRANSLATE("The quiz has no question with the ID \"%s\"."));
    // The page's own.
    words.copy = word(wxTRANSLATE("Copy result"));
    words.copied = word(wxTRANSLATE("The result is copied."));
    words.copyFailed = word(wxTRANSLATE("The result could not be copied; select it and copy it yourself."));
    words.language = word(wxTRANSLATE("Language"));
    words.noScript = word(wxTRANSLATE("This page needs JavaScript to play the quiz."));
    return words;
}
