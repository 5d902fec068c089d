// The quiz map window and its canvas.
#include "ui/quiz_map_window.h"

#include <wx/accel.h>
#include <wx/artprov.h>
#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/fontenum.h>
#include <wx/graphics.h>
#include <wx/settings.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <algorithm>
#include <cmath>
#include <vector>

const long QuizMapFrame::ID_CANVAS = wxNewId();

namespace
{

constexpr double MIN_ZOOM = 0.01;  // Fit shows even a map of thousands of boxes whole
constexpr double MAX_ZOOM = 8;
constexpr double FIT_MAX_ZOOM = 1;   // a small map is shown whole, not enlarged
// The least zoom a quiz opened anew starts at to show its map whole: below
// it the box texts (9 points) are too small to read at a glance.
constexpr double READABLE_ZOOM = 0.6;
constexpr double ZOOM_STEP = 1.25;
constexpr int MARGIN = 16;           // pixels around the map
constexpr int SCROLL_STEP = 48;      // pixels per wheel notch or arrow key
constexpr double SMALLEST_TEXT = 4;  // pixels; smaller labels are not drawn
// Graphviz's arrowhead: ten points long, its half-width 0.35 of that.
constexpr double HEAD_HALF_WIDTH = 0.35;

// The map's own colours, those of the checker's pictures: it is drawn on
// white, like a page, whatever the theme.
const wxColour INK(0, 0, 0);
const wxColour ARROW_INK(0x59, 0x59, 0x59);     // grey35
const wxColour UNREACHED_FILL(0xd9, 0xd9, 0xd9);  // grey85
const wxColour UNREACHED_INK(0x73, 0x73, 0x73);   // grey45
const wxColour UNREACHED_TEXT(0x4d, 0x4d, 0x4d);  // grey30
const wxColour TRAP_INK(0xff, 0, 0);
const wxColour TRAP_TEXT(0xcd, 0, 0);             // red3
const wxColour RESULT_FILL(0xdc, 0xef, 0xd9);
const wxColour RESULT_INK(0x4f, 0x8a, 0x4a);

// Whether a line may break before `c`: at a blank (which is dropped), and
// between Chinese characters, but never before closing punctuation.
bool MayBreakBefore(wxUniChar previous, wxUniChar c)
{
    static const wxString closing = wxString::FromUTF8("，。、；：？！）」』】》,.;:?!)");
    const auto wide = [](wxUniChar x) { return x.GetValue() >= 0x2E80 && x.GetValue() <= 0xFFEF; };
    if (c == ' ')
        return true;
    if (closing.Find(c) != wxNOT_FOUND)
        return false;
    return previous == ' ' || wide(previous) || wide(c);
}

// The family the layout measured the labels with, when this system has it.
wxString MapFace()
{
    static const wxString face = [] {
        const wxString wanted = wxString::FromUTF8(MAP_FONT).BeforeFirst(',');
        return wxFontEnumerator::IsValidFacename(wanted) ? wanted : wxString();
    }();
    return face;
}

// A graphics context for measuring text, and the bitmap it measures on.
struct Measurer
{
    Measurer() : bitmap(8, 8), dc(bitmap), gc(wxGraphicsContext::Create(dc)) {}

