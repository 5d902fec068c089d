// The words of an exported page besides the quiz (its buttons, the status
// line, its messages), from the program's message catalogues, in the
// language of each edition whatever the interface speaks.
#pragma once

#include <wx/string.h>

#include <memory>

class wxTranslations;

// The program's message catalogue of one language, read from its file.
class WebCatalogue
{
public:
    // The catalogue of `language` ("zh_CN", "en_GB") below `localesDir`
    // (<language>/LC_MESSAGES/Mindprism.mo), else its base language's
    // ("en"); with neither, texts stay as the sources write them.
    WebCatalogue(const wxString& localesDir, const wxString& language);
    ~WebCatalogue();
    WebCatalogue(const WebCatalogue&) = delete;
    WebCatalogue& operator=(const WebCatalogue&) = delete;

    // The translation of `source`, or `source` when there is none.
    wxString Translate(const wxString& source) const;
    // Whether there is a translation of `source`.
    bool Has(const wxString& source) const;

private:
    // A lookup of its own, whatever language the interface speaks.
    std::unique_ptr<wxTranslations> m_translations;
};

// Printf formats are the program's own: %d for numbers, %s for text.
struct WebWords
{
    wxString languageName;  // the language named in itself; empty: the page shows its code
    wxString appName;       // the page's title when the quiz has none
    wxString next, prev, reset, ok;
    wxString result;        // heading of the result
    wxString copy, copied, copyFailed;
    wxString language;      // names the language switch
    wxString noScript;      // shown by browsers that run no script
    // The status line: place and fewest to an end, with the most, or none
    // when the player may loop.
    wxString progressRange, progressExact, progressOpen;
    wxString missingTarget;  // %s: the target that names no question
    wxString noEntry;        // %s: the entry question's ID
};

// The words in the catalogue's language; mnemonics ("&Next", "下一题(&N)")
// are dropped, a page has none.
WebWords WebWordsOf(const WebCatalogue& catalogue);

// A control's label without its mnemonic: "&Next" gives "Next", "下一题(&N)"
// gives "下一题", "&&" gives "&".
wxString WithoutMnemonic(const wxString& label);
