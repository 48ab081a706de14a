#include "PageFixture.h"
#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QProcess>
#include <QStandardPaths>

class TestTextPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsTheDocumentToPdf();
    void cancelledDialogPrintsNothing();
    void printerSetupOnlyShowsTheDialog();
};

void TestTextPrint::printsTheDocumentToPdf() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString pdf = world.path("out.pdf");
    f.printer.setOutputFileName(pdf);
    QString text;
    for (int line = 1; line <= 150; ++line)
        text += QStringLiteral("Line number %1 of the text\n").arg(line);
    f.view()->setPlainText(text + "The end");
    f.page->TextButSort();
    prompter.answerPrinter(true);
    f.page->PrintBut->click();
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(QFile::exists(pdf));

    QProcess process;
    process.start(pdftotext, {"-layout", pdf, "-"});
    QVERIFY(process.waitForFinished(30000));
    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY(printed.contains("Line number 1 of the text"));
    QVERIFY(printed.contains("Line number 150 of the text"));
    QVERIFY(printed.contains("The end"));
    QVERIFY2(printed.count('\f') >= 2, "150 lines take more than one page"); // page breaks

    QProcess info;
    info.start(QStandardPaths::findExecutable("pdfinfo"), {pdf});
    if (info.waitForFinished(30000)) {
        const QString details = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY(!details.contains("Pages:          1\n"));
    }
}

void TestTextPrint::cancelledDialogPrintsNothing() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString pdf = world.path("never.pdf");
    f.printer.setOutputFileName(pdf);
    f.view()->setPlainText("text");
    f.page->TextButSort();
    prompter.answerPrinter(false);
    f.page->PrintBut->click();
    QVERIFY(!QFile::exists(pdf));
}

void TestTextPrint::printerSetupOnlyShowsTheDialog() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString pdf = world.path("setup.pdf");
    f.printer.setOutputFileName(pdf);
    f.view()->setPlainText("text");
    prompter.answerPrinter(true);
    f.action("TextPrinterSetup1")->trigger();
    QCOMPARE(prompter.unanswered, 0);
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestTextPrint)
#include "tst_textprint.moc"
