#include "core/KorError.h"

#include "PageFixture.h"
#include "ScriptedPrompter.h"
#include "SmallVolume.h"
#include "TestWorld.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextDocument>

#include <sys/stat.h>

class TestTextDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initialState();
    void undoAndModifiedMark();
    void saveWithoutChangeWritesNothing();
    void untitledSaveAsksForName();
    void saveAsChoosesFormatByName_data();
    void saveAsChoosesFormatByName();
    void saveKeepsEncodingAndLineBreaks();
    void saveGoesToTheLoadedPath();
    void failedSaveKeepsMarkAndName();
    void fullVolumeSaveKeepsTheFile();
    void specialFilesGiveAMessageAtOnce();
    void loadShowsNameAndFolder();
    void loadChoosesRichOrPlainByContent();
    void unreadableFileKeepsDocument();
    void askSaveText();
    void oneChangeAfterLoadIsNotLost();
    void yesOnUntitledCancelledSaveAsGoesOn();
    void newDocument();
    void documentButtons_data();
    void documentButtons();
    void lineAndColumn();
    void editCommands();
    void wordWrap();
    void menusFollowButtonStates();
    void shortcutsOnlyWhileMenuVisible();
};

void TestTextDocument::initialState() {
    PageFixture f;
    QCOMPARE(f.page->objectName(), QString("TextPage"));
    QCOMPARE(f.panel(0), QString());
    QCOMPARE(f.panel(1), QString("Line:   1   Col:   1"));
    QCOMPARE(f.panel(2), QString());
    QCOMPARE(f.panel(3), QString("Untitled"));
    QCOMPARE(f.page->StatText->panel(0)->width(), 100);
    QCOMPARE(f.page->StatText->panel(2)->width(), 200);
    const struct {
        const char* name;
        const char* hint;
        bool enabled;
    } buttons[] = {{"TextNewBut", "New document", true},
                   {"TextOpenBut", "Open existing document", true},
                   {"SaveButton", "Save document", false},
                   {"SaveAsBut", "Save document under a new name", false},
                   {"PrintBut", "Print document", false},
                   {"CopyBut", "Copy to clipboard", false},
                   {"CutBut", "Cut to clipboard", false},
                   {"PasteBut", "Paste from clipboard", false},
                   {"DeleteBut", "Delete selected text", false},
                   {"SelAllBut", "Select All", false},
                   {"UndoBut", "Undo", false},
                   {"WrapBut", "WordWrap", true},
                   {"FindBut", "Find text or word", false}};
    for (const auto& expected : buttons) {
        auto* button = f.page->findChild<QToolButton*>(expected.name);
        QVERIFY2(button, expected.name);
        QCOMPARE(button->isEnabled(), expected.enabled);
        QCOMPARE(button->toolTip(), QString(expected.hint));
    }
    QCOMPARE(f.page->SelAllBut->text(), QString("All"));
    QVERIFY(f.page->WrapBut->isCheckable() && f.page->WrapBut->isChecked());
    QCOMPARE(f.view()->font().family(), QString("MS Sans Serif"));
    QCOMPARE(f.view()->font().pointSize(), 10);
    QVERIFY(!f.view()->tabChangesFocus());
    QCOMPARE(f.view()->lineWrapMode(), QTextEdit::WidgetWidth);
    QCOMPARE(f.view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f.view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QCOMPARE(f.view()->viewport()->geometry().left() - f.view()->frameWidth(), 30);
    QCOMPARE(f.view()->width() - f.view()->viewport()->geometry().right() - 1 -
                 f.view()->frameWidth() - f.view()->verticalScrollBar()->width(),
             30);
    f.type("a\tb");
    QCOMPARE(f.view()->toPlainText(), QString("a\tb"));
}

void TestTextDocument::undoAndModifiedMark() {
    PageFixture f;
    QCOMPARE(f.panel(0), QString());
    QVERIFY(!f.page->UndoBut->isEnabled());
    f.type("x");
    // The very first change marks the document too, so it is saved or asked about.
    QCOMPARE(f.panel(0), QString("Modified"));
    QVERIFY(f.page->UndoBut->isEnabled());
    f.type("y");
    QCOMPARE(f.panel(0), QString("Modified"));
    f.page->UndoBut->click();
    f.page->UndoBut->click();
    QCOMPARE(f.view()->toPlainText(), QString());
    QVERIFY(!f.page->UndoBut->isEnabled());
    QCOMPARE(f.panel(0), QString("Modified"));
}

void TestTextDocument::saveWithoutChangeWritesNothing() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = world.file("plain.txt", "one\n");
    PageFixture f;
    QSignalSpy refresh(f.page, &TTextPage::fileListRefreshRequested);
    f.page->LoadDocument(path, "plain.txt", world.path());
    QFile::remove(path);
    world.file("plain.txt", "changed outside\n");
    f.page->SaveButton->click();
    QCOMPARE(fileBytes(path), QByteArray("changed outside\n"));
    QCOMPARE(refresh.size(), 0);
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(prompter.fileRequests.isEmpty());
}

