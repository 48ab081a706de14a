#pragma once

#include "core/ViewerPage.h"

#include <QList>
#include <QObject>

#include <functional>

class QMenuBar;
class QTabWidget;
class TBannerMenu;

/// The viewer sheets of ProgPages, their pages and the page menus: which sheet shows, which
/// menus go with it, and the steps that run when the user brings a sheet up.
class TPageSwitcher : public QObject {
    Q_OBJECT
public:
    /// The window's own steps around a user's change of sheet.
    struct WindowSteps {
        std::function<void(ViewerSheet)> sheetShown; ///< before the page's own step
        std::function<void()> resized;                ///< after it
    };

    TPageSwitcher(QTabWidget* progPages, WindowSteps steps);

    /// Adds the sheet of the next tab (in ViewerSheet order) with its page, or with none
    /// while the page is not built.
    void addSheet(QWidget* sheet, const QString& caption, TViewerPage* page);
    /// The pages' menus in menu-bar order, each hidden unless it goes with the showing sheet.
    QList<TBannerMenu*> PageMenus() const;

    ViewerSheet ShowingViewerSheet() const;
    /// Shows a viewer sheet from code; the user-change steps do not run.
    void SelectViewerSheet(ViewerSheet sheet);
    QWidget* SheetWidget(ViewerSheet sheet) const;
    /// The built page of a sheet, null when none.
    TViewerPage* Page(ViewerSheet sheet) const;
    TViewerPage* ShowingPage() const { return Page(ShowingViewerSheet()); }
    /// The built pages in tab order.
    QList<TViewerPage*> Pages() const;

    /// Shows the page menus that go with the showing sheet and hides the others.
    void MenuVisable();
    /// The user brought a sheet up: menus, the window's step, the page's own step, the
    /// window's resize step, then every page hears of the change.
    void ProgPagesChange();

private:
    QTabWidget* m_tabs;
    WindowSteps m_steps;
    QList<QWidget*> m_sheets;
    QList<TViewerPage*> m_pages; ///< one per sheet, null where none is built
};
