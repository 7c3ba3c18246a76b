#include "common/workbookexport.h"

#include "common/database.h"
#include "common/readfailure.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"

#include <QFile>

namespace workbookexport {

Result exportAndOpen(const std::function<QString(const QString& workbook)>& statementFor)
{
    const QString workbook = ui::programPath(QStringLiteral("Export2excel.xls"));
    if (QFile::exists(workbook) && !QFile::remove(workbook)) {
        ui::msgBox(QStringLiteral("无法替换导出文件") + workbook + QStringLiteral(",请先关闭该文件再导出"), ui::Buttons::Ok,
                   ui::Icon::Error, QStringLiteral("导出到Excel"));
        return Result::Failed;
    }
    // What refused the export (a busy file, a full disk) follows the words
    // that nothing was made, as the reports' exports say it.
    std::optional<db::Error> failure;
    const bool written = database::guarded([&] { database::openMain()->execute(statementFor(workbook)); }, failure);
    if (!written || !QFile::exists(workbook)) {
        ui::msgBox(QStringLiteral("导出到Excel失败,没有生成导出文件")
                       + (failure ? QStringLiteral("。") + readfailure::text(*failure) : QString()),
                   ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("导出到Excel"));
        return Result::Failed;
    }
    return ui::openWithDesktop(workbook) ? Result::Opened : Result::NotOpened;
}

} // namespace workbookexport
