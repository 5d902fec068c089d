// The map renderer of builds without Graphviz: only the DOT form is written.
#include "map/map_render.h"

#include "quiz/check_report.h"

#include <wx/intl.h>

struct MapRenderer::Graphviz
{
};

MapRenderer::MapRenderer() = default;
MapRenderer::~MapRenderer() = default;

bool MapRenderer::Available()
{
    return false;
}

bool MapRenderer::Draws(MapFormat format)
{
    return format == MapFormat::Dot;
}

std::unique_lock<std::mutex> MapRenderer::Hold()
{
    return std::unique_lock<std::mutex>();
}

bool MapRenderer::Layout(const std::string&, const MapTextMetrics&)
{
    m_error = SentenceWith(wxTRANSLATE("this mindprism-check was built without Graphviz, so it can only "
                                       "write a .dot map (draw that with Graphviz's dot program)"));
    return false;
}

bool MapRenderer::Read(const MapGraph&, MapLayout&)
{
    return Layout(std::string());
}

bool MapRenderer::Render(MapFormat, std::string&)
{
    return Layout(std::string());
}
