#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class TRulerMarker;

/// The paragraph ruler: a scale between grey margins with four markers, the first-line
/// indent (a triangle at the top), the left and right indents (triangles at the bottom)
/// and a box under the left marker that moves the first-line and left markers together.
/// Positions are ruler pixels from the left edge. Markers snap to `RulerTab` while dragged
/// and never come closer to the right marker than `MinIndentDist`; values outside the
/// limits are ignored silently. Events carry the marker (IndentID 0 first-line, 1 left,
/// 2 right, 3 the box) or the margin (MarginID 0 left, 1 right). Releasing a marker raises
/// OnIndentChange only when the drag moved a marker.
class TanlRuler : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int RulerTab READ rulerTab WRITE setRulerTab)
    Q_PROPERTY(int MinIndentDist READ minIndentDist WRITE setMinIndentDist)
    Q_PROPERTY(int Factor READ factor WRITE setFactor)
    Q_PROPERTY(int TabDist READ tabDist WRITE setTabDist)
    Q_PROPERTY(int MarginLeft READ marginLeft WRITE setMarginLeft)
    Q_PROPERTY(int MarginRight READ marginRight WRITE setMarginRight)
    Q_PROPERTY(int BorderLeft READ borderLeft WRITE setBorderLeft)
    Q_PROPERTY(int BorderUp READ borderUp WRITE setBorderUp)
    Q_PROPERTY(int BorderDown READ borderDown WRITE setBorderDown)
    Q_PROPERTY(int BorderRight READ borderRight WRITE setBorderRight)
    Q_PROPERTY(int IndentFirst READ indentFirst WRITE setIndentFirst)
    Q_PROPERTY(int IndentLeft READ indentLeft WRITE setIndentLeft)
    Q_PROPERTY(int IndentRight READ indentRight WRITE setIndentRight)
    Q_PROPERTY(bool ShowSmallLines READ showSmallLines WRITE setShowSmallLines)
    Q_PROPERTY(bool ShowLargeLines READ showLargeLines WRITE setShowLargeLines)
    Q_PROPERTY(bool ShowIndents READ showIndents WRITE setShowIndents)
    Q_PROPERTY(bool ShowNumbers READ showNumbers WRITE setShowNumbers)
    Q_PROPERTY(bool ShowMarginHandlers READ showMarginHandlers WRITE setShowMarginHandlers)

public:
    explicit TanlRuler(QWidget* parent = nullptr);

    int rulerTab() const { return m_rulerTab; }
    void setRulerTab(int value);
    int minIndentDist() const { return m_minIndentDist; }
    void setMinIndentDist(int value) { m_minIndentDist = value; }
    int factor() const { return m_factor; }
    void setFactor(int value);
    int tabDist() const { return m_tabDist; }
    void setTabDist(int value);
    int marginLeft() const { return m_marginLeft; }
    void setMarginLeft(int value);
    int marginRight() const { return m_marginRight; }
    void setMarginRight(int value);
    int borderLeft() const { return m_borderLeft; }
    void setBorderLeft(int value);
    int borderUp() const { return m_borderUp; }
    void setBorderUp(int value);
    int borderDown() const { return m_borderDown; }
    void setBorderDown(int value);
    int borderRight() const { return m_borderRight; }
    void setBorderRight(int value);

    int indentFirst() const { return m_indentFirst; }
    /// Accepted when it differs, 0 <= value < width - 4 and IndentRight - value > MinIndentDist.
    void setIndentFirst(int value);
    int indentLeft() const { return m_indentLeft; }
    /// As setIndentFirst; moves the box along.
    void setIndentLeft(int value);
    int indentRight() const { return m_indentRight; }
    /// Accepted when 0 <= value < width - 4 and value is more than MinIndentDist right of
    /// both the left and the first-line markers.
    void setIndentRight(int value);

    bool showSmallLines() const { return m_showSmallLines; }
    void setShowSmallLines(bool show);
    bool showLargeLines() const { return m_showLargeLines; }
    void setShowLargeLines(bool show);
    bool showIndents() const { return m_showIndents; }
    void setShowIndents(bool show);
    bool showNumbers() const { return m_showNumbers; }
    void setShowNumbers(bool show);
    bool showMarginHandlers() const { return m_showMarginHandlers; }
    void setShowMarginHandlers(bool show);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    /// Moves the left and then the first-line marker one RulerTab right (each may be
    /// refused by the limits) and raises OnIndentChange(3).
    void increaseIndent();
    /// The same one RulerTab to the left.
    void decreaseIndent();

    QSize sizeHint() const override;

Q_SIGNALS:
    void OnIndentChange(int IndentID);
    void OnIndentDrag(int IndentID);
    void OnIndentClick(int IndentID);
    void OnIndentDblClick(int IndentID);
    void OnMarginChange(int MarginID);
    void OnMarginDrag(int MarginID);
    void OnMarginClick(int MarginID);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class TRulerMarker;
    enum class MarginDrag { None, Left, Right };

    void stepIndent(int step);
    int snapped(int x) const { return m_rulerTab * (x / m_rulerTab); }
    int leftMarginEdge() const { return m_borderLeft + m_marginLeft; }
    int rightMarginEdge() const { return width() - m_borderRight - m_marginRight; }
    MarginDrag marginAt(int x) const;
    void moveLeftMargin(int margin);
    void moveRightMargin(int margin);
    void placeMarkers();
    void refresh();

    // Marker events, the mouse in marker coordinates.
    void markerPressed(int id, int x);
    void markerMoved(int id, int x);
    void markerReleased(int id);
    void markerDoubleClicked(int id);

    int m_rulerTab = 10;
    int m_minIndentDist = 50;
    int m_factor = 1;
    int m_tabDist = 10;
    int m_marginLeft = 30;
    int m_marginRight = 20;
    int m_borderLeft = 5;
    int m_borderUp = 5;
    int m_borderDown = 5;
    int m_borderRight = 5;
    int m_indentFirst = 45;
    int m_indentLeft = 45;
    int m_indentRight = 250;
    bool m_showSmallLines = true;
    bool m_showLargeLines = true;
    bool m_showIndents = true;
    bool m_showNumbers = true;
    bool m_showMarginHandlers = true;
    QColor m_color{Qt::white};

    TRulerMarker* m_first;
    TRulerMarker* m_left;
    TRulerMarker* m_right;
    TRulerMarker* m_box;
    bool m_dragging = false;
    int m_pressX = 0;
    std::array<int, 3> m_pressIndents{}; // first, left, right when the drag began
    MarginDrag m_marginDrag = MarginDrag::None;
};
