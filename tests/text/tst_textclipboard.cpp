#include "text/RtfReader.h"

#include "PageFixture.h"
#include "ScriptedPrompter.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>

/// Copy offers RTF from the program's own writer beside HTML and plain text; Paste takes
/// RTF first when the clipboard offers it.
class TestTextClipboard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyOffersRtfHtmlAndPlainText();
    void pastePrefersRtf_data();
    void pastePrefersRtf();
};

namespace {

bool boldAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position + 1);
    return cursor.charFormat().fontWeight() >= QFont::Bold;
}

} // namespace

void TestTextClipboard::copyOffersRtfHtmlAndPlainText() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->insertPlainText("plain bold caf\u00e9");
    f.select(6, 10);
    f.page->FormatBar->BoldButton->click();
    f.select(0, 15);
    f.page->CopyBut->click();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat("text/rtf"));
    QVERIFY(data->hasHtml());
    QCOMPARE(data->text(), QString("plain bold caf\u00e9"));
    QTextDocument pasted;
    QVERIFY(ReadRtf(data->data("text/rtf"), pasted));
    QCOMPARE(pasted.toPlainText(), QString("plain bold caf\u00e9"));
    QVERIFY(!boldAt(pasted, 2));
    QVERIFY(boldAt(pasted, 7));
}

void TestTextClipboard::pastePrefersRtf_data() {
    QTest::addColumn<QString>("rtfType"); // empty: no RTF offered
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::newRow("text/rtf beside HTML") << "text/rtf"
                                          << "from rtf" << true;
    QTest::newRow("application/rtf") << "application/rtf"
                                     << "from rtf" << true;
    QTest::newRow("no RTF: HTML") << ""
                                  << "from html" << false;
}

void TestTextClipboard::pastePrefersRtf() {
    QFETCH(QString, rtfType);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    ScriptedPrompter prompter;
    PageFixture f;
    auto* data = new QMimeData;
    if (!rtfType.isEmpty()) data->setData(rtfType, "{\\rtf1\\ansi {\\b from rtf}}");
    data->setHtml("<p><i>from html</i></p>");
    data->setText("from text");
    QApplication::clipboard()->setMimeData(data);
    QVERIFY(f.page->PasteBut->isEnabled());
    f.page->PasteBut->click();
    QCOMPARE(f.view()->toPlainText(), text);
    QCOMPARE(boldAt(*f.view()->document(), 2), bold);
    QCOMPARE(f.panel(0), QString("Modified"));
}

QTEST_MAIN(TestTextClipboard)
#include "tst_textclipboard.moc"
