// The menu bar, the picture toolbar, their disabling by rights, the report
// choice handed to the report windows, the help entries and the about window.
#include "mainwin_fixture.h"

#include "tests/support/desktopprobe.h"

#include <QFile>
#include <QMenuBar>

namespace {

class MenusAndToolbar : public MainWindowTest {
protected:
    static bool isLoaded(const char* kind) { return ui::Windows::loaded(QString::fromLatin1(kind)) != nullptr; }
    static bool isShown(const char* kind)
    {
        const ui::Form* window = ui::Windows::loaded(QString::fromLatin1(kind));
        return window && window->isVisible();
    }
    // The call monitor stays loaded for the whole run and logs no unloading.
    static void defineCallMonitor()
    {
        if (!ui::Windows::isDefined(QStringLiteral("GtMain")))
            ui::Windows::define(QStringLiteral("GtMain"), [] { return std::make_unique<ui::Form>(QStringLiteral("GtMain")); });
    }
    static QString withoutRight(const char* right)
    {
        return allRights().replace(QString::fromLatin1(right) + QStringLiteral("=1;"),
                                   QString::fromLatin1(right) + QStringLiteral("=0;"));
    }
};

} // namespace

TEST_F(MenusAndToolbar, MenuBarHoldsTheEightMenusInOrder)
{
    openMain();
    QStringList titles;
    for (QAction* menu : main_->findChild<QMenuBar*>()->actions()) titles << menu->text();
    EXPECT_EQ(titles, (QStringList{" 文 件[&F] ", "系统设置[&S]", " 新 建[&N]", "  视  图[&V]", "来电管理[&C]",
                                   "报表分析[&A]", "手机短讯操作[&M]", " 帮  助[&H]"}));

    EXPECT_EQ(ctl<ui::MenuItem>("mnuAddCust")->shortcut().toString(), QStringLiteral("Ctrl+K"));
    EXPECT_EQ(ctl<ui::MenuItem>("mnuServiceList")->shortcut().toString(), QStringLiteral("Ctrl+S"));
}

// The administrator flag guards the reference lists, the operators, the
// export and the printouts; the report right guards the two analyses.
TEST_F(MenusAndToolbar, MissingRightsGreyTheirEntries)
{
    const struct {
        const char* right;
        QStringList disabled;
        QStringList enabled;
    } cases[] = {
        {"per", {"mnuFileOpen", "mnuFileFind", "mnuindustry", "mnuActionType", "mnuFileSendTo", "mnuMoneyType", "mnuFileNew",
                 "mnuFileDelete", "frmuser", "mnuExporttoexcel", "prtList", "mnuMailPrint"},
         {"mnuFileRename", "mnuTX", "mnuWorkmodel", "mnudjtd", "mnuother", "mnuinpordata", "mnueqwr345", "analyqs"}},
        {"b_rept", {"analyqs", "salesGc"}, {"mnusalmx", "mnuan", "mnuKC", "mnuExporttoexcel"}},
    };
    for (const auto& c : cases) {
        loginAs(QStringLiteral("system"), withoutRight(c.right));
        openMain();
        for (const QString& name : c.disabled) EXPECT_FALSE(main_->control<ui::MenuItem>(name)->isEnabled()) << c.right << name.toStdString();
        for (const QString& name : c.enabled) EXPECT_TRUE(main_->control<ui::MenuItem>(name)->isEnabled()) << c.right << name.toStdString();
        ui::Windows::unloadAll();
    }
}

// Most entries open one window by its name.
TEST_F(MenusAndToolbar, EntriesOpenTheirWindows)
{
    const struct {
        const char* entry;
        const char* window;
    } cases[] = {
        {"mnuinpordata", "inpordat"},     {"mnueqwr345", "changePwd"},       {"mnuFileOpen", "setclient_type"},
        {"mnuFileFind", "setclientsource"}, {"mnuindustry", "setindustry"},  {"mnuActionType", "setregarding"},
        {"mnuFileSendTo", "setprogramstate"}, {"mnuMoneyType", "SetMoneyType"}, {"mnuFileNew", "setinvoice"},
        {"mnuFileDelete", "SetServiceType"}, {"mnuFileRename", "productmgr"}, {"mnuTX", "systx"},
        {"mnuWorkmodel", "frmNetSet"},    {"frmuser", "frmUserManage"},       {"mnudjtd", "CompanySet"},
        {"mnuother", "sysOther"},         {"mnugyslist", "frmGYS"},           {"mnuCallList", "GtMain"},
        {"analyqs", "AnalySalesQs"},      {"salesGc", "AnalySalesGc"},        {"mnusalmx", "repSalMx"},
        {"mnusendsms", "SMSsend"},        {"mnusmsCZ", "SMSCZ"},              {"mnueditpas", "SMSeditpas"},
        {"mnusmsset", "SMSSet"},          {"mnuHelpContents", "frmAbout"},
    };
    defineCallMonitor();
    for (const auto& c : cases) ensureWindow(QString::fromLatin1(c.window));
    openMain();
    for (const auto& c : cases) {
        choose(c.entry);
        EXPECT_TRUE(isShown(c.window)) << c.entry;
    }
    EXPECT_TRUE(messages.shown().empty());
}

