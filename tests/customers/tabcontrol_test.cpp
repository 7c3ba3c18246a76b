// The tab control: its Click event fires when, and only when, the current
// tab changes, and tells which tab was current before.
#include "platform/ui/tabcontrol.h"

#include <gtest/gtest.h>

TEST(TabControl, ClickFiresOnEveryChangeWithThePreviousTab)
{
    QWidget window;
    ui::TabControl* tabs = ui::addTabControl(&window, QStringLiteral("SSTab1"), 0, 0, 6000, 3000);
    std::vector<int> previous;
    tabs->onClick = [&](int tab) { previous.push_back(tab); };
    QWidget* first = tabs->addTab(QStringLiteral("一"));
    QWidget* second = tabs->addTab(QStringLiteral("二"));
    tabs->addTab(QStringLiteral("三"));
    window.show();
    EXPECT_EQ(tabs->tab(), 0);
    EXPECT_TRUE(previous.empty()) << "adding tabs is no click";
    EXPECT_TRUE(first->isVisible());

    tabs->setTab(2);
    tabs->setTab(2);
    tabs->setTab(1);
    tabs->setTab(7);
    EXPECT_EQ(previous, (std::vector<int>{0, 2}));
    EXPECT_EQ(tabs->tab(), 1);
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(tabs->tabCaption(2), QStringLiteral("三"));
    EXPECT_EQ(tabs->objectName(), QStringLiteral("SSTab1"));
}
