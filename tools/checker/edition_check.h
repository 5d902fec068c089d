// Keeps language editions of a quiz in step: "Quiz_000-zh_CN.xml" and
// "Quiz_000-en.xml" in one folder must have the same graph, so a player's
// result does not depend on the language.
#pragma once

#include "quiz/check_report.h"

#include <wx/string.h>

// Compares the quiz at `path`, when its name is an edition's (see
// SplitEditionName), with every other edition of the same stem in its
// folder, and adds a warning to `report` for each difference: a question in
// one and not the other (edition-question), a different number of answers
// (edition-answers), an answer leading elsewhere (edition-target) or ending
// the quiz in one only (edition-ending). An edition that cannot be read is
// not compared (edition-unread). Nothing is added when `path` itself cannot
// be read; its own check says why.
void CompareEditions(const wxString& path, FileReport& report);
