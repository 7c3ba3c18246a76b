#include "platform/ui/tabcontrol.h"

#include "platform/ui/controls.h"
#include "platform/ui/keypress.h"

#include <QFrame>
#include <QSignalBlocker>
#include <QTabBar>

namespace ui {

TabControl::TabControl(QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this))
{
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    QObject::connect(bar_, &QTabBar::currentChanged, this, [this](int index) { showTab(index); });
}

QWidget* TabControl::addTab(const QString& caption)
{
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    pages_.push_back(page);
    {
        // The first tab becomes current by being added, which is no click.
        const QSignalBlocker quiet(bar_);
        bar_->addTab(caption);
    }
    current_ = bar_->currentIndex();
    layoutPages();
    for (int i = 0; i < tabCount(); ++i) pages_[static_cast<size_t>(i)]->setVisible(i == current_);
    bar_->raise();
    return page;
}

QString TabControl::tabCaption(int index) const
{
    return bar_->tabText(index);
}

void TabControl::setTab(int index)
{
    if (index < 0 || index >= tabCount()) return;
    bar_->setCurrentIndex(index);   // runs showTab through currentChanged
}

void TabControl::showTab(int index)
{
    if (index == current_ || index < 0) return;
    const int previous = current_;
    current_ = index;
    for (int i = 0; i < tabCount(); ++i) pages_[static_cast<size_t>(i)]->setVisible(i == current_);
    bar_->raise();
    fire(onClick, previous);
}

void TabControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPages();
}

void TabControl::layoutPages()
{
    const int barHeight = bar_->sizeHint().height();
    bar_->setGeometry(0, 0, width(), barHeight);
    // Every page covers the whole control behind the row of tabs, so that its
    // controls count their top from the control's own top.
    for (QWidget* page : pages_) page->setGeometry(0, 0, width(), height());
}

TabControl* addTabControl(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    auto* tabs = new TabControl(parent);
    tabs->setObjectName(name);
    placeTwips(tabs, left, top, width, height);
    return tabs;
}

} // namespace ui
