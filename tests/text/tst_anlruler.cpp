#include "text/anlRuler.h"

#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

QWidget* marker(TanlRuler& ruler, const char* name) {
    return ruler.findChild<QWidget*>(QString::fromLatin1(name));
}

void send(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Drags a marker: pressed 4 pixels into it, moved so that the mouse stands at each ruler x
// in turn (relative to the marker where it is at that moment), then released.
void drag(QWidget* handle, std::initializer_list<int> rulerX) {
    send(handle, QEvent::MouseButtonPress, QPoint(4, 2), Qt::LeftButton);
    for (int x : rulerX)
        send(handle, QEvent::MouseMove, QPoint(x - handle->x(), 2), Qt::LeftButton);
    send(handle, QEvent::MouseButtonRelease, QPoint(4, 2), Qt::NoButton);
}

} // namespace

class TestAnlRuler : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void defaults();
    void limits();
    void markersStandAtTheirPositions();
    void dragSnapsAndRaisesEvents();
    void dragStopsAtMinimumDistance();
    void boxMovesBothMarkers();
    void clickWithoutMoveChangesNothing();
    void doubleClickDoesNotDrag();
    void indentSteps();
    void marginHandles();
    void drawing();

private:
    TanlRuler* m_ruler = nullptr;
};

void TestAnlRuler::init() {
    m_ruler = new TanlRuler;
    m_ruler->resize(500, 26);
    m_ruler->setIndentFirst(26);
    m_ruler->setIndentLeft(26);
    m_ruler->setIndentRight(454);
}

void TestAnlRuler::cleanup() {
    delete m_ruler;
}

void TestAnlRuler::defaults() {
    TanlRuler fresh;
    QCOMPARE(fresh.property("RulerTab").toInt(), 10);
    QCOMPARE(fresh.property("MinIndentDist").toInt(), 50);
    QCOMPARE(fresh.property("Factor").toInt(), 1);
    QCOMPARE(fresh.property("TabDist").toInt(), 10);
    QCOMPARE(fresh.property("MarginLeft").toInt(), 30);
    QCOMPARE(fresh.property("MarginRight").toInt(), 20);
    for (const char* border : {"BorderLeft", "BorderUp", "BorderDown", "BorderRight"})
        QCOMPARE(fresh.property(border).toInt(), 5);
    QCOMPARE(fresh.indentFirst(), 45);
    QCOMPARE(fresh.indentLeft(), 45);
    QCOMPARE(fresh.indentRight(), 250);
    for (const char* show :
         {"ShowSmallLines", "ShowLargeLines", "ShowIndents", "ShowNumbers", "ShowMarginHandlers"})
        QVERIFY(fresh.property(show).toBool());
    fresh.setRulerTab(0);
    QCOMPARE(fresh.rulerTab(), 1);
    fresh.setRulerTab(300);
    QCOMPARE(fresh.rulerTab(), 255);
}

void TestAnlRuler::limits() {
    m_ruler->setIndentFirst(-1);
    m_ruler->setIndentFirst(496); // not below width - 4
    m_ruler->setIndentFirst(404); // 454 - 404 is not more than 50
    QCOMPARE(m_ruler->indentFirst(), 26);
    m_ruler->setIndentFirst(403);
    QCOMPARE(m_ruler->indentFirst(), 403);
    m_ruler->setIndentLeft(495);
    QCOMPARE(m_ruler->indentLeft(), 26);
    m_ruler->setIndentRight(453); // 453 - 403 is not more than 50
    QCOMPARE(m_ruler->indentRight(), 454);
    m_ruler->setIndentFirst(0);
    m_ruler->setIndentRight(496);
    QCOMPARE(m_ruler->indentRight(), 454);
    m_ruler->setIndentRight(495);
    QCOMPARE(m_ruler->indentRight(), 495);
    m_ruler->setIndentRight(76);
    QCOMPARE(m_ruler->indentRight(), 495);
    m_ruler->setIndentRight(77);
    QCOMPARE(m_ruler->indentRight(), 77);
}

