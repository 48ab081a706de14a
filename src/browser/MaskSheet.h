#pragma once

#include <QList>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QRadioButton;

/// The content of the "Mask" sheet: the group "File mask" with 20 preset masks, the group
/// "Custom file mask" ("Mask = ", the prefix "*.", `Edit2`, "Set" and "Clear") and an
/// "Exit" button. It tells which mask was chosen; the main window applies it to the file
/// list and status panel 1, presses `CMaskBut` and shows the "Tree" sheet.
class TMaskSheet : public QWidget {
    Q_OBJECT
public:
    explicit TMaskSheet(QWidget* parent = nullptr);

    /// The preset radio buttons in caption order.
    const QList<QRadioButton*>& presetButtons() const { return m_presets; }

    QLineEdit* Edit2;
    QPushButton* CustomMaskSetBut;
    QPushButton* CustomMaskClearBut;
    QPushButton* MaskExitBut;

    /// The handler of "Set" and of every preset: the sender is one of them.
    void CustomMaskSetButClick(QObject* sender);
    void CustomMaskClearButClick();
    void Edit2Change();

Q_SIGNALS:
    /// A preset or the custom mask was chosen: the file list's mask and the status text.
    void maskChosen(const QString& mask, const QString& status);
    void exitClicked();

private:
    QList<QRadioButton*> m_presets;
};
