// A quick scan of XML bytes for the depth of element nesting, so that files
// too deep for the toolkit's recursive tree code are refused before parsing.
#pragma once

#include <cstddef>

// True when elements in `data` nest deeper than `limit` levels. Comments,
// CDATA sections, processing instructions, declarations and quoted attribute
// values are skipped. Malformed input is scanned as far as it goes.
bool XmlNestingExceeds(const char* data, size_t size, unsigned limit);
