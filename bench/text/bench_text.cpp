// The text page on large documents: loading 5 MB of plain text against
// QPlainTextEdit::setPlainText of the same text in the same run, Find of a word near the
// end of it, and loading 1 MB of RTF with mixed formatting.

#include "kit/BannerMenu.h"
#include "text/SearchDialog.h"
#include "text/TextPage.h"

#include "BenchData.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 5;
constexpr qsizetype kPlainSize = 5'000'000;
constexpr qsizetype kRtfSize = 1'000'000;
const QByteArray kNeedle = "needleword";

// The first 5 MB (whole lines) of the shared 50 MB text, with a rare word in its last line.
QString plainFile() {
    const QString big = BenchData("text50m.txt", "make-text50m",
                                  [](const QString& file) { return QFileInfo::exists(file); });
    QFile source(big);
    if (!source.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes = source.read(kPlainSize);
    bytes.truncate(bytes.lastIndexOf('\n') + 1);
    bytes.insert(bytes.lastIndexOf('\n', bytes.size() - 2) + 1, kNeedle + ' ');
    const QString path = BenchDataRoot() + "/text5m.txt";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) return {};
    return path;
}

// About 1 MB of RTF as word processors write it: font and colour tables, runs of bold,
// italic, underline, colours, two fonts and sizes, escaped characters, aligned and
// indented paragraphs, bullets.
QString rtfFile() {
    QRandomGenerator random(4004);
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\froman Liberation "
                     "Serif;}{\\f1\\fswiss DejaVu Sans;}}{\\colortbl;\\red255\\green0\\blue0;"
                     "\\red0\\green0\\blue255;}{\\*\\listtable{\\list{\\listlevel\\levelnfc23}"
                     "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}\r\n";
    static const char* const words[] = {"alpha",        "beta", "gamma",     "delta", "caf\\'e9",
                                        "\\u8364\\'80", "word", "paragraph", "text",  "\\{x\\}"};
    static const char* const styles[] = {"\\b ",   "\\i ",        "\\ul ",   "\\cf1 ",
                                         "\\cf2 ", "\\f1\\fs24 ", "\\fs28 ", ""};
    static const char* const paragraphs[] = {"\\pard\\ql ", "\\pard\\qc ", "\\pard\\qr\\li720 ",
                                             "\\pard\\qj\\fi-360\\li720\\ri360 ",
                                             "\\pard\\ls1\\li720\\fi-360{\\listtext \\'95\\tab}"};
    while (rtf.size() < kRtfSize) {
        rtf += paragraphs[random.bounded(5)];
        const int runs = 3 + random.bounded(8);
        for (int r = 0; r < runs; ++r) {
            rtf += '{';
            rtf += styles[random.bounded(8)];
            const int count = 1 + random.bounded(6);
            for (int w = 0; w < count; ++w) {
                rtf += words[random.bounded(10)];
                rtf += ' ';
            }
            rtf += '}';
        }
        rtf += "\\par\r\n";
    }
    rtf += '}';
    const QString path = BenchDataRoot() + "/text1m.rtf";
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(rtf) != rtf.size()) return {};
    return path;
}

struct Page {
    TBannerMenu textMenu, editMenu, formatMenu;
    QPrinter printer;
    TTextPage page{&textMenu, &editMenu, &formatMenu, &printer};
    Page() {
        page.resize(800, 500);
        page.show();
        QApplication::processEvents();
    }
};

double timeLoad(const QString& path) {
    Page page;
    QElapsedTimer clock;
    clock.start();
    page.page.LoadDocument(path, QFileInfo(path).fileName(), QFileInfo(path).path());
    QApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

double timePlainTextEdit(const QString& text) {
    QPlainTextEdit edit;
    edit.resize(800, 500);
    edit.show();
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    edit.setPlainText(text);
    QApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

void benchPlain() {
    const QString path = plainFile();
    if (path.isEmpty()) {
        std::printf("text_load_5mb: no data\n");
        return;
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QString text = QString::fromUtf8(file.readAll());
    std::vector<double> loads, plains;
    for (int round = 0; round < kRounds; ++round) {
        plains.push_back(timePlainTextEdit(text));
        loads.push_back(timeLoad(path));
    }
    const double load = Median(loads);
    const double plain = Median(plains);
    std::printf("text_load_5mb: page %.3f s, QPlainTextEdit::setPlainText %.3f s, ratio %.2f "
                "(goal <= 2.00)\n",
                load, plain, load / plain);

    Page page;
    page.page.LoadDocument(path, "text5m.txt", QString());
    TSearchDialog* dialog = page.page.FindDialog;
    dialog->FindEdit->setText(QString::fromLatin1(kNeedle));
    std::vector<double> finds;
    int found = -1;
    for (int round = 0; round < kRounds; ++round) {
        page.page.View->moveCursor(QTextCursor::Start);
        QApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        dialog->FindNextBut->click();
        finds.push_back(clock.nsecsElapsed() / 1e6);
        found = page.page.View->textCursor().selectionStart();
    }
    std::printf("text_find_5mb: Find Next from the start to offset %d of %d %.1f ms "
                "(goal < 50 ms)\n",
                found, int(text.size()), Median(finds));
}

void benchRtf() {
    const QString path = rtfFile();
    if (path.isEmpty()) {
        std::printf("text_load_rtf_1mb: no data\n");
        return;
    }
    std::vector<double> loads;
    for (int round = 0; round < kRounds; ++round)
        loads.push_back(timeLoad(path));
    std::printf("text_load_rtf_1mb: %lld bytes %.3f s (goal < 1 s)\n", QFileInfo(path).size(),
                Median(loads));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchPlain();
    benchRtf();
    return 0;
}
