#include "pipeline/serviceadd.h"

#include "common/mainlists.h"
#include "common/relatedlists.h"
#include "platform/db/locale.h"

namespace pipeline {

namespace {

const char* const kAdded = "服务反馈已成功加入";
const char* const kNotSaved = "服务反馈未能保存：";

} // namespace

ServiceAdd::ServiceAdd() : ServiceWindow(QStringLiteral("ServiceAdd"), false) {}

void ServiceAdd::Form_Load()
{
    takeCustomerFromCard();
    fillLists();
    setBoxText(QStringLiteral("service_Begintime"), db::locale::generalDate(db::locale::now()));
}

void ServiceAdd::service_end_Click()
{
    setBoxText(QStringLiteral("service_endtime"),
               ticked(QStringLiteral("service_end")) ? db::locale::generalDate(db::locale::now()) : QString());
}

void ServiceAdd::command1_Click()
{
    if (!requiredBoxesGiven() || !customerExists() || !timesValid() || !boxesFit(true)) return;
    if (!insertRow(QStringLiteral("service"), [this](db::Recordset& row) { writeService(row, true); },
                   QString::fromUtf8(kNotSaved)))
        return;
    confirmAndClose(QString::fromUtf8(kAdded),
                    [](MainLists& lists) { lists.ServiceList(relatedlists::serviceList()); });
}

} // namespace pipeline
