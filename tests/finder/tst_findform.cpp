#include "finder/FindForm.h"

#include "ScriptedPrompter.h"
#include "TestWorld.h"
#include "ZipFixtures.h"
#include "finder/FinderHost.h"
#include "kit/BannerMenu.h"
#include "kit/Led.h"
#include "kit/StatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

// Records what the finder asked of the main window; deleting really removes the file.
class FakeFinderHost : public TFinderHost {
public:
    QByteArray treeDirectory;
    QList<findsearch::Viewer> viewed;
    QList<QObject*> senders;
    QByteArrayList deleted;
    int rereads = 0;
    int shown = 0;
    bool zipAdd = false;

    void setTreeDirectory(const QByteArray& directory) override { treeDirectory = directory; }
    void rereadFileList() override { ++rereads; }
    void askSaveText() override {}
    bool zipAddPanelShown() const override { return zipAdd; }
    void view(findsearch::Viewer viewer, QObject* sender) override {
        viewed << viewer;
        senders << sender;
    }
    void fileShown() override { ++shown; }
    void deleteFile(const QByteArray& path) override {
        deleted << path;
        QFile::remove(QFile::decodeName(path));
    }
    void showProperties(const QByteArray&) override {}
};

QByteArray raw(const QString& path) {
    return QFile::encodeName(path);
}

QAction* item(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text) return action;
    return nullptr;
}

QStringList visibleItems(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        if (action->isVisible() && !action->isSeparator()) texts << action->text();
    return texts;
}

} // namespace

class TestFindForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void startsIdle();
    void searchAppendsStar();
    void exactSearch();
    void findFromMenuWithEmptyName();
    void includeZipShowsArchiveColumn();
    void zipOnlyHasNoFileLines();
    void stopShowsWhatWasFound();
    void viewersByExtension_data();
    void viewersByExtension();
    void deleteAnsweredNo();
    void deleteAllOverFilesAndZips();
    void resultItemsFollowTheLine();
    void savedListBytes();
    void nothingToSaveOrPrint();

private:
    void search(const QString& text);

    TestWorld* m_world = nullptr;
    FakeFinderHost* m_host = nullptr;
    ScriptedPrompter* m_prompter = nullptr;
    TfFindForm* m_form = nullptr;
    QString m_root;
};

void TestFindForm::init() {
    m_world = new TestWorld;
    m_root = m_world->dir("vol");
    m_world->volumes.volumes[0].rootPath = m_root;
    m_host = new FakeFinderHost;
    m_prompter = new ScriptedPrompter;
    m_form = new TfFindForm(*m_host);
}

void TestFindForm::cleanup() {
    delete m_form;
    delete m_prompter;
    delete m_host;
    delete m_world;
}

void TestFindForm::search(const QString& text) {
    m_form->FileSpec->setText(text);
    m_form->Go->click();
}

void TestFindForm::startsIdle() {
    QCOMPARE(m_form->windowTitle(), QStringLiteral("File Finder"));
    QCOMPARE(m_form->size(), QSize(565, 430));
    QVERIFY(!m_form->Go->isEnabled());
    QCOMPARE(m_form->Led->color(), QColor(Qt::red));
    QCOMPARE(m_form->Drive95ComboBox1->currentText(), m_root);
    QVERIFY(m_form->SingleBut->isChecked() && m_form->ZipExBut->isChecked());
    m_form->FileSpec->setText("x");
    QVERIFY(m_form->Go->isEnabled());
    QCOMPARE(m_form->Led->color(), QColor(Qt::green));
    m_form->AllBut->click();
    QVERIFY(m_form->AllPanel->isVisibleTo(m_form) &&
            !m_form->Drive95ComboBox1->isVisibleTo(m_form));
    m_form->SingleBut->click();
    QVERIFY(!m_form->AllPanel->isVisibleTo(m_form));
}

