#include "pipeline/actionadd.h"

#include "common/mainlists.h"
#include "common/relatedlists.h"
#include "platform/db/locale.h"

namespace pipeline {

namespace {

const char* const kAdded = "活动已成功加入";
const char* const kNotSaved = "活动未能保存：";

} // namespace

ActionAdd::ActionAdd() : ActivityWindow(QStringLiteral("ActionAdd"), false) {}

void ActionAdd::Form_Load()
{
    takeCustomerFromCard();
    fillLists();
    const QString now = db::locale::generalDate(db::locale::now());
    setBoxText(QStringLiteral("BeginTime"), now);
    setBoxText(QStringLiteral("EndTime"), now);
}

void ActionAdd::Tixin_Click()
{
    const bool on = ticked(QStringLiteral("Tixin"));
    auto* time = control<ui::TextBox>(QStringLiteral("alerttime"));
    time->setVisible(on);
    time->setText(on ? db::locale::generalDate(db::locale::now()) : QString());
}

void ActionAdd::command1_Click()
{
    if (!summaryAndCustomerGiven() || !customerExists() || !timesValid() || !boxesFit(true)) return;

    if (!insertRow(QStringLiteral("KH_ACT"), [this](db::Recordset& row) { writeActivity(row, true); },
                   QString::fromUtf8(kNotSaved)))
        return;
    confirmAndClose(QString::fromUtf8(kAdded),
                    [](MainLists& lists) { lists.ActionList(relatedlists::activityList()); });
}

} // namespace pipeline
