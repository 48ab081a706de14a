#include "app/PageSwitcher.h"
#include "kit/BannerMenu.h"
#include "kit/PageMenus.h"

#include <QAction>
#include <QTabWidget>
#include <QTest>

namespace {

QStringList* g_log = nullptr;

/// A page that records the steps it is called for; its menus show on its own sheet, or, like
/// a page with a second view, on a set of sheets while that view is up.
class LogPage : public QWidget, public TViewerPage {
public:
    LogPage(ViewerSheet sheet, QStringList menuNames) : m_sheet(sheet) {
        for (const QString& name : menuNames)
            m_menus << NewPageMenu(name.toLatin1().constData(), this);
    }
    ViewerSheet Sheet() const override { return m_sheet; }
    QWidget* Widget() override { return this; }
    QList<TBannerMenu*> Menus() const override { return m_menus; }
    bool ShowsMenusOn(ViewerSheet showing) const override {
        return alsoOn.isEmpty() ? showing == m_sheet : alsoOn.contains(showing);
    }
    void PageShown() override { *g_log << objectName() + ".PageShown"; }
    void SheetChanged(ViewerSheet showing) override {
        *g_log << objectName() + ".SheetChanged" + QString::number(int(showing));
    }
    QList<ViewerSheet> alsoOn;

private:
    ViewerSheet m_sheet;
    QList<TBannerMenu*> m_menus;
};

QStringList names(const QList<TBannerMenu*>& menus, bool visibleOnly = false) {
    QStringList result;
    for (const TBannerMenu* menu : menus)
        if (!visibleOnly || menu->menuAction()->isVisible()) result << menu->objectName();
    return result;
}

} // namespace

class TestPageSwitcher : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menusInBarOrderAndFollowTheSheet();
    void userChangeRunsTheStepsInOrder();
};

void TestPageSwitcher::menusInBarOrderAndFollowTheSheet() {
    QTabWidget tabs;
    TPageSwitcher switcher(&tabs, {[](ViewerSheet) {}, [] {}});
    // Pages registered out of their menus' bar order; two sheets have no page.
    auto* text = new LogPage(ViewerSheet::TextEdit, {"TextFormatMenu", "TextMenu", "EditTextMenu"});
    auto* html = new LogPage(ViewerSheet::Html, {"HSFileMenu", "HSEditMenu"});
    auto* hex = new LogPage(ViewerSheet::HexEdit, {"HexEditMenu", "HexFileMenu"});
    for (auto [sheet, page] : {std::pair<ViewerSheet, LogPage*>{ViewerSheet::TextEdit, text},
                               {ViewerSheet::Html, html}, {ViewerSheet::ImageView, nullptr},
                               {ViewerSheet::Thumbs, nullptr}, {ViewerSheet::IconView, nullptr},
                               {ViewerSheet::Zip, nullptr}, {ViewerSheet::HexEdit, hex},
                               {ViewerSheet::ClipView, nullptr}})
        switcher.addSheet(new QWidget, QString::number(int(sheet)), page);
    QCOMPARE(tabs.count(), 8);
    QCOMPARE(switcher.Pages(), (QList<TViewerPage*>{text, html, hex}));
    QCOMPARE(switcher.Page(ViewerSheet::Zip), nullptr);
    QCOMPARE(names(switcher.PageMenus()),
             (QStringList{"TextMenu", "HexFileMenu", "HSFileMenu", "EditTextMenu", "HSEditMenu",
                          "HexEditMenu", "TextFormatMenu"}));
    QCOMPARE(switcher.PageMenus().first()->title(), QString("&File"));

    html->alsoOn = {ViewerSheet::Html, ViewerSheet::Thumbs};
    const struct {
        ViewerSheet sheet;
        QStringList shown;
    } cases[] = {
        {ViewerSheet::TextEdit, {"TextMenu", "EditTextMenu", "TextFormatMenu"}},
        {ViewerSheet::HexEdit, {"HexFileMenu", "HexEditMenu"}},
        {ViewerSheet::Thumbs, {"HSFileMenu", "HSEditMenu"}},
        {ViewerSheet::Zip, {}},
    };
    for (const auto& c : cases) {
        switcher.SelectViewerSheet(c.sheet);
        QCOMPARE(switcher.ShowingViewerSheet(), c.sheet);
        switcher.MenuVisable();
        QCOMPARE(names(switcher.PageMenus(), true), c.shown);
    }
}

void TestPageSwitcher::userChangeRunsTheStepsInOrder() {
    QStringList log;
    g_log = &log;
    QTabWidget tabs;
    TPageSwitcher switcher(&tabs, {[&](ViewerSheet sheet) {
                                       log << "window.sheetShown" + QString::number(int(sheet));
                                   },
                                   [&] { log << "window.resized"; }});
    auto* text = new LogPage(ViewerSheet::TextEdit, {"TextMenu"});
    text->setObjectName("text");
    auto* html = new LogPage(ViewerSheet::Html, {"HSFileMenu"});
    html->setObjectName("html");
    switcher.addSheet(new QWidget, "TextEdit", text);
    switcher.addSheet(new QWidget, "Html", html);
    switcher.addSheet(new QWidget, "ImageView", nullptr);
    QVERIFY(log.isEmpty()); // adding sheets is not a user's change

    tabs.setCurrentIndex(1);
    QCOMPARE(log, (QStringList{"window.sheetShown1", "html.PageShown", "window.resized",
                               "text.SheetChanged1", "html.SheetChanged1"}));
    QVERIFY(html->Menus().first()->menuAction()->isVisible());
    QVERIFY(!text->Menus().first()->menuAction()->isVisible());
    log.clear();
    tabs.setCurrentIndex(2);
    QCOMPARE(log, (QStringList{"window.sheetShown2", "window.resized", "text.SheetChanged2",
                               "html.SheetChanged2"}));
    log.clear();
    switcher.SelectViewerSheet(ViewerSheet::TextEdit);
    QVERIFY(log.isEmpty());
    g_log = nullptr;
}

QTEST_MAIN(TestPageSwitcher)
#include "tst_pageswitcher.moc"
