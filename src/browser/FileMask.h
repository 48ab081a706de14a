#pragma once

#include <QString>
#include <QStringList>

/// Splits a mask text such as "*.htm; *.html" into its patterns: "," counts as ";", each
/// piece is trimmed and lower-cased, a piece without "*", "?" and "." becomes "*piece*", one
/// with a wildcard but no "." and no final "*" gets "*" appended; the result is sorted.
/// An empty text gives the single pattern "*".
QStringList SplitMaskList(const QString& maskText);

/// Whether one pattern matches a file name, both compared in lower case. "*" matches every
/// name, "*.*" every name with a "."; a pattern without wildcards only the equal name.
/// Otherwise a literal after a "*" is taken at its first occurrence, without backtracking,
/// so "*.txt" does not match "a.txt.txt".
bool MatchMask(const QString& pattern, const QString& fileName);

/// Whether any pattern matches the name; an empty name always matches, an empty list never.
bool MatchMaskList(const QStringList& patterns, const QString& fileName);

/// The name as the file list shows it: a name without lower-case letters is lower-cased with
/// the first letter of each space-separated word capitalised ("MY FILE.TXT" gives
/// "My File.txt"); any other name is returned unchanged.
QString DisplayName(const QString& fileName);
