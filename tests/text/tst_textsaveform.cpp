#include "text/RtfReader.h"

#include "PageFixture.h"
#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QTextBlock>
#include <QTextDocument>

/// Saving writes a document in the form it was read in: rich or plain, and for plain text
/// the bytes of every line the user did not touch, line breaks included.
class TestTextSaveForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void formIsKeptUntilTheExtensionChanges_data();
    void formIsKeptUntilTheExtensionChanges();
    void eachLineKeepsItsBreak();
    void binaryTextFileChangesOnlyWhereEdited();
};

namespace {
const QByteArray kRtfNotes("{\\rtf1\\ansi Notes {\\b RTF}\\par}\n");
}

void TestTextSaveForm::formIsKeptUntilTheExtensionChanges_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("saveAsName"); // empty: Save
    QTest::addColumn<bool>("rich");

    QTest::newRow(".txt holding RTF, Save") << "notes.txt" << kRtfNotes << "" << true;
    QTest::newRow(".txt holding RTF, Save As .TXT")
        << "notes.txt" << kRtfNotes << "copy.TXT" << true;
    QTest::newRow(".txt holding RTF, Save As .rtf")
        << "notes.txt" << kRtfNotes << "copy.rtf" << true;
    QTest::newRow(".txt holding RTF, Save As .md")
        << "notes.txt" << kRtfNotes << "copy.md" << false;
    QTest::newRow(".rtf holding plain text, Save")
        << "fake.rtf" << QByteArray("{not rtf}\n") << "" << false;
    QTest::newRow("plain .txt, Save As .rtf")
        << "a.txt" << QByteArray("plain\n") << "a.rtf" << true;
}

void TestTextSaveForm::formIsKeptUntilTheExtensionChanges() {
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, saveAsName);
    QFETCH(bool, rich);
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString path = world.file(fileName, content);
    f.page->LoadDocument(path, fileName, world.path());
    f.caret(0);
    f.type("X");
    QString target = path;
    if (saveAsName.isEmpty()) {
        f.page->SaveButton->click();
    } else {
        target = world.path(saveAsName);
        prompter.answerFile(target);
        f.page->SaveAsBut->click();
    }
    QCOMPARE(prompter.messageTexts(), QStringList());
    QCOMPARE(f.panel(0), QString());
    const QByteArray bytes = fileBytes(target);
    QCOMPARE(LooksLikeRtf(bytes), rich);
    if (rich) {
        QTextDocument again;
        QVERIFY(ReadRtf(bytes, again));
        QCOMPARE(again.toPlainText(), f.view()->toPlainText());
        QCOMPARE(again.toPlainText().left(1), QString("X"));
    } else {
        QCOMPARE(QString::fromUtf8(bytes), f.view()->toPlainText());
    }
    if (!saveAsName.isEmpty()) QCOMPARE(fileBytes(path), content);
}

void TestTextSaveForm::eachLineKeepsItsBreak() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString path = world.file("mixed.txt", "first\r\nsecond\nthird\r\nfourth\r\n");
    f.page->LoadDocument(path, "mixed.txt", world.path());
    f.caret(9); // "sec|ond"
    f.type("X");
    f.page->SaveButton->click();
    QCOMPARE(fileBytes(path), QByteArray("first\r\nsecXond\nthird\r\nfourth\r\n"));

    // A line typed anew takes the most common break; the others stay as they are.
    QTextCursor end = f.view()->textCursor();
    end.movePosition(QTextCursor::End);
    f.view()->setTextCursor(end);
    f.type("fifth");
    QTest::keyClick(f.view(), Qt::Key_Return);
    f.page->SaveButton->click();
    QCOMPARE(fileBytes(path), QByteArray("first\r\nsecXond\nthird\r\nfourth\r\nfifth\r\n"));
    QCOMPARE(prompter.messageTexts(), QStringList());
}

void TestTextSaveForm::binaryTextFileChangesOnlyWhereEdited() {
    // Bytes that are not UTF-8, a lone CR first, then many LF: only the typed byte is new.
    QByteArray bytes("\x01\r");
    for (int round = 0; round < 21; ++round)
        for (int b = 1; b < 256; ++b)
            bytes.append(char(b));
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString path = world.file("data.txt", bytes);
    f.page->LoadDocument(path, "data.txt", world.path());
    f.caret(0);
    f.type("#");
    f.page->SaveButton->click();
    QCOMPARE(prompter.messageTexts(), QStringList());
    const QByteArray saved = fileBytes(path);
    QCOMPARE(saved.size(), bytes.size() + 1);
    QCOMPARE(saved.count('\n'), bytes.count('\n'));
    QCOMPARE(saved.count('\r'), bytes.count('\r'));
    QCOMPARE(saved, "#" + bytes);
}

QTEST_MAIN(TestTextSaveForm)
#include "tst_textsaveform.moc"
