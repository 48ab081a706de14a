#include "text/BlockIndents.h"
#include "text/UpDown.h"
#include "text/anlRuler.h"

#include "PageFixture.h"
#include "ScriptedPrompter.h"
#include "TestWorld.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

QTextCharFormat formatAt(QTextEdit* view, int position) {
    QTextCursor cursor(view->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

void dragMarker(TanlRuler* ruler, const char* name, int toRulerX) {
    QWidget* marker = ruler->findChild<QWidget*>(QString::fromLatin1(name));
    auto send = [marker](QEvent::Type type, QPoint local, Qt::MouseButton button,
                         Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, marker->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(marker, &event);
    };
    send(QEvent::MouseButtonPress, QPoint(4, 2), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(toRulerX - marker->x(), 2), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(4, 2), Qt::LeftButton, Qt::NoButton);
}

} // namespace

class TestTextFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void barControls();
    void rulerStartsAtTheTextEdges();
    void firstLineMarkerRoundTrip();
    void increaseIndentExample();
    void indentsApplyToEverySelectedParagraph();
    void barFollowsTheCaret();
    void loadedDocumentShowsItsFormat();
    void fontNameSelectsAllWhenNothingIsSelected();
    void boldWithoutSelectionChangesOnlyWhatIsTypedNext();
    void alignmentButtonsStayDown();
    void formatMenu();
    void fontSizeErrors_data();
    void fontSizeErrors();
    void sizeArrows();
    void bullets();
    void fontColour();
};

void TestTextFormat::barControls() {
    PageFixture f;
    TFormatBar* bar = f.page->FormatBar;
    QCOMPARE(bar->FontSize->text(), QString("10")); // the editor's font, set at start-up
    QCOMPARE(bar->FontName->currentText(), QString("MS Sans Serif"));
    QCOMPARE(bar->FontName->toolTip(), QString("Select font name"));
    QCOMPARE(bar->FontSize->toolTip(), QString("Select font size"));
    QCOMPARE(bar->RightAlign->toolTip(), QString("right align"));
    QCOMPARE(bar->TextFontBut->toolTip(), QString("Selected Font Color"));
    QCOMPARE(bar->TextFontBut->statusTip(), QString("Selected font color"));
    QCOMPARE(bar->UpDown1->minimum(), 0);
    QCOMPARE(bar->UpDown1->maximum(), 100);
    f.page->FillFontNames();
    QVERIFY(bar->FontName->count() > 0);
    QStringList names;
    for (int i = 0; i < bar->FontName->count(); ++i)
        names << bar->FontName->itemText(i);
    QStringList sorted = names;
    sorted.sort(Qt::CaseInsensitive);
    QCOMPARE(names, sorted);
    QCOMPARE(bar->FontName->currentText(), QString("MS Sans Serif"));
}

void TestTextFormat::rulerStartsAtTheTextEdges() {
    PageFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    TanlRuler* ruler = f.page->Ruler;
    QCOMPARE(ruler->indentFirst(), 26);
    QCOMPARE(ruler->indentLeft(), 26);
    QCOMPARE(ruler->indentRight(), ruler->width() - 46);
}

void TestTextFormat::firstLineMarkerRoundTrip() {
    PageFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.view()->setPlainText("first paragraph\nsecond");
    f.caret(3);
    dragMarker(f.page->Ruler, "FirstMarker", 44);
    QCOMPARE(f.page->Ruler->indentFirst(), 40);
    const QTextBlock block = f.view()->document()->begin();
    QCOMPARE(IndentsOfBlock(block.blockFormat()), (ParagraphIndents{30, -10, 0}));
    QCOMPARE(IndentsOfBlock(block.next().blockFormat()), (ParagraphIndents{0, 0, 0}));
    f.caret(4);
    QCOMPARE(f.page->Ruler->indentFirst(), 66);
    QCOMPARE(f.page->Ruler->indentLeft(), 53);
}

void TestTextFormat::increaseIndentExample() {
    PageFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.view()->setPlainText("text");
    f.page->Ruler->setIndentLeft(60);
    f.page->Ruler->setIndentFirst(40);
    f.page->FormatBar->RulerIIBut->click();
    QCOMPARE(f.page->Ruler->indentLeft(), 70);
    QCOMPARE(f.page->Ruler->indentFirst(), 50);
    QCOMPARE(IndentsOfBlock(f.view()->document()->begin().blockFormat()),
             (ParagraphIndents{38, 14, 0}));
    f.action("DecreaseIndent1")->trigger();
    QCOMPARE(f.page->Ruler->indentLeft(), 60);
    QCOMPARE(f.page->Ruler->indentFirst(), 40);
}

void TestTextFormat::indentsApplyToEverySelectedParagraph() {
    PageFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.view()->setPlainText("one\ntwo\nthree");
    f.select(1, 6);
    const int right = f.page->Ruler->indentRight();
    dragMarker(f.page->Ruler, "RightMarker", right - 40 + 4);
    QCOMPARE(f.page->Ruler->indentRight(), 10 * ((right - 40) / 10));
    const int expected =
        RoundHalfEven((f.page->Ruler->width() - f.page->Ruler->indentRight() - 10) * 0.75);
    const QTextBlock first = f.view()->document()->begin();
    QCOMPARE(IndentsOfBlock(first.blockFormat()).right, expected);
    QCOMPARE(IndentsOfBlock(first.next().blockFormat()).right, expected);
    QCOMPARE(IndentsOfBlock(first.next().next().blockFormat()).right, 0);
}

