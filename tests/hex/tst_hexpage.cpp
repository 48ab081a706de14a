#include "hex/HexPage.h"

#include "core/KorError.h"
#include "hex/HexEditor.h"
#include "kit/BannerMenu.h"
#include "kit/GradientPanel.h"
#include "kit/StatusPanels.h"

#include "HexFixtures.h"
#include "ScriptedPrompter.h"
#include "SmallVolume.h"
#include "TestWorld.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The open dialog's read-only check box, ticked by the user.
class ReadOnlyTicker : public ScriptedPrompter {
public:
    QStringList openFiles(FileRequest& request) override {
        request.readOnly = true;
        return ScriptedPrompter::openFiles(request);
    }
};

QStringList captions(const QMenu* menu) {
    QStringList list;
    for (const QAction* action : menu->actions())
        list.append(action->isSeparator() ? "-" : action->objectName() + "=" + action->text());
    return list;
}

} // namespace

// The HexEdit sheet: its controls, status bar, commands and clipboard exchange.
class TestHexPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void controlsAndInitialState();
    void statusBarFollowsTheDocument();
    void askSaveHex_data();
    void askSaveHex();
    void askSaveUnnamedUsesTheSaveDialog();
    void newAsksFirst();
    void openHonoursTheReadOnlyBox();
    void openedFileSavesUnchangedWithoutBackup();
    void unwritableFileShowsRAndCannotBeSaved();
    void saveAs_data();
    void saveAs();
    void copyCutPaste();
    void copiedZeroByteEndsTheText();
    void clipboardCommandsFollowTheirButtons();
    void ctrlAOnAnEmptyDocument();
    void editMenusShowTheUndoStep();
    void rightClickOpensHexPop();
    void fileMenuEnabling();
    void bytesPerLineButtons();
    void undoButton();
    void loadFromList();
    void loadFailuresSayWhy();
    void nameThatIsNotUtf8Loads();
    void fullVolumeSaveSaysWhy();
    void loadFromListRefusesHugeFiles();
    void buttonsRefreshOnKeyRelease();

private:
    QString load(const QByteArray& bytes, const QString& name = "page.bin");
    QString panel(int index) const { return m_page->StatHex->panelText(index); }
    THexEditor* editor() const { return m_page->HexEditor1; }

    std::unique_ptr<TestWorld> m_world;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    TBannerMenu* m_fileMenu = nullptr;
    TBannerMenu* m_editMenu = nullptr;
    std::unique_ptr<THexPage> m_page;
};

void TestHexPage::init() {
    m_world = std::make_unique<TestWorld>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_page = std::make_unique<THexPage>();
    m_fileMenu = m_page->HexFileMenu;
    m_editMenu = m_page->HexEditMenu;
    m_page->resize(800, 400);
    QApplication::clipboard()->clear();
}

void TestHexPage::cleanup() {
    m_page.reset();
    m_prompter.reset();
    m_world.reset();
}

QString TestHexPage::load(const QByteArray& bytes, const QString& name) {
    const QString path = m_world->file(name, bytes);
    m_page->LoadFromList(path);
    QApplication::processEvents();
    return path;
}