void TestFindForm::searchAppendsStar() {
    m_world->file("vol/notes");
    m_world->file("vol/a/notes.txt");
    m_world->file("vol/b/NOTESBOOK.DOC");
    m_world->file("vol/b/other.txt");
    search("notes");
    QCOMPARE(m_form->results().lines(),
             QByteArrayList({raw(m_root + "a/notes.txt"), raw(m_root + "b/NOTESBOOK.DOC"),
                             raw(m_root + "notes")}));
    QCOMPARE(m_form->StatBar->panelText(0), QStringLiteral("3  files found"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("File Finder"));
    QVERIFY(m_form->Go->isEnabled() && !m_form->StopBut->isVisibleTo(m_form));
    QVERIFY(m_form->ResultMenu->menuAction()->isVisible());
    m_form->FileSpec->setText("note");
    QCOMPARE(m_form->results().count(), 0);
    QVERIFY(!m_form->ResultMenu->menuAction()->isVisible());
    QCOMPARE(m_form->StatBar->panelText(0), QString());
}

void TestFindForm::exactSearch() {
    m_world->file("vol/notes");
    m_world->file("vol/x/NOTES");
    m_world->file("vol/notes.txt");
    m_form->ESBut->click();
    search("notes");
    QCOMPARE(m_form->results().count(), 2);
    search("nothing");
    QCOMPARE(m_form->StatBar->panelText(0), QStringLiteral("0  files found"));
    QVERIFY(!m_form->ResultMenu->menuAction()->isVisible());
}

void TestFindForm::findFromMenuWithEmptyName() {
    m_world->file("vol/README");
    m_world->file("vol/d/x.c");
    item(m_form->FileMenu, "Find")->trigger();
    QCOMPARE(m_form->results().count(), 2);
}

void TestFindForm::includeZipShowsArchiveColumn() {
    const QString archive =
        m_world->file("vol/down/pack.zip", zipfixture::archive({{"docs/readme.txt"}}));
    m_form->ZipIncBut->click();
    search("*.txt");
    QCOMPARE(m_form->results().lines(), QByteArrayList{"readme.txt\t" + raw(archive)});
    QCOMPARE(m_form->ListBox1->model()->index(0, 0).data().toString(), "readme.txt\t" + archive);
}

void TestFindForm::zipOnlyHasNoFileLines() {
    const QString archive = m_world->file("vol/pack.zip", zipfixture::archive({{"in.txt"}}));
    m_world->file("vol/out.txt");
    m_form->ZipBut->click();
    search("*.txt");
    QCOMPARE(m_form->results().lines(), QByteArrayList{"in.txt\t" + raw(archive)});
}

void TestFindForm::stopShowsWhatWasFound() {
    for (int i = 0; i < 30; ++i)
        m_world->file(QStringLiteral("vol/d%1/f%1.txt").arg(i));
    int ticks = 0;
    QTimer stopper;
    connect(&stopper, &QTimer::timeout, this, [&] {
        if (++ticks == 5) m_form->StopBut->click();
    });
    stopper.start(0);
    search("*.txt");
    stopper.stop();
    const int found = m_form->results().count();
    QVERIFY2(found > 0 && found < 30, qPrintable(QString::number(found)));
    QCOMPARE(m_form->StatBar->panelText(0), QString::number(found) + "  files found");
    QVERIFY(!m_form->StopBut->isVisibleTo(m_form) && m_form->Go->isVisibleTo(m_form));
    QCOMPARE(m_form->Led->color(), QColor(Qt::green));
}

void TestFindForm::viewersByExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("viewer");
    QTest::newRow("jpeg") << "PICTURE.JPEG" << int(findsearch::Viewer::Pict);
    QTest::newRow("html") << "INDEX.HTML" << int(findsearch::Viewer::WebView);
    QTest::newRow("exe") << "SETUP.EXE" << int(findsearch::Viewer::IconView);
    QTest::newRow("none") << "README" << int(findsearch::Viewer::Text);
    QTest::newRow("zip") << "Pack.Zip" << int(findsearch::Viewer::ZipView);
}

void TestFindForm::viewersByExtension() {
    QFETCH(QString, name);
    QFETCH(int, viewer);
    m_world->file("vol/sub/" + name, "PK");
    m_form->ESBut->click();
    search(name);
    QCOMPARE(m_form->results().count(), 1);
    QAction* view = item(m_form->ResultMenu, "View File in Korvane");
    view->trigger();
    QCOMPARE(m_host->viewed, QList<findsearch::Viewer>{findsearch::Viewer(viewer)});
    QCOMPARE(m_host->senders, QList<QObject*>{view});
    QVERIFY(m_form->isViewItem(view, false));
    QCOMPARE(m_host->treeDirectory, raw(m_root + "sub/"));
    QCOMPARE(m_form->Label3->text(), name);
    QCOMPARE(m_host->shown, 1);

    QFile::remove(m_root + "sub/" + name);
    view->trigger();
    QCOMPARE(m_prompter->messageTexts(), QStringList{"Unable to view file !"});
    QCOMPARE(m_host->viewed.size(), 1);
}

