// The main window's menus besides the new-record and list menus: File,
// Settings, the supplier list of the View menu, Calls, Reports, text messages
// and Help. Most entries open one window by its name.
#include "mainwin/frmmain.h"

#include "common/mymode.h"
#include "mainwin/maker.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>

namespace mainwin {
namespace {

// An entry that opens a window; a window already open comes to the front as it is.
struct WindowEntry {
    const char* name;
    const char* caption;   // "-" for a separator
    const char* window;
};

void addWindowEntries(ui::Menu* menu, std::initializer_list<WindowEntry> entries)
{
    for (const WindowEntry& entry : entries) {
        if (QString::fromUtf8(entry.caption) == QLatin1String("-")) {
            menu->addSeparator(QString::fromLatin1(entry.name));
            continue;
        }
        const QString window = QString::fromLatin1(entry.window);
        menu->addItem(QString::fromLatin1(entry.name), QString::fromUtf8(entry.caption))->onClick = [window] {
            ui::Windows::open(window);
        };
    }
}

// A report entry hands its report to the report window, which reads it only
// while it loads.
struct ReportEntry {
    const char* name;
    const char* caption;
    const char* selector;
    const char* window;
};

void addReportEntries(ui::Menu* menu, std::initializer_list<ReportEntry> entries)
{
    for (const ReportEntry& entry : entries) {
        const QString selector = QString::fromLatin1(entry.selector);
        const QString window = QString::fromLatin1(entry.window);
        menu->addItem(QString::fromLatin1(entry.name), QString::fromUtf8(entry.caption))->onClick = [selector, window] {
            Mymode::ReportSelector = selector;
            ui::Windows::open(window);
        };
    }
}

} // namespace

void FrmMain::createFileMenu()
{
    ui::Menu* mnuFile = menuBar_->addMenu(QStringLiteral("mnuFile"), QStringLiteral(" 文 件[&F] "));
    addWindowEntries(mnuFile, {{"mnuinpordata", "导入数据", "inpordat"}});
    mnuFile->addItem(QStringLiteral("mnuExporttoexcel"), QStringLiteral("查询导出到Excel"))->onClick = [this] {
        mnuExporttoexcel_Click();
    };
    mnuFile->addSeparator(QStringLiteral("dr"));
    mnuFile->addItem(QStringLiteral("prtList"), QStringLiteral("列表打印"))->onClick = [this] { prtList_Click(); };
    mnuFile->addItem(QStringLiteral("mnuMailPrint"), QStringLiteral("打印信封标签"))->onClick = [this] {
        mnuMailPrint_Click();
    };
    addWindowEntries(mnuFile, {{"tyurtuyr", "-", ""}, {"mnueqwr345", "更改密码", "changePwd"}, {"asdf5", "-", ""}});
    mnuFile->addItem(QStringLiteral("mnuExit"), QStringLiteral(" 退  出"))->onClick = [this] { mnuExit_Click(); };
}

void FrmMain::createSettingsMenu()
{
    ui::Menu* mnuSysSet = menuBar_->addMenu(QStringLiteral("mnuSysSet"), QStringLiteral("系统设置[&S]"));
    addWindowEntries(mnuSysSet, {
                                    {"mnuFileOpen", "客户分组设置", "setclient_type"},
                                    {"mnuFileFind", "客户来源设置", "setclientsource"},
                                    {"mnuindustry", "客户行业", "setindustry"},
                                    {"mnuFileBar0", "-", ""},
                                    {"mnuActionType", "活动类型设置", "setregarding"},
                                    {"mnuFileSendTo", "业务流程设置", "setprogramstate"},
                                    {"mnuFileBar1", "-", ""},
                                    {"mnuMoneyType", "币种设置", "SetMoneyType"},
                                    {"mnuFileNew", "发票类型设置", "setinvoice"},
                                    {"mnuFileBar2", "-", ""},
                                    {"mnuFileDelete", "服务类型设置", "SetServiceType"},
                                    {"mnuFileRename", "产品管理", "productmgr"},
                                    {"gggggghhh", "-", ""},
                                    {"mnuTX", "提醒设置", "systx"},
                                    {"mnuWorkmodel", "工作模式设置", "frmNetSet"},
                                    {"fcgfg", "-", ""},
                                    {"frmuser", "操作员设置", "frmUserManage"},
                                    {"mnudjtd", "单据套打设置", "CompanySet"},
                                    {"erer", "-", ""},
                                    {"mnuother", "录音及外线设置", "sysOther"},
                                });
}

// The menus after the list menu, which gets the supplier list as its last entry.
void FrmMain::createCommandMenus()
{
    addWindowEntries(control<ui::Menu>(QStringLiteral("mnuView")), {{"mnugyslist", "供应商列表", "frmGYS"}});

    ui::Menu* mnuCallMan = menuBar_->addMenu(QStringLiteral("mnuCallMan"), QStringLiteral("来电管理[&C]"));
    mnuCallMan->addItem(QStringLiteral("mnuCallList"), QStringLiteral("来电记录"))->onClick = [this] {
        mnuCallList_Click();
    };

    ui::Menu* salesanaly = menuBar_->addMenu(QStringLiteral("salesanaly"), QStringLiteral("报表分析[&A]"));
    salesanaly->addItem(QStringLiteral("analyqs"), QStringLiteral("销售趋势分析"))->onClick = [this] {
        openAnalysis(QStringLiteral("AnalySalesQs"));
    };
    salesanaly->addItem(QStringLiteral("salesGc"), QStringLiteral("销售构成分析"))->onClick = [this] {
        openAnalysis(QStringLiteral("AnalySalesGc"));
    };
    addWindowEntries(salesanaly, {{"mnuddddfffff", "-", ""}, {"mnusalmx", "销售明细表", "repSalMx"}});
    addReportEntries(salesanaly->addSubmenu(QStringLiteral("mnusaltj"), QStringLiteral("销售统计表")),
                     {
                         {"mnuan", "按年统计", "0", "repsal"},
                         {"mnuam", "按月统计", "1", "repsal"},
                         {"mnuaday", "按日统计", "2", "repsal"},
                         {"mnuproduct", "按产品统计", "4", "repsal"},
                         {"mnuancust", "按客户统计", "5", "repsal"},
                     });
    salesanaly->addSeparator(QStringLiteral("mnuretwertw"));
    addReportEntries(salesanaly, {
                                     {"mnuKC", "当前库存报表", "6", "repKC"},
                                     {"mnuck", "出库统计表", "7", "repKC"},
                                     {"mnurktj", "入库统计表", "8", "repKC"},
                                     {"mnurkmx", "入库明细表", "9", "repKC"},
                                 });

    ui::Menu* mnusms = menuBar_->addMenu(QStringLiteral("mnusms"), QStringLiteral("手机短讯操作[&M]"));
    addWindowEntries(mnusms, {
                                 {"mnusendsms", "发送手机短讯", "SMSsend"},
                                 {"mnuiii", "-", ""},
                                 {"mnusmsCZ", "短讯帐户充值", "SMSCZ"},
                                 {"mnueditpas", "修改网关密码", "SMSeditpas"},
                                 {"mnusmsset", "短讯端口设置", "SMSSet"},
                             });

    ui::Menu* mnuHelponline = menuBar_->addMenu(QStringLiteral("mnuHelponline"), QStringLiteral(" 帮  助[&H]"));
    addWindowEntries(mnuHelponline, {{"mnuHelpContents", "关  于", "frmAbout"}});
    // The desktop opens the help file and the pages; nothing is reported when it cannot.
    mnuHelponline->addItem(QStringLiteral("mnuHelp"), QStringLiteral("在线帮助"))->onClick = [] {
        ui::openWithDesktop(ui::programPath(QStringLiteral("HvCRMSimple.CHM")));
    };
    mnuHelponline->addSeparator(QStringLiteral("mnuHelpBar0"));
    mnuHelponline->addItem(QStringLiteral("mnuHelpAbout"), QStringLiteral("公司主页"))->onClick = [] {
        ui::openWithDesktop(kHomePage);
    };
    mnuHelponline->addItem(QStringLiteral("mnuSupport"), QStringLiteral("技术支持"))->onClick = [] {
        ui::openWithDesktop(kSupportPage);
    };
}

// The two analyses need the report right; the other reports open without a test.
void FrmMain::openAnalysis(const QString& kind)
{
    if (!Mymode::hasRight(QStringLiteral("b_rept=1;"))) {
        ui::msgBox(QStringLiteral("您无权查看报表"), ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("资料"));
        return;
    }
    ui::Windows::open(kind);
}

// The call monitor is loaded unseen at start-up and stays loaded; this shows it.
void FrmMain::mnuCallList_Click()
{
    ui::Windows::open(QStringLiteral("GtMain"));
}

// Closing the main window closes every other window; then the program ends.
void FrmMain::mnuExit_Click()
{
    ui::Windows::unload(this);
    QCoreApplication::quit();
}

} // namespace mainwin