void TestHexPage::controlsAndInitialState() {
    struct Expected {
        const char* name;
        const char* hint;
        bool enabled;
    };
    const Expected buttons[] = {{"HexNewBut", "New document", true},
                                {"HexOpenBut", "Open existing document", true},
                                {"HexSaveBut", "Save document", false},
                                {"HexSaveAsBut", "Save document under a new name", false},
                                {"HexCopyBut", "Copy to clipboard", false},
                                {"HexCutBut", "Cut to clipboard", false},
                                {"HexPasteBut", "Paste from clipboard", false},
                                {"HexUndoBut", "Undo", false},
                                {"Hex16But", "16 bytes per line", true},
                                {"Hex32But", "32 bytes per line", true},
                                {"Hex64But", "64 bytes per line", true}};
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QList<QToolButton*> order;
    for (const Expected& expected : buttons) {
        auto* button = m_page->findChild<QToolButton*>(expected.name);
        QVERIFY2(button, expected.name);
        QCOMPARE(button->toolTip(), QString(expected.hint));
        QCOMPARE(button->isEnabled(), expected.enabled);
        order.append(button);
    }
    for (int i = 1; i < order.size(); ++i) // the tool bar's order
        QVERIFY(order[i - 1]->geometry().left() < order[i]->geometry().left());
    QVERIFY(m_page->Hex16But->isChecked());
    QVERIFY(!m_page->Hex32But->isChecked());
    QCOMPARE(m_page->Hex64But->text(), QString("64"));
    QCOMPARE(m_page->findChild<TGradientPanel*>()->title(), QString("HexEdit"));

    QCOMPARE(m_page->findChild<THexEditor*>("HexEditor1"), editor());
    QCOMPARE(editor()->font().family(), QString("MS Sans Serif"));
    QCOMPARE(editor()->font().pointSize(), 8);
    QVERIFY(!editor()->OEMTranslate());
    QVERIFY(editor()->CreateBackup());
    QCOMPARE(editor()->BackupExtension(), QString(".bak"));

    TStatusPanels* status = m_page->findChild<TStatusPanels*>("StatHex");
    QVERIFY(status);
    QCOMPARE(status->panelCount(), 6);
    const QList<int> widths = {90, 120, 30, 30, 90};
    for (int i = 0; i < widths.size(); ++i) {
        QCOMPARE(status->panel(i)->minimumWidth(), widths[i]);
        QCOMPARE(status->panel(i)->maximumWidth(), widths[i]);
    }
    QCOMPARE(status->panel(5)->minimumWidth(), 50);
    QCOMPARE(panel(0), QString("Pos : 0"));
    QCOMPARE(panel(4), QString("Size : 0"));
    for (int i : {1, 2, 3, 5})
        QCOMPARE(panel(i), QString());

    QCOMPARE(m_fileMenu->objectName(), QString("HexFileMenu"));
    QCOMPARE(captions(m_fileMenu),
             (QStringList{"HexNew=New", "HexOpen=Open", "HexSave=Save", "HexSaveAs=Save As"}));
    QCOMPARE(captions(m_editMenu), (QStringList{"HexUndo2=Undo", "-", "HexCopy2=Copy",
                                                      "HexCut2=Cut", "HexPaste2=Paste"}));
    QCOMPARE(captions(m_page->HexPop), (QStringList{"HexUndo1=Undo", "-", "HexCopy1=Copy",
                                                    "HexCut1=Cut", "HexPaste1=Paste"}));
    QCOMPARE(m_page->HexPop->objectName(), QString("HexPop"));
    QCOMPARE(m_page->HexPop->bannerText(), QString("Hex"));
    for (const QMenu* menu :
         {static_cast<QMenu*>(m_fileMenu), static_cast<QMenu*>(m_editMenu),
          static_cast<QMenu*>(m_page->HexPop)})
        for (const QAction* action : menu->actions())
            QVERIFY(action->shortcut().isEmpty());
}

void TestHexPage::statusBarFollowsTheDocument() {
    const QString path = load(countingBytes(40));
    QCOMPARE(panel(0), QString("Pos : 0"));
    QCOMPARE(panel(1), QString());
    QCOMPARE(panel(2), QString());
    QCOMPARE(panel(3), QString());
    QCOMPARE(panel(4), QString("Size : 40"));
    QCOMPARE(panel(5), "[" + path + "]");
    editor()->document().moveCaret({2 + 2 * 5, 1}); // byte 21
    QTest::keyClicks(editor(), "a");
    QTRY_COMPARE(panel(2), QString("*"));
    QCOMPARE(panel(0), QString("Pos : 21"));
    selectBytes(editor()->document(), 3, 9);
    QTRY_COMPARE(panel(1), QString("Sel : 3 - 9"));
    QCOMPARE(panel(0), QString("Pos : 9"));
    m_prompter->answer(MsgButton::No);
    m_page->HexNewButClick();
    QApplication::processEvents();
    QCOMPARE(panel(5), QString("[Unnamed File]"));
    QCOMPARE(panel(4), QString("Size : 0"));
    QCOMPARE(panel(3), QString("R"));
    QCOMPARE(panel(2), QString());
    QCOMPARE(panel(1), QString());
}