void TestFindForm::deleteAnsweredNo() {
    const QString file = m_world->file("vol/keep.txt");
    m_world->file("vol/other.txt");
    search("*.txt");
    m_form->ListBox1->setCurrentIndex(m_form->results().index(0));
    m_prompter->answer(MsgButton::No);
    item(m_form->ResultMenu, "Delete File")->trigger();
    QCOMPARE(m_prompter->messageTexts(), QStringList{"Delete " + file + "?"});
    QVERIFY(QFile::exists(file));
    QVERIFY(m_host->deleted.isEmpty());
    QCOMPARE(m_form->results().lines(), QByteArrayList{raw(m_root + "other.txt")});
    QCOMPARE(m_host->rereads, 1);
}

void TestFindForm::deleteAllOverFilesAndZips() {
    const QString one = m_world->file("vol/one.txt");
    const QString two = m_world->file("vol/d/two.txt");
    const QString pack =
        m_world->file("vol/pack.zip", zipfixture::archive({{"a.txt"}, {"b/c.txt"}}));
    m_form->ZipIncBut->click();
    search("*.txt");
    QCOMPARE(m_form->results().count(), 4);
    m_prompter->answer(MsgButton::Ok);
    item(m_form->ResultMenu, "Delete All Files")->trigger();
    QCOMPARE(m_prompter->messageTexts(),
             QStringList({"All files will be deleted !", "Unable to delete files !",
                          "Unable to delete files !"}));
    QVERIFY(!QFile::exists(one) && !QFile::exists(two) && QFile::exists(pack));
    QCOMPARE(m_form->results().count(), 0);
}

void TestFindForm::resultItemsFollowTheLine() {
    emit m_form->ListBox1->customContextMenuRequested({5, 5});
    QCOMPARE(visibleItems(m_form->ListPopup),
             QStringList({"View File in Korvane", "Open Zip in Korvane"}));
    m_form->ListPopup->hide();
    m_world->file("vol/pack.zip", zipfixture::archive({{"z.txt"}}));
    m_world->file("vol/a.txt");
    m_form->ZipIncBut->click();
    search("*.txt");
    QCOMPARE(m_form->results().count(), 2);
    m_form->ListBox1->setCurrentIndex(m_form->results().index(0)); // a.txt
    emit m_form->ResultMenu->aboutToShow();
    QCOMPARE(visibleItems(m_form->ResultMenu),
             QStringList({"View File in Korvane", "Open/Run File", "Delete File",
                          "Delete All Files", "Properties"}));
    item(m_form->ResultMenu, "Open/Run File")->trigger();
    QCOMPARE(m_world->shell.runs.value(0).fileName, m_root + "a.txt");
    m_form->ListBox1->setCurrentIndex(m_form->results().index(1)); // z.txt in pack.zip
    emit m_form->ResultMenu->aboutToShow();
    QCOMPARE(visibleItems(m_form->ResultMenu),
             QStringList({"Open Zip in Korvane", "Open Zip", "Delete Zip"}));
    item(m_form->ResultMenu, "Open Zip")->trigger();
    QCOMPARE(m_world->shell.openedUrls, QList<QUrl>{QUrl::fromLocalFile(m_root + "pack.zip")});

    search("a.txt");
    emit m_form->ResultMenu->aboutToShow();
    QVERIFY(!visibleItems(m_form->ResultMenu).contains("Delete All Files"));
}

void TestFindForm::savedListBytes() {
    const QString archive = m_world->file("vol/pack.zip", zipfixture::archive({{"r/readme.txt"}}));
    m_form->ZipIncBut->click();
    search("readme");
    const QString target = m_world->path("list.txt");
    m_prompter->answerFile(target);
    m_form->SaveBut->click();
    QCOMPARE(m_prompter->fileRequests.value(0).caption, QStringLiteral("Save FileTrawler List"));
    QFile saved(target);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), "readme.txt\t" + raw(archive) + "\r\n");
}

void TestFindForm::nothingToSaveOrPrint() {
    m_form->SaveBut->click();
    m_form->PrintBut->click();
    QCOMPARE(m_prompter->messageTexts(),
             QStringList({"There is nothing to save !", "There is nothing to print !"}));
}

QTEST_MAIN(TestFindForm)
#include "tst_findform.moc"
