#include "icons/IconListBox.h"

#include "icons/IconListModel.h"
#include "icons/VadoDoIcons.h"

#include "IconBuilder.h"

#include <QFile>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using iconbuilder::Entry;

namespace {

Entry entry(int side, int bpp, QRgb colour) {
    return {side, side, bpp, iconbuilder::dib(iconbuilder::square(side, colour), bpp)};
}

} // namespace

class TestIconListBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void defaultsAndSelfSizing();
    void singleIconIsSelected();
    void missingFileDisablesTheList();
    void sameFileKeepsSelection();
    void decodesOnlyCellsDrawn();
    void withoutCachingDecodesAll();
    void cellShowsTheIconCentred();
    void vadoDoIconsTakesTheIcon();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
    QString m_single, m_library;
};

QString TestIconListBox::write(const QString& name, const QByteArray& bytes) {
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(bytes);
    return file.fileName();
}

void TestIconListBox::initTestCase() {
    m_single = write("one.ico", iconbuilder::iconFile({entry(32, 32, 0xffff0000)}));
    QList<QList<Entry>> groups;
    for (int i = 0; i < 300; ++i)
        groups.append({entry(32, 8, qRgb(0, i % 256, 0xff))});
    m_library = write("many.dll", exebuilder::pe(iconbuilder::iconResources(groups), true));
}

void TestIconListBox::defaultsAndSelfSizing() {
    TIconListBox list;
    QCOMPARE(list.NumberOfIcons(), -1);
    QCOMPARE(list.XIcons(), 4);
    QCOMPARE(list.YIcons(), 1);
    QVERIFY(list.AutoDisable());
    QVERIFY(list.EnableCaching());
    list.setXIcons(6);
    QCOMPARE(list.width(), 6 * 38 + 2);
    list.setYIcons(2);
    QCOMPARE(list.height(), 2 * 38 + list.horizontalScrollBar()->sizeHint().height() + 1);
    QCOMPARE(list.gridSize(), QSize((list.width() + 6 - 3) / 6, 38));
}

void TestIconListBox::singleIconIsSelected() {
    TIconListBox list;
    QSignalSpy changed(&list, &TIconListBox::fileChange);
    list.setFileName(m_single);
    QCOMPARE(changed.size(), 1);
    QVERIFY(list.isEnabled());
    QCOMPARE(list.NumberOfIcons(), 1);
    QCOMPARE(list.model()->rowCount(), 1);
    QCOMPARE(list.selectedIndex(), 0);
    QCOMPARE(list.model()->index(0, 0).data().toString(), QString("0"));
}

void TestIconListBox::missingFileDisablesTheList() {
    TIconListBox list;
    list.setFileName(m_single);
    list.setFileName(m_dir.filePath("gone.ico"));
    QVERIFY(!list.isEnabled());
    QCOMPARE(list.NumberOfIcons(), -1);
    QCOMPARE(list.model()->rowCount(), 0);
    QCOMPARE(list.selectedIndex(), -1);
    const QString text = write("plain.txt", "no icons");
    list.setFileName(text);
    QVERIFY(list.isEnabled());
    QCOMPARE(list.NumberOfIcons(), 0);
    QCOMPARE(list.selectedIndex(), -1);
}

void TestIconListBox::sameFileKeepsSelection() {
    TIconListBox list;
    QSignalSpy changed(&list, &TIconListBox::fileChange);
    list.setFileName(m_library);
    list.setCurrentIndex(list.model()->index(7, 0));
    list.setFileName(m_library);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(list.selectedIndex(), 7);
}

void TestIconListBox::decodesOnlyCellsDrawn() {
    TIconListBox list;
    list.setXIcons(6);
    list.setYIcons(3);
    list.setFileName(m_library);
    QCOMPARE(list.NumberOfIcons(), 300);
    QCOMPARE(list.iconModel()->decodedCount(), 0);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.grab();
    const int shown = list.iconModel()->decodedCount();
    QVERIFY2(shown > 0 && shown <= 30, qPrintable(QString::number(shown)));
    list.scrollTo(list.model()->index(299, 0));
    list.grab();
    const int after = list.iconModel()->decodedCount();
    QVERIFY2(after > shown && after <= 2 * 30, qPrintable(QString::number(after)));
}

void TestIconListBox::withoutCachingDecodesAll() {
    TIconListBox list;
    list.setEnableCaching(false);
    list.setFileName(m_library);
    QCOMPARE(list.iconModel()->decodedCount(), 300);
}

void TestIconListBox::cellShowsTheIconCentred() {
    TIconListBox list;
    list.setXIcons(6);
    list.setFileName(m_single);
    list.clearSelection();
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QRect cell = list.visualRect(list.model()->index(0, 0));
    const QImage shot = list.viewport()->grab().toImage();
    const QPoint centre = cell.center() + QPoint(8, 8);
    QCOMPARE(shot.pixelColor(centre), QColor(Qt::red));
    // The icon's transparent quarter shows the background.
    QVERIFY(shot.pixelColor(cell.center() - QPoint(8, 8)) != QColor(Qt::red));
    QCOMPARE(list.iconImage(0).size(), QSize(32, 32));
}

void TestIconListBox::vadoDoIconsTakesTheIcon() {
    TVadoDoIcons vado;
    vado.setFileName(m_library);
    QCOMPARE(vado.NumberOfIcons(), 300);
    QCOMPARE(vado.IconIndex(), 0);
    QCOMPARE(vado.icon().pixel(31, 31), qRgb(0, 0, 0xff));
    vado.setIconIndex(5);
    QCOMPARE(vado.icon().pixel(31, 31), qRgb(0, 5, 0xff));
    vado.setIconIndex(300);
    QVERIFY(vado.icon().isNull());
}

QTEST_MAIN(TestIconListBox)
#include "tst_iconlistbox.moc"
