#include "text/TextClipboard.h"

#include "text/RtfReader.h"
#include "text/RtfWriter.h"

#include <QMimeData>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

const QStringList& rtfTypes() {
    static const QStringList types = {kRtfMimeType, QStringLiteral("application/rtf"),
                                      QStringLiteral("text/richtext")};
    return types;
}

} // namespace

void AddRtfToMimeData(QMimeData& data, const QTextDocumentFragment& fragment) {
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    data.setData(kRtfMimeType, WriteRtf(document));
}

bool HasRtf(const QMimeData& data) {
    for (const QString& type : rtfTypes())
        if (data.hasFormat(type)) return true;
    return false;
}

bool InsertRtfFromMimeData(const QMimeData& data, QTextCursor& cursor) {
    for (const QString& type : rtfTypes()) {
        if (!data.hasFormat(type)) continue;
        QTextDocument document;
        if (!ReadRtf(data.data(type), document)) continue;
        cursor.insertFragment(QTextDocumentFragment(&document));
        return true;
    }
    return false;
}
