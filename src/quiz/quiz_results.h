// What a quiz says about itself after its questions: its title and the
// results its endings name, each with a text for the player.
#pragma once

#include <wx/string.h>

#include <vector>

struct ResultsRead;

struct QuizResult
{
    wxString name;  // trimmed, as endings name it (see ResultOf); empty without NAME
    wxString text;
    bool hasText = false;  // a TEXT with a value
    long line = 0;         // of the RESULT element; 0 when read from no file
};

struct QuizResults
{
    wxString title;  // empty without a TITLE
    std::vector<QuizResult> results;  // in the file's order

    // The result an ending names (by ResultOf of its text); the first of
    // several with one name; null for none, and for an empty name.
    const QuizResult* Find(const wxString& name) const;
    // Its position among `results`; npos for none.
    size_t IndexOf(const wxString& name) const;
    // The result an ending answer's text names, as Find.
    const QuizResult* ForAnswer(const wxString& answerText) const;
    bool Empty() const { return results.empty(); }
};

// An ending answer's text naming `result` in place of the result it names
// (see ResultOf): what stands before its last "→" kept, " RESULT" after
// it; a text without a result after an arrow gets " → RESULT", unless
// `wholeNamesResult` (the whole text names a described result), when it
// is replaced.
wxString NamingResult(const wxString& answerText, const wxString& result, bool wholeNamesResult);

// The title and results under the rules of ReadableResults; the values are
// copied from the tree.
QuizResults ReadResults(const ResultsRead& read);
