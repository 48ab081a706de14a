#pragma once

#include <QList>

class QButtonGroup;
class QToolButton;
class QWidget;

/// The Tree toolbar's mask buttons, made in one place: `AllFilesBut`, `TextFilesBut`,
/// `ImageFilesBut`, `IconsBut`, `ThumbBut` and the invisible `CMaskBut`, checkable, in one
/// exclusive group, "All" pressed. The Tree sheet adds `visible` to its tool bar; the main
/// window's `FileMaskSort` (or `ThumbButClick`) handles their clicks.
struct MaskButtonSet {
    QButtonGroup* group = nullptr;
    QToolButton* AllFilesBut = nullptr;
    QToolButton* TextFilesBut = nullptr;
    QToolButton* ImageFilesBut = nullptr;
    QToolButton* IconsBut = nullptr;
    QToolButton* ThumbBut = nullptr;
    QToolButton* CMaskBut = nullptr;
    /// The five visible buttons in toolbar order.
    QList<QToolButton*> visible;

    /// Makes the buttons as children of parent, with names, captions, hints and icons.
    static MaskButtonSet create(QWidget* parent);
};