    wxBitmap bitmap;
    wxMemoryDC dc;
    std::unique_ptr<wxGraphicsContext> gc;
};

// A font whose em is `points` map points once the context is scaled to
// the map. The layout measured its labels with Pango at that em size; the
// toolkit's fonts are sized in screen points (or by line height), so the
// point size that gives the em wanted is measured once: CJK characters are
// one em wide.
wxFont MapFont(double points)
{
    static const double pointsPerEm = [] {
        Measurer measurer;
        wxGraphicsContext* gc = measurer.gc.get();
        const double probe = 100;
        double width = 0;
        if (gc)
        {
            gc->SetFont(gc->CreateFont(wxFont(wxFontInfo(probe).FaceName(MapFace())), INK));
            gc->GetTextExtent(wxString::FromUTF8("\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80"
                                                 "\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80"),
                              &width, nullptr);
        }
        return width > 0 ? probe / (width / 8) : 0.75;
    }();
    return wxFont(wxFontInfo(points * pointsPerEm).FaceName(MapFace()));
}

const wxFont& BoxFont()
{
    static const wxFont font = MapFont(MAP_BOX_FONT_SIZE);
    return font;
}

wxColour Selection()
{
    return wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
}

wxRect2DDouble BoxRect(const MapBox& box, double inset = 0)
{
    return wxRect2DDouble(box.centre.x - box.width / 2 + inset, box.centre.y - box.height / 2 + inset,
                          box.width - 2 * inset, box.height - 2 * inset);
}

void SetPen(wxGraphicsContext& gc, const wxColour& colour, double width, wxPenStyle style = wxPENSTYLE_SOLID)
{
    gc.SetPen(gc.CreatePen(wxGraphicsPenInfo(colour, width, style)));
}

// A toolbar picture from the theme, or an empty one of the right size.
wxBitmapBundle ToolPicture(const wxString& name)
{
    wxBitmapBundle picture = wxArtProvider::GetBitmapBundle(name, wxART_TOOLBAR);
    if (!picture.IsOk())
    {
        // Masked rather than transparent by alpha: a Windows toolbar draws
        // a picture whose every pixel has no alpha as a black square.
        wxImage blank(16, 16);
        blank.SetMaskColour(0, 0, 0);
        picture = wxBitmapBundle(wxBitmap(blank));
    }
    return picture;
}

} // namespace

std::shared_ptr<const MapTextMetrics> MeasureMapText(const MapGraph& graph,
                                                     std::shared_ptr<const MapTextMetrics> known)
{
    std::vector<char32_t> missing;
    const auto Note = [&](const std::string& text) {
        ForEachCharacter(text, [&](char32_t c) {
            if (!(known && known->Knows(c)))
                missing.push_back(c);
        });
    };
    for (const MapNode& node : graph.nodes)
        for (const std::string& line : node.lines)
            Note(line);
    for (const MapArrow& arrow : graph.arrows)
        Note(arrow.label);
    if (known && missing.empty())
        return known;
    // Measured large, where the font's hinting hardly rounds, in the font
    // the canvas draws with: its em is the size asked for.
    constexpr double probe = 100;
    Measurer measurer;
    if (!measurer.gc)
        return known;
    measurer.gc->SetFont(measurer.gc->CreateFont(MapFont(probe), INK));
    double width = 0, height = 0;
    measurer.gc->GetTextExtent(wxString::FromUTF8("\xE4\xB8\x80"), &width, &height);
    auto measured = std::make_shared<MapTextMetrics>(known ? *known : MapTextMetrics(height / probe));
    std::sort(missing.begin(), missing.end());
    missing.erase(std::unique(missing.begin(), missing.end()), missing.end());
    for (const char32_t c : missing)
    {
        measurer.gc->GetTextExtent(wxString(wxUniChar(c)), &width, &height);
        measured->SetAdvance(c, width / probe);
    }
    return measured;
}

std::vector<wxString> WrapMessage(const wxString& text, double width,
                                  const std::function<double(const wxString&)>& measure)
{
    std::vector<wxString> lines;
    wxString line;
    size_t lastBreak = 0;  // in `line`; 0: none yet
    for (const wxUniChar c : text)
    {
        if (!line.empty() && MayBreakBefore(line.Last(), c))
            lastBreak = line.length();
        line += c;
        if (lastBreak > 0 && measure(line) > width)
        {
            lines.push_back(line.Left(lastBreak).Strip(wxString::trailing));
            line = line.Mid(lastBreak).Strip(wxString::leading);
            lastBreak = 0;
        }
    }
    lines.push_back(line);
    return lines;
}

QuizMapCanvas::QuizMapCanvas(wxWindow* parent)
    : wxScrolledCanvas(parent, QuizMapFrame::ID_CANVAS, wxDefaultPosition, wxDefaultSize,
                       wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetScrollRate(1, 1);
    // The wheel and the keys scroll by more than the one-pixel unit.
    DisableKeyboardScrolling();
    Bind(wxEVT_PAINT, &QuizMapCanvas::OnPaint, this);
    Bind(wxEVT_MOUSEWHEEL, &QuizMapCanvas::OnWheel, this);
    Bind(wxEVT_LEFT_UP, &QuizMapCanvas::OnLeftUp, this);
    Bind(wxEVT_MOTION, &QuizMapCanvas::OnMotion, this);
    Bind(wxEVT_KEY_DOWN, &QuizMapCanvas::OnKey, this);
    Bind(wxEVT_SIZE, &QuizMapCanvas::OnSize, this);
}

