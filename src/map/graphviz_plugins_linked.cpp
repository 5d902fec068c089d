// Graphviz's plugins linked into the program: the dot layout and the SVG
// renderer, nothing loaded from files.
#include "map/graphviz_plugins.h"

#include "quiz/check_report.h"

#include <wx/intl.h>

extern "C" {
extern gvplugin_library_t gvplugin_dot_layout_LTX_library;
extern gvplugin_installed_t gvrender_svg_types[];
extern gvplugin_installed_t gvdevice_svg_types[];
}

namespace
{

gvplugin_api_t svgApis[] = {{API_render, gvrender_svg_types}, {API_device, gvdevice_svg_types}, {api_t(0), nullptr}};
gvplugin_library_t svgLibrary = {const_cast<char*>("core"), svgApis};

} // namespace

GVC_t* NewGraphvizContext(gvplugin_library_t* ours)
{
    static const lt_symlist_t builtins[] = {{"gvplugin_mindprism_LTX_library", ours},
                                            {"gvplugin_dot_layout_LTX_library", &gvplugin_dot_layout_LTX_library},
                                            {"gvplugin_core_LTX_library", &svgLibrary},
                                            {nullptr, nullptr}};
    return gvContextPlugins(builtins, 0);
}

void LayOutLineForPictures(textspan_t*, char**)
{
}

std::string MissingPluginAdvice()
{
    return SentenceWith(wxTRANSLATE("This build draws maps as .svg; another program can turn one into a "
                                    "picture of another kind."));
}
