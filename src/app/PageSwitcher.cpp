#include "app/PageSwitcher.h"

#include "core/CommandGuard.h"
#include "kit/BannerMenu.h"
#include "kit/PageMenus.h"

#include <QAction>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

TPageSwitcher::TPageSwitcher(QTabWidget* progPages, WindowSteps steps)
    : QObject(progPages), m_tabs(progPages), m_steps(std::move(steps)) {
    connect(m_tabs, &QTabWidget::currentChanged, this, Guarded([this] { ProgPagesChange(); }));
}

void TPageSwitcher::addSheet(QWidget* sheet, const QString& caption, TViewerPage* page) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->addTab(sheet, caption);
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (page) layout->addWidget(page->Widget());
    m_sheets << sheet;
    m_pages << page;
}

QList<TBannerMenu*> TPageSwitcher::PageMenus() const {
    QList<TBannerMenu*> menus;
    for (const PageMenuRow& row : PageMenuRows()) {
        const TViewerPage* page = Page(row.sheet);
        if (!page) continue;
        for (TBannerMenu* menu : page->Menus())
            if (menu->objectName() == QLatin1String(row.name)) menus << menu;
    }
    return menus;
}

ViewerSheet TPageSwitcher::ShowingViewerSheet() const {
    return static_cast<ViewerSheet>(qMax(0, m_tabs->currentIndex()));
}

void TPageSwitcher::SelectViewerSheet(ViewerSheet sheet) {
    const QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(static_cast<int>(sheet));
}

QWidget* TPageSwitcher::SheetWidget(ViewerSheet sheet) const {
    return m_sheets.value(static_cast<int>(sheet));
}

TViewerPage* TPageSwitcher::Page(ViewerSheet sheet) const {
    return m_pages.value(static_cast<int>(sheet));
}

QList<TViewerPage*> TPageSwitcher::Pages() const {
    QList<TViewerPage*> built;
    for (TViewerPage* page : m_pages)
        if (page) built << page;
    return built;
}

void TPageSwitcher::MenuVisable() {
    const ViewerSheet showing = ShowingViewerSheet();
    for (const TViewerPage* page : Pages())
        for (TBannerMenu* menu : page->Menus())
            menu->menuAction()->setVisible(page->ShowsMenusOn(showing));
}

void TPageSwitcher::ProgPagesChange() {
    MenuVisable();
    const ViewerSheet showing = ShowingViewerSheet();
    m_steps.sheetShown(showing);
    if (TViewerPage* page = Page(showing)) page->PageShown();
    m_steps.resized();
    for (TViewerPage* page : Pages())
        page->SheetChanged(showing);
}
