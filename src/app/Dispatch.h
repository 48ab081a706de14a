#pragma once

#include <QString>

class QObject;

/// The viewer pages a clicked file can be handed to.
enum class ViewerEntry { Text, Pict, WebView, ZipView, IconView };

/// The viewer entry for an extension key (ExtensionKey()); any unknown key gives Text.
ViewerEntry DispatchEntry(const QString& extensionKey);

/// True when the entry must take its file name from the File Finder's hand-over label:
/// the sender is one of the finder's "View File in Korvane" items, or, for ZipView, one of
/// its "Open Zip in Korvane" items.
bool IsFinderViewSender(const QObject* sender, ViewerEntry entry);
