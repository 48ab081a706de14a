#include "text/anlRuler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {
constexpr int kMarkerWidth = 9;
constexpr int kMarkerHeight = 8;
constexpr int kBoxHeight = 5;
} // namespace

/// One of the ruler's four markers; it draws itself and hands the mouse to the ruler.
class TRulerMarker : public QWidget {
public:
    TRulerMarker(TanlRuler* ruler, int id) : QWidget(ruler), m_ruler(ruler), m_id(id) {
        static const char* const names[] = {"FirstMarker", "LeftMarker", "RightMarker",
                                            "IndentBox"};
        setObjectName(QString::fromLatin1(names[id]));
        resize(kMarkerWidth, id == 3 ? kBoxHeight : kMarkerHeight);
        setCursor(Qt::ArrowCursor);
    }
    int id() const { return m_id; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.setBrush(palette().color(QPalette::Button));
        const int w = width() - 1;
        const int h = height() - 1;
        if (m_id == 3) {
            painter.drawRect(0, 0, w, h);
        } else if (m_id == 0) {
            painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(w, 0), QPoint(w / 2, h)}));
        } else {
            painter.drawPolygon(QPolygon({QPoint(w / 2, 0), QPoint(w, h), QPoint(0, h)}));
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_ruler->markerPressed(m_id, int(event->position().x()));
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) m_ruler->markerDoubleClicked(m_id);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton)
            m_ruler->markerMoved(m_id, int(event->position().x()));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) m_ruler->markerReleased(m_id);
    }

private:
    TanlRuler* m_ruler;
    int m_id;
};

TanlRuler::TanlRuler(QWidget* parent)
    : QWidget(parent), m_first(new TRulerMarker(this, 0)), m_left(new TRulerMarker(this, 1)),
      m_right(new TRulerMarker(this, 2)), m_box(new TRulerMarker(this, 3)) {
    QFont small(QStringLiteral("Small Fonts"));
    small.setPointSize(7);
    setFont(small);
    setMouseTracking(true);
    placeMarkers();
}

QSize TanlRuler::sizeHint() const {
    return QSize(400, 26);
}

void TanlRuler::setRulerTab(int value) {
    m_rulerTab = std::clamp(value, 1, 255);
}
void TanlRuler::setFactor(int value) {
    m_factor = std::clamp(value, 1, 30000);
    update();
}
void TanlRuler::setTabDist(int value) {
    m_tabDist = std::clamp(value, 1, 30000);
    update();
}
void TanlRuler::setMarginLeft(int value) {
    m_marginLeft = value;
    update();
}
void TanlRuler::setMarginRight(int value) {
    m_marginRight = value;
    update();
}
void TanlRuler::setBorderLeft(int value) {
    m_borderLeft = value;
    update();
}
void TanlRuler::setBorderUp(int value) {
    m_borderUp = value;
    refresh();
}
void TanlRuler::setBorderDown(int value) {
    m_borderDown = value;
    refresh();
}
void TanlRuler::setBorderRight(int value) {
    m_borderRight = value;
    update();
}
void TanlRuler::setShowSmallLines(bool show) {
    m_showSmallLines = show;
    update();
}
void TanlRuler::setShowLargeLines(bool show) {
    m_showLargeLines = show;
    update();
}
void TanlRuler::setShowIndents(bool show) {
    m_showIndents = show;
    refresh();
}
void TanlRuler::setShowNumbers(bool show) {
    m_showNumbers = show;
    update();
}
void TanlRuler::setShowMarginHandlers(bool show) {
    m_showMarginHandlers = show;
    update();
}
void TanlRuler::setColor(const QColor& color) {
    m_color = color;
    update();
}

void TanlRuler::setIndentFirst(int value) {
    if (value == m_indentFirst || value < 0 || value >= width() - 4 ||
        m_indentRight - value <= m_minIndentDist)
        return;
    m_indentFirst = value;
    placeMarkers();
    if (m_dragging) Q_EMIT OnIndentDrag(0);
}

void TanlRuler::setIndentLeft(int value) {
    if (value == m_indentLeft || value < 0 || value >= width() - 4 ||
        m_indentRight - value <= m_minIndentDist)
        return;
    m_indentLeft = value;
    placeMarkers();
    if (m_dragging) Q_EMIT OnIndentDrag(1);
}

void TanlRuler::setIndentRight(int value) {
    if (value < 0 || value >= width() - 4 || value - m_indentLeft <= m_minIndentDist ||
        value - m_indentFirst <= m_minIndentDist)
        return;
    m_indentRight = value;
    placeMarkers();
    if (m_dragging) Q_EMIT OnIndentDrag(2);
}

void TanlRuler::increaseIndent() {
    stepIndent(m_rulerTab);
}
void TanlRuler::decreaseIndent() {
    stepIndent(-m_rulerTab);
}

void TanlRuler::stepIndent(int step) {
    setIndentLeft(m_indentLeft + step);
    setIndentFirst(m_indentFirst + step);
    Q_EMIT OnIndentChange(3);
}

void TanlRuler::placeMarkers() {
    const int h = height();
    const int firstTop = std::max(0, std::min(m_borderUp - 3, h - 8));
    const int lowerTop = std::max(0, std::min(h - m_borderDown - 8, h - 13));
    m_first->move(m_indentFirst, firstTop);
    m_left->move(m_indentLeft, lowerTop);
    m_box->move(m_indentLeft, lowerTop + 8);
    m_right->move(m_indentRight, lowerTop);
    for (QWidget* marker : {m_first, m_left, m_right, m_box})
        marker->setVisible(m_showIndents);
}

void TanlRuler::refresh() {
    placeMarkers();
    update();
}

void TanlRuler::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeMarkers();
}

