#pragma once

#include <QColor>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>

/// A compact, readable description of a document for comparisons in tests: one line per
/// paragraph, "<alignment> [li fi ri in twips] [list style] |" then each run as
/// "{properties}text". Only properties that differ from plain 12-point text are shown.
inline QString DumpDocument(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QString line;
        const Qt::Alignment a = format.alignment() & Qt::AlignHorizontal_Mask;
        line += (a & Qt::AlignHCenter)   ? 'C'
                : (a & Qt::AlignRight)   ? 'R'
                : (a & Qt::AlignJustify) ? 'J'
                                         : 'L';
        auto twips = [](double px) { return int(std::lround(px * 15)); };
        if (format.leftMargin() != 0 || format.textIndent() != 0 || format.rightMargin() != 0)
            line += QStringLiteral(" %1/%2/%3")
                        .arg(twips(format.leftMargin()))
                        .arg(twips(format.textIndent()))
                        .arg(twips(format.rightMargin()));
        if (const QTextList* list = block.textList())
            line += QStringLiteral(" list%1.%2")
                        .arg(int(list->format().style()))
                        .arg(list->format().indent());
        line += " |";
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat c = it.fragment().charFormat();
            QStringList props;
            const QStringList families = c.fontFamilies().toStringList();
            if (!families.isEmpty()) props << "f=" + families.first();
            if (c.hasProperty(QTextFormat::FontPointSize) && c.fontPointSize() != 12)
                props << "fs=" + QString::number(c.fontPointSize());
            if (c.fontWeight() >= QFont::DemiBold) props << "b";
            if (c.fontItalic()) props << "i";
            if (c.fontUnderline()) props << "u";
            if (c.fontStrikeOut()) props << "s";
            if (c.hasProperty(QTextFormat::ForegroundBrush))
                props << "c=" + c.foreground().color().name().mid(1);
            line += "{" + props.join(',') + "}" + it.fragment().text();
        }
        lines << line;
    }
    return lines.join('\n');
}