void TestTextDocument::untitledSaveAsksForName() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    f.page->setLastSaveName(world.path("last.htm"));
    f.type("ab");
    prompter.answerFile(QString());
    f.page->SaveButton->click();
    QCOMPARE(prompter.fileRequests.size(), 1);
    const FileRequest request = prompter.fileRequests[0];
    QCOMPARE(request.fileName, world.path("last.htm"));
    QCOMPARE(request.defaultSuffix, QString("txt"));
    QCOMPARE(request.filter,
             QString("Text files  (*.txt);;Rich text files  (*.rtf);;All files  (*)"));
    QCOMPARE(f.panel(3), QString("Untitled"));
    QCOMPARE(f.panel(0), QString("Modified"));
    QCOMPARE(f.page->LastSaveName(), world.path("last.htm"));
}

void TestTextDocument::saveAsChoosesFormatByName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("rich");
    QTest::newRow(".rtf") << "letter.rtf" << true;
    QTest::newRow(".RTF") << "LETTER.RTF" << true;
    QTest::newRow(".rtfx") << "letter.rtfx" << true;
    QTest::newRow(".txt") << "letter.txt" << false;
    QTest::newRow(".rt") << "letter.rt" << false;
    QTest::newRow("no extension") << "letter" << false;
}

void TestTextDocument::saveAsChoosesFormatByName() {
    QFETCH(QString, name);
    QFETCH(bool, rich);
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    QSignalSpy names(f.page, &TTextPage::lastSaveNameChanged);
    QSignalSpy refresh(f.page, &TTextPage::fileListRefreshRequested);
    f.type("Hello");
    f.select(0, 5);
    f.page->FormatBar->BoldButton->click();
    const QString path = world.path(name);
    prompter.answerFile(path);
    f.page->SaveAsBut->click();
    const QByteArray bytes = fileBytes(path);
    if (rich) {
        QVERIFY(bytes.startsWith("{\\rtf1"));
        QVERIFY(bytes.contains("\\b Hello"));
    } else {
        QCOMPARE(bytes, QByteArray("Hello"));
    }
    QCOMPARE(f.panel(3), path);
    QCOMPARE(f.panel(0), QString());
    QCOMPARE(f.page->LastSaveName(), path);
    QCOMPARE(names.size(), 1);
    QVERIFY(refresh.size() >= 1);
    QCOMPARE(f.window.windowTitle(), path);
    QVERIFY(prompter.messages.isEmpty());
}

void TestTextDocument::saveKeepsEncodingAndLineBreaks() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = world.file("legacy.txt", "caf\xe9\r\nna\xefve\r\n");
    PageFixture f;
    f.page->LoadDocument(path, "legacy.txt", world.path());
    QCOMPARE(f.view()->toPlainText(), QString("caf\u00e9\nna\u00efve\n"));
    f.caret(4);
    f.type("!!");
    f.page->SaveButton->click();
    QCOMPARE(fileBytes(path), QByteArray("caf\xe9!!\r\nna\xefve\r\n"));
    QVERIFY(prompter.messages.isEmpty());
}

void TestTextDocument::saveGoesToTheLoadedPath() {
    // The document name shows the bare name; saving still writes the file it came from.
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = world.file("sub/note.txt", "x");
    PageFixture f;
    f.page->LoadDocument(path, "note.txt", world.path("sub/"));
    f.type("ab");
    QVERIFY(QDir::setCurrent(world.path()));
    f.page->SaveButton->click();
    QCOMPARE(fileBytes(path), QByteArray("abx"));
    QVERIFY(!QFile::exists(world.path("note.txt")));
    QCOMPARE(f.panel(3), QString("note.txt"));
}

void TestTextDocument::failedSaveKeepsMarkAndName() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    f.type("ab");
    prompter.answerFile(world.path("missing/x.txt"));
    f.page->SaveAsBut->click();
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Error);
    QVERIFY(prompter.messages[0].text.startsWith("Cannot create file \""));
    QCOMPARE(f.panel(0), QString("Modified"));
    QCOMPARE(f.panel(3), QString("Untitled"));
}

