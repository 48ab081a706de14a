// Fills the finder's result list with 100,000 lines (sorting them), shows it, and scrolls
// it page by page; each figure is the wall time of the real window doing it.

#include "finder/FindForm.h"
#include "finder/FinderHost.h"

#include "BenchData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QRandomGenerator>
#include <QScrollBar>

#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 5;
constexpr int kLines = 100000;

class IdleHost : public TFinderHost {
public:
    void setTreeDirectory(const QByteArray&) override {}
    void rereadFileList() override {}
    void askSaveText() override {}
    bool zipAddPanelShown() const override { return false; }
    void view(findsearch::Viewer, QObject*) override {}
    void fileShown() override {}
    void deleteFile(const QByteArray&) override {}
    void showProperties(const QByteArray&) override {}
};

QList<QByteArray> makeLines() {
    QRandomGenerator random(4404);
    QList<QByteArray> lines;
    for (int i = 0; i < kLines; ++i) {
        QByteArray line = "/data/" + QByteArray::number(random.bounded(5000)) + "/Item_" +
                          QByteArray::number(random.generate()) + ".txt";
        if (i % 10 == 0) line = "entry_" + QByteArray::number(i) + ".txt\t" + line + ".zip";
        lines << line;
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    IdleHost host;
    TfFindForm form(host);
    form.show();
    QCoreApplication::processEvents();
    const QList<QByteArray> lines = makeLines();

    std::vector<double> fills, scrolls;
    for (int round = 0; round < kRounds; ++round) {
        form.results().clear();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        form.results().setLines(lines);
        form.ListBox1->repaint();
        fills.push_back(clock.nsecsElapsed() / 1e9);

        QScrollBar* bar = form.ListBox1->verticalScrollBar();
        clock.restart();
        for (int page = 0; page < 200; ++page) {
            bar->setValue(bar->value() + bar->pageStep());
            form.ListBox1->repaint();
        }
        scrolls.push_back(clock.nsecsElapsed() / 1e9 / 200);
    }
    std::printf("finder_list100k_fill: %.3f s for %d lines, sorted and shown (goal < 0.500)\n",
                Median(fills), form.results().count());
    std::printf("finder_list100k_scroll: %.2f ms per page (goal: no delay, < 16 ms)\n",
                Median(scrolls) * 1000);
    return 0;
}