void TestHexPage::askSaveHex_data() {
    QTest::addColumn<bool>("modify");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("lockFile");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QByteArray>("onDisk");
    QTest::addColumn<QStringList>("messages");
    const QStringList question = {"Save changes to\r\n%1 ?"};
    QTest::newRow("unmodified") << false << 0 << false << true << QByteArray("abc")
                                << QStringList();
    QTest::newRow("yes") << true << int(MsgButton::Yes) << false << true << QByteArray("Abc")
                         << question;
    QTest::newRow("no") << true << int(MsgButton::No) << false << true << QByteArray("abc")
                        << question;
    QTest::newRow("cancel") << true << int(MsgButton::Cancel) << false << false << QByteArray("abc")
                            << question;
    QTest::newRow("yes, but saving fails")
        << true << int(MsgButton::Yes) << true << false << QByteArray("abc")
        << QStringList{"Save changes to\r\n%1 ?", "Cannot save file\r\n%1\r\n" + LockedReason()};
}

void TestHexPage::askSaveHex() {
    QFETCH(bool, modify);
    QFETCH(int, answer);
    QFETCH(bool, lockFile);
    QFETCH(bool, result);
    QFETCH(QByteArray, onDisk);
    QFETCH(QStringList, messages);
    const QString path = load("abc");
    if (modify) editor()->document().ChangeByte('a', 'A', 0, 2, 0);
    if (answer) m_prompter->answer(MsgButton(answer));
    std::optional<Unwritable> lock;
    if (lockFile) {
        lock.emplace(path);
        if (!lock->ok()) QSKIP("cannot make a file unwritable here");
    }
    QCOMPARE(m_page->AskSaveHex(), result);
    QCOMPARE(readFile(path), onDisk);
    QStringList expected;
    for (const QString& text : messages)
        expected.append(text.arg(path));
    QCOMPARE(m_prompter->messageTexts(), expected);
    if (!messages.isEmpty()) {
        QCOMPARE(m_prompter->messages[0].kind, MsgKind::Confirmation);
        QCOMPARE(m_prompter->messages[0].buttons,
                 MsgButton::Yes | MsgButton::No | MsgButton::Cancel);
    }
    if (messages.size() > 1) QCOMPARE(m_prompter->messages[1].kind, MsgKind::Error);
    QCOMPARE(editor()->Modified(), modify && !(answer == int(MsgButton::Yes) && result));
    if (modify) // the question refreshed the buttons
        QCOMPARE(m_page->HexSaveBut->isEnabled(), editor()->Modified());
}

void TestHexPage::askSaveUnnamedUsesTheSaveDialog() {
    const char full = char(0xFF);
    editor()->AppendBuffer(&full, 1);
    const QString target = m_world->path("chosen.bin");
    m_prompter->answer(MsgButton::Yes);
    m_prompter->answerFile(target);
    QSignalSpy saved(m_page.get(), &THexPage::hexFileSaved);
    QVERIFY(m_page->AskSaveHex());
    QCOMPARE(m_prompter->messageTexts(), QStringList{"Save changes to\r\nUnnamed File ?"});
    QCOMPARE(m_prompter->fileRequests.size(), 1);
    QCOMPARE(m_prompter->fileRequests[0].caption, QString("Save as"));
    QCOMPARE(readFile(target), QByteArray(1, full));
    QCOMPARE(editor()->FileName(), target);
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.first().first().toString(), target);
}

void TestHexPage::newAsksFirst() {
    load("abc");
    editor()->document().ChangeByte('a', 'A', 0, 2, 0);
    m_prompter->answer(MsgButton::Cancel);
    m_page->HexNewButClick();
    QCOMPARE(editor()->DataSize(), 3);
    QVERIFY(editor()->Modified());
    m_prompter->answer(MsgButton::No);
    m_page->HexNewButClick();
    QCOMPARE(editor()->DataSize(), 0);
    QVERIFY(editor()->FileName().isEmpty());
    QVERIFY(!editor()->Modified());
}

