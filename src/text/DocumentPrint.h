#pragma once

class QPrinter;
class QTextDocument;

/// Prints the whole document, formatted as on screen, as one job on the printer, filling
/// the printable area of each page (no extra margins, no page numbers).
void PrintTextDocument(const QTextDocument& document, QPrinter& printer);
