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

// The balance of results, when the report has one: a line naming the file,
// then "  14.3 %  RESULT" per result, largest first, and the share that
// never ends when it is not zero. UTF-8, in the translations in force.
std::string BalanceLines(const FileReport& report);

// One JSON document for all files, with the exit status they give; its
// names and severities are English, its messages as the findings hold them.
// Bytes of file names that are not UTF-8 become U+FFFD. `withBalance` adds
// each file's "balance" (result and share, a fraction) and "never_ends",
// null where the quiz could not be analysed.
std::string JsonReport(const std::vector<FileReport>& reports, bool withBalance = false);
