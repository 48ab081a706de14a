#pragma once

#include "kit/GradientPanel.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QMenu;
class QTextCharFormat;
class QTextEdit;
class QToolButton;
class TUpDown;
class TanlRuler;

/// The format bar under the text editor and the commands of the "Format" menu: font name,
/// size with its arrows, bold, italic, underline, the alignment group, bullets, the indent
/// steps and the font colour. Character commands change the selection, or with an empty
/// selection the attributes of the text typed next. The bar and the ruler follow the text
/// at the caret (updateFromText); while they are written the bar's own handlers do nothing.
class TFormatBar : public TGradientPanel {
    Q_OBJECT
public:
    TFormatBar(QTextEdit* view, TanlRuler* ruler, QWidget* parent = nullptr);

    /// Fills FontName with the face names of the installed fonts, sorted.
    void FillFontNames();
    /// Sets the ruler, the style and alignment buttons, the bullets button and the font
    /// name and size from the paragraph and the characters at the caret.
    void updateFromText();
    /// Adds the "Format" menu's items; each press of one sets its button down first.
    void fillFormatMenu(QMenu* menu);

    QComboBox* FontName;
    QLineEdit* FontSize;
    TUpDown* UpDown1;
    QToolButton* BoldButton;
    QToolButton* ItalicButton;
    QToolButton* UnderlineButton;
    QToolButton* LeftAlign;
    QToolButton* CenterAlign;
    QToolButton* RightAlign;
    QToolButton* BulletsButton;
    QToolButton* RulerDIBut;
    QToolButton* RulerIIBut;
    QToolButton* TextFontBut;

Q_SIGNALS:
    /// The font name or size changed: the editor's margins are to be set again.
    void fontChanged();

private:
    void FontNameChange(int index);
    void FontSizeChange(const QString& text);
    void UpDown1Changing();
    void StyleButtonClick(QToolButton* button);
    void AlignButtonClick(QToolButton* button);
    void BulletsButtonClick();
    void TextFontButClick();
    void RulerIndentChange(int IndentID);

    void selectAllWhenEmpty();
    void applyToTarget(const QTextCharFormat& format);

    QTextEdit* m_view;
    TanlRuler* m_ruler;
    QButtonGroup* m_alignGroup;
    bool m_updating = false;
};
