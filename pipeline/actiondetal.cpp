#include "pipeline/actiondetal.h"

#include "common/mymode.h"

namespace pipeline {

namespace {

const EditTexts kTexts{
    "e_acti=1;",
    "您无权修改活动资料",
    "活动已成功修改",
    "活动资料未能保存：该活动已在别处被修改或删除，请关闭后重新打开再修改",
    "活动未能保存：",
};

} // namespace

ActionDetal::ActionDetal() : ActivityWindow(QStringLiteral("ActionDetal"), true) {}

void ActionDetal::Form_Load()
{
    const bool read = activity_.load(QStringLiteral("KH_ACT"), Mymode::CurrentRecordId)
                      && (!activity_.holds() || showCustomerOf(activity_.field(QStringLiteral("companyid"))));
    if (!read) refuseSaves();
    fillLists();
    if (!activity_.holds()) return;

    auto stored = [this](const char* column) { return activity_.field(QString::fromLatin1(column)).toText(); };
    showChoice(QStringLiteral("ActionType"), stored("ActionType"));
    for (const char* box : {"ActionTitle", "Action_Connect", "BeginTime", "EndTime", "field1", "field2", "field3",
                            "Action_Discription"})
        setBoxText(QString::fromLatin1(box), stored(box));
    showChoice(QStringLiteral("action_Class"), stored("action_Class"));
    if (stored("alert") == QLatin1String("1")) {
        control<ui::CheckBox>(QStringLiteral("Tixin"))->setValue(1);
        setBoxText(QStringLiteral("alerttime"), stored("alerttime"));
    }
    setBoxText(QStringLiteral("field4"), stored("Action_CZZ"));
    control<ui::CheckBox>(QStringLiteral("GK"))->setValue(stored("public") == QLatin1String("1") ? 1 : 0);
}

void ActionDetal::Tixin_Click()
{
    control<ui::TextBox>(QStringLiteral("alerttime"))->setVisible(ticked(QStringLiteral("Tixin")));
}

void ActionDetal::command1_Click()
{
    saveEdit(activity_, kTexts, [this] { return summaryAndCustomerGiven() && timesValid() && boxesFit(false); },
             [this](db::Recordset& row) { writeActivity(row, false); });
}

} // namespace pipeline