void TestTextFormat::barFollowsTheCaret() {
    PageFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QTextCursor cursor(f.view()->document());
    QTextCharFormat big;
    big.setFontPointSize(17);
    big.setFontWeight(QFont::Bold);
    big.setFontUnderline(true);
    big.setFontFamilies(QStringList{"DejaVu Serif"});
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    SetBlockIndents(centred, ParagraphIndents{15, 6, 9});
    cursor.insertText("plain");
    cursor.insertBlock(centred);
    cursor.insertText("big", big);
    QTextBlockFormat justified;
    justified.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(justified, QTextCharFormat());
    cursor.insertText("j", QTextCharFormat());
    const int undoSteps = f.view()->document()->availableUndoSteps();

    TFormatBar* bar = f.page->FormatBar;
    f.caret(8);
    QVERIFY(bar->BoldButton->isChecked() && bar->UnderlineButton->isChecked());
    QVERIFY(!bar->ItalicButton->isChecked());
    QCOMPARE(bar->FontSize->text(), QString("17"));
    QCOMPARE(bar->FontName->currentText(), QString("DejaVu Serif"));
    QVERIFY(bar->CenterAlign->isChecked());
    QCOMPARE(f.page->Ruler->indentFirst(), 46);
    QCOMPARE(f.page->Ruler->indentLeft(), 54);
    QCOMPARE(f.page->Ruler->indentRight(), f.page->Ruler->width() - 6 - 52);
    f.caret(10);
    QVERIFY(bar->CenterAlign->isChecked()); // justified changes no button
    QVERIFY(!bar->BoldButton->isChecked());
    f.caret(2);
    QVERIFY(bar->LeftAlign->isChecked());
    QCOMPARE(bar->FontSize->text(), QString("10"));
    // Writing the bar applied nothing.
    QCOMPARE(formatAt(f.view(), 1).fontPointSize(), 0.0);
    QCOMPARE(f.view()->document()->availableUndoSteps(), undoSteps);
}

void TestTextFormat::loadedDocumentShowsItsFormat() {
    TestWorld world;
    PageFixture f;
    f.page->LoadDocument(
        world.file("f.rtf", "{\\rtf1{\\fonttbl{\\f0 DejaVu Serif;}}\\f0\\fs36\\b Big}"), "f.rtf",
        world.path());
    TFormatBar* bar = f.page->FormatBar;
    QCOMPARE(bar->FontName->currentText(), QString("DejaVu Serif"));
    QCOMPARE(bar->FontSize->text(), QString("18"));
    QVERIFY(bar->BoldButton->isChecked());
    f.type("x");
    QVERIFY(formatAt(f.view(), 0).fontWeight() >= QFont::Bold);
}

void TestTextFormat::fontNameSelectsAllWhenNothingIsSelected() {
    PageFixture f;
    f.page->FillFontNames();
    TFormatBar* bar = f.page->FormatBar;
    const int index = bar->FontName->findText("DejaVu Sans Mono");
    QVERIFY(index >= 0);
    f.view()->setPlainText("abc\ndef");
    f.caret(1);
    Q_EMIT bar->FontName->activated(index);
    QCOMPARE(f.view()->textCursor().selectionStart(), 0);
    QCOMPARE(f.view()->textCursor().selectionEnd(), 7);
    for (int position : {0, 2, 4, 6})
        QCOMPARE(formatAt(f.view(), position).fontFamilies().toStringList().value(0),
                 QString("DejaVu Sans Mono"));
}

void TestTextFormat::boldWithoutSelectionChangesOnlyWhatIsTypedNext() {
    PageFixture f;
    f.type("ab");
    f.page->FormatBar->BoldButton->click();
    QVERIFY(!f.view()->textCursor().hasSelection());
    QVERIFY(formatAt(f.view(), 0).fontWeight() < QFont::DemiBold);
    QVERIFY(formatAt(f.view(), 1).fontWeight() < QFont::DemiBold);
    f.type("c");
    QVERIFY(formatAt(f.view(), 2).fontWeight() >= QFont::Bold);
    QVERIFY(formatAt(f.view(), 1).fontWeight() < QFont::DemiBold);

    f.select(0, 2);
    f.page->FormatBar->ItalicButton->click();
    QVERIFY(formatAt(f.view(), 0).fontItalic() && formatAt(f.view(), 1).fontItalic());
    QVERIFY(!formatAt(f.view(), 2).fontItalic());
    QVERIFY(formatAt(f.view(), 2).fontWeight() >= QFont::Bold);
}

