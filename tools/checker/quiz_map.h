// The map of a quiz: its outline as a Graphviz graph in DOT form, with the
// problems the analysis found marked on it.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <string>

struct QuizOutline;

// Characters of each text a map shows; longer ones are cut and end in "…".
constexpr size_t MAP_QUESTION_CHARS = 16;
constexpr size_t MAP_ANSWER_CHARS = 12;
constexpr size_t MAP_ID_CHARS = 24;
constexpr size_t MAP_RESULT_LINE_CHARS = 16;  // a result box holds two such lines

// Families the labels are drawn with: one that has the Chinese characters
// first, then the viewer's own sans-serif.
extern const char MAP_FONT[];

// The map as a DOT graph, UTF-8. Nodes are named by the map (q0, e0, u0...),
// so IDs and texts only ever appear inside escaped labels.
std::string MapDot(const QuizOutline& outline);

// `text` as a label line: runs of blanks and control characters become one
// space, the ends are trimmed, and at most `chars` characters are kept, with
// "…" after a cut. UTF-8.
std::string LabelText(const wxString& text, size_t chars);