void TestTextDocument::specialFilesGiveAMessageAtOnce() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    f.page->LoadDocument(world.file("keep.txt", "kept"), "keep.txt", world.path());
    const QString fifo = world.path("pipe");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    for (const QString& path : {fifo, QString("/dev/zero")}) {
        prompter.answerFile(path);
        QElapsedTimer timer;
        timer.start();
        f.page->TextOpenBut->click();
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(prompter.messages.size(), 1);
        QVERIFY2(prompter.messages.takeFirst().text.startsWith(
                     QString("Failed to Load Stream \"%1\". It is a ").arg(path)),
                 qPrintable(path));
        QCOMPARE(f.view()->toPlainText(), QString("kept"));
    }
}

void TestTextDocument::fullVolumeSaveKeepsTheFile() {
    SmallVolume volume;
    if (!volume.mounted()) QSKIP("needs root to mount a small file system");
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = volume.path("notes.txt");
    const QByteArray original(40 << 10, 'n');
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(original) == original.size());
    }
    PageFixture f;
    f.page->LoadDocument(path, "notes.txt", volume.path({}));
    f.type("x");
    f.page->SaveButton->click();
    QCOMPARE(prompter.messageTexts(),
             QStringList{QString("Cannot create file \"%1\". No space left on device").arg(path)});
    QCOMPARE(f.panel(0), QString("Modified"));
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), original);
    QCOMPARE(QDir(volume.path({})).entryList(QDir::Files | QDir::Hidden), QStringList{"notes.txt"});
}

void TestTextDocument::loadShowsNameAndFolder() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = world.file("dir/readme.txt", "text");
    PageFixture f;
    f.page->LoadDocument(path, "readme.txt", world.path("dir/"));
    QCOMPARE(f.panel(2), world.path("dir/"));
    QCOMPARE(f.panel(3), QString("readme.txt"));
    QVERIFY(f.page->SaveButton->isEnabled());

    prompter.answerFile(path);
    f.page->TextOpenBut->click();
    QCOMPARE(prompter.fileRequests.size(), 1);
    QCOMPARE(prompter.fileRequests[0].filter,
             QString("Text files  (*.txt);;Richtext files  (*.rtf);;All Files  (*)"));
    QCOMPARE(prompter.fileRequests[0].defaultSuffix, QString("txt"));
    QCOMPARE(f.panel(2), QString());
    QCOMPARE(f.panel(3), path);
    QCOMPARE(f.panel(0), QString());
}

void TestTextDocument::loadChoosesRichOrPlainByContent() {
    TestWorld world;
    PageFixture f;
    f.page->LoadDocument(world.file("rich.txt", "{\\rtf1 {\\b bold} rest}"), "rich.txt", {});
    QCOMPARE(f.view()->toPlainText(), QString("bold rest"));
    QVERIFY(f.view()->document()->begin().begin().fragment().charFormat().fontWeight() >=
            QFont::Bold);
    f.page->LoadDocument(world.file("fake.rtf", "{not rtf}"), "fake.rtf", {});
    QCOMPARE(f.view()->toPlainText(), QString("{not rtf}"));
    QVERIFY(!f.page->UndoBut->isEnabled());
}

void TestTextDocument::unreadableFileKeepsDocument() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    f.page->LoadDocument(world.file("keep.txt", "kept"), "keep.txt", world.path());
    const QString missing = world.path("gone.txt");
    try {
        f.page->LoadDocument(missing, "gone.txt", world.path());
        QFAIL("no error");
    } catch (const KorError& error) {
        QCOMPARE(error.text(),
                 QString("Cannot open file \"%1\". No such file or directory").arg(missing));
    }
    QCOMPARE(f.view()->toPlainText(), QString("kept"));
    QCOMPARE(f.panel(3), QString("keep.txt"));

    prompter.answerFile(world.path());
    f.page->TextOpenBut->click();
    QCOMPARE(
        prompter.messageTexts(),
        QStringList{QString("Failed to Load Stream \"%1\". It is a folder.").arg(world.path())});
    QCOMPARE(f.view()->toPlainText(), QString("kept"));
}

