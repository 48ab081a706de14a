#include "text/FormatBar.h"

#include "core/CommandGuard.h"
#include "core/KorError.h"
#include "core/Prompter.h"
#include "kit/Controls.h"
#include "kit/Hints.h"
#include "text/BlockIndents.h"
#include "text/RulerMath.h"
#include "text/UpDown.h"
#include "text/anlRuler.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

#include <functional>

namespace {

bool isBullet(const QTextList* list) {
    if (!list) return false;
    const QTextListFormat::Style style = list->format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

/// Sets a flag for as long as it lives, also when an exception passes.
class UpdatingFlag {
public:
    explicit UpdatingFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~UpdatingFlag() { m_flag = false; }
    UpdatingFlag(const UpdatingFlag&) = delete;
    UpdatingFlag& operator=(const UpdatingFlag&) = delete;

private:
    bool& m_flag;
};

} // namespace

TFormatBar::TFormatBar(QTextEdit* view, TanlRuler* ruler, QWidget* parent)
    : TGradientPanel(QString(), parent), m_view(view), m_ruler(ruler) {
    setObjectName(QStringLiteral("FormatBar"));
    FontName = new QComboBox(this);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setEditable(true);
    FontName->setInsertPolicy(QComboBox::NoInsert);
    FontName->setMinimumWidth(160);
    FontName->setEditText(QStringLiteral("MS Sans Serif"));
    SetHint(FontName, QStringLiteral("Select font name"));
    FontSize = new QLineEdit(QStringLiteral("8"), this);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setFixedWidth(36);
    SetHint(FontSize, QStringLiteral("Select font size"));
    UpDown1 = new TUpDown(FontSize, this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setRange(0, 100);

    BoldButton = NewToolButton(this, "BoldButton", "B", "Bold text", "format-text-bold");
    ItalicButton = NewToolButton(this, "ItalicButton", "I", "Italic text", "format-text-italic");
    UnderlineButton =
        NewToolButton(this, "UnderlineButton", "U", "Underline text", "format-text-underline");
    LeftAlign = NewToolButton(this, "LeftAlign", "Left", "Left align", "format-justify-left");
    CenterAlign =
        NewToolButton(this, "CenterAlign", "Center", "Center align", "format-justify-center");
    RightAlign =
        NewToolButton(this, "RightAlign", "Right", "right align", "format-justify-right");
    BulletsButton =
        NewToolButton(this, "BulletsButton", "Bullets", "Bullets", "format-list-unordered");
    RulerDIBut =
        NewToolButton(this, "RulerDIBut", "<<", "Decrease indent", "format-indent-less");
    RulerIIBut =
        NewToolButton(this, "RulerIIBut", ">>", "Increase indent", "format-indent-more");
    TextFontBut = NewToolButton(this, "TextFontBut", "Color", "Selected Font Color|Selected font color", "format-text-color");
    for (QToolButton* button : {BoldButton, ItalicButton, UnderlineButton, LeftAlign, CenterAlign,
                                RightAlign, BulletsButton})
        button->setCheckable(true);
    m_alignGroup = new QButtonGroup(this);
    m_alignGroup->setExclusive(true);
    for (QToolButton* button : {LeftAlign, CenterAlign, RightAlign})
        m_alignGroup->addButton(button);

    for (QWidget* control : std::initializer_list<QWidget*>{
             FontName, FontSize, UpDown1, BoldButton, ItalicButton, UnderlineButton, LeftAlign,
             CenterAlign, RightAlign, BulletsButton, RulerDIBut, RulerIIBut, TextFontBut})
        addWidget(control);
    addStretch();

    connect(FontName, &QComboBox::activated, this,
            Guarded([this](int index) { FontNameChange(index); }));
    connect(FontSize, &QLineEdit::textChanged, this,
            Guarded([this](const QString& text) { FontSizeChange(text); }));
    connect(UpDown1, &TUpDown::changing, this, Guarded([this] { UpDown1Changing(); }));
    for (QToolButton* button : {BoldButton, ItalicButton, UnderlineButton})
        connect(button, &QToolButton::clicked, this,
                Guarded([this, button] { StyleButtonClick(button); }));
    for (QToolButton* button : {LeftAlign, CenterAlign, RightAlign})
        connect(button, &QToolButton::clicked, this,
                Guarded([this, button] { AlignButtonClick(button); }));
    connect(BulletsButton, &QToolButton::clicked, this, Guarded([this] { BulletsButtonClick(); }));
    connect(TextFontBut, &QToolButton::clicked, this, Guarded([this] { TextFontButClick(); }));
    connect(RulerDIBut, &QToolButton::clicked, this, Guarded([this] {
                if (!m_updating) m_ruler->decreaseIndent();
            }));
    connect(RulerIIBut, &QToolButton::clicked, this, Guarded([this] {
                if (!m_updating) m_ruler->increaseIndent();
            }));
    connect(m_ruler, &TanlRuler::OnIndentChange, this,
            Guarded([this](int id) { RulerIndentChange(id); }));
}

void TFormatBar::FillFontNames() {
    QStringList names = QFontDatabase::families();
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    const QString shown = FontName->currentText();
    FontName->clear();
    FontName->addItems(names);
    FontName->setEditText(shown);
}

void TFormatBar::updateFromText() {
    UpdatingFlag updating(m_updating);
    const QTextCursor cursor = m_view->textCursor();
    const QTextBlock block = cursor.block();

    const RulerIndents ruler =
        RulerFromParagraph(IndentsOfBlock(block.blockFormat()), m_ruler->width());
    m_ruler->setIndentFirst(ruler.first);
    m_ruler->setIndentLeft(ruler.left);
    m_ruler->setIndentRight(ruler.right);

    const QFont font =
        m_view->currentCharFormat().font().resolve(m_view->document()->defaultFont());
    BoldButton->setChecked(font.bold());
    ItalicButton->setChecked(font.italic());
    UnderlineButton->setChecked(font.underline());
    BulletsButton->setChecked(isBullet(block.textList()));
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    FontSize->setText(QString::number(qRound(points)));
    FontName->setEditText(font.family());

    const Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment == Qt::AlignLeft || alignment == Qt::AlignLeading)
        LeftAlign->setChecked(true);
    else if (alignment == Qt::AlignRight || alignment == Qt::AlignTrailing)
        RightAlign->setChecked(true);
    else if (alignment == Qt::AlignHCenter)
        CenterAlign->setChecked(true);
}

void TFormatBar::fillFormatMenu(QMenu* menu) {
    struct Item {
        const char* name;
        const char* caption;
        QToolButton* button;
        std::function<void()> command;
    };
    const Item items[] = {
        {"BoldText1", "Bold Text", BoldButton, [this] { StyleButtonClick(BoldButton); }},
        {"ItalicText1", "Italic Text", ItalicButton, [this] { StyleButtonClick(ItalicButton); }},
        {"UnderlineText1", "Underline Text", UnderlineButton,
         [this] { StyleButtonClick(UnderlineButton); }},
        {nullptr, nullptr, nullptr, {}},
        {"LeftAlign1", "Left Align", LeftAlign, [this] { AlignButtonClick(LeftAlign); }},
        {"CenterAlign1", "Center Align", CenterAlign, [this] { AlignButtonClick(CenterAlign); }},
        {"RightAlign1", "Right Align", RightAlign, [this] { AlignButtonClick(RightAlign); }},
        {nullptr, nullptr, nullptr, {}},
        {"Bullets1", "Bullets", BulletsButton, [this] { BulletsButtonClick(); }},
        {"DecreaseIndent1", "Decrease Indent", nullptr, [this] { m_ruler->decreaseIndent(); }},
        {"IncreaseIndent1", "Increase Indent", nullptr, [this] { m_ruler->increaseIndent(); }},
    };
    QList<std::pair<QAction*, QToolButton*>> checks;
    for (const Item& item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        QToolButton* button = item.button;
        if (button) {
            action->setCheckable(true);
            checks.append({action, button});
        }
        connect(action, &QAction::triggered, this, Guarded([this, button, command = item.command] {
                    if (m_updating) return;
                    if (button) button->setChecked(true);
                    command();
                }));
    }
    connect(menu, &QMenu::aboutToShow, this, [checks] {
        for (const auto& [action, button] : checks)
            action->setChecked(button->isChecked());
    });
}

void TFormatBar::selectAllWhenEmpty() {
    if (!m_view->textCursor().hasSelection()) m_view->selectAll();
}

void TFormatBar::applyToTarget(const QTextCharFormat& format) {
    // With a selection it changes the selection, otherwise what is typed next.
    m_view->mergeCurrentCharFormat(format);
}

void TFormatBar::FontNameChange(int index) {
    if (m_updating || index < 0) return;
    const QString name = FontName->itemText(index);
    selectAllWhenEmpty();
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    applyToTarget(format);
    FontName->setEditText(name);
    Q_EMIT fontChanged();
}

void TFormatBar::FontSizeChange(const QString& text) {
    if (m_updating) return;
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok) throw KorError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    // Text of no height cannot be shown or typed; such sizes change nothing.
    if (size > 0) {
        QTextCharFormat format;
        format.setFontPointSize(size);
        applyToTarget(format);
    }
    Q_EMIT fontChanged();
}