void TestHexPage::openHonoursTheReadOnlyBox() {
    m_prompter.reset(); // one scripted prompter at a time
    ReadOnlyTicker prompter;
    const QString path = m_world->file("ro.bin", "data");
    prompter.answerFile(path);
    m_page->HexOpenButClick();
    QApplication::processEvents();
    QCOMPARE(prompter.fileRequests.size(), 1);
    QCOMPARE(prompter.fileRequests[0].caption, QString("Open file"));
    QVERIFY(prompter.fileRequests[0].offerReadOnly);
    QCOMPARE(prompter.fileRequests[0].filter, QString("All Files (*)"));
    QCOMPARE(editor()->FileName(), path);
    QVERIFY(editor()->ReadOnlyFile());
    QTRY_COMPARE(panel(3), QString("R"));
    QVERIFY(m_page->HexSaveBut->isEnabled());
    // Still editable and savable: the box is an indicator only.
    editor()->document().ChangeByte('d', 'D', 0, 2, 0);
    QVERIFY(m_page->SaveHex());
    QCOMPARE(readFile(path), QByteArray("Data"));
    QVERIFY(prompter.messages.isEmpty());
}

void TestHexPage::openedFileSavesUnchangedWithoutBackup() {
    const QString path = m_world->file("plain.txt", "same");
    m_prompter->answerFile(path);
    m_page->HexOpenButClick();
    QVERIFY(m_page->HexSaveBut->isEnabled());
    QVERIFY(!editor()->ReadOnlyFile());
    m_page->HexSaveBut->click();
    QCOMPARE(readFile(path), QByteArray("same"));
    QVERIFY(!QFile::exists(m_world->path("plain.bak")));
    QVERIFY(m_prompter->messages.isEmpty());
    m_prompter->answerFile({}); // a cancelled Open keeps the document
    m_page->HexOpenButClick();
    QCOMPARE(editor()->FileName(), path);
}

void TestHexPage::unwritableFileShowsRAndCannotBeSaved() {
    const QString path = m_world->file("locked.bin", "locked");
    Unwritable lock(path);
    if (!lock.ok()) QSKIP("cannot make a file unwritable here");
    m_page->LoadFromList(path);
    QTRY_COMPARE(panel(3), QString("R"));
    editor()->document().ChangeByte('l', 'L', 0, 2, 0);
    QVERIFY(!m_page->SaveHex());
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{"Cannot save file\r\n" + path + "\r\n" + LockedReason()});
    QVERIFY(!QFile::exists(m_world->path("locked.bak"))); // a failed save changes nothing
    QCOMPARE(m_prompter->messages[0].kind, MsgKind::Error);
    QVERIFY(editor()->Modified());
    QTRY_COMPARE(panel(2), QString("*"));
    QCOMPARE(readFile(path), QByteArray("locked"));
}

void TestHexPage::saveAs_data() {
    QTest::addColumn<QString>("choice"); // "" cancels, "locked/" an unwritable folder
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("cancelled") << "" << false << QStringList();
    QTest::newRow("fails") << "locked/copy.bin" << false
                           << QStringList{"Cannot save file\r\n%1\r\n" + LockedReason()};
    QTest::newRow("saved") << "copy.bin" << true << QStringList();
}

void TestHexPage::saveAs() {
    QFETCH(QString, choice);
    QFETCH(bool, renamed);
    QFETCH(QStringList, messages);
    const QString path = load("source");
    editor()->document().ChangeByte('s', 'S', 0, 2, 0);
    const QString folder = m_world->dir("locked");
    Unwritable lock(folder);
    if (choice.startsWith("locked") && !lock.ok()) QSKIP("cannot make a folder unwritable here");
    const QString target = choice.isEmpty() ? QString() : m_world->path(choice);
    m_prompter->answerFile(target);
    QSignalSpy saved(m_page.get(), &THexPage::hexFileSaved);
    m_page->HexSaveAsButClick();
    QCOMPARE(m_prompter->fileRequests.size(), 1);
    QCOMPARE(m_prompter->fileRequests[0].caption, QString("Save as"));
    QCOMPARE(editor()->FileName(), renamed ? target : path);
    QStringList expected;
    for (const QString& text : messages)
        expected.append(text.arg(target));
    QCOMPARE(m_prompter->messageTexts(), expected);
    QCOMPARE(editor()->Modified(), !renamed);
    QCOMPARE(saved.count(), renamed ? 1 : 0);
    QCOMPARE(readFile(path), QByteArray("source"));
    if (renamed) QCOMPARE(readFile(target), QByteArray("Source"));
}

