// The tab control: its Click event fires when, and only when, the current
// tab changes, and tells which tab was current before; a tab's page is made
// only once it is shown or asked for.
#include "platform/ui/tabcontrol.h"

#include <QApplication>
#include <QFrame>
#include <QTabBar>
#include <QToolButton>
#include <gtest/gtest.h>

TEST(TabControl, ClickFiresOnEveryChangeWithThePreviousTab)
{
    QWidget window;
    ui::TabControl* tabs = ui::addTabControl(&window, QStringLiteral("SSTab1"), 0, 0, 6000, 3000);
    std::vector<int> previous;
    tabs->onClick = [&](int tab) { previous.push_back(tab); };
    for (const char* caption : {"一", "二", "三"}) tabs->addTab(QString::fromUtf8(caption));
    window.show();
    EXPECT_EQ(tabs->tab(), 0);
    EXPECT_TRUE(previous.empty()) << "adding tabs is no click";
    EXPECT_EQ(tabs->findChildren<QFrame*>(Qt::FindDirectChildrenOnly).size(), 1) << "only the shown tab has a page";
    QWidget* first = tabs->page(0);
    EXPECT_TRUE(first->isVisible());
    QWidget* second = tabs->page(1);
    EXPECT_FALSE(second->isVisible()) << "a page asked for before its tab is shown stays hidden";
    EXPECT_EQ(second->geometry(), first->geometry());

    tabs->setTab(2);
    tabs->setTab(2);
    tabs->setTab(1);
    tabs->setTab(7);
    EXPECT_EQ(previous, (std::vector<int>{0, 2}));
    EXPECT_EQ(tabs->tab(), 1);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_FALSE(tabs->page(2)->isVisible()) << "the page made on the way to tab 1 is hidden again";
    EXPECT_EQ(tabs->tabCaption(2), QStringLiteral("三"));
    EXPECT_EQ(tabs->objectName(), QStringLiteral("SSTab1"));
}

// The card's seven tabs share one row across the control: each lies wholly
// inside it with its whole caption readable, and no scroll arrow shows.
TEST(TabControl, SevenTabsShareTheWidthWithoutArrows)
{
    QWidget window;
    ui::TabControl* tabs = ui::addTabControl(&window, QStringLiteral("SSTab1"), 0, 0, 7095, 3000);
    for (const char* caption : {"联系人资料", "跟踪记录", "销售机会", "销售订单", "服务记录", "来电记录", "客户资料"})
        tabs->addTab(QString::fromUtf8(caption));
    window.show();
    QApplication::processEvents();
    auto* bar = tabs->findChild<QTabBar*>();
    ASSERT_TRUE(bar);
    for (int i = 0; i < bar->count(); ++i) {
        EXPECT_GE(bar->tabRect(i).left(), 0) << i;
        EXPECT_LE(bar->tabRect(i).right(), tabs->width()) << i;
        EXPECT_GT(bar->tabRect(i).width(), tabs->width() / 8) << i;
        // The caption is shown whole: its text fits inside its tab.
        EXPECT_LT(bar->fontMetrics().horizontalAdvance(bar->tabText(i)), bar->tabRect(i).width() - 8) << i;
    }
    for (const QToolButton* arrow : bar->findChildren<QToolButton*>()) EXPECT_FALSE(arrow->isVisible());
}
