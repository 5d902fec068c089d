// A quiz as one HTML file that plays it in any browser, from disk, with no
// request leaving the page: the page's data and the writer of the file.
#pragma once

#include "quiz/question_table.h"
#include "quiz/quiz_progress.h"
#include "web/web_words.h"

#include <wx/string.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

struct WebQuestion
{
    wxString id;
    wxString text;
    std::vector<Answer> answers;
    // What the status line shows on it; none when no end can be reached.
    std::optional<QuizProgress> progress;
};

// One language edition of the quiz, with everything the page shows in it.
struct WebEdition
{
    wxString language;  // as edition files name it: "zh_CN", "en"
    wxString title;     // empty: the quiz has none
    // The questions as the program plays them: those the loader keeps (a
    // later QUESTION replaces an earlier one with its ID), in file order,
    // without the one stored under the empty ID, which no way reaches.
    std::vector<WebQuestion> questions;
    // Results the author describes, by name (the text after an ending
    // answer's last "→"): shown below the answer at an ending that names one.
    std::map<wxString, wxString> results;
    // Shown below the answer at every other ending (the built-in animal
    // quiz's catalogue of types); empty: the answer alone.
    wxString catalogue;
    WebWords words;
};

struct WebQuiz
{
    std::vector<WebEdition> editions;
    // The edition the page opens in when the browser prefers none of them.
    size_t shown = 0;
};

// The whole page, UTF-8, the same bytes on every platform. The quiz's texts
// travel as JSON inside the page and are only ever shown as text.
std::string WebPageHtml(const WebQuiz& quiz);

// The page's language tag for an edition's language: "zh-CN" for "zh_CN".
wxString HtmlLanguage(const wxString& language);