void QuizMapCanvas::SetMap(std::shared_ptr<const QuizMap> map)
{
    const bool first = !m_map;
    m_map = std::move(map);
    m_arrowBounds.clear();
    m_marks = MapMarks{};
    if (!m_map)
    {
        SetVirtualSize(0, 0);
        Refresh();
        return;
    }
    for (const MapLine& line : m_map->layout.lines)
    {
        wxRect2DDouble bounds;
        bool any = false;
        const auto Add = [&](const MapPoint& p) {
            const wxRect2DDouble dot(p.x - 6, p.y - 6, 12, 12);
            if (any)
                bounds.Union(dot);
            else
                bounds = dot;
            any = true;
        };
        for (const MapPoint& p : line.curve)
            Add(p);
        if (line.head)
            Add(*line.head);
        if (line.label)
            Add(*line.label);
        if (line.label)
            bounds.Union(wxRect2DDouble(line.label->x - line.labelWidth / 2, line.label->y - line.labelHeight / 2,
                                        line.labelWidth, line.labelHeight));
        m_arrowBounds.push_back(bounds);
    }
    m_onWayNode.assign(m_map->graph.nodes.size(), false);
    m_onWayArrow.assign(m_map->graph.arrows.size(), false);
    if (first)
    {
        // A map that can be read whole is shown whole; a larger one at full
        // size, around the question on screen.
        m_shownId.clear();
        m_fitted = FitZoom() >= READABLE_ZOOM;
        m_centreNext = !m_fitted;
        if (!m_fitted)
            m_zoom = 1;
    }
    if (m_fitted)
    {
        Fit();
        return;
    }
    // The author's zoom and scroll stay as the map is laid out again.
    const wxPoint start = GetViewStart();
    UpdateVirtualSize();
    Scroll(start);
    Refresh();
}

void QuizMapCanvas::SetMarks(const MapMarks& marks)
{
    m_marks = marks;
    if (!m_map)
        return;
    std::fill(m_onWayNode.begin(), m_onWayNode.end(), false);
    std::fill(m_onWayArrow.begin(), m_onWayArrow.end(), false);
    for (size_t node : m_marks.wayNodes)
        m_onWayNode[node] = true;
    for (size_t arrow : m_marks.wayArrows)
        m_onWayArrow[arrow] = true;
    // The view follows the player to another question; the same question
    // in a map laid out again stays where the author scrolled it.
    if (m_marks.current)
    {
        const wxString& id = m_map->graph.nodes[*m_marks.current].id;
        if (m_centreNext)
            CentreOn(*m_marks.current);
        else if (id != m_shownId)
            ShowNode(*m_marks.current);
        m_centreNext = false;
        m_shownId = id;
    }
    Refresh();
}

void QuizMapCanvas::SetMessage(const wxString& message)
{
    m_message = message;
    if (!m_map)
        Refresh();
}

void QuizMapCanvas::SetJump(std::function<void(const wxString&)> jump)
{
    m_jump = std::move(jump);
}

double QuizMapCanvas::PixelsPerPoint() const
{
    // At 100 % a point of the map is a point on the screen.
    return m_zoom * FromDIP(96) / 72.0;
}

void QuizMapCanvas::UpdateVirtualSize()
{
    if (!m_map)
        return;
    const double scale = PixelsPerPoint();
    SetVirtualSize(int(std::ceil(m_map->layout.width * scale)) + 2 * MARGIN,
                   int(std::ceil(m_map->layout.height * scale)) + 2 * MARGIN);
}

MapPoint QuizMapCanvas::MapPointAt(const wxPoint& client) const
{
    const wxPoint start = GetViewStart();
    const double scale = PixelsPerPoint();
    return MapPoint{(client.x + start.x - MARGIN) / scale, (client.y + start.y - MARGIN) / scale};
}