void TestTextFormat::alignmentButtonsStayDown() {
    PageFixture f;
    f.view()->setPlainText("line");
    TFormatBar* bar = f.page->FormatBar;
    bar->RightAlign->click();
    QCOMPARE(f.view()->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    bar->LeftAlign->click();
    bar->LeftAlign->click();
    QVERIFY(bar->LeftAlign->isChecked());
    QVERIFY(!bar->RightAlign->isChecked());
    QCOMPARE(f.view()->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignLeft);
}

void TestTextFormat::formatMenu() {
    PageFixture f;
    QStringList captions;
    for (QAction* action : f.textFormatMenu->actions())
        captions << action->text();
    QCOMPARE(captions, QStringList({"Bold Text", "Italic Text", "Underline Text", "", "Left Align",
                                    "Center Align", "Right Align", "", "Bullets", "Decrease Indent",
                                    "Increase Indent"}));
    f.view()->setPlainText("word");
    f.select(0, 4);
    TFormatBar* bar = f.page->FormatBar;
    bar->BoldButton->click();
    PageFixture::aboutToShow(f.textFormatMenu);
    QVERIFY(f.action("BoldText1")->isChecked());
    QVERIFY(!f.action("ItalicText1")->isChecked());
    // Choosing "Bold Text" while bold is on leaves it on.
    f.action("BoldText1")->trigger();
    QVERIFY(bar->BoldButton->isChecked());
    QVERIFY(formatAt(f.view(), 2).fontWeight() >= QFont::Bold);
    f.action("CenterAlign1")->trigger();
    QVERIFY(bar->CenterAlign->isChecked());
    PageFixture::aboutToShow(f.textFormatMenu);
    QVERIFY(f.action("CenterAlign1")->isChecked());
    QVERIFY(!f.action("LeftAlign1")->isChecked());
    f.action("Bullets1")->trigger();
    QVERIFY(f.view()->document()->begin().textList());
}

void TestTextFormat::fontSizeErrors_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("fraction") << "10.5";
}

void TestTextFormat::fontSizeErrors() {
    QFETCH(QString, text);
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("size");
    f.select(0, 4);
    f.page->FormatBar->FontSize->setText(text);
    QCOMPARE(prompter.messages.size(), 1);
    QCOMPARE(prompter.messages[0].kind, MsgKind::Error);
    QCOMPARE(prompter.messages[0].text, QString("'%1' is not a valid integer value").arg(text));
    QCOMPARE(formatAt(f.view(), 1).fontPointSize(), 0.0);
    f.page->FormatBar->FontSize->setText("14");
    QCOMPARE(formatAt(f.view(), 1).fontPointSize(), 14.0);
    QCOMPARE(prompter.messages.size(), 1);
}

void TestTextFormat::sizeArrows() {
    PageFixture f;
    f.view()->setPlainText("grow");
    f.caret(1);
    TFormatBar* bar = f.page->FormatBar;
    bar->UpDown1->step(true);
    QCOMPARE(f.view()->textCursor().selectedText(), QString("grow"));
    QCOMPARE(bar->FontSize->text(), QString("11"));
    QCOMPARE(formatAt(f.view(), 3).fontPointSize(), 11.0);
    bar->FontSize->setText("100");
    bar->UpDown1->step(true);
    QCOMPARE(bar->FontSize->text(), QString("100"));
    bar->FontSize->setText("1");
    bar->UpDown1->step(false);
    bar->UpDown1->step(false);
    QCOMPARE(bar->FontSize->text(), QString("0"));
    QCOMPARE(formatAt(f.view(), 3).fontPointSize(), 1.0);
}

void TestTextFormat::bullets() {
    PageFixture f;
    f.view()->setPlainText("one\ntwo\nthree");
    f.select(1, 5);
    TFormatBar* bar = f.page->FormatBar;
    bar->BulletsButton->click();
    const QTextBlock first = f.view()->document()->begin();
    QVERIFY(first.textList());
    QCOMPARE(first.textList(), first.next().textList());
    QCOMPARE(first.textList()->format().style(), QTextListFormat::ListDisc);
    QVERIFY(!first.next().next().textList());
    f.caret(9);
    QVERIFY(!bar->BulletsButton->isChecked());
    f.caret(1);
    QVERIFY(bar->BulletsButton->isChecked());
    f.select(0, 2);
    bar->BulletsButton->click();
    QVERIFY(!f.view()->document()->begin().textList());
    QVERIFY(f.view()->document()->begin().next().textList());
}

void TestTextFormat::fontColour() {
    ScriptedPrompter prompter;
    PageFixture f;
    f.view()->setPlainText("colour");
    f.caret(2);
    prompter.answerColor(std::nullopt);
    f.page->FormatBar->TextFontBut->click();
    QCOMPARE(f.view()->textCursor().selectedText(), QString("colour"));
    QVERIFY(!formatAt(f.view(), 1).hasProperty(QTextFormat::ForegroundBrush));
    prompter.answerColor(QColor(0, 128, 0));
    f.page->FormatBar->TextFontBut->click();
    QCOMPARE(formatAt(f.view(), 5).foreground().color(), QColor(0, 128, 0));
    QCOMPARE(prompter.unanswered, 0);
}

QTEST_MAIN(TestTextFormat)
#include "tst_textformat.moc"