void TestAnlRuler::markersStandAtTheirPositions() {
    m_ruler->setIndentFirst(60);
    m_ruler->setIndentLeft(80);
    QCOMPARE(marker(*m_ruler, "FirstMarker")->x(), 60);
    QCOMPARE(marker(*m_ruler, "LeftMarker")->x(), 80);
    QCOMPARE(marker(*m_ruler, "IndentBox")->x(), 80);
    QCOMPARE(marker(*m_ruler, "RightMarker")->x(), 454);
    // First-line marker at the top, left and right at the bottom, the box 8 pixels lower.
    QCOMPARE(marker(*m_ruler, "FirstMarker")->y(), 2);
    QCOMPARE(marker(*m_ruler, "LeftMarker")->y(), 13);
    QCOMPARE(marker(*m_ruler, "RightMarker")->y(), 13);
    QCOMPARE(marker(*m_ruler, "IndentBox")->y(), 21);
    m_ruler->setShowIndents(false);
    QVERIFY(marker(*m_ruler, "FirstMarker")->isHidden());
    QVERIFY(marker(*m_ruler, "IndentBox")->isHidden());
}

void TestAnlRuler::dragSnapsAndRaisesEvents() {
    QSignalSpy clicks(m_ruler, &TanlRuler::OnIndentClick);
    QSignalSpy drags(m_ruler, &TanlRuler::OnIndentDrag);
    QSignalSpy changes(m_ruler, &TanlRuler::OnIndentChange);
    // Pressed at 30 (4 into the marker at 26), moved to 44 and 47: both snap to 40.
    drag(marker(*m_ruler, "FirstMarker"), {44, 47});
    QCOMPARE(m_ruler->indentFirst(), 40);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(clicks[0][0].toInt(), 0);
    QCOMPARE(drags.size(), 1);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].toInt(), 0);

    drag(marker(*m_ruler, "RightMarker"), {300});
    QCOMPARE(m_ruler->indentRight(), 290);
    QCOMPARE(changes.last()[0].toInt(), 2);
}

void TestAnlRuler::dragStopsAtMinimumDistance() {
    QSignalSpy changes(m_ruler, &TanlRuler::OnIndentChange);
    drag(marker(*m_ruler, "LeftMarker"), {404, 414, 424});
    QCOMPARE(m_ruler->indentLeft(), 400);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].toInt(), 1);
}

void TestAnlRuler::boxMovesBothMarkers() {
    m_ruler->setIndentFirst(40);
    m_ruler->setIndentLeft(60);
    QSignalSpy changes(m_ruler, &TanlRuler::OnIndentChange);
    drag(marker(*m_ruler, "IndentBox"), {84});
    QCOMPARE(m_ruler->indentLeft(), 80);
    QCOMPARE(m_ruler->indentFirst(), 60);
    QCOMPARE(marker(*m_ruler, "IndentBox")->x(), 80);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].toInt(), 3);
}

void TestAnlRuler::clickWithoutMoveChangesNothing() {
    QSignalSpy clicks(m_ruler, &TanlRuler::OnIndentClick);
    QSignalSpy changes(m_ruler, &TanlRuler::OnIndentChange);
    drag(marker(*m_ruler, "LeftMarker"), {});
    drag(marker(*m_ruler, "LeftMarker"), {31}); // a little to the right snaps down to 20
    QCOMPARE(clicks.size(), 2);
    QCOMPARE(m_ruler->indentLeft(), 20);
    QCOMPARE(changes.size(), 1);
}

void TestAnlRuler::doubleClickDoesNotDrag() {
    QSignalSpy doubleClicks(m_ruler, &TanlRuler::OnIndentDblClick);
    QSignalSpy changes(m_ruler, &TanlRuler::OnIndentChange);
    QWidget* first = marker(*m_ruler, "FirstMarker");
    send(first, QEvent::MouseButtonDblClick, QPoint(4, 2), Qt::LeftButton);
    send(first, QEvent::MouseMove, QPoint(50, 2), Qt::LeftButton);
    send(first, QEvent::MouseButtonRelease, QPoint(50, 2), Qt::NoButton);
    QCOMPARE(doubleClicks.size(), 1);
    QCOMPARE(doubleClicks[0][0].toInt(), 0);
    QCOMPARE(m_ruler->indentFirst(), 26);
    QCOMPARE(changes.size(), 0);
}

