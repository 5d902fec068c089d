// The map renderer on Graphviz's gvc and cgraph libraries: dot lays the
// graph out with the text measured by the program's own metrics, the same
// on every platform; Graphviz's SVG writer or cairo draws it.
#include "map/map_render.h"

#include "map/graphviz_plugins.h"
#include "map/map_layout.h"
#include "map/map_text.h"
#include "quiz/check_report.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>
#include <graphviz/gvplugin_textlayout.h>
#include <wx/intl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace
{

// Held by every call that touches Graphviz. Like what Graphviz says below,
// never destroyed: a layout left to finish in the background may still use
// it while the program ends.
std::mutex& GraphvizLock()
{
    static std::mutex* const lock = new std::mutex;
    return *lock;
}

// Graphviz reports through one process-wide callback, in pieces; they are
// gathered here while a renderer works.
std::string& Heard()
{
    static std::string* const heard = new std::string;
    return *heard;
}

int Gather(char* message)
{
    Heard() += message;
    return 0;
}

// Graphviz's own text, one line, without its trailing break.
std::string Said()
{
    std::string said = Heard();
    Heard().clear();
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

// The metrics the layout under way measures its text with; set and read
// under the lock.
const MapTextMetrics*& Measuring()
{
    static const MapTextMetrics* measuring = nullptr;
    return measuring;
}

// Graphviz's text layout plugin: the size of a line of a label. Pictures
// drawn with cairo need Pango's layout of the line too, so it is made
// first where there is one; the size is ours either way, so that a map is
// laid out alike wherever it is.
boolean MeasureLine(textspan_t* span, char** fontpath)
{
    LayOutLineForPictures(span, fontpath);
    const MapTextMetrics& text = Measuring() ? *Measuring() : MapTextMetrics::MapFont();
    const double size = span->font->size;
    // Rounded up as Graphviz's own Pango layout rounds, never too small.
    span->size.x = std::floor(text.Width(span->str ? span->str : "", size) + 1);
    span->size.y = std::ceil(text.LineHeight(size));
    // Where the baseline lies below the line's middle, as Pango has it.
    span->yoffset_centerline = 0.2 * size;
    return TRUE;
}

gvtextlayout_engine_t measureEngine = {MeasureLine};
// Chosen over Graphviz's own text layouts (Pango's has the quality 10).
gvplugin_installed_t measureTypes[] = {{0, "textlayout", 100, &measureEngine, nullptr}, {0, nullptr, 0, nullptr, nullptr}};
gvplugin_api_t measureApis[] = {{API_textlayout, measureTypes}, {api_t(0), nullptr}};
gvplugin_library_t measureLibrary = {const_cast<char*>("mindprism"), measureApis};

// One Graphviz context for the whole process, made on first use under the
// lock and never freed: Pango's text layout remembers the last font it
// measured by a pointer into the context's font cache, so a second context,
// after the first was freed, would read freed memory.
GVC_t* SharedContext()
{
    static GVC_t* const context = NewGraphvizContext(&measureLibrary);
    return context;
}

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
        agseterrf(previous);
        Heard().clear();
    }
    Graphviz(const Graphviz&) = delete;
    Graphviz& operator=(const Graphviz&) = delete;

    agusererrf previous;
    GVC_t* context = nullptr;
    Agraph_t* graph = nullptr;
    bool laidOut = false;
};

MapRenderer::MapRenderer() = default;

MapRenderer::~MapRenderer()
{
    const std::lock_guard<std::mutex> hold(GraphvizLock());
    m_graphviz.reset();
}

bool MapRenderer::Available()
{
    return true;
}

bool MapRenderer::Draws(MapFormat format)
{
    if (format != MapFormat::Png)
        return true;
    const std::lock_guard<std::mutex> hold(GraphvizLock());
    return SharedContext() && HasPlugin(SharedContext(), "render", "cairo");
}

std::unique_lock<std::mutex> MapRenderer::Hold()
{
    return std::unique_lock<std::mutex>(GraphvizLock());
}

bool MapRenderer::Layout(const std::string& dot, const MapTextMetrics& text)
{
    const std::lock_guard<std::mutex> hold(GraphvizLock());
    // The earlier layout goes first: each one sets and restores Graphviz's
    // process-wide error callback.
    m_graphviz.reset();
    m_graphviz = std::make_unique<Graphviz>();
    m_error.clear();
    m_warnings.clear();
    Graphviz& gv = *m_graphviz;
    gv.context = SharedContext();
    if (!gv.context)
    {
        m_error = SentenceWith(wxTRANSLATE("Graphviz could not start: %s"), Said());
        return false;
    }
    if (!HasPlugin(gv.context, "layout", "dot"))
    {
        m_error = SentenceWith(wxTRANSLATE("Graphviz has no plugin registered for laying maps out (dot).")) +
                  " " + MissingPluginAdvice();
        return false;
    }
    gv.graph = agmemread(dot.c_str());
    if (!gv.graph)
    {
        m_error = SentenceWith(wxTRANSLATE("Graphviz could not read the map: %s"), Said());
        return false;
    }
    Measuring() = &text;
    const int laidOut = gvLayout(gv.context, gv.graph, "dot");
    Measuring() = nullptr;
    if (laidOut != 0)
    {
        m_error = SentenceWith(wxTRANSLATE("Graphviz could not lay the map out: %s"), Said());
        return false;
    }
    gv.laidOut = true;
    m_warnings = Said();
    return true;
}

