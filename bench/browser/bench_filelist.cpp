// Lists the 100,000-file directory into a real file list (report view, sorted by name) and
// compares the wall time with `LC_ALL=C ls -l` on the same directory in the same run; then
// times re-sorting by each other column.

#include "browser/FileList.h"

#include "BenchData.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 5;

double timeLs(const QString& directory) {
    QProcess ls;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    ls.setProcessEnvironment(env);
    ls.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    ls.start("ls", {"-l", directory});
    ls.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

double timeListing(TQuickFileList& list) {
    QElapsedTimer clock;
    clock.start();
    list.reread();
    QCoreApplication::processEvents();
    list.repaint();
    return clock.nsecsElapsed() / 1e9;
}

double timeSort(TQuickFileList& list, TSortColumn column) {
    QElapsedTimer clock;
    clock.start();
    list.setSortColumn(column);
    QCoreApplication::processEvents();
    list.repaint();
    return clock.nsecsElapsed() / 1e9;
}

QString dataDirectory() {
    return BenchData("flat100k", "make-flat100k",
                     [](const QString& dir) { return QFileInfo(dir).isDir(); });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = dataDirectory();
    const int files = int(QDir(dir).entryList(QDir::Files | QDir::Hidden).size());
    if (files < 100000) {
        std::printf("filelist_flat100k: no data in %s\n", qPrintable(dir));
        return 1;
    }

    TQuickFileList list;
    list.setViewStyle(vsReport);
    list.setFileTypes(ftArchive | ftReadonly | ftAll);
    list.resize(800, 600);
    list.show();
    // As in the program, which lists its start directory first: MIME data and icons loaded.
    QTemporaryDir warm;
    list.setDirectory(warm.path());
    list.setDirectory(dir);
    timeLs(dir);

    const struct {
        const char* mask;
        TViewStyle style;
        const char* figure;
    } listings[] = {{"*.*", vsReport, "filelist_flat100k_list"},
                    {"*", vsReport, "filelist_flat100k_list_all"},
                    {"*.*", vsSmallIcon, "filelist_flat100k_list_smallicons"}};
    for (const auto& run : listings) {
        list.setMask(run.mask);
        list.setViewStyle(run.style);
        std::vector<double> listing, ls;
        for (int round = 0; round < kRounds; ++round) {
            ls.push_back(timeLs(dir));
            listing.push_back(timeListing(list));
        }
        const double ours = Median(listing);
        const double theirs = Median(ls);
        std::printf("%s: %.3f s for %d items (mask %s); LC_ALL=C ls -l %.3f s; ratio %.2f "
                    "(goal <= 1.50)\n",
                    run.figure, ours, list.itemCount(), run.mask, theirs, ours / theirs);
    }
    list.setMask("*.*");
    list.setViewStyle(vsReport);

    const struct {
        TSortColumn column;
        const char* name;
    } columns[] = {{clSize, "size"}, {clType, "type"}, {clDate, "modified"}, {clName, "name"}};
    for (const auto& c : columns) {
        std::vector<double> sorts;
        for (int round = 0; round < kRounds; ++round) {
            list.setSortColumn(c.column == clName ? clSize : clName);
            sorts.push_back(timeSort(list, c.column));
        }
        std::printf("filelist_flat100k_resort_%s: %.3f s (goal < 0.300)\n", c.name, Median(sorts));
    }
    return 0;
}
