#include "pipeline/servicedetal.h"

#include "common/companylookup.h"
#include "common/mymode.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace pipeline {

namespace {

const char* const kRefused = "您无权修改服务资料";
const char* const kRefusedTitle = "修改资料";
const char* const kSaved = "服务反馈已成功修改";
const char* const kStale = "服务反馈未能保存：该服务记录已在别处被修改或删除，请关闭后重新打开再修改";
const char* const kNotSaved = "服务反馈未能保存：";

} // namespace

ServiceDetal::ServiceDetal() : ServiceWindow(QStringLiteral("ServiceDetal"), true) {}

void ServiceDetal::Form_Load()
{
    service_.load(QStringLiteral("service"), Mymode::CurrentRecordId);
    if (service_.holds()) showCustomerOf(service_.field(QStringLiteral("companyid")));
    fillLists();
    if (!service_.holds()) return;

    auto stored = [this](const char* column) { return service_.field(QString::fromLatin1(column)).toText(); };
    showChoice(QStringLiteral("service_type"), stored("service_type"));
    showChoice(QStringLiteral("service_product"), stored("service_product"));
    for (const char* box : {"service_title", "service_Begintime", "service_connect", "description", "field1",
                            "field2", "field3"})
        setBoxText(QString::fromLatin1(box), stored(box));
    // An unfinished record shows no end time, whatever is stored.
    if (stored("service_end") == QStringLiteral("已完成")) {
        control<ui::CheckBox>(QStringLiteral("service_end"))->setValue(1);
        setBoxText(QStringLiteral("service_endtime"), stored("service_endtime"));
    }
    control<ui::CheckBox>(QStringLiteral("GK"))->setValue(stored("service_gk") == QLatin1String("1") ? 1 : 0);
    setBoxText(QStringLiteral("field4"), stored("service_CZZ"));
}

void ServiceDetal::command1_Click()
{
    if (!Mymode::hasRight(QStringLiteral("e_serv=1;"))) {
        ui::msgBox(QString::fromUtf8(kRefused), ui::Buttons::Ok, ui::Icon::Error, QString::fromUtf8(kRefusedTitle));
        return;
    }
    if (!requiredBoxesGiven() || !timesValid()) return;

    QString failure;
    switch (service_.save([this](db::Recordset& row) { writeService(row, false); }, {}, &failure)) {
    case keptrow::Outcome::Stale: ui::msgBox(QString::fromUtf8(kStale)); return;
    case keptrow::Outcome::Failed: ui::msgBox(QString::fromUtf8(kNotSaved) + failure); return;
    case keptrow::Outcome::Saved: break;
    }
    ui::msgBox(QString::fromUtf8(kSaved));
    Mymode::rememberCompanyByName(boxText(QStringLiteral("CustName")));
    ui::Windows::unload(this);
}

} // namespace pipeline
