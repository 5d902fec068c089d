// Graphviz's plugins as Debian's packages install and register them: the
// dot layout, the SVG and cairo renderers and Pango's text layout, loaded
// when first asked for.
#include "map/graphviz_plugins.h"

#include "quiz/check_report.h"

#include <wx/intl.h>

// Lays a line out with the context's text layout plugin: libgvc has it,
// its headers do not declare it.
extern "C" boolean gvtextlayout(GVC_t* gvc, textspan_t* span, char** fontpath);

GVC_t* NewGraphvizContext(gvplugin_library_t* ours)
{
    static const lt_symlist_t builtins[] = {{"gvplugin_mindprism_LTX_library", ours}, {nullptr, nullptr}};
    return gvContextPlugins(builtins, 1);
}

void LayOutLineForPictures(textspan_t* span, char** fontpath)
{
    // A context of Graphviz's plugins alone has Pango's text layout; made
    // once, under the renderer's lock, and never freed, as the renderer's.
    static GVC_t* const plugins = gvContext();
    if (plugins)
        gvtextlayout(plugins, span, fontpath);
}

std::string MissingPluginAdvice()
{
    return SentenceWith(wxTRANSLATE("Debian's libgvc6 package registers Graphviz's plugins when it is "
                                    "installed (as root, 'dot -c' registers them again)."));
}