void TestHexPage::copyCutPaste() {
    load("0123456789");
    THexDocument& doc = editor()->document();
    selectBytes(doc, 2, 4);
    m_page->HexCopyButClick();
    QCOMPARE(QApplication::clipboard()->text(), QString("234"));
    // Paste without a selection inserts at the caret and selects the new bytes.
    doc.moveCaret({2 + 2 * 8, 0});
    m_page->HexPasteButClick();
    QCOMPARE(contents(doc), QByteArray("01234567234"
                                       "89"));
    QCOMPARE(editor()->SelStart(), 8);
    QCOMPARE(editor()->SelEnd(), 10);
    QCOMPARE(editor()->CaretPosition(), 8);
    QCOMPARE(editor()->UndoDescription(), QString("Insert Buffer"));
    // Paste over a selection replaces it.
    selectBytes(doc, 0, 1);
    m_page->HexPasteButClick();
    QCOMPARE(contents(doc), QByteArray("234234567234"
                                       "89"));
    QCOMPARE(editor()->SelStart(), 0);
    QCOMPARE(editor()->SelEnd(), 2);
    QCOMPARE(editor()->UndoDescription(), QString("Replace selection"));
    // Cut: copy, then one removal step.
    selectBytes(doc, 3, 8);
    m_page->HexCutButClick();
    QCOMPARE(QApplication::clipboard()->text(), QString("234567"));
    QCOMPARE(contents(doc), QByteArray("23423489"));
    QCOMPARE(editor()->UndoDescription(), QString("Byte(s) removed"));
    m_page->HexUndoButClick();
    QCOMPARE(contents(doc), QByteArray("234234567234"
                                       "89"));
}

void TestHexPage::copiedZeroByteEndsTheText() {
    load(QByteArray("ab\0cd\xE9\x80", 7));
    THexDocument& doc = editor()->document();
    selectBytes(doc, 0, 4);
    m_page->HexCopyButClick();
    QCOMPARE(QApplication::clipboard()->text(), QString("ab"));
    selectBytes(doc, 5, 6);
    m_page->HexCopyButClick();
    QCOMPARE(QApplication::clipboard()->text(),
             QString("\u00e9\u20ac")); // the bytes as single-byte text
    doc.moveCaret({2, 0});
    m_page->HexPasteButClick();
    QCOMPARE(contents(doc), QByteArray("\xE9\x80"
                                       "ab\0cd\xE9\x80",
                                       9));
    QApplication::clipboard()->setText(QString("x") + QChar(0) + "y" + QChar(0x4E2D));
    doc.clearSelection();
    m_page->HexPasteButClick();
    QCOMPARE(contents(doc).left(2), QByteArray("x\xE9"));
    QApplication::clipboard()->setText(QString("y") + QChar(0x4E2D));
    m_page->HexPasteButClick();                            // replaces the selected "x"
    QCOMPARE(contents(doc).left(3), QByteArray("y?\xE9")); // no byte for the character
}

void TestHexPage::clipboardCommandsFollowTheirButtons() {
    load("abc");
    QApplication::clipboard()->setText("keep");
    m_page->HexCopyButClick(); // nothing selected
    m_page->HexCutButClick();
    QCOMPARE(QApplication::clipboard()->text(), QString("keep"));
    QCOMPARE(contents(editor()->document()), QByteArray("abc"));
    QApplication::clipboard()->clear();
    m_page->HexPasteButClick(); // no text
    QCOMPARE(contents(editor()->document()), QByteArray("abc"));
    QVERIFY(!m_page->HexPasteBut->isEnabled());
    QApplication::clipboard()->setText("z");
    m_page->UpdateHexButtons();
    QVERIFY(m_page->HexPasteBut->isEnabled());
}