void TFormatBar::UpDown1Changing() {
    if (m_updating) return;
    selectAllWhenEmpty();
}

void TFormatBar::StyleButtonClick(QToolButton* button) {
    if (m_updating) return;
    QTextCharFormat format;
    const bool down = button->isChecked();
    if (button == BoldButton)
        format.setFontWeight(down ? QFont::Bold : QFont::Normal);
    else if (button == ItalicButton)
        format.setFontItalic(down);
    else
        format.setFontUnderline(down);
    applyToTarget(format);
}

void TFormatBar::AlignButtonClick(QToolButton* button) {
    if (m_updating) return;
    button->setChecked(true);
    if (LeftAlign->isChecked())
        m_view->setAlignment(Qt::AlignLeft);
    else if (RightAlign->isChecked())
        m_view->setAlignment(Qt::AlignRight);
    else if (CenterAlign->isChecked())
        m_view->setAlignment(Qt::AlignHCenter);
}

void TFormatBar::BulletsButtonClick() {
    if (m_updating) return;
    QTextCursor cursor = m_view->textCursor();
    cursor.beginEditBlock();
    if (BulletsButton->isChecked()) {
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        cursor.createList(bullets);
    } else {
        QTextDocument* document = m_view->document();
        const QTextBlock last = document->findBlock(cursor.selectionEnd());
        for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
             block = block.next()) {
            if (QTextList* list = block.textList()) list->remove(block);
            if (block == last) break;
        }
    }
    cursor.endEditBlock();
}

