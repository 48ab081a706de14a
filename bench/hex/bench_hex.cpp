// The hex editor on the 1 GiB file: loading against `cp` of the same file in the same run,
// peak memory while loading, scrolling to the end and typing (in a child process of its
// own), painting one screen of rows in a 1 KiB and a 1 GiB document, and 100 byte edits
// followed by 100 undos.

#include "hex/HexEditor.h"
#include "platform/Host.h"

#include "BenchData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QProcess>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kLoadRounds = 5;
constexpr int kPaints = 300;
constexpr int kEdits = 100;

QString bigFile() {
    return BenchData("big1g.bin", "make-big1g", [](const QString& file) {
        return QFileInfo(file).size() == (qint64(1) << 30);
    });
}

double timeCp(const QString& from, const QString& to) {
    QElapsedTimer clock;
    clock.start();
    QProcess::execute("cp", {from, to});
    return clock.nsecsElapsed() / 1e9;
}

double timeLoad(THexEditor& editor, const QString& file) {
    QElapsedTimer clock;
    clock.start();
    editor.setFileName(file);
    const bool loaded = editor.LoadFromFile();
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (!loaded) std::printf("hex_load: cannot load %s\n", qPrintable(file));
    return seconds;
}

// Peak resident memory of this process so far, in MiB.
double peakMemory() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

void sendKey(QWidget* widget, int key, Qt::KeyboardModifiers mods, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(widget, &release);
}

// The child process: load, scroll to the end, type; print the peak.
int memoryScenario(const QString& file) {
    THexEditor editor;
    editor.resize(900, 700);
    editor.show();
    QApplication::processEvents();
    const double before = peakMemory();
    editor.setFileName(file);
    if (!editor.LoadFromFile()) return 1;
    QApplication::processEvents();
    editor.setTopRow(editor.document().rowCount());
    editor.viewport()->repaint();
    sendKey(&editor, Qt::Key_End, Qt::ControlModifier);
    sendKey(&editor, Qt::Key_Home, Qt::NoModifier);
    for (int i = 0; i < 200; ++i) {
        const QString digit(QChar("0123456789abcdef"[i % 16]));
        sendKey(&editor, digit.at(0).toUpper().unicode(), Qt::NoModifier, digit);
        QApplication::processEvents();
    }
    editor.viewport()->repaint();
    std::printf("%.1f %.1f\n", before, peakMemory());
    return 0;
}

double timePaint(THexEditor& editor, int paints) {
    QImage image(editor.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    QRandomGenerator random(5005);
    const int rows = editor.document().rowCount();
    const int last = std::max(0, rows - editor.visibleRows());
    std::vector<double> times;
    for (int i = 0; i < paints; ++i) {
        editor.setTopRow(int(random.bounded(last + 1)));
        QElapsedTimer clock;
        clock.start();
        editor.viewport()->render(&image);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("korvane-bench");
    const QString file = bigFile();
    if (QFileInfo(file).size() != (qint64(1) << 30)) {
        std::printf("hex: no data in %s\n", qPrintable(file));
        return 1;
    }
    if (argc > 1 && QByteArray(argv[1]) == "--memory") return memoryScenario(file);

    const QString temp = platform::paths().tempDir();
    const QString copy = temp + "cp-target.bin";
    THexEditor editor;
    editor.resize(900, 30 * editor.rowHeight() + 40);
    editor.show();
    QApplication::processEvents();

    // Loading against cp, alternating, after one warming copy of each.
    timeCp(file, copy);
    timeLoad(editor, file);
    std::vector<double> cpTimes, loadTimes;
    for (int round = 0; round < kLoadRounds; ++round) {
        cpTimes.push_back(timeCp(file, copy));
        loadTimes.push_back(timeLoad(editor, file));
    }
    QFile::remove(copy);
    const double cp = Median(cpTimes), load = Median(loadTimes);
    std::printf("hex_load_1g: load %.3f s, cp %.3f s, ratio %.2f (goal <= 1.20)\n", load, cp,
                load / cp);
    std::fflush(stdout);

    // Peak memory in a process of its own, so nothing else here counts.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--memory"});
    child.waitForFinished(-1);
    const QList<QByteArray> peaks = child.readAllStandardOutput().trimmed().split(' ');
    if (child.exitCode() == 0 && peaks.size() == 2)
        std::printf("hex_memory_1g: peak %s MiB (%s MiB before loading) while loading, scrolling "
                    "to the end and typing (goal < 80)\n",
                    peaks[1].constData(), peaks[0].constData());
    else
        std::printf("hex_memory_1g: the child failed\n");
    std::fflush(stdout);

    // One screen of rows anywhere in the document: 1 KiB against 1 GiB.
    THexEditor small;
    small.resize(editor.size());
    small.show();
    const QString kib = temp + "bench-1k.bin";
    {
        QFile out(kib);
        if (out.open(QIODevice::WriteOnly)) {
            QFile in(file);
            if (in.open(QIODevice::ReadOnly)) out.write(in.read(1024));
        }
    }
    small.setFileName(kib);
    small.LoadFromFile();
    QApplication::processEvents();
    timePaint(small, 20);
    timePaint(editor, 20);
    const double paintSmall = timePaint(small, kPaints);
    const double paintBig = timePaint(editor, kPaints);
    QFile::remove(kib);
    std::printf(
        "hex_paint_screen: %d rows, 1 KiB %.3f ms, 1 GiB %.3f ms, ratio %.2f (goal 0.80..1.20)\n",
        editor.visibleRows(), paintSmall, paintBig, paintBig / paintSmall);
    std::fflush(stdout);

    // 100 typed byte changes at scattered places, then 100 undos.
    THexDocument& doc = editor.document();
    QRandomGenerator random(77);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kEdits; ++i) {
        const qint32 at = qint32(random.bounded(doc.DataSize()));
        doc.moveCaret(hexgrid::cellOfByte(at, doc.BytesPerLine(), false));
        HexTypeChar(doc, doc.byteAt(at) >> 4 == 0xF ? QChar('0') : QChar('f'));
    }
    for (int i = 0; i < kEdits; ++i)
        doc.Undo();
    QApplication::processEvents();
    const double edits = clock.nsecsElapsed() / 1e9;
    std::printf("hex_edits_undo_1g: %d byte edits + %d undos %.4f s, %s (goal < 1 s)\n", kEdits,
                kEdits, edits, doc.Modified() || doc.CanUndo() ? "NOT restored" : "restored");
    return 0;
}
