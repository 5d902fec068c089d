// Which of Graphviz's plugins a context has beside the program's own text
// layout: those Debian's packages register (Linux), or those linked into
// the program (Windows). cmake/Platform.cmake picks the file.
#pragma once

#include <graphviz/gvc.h>
#include <graphviz/gvplugin_textlayout.h>

#include <string>

// A new context with `ours` (a library of plugins named
// gvplugin_<name>_LTX_library) and the platform's plugins.
GVC_t* NewGraphvizContext(gvplugin_library_t* ours);
// Lays a line of a label out as pictures drawn with cairo need it (with
// Pango, into the span), before the program's own metrics size it; does
// nothing where there are no such pictures.
void LayOutLineForPictures(textspan_t* span, char** fontpath);
// What to do about a missing plugin, in a sentence.
std::string MissingPluginAdvice();