void TestHexPage::ctrlAOnAnEmptyDocument() {
    QTest::keyClick(editor(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(contents(editor()->document()), QByteArray(1, char(0xFF)));
    QTRY_COMPARE(panel(4), QString("Size : 1"));
    QCOMPARE(panel(1), QString("Sel : 0 - 0"));
    QCOMPARE(editor()->UndoDescription(), QString("Append buffer"));
    QTest::keyClick(editor(), Qt::Key_A,
                    Qt::ControlModifier | Qt::ShiftModifier); // not exactly Ctrl
    QCOMPARE(editor()->DataSize(), 1);
}

void TestHexPage::editMenusShowTheUndoStep() {
    load("\x12\x34");
    Q_EMIT m_editMenu->aboutToShow();
    QCOMPARE(m_page->HexUndo2->text(), QString("Undo : No Undo"));
    QVERIFY(!m_page->HexUndo2->isEnabled());
    QVERIFY(!m_page->HexCopy2->isEnabled());
    QVERIFY(!m_page->HexPaste2->isEnabled());
    QTest::keyClicks(editor(), "f");
    QApplication::clipboard()->setText("t");
    selectBytes(editor()->document(), 0, 1);
    Q_EMIT m_editMenu->aboutToShow();
    QCOMPARE(m_page->HexUndo2->text(), QString("Undo : Byte changed"));
    QVERIFY(m_page->HexUndo2->isEnabled());
    QVERIFY(m_page->HexCopy2->isEnabled());
    QVERIFY(m_page->HexCut2->isEnabled());
    QVERIFY(m_page->HexPaste2->isEnabled());
    Q_EMIT m_page->HexPop->aboutToShow();
    QCOMPARE(m_page->HexUndo1->text(), QString("Undo : Byte changed"));
    QVERIFY(m_page->HexUndo1->isEnabled());
    QVERIFY(m_page->HexCut1->isEnabled());
    m_page->HexUndo1->trigger();
    QCOMPARE(contents(editor()->document()), QByteArray("\x12\x34"));
}

void TestHexPage::rightClickOpensHexPop() {
    load("ab");
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QWidget* view = editor()->viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            view->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(view, &event);
    QTRY_VERIFY(m_page->HexPop->isVisible());
    QCOMPARE(m_page->HexUndo1->text(), QString("Undo : No Undo")); // refreshed on opening
    m_page->HexPop->close();
    QCOMPARE(editor()->CaretPosition(), 0); // the grid's caret stays where it was
}

void TestHexPage::fileMenuEnabling() {
    Q_EMIT m_fileMenu->aboutToShow();
    QVERIFY(!m_page->HexSave->isEnabled());
    QVERIFY(!m_page->HexSaveAs->isEnabled());
    QVERIFY(m_page->HexNew->isEnabled());
    QVERIFY(m_page->HexOpen->isEnabled());
    load("x");
    Q_EMIT m_fileMenu->aboutToShow();
    QVERIFY(!m_page->HexSave->isEnabled());
    QVERIFY(m_page->HexSaveAs->isEnabled());
    editor()->document().ChangeByte('x', 'y', 0, 2, 0);
    Q_EMIT m_fileMenu->aboutToShow();
    QVERIFY(m_page->HexSave->isEnabled());
    m_page->HexSave->trigger();
    QCOMPARE(readFile(editor()->FileName()), QByteArray("y"));
}

void TestHexPage::bytesPerLineButtons() {
    load(countingBytes(100));
    m_page->Hex64But->click();
    QCOMPARE(editor()->BytesPerLine(), 64);
    QVERIFY(!m_page->Hex16But->isChecked());
    m_page->Hex32But->click();
    QCOMPARE(editor()->BytesPerLine(), 32);
    QVERIFY(m_page->Hex32But->isChecked());
    QVERIFY(!m_page->Hex64But->isChecked());
}

void TestHexPage::undoButton() {
    load("ab");
    editor()->document().ChangeByte('a', 'c', 0, 2, 0);
    m_page->UpdateHexButtons();
    QVERIFY(m_page->HexUndoBut->isEnabled());
    m_page->HexUndoBut->click();
    QCOMPARE(contents(editor()->document()), QByteArray("ab"));
    QVERIFY(!m_page->HexUndoBut->isEnabled());
}

void TestHexPage::loadFromList() {
    load("first", "first.bin");
    editor()->document().ChangeByte('f', 'F', 0, 2, 0);
    const QString second = m_world->file("second.bin", "second");
    m_prompter->answer(MsgButton::Cancel);
    QVERIFY(!m_page->LoadFromList(second));
    QCOMPARE(contents(editor()->document()), QByteArray("First"));
    m_prompter->answer(MsgButton::No);
    QVERIFY(m_page->LoadFromList(second));
    QCOMPARE(editor()->FileName(), second);
    QCOMPARE(contents(editor()->document()), QByteArray("second"));
    QVERIFY(m_page->HexSaveBut->isEnabled());
    QCOMPARE(readFile(m_world->path("first.bin")), QByteArray("first"));
    // A file that cannot be read leaves an empty, unnamed document and says why.
    QVERIFY(m_page->LoadFromList(m_world->path("gone.bin")));
    QCOMPARE(editor()->DataSize(), 0);
    QTRY_COMPARE(panel(5), QString("[Unnamed File]"));
    QCOMPARE(m_prompter->messageTexts().last(),
             QString("Cannot open file \"%1\". No such file or directory")
                 .arg(m_world->path("gone.bin")));
}

void TestHexPage::loadFailuresSayWhy() {
    const QString fifo = m_world->path("pipe");
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString dangling = m_world->path("dangling");
    QVERIFY(QFile::link(m_world->path("nowhere"), dangling));
    const struct {
        QString path;
        QString reason;
    } cases[] = {
        {fifo, "It is a named pipe (FIFO)."},
        {"/dev/zero", "It is a device."},
        {dangling, "No such file or directory"},
    };
    for (const auto& item : cases) {
        m_prompter->messages.clear();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(m_page->LoadFromList(item.path));
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(m_prompter->messageTexts(),
                 QStringList{QString("Cannot open file \"%1\". %2").arg(item.path, item.reason)});
        QCOMPARE(editor()->DataSize(), 0);
    }
}

void TestHexPage::nameThatIsNotUtf8Loads() {
    const QByteArray folder = QFile::encodeName(m_world->path()) + "dir\xff\xfe";
    const QByteArray path = folder + "/caf\xe9.bin";
    QVERIFY(::mkdir(folder.constData(), 0700) == 0);
    const auto cleanUp = qScopeGuard([&] {
        ::unlink(path.constData());
        ::rmdir(folder.constData());
    });
    {
        QFile out;
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0 && out.open(fd, QIODevice::WriteOnly, QFile::AutoCloseHandle));
        out.write("raw");
    }
    QVERIFY(m_page->LoadFromList(path));
    QVERIFY(m_prompter->messages.isEmpty());
    QCOMPARE(contents(editor()->document()), QByteArray("raw"));
    editor()->document().ChangeByte('r', 'R', 0, 2, 0);
    QVERIFY(m_page->SaveHex());
    QFile in;
    const int fd = ::open(path.constData(), O_RDONLY);
    QVERIFY(fd >= 0 && in.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle));
    QCOMPARE(in.readAll(), QByteArray("Raw"));
}

