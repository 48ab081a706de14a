#pragma once

#include <QString>

/// What a search compares: letter case, and whether only whole words count.
struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

/// True for the 62 characters 0-9, A-Z and a-z; every other character delimits a word.
bool IsWordChar(QChar c);

/// Scans the buffer toward its end, starting after the selection (selStart + selLength),
/// for the pattern. Positions are the editor's own units: one character per paragraph break.
/// Without matchCase, characters compare by their upper-case forms.
/// With wholeWord, the word the search starts in is never tried: only words that begin
/// after it count, and a match must end at a delimiter or at the end of the buffer.
/// Returns the offset of the match, or -1 (also for an empty pattern or buffer, or a
/// selection outside the buffer).
int ScanTextBuffer(const QString& buffer, int selStart, int selLength, const QString& pattern,
                   SearchOptions options);
