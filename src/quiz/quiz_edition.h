// Language editions of a quiz: the same quiz in several languages, one file
// each, named "<stem>-<language>.xml" (e.g. "Quiz_000-en.xml"), and which
// edition a built-in quiz is read from.
#pragma once

#include <wx/string.h>

#include <functional>

// The language every built-in quiz is written in first; its edition is read
// when the interface language has none.
extern const wxString QUIZ_BASE_LANGUAGE;

// Path of an edition of a built-in quiz, relative to the folder holding the
// run-time files: "data/Quiz_000-en.xml" for "Quiz_000" and "en".
wxString QuizEditionPath(const wxString& stem, const wxString& language);

// Splits a file name (without folder) "<stem>-<language>.xml" at its last
// '-'. The language must look like one: two or three lower-case letters,
// optionally '_' and two to four letters ("en", "zh_CN", "sr_Latn"), so
// that "my-quiz.xml" is not taken for an edition. False when the name is
// not an edition's.
bool SplitEditionName(const wxString& fileName, wxString& stem, wxString& language);

struct QuizEditionChoice
{
    wxString path;  // as QuizEditionPath gives it
    wxString why;   // for the trace: why this edition was taken
};

// The edition of built-in quiz `stem` to read for `language`, the canonical
// name of the interface's catalogue language (empty: none is loaded):
// that language's edition, else its base language's ("en" for "en_GB"),
// else the QUIZ_BASE_LANGUAGE edition. `exists` tells whether a path
// (relative, as QuizEditionPath gives it) names a file.
QuizEditionChoice ChooseQuizEdition(const wxString& stem, const wxString& language,
                                    const std::function<bool(const wxString&)>& exists);