void TanlRuler::markerPressed(int id, int x) {
    m_dragging = true;
    m_pressX = x;
    m_pressIndents = {m_indentFirst, m_indentLeft, m_indentRight};
    Q_EMIT OnIndentClick(id);
}

void TanlRuler::markerDoubleClicked(int id) {
    m_dragging = false;
    Q_EMIT OnIndentDblClick(id);
}

void TanlRuler::markerMoved(int id, int x) {
    if (!m_dragging) return;
    switch (id) {
    case 0:
        setIndentFirst(snapped(x + m_indentFirst - m_pressX));
        break;
    case 1:
        setIndentLeft(snapped(x + m_indentLeft - m_pressX));
        break;
    case 2:
        setIndentRight(snapped(x + m_indentRight - m_pressX));
        break;
    case 3: {
        // The mouse is relative to the box as it stood when the move began.
        const int first = snapped(x + m_indentFirst - m_pressX);
        setIndentLeft(snapped(x + m_indentLeft - m_pressX));
        setIndentFirst(first);
        break;
    }
    default:
        break;
    }
}

void TanlRuler::markerReleased(int id) {
    if (!m_dragging) return;
    m_dragging = false;
    update();
    // A click that moved nothing changes nothing: the way back to the paragraph is not an
    // exact inverse and would shift it.
    if (std::array{m_indentFirst, m_indentLeft, m_indentRight} != m_pressIndents)
        Q_EMIT OnIndentChange(id);
}

TanlRuler::MarginDrag TanlRuler::marginAt(int x) const {
    if (!m_showMarginHandlers) return MarginDrag::None;
    if (std::abs(x - leftMarginEdge()) <= 3) return MarginDrag::Left;
    if (std::abs(x - rightMarginEdge()) <= 3) return MarginDrag::Right;
    return MarginDrag::None;
}

void TanlRuler::moveLeftMargin(int margin) {
    if (margin < 0 || margin > width() - m_marginRight - m_borderRight - m_borderLeft) return;
    const int change = margin - m_marginLeft;
    if (change == 0) return;
    m_marginLeft = margin;
    setIndentFirst(m_indentFirst + change);
    setIndentLeft(m_indentLeft + change);
    update();
    Q_EMIT OnMarginDrag(0);
}

void TanlRuler::moveRightMargin(int margin) {
    if (margin < 0 || margin > width() - m_marginLeft - m_borderLeft - m_borderRight) return;
    const int change = margin - m_marginRight;
    if (change == 0) return;
    m_marginRight = margin;
    setIndentRight(m_indentRight - change);
    update();
    Q_EMIT OnMarginDrag(1);
}

void TanlRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_marginDrag = marginAt(int(event->position().x()));
    if (m_marginDrag != MarginDrag::None)
        Q_EMIT OnMarginClick(m_marginDrag == MarginDrag::Left ? 0 : 1);
}

void TanlRuler::mouseMoveEvent(QMouseEvent* event) {
    const int x = int(event->position().x());
    if (m_marginDrag == MarginDrag::Left) {
        moveLeftMargin(m_rulerTab * ((x - m_borderLeft) / m_rulerTab));
    } else if (m_marginDrag == MarginDrag::Right) {
        moveRightMargin(m_rulerTab * ((width() - m_borderRight - x) / m_rulerTab));
    } else {
        setCursor(marginAt(x) != MarginDrag::None ? Qt::SizeHorCursor : Qt::ArrowCursor);
    }
}

void TanlRuler::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_marginDrag == MarginDrag::None) return;
    const int id = m_marginDrag == MarginDrag::Left ? 0 : 1;
    m_marginDrag = MarginDrag::None;
    Q_EMIT OnMarginChange(id);
}

void TanlRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const int scaleTop = m_borderUp;
    const int scaleHeight = std::max(0, h - m_borderUp - m_borderDown);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QColor shadow = palette().color(QPalette::Dark);
    painter.fillRect(m_borderLeft, scaleTop, m_marginLeft, scaleHeight, shadow);
    painter.fillRect(rightMarginEdge(), scaleTop, m_marginRight, scaleHeight, shadow);
    painter.fillRect(leftMarginEdge(), scaleTop, rightMarginEdge() - leftMarginEdge(), scaleHeight,
                     m_color);
    if (m_showMarginHandlers) {
        painter.fillRect(leftMarginEdge() - 1, scaleTop, 2, scaleHeight, Qt::black);
        painter.fillRect(rightMarginEdge() - 1, scaleTop, 2, scaleHeight, Qt::black);
    }

    painter.setPen(palette().color(QPalette::WindowText));
    const int zero = leftMarginEdge();
    const int middle = scaleTop + scaleHeight / 2;
    const int numberStep = 4 * m_tabDist;
    const QFontMetrics metrics(font());
    for (int x = m_borderLeft; x <= w - m_borderRight - 1; ++x) {
        const int d = std::abs(x - zero);
        if (d % numberStep == 0) {
            if (m_showNumbers) {
                if (d == 0) continue;
                const QString number = QString::number(d / numberStep * m_factor);
                const int textWidth = metrics.horizontalAdvance(number);
                painter.drawText(QRect(x - textWidth / 2 - 1, scaleTop, textWidth + 2, scaleHeight),
                                 Qt::AlignCenter, number);
            } else if (m_showLargeLines) {
                painter.drawLine(x, middle - 3, x, middle + 3);
            }
        } else if (d % numberStep == 2 * m_tabDist) {
            if (m_showLargeLines) painter.drawLine(x, middle - 3, x, middle + 3);
        } else if (d % (2 * m_tabDist) == m_tabDist) {
            if (m_showSmallLines) painter.drawLine(x, middle - 1, x, middle);
        }
    }
}
