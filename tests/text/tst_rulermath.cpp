#include "text/BlockIndents.h"
#include "text/RulerMath.h"

#include <QTest>
#include <QTextBlockFormat>

Q_DECLARE_METATYPE(ParagraphIndents)
Q_DECLARE_METATYPE(RulerIndents)

namespace QTest {
template <> char* toString(const ParagraphIndents& p) {
    return qstrdup(QByteArray::number(p.firstLine) + "/" + QByteArray::number(p.left) + "/" +
                   QByteArray::number(p.right));
}
template <> char* toString(const RulerIndents& r) {
    return qstrdup(QByteArray::number(r.first) + "/" + QByteArray::number(r.left) + "/" +
                   QByteArray::number(r.right));
}
} // namespace QTest

class TestRulerMath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundHalfEven_data();
    void roundHalfEven();
    void rulerFromParagraph_data();
    void rulerFromParagraph();
    void paragraphFromRuler_data();
    void paragraphFromRuler();
    void firstMarkerRoundTrip();
    void blockIndents_data();
    void blockIndents();
};

void TestRulerMath::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("19.5") << 19.5 << 20;
    QTest::newRow("52.5") << 52.5 << 52;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.49") << 2.49 << 2;
    QTest::newRow("2.51") << 2.51 << 3;
    QTest::newRow("-2.6") << -2.6 << -3;
    QTest::newRow("7") << 7.0 << 7;
}

void TestRulerMath::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(RoundHalfEven(value), expected);
}

void TestRulerMath::rulerFromParagraph_data() {
    QTest::addColumn<ParagraphIndents>("paragraph");
    QTest::addColumn<int>("width");
    QTest::addColumn<RulerIndents>("expected");
    QTest::newRow("plain paragraph")
        << ParagraphIndents{0, 0, 0} << 500 << RulerIndents{26, 26, 454};
    QTest::newRow("first line 30")
        << ParagraphIndents{30, -10, 0} << 500 << RulerIndents{66, 53, 454};
    QTest::newRow("hanging and right")
        << ParagraphIndents{10, 20, 15} << 600 << RulerIndents{39, 66, 534};
    QTest::newRow("thirds round") << ParagraphIndents{1, 1, 1} << 300 << RulerIndents{27, 29, 253};
}

void TestRulerMath::rulerFromParagraph() {
    QFETCH(ParagraphIndents, paragraph);
    QFETCH(int, width);
    QFETCH(RulerIndents, expected);
    QCOMPARE(RulerFromParagraph(paragraph, width), expected);
}

void TestRulerMath::paragraphFromRuler_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<RulerIndents>("ruler");
    QTest::addColumn<ParagraphIndents>("current");
    QTest::addColumn<ParagraphIndents>("expected");
    const ParagraphIndents current{12, 4, 9};
    QTest::newRow("first marker") << int(IndentFirstId) << RulerIndents{40, 26, 454} << current
                                  << ParagraphIndents{30, -10, 9};
    QTest::newRow("box after increase indent")
        << int(IndentBoxId) << RulerIndents{50, 70, 454} << current << ParagraphIndents{38, 14, 9};
    QTest::newRow("left marker keeps the first line")
        << int(IndentLeftId) << RulerIndents{40, 90, 454} << current << ParagraphIndents{12, 56, 9};
    QTest::newRow("left marker half goes even")
        << int(IndentLeftId) << RulerIndents{40, 26, 454} << current << ParagraphIndents{12, 8, 9};
    QTest::newRow("right marker") << int(IndentRightId) << RulerIndents{40, 26, 454} << current
                                  << ParagraphIndents{12, 4, 27};
    QTest::newRow("right marker half goes even")
        << int(IndentRightId) << RulerIndents{40, 26, 480} << current << ParagraphIndents{12, 4, 8};
}

void TestRulerMath::paragraphFromRuler() {
    QFETCH(int, id);
    QFETCH(RulerIndents, ruler);
    QFETCH(ParagraphIndents, current);
    QFETCH(ParagraphIndents, expected);
    QCOMPARE(ParagraphFromRuler(id, ruler, 500, current), expected);
}

void TestRulerMath::firstMarkerRoundTrip() {
    // Marker dragged to 40 gives 30 points; read back, the marker stands at 66.
    const ParagraphIndents start{0, 0, 0};
    RulerIndents ruler = RulerFromParagraph(start, 500);
    ruler.first = 40;
    const ParagraphIndents moved = ParagraphFromRuler(IndentFirstId, ruler, 500, start);
    QCOMPARE(moved.firstLine, 30);
    QCOMPARE(RulerFromParagraph(moved, 500).first, 66);
}

void TestRulerMath::blockIndents_data() {
    QTest::addColumn<ParagraphIndents>("indents");
    QTest::addColumn<double>("leftMargin");
    QTest::addColumn<double>("textIndent");
    QTest::newRow("zero") << ParagraphIndents{0, 0, 0} << 0.0 << 0.0;
    QTest::newRow("first line in") << ParagraphIndents{30, -10, 0} << 80.0 / 3 << 40.0 / 3;
    QTest::newRow("hanging") << ParagraphIndents{0, 18, 6} << 24.0 << -24.0;
    QTest::newRow("odd points") << ParagraphIndents{7, 5, 11} << 16.0 << -20.0 / 3;
}

void TestRulerMath::blockIndents() {
    QFETCH(ParagraphIndents, indents);
    QFETCH(double, leftMargin);
    QFETCH(double, textIndent);
    QTextBlockFormat format;
    SetBlockIndents(format, indents);
    QVERIFY(qFuzzyCompare(1 + format.leftMargin(), 1 + leftMargin));
    QVERIFY(qFuzzyCompare(1 + format.textIndent(), 1 + textIndent));
    QCOMPARE(IndentsOfBlock(format), indents);
}

QTEST_GUILESS_MAIN(TestRulerMath)
#include "tst_rulermath.moc"
