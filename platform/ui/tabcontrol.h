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

    // Adds a tab and returns its page, the container of the tab's controls.
    QWidget* addTab(const QString& caption);
    QWidget* page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    int tabCount() const { return static_cast<int>(pages_.size()); }
    QString tabCaption(int index) const;

    int tab() const { return current_; }          // the current tab; the first one after creation
    void setTab(int index);                       // as if the operator clicked that tab

    std::function<void(int previousTab)> onClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showTab(int index);
    void layoutPages();

    QTabBar* bar_;
    std::vector<QWidget*> pages_;
    int current_ = -1;
};

// Creates a tab control on `parent` with its name, placed in twips.
TabControl* addTabControl(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
