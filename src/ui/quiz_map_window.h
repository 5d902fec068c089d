// The quiz map window: a frame of its own beside the main window that draws
// the map of the quiz on screen from its layout, marks where the player
// stands and, for a quiz the user opened, plays from a clicked question.
// It only shows what QuizMapLink gives it.
#pragma once

#include "map/map_layout.h"

#include <wx/frame.h>
#include <wx/geometry.h>
#include <wx/scrolwin.h>

#include <functional>
#include <memory>
#include <vector>

class wxGraphicsContext;

// `text` in lines no wider than `width` as `measure` finds them, broken at
// blanks and between Chinese characters (not before closing punctuation);
// a piece wider than `width` without a break keeps a line of its own.
std::vector<wxString> WrapMessage(const wxString& text, double width,
                                  const std::function<double(const wxString&)>& measure);

// The map font's metrics as the canvas draws it: `known` with the
// characters of `graph`'s labels it lacks measured, or `known` itself when
// it has them all.
std::shared_ptr<const MapTextMetrics> MeasureMapText(const MapGraph& graph,
                                                     std::shared_ptr<const MapTextMetrics> known);

// The map itself, drawn with the toolkit's graphics context at any zoom.
class QuizMapCanvas : public wxScrolledCanvas
{
public:
    explicit QuizMapCanvas(wxWindow* parent);

    // Takes a new map (or none). A map after none starts whole when it can
    // be read whole, else at full size around the question marked next; a
    // map in place of another keeps the zoom and the scroll (or stays
    // fitted, after Fit).
    void SetMap(std::shared_ptr<const QuizMap> map);
    const QuizMap* Map() const { return m_map.get(); }
    const MapMarks& Marks() const { return m_marks; }
    void SetMarks(const MapMarks& marks);
    // Shown in place of the map while there is none.
    void SetMessage(const wxString& message);
    // Clicking a question's box calls this with its ID; empty: clicks do nothing.
    void SetJump(std::function<void(const wxString&)> jump);

    double Zoom() const { return m_zoom; }
    // Zooms to `zoom` (within limits), keeping the map point under
    // `around` (client coordinates) where it is; the map is no longer kept
    // fitted.
    void SetZoom(double zoom, const wxPoint& around);
    void ZoomBy(double factor);  // around the pointer when it is over the map
    // Shows the whole map, no larger than full size, and keeps it whole as
    // the window's size and the map change, until the next zoom.
    void Fit();
    bool Fitted() const { return m_fitted; }
    // Scrolls the box of `node` into the middle unless it is wholly in view.
    void ShowNode(size_t node);

    // Client coordinates of a map point; whether a node's box is wholly in view.
    wxPoint ClientPoint(const MapPoint& point) const;
    bool InView(size_t node) const;

private:
    double PixelsPerPoint() const;
    // The zoom that shows the whole map in the window.
    double FitZoom() const;
    void CentreOn(size_t node);
    MapPoint MapPointAt(const wxPoint& client) const;
    // The question box under a client point, if any.
    const MapNode* QuestionAt(const wxPoint& client, size_t* index = nullptr) const;
    void UpdateVirtualSize();

    void OnPaint(wxPaintEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnSize(wxSizeEvent& event);

    void DrawArrow(wxGraphicsContext& gc, size_t index, bool onWay) const;
    void DrawBox(wxGraphicsContext& gc, size_t index, bool labels) const;

    std::shared_ptr<const QuizMap> m_map;
    // Each arrow's extent, to skip those out of view.
    std::vector<wxRect2DDouble> m_arrowBounds;
    MapMarks m_marks;
    std::vector<bool> m_onWayNode;
    std::vector<bool> m_onWayArrow;
    wxString m_message;
    std::function<void(const wxString&)> m_jump;
    double m_zoom = 1;
    bool m_fitted = false;
    bool m_centreNext = false;  // centre the next question marked, even in view
    wxString m_shownId;         // the question last marked; the view follows a new one
};

class QuizMapFrame : public wxFrame
{
public:
    QuizMapFrame(wxWindow* parent, const wxRect& rect);

    static const long ID_CANVAS;

    // "Quiz map - <quiz title>" in the interface language.
    void SetQuizTitle(const wxString& quizTitle);
    QuizMapCanvas* Canvas() const { return m_canvas; }

    // Shows on the status bar and, while there is no map, on the canvas.
    void SetStatus(const wxString& status);
    const wxString& Status() const { return m_status; }

private:
    void OnFit(wxCommandEvent& event);
    void OnZoomIn(wxCommandEvent& event);
    void OnZoomOut(wxCommandEvent& event);

    QuizMapCanvas* m_canvas = nullptr;
    wxString m_status;
};
