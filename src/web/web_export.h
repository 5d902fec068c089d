// Exporting a quiz as a web page: its file and the other language editions
// beside it read with the program's loader, the page's words from the
// program's catalogues, and the page written whole or not at all.
#pragma once

#include "web/web_page.h"

#include <wx/string.h>

#include <vector>

struct QuizEntry;

struct WebExportRequest
{
    // The quiz file; its edition opens the page where the browser prefers
    // none of the quiz's languages. Editions of it beside it
    // (NAME-zh_CN.xml, NAME-en.xml) come along.
    wxString quizPath;
    // Where the program's catalogues are (the "locales" folder).
    wxString localesDir;
    // The language of a file not named as an edition ("my-quiz.xml"): its
    // page's words and language tag.
    wxString language = wxS("en");
    // A built-in quiz's title, a source text translated for each edition;
    // empty: the page has no title.
    wxString titleSource;
    // Each ending shows the built-in animal quiz's catalogue of types below
    // the answer, in the edition's language.
    bool resultCatalogue = false;
};

// The request for quiz `quiz` of the program, read from `path`: a built-in
// quiz's title and, for the animal quiz, its catalogue come along.
WebExportRequest WebExportFor(const QuizEntry& quiz, const wxString& path, const wxString& localesDir,
                              const wxString& language);

// The request for a quiz file named on a command line: a file named as an
// edition of a built-in quiz (Quiz_000-en.xml) is exported as that quiz.
WebExportRequest WebExportForFile(const wxString& path, const wxString& localesDir,
                                  const wxString& language);

// Reads the quiz and its editions. False when the quiz file itself cannot
// be read as a quiz (`error` says why, naming it). An edition beside it
// that cannot be read is left out and named in `leftOut`.
bool ReadWebQuiz(const WebExportRequest& request, WebQuiz& quiz, wxString& error,
                 std::vector<wxString>* leftOut = nullptr);

// Reads the quiz and writes its page to `outPath` through a new file that
// then takes the old one's place. False, leaving `outPath` as it was, with
// `error` saying why; also when `outPath` is the quiz file or one of its
// editions.
bool ExportWebPage(const WebExportRequest& request, const wxString& outPath, wxString& error,
                   std::vector<wxString>* leftOut = nullptr);
