#pragma once

#include <QByteArray>

/// The finder's wildcard matcher: one mask, `*`, `?` and bracketed sets ([a-c], [!x], [^x]),
/// letters A to Z compared without case, every other byte exactly, no escape character.
///
/// Result codes of WildMatchCode: 1 matched; 2 pattern used up while text remained; 3 text
/// used up while pattern remained; 4 a set refused the character; 5 a literal differed;
/// 6 malformed set. Only 1 is a match.
///
/// A mask that ends in a run of stars and question marks holding at least one star accepts
/// exactly the texts that still have as many characters as the run has question marks (and,
/// for a run of two or more stars alone, at least one): `*?` needs one character, `a**`
/// needs one after the `a`, while a single trailing `*` also takes nothing.

/// The main walk, exact step by step up to the first star; from a star on the answer is
/// decided without backtracking, and a failure there gives 3 when the star's question marks
/// run out of text, else 5.
int WildMatchCode(QByteArray pattern, QByteArray text);

/// The star search: pattern starts with `*`, text is not empty. Skips the run of `*` and `?`
/// (each `?` takes a character), then tries the main walk at every position where the text
/// holds the byte after the run (every position when that byte is `[`). Bytes are compared
/// as given, without lower-casing. A failure gives 3 when the text ran out, 5 when no
/// position held the byte, else the code of the last attempt.
int WildMatchAfterStar(QByteArray pattern, QByteArray text);

/// True exactly when WildMatchCode gives 1; linear in the text for any mask.
bool WildMatch(const QByteArray& pattern, const QByteArray& text);