void TestHexPage::fullVolumeSaveSaysWhy() {
    SmallVolume volume;
    if (!volume.mounted()) QSKIP("needs root to mount a small file system");
    const QString path = volume.path("full.bin");
    const QByteArray original(30 << 10, 'o');
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(original) == original.size());
    }
    QVERIFY(m_page->LoadFromList(path));
    editor()->document().ChangeByte('o', 'O', 0, 2, 0);
    QVERIFY(!m_page->SaveHex());
    QCOMPARE(m_prompter->messageTexts(),
             QStringList{"Cannot save file\r\n" + path + "\r\nNo space left on device"});
    QCOMPARE(readFile(path), original);
    QCOMPARE(QDir(volume.path({})).entryList(QDir::Files | QDir::Hidden), QStringList{"full.bin"});
}

void TestHexPage::loadFromListRefusesHugeFiles() {
    const QString big = m_world->path("huge.bin");
    {
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(3) << 30));
    }
    QVERIFY_THROWS_EXCEPTION(KorError, m_page->LoadFromList(big));
    QCOMPARE(editor()->DataSize(), 0);
    QVERIFY(!m_page->HexSaveBut->isEnabled());
}

void TestHexPage::buttonsRefreshOnKeyRelease() {
    load("ab");
    QVERIFY(m_page->HexSaveBut->isEnabled()); // enabled by the load
    QTest::keyClick(editor(), Qt::Key_Right); // key release runs UpdateHexButtons
    QVERIFY(!m_page->HexSaveBut->isEnabled());
    QTest::keyClicks(editor(), "c");
    QVERIFY(m_page->HexSaveBut->isEnabled());
    QVERIFY(m_page->HexUndoBut->isEnabled());
    QVERIFY(m_page->HexSaveAsBut->isEnabled());
}

QTEST_MAIN(TestHexPage)
#include "tst_hexpage.moc"