wxPoint QuizMapCanvas::ClientPoint(const MapPoint& point) const
{
    const wxPoint start = GetViewStart();
    const double scale = PixelsPerPoint();
    return wxPoint(wxRound(point.x * scale + MARGIN - start.x), wxRound(point.y * scale + MARGIN - start.y));
}

bool QuizMapCanvas::InView(size_t node) const
{
    if (!m_map || node >= m_map->layout.boxes.size())
        return false;
    const wxRect2DDouble box = BoxRect(m_map->layout.boxes[node]);
    const wxRect client(GetClientSize());
    return client.Contains(ClientPoint({box.m_x, box.m_y})) &&
           client.Contains(ClientPoint({box.GetRight(), box.GetBottom()}));
}

void QuizMapCanvas::SetZoom(double zoom, const wxPoint& around)
{
    zoom = std::clamp(zoom, MIN_ZOOM, MAX_ZOOM);
    m_fitted = false;
    if (!m_map || zoom == m_zoom)
        return;
    const MapPoint held = MapPointAt(around);
    m_zoom = zoom;
    UpdateVirtualSize();
    const double scale = PixelsPerPoint();
    Scroll(wxRound(held.x * scale + MARGIN - around.x), wxRound(held.y * scale + MARGIN - around.y));
    Refresh();
}

void QuizMapCanvas::ZoomBy(double factor)
{
    const wxPoint pointer = ScreenToClient(wxGetMousePosition());
    const wxRect client(GetClientSize());
    SetZoom(m_zoom * factor, client.Contains(pointer) ? pointer : wxPoint(client.width / 2, client.height / 2));
}

double QuizMapCanvas::FitZoom() const
{
    const wxSize client = GetClientSize();
    const double base = PixelsPerPoint() / m_zoom;
    return std::clamp(std::min({(client.x - 2 * MARGIN) / (m_map->layout.width * base),
                                (client.y - 2 * MARGIN) / (m_map->layout.height * base), FIT_MAX_ZOOM}),
                      MIN_ZOOM, MAX_ZOOM);
}

void QuizMapCanvas::Fit()
{
    if (!m_map)
        return;
    m_fitted = true;
    m_zoom = FitZoom();
    UpdateVirtualSize();
    Scroll(0, 0);
    Refresh();
}

void QuizMapCanvas::OnSize(wxSizeEvent& event)
{
    event.Skip();
    if (m_fitted)
        Fit();
}

void QuizMapCanvas::ShowNode(size_t node)
{
    if (!m_map || InView(node))
        return;
    CentreOn(node);
}

void QuizMapCanvas::CentreOn(size_t node)
{
    const MapPoint centre = m_map->layout.boxes[node].centre;
    const wxSize client = GetClientSize();
    const double scale = PixelsPerPoint();
    Scroll(wxRound(centre.x * scale + MARGIN - client.x / 2.0), wxRound(centre.y * scale + MARGIN - client.y / 2.0));
}

const MapNode* QuizMapCanvas::QuestionAt(const wxPoint& client, size_t* index) const
{
    if (!m_map)
        return nullptr;
    const MapPoint point = MapPointAt(client);
    for (size_t node = 0; node < m_map->graph.nodes.size(); ++node)
        if (m_map->graph.nodes[node].kind == MapNodeKind::Question &&
            BoxRect(m_map->layout.boxes[node]).Contains(wxPoint2DDouble(point.x, point.y)))
        {
            if (index)
                *index = node;
            return &m_map->graph.nodes[node];
        }
    return nullptr;
}

void QuizMapCanvas::OnWheel(wxMouseEvent& event)
{
    const double notches = double(event.GetWheelRotation()) / std::max(1, event.GetWheelDelta());
    if (event.ControlDown())
    {
        SetZoom(m_zoom * std::pow(ZOOM_STEP, notches), event.GetPosition());
        return;
    }
    const int step = -wxRound(notches * SCROLL_STEP * std::max(1, event.GetLinesPerAction()) / 3.0);
    const wxPoint start = GetViewStart();
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL || event.ShiftDown())
        Scroll(start.x - step * (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL ? -1 : 1), start.y);
    else
        Scroll(start.x, start.y + step);
}

