#pragma once

#include <QString>

class QMimeData;
class QTextCursor;
class QTextDocumentFragment;

/// The clipboard types RTF travels under, the program's own first: word processors offer
/// and look for one of these.
inline const QString kRtfMimeType = QStringLiteral("text/rtf");

/// Adds the fragment as RTF from the program's own writer, beside the HTML and plain text
/// that the data already holds.
void AddRtfToMimeData(QMimeData& data, const QTextDocumentFragment& fragment);

/// Whether the data offers RTF under any of the types RTF travels under.
bool HasRtf(const QMimeData& data);

/// Pastes the data's RTF at the cursor (replacing its selection) and returns true; false,
/// with nothing changed, when the data holds no RTF that reads.
bool InsertRtfFromMimeData(const QMimeData& data, QTextCursor& cursor);
