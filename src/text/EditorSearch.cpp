#include "text/EditorSearch.h"

#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace {

bool selectionIsFindText(const QTextCursor& cursor, const QString& findText) {
    const int start = cursor.selectionStart();
    const int length = cursor.selectionEnd() - start;
    if (length != findText.size() || length == 0) return false;
    const QString buffer = cursor.document()->toPlainText();
    return QStringView(buffer).mid(start, length).compare(findText, Qt::CaseInsensitive) == 0;
}

// Replaces the selection; the cursor is left collapsed after the inserted text.
void replaceSelection(QTextCursor& cursor, const QString& replaceText) {
    cursor.insertText(replaceText);
}

} // namespace

bool FindInEditor(QTextCursor& cursor, const QString& pattern, SearchOptions options) {
    if (pattern.isEmpty()) return false;
    const QString buffer = cursor.document()->toPlainText();
    if (buffer.isEmpty()) return false;
    const int start = cursor.selectionStart();
    const int found =
        ScanTextBuffer(buffer, start, cursor.selectionEnd() - start, pattern, options);
    if (found < 0) return false;
    cursor.setPosition(found);
    cursor.setPosition(found + int(pattern.size()), QTextCursor::KeepAnchor);
    return true;
}

bool ReplaceAndFindNext(QTextCursor& cursor, const QString& findText, const QString& replaceText,
                        SearchOptions options) {
    if (selectionIsFindText(cursor, findText)) replaceSelection(cursor, replaceText);
    return FindInEditor(cursor, findText, options);
}

int ReplaceAll(QTextCursor& cursor, const QString& findText, const QString& replaceText,
               SearchOptions options) {
    // With nothing to replace the document is left alone: even an empty edit block would
    // mark it changed.
    QTextCursor probe = cursor;
    if (!selectionIsFindText(cursor, findText) && !FindInEditor(probe, findText, options)) return 0;
    cursor.beginEditBlock();
    int count = 0;
    if (selectionIsFindText(cursor, findText)) {
        replaceSelection(cursor, replaceText);
        ++count;
    }
    // Each search starts right after the text inserted before it; the text from there on is
    // still the original, so all matches can be found in one pass over the buffer.
    std::vector<int> matches;
    if (!findText.isEmpty()) {
        const QString buffer = cursor.document()->toPlainText();
        int from = cursor.selectionStart();
        int skip = cursor.selectionEnd() - from;
        for (;;) {
            const int found = ScanTextBuffer(buffer, from, skip, findText, options);
            if (found < 0) break;
            matches.push_back(found);
            from = found;
            skip = int(findText.size());
        }
    }
    // From the last match back, so the earlier positions stay valid.
    int end = cursor.position();
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        cursor.setPosition(*it);
        cursor.setPosition(*it + int(findText.size()), QTextCursor::KeepAnchor);
        replaceSelection(cursor, replaceText);
    }
    if (!matches.empty())
        end = matches.back() + int(matches.size()) * int(replaceText.size() - findText.size()) +
              int(findText.size());
    cursor.setPosition(end);
    cursor.endEditBlock();
    return count + int(matches.size());
}
