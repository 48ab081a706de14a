#pragma once

#include "core/ViewerEntry.h"
#include "core/ViewerPage.h"

class QObject;

/// True when the entry must take its file name from the File Finder's hand-over:
/// the sender is one of the finder's "View File in Korvane" items, or, for ZipView, one of
/// its "Open Zip in Korvane" items.
bool IsFinderViewSender(const QObject* sender, ViewerEntry entry);

/// The viewer sheet an entry shows its file on.
ViewerSheet SheetOfEntry(ViewerEntry entry);

/// Whether the entry shows the file's path in the main status bar's panel 3 once the page
/// has it (every entry but the picture one).
bool EntryShowsPathInStatusBar(ViewerEntry entry);
