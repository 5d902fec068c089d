// Writing a quiz map to the file the author names, in the form its
// extension asks for, whole or not at all.
#pragma once

#include "map/map_render.h"

#include <wx/string.h>

#include <optional>
#include <string>

struct QuizOutline;

// The format ".dot", ".svg" or ".png" names, in any case; none for others.
std::optional<MapFormat> MapFormatOf(const std::string& path);

// Writes `bytes` into a new file beside `path`, then renames it over
// `path`, so that a failure leaves no half-written file behind. Anything
// at `path` that is not a regular file is left alone. False with `error`
// set on failure.
bool WriteWholeFile(const wxString& path, const std::string& bytes, std::string& error);

// Draws `outline` into `path`. False with `error` set on failure;
// `warnings` gets what the renderer said while succeeding.
bool WriteMap(const QuizOutline& outline, const wxString& path, MapFormat format,
              std::string& error, std::string& warnings);
