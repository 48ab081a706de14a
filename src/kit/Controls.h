#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QString>

class QAbstractButton;
class QAction;
class QMenu;
class QToolButton;
class QWidget;

/// A flat tool button with its object name, caption and hint. It shows the themed icon
/// when the desktop has one (else `fallback`, else its caption).
QToolButton* NewToolButton(QWidget* parent, const QString& name, const QString& caption,
                           const QString& hint, const QString& themeIcon = {},
                           const QIcon& fallback = {});

/// A menu item with its object name, caption and shortcut, appended to `menu`.
QAction* NewMenuItem(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& shortcut = {});

/// From now on `item` is enabled exactly when `button` is.
void FollowButton(QAction* item, QAbstractButton* button);

/// An "Exit" button that closes the program, as on the left side's sheets.
QToolButton* NewExitButton(QWidget* parent, const QString& name);
