#include "pipeline/servicedetal.h"

#include "common/mymode.h"

namespace pipeline {

namespace {

const EditTexts kTexts{
    "e_serv=1;",
    "您无权修改服务资料",
    "服务反馈已成功修改",
    "服务反馈未能保存：该服务记录已在别处被修改或删除，请关闭后重新打开再修改",
    "服务反馈未能保存：",
};

} // namespace

ServiceDetal::ServiceDetal() : ServiceWindow(QStringLiteral("ServiceDetal"), true) {}

void ServiceDetal::Form_Load()
{
    const bool read = service_.load(QStringLiteral("service"), Mymode::CurrentRecordId)
                      && (!service_.holds() || showCustomerOf(service_.field(QStringLiteral("companyid"))));
    if (!read) refuseSaves();
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
    saveEdit(service_, kTexts, [this] { return requiredBoxesGiven() && timesValid() && boxesFit(false); },
             [this](db::Recordset& row) { writeService(row, false); });
}

} // namespace pipeline
