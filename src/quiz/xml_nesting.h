// A quick scan of XML bytes for the shapes the toolkit's XML code handles
// badly, so that such files are refused before parsing: nesting too deep
// for its recursive tree code, long texts delivered in many pieces, which it
// joins at a cost that grows with the square of their length, and long tags
// and comments, which its parser rescans for every kilobyte it is fed.
#pragma once

#include <cstddef>

struct XmlShape
{
    // Deepest element nesting seen (the scan stops once it passes the limit).
    unsigned depth = 0;
    // Extra cost of joining texts and CDATA sections, over the whole file:
    // for each, its length times the pieces beyond the first that the
    // parser hands it over in (a piece per line, per reference and per
    // kilobyte). Texts of blanks only are dropped, not joined.
    unsigned long long textWork = 0;
    // Bytes rescanned in tags, comments, processing instructions and
    // declarations, over the whole file: about length squared over 2048 each.
    unsigned long long markupWork = 0;
};

// Measures `data`. Comments, processing instructions, declarations and
// quoted attribute values are skipped. Malformed input is scanned as far as
// it goes.
XmlShape MeasureXmlShape(const char* data, size_t size, unsigned depthLimit);

// True when elements in `data` nest deeper than `limit` levels.
bool XmlNestingExceeds(const char* data, size_t size, unsigned limit);
