#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

/// A pair of arrows that steps a whole number shown in an associated edit box, within
/// a range: each click first announces the change (changing), then writes the new number
/// into the box. The number starts from the box's text when it is one.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QLineEdit* associate, QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int position() const { return m_position; }

    /// One click on an arrow, as the user would make it.
    void step(bool up);

Q_SIGNALS:
    /// A click is about to change the number.
    void changing(bool up);

private:
    QLineEdit* m_associate;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
};
