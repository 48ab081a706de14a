#include "text/DocumentPrint.h"

#include "text/BlockIndents.h"

#include <QPrinter>
#include <QTextDocument>

#include <memory>

void PrintTextDocument(const QTextDocument& document, QPrinter& printer) {
    // A paginated copy: with a page size of its own, print() uses the printable area as
    // it is instead of adding margins and page numbers.
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->setDocumentMargin(0);
    const QSizeF area = printer.pageRect(QPrinter::Point).size() * kPixelsPerPoint;
    copy->setPageSize(area);
    copy->print(&printer);
}