void TFormatBar::TextFontButClick() {
    selectAllWhenEmpty();
    const QColor current = m_view->currentCharFormat().foreground().color();
    const std::optional<QColor> color = prompter().chooseColor(current);
    if (!color) return;
    QTextCharFormat format;
    format.setForeground(*color);
    applyToTarget(format);
}

void TFormatBar::RulerIndentChange(int IndentID) {
    if (m_updating) return;
    QTextCursor cursor = m_view->textCursor();
    const RulerIndents ruler{m_ruler->indentFirst(), m_ruler->indentLeft(), m_ruler->indentRight()};
    const ParagraphIndents current = IndentsOfBlock(cursor.blockFormat());
    const ParagraphIndents wanted = ParagraphFromRuler(IndentID, ruler, m_ruler->width(), current);

    QTextDocument* document = m_view->document();
    const QTextBlock last = document->findBlock(cursor.selectionEnd());
    QTextCursor editor(document);
    editor.beginEditBlock();
    // Each paragraph of the selection takes only the indents that this marker sets.
    for (QTextBlock block = document->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        ParagraphIndents indents = IndentsOfBlock(format);
        if (IndentID == IndentRightId) {
            indents.right = wanted.right;
        } else {
            indents.left = wanted.left;
            if (IndentID != IndentLeftId) indents.firstLine = wanted.firstLine;
        }
        SetBlockIndents(format, indents);
        editor.setPosition(block.position());
        editor.setBlockFormat(format);
        if (block == last) break;
    }
    editor.endEditBlock();
}
