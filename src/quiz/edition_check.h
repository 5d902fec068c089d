// Keeps language editions of a quiz in step: "Quiz_000-zh_CN.xml" and
// "Quiz_000-en.xml" in one folder must have the same graph, so a player's
// result does not depend on the language. Part of every check of a file, so
// that the checker and the window's Problems pane report the same.
#pragma once

#include "quiz/check_report.h"

#include <wx/string.h>

class ReadRecorder;

// Compares the quiz read from `path` (its questions as `recorder` saw them
// stored, maybe edited since the file was saved), when the
// file's name is an edition's (see SplitEditionName), with every other
// edition of the same stem in its folder as they are on disk, and adds a
// warning for each difference: a question in one and not the other
// (edition-question), a different number of answers (edition-answers), an
// answer leading elsewhere (edition-target) or ending the quiz in one only
// (edition-ending), another number of results (edition-results), an ending
// naming a result at another place among the results (edition-result). An edition that cannot be read is not compared
// (edition-unread). The other editions are read again only when their
// content changed.
void CompareEditions(const wxString& path, const ReadRecorder& recorder, FindingList& findings);
