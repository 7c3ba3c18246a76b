#pragma once
// A row of tabs over stacked pages. Each page covers the whole control, so a
// control placed on a page is positioned relative to the tab control itself
// (a top of about 360 twips clears the row of tabs). Making another tab
// current, by the operator or by code, fires onClick with the tab that was
// current before.
#include <QWidget>
#include <functional>
#include <vector>

class QTabBar;

namespace ui {

class TabControl : public QWidget {
public:
    explicit TabControl(QWidget* parent);

    void addTab(const QString& caption);
    // The tab's page, the container of the tab's controls. A page is made
    // when it is first asked for or shown: a window whose other tabs are
    // never looked at costs no widgets for them.
    QWidget* page(int index);
    int tabCount() const { return static_cast<int>(pages_.size()); }
    QString tabCaption(int index) const;

    int tab() const { return current_; }          // the current tab; the first one after creation
    void setTab(int index);                       // as if the operator clicked that tab

    std::function<void(int previousTab)> onClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTab(int index);
    void showCurrentPage();
    void layoutPages();

    QTabBar* bar_;
    std::vector<QWidget*> pages_;   // null until made
    int current_ = -1;
};

// Creates a tab control on `parent` with its name, placed in twips.
TabControl* addTabControl(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