void TestTextDocument::askSaveText() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = world.file("a.txt", "a");
    PageFixture f;
    f.page->AskSaveText(); // nothing to ask
    QVERIFY(prompter.messages.isEmpty());
    f.page->LoadDocument(path, "a.txt", world.path());
    f.type("12");

    prompter.answer(MsgButton::Cancel);
    f.page->TextNewBut->click();
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Confirmation);
    QCOMPARE(prompter.messages[0].text, QString("Save changes to a.txt?"));
    QCOMPARE(prompter.messages[0].buttons, MsgButton::Yes | MsgButton::No | MsgButton::Cancel);
    QCOMPARE(f.view()->toPlainText(), QString("12a"));
    QCOMPARE(f.panel(0), QString("Modified"));
    QVERIFY_THROWS_EXCEPTION(KorAbort, f.page->AskSaveText());

    prompter.answer(MsgButton::Yes);
    f.page->AskSaveText();
    QCOMPARE(fileBytes(path), QByteArray("12a"));
    QCOMPARE(f.panel(0), QString());

    f.type("34");
    prompter.answer(MsgButton::No);
    f.page->AskSaveText();
    QCOMPARE(fileBytes(path), QByteArray("12a"));
    QCOMPARE(f.panel(0), QString("Modified"));
}

void TestTextDocument::oneChangeAfterLoadIsNotLost() {
    TestWorld world;
    ScriptedPrompter prompter;
    const QString path = world.file("one.txt", "b");
    PageFixture f;
    f.page->LoadDocument(path, "one.txt", world.path());
    QCOMPARE(f.panel(0), QString());
    f.type("a");
    prompter.answer(MsgButton::Cancel);
    QVERIFY_THROWS_EXCEPTION(KorAbort, f.page->AskSaveText());
    QCOMPARE(prompter.messageTexts(), QStringList{"Save changes to one.txt?"});
    f.page->SaveButton->click();
    QCOMPARE(fileBytes(path), QByteArray("ab"));
    QCOMPARE(f.panel(0), QString());
}

void TestTextDocument::yesOnUntitledCancelledSaveAsGoesOn() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.type("ab");
    prompter.answer(MsgButton::Yes);
    prompter.answerFile(QString());
    f.page->TextNewBut->click();
    QCOMPARE(prompter.fileRequests.size(), 1);
    QCOMPARE(f.view()->toPlainText(), QString());
    QCOMPARE(f.panel(3), QString("Untitled"));
}

void TestTextDocument::newDocument() {
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    f.page->LoadDocument(world.file("n.txt", "text"), "n.txt", world.path());
    f.page->TextNewBut->click();
    QCOMPARE(f.view()->toPlainText(), QString());
    QCOMPARE(f.panel(0), QString());
    QCOMPARE(f.panel(2), world.path()); // the folder stays
    QCOMPARE(f.panel(3), QString("Untitled"));
    QVERIFY(!f.page->SaveButton->isEnabled());
    QVERIFY(prompter.messages.isEmpty());
}

void TestTextDocument::documentButtons_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("one character") << "a" << true;
    QTest::newRow("two empty lines") << "\n" << true;
}

void TestTextDocument::documentButtons() {
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    PageFixture f;
    f.view()->setPlainText(text);
    f.page->TextButSort();
    for (QToolButton* button : {f.page->SaveButton, f.page->SaveAsBut, f.page->PrintBut,
                                f.page->SelAllBut, f.page->FindBut})
        QCOMPARE(button->isEnabled(), enabled);
}

void TestTextDocument::lineAndColumn() {
    PageFixture f;
    f.view()->setPlainText("first\nsecond line\nthird");
    f.caret(11);
    QCOMPARE(f.panel(1), QString("Line:   2   Col:   6"));
    f.select(14, 2);
    QCOMPARE(f.panel(1), QString("Line:   1   Col:   3"));
    QVERIFY(f.page->CopyBut->isEnabled() && f.page->CutBut->isEnabled());
    QVERIFY(f.page->DeleteBut->isEnabled());
    f.caret(2);
    QVERIFY(!f.page->CopyBut->isEnabled() && !f.page->DeleteBut->isEnabled());
    QString longLine(1200, u'x');
    f.view()->setPlainText(longLine);
    f.caret(1150);
    QCOMPARE(f.panel(1), QString("Line:   1   Col: 1151"));
}

