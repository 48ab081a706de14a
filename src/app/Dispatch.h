#pragma once

#include "core/ViewerEntry.h"

class QObject;

/// True when the entry must take its file name from the File Finder's hand-over label:
/// the sender is one of the finder's "View File in Korvane" items, or, for ZipView, one of
/// its "Open Zip in Korvane" items.
bool IsFinderViewSender(const QObject* sender, ViewerEntry entry);