bool MapRenderer::Read(const MapGraph& graph, MapLayout& layout)
{
    const std::lock_guard<std::mutex> hold(GraphvizLock());
    if (!m_graphviz || !m_graphviz->laidOut)
    {
        m_error = SentenceWith(wxTRANSLATE("the map has not been laid out"));
        return false;
    }
    Agraph_t* const g = m_graphviz->graph;
    // Graphviz's y grows upwards from the bounding box's lower left corner.
    const boxf bounds = GD_bb(g);
    const auto Point = [&](pointf p) { return MapPoint{p.x - bounds.LL.x, bounds.UR.y - p.y}; };
    MapLayout read;
    read.width = bounds.UR.x - bounds.LL.x;
    read.height = bounds.UR.y - bounds.LL.y;
    for (const MapNode& node : graph.nodes)
    {
        std::string name = MapNodeName(node);
        Agnode_t* found = agnode(g, &name[0], 0);
        if (!found)
        {
            m_error = SentenceWith(wxTRANSLATE("the laid-out map lacks the box %s"), name);
            return false;
        }
        read.boxes.push_back(MapBox{Point(ND_coord(found)), ND_width(found) * 72, ND_height(found) * 72});
    }
    // Edges are numbered in the order they were read, which is the graph's.
    std::vector<Agedge_t*> edges;
    for (Agnode_t* node = agfstnode(g); node; node = agnxtnode(g, node))
        for (Agedge_t* edge = agfstout(g, node); edge; edge = agnxtout(g, edge))
            edges.push_back(edge);
    std::sort(edges.begin(), edges.end(), [](Agedge_t* a, Agedge_t* b) { return AGSEQ(a) < AGSEQ(b); });
    if (edges.size() != graph.arrows.size())
    {
        m_error = std::string(wxString::Format(_("the laid-out map has %zu arrows instead of %zu"),
                                               edges.size(), graph.arrows.size())
                                  .utf8_str());
        return false;
    }
    for (Agedge_t* edge : edges)
    {
        MapLine line;
        if (const splines* spline = ED_spl(edge))
            for (int piece = 0; piece < spline->size; ++piece)
            {
                const bezier& curve = spline->list[piece];
                if (curve.size < 1)
                    continue;
                // A later piece is joined to the one before by a straight one.
                const MapPoint start = Point(curve.list[0]);
                if (line.curve.empty())
                    line.curve.push_back(start);
                else
                    line.curve.insert(line.curve.end(), {line.curve.back(), start, start});
                for (int at = 1; at < curve.size; ++at)
                    line.curve.push_back(Point(curve.list[at]));
                if (curve.eflag)
                    line.head = Point(curve.ep);
            }
        // Maps laid out by levels have their arrows' labels placed beside them.
        const textlabel_t* label = ED_label(edge) ? ED_label(edge) : ED_xlabel(edge);
        if (label && label->set)
        {
            line.label = Point(label->pos);
            line.labelWidth = label->dimen.x;
            line.labelHeight = label->dimen.y;
        }
        read.lines.push_back(std::move(line));
    }
    layout = std::move(read);
    return true;
}

bool MapRenderer::Render(MapFormat format, std::string& image)
{
    const std::lock_guard<std::mutex> hold(GraphvizLock());
    if (!m_graphviz || !m_graphviz->laidOut)
    {
        m_error = SentenceWith(wxTRANSLATE("the map has not been laid out"));
        return false;
    }
    // SVG from Graphviz's own writer keeps the text as text, with its font
    // family named; PNG comes from cairo, which draws with Pango, where
    // there is cairo.
    const char* const renderer = format == MapFormat::Png ? "png:cairo" : "svg";
    if (format == MapFormat::Png && !HasPlugin(m_graphviz->context, "render", "cairo"))
    {
        m_error = SentenceWith(wxTRANSLATE("Graphviz has no plugin registered for drawing PNG (cairo).")) +
                  " " + MissingPluginAdvice();
        return false;
    }
    char* data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(m_graphviz->context, m_graphviz->graph, renderer, &data, &length) != 0 || !data)
    {
        m_error = SentenceWith(wxTRANSLATE("Graphviz could not draw the map: %s"), Said());
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
