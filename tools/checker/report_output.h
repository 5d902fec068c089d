// The two forms of the checker's output: compiler-style lines for people and
// editors' error parsers, and one JSON document for scripts.
#pragma once

#include "quiz/check_report.h"

#include <string>
#include <vector>

// "FILE:LINE: severity: message [code]" per finding, then, for a clean
// quiz, one summary line. UTF-8, in the language of the translations in
// force; the layout and the codes stay as they are in every language.
std::string TextReport(const FileReport& report);

// The summary line alone, "FILE: ok: ..." (empty without a summary).
std::string SummaryLine(const FileReport& report);

// One JSON document for all files, with the exit status they give; its
// names and severities are English, its messages as the findings hold them.
std::string JsonReport(const std::vector<FileReport>& reports);

// `bytes` as a JSON string literal. Quotes, backslashes and control
// characters are escaped; valid UTF-8 is kept as it is; bytes that are not
// UTF-8 (a file name may hold any) become U+FFFD.
std::string JsonString(const std::string& bytes);
