#pragma once

#include <QString>

/// The viewer pages a clicked or found file can be handed to.
enum class ViewerEntry { Text, Pict, WebView, ZipView, IconView };

/// The viewer entry for an extension key (the extension with its dot, upper-cased, cut to
/// four characters); any unknown key gives Text.
ViewerEntry DispatchEntry(const QString& extensionKey);
