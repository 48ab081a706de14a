#include "kit/BannerMenu.h"
#include "kit/GradientPanel.h"
#include "kit/Hints.h"
#include "kit/SplitPanel.h"
#include "kit/StatusPanels.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestKit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void bannerIsPaintedDownTheLeftSide();
    void hintParts_data();
    void hintParts();
    void splitPanelCutsTopInsteadOfGrowing();
    void statusPanelsKeepTheirWidths();
    void gradientPanelCutsInsteadOfSqueezing();
};

void TestKit::bannerIsPaintedDownTheLeftSide() {
    TBannerMenu menu("Test", nullptr, "Hex");
    menu.addAction("First item");
    menu.addAction("Second item");
    menu.addAction("Third item");
    menu.adjustSize();
    const QImage image = menu.grab().toImage();
    QVERIFY(image.width() > TBannerMenu::kBannerWidth);
    // Black at the bottom, maroon towards the top, never the menu's own background.
    const QColor bottom = image.pixelColor(2, image.height() - 2);
    const QColor top = image.pixelColor(2, 1);
    QVERIFY2(bottom.red() < 40 && bottom.green() < 20, qPrintable(bottom.name()));
    QVERIFY2(top.red() > 90 && top.green() < 20 && top.blue() < 20, qPrintable(top.name()));
    // The banner text is yellow somewhere in the band.
    bool yellow = false;
    for (int y = 0; y < image.height() && !yellow; ++y)
        for (int x = 0; x < TBannerMenu::kBannerWidth && !yellow; ++x) {
            const QColor c = image.pixelColor(x, y);
            yellow = c.red() > 180 && c.green() > 180 && c.blue() < 90;
        }
    QVERIFY(yellow);
    QCOMPARE(menu.bannerText(), QString("Hex"));
    QVERIFY(menu.font().bold() || menu.styleSheet().contains("bold"));
}

void TestKit::hintParts_data() {
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("shortPart");
    QTest::addColumn<QString>("longPart");
    QTest::newRow("both parts") << "Copy|Copy the selected files"
                                << "Copy"
                                << "Copy the selected files";
    QTest::newRow("no bar") << "Load thumbs"
                            << "Load thumbs"
                            << "Load thumbs";
    QTest::newRow("same both sides") << "Load thumbs|Load thumbs"
                                     << "Load thumbs"
                                     << "Load thumbs";
    QTest::newRow("empty long") << "Exit|"
                                << "Exit"
                                << "";
    QTest::newRow("second bar kept") << "a|b|c"
                                     << "a"
                                     << "b|c";
}

void TestKit::hintParts() {
    QFETCH(QString, hint);
    QFETCH(QString, shortPart);
    QFETCH(QString, longPart);
    QCOMPARE(ShortHint(hint), shortPart);
    QCOMPARE(LongHint(hint), longPart);
    QLabel label;
    SetHint(&label, hint);
    QCOMPARE(label.toolTip(), shortPart);
    QCOMPARE(label.statusTip(), longPart);
}

void TestKit::splitPanelCutsTopInsteadOfGrowing() {
    TSplitPanel panel;
    auto* top = new QLabel("top");
    auto* client = new QLabel("client");
    panel.setControls(top, client);
    panel.resize(100, 300);
    panel.show(); // a hidden widget gets its resize events only when shown
    panel.setTopHeight(120);
    QCOMPARE(top->geometry(), QRect(0, 0, 100, 120));
    QCOMPARE(client->geometry(), QRect(0, 123, 100, 177));
    panel.resize(100, 50);
    QCOMPARE(top->height(), 47);
    QCOMPARE(client->height(), 0);
    QCOMPARE(panel.minimumSizeHint(), QSize(0, 0));
    panel.setTopHeight(-5);
    QCOMPARE(top->height(), 0);
}

void TestKit::statusPanelsKeepTheirWidths() {
    TStatusPanels bar({80, 40, 100});
    bar.resize(400, bar.height());
    bar.show();
    QCOMPARE(bar.panel(0)->width(), 80);
    QCOMPARE(bar.panel(1)->width(), 40);
    QVERIFY(bar.panel(2)->width() >= 100);
    bar.setPanelText(1, "abc");
    QCOMPARE(bar.panelText(1), QString("abc"));
    bar.setPanelText(1, "a text far longer than forty pixels");
    QVERIFY(bar.panel(1)->width() > 40);
    QCOMPARE(bar.panel(0)->width(), 80);
    bar.setPanelText(7, "ignored");
    QCOMPARE(bar.panelText(7), QString());
    QCOMPARE(bar.minimumSizeHint().width(), 0);
}

void TestKit::gradientPanelCutsInsteadOfSqueezing() {
    TGradientPanel panel("Tools");
    QList<QPushButton*> buttons;
    for (int i = 0; i < 6; ++i) {
        buttons << new QPushButton(QString("Button %1").arg(i));
        panel.addWidget(buttons.last());
    }
    panel.show();
    panel.resize(60, 30);
    QApplication::processEvents();
    QCOMPARE(panel.minimumSizeHint().width(), 0);
    for (int i = 1; i < buttons.size(); ++i)
        QVERIFY2(buttons[i]->x() >= buttons[i - 1]->x() + buttons[i - 1]->width(),
                 "buttons overlap");
    QVERIFY(buttons.last()->mapTo(&panel, QPoint()).x() > panel.width());
}

QTEST_MAIN(TestKit)
#include "tst_kit.moc"
