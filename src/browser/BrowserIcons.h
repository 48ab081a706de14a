#pragma once

#include "platform/Volumes.h"

#include <QIcon>

class QAbstractFileIconProvider;
class QMimeType;

/// Icons of the tree and the list: the icon theme first, the provider's generic icons
/// (the widgets' QFileIconProvider in the program) when the theme has none.
namespace BrowserIcons {

/// The closed folder, with the open folder for the selected state where the theme has one.
QIcon folder(const QAbstractFileIconProvider& provider);
QIcon volume(platform::VolumeType type, const QAbstractFileIconProvider& provider);
QIcon fileType(const QMimeType& mime, const QAbstractFileIconProvider& provider);

} // namespace BrowserIcons
