// Scans the 500,000-file tree with the finder's scanner and compares the wall time with
// `find DIR -iname '*.txt'` (exclude mode) and with `find -iname '*.zip'` followed by
// `unzip -Z1` of each archive (include mode), all warm, in the same run.

#include "finder/TreeFind.h"

#include "BenchData.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 5;

double timeShell(const QString& command) {
    QProcess shell;
    shell.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    shell.start("sh", {"-c", command});
    shell.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

double timeScan(const QString& dir, quint16 options, qsizetype& lines) {
    QElapsedTimer clock;
    clock.start();
    TTreeFind find;
    find.Options = options;
    find.FileSpec = QFile::encodeName(dir) + "/*.txt";
    find.OnScan = [](TTreeFind&, const QString&) {};
    find.StopRequested = [] { return false; };
    find.Execute();
    lines = find.Results.size();
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString dir = BenchData("tree500k", "make-tree500k",
                                  [](const QString& d) { return QFileInfo(d).isDir(); });
    if (!QFileInfo(dir).isDir()) {
        std::printf("finder_tree500k: no data in %s\n", qPrintable(dir));
        return 1;
    }
    const QString quoted = "'" + dir + "'";
    const QString findTxt = "find " + quoted + " -iname '*.txt'";
    const QString findZip = "find " + quoted + " -iname '*.zip' -exec unzip -Z1 {} \\;";
    qsizetype lines = 0;
    timeShell(findTxt);
    timeScan(dir, 0x0007, lines);

    const struct {
        quint16 options;
        const QString& tool;
        const char* figure;
        const char* toolName;
    } runs[] = {
        {0x0007, findTxt, "finder_tree500k_exclude", "find -iname '*.txt'"},
        {0x8007, findZip, "finder_tree500k_include", "find -iname '*.zip' with unzip -Z1 each"}};
    for (const auto& run : runs) {
        std::vector<double> ours, theirs;
        for (int round = 0; round < kRounds; ++round) {
            theirs.push_back(timeShell(run.tool));
            ours.push_back(timeScan(dir, run.options, lines));
        }
        const double us = Median(ours);
        const double them = Median(theirs);
        std::printf("%s: %.3f s for %lld lines (*.txt); %s %.3f s; ratio %.2f (goal <= 1.30)\n",
                    run.figure, us, qlonglong(lines), run.toolName, them, us / them);
    }
    return 0;
}
