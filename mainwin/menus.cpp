// The main window's menu bar. Menus appear in the order they are added here.
#include "mainwin/frmmain.h"

#include "platform/ui/windows.h"

namespace mainwin {

void FrmMain::createMenus()
{
    createFileMenu();
    createSettingsMenu();

    // New-record menu; the grids' right button pops it up too.
    ui::Menu* mnuAddNew = menuBar_->addMenu(QStringLiteral("mnuAddNew"), QStringLiteral(" 新 建[&N]"));
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
        const char* window;
    } newRecords[] = {
        {"mnuAddCust", "新建客户", "Ctrl+K", "frmCustAdd"},
        {"mnuViewStatusBar", "新建联系人", "", "frmAddContect"},
        {"mnuAddAction", "新建联系活动", "", "ActionAdd"},
        {"mnuAddChance", "新建机会报价", "", "AddChance"},
        {"mnuAddSales", "新建合同订单", "", "SalesAdd"},
        {"mnuAddService", "新建服务反馈", "", "ServiceAdd"},
    };
    for (const auto& entry : newRecords) {
        const QString window = QString::fromLatin1(entry.window);
        mnuAddNew
            ->addItem(QString::fromLatin1(entry.name), QString::fromUtf8(entry.caption),
                      QString::fromLatin1(entry.shortcut))
            ->onClick = [this, window] { openNewRecordWindow(window); };
    }
    mnuAddNew->addSeparator(QStringLiteral("mnudjjddjj46444"));
    mnuAddNew->addItem(QStringLiteral("mnuaddgys"), QStringLiteral("新建供应商"))->onClick = [] {
        ui::Windows::open(QStringLiteral("frmGysAdd"));
    };
    mnuAddNew->addItem(QStringLiteral("mnuaddjhd"), QStringLiteral("新建进货单"))->onClick = [] {
        ui::Windows::open(QStringLiteral("frmJHd"));
    };

    // View menu: the list switches.
    ui::Menu* mnuView = menuBar_->addMenu(QStringLiteral("mnuView"), QStringLiteral("  视  图[&V]"));
    const struct {
        const char* name;
        const char* caption;
        const char* shortcut;
        View view;
    } lists[] = {
        {"mnuCustList", "客户列表", "Ctrl+C", View::Customers},
        {"mnuContectList", "联系人列表", "Ctrl+N", View::Contacts},
        {"mnuActionList", "活动列表", "Ctrl+A", View::Activities},
        {"mnuChanceList", "机会列表", "Ctrl+J", View::Opportunities},
        {"mnuSalesList", "合同订单列表", "Ctrl+O", View::SalesOrders},
        {"mnuServiceList", "服务反馈列表", "Ctrl+S", View::ServiceRecords},
    };
    for (const auto& entry : lists) {
        const View view = entry.view;
        mnuView
            ->addItem(QString::fromLatin1(entry.name), QString::fromUtf8(entry.caption),
                      QString::fromLatin1(entry.shortcut))
            ->onClick = [this, view] { switchToList(view); };
    }

    createCommandMenus();
}

// A new-record entry opens its window, which takes its customer from the
// customer card while it loads, and then closes the card.
void FrmMain::openNewRecordWindow(const QString& kind)
{
    openNewRecord(kind);
    ui::Windows::unload(QStringLiteral("frmCustDetail"));
}

} // namespace mainwin