void TestTextDocument::editCommands() {
    PageFixture f;
    QApplication::clipboard()->clear();
    f.page->UpdatePasteButton();
    QVERIFY(!f.page->PasteBut->isEnabled());
    f.type("one two");
    f.select(0, 3);
    f.page->CopyBut->click();
    QCOMPARE(QApplication::clipboard()->text(), QString("one"));
    QVERIFY(f.page->PasteBut->isEnabled());
    f.select(3, 7);
    f.page->CutBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("one"));
    QCOMPARE(QApplication::clipboard()->text(), QString(" two"));
    QVERIFY(!f.page->DeleteBut->isEnabled());
    f.caret(0);
    f.page->PasteBut->click();
    QCOMPARE(f.view()->toPlainText(), QString(" twoone"));
    f.select(0, 4);
    f.page->DeleteBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("one"));
    QVERIFY(!f.page->DeleteBut->isEnabled());
    f.page->SelAllBut->click();
    QCOMPARE(f.view()->textCursor().selectedText(), QString("one"));
    f.page->UndoBut->click();
    QCOMPARE(f.view()->toPlainText(), QString(" twoone"));
}

void TestTextDocument::wordWrap() {
    PageFixture f;
    f.page->WrapBut->click();
    QCOMPARE(f.view()->lineWrapMode(), QTextEdit::NoWrap);
    QVERIFY(!f.page->WrapBut->isChecked());
    QCOMPARE(f.view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f.view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QAction* wrap = f.action("TextWordWrap1");
    f.window.show();
    PageFixture::aboutToShow(f.editTextMenu);
    QVERIFY(!wrap->isChecked());
    wrap->trigger();
    QCOMPARE(f.view()->lineWrapMode(), QTextEdit::WidgetWidth);
    QVERIFY(f.page->WrapBut->isChecked());
    QCOMPARE(f.view()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestTextDocument::menusFollowButtonStates() {
    PageFixture f;
    QStringList captions;
    for (QAction* action : f.textMenu->actions())
        captions << action->text();
    QCOMPARE(captions, QStringList({"New Document", "Open Document", "Save", "Save As", "", "Print",
                                    "Printer Setup"}));
    captions.clear();
    for (QAction* action : f.editTextMenu->actions())
        captions << action->text();
    QCOMPARE(captions, QStringList({"Undo", "", "Copy", "Cut", "Paste", "Delete", "", "Find",
                                    "Replace", "", "Select All", "WordWrap"}));
    QCOMPARE(f.action("TextCopy1")->shortcut(), QKeySequence("Ctrl+C"));
    QCOMPARE(f.action("TextDelete1")->shortcut(), QKeySequence("Ctrl+Del"));

    PageFixture::aboutToShow(f.textMenu);
    QVERIFY(!f.action("TextSave1")->isEnabled());
    QVERIFY(!f.action("TextPrint1")->isEnabled());
    f.type("ab");
    f.select(0, 1);
    PageFixture::aboutToShow(f.textMenu);
    QVERIFY(f.action("TextSave1")->isEnabled());
    QVERIFY(f.action("TextSaveAs1")->isEnabled());
    QVERIFY(f.action("TextPrint1")->isEnabled());

    // The items follow their buttons at once, without the menu being opened.
    QVERIFY(f.action("TextCopy1")->isEnabled());
    f.caret(0);
    f.page->PasteBut->setEnabled(false);
    QVERIFY(!f.action("TextCopy1")->isEnabled());
    QVERIFY(!f.action("TextCut1")->isEnabled());
    QVERIFY(!f.action("TextDelete1")->isEnabled());
    QVERIFY(!f.action("TextPaste1")->isEnabled());
    QVERIFY(f.action("TextUndo1")->isEnabled());
    QVERIFY(f.action("TextFind1")->isEnabled() && f.action("TextSelectAll1")->isEnabled());

    QCOMPARE(f.page->PopupMenu2->bannerText(), QString("Text"));
    QVERIFY(f.action("TextUndo2")->isEnabled());
    QVERIFY(!f.action("TextCopy2")->isEnabled());
    QVERIFY(!f.action("TextPaste2")->isEnabled());
}

void TestTextDocument::shortcutsOnlyWhileMenuVisible() {
    PageFixture f;
    auto* other = new QLineEdit("alpha beta");
    f.window.statusBar()->addWidget(other);
    f.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.view()->setPlainText("keep cut");
    f.select(4, 8);
    other->setFocus();
    other->setCursorPosition(0);

    f.editTextMenu->menuAction()->setVisible(false);
    QTest::keyClick(other, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f.view()->toPlainText(), QString("keep cut"));
    QCOMPARE(other->text(), QString("beta"));

    f.editTextMenu->menuAction()->setVisible(true);
    QTest::keyClick(other, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(f.view()->toPlainText(), QString("keep"));
    QCOMPARE(other->text(), QString("beta"));
}

QTEST_MAIN(TestTextDocument)
#include "tst_textdocument.moc"