void TestAnlRuler::indentSteps() {
    m_ruler->setIndentFirst(40);
    m_ruler->setIndentLeft(60);
    QSignalSpy changes(m_ruler, &TanlRuler::OnIndentChange);
    m_ruler->increaseIndent();
    QCOMPARE(m_ruler->indentLeft(), 70);
    QCOMPARE(m_ruler->indentFirst(), 50);
    m_ruler->setIndentFirst(5);
    m_ruler->decreaseIndent();
    QCOMPARE(m_ruler->indentLeft(), 60);
    QCOMPARE(m_ruler->indentFirst(), 5); // -5 is refused, the event comes anyway
    QCOMPARE(changes.size(), 2);
    QCOMPARE(changes[1][0].toInt(), 3);
}

void TestAnlRuler::marginHandles() {
    QSignalSpy clicks(m_ruler, &TanlRuler::OnMarginClick);
    QSignalSpy drags(m_ruler, &TanlRuler::OnMarginDrag);
    QSignalSpy changes(m_ruler, &TanlRuler::OnMarginChange);
    send(m_ruler, QEvent::MouseMove, QPoint(37, 10), Qt::NoButton);
    QCOMPARE(m_ruler->cursor().shape(), Qt::SizeHorCursor);
    send(m_ruler, QEvent::MouseMove, QPoint(100, 10), Qt::NoButton);
    QCOMPARE(m_ruler->cursor().shape(), Qt::ArrowCursor);

    send(m_ruler, QEvent::MouseButtonPress, QPoint(35, 10), Qt::LeftButton);
    send(m_ruler, QEvent::MouseMove, QPoint(47, 10), Qt::LeftButton);
    send(m_ruler, QEvent::MouseButtonRelease, QPoint(47, 10), Qt::NoButton);
    QCOMPARE(m_ruler->marginLeft(), 40);
    QCOMPARE(m_ruler->indentFirst(), 36);
    QCOMPARE(m_ruler->indentLeft(), 36);
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(drags.size(), 1);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].toInt(), 0);

    send(m_ruler, QEvent::MouseButtonPress, QPoint(476, 10), Qt::LeftButton);
    send(m_ruler, QEvent::MouseMove, QPoint(460, 10), Qt::LeftButton);
    send(m_ruler, QEvent::MouseButtonRelease, QPoint(460, 10), Qt::NoButton);
    QCOMPARE(m_ruler->marginRight(), 30);
    QCOMPARE(m_ruler->indentRight(), 444);
    QCOMPARE(changes.last()[0].toInt(), 1);

    m_ruler->setShowMarginHandlers(false);
    send(m_ruler, QEvent::MouseButtonPress, QPoint(45, 10), Qt::LeftButton);
    send(m_ruler, QEvent::MouseMove, QPoint(95, 10), Qt::LeftButton);
    send(m_ruler, QEvent::MouseButtonRelease, QPoint(95, 10), Qt::NoButton);
    QCOMPARE(m_ruler->marginLeft(), 40);
}

void TestAnlRuler::drawing() {
    m_ruler->setShowIndents(false);
    const QImage image = m_ruler->grab().toImage();
    const QPalette colors = m_ruler->palette();
    const int middle = 5 + (26 - 10) / 2;
    QCOMPARE(image.pixel(2, 2), colors.color(QPalette::Button).rgb());
    QCOMPARE(image.pixel(10, middle), colors.color(QPalette::Dark).rgb());
    QCOMPARE(image.pixel(480, middle), colors.color(QPalette::Dark).rgb());
    QCOMPARE(image.pixel(40, middle), QColor(Qt::white).rgb());                  // between ticks
    QCOMPARE(image.pixel(45, middle), colors.color(QPalette::WindowText).rgb()); // short tick
    QCOMPARE(image.pixel(55, middle - 3), colors.color(QPalette::WindowText).rgb()); // long tick
    QCOMPARE(image.pixel(45, middle - 3), QColor(Qt::white).rgb());
    auto darkPixelsAround = [&](const QImage& picture, int x) {
        int dark = 0;
        for (int dx = -3; dx <= 3; ++dx)
            for (int y = 5; y < 21; ++y)
                if (picture.pixelColor(x + dx, y).lightness() < 128) ++dark;
        return dark;
    };
    QVERIFY(darkPixelsAround(image, 75) > 2); // the number 1
    m_ruler->setShowNumbers(false);
    m_ruler->setShowLargeLines(false);
    QCOMPARE(darkPixelsAround(m_ruler->grab().toImage(), 75), 0);
}

QTEST_MAIN(TestAnlRuler)
#include "tst_anlruler.moc"
