#include "platform/ui/tabcontrol.h"

#include "platform/ui/controls.h"
#include "platform/ui/keypress.h"

#include <QFrame>
#include <QFontMetrics>
#include <QSignalBlocker>
#include <QTabBar>

#include <algorithm>

namespace ui {

namespace {

// One row of tabs sharing the control's width evenly, however many there
// are: no scroll arrows. The captions take a smaller type when the widest one
// would not fit its share, so each stays readable whole; only below the
// smallest type is a caption cut short.
class SharedWidthTabBar : public QTabBar {
public:
    explicit SharedWidthTabBar(QWidget* parent) : QTabBar(parent)
    {
        setUsesScrollButtons(false);
        setElideMode(Qt::ElideRight);
        setExpanding(false);
    }

    // Room a tab needs beside its caption's text (frame and margins).
    static constexpr int kCaptionPadding = 14;
    static constexpr qreal kSmallestPointSize = 7.0;

    void fitCaptions()
    {
        if (count() == 0 || width() <= 0) return;
        const int share = width() / count();
        QFont type = parentWidget()->font();
        while (type.pointSizeF() > kSmallestPointSize && widestCaption(type) + kCaptionPadding > share)
            type.setPointSizeF(type.pointSizeF() - 0.5);
        if (type != font()) setFont(type);
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTabBar::resizeEvent(event);
        fitCaptions();
    }
    void tabInserted(int index) override
    {
        QTabBar::tabInserted(index);
        fitCaptions();
    }

    QSize tabSizeHint(int index) const override
    {
        QSize hint = QTabBar::tabSizeHint(index);
        if (count() > 0 && width() > 0) {
            const int share = width() / count();
            hint.setWidth(index == count() - 1 ? width() - share * (count() - 1) : share);
        }
        return hint;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    int widestCaption(const QFont& type) const
    {
        const QFontMetrics metrics(type);
        int widest = 0;
        for (int i = 0; i < count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(tabText(i)));
        return widest;
    }
};

} // namespace

TabControl::TabControl(QWidget* parent)
    : QWidget(parent), bar_(new SharedWidthTabBar(this))
{
    bar_->setDrawBase(false);
    QObject::connect(bar_, &QTabBar::currentChanged, this, [this](int index) { showTab(index); });
}

void TabControl::addTab(const QString& caption)
{
    pages_.push_back(nullptr);
    {
        // The first tab becomes current by being added, which is no click.
        const QSignalBlocker quiet(bar_);
        bar_->addTab(caption);
    }
    current_ = bar_->currentIndex();
    layoutPages();
    showCurrentPage();
}

QWidget* TabControl::page(int index)
{
    QWidget*& page = pages_.at(static_cast<size_t>(index));
    if (!page) {
        auto* frame = new QFrame(this);
        frame->setFrameShape(QFrame::StyledPanel);
        frame->setGeometry(0, 0, width(), height());
        frame->setVisible(index == current_);
        bar_->raise();
        page = frame;
    }
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
    showCurrentPage();
    fire(onClick, previous);
}

// The current tab's page is made if need be: it draws the panel under the
// row of tabs.
void TabControl::showCurrentPage()
{
    page(current_);
    for (int i = 0; i < tabCount(); ++i)
        if (QWidget* made = pages_[static_cast<size_t>(i)]) made->setVisible(i == current_);
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
    for (QWidget* page : pages_)
        if (page) page->setGeometry(0, 0, width(), height());
}

TabControl* addTabControl(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    auto* tabs = new TabControl(parent);
    tabs->setObjectName(name);
    placeTwips(tabs, left, top, width, height);
    return tabs;
}

} // namespace ui
