// The map renderer on Graphviz's gvc and cgraph libraries: dot lays the
// graph out, Pango measures and draws the text.
#include "map_render.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cstdlib>
#include <cstring>

namespace
{

// Graphviz reports through one process-wide callback, in pieces; they are
// gathered here while a renderer works.
std::string g_said;

int Gather(char* message)
{
    g_said += message;
    return 0;
}

// Graphviz's own text, one line, without its trailing break.
std::string Said()
{
    std::string said = g_said;
    g_said.clear();
    while (!said.empty() && (said.back() == '\n' || said.back() == ' '))
        said.pop_back();
    for (char& c : said)
        if (c == '\n')
            c = ' ';
    return said;
}

bool HasPlugin(GVC_t* context, const char* kind, const char* name)
{
    int count = 0;
    char** names = gvPluginList(context, kind, &count, nullptr);
    bool found = false;
    for (int i = 0; i < count; ++i)
    {
        found = found || name == nullptr || std::strcmp(names[i], name) == 0;
        std::free(names[i]);
    }
    std::free(names);
    return found;
}

const char NOT_REGISTERED[] =
    "; Debian's libgvc6 package registers them when it is installed (as root, 'dot -c' "
    "registers them again)";

} // namespace

struct MapRenderer::Graphviz
{
    Graphviz() : previous(agseterrf(Gather)) {}
    ~Graphviz()
    {
        if (laidOut)
            gvFreeLayout(context, graph);
        if (graph)
            agclose(graph);
        if (context)
            gvFreeContext(context);
        agseterrf(previous);
        g_said.clear();
    }
    Graphviz(const Graphviz&) = delete;
    Graphviz& operator=(const Graphviz&) = delete;

    agusererrf previous;
    GVC_t* context = nullptr;
    Agraph_t* graph = nullptr;
    bool laidOut = false;
};

MapRenderer::MapRenderer() = default;
MapRenderer::~MapRenderer() = default;

bool MapRenderer::Available()
{
    return true;
}

bool MapRenderer::Layout(const std::string& dot)
{
    // The earlier layout goes first: each one sets and restores Graphviz's
    // process-wide error callback.
    m_graphviz.reset();
    m_graphviz = std::make_unique<Graphviz>();
    m_error.clear();
    m_warnings.clear();
    Graphviz& gv = *m_graphviz;
    gv.context = gvContext();
    if (!gv.context)
    {
        m_error = "Graphviz could not start: " + Said();
        return false;
    }
    // Without the dot layout there is no map; without Pango, Chinese labels
    // would be measured as Latin ones and overflow their boxes.
    std::string missing;
    if (!HasPlugin(gv.context, "layout", "dot"))
        missing = "layout (dot)";
    if (!HasPlugin(gv.context, "textlayout", nullptr))
        missing += (missing.empty() ? "" : " and ") + std::string("text measuring (Pango)");
    if (!missing.empty())
    {
        m_error = "Graphviz has no plugin registered for " + missing + NOT_REGISTERED;
        return false;
    }
    gv.graph = agmemread(dot.c_str());
    if (!gv.graph)
    {
        m_error = "Graphviz could not read the map: " + Said();
        return false;
    }
    if (gvLayout(gv.context, gv.graph, "dot") != 0)
    {
        m_error = "Graphviz could not lay the map out: " + Said();
        return false;
    }
    gv.laidOut = true;
    m_warnings = Said();
    return true;
}

bool MapRenderer::Render(MapFormat format, std::string& image)
{
    if (!m_graphviz || !m_graphviz->laidOut)
    {
        m_error = "the map has not been laid out";
        return false;
    }
    // SVG from Graphviz's own writer keeps the text as text, with its font
    // family named; PNG comes from cairo, which draws with Pango.
    const char* const renderer = format == MapFormat::Png ? "png:cairo" : "svg";
    if (format == MapFormat::Png && !HasPlugin(m_graphviz->context, "render", "cairo"))
    {
        m_error = std::string("Graphviz has no plugin registered for PNG (cairo)") + NOT_REGISTERED;
        return false;
    }
    char* data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(m_graphviz->context, m_graphviz->graph, renderer, &data, &length) != 0 || !data)
    {
        m_error = "Graphviz could not draw the map: " + Said();
        if (data)
            gvFreeRenderData(data);
        return false;
    }
    image.assign(data, length);
    gvFreeRenderData(data);
    const std::string said = Said();
    m_warnings += (m_warnings.empty() || said.empty() ? "" : " ") + said;
    return true;
}