// A report entry hands its report over; a report window already open only
// comes to the front with what it shows.
TEST_F(MenusAndToolbar, ReportEntriesChooseTheReport)
{
    ensureWindow(QStringLiteral("repsal"));
    ensureWindow(QStringLiteral("repKC"));
    const struct {
        const char* entry;
        const char* selector;
        const char* window;
    } cases[] = {
        {"mnuan", "0", "repsal"}, {"mnuam", "1", "repsal"}, {"mnuaday", "2", "repsal"}, {"mnuproduct", "4", "repsal"},
        {"mnuancust", "5", "repsal"}, {"mnuKC", "6", "repKC"}, {"mnuck", "7", "repKC"}, {"mnurktj", "8", "repKC"},
        {"mnurkmx", "9", "repKC"},
    };
    openMain();
    for (const auto& c : cases) {
        ui::Form* open = ui::Windows::loaded(QString::fromLatin1(c.window));
        choose(c.entry);
        EXPECT_EQ(Mymode::ReportSelector, QString::fromLatin1(c.selector)) << c.entry;
        ui::Form* shown = ui::Windows::loaded(QString::fromLatin1(c.window));
        ASSERT_NE(shown, nullptr) << c.entry;
        if (open) EXPECT_EQ(shown, open) << c.entry;
    }
}

// The toolbar pictures and their caption labels run the same commands.
TEST_F(MenusAndToolbar, ToolbarPicturesAndCaptionsRunTheirCommands)
{
    defineCallMonitor();
    ensureWindow(QStringLiteral("SalesAdd"));
    ensureWindow(QStringLiteral("frmCustAdd"));
    openMain();
    for (const char* control : {"Image13", "Label3"}) {
        ui::Windows::unloadAll();
        openMain();
        if (QString::fromLatin1(control).startsWith(QLatin1String("Image")))
            ctl<ui::PictureButton>(control)->click();
        else
            clickWithMouse(ctl<ui::Label>(control));
        EXPECT_TRUE(isShown("GtMain")) << control;
    }
    choose("mnuSalesList");
    clickWithMouse(ctl<ui::Label>("Label8"));
    EXPECT_TRUE(isLoaded("SalesAdd"));
    clickWithMouse(ctl<ui::Label>("Label10"));
    EXPECT_EQ(viewKey(), QStringLiteral("CustList"));
    ctl<ui::PictureButton>("Image6")->click();   // the work-mode icon adds too
    EXPECT_TRUE(isLoaded("frmCustAdd"));
}

TEST_F(MenusAndToolbar, HelpFileAndMakersPagesOpenOnTheDesktop)
{
    DesktopProbe desktop;
    QFile help(path(QStringLiteral("HvCRMSimple.CHM")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    openMain();
    choose("mnuHelp");
    choose("mnuHelpAbout");
    choose("mnuSupport");
    clickWithMouse(ctl<ui::Label>("Label5"));
    ASSERT_EQ(desktop.opened().size(), 4);
    EXPECT_TRUE(desktop.opened()[0].endsWith(QStringLiteral("/HvCRMSimple.CHM")));
    EXPECT_EQ(desktop.opened()[1], desktop.opened()[3]);   // the home page
    EXPECT_NE(desktop.opened()[1], desktop.opened()[2]);
    EXPECT_TRUE(desktop.opened()[2].startsWith(QStringLiteral("http")));
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MenusAndToolbar, ExitClosesEveryWindow)
{
    ensureWindow(QStringLiteral("productmgr"));
    openMain();
    choose("mnuFileRename");
    ASSERT_NE(ui::Windows::loaded(QStringLiteral("productmgr")), nullptr);
    choose("mnuExit");
    EXPECT_TRUE(ui::Windows::all().empty());
}

// The about window opens once, and its links leave it open.
TEST_F(MenusAndToolbar, AboutWindowShowsTheProductAndItsLinks)
{
    DesktopProbe desktop;
    openMain();
    choose("mnuHelpContents");
    ui::Form* about = ui::Windows::loaded(QStringLiteral("frmAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->caption(), QStringLiteral("关于...."));
    EXPECT_EQ(about->control<ui::Label>(QStringLiteral("lblTitle"))->caption(), QStringLiteral("Halvex来电显示客户管理系统"));
    EXPECT_EQ(about->control<ui::Label>(QStringLiteral("lblVersion"))->caption(), QStringLiteral("版本：7.0"));
    clickWithMouse(about->control<ui::Label>(QStringLiteral("Label1")));
    clickWithMouse(about->control<ui::Label>(QStringLiteral("Label5")));
    EXPECT_EQ(desktop.opened().size(), 2);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmAbout")), about);
    choose("mnuHelpContents");
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmAbout")), about);
}
