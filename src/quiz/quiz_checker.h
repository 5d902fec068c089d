// Checks a quiz file the way the application reads it, and reports what
// would go wrong for a player or silently differ from what the author wrote.
#pragma once

#include "quiz/check_report.h"

#include <wx/string.h>

struct QuizOutline;

// Loads the file at `path` with the application's loader and analyses it.
// The report's `file` is left for the caller to set. When `outline` is
// given, it is filled whenever the report has a summary.
FileReport CheckQuizFile(const wxString& path, QuizOutline* outline = nullptr);

// The same for bytes already in memory; `name` names them in messages.
FileReport CheckQuizBytes(const char* data, size_t size, const wxString& name,
                          QuizOutline* outline = nullptr);
