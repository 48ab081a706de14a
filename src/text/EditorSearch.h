#pragma once

#include "text/TextScan.h"

class QTextCursor;

/// Searches the cursor's document from the end of the cursor's selection toward the end.
/// On a hit the match becomes the cursor's selection and the result is true; otherwise
/// the cursor is left as it was. An empty pattern or document finds nothing.
bool FindInEditor(QTextCursor& cursor, const QString& pattern, SearchOptions options);

/// One Replace press: when the selection equals findText (letter case ignored whatever the
/// options say) it is replaced by replaceText; then the next match after the selection is
/// selected. Returns whether a next match was found.
bool ReplaceAndFindNext(QTextCursor& cursor, const QString& findText, const QString& replaceText,
                        SearchOptions options);

/// Replace All: like one Replace, then every further match up to the end of the document is
/// replaced, each search starting after the text just inserted (so a replacement is never
/// searched again). Text before the selection is never touched. One undo step. Returns the
/// number of replacements; the cursor ends after the last one. With none, neither the
/// document nor the cursor changes.
int ReplaceAll(QTextCursor& cursor, const QString& findText, const QString& replaceText,
               SearchOptions options);
