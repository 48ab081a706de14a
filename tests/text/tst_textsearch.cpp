#include "text/SearchDialog.h"

#include "PageFixture.h"
#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

class TestTextSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dialogsAreModeless();
    void findSequence();
    void findOptions();
    void emptyFindTextFindsNothing();
    void singleReplace();
    void replaceAllFromTheCaret();
    void replaceAllThatReplacesNothing_data();
    void replaceAllThatReplacesNothing();
};

void TestTextSearch::dialogsAreModeless() {
    PageFixture f;
    f.view()->setPlainText("text");
    f.page->TextButSort();
    f.page->FindBut->click();
    QVERIFY(f.page->FindDialog->isVisible());
    QVERIFY(!f.page->FindDialog->isModal());
    QCOMPARE(f.page->FindDialog->windowTitle(), QString("Find"));
    QCOMPARE(f.page->FindDialog->FindEdit->maxLength(), 255);
    QVERIFY(!f.page->FindDialog->ReplaceEdit);
    f.action("TextReplace1")->trigger();
    QVERIFY(f.page->ReplaceDialog->isVisible());
    QVERIFY(!f.page->ReplaceDialog->isModal());
    QCOMPARE(f.page->ReplaceDialog->windowTitle(), QString("Replace"));
    QCOMPARE(f.page->ReplaceDialog->ReplaceEdit->maxLength(), 255);
    f.page->ReplaceDialog->CloseBut->click();
    QVERIFY(!f.page->ReplaceDialog->isVisible());
    QVERIFY(f.page->FindDialog->isVisible());
}

void TestTextSearch::findSequence() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("owl owl");
    f.caret(0);
    TSearchDialog* dialog = f.page->FindDialog;
    dialog->FindEdit->setText("owl");
    dialog->FindNextBut->click();
    QCOMPARE(f.view()->textCursor().selectionStart(), 0);
    QCOMPARE(f.view()->textCursor().selectionEnd(), 3);
    dialog->FindNextBut->click();
    QCOMPARE(f.view()->textCursor().selectionStart(), 4);
    QCOMPARE(f.view()->textCursor().selectionEnd(), 7);
    QVERIFY(prompter.messages.isEmpty());
    dialog->FindNextBut->click();
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Information);
    QCOMPARE(prompter.messages[0].text, QString("No more matching text found !"));
    QCOMPARE(prompter.messages[0].buttons, MsgButtons(MsgButton::Ok));
    QCOMPARE(f.view()->textCursor().selectionStart(), 4);
    QCOMPARE(f.view()->textCursor().selectionEnd(), 7);
}

void TestTextSearch::findOptions() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("Cat cats cat");
    f.caret(0);
    TSearchDialog* dialog = f.page->ReplaceDialog;
    dialog->FindEdit->setText("CAT");
    dialog->WholeWordBox->setChecked(true);
    dialog->FindNextBut->click();
    QCOMPARE(f.view()->textCursor().selectionStart(), 9);
    dialog->MatchCaseBox->setChecked(true);
    f.caret(0);
    dialog->FindNextBut->click();
    QCOMPARE(prompter.messageTexts(), QStringList{"No more matching text found !"});
}

void TestTextSearch::emptyFindTextFindsNothing() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("abc");
    f.page->FindDialog->FindNextBut->click();
    QCOMPARE(prompter.messageTexts(), QStringList{"No more matching text found !"});
}

void TestTextSearch::singleReplace() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("Red red red");
    f.select(0, 3);
    TSearchDialog* dialog = f.page->ReplaceDialog;
    dialog->FindEdit->setText("red");
    dialog->ReplaceEdit->setText("blue");
    dialog->MatchCaseBox->setChecked(true);
    dialog->ReplaceBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("blue red red"));
    QCOMPARE(f.view()->textCursor().selectedText(), QString("red"));
    QCOMPARE(f.view()->textCursor().selectionStart(), 5);
    dialog->ReplaceBut->click();
    dialog->ReplaceBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("blue blue blue"));
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Information);
    QCOMPARE(prompter.messages[0].text, QString("No more occurrences of \"red\" to replace."));
}

void TestTextSearch::replaceAllFromTheCaret() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("a-a-a-a");
    f.caret(3);
    TSearchDialog* dialog = f.page->ReplaceDialog;
    dialog->FindEdit->setText("a");
    dialog->ReplaceEdit->setText("aa");
    dialog->ReplaceAllBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("a-a-aa-aa"));
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(f.page->UndoBut->isEnabled());
    f.page->UndoBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("a-a-a-a"));
}

void TestTextSearch::replaceAllThatReplacesNothing_data() {
    QTest::addColumn<QString>("findText");
    QTest::addColumn<int>("caret");
    QTest::newRow("word absent") << "zebra" << 0;
    QTest::newRow("caret at the end") << "red" << 11;
}

void TestTextSearch::replaceAllThatReplacesNothing() {
    QFETCH(QString, findText);
    QFETCH(int, caret);
    TestWorld world;
    ScriptedPrompter prompter;
    PageFixture f;
    const QString path = world.file("colours.txt", "red and red");
    f.page->LoadDocument(path, "colours.txt", world.path());
    f.caret(caret);
    TSearchDialog* dialog = f.page->ReplaceDialog;
    dialog->FindEdit->setText(findText);
    dialog->ReplaceEdit->setText("blue");
    dialog->ReplaceAllBut->click();
    QCOMPARE(f.view()->toPlainText(), QString("red and red"));
    QCOMPARE(f.panel(0), QString());
    QVERIFY(!f.page->UndoBut->isEnabled());
    QCOMPARE(prompter.messageTexts(),
             QStringList{QString("No more occurrences of \"%1\" to replace.").arg(findText)});
    // Nothing changed, so moving on to another document asks nothing.
    f.page->AskSaveText();
    QCOMPARE(prompter.messages.size(), 1);
}

QTEST_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