void QuizMapCanvas::OnKey(wxKeyEvent& event)
{
    const wxPoint start = GetViewStart();
    const wxSize page = GetClientSize();
    switch (event.GetKeyCode())
    {
        case WXK_LEFT: Scroll(start.x - SCROLL_STEP, start.y); break;
        case WXK_RIGHT: Scroll(start.x + SCROLL_STEP, start.y); break;
        case WXK_UP: Scroll(start.x, start.y - SCROLL_STEP); break;
        case WXK_DOWN: Scroll(start.x, start.y + SCROLL_STEP); break;
        case WXK_PAGEUP: Scroll(start.x, start.y - page.y * 9 / 10); break;
        case WXK_PAGEDOWN: Scroll(start.x, start.y + page.y * 9 / 10); break;
        case WXK_HOME: Scroll(0, 0); break;
        case WXK_END: Scroll(start.x, GetVirtualSize().y); break;
        default: event.Skip(); break;
    }
}

void QuizMapCanvas::OnLeftUp(wxMouseEvent& event)
{
    event.Skip();
    if (!m_jump)
        return;
    if (const MapNode* question = QuestionAt(event.GetPosition()))
        m_jump(question->id);
}

void QuizMapCanvas::OnMotion(wxMouseEvent& event)
{
    event.Skip();
    SetCursor(m_jump && QuestionAt(event.GetPosition()) ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
}

void QuizMapCanvas::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    if (!gc)
        return;
    if (!m_map)
    {
        // Said in a few lines across the middle: a reason from Graphviz can
        // be long.
        gc->SetFont(GetFont(), wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
        const wxSize client = GetClientSize();
        double lineHeight = 0;
        const auto measure = [&gc, &lineHeight](const wxString& line) {
            double width = 0, height = 0;
            gc->GetTextExtent(line, &width, &height);
            lineHeight = std::max(lineHeight, height);
            return width;
        };
        const std::vector<wxString> lines = WrapMessage(m_message, client.x - 2 * MARGIN, measure);
        std::vector<double> widths;
        for (const wxString& line : lines)
            widths.push_back(measure(line));
        const double top = (client.y - lineHeight * lines.size()) / 2;
        for (size_t line = 0; line < lines.size(); ++line)
            gc->DrawText(lines[line], (client.x - widths[line]) / 2, top + line * lineHeight);
        return;
    }
    const wxPoint start = GetViewStart();
    const double scale = PixelsPerPoint();
    gc->Translate(MARGIN - start.x, MARGIN - start.y);
    gc->Scale(scale, scale);
    const wxSize client = GetClientSize();
    const wxRect2DDouble view((start.x - MARGIN) / scale, (start.y - MARGIN) / scale, client.x / scale,
                              client.y / scale);

    // Arrows under boxes, the way's over the others.
    const bool arrowLabels = MAP_ARROW_FONT_SIZE * scale >= SMALLEST_TEXT;
    if (arrowLabels)
        gc->SetFont(gc->CreateFont(MapFont(MAP_ARROW_FONT_SIZE), INK));
    for (int pass = 0; pass < 2; ++pass)
        for (size_t arrow = 0; arrow < m_map->layout.lines.size(); ++arrow)
            if (m_onWayArrow[arrow] == (pass == 1) && m_arrowBounds[arrow].Intersects(view))
                DrawArrow(*gc, arrow, pass == 1);
    if (arrowLabels)
        for (size_t arrow = 0; arrow < m_map->layout.lines.size(); ++arrow)
        {
            const MapLine& line = m_map->layout.lines[arrow];
            if (!line.label || !m_arrowBounds[arrow].Intersects(view))
                continue;
            const wxString text = wxString::FromUTF8(m_map->graph.arrows[arrow].label);
            double width = 0, height = 0;
            gc->GetTextExtent(text, &width, &height);
            gc->DrawText(text, line.label->x - width / 2, line.label->y - height / 2);
        }
    const bool boxLabels = MAP_BOX_FONT_SIZE * scale >= SMALLEST_TEXT;
    for (size_t node = 0; node < m_map->layout.boxes.size(); ++node)
        if (BoxRect(m_map->layout.boxes[node]).Intersects(view))
            DrawBox(*gc, node, boxLabels);
}

void QuizMapCanvas::DrawArrow(wxGraphicsContext& gc, size_t index, bool onWay) const
{
    const MapLine& line = m_map->layout.lines[index];
    if (line.curve.empty())
        return;
    const wxColour ink = onWay ? Selection() : ARROW_INK;
    SetPen(gc, ink, onWay ? 2.5 : 1);
    wxGraphicsPath path = gc.CreatePath();
    path.MoveToPoint(line.curve[0].x, line.curve[0].y);
    for (size_t at = 1; at + 2 < line.curve.size(); at += 3)
        path.AddCurveToPoint(line.curve[at].x, line.curve[at].y, line.curve[at + 1].x, line.curve[at + 1].y,
                             line.curve[at + 2].x, line.curve[at + 2].y);
    gc.StrokePath(path);
    if (!line.head)
        return;
    // The head runs from the curve's end to its tip.
    const MapPoint base = line.curve.back();
    const MapPoint tip = *line.head;
    const double across = HEAD_HALF_WIDTH * (onWay ? 1.4 : 1);
    const MapPoint side{-(tip.y - base.y) * across, (tip.x - base.x) * across};
    wxGraphicsPath head = gc.CreatePath();
    head.MoveToPoint(tip.x, tip.y);
    head.AddLineToPoint(base.x + side.x, base.y + side.y);
    head.AddLineToPoint(base.x - side.x, base.y - side.y);
    head.CloseSubpath();
    SetPen(gc, ink, 1);
    gc.SetBrush(wxBrush(ink));
    gc.DrawPath(head);
}

void QuizMapCanvas::DrawBox(wxGraphicsContext& gc, size_t index, bool labels) const
{
    const MapNode& node = m_map->graph.nodes[index];
    const MapBox& box = m_map->layout.boxes[index];
    const bool current = m_marks.current == index;
    wxColour fill = *wxWHITE;
    wxColour ink = INK;
    wxColour text = INK;
    double width = 1;
    wxPenStyle style = wxPENSTYLE_SOLID;
    double radius = 0;
    switch (node.kind)
    {
        case MapNodeKind::Question:
            if (node.unreachable)
            {
                fill = UNREACHED_FILL;
                ink = UNREACHED_INK;
                text = UNREACHED_TEXT;
            }
            if (node.trapped)
            {
                ink = TRAP_INK;
                text = TRAP_TEXT;
                width = 1.6;
            }
            break;
        case MapNodeKind::Result:
            // Grey like an unreached question when no ending names it.
            fill = node.unreachable ? UNREACHED_FILL : RESULT_FILL;
            ink = node.unreachable ? UNREACHED_INK : RESULT_INK;
            if (node.unreachable)
                text = UNREACHED_TEXT;
            radius = 6;
            break;
        case MapNodeKind::Unknown:
            ink = TRAP_INK;
            text = TRAP_TEXT;
            style = wxPENSTYLE_SHORT_DASH;
            break;
    }
    if (current)
    {
        // The question on screen: filled and framed strongly in the
        // theme's selection colour.
        fill = Selection();
        ink = Selection().ChangeLightness(60);
        text = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT);
        width = 3;
    }
    else if (m_onWayNode[index])
    {
        ink = Selection();
        width = 2.5;
    }
    const wxRect2DDouble outer = BoxRect(box);
    gc.SetBrush(wxBrush(fill));
    SetPen(gc, ink, width, style);
    if (node.entry)
    {
        // Two borders, the inner one around the text.
        SetPen(gc, ink, std::min(width, 1.6));
        gc.DrawRectangle(outer.m_x, outer.m_y, outer.m_width, outer.m_height);
        SetPen(gc, ink, width, style);
        const wxRect2DDouble inner = BoxRect(box, MAP_ENTRY_BORDER_GAP);
        gc.DrawRectangle(inner.m_x, inner.m_y, inner.m_width, inner.m_height);
    }
    else if (radius > 0)
        gc.DrawRoundedRectangle(outer.m_x, outer.m_y, outer.m_width, outer.m_height, radius);
    else
        gc.DrawRectangle(outer.m_x, outer.m_y, outer.m_width, outer.m_height);
    if (!labels || node.lines.empty())
        return;
    gc.SetFont(gc.CreateFont(BoxFont(), text));
    std::vector<wxString> lines;
    double height = 0;
    std::vector<double> widths;
    double lineHeight = 0;
    for (const std::string& line : node.lines)
    {
        lines.push_back(wxString::FromUTF8(line));
        double w = 0, h = 0;
        gc.GetTextExtent(lines.back(), &w, &h);
        widths.push_back(w);
        lineHeight = std::max(lineHeight, h);
    }
    height = lineHeight * lines.size();
    for (size_t line = 0; line < lines.size(); ++line)
        gc.DrawText(lines[line], box.centre.x - widths[line] / 2,
                    box.centre.y - height / 2 + line * lineHeight);
}

QuizMapFrame::QuizMapFrame(wxWindow* parent, const wxRect& rect)
    : wxFrame(parent, wxID_ANY, _("Quiz map"), rect.GetPosition(), rect.GetSize(), wxDEFAULT_FRAME_STYLE,
              wxS("QuizMap"))
{
    wxToolBar* tools = CreateToolBar(wxTB_HORIZONTAL | wxTB_TEXT | wxTB_HORZ_LAYOUT);
    tools->AddTool(wxID_ZOOM_FIT, _("Fit"), ToolPicture(wxS("zoom-fit-best")), _("Show the whole map (Ctrl+0)"));
    tools->AddTool(wxID_ZOOM_IN, _("Zoom in"), ToolPicture(wxS("zoom-in")), _("Zoom in (Ctrl++)"));
    tools->AddTool(wxID_ZOOM_OUT, _("Zoom out"), ToolPicture(wxS("zoom-out")), _("Zoom out (Ctrl+-)"));
    tools->Realize();
    m_canvas = new QuizMapCanvas(this);
    CreateStatusBar(1);

    Connect(wxID_ZOOM_FIT, wxEVT_COMMAND_MENU_SELECTED, wxCommandEventHandler(QuizMapFrame::OnFit));
    Connect(wxID_ZOOM_IN, wxEVT_COMMAND_MENU_SELECTED, wxCommandEventHandler(QuizMapFrame::OnZoomIn));
    Connect(wxID_ZOOM_OUT, wxEVT_COMMAND_MENU_SELECTED, wxCommandEventHandler(QuizMapFrame::OnZoomOut));
    // Ctrl with plus or minus wherever the keyboard has them.
    wxAcceleratorEntry keys[] = {
        {wxACCEL_CTRL, '0', wxID_ZOOM_FIT},
        {wxACCEL_CTRL, '+', wxID_ZOOM_IN},
        {wxACCEL_CTRL | wxACCEL_SHIFT, '+', wxID_ZOOM_IN},  // where plus is a shifted key
        {wxACCEL_CTRL | wxACCEL_SHIFT, '=', wxID_ZOOM_IN},
        {wxACCEL_CTRL, '=', wxID_ZOOM_IN},
        {wxACCEL_CTRL, WXK_NUMPAD_ADD, wxID_ZOOM_IN},
        {wxACCEL_CTRL, '-', wxID_ZOOM_OUT},
        {wxACCEL_CTRL, WXK_NUMPAD_SUBTRACT, wxID_ZOOM_OUT},
    };
    SetAcceleratorTable(wxAcceleratorTable(WXSIZEOF(keys), keys));
    m_canvas->SetFocus();
}

void QuizMapFrame::SetQuizTitle(const wxString& quizTitle)
{
    SetTitle(_("Quiz map") + wxS(" - ") + quizTitle);
}

void QuizMapFrame::SetStatus(const wxString& status)
{
    m_status = status;
    SetStatusText(status);
    m_canvas->SetMessage(status);
}

void QuizMapFrame::OnFit(wxCommandEvent&)
{
    m_canvas->Fit();
}

void QuizMapFrame::OnZoomIn(wxCommandEvent&)
{
    m_canvas->ZoomBy(ZOOM_STEP);
}

void QuizMapFrame::OnZoomOut(wxCommandEvent&)
{
    m_canvas->ZoomBy(1 / ZOOM_STEP);
}
