#include "mainwin/frmmain.h"

#include "common/database.h"
#include "common/mymode.h"
#include "mainwin/maker.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/looks.h"
#include "platform/ui/windows.h"

#include <QImage>
#include <QPointer>
#include <algorithm>

namespace mainwin {
namespace {

const QString kCaption = QStringLiteral("Halvex客户管理软件_HvCRM单机版");
constexpr double kDesignWidth = 11295;
constexpr double kDesignHeight = 7515;
constexpr quint32 kBackColor = 0xF8F4DC;
// The toolbar band's height comes from an empty picture holder of this height.
constexpr double kToolbarHolderHeight = 660;
constexpr double kTreeTop = 1320;
// The settings row the start-up could not read is read again this often, each
// time waiting at most the brief wait for another workstation's hold.
constexpr int kSettingsRetryMs = 3000;
constexpr int kSettingsRetryWaitMs = 200;

// Control geometry in twips, of widgets and labels alike.
template <class Control>
double leftOf(const Control* control) { return ui::pixelsToTwips(control->x()); }
template <class Control>
double topOf(const Control* control) { return ui::pixelsToTwips(control->y()); }
template <class Control>
double widthOf(const Control* control) { return ui::pixelsToTwips(control->width()); }
template <class Control>
double heightOf(const Control* control) { return ui::pixelsToTwips(control->height()); }

template <class Control>
void moveTo(Control* control, double left, double top)
{
    ui::placeTwips(control, left, top, widthOf(control), heightOf(control));
}

double pictureHeight(const QImage& picture)
{
    return ui::pixelsToTwips(picture.height());
}

// A picture file of the program's bmp folder.
QString picturePath(const char* file)
{
    return ui::programPath(QStringLiteral("bmp/") + QString::fromLatin1(file));
}

QImage picture(const char* file)
{
    return QImage(picturePath(file));
}

} // namespace

FrmMain::FrmMain() : ui::Form(QStringLiteral("frmMain"))
{
    setCaption(kCaption);
    menuBar_ = new ui::MenuBar(this);
    setSizeTwips(kDesignWidth, kDesignHeight + menuBar_->heightTwips());
    createMenus();
    createTopBand();
    createTree();
    createMainArea();
    createStatusStrip();
    createHiddenControls();
    connectToolbar();
}

// ---- controls ------------------------------------------------------------

void FrmMain::createTopBand()
{
    QWidget* area = menuBar_->clientArea();
    struct ToolbarEntry {
        const char* picture;
        const char* pictureFile;
        double left, width, height;
        const char* label;
        const char* caption;
        double labelLeft, labelWidth;
    };
    const ToolbarEntry toolbar[] = {
        {"Image5", "tbadd.bmp", 480, 435, 435, "Label8", "新增操作", 240, 735},
        {"image16", "tbdelete.bmp", 1560, 360, 360, "Label9", "删除操作", 1440, 735},
        {"image14", "tbcustlist.bmp", 2520, 360, 360, "Label10", "客户列表", 2400, 735},
        {"Image17", "tblabels.bmp", 3600, 360, 360, "Label11", "打印信封标签", 3360, 1095},
        {"Image15", "tbprint.bmp", 4800, 360, 330, "Label12", "列表打印", 4680, 735},
        {"Image7", "tbexcel.bmp", 5880, 360, 360, "Label13", "导出到Excel", 5640, 1215},
        {"Image13", "tbcalls.bmp", 6960, 360, 360, "Label3", "来电记录", 6840, 735},
    };
    for (const ToolbarEntry& entry : toolbar) {
        // A toolbar picture is named by the caption under it.
        addPictureButton(QString::fromLatin1(entry.picture), picturePath(entry.pictureFile), entry.left, 120,
                         entry.width, entry.height, area)
            ->setToolTip(QString::fromUtf8(entry.caption));
        addLabel(QString::fromLatin1(entry.label), QString::fromUtf8(entry.caption), entry.labelLeft, 600,
                 entry.labelWidth, 255, area);
    }

    // The caller display, written by the call monitor.
    auto* RecTel = addLabel(QStringLiteral("RecTel"), QString(), 7800, 120, 1335, 615, area);
    ui::setFontOf(RecTel, QStringLiteral("黑体"), 26.25, true);
    ui::setForeColor(RecTel, 0x00C000);
    auto* Label15 = addLabel(QStringLiteral("Label15"), QStringLiteral("来电时间："), 9135, 120, 4000, 375, area);
    ui::setForeColor(Label15, 0x008000);
    auto* Label14 = addLabel(QStringLiteral("Label14"), QString(), 9135, 480, 4000, 375, area);
    ui::setForeColor(Label14, 0x008000);

    addPictureButton(QStringLiteral("Image11"), QString(), 480, 960, 375, 255, area);
    addLabel(QStringLiteral("Label6"), QString(), 840, 960, 1815, 375, area);

    addPictureButton(QStringLiteral("cmAdd"), picturePath("add.bmp"), 3240, 945, 735, 330, area);
    addPictureButton(QStringLiteral("cmDelete"), picturePath("delete.bmp"), 4080, 945, 735, 330, area);

    // Quick search.
    addLabel(QStringLiteral("Label1"), QStringLiteral("快速查询："), 5160, 1005, 975, 255, area);
    ComboSearch = addComboBox(QStringLiteral("ComboSearch"), ui::ComboBox::Editable, 6120, 960, 1335, 300, area);
    fillSearchCaptions({QStringLiteral("客户名称"), QStringLiteral("客户地址"), QStringLiteral("联系人"),
                        QStringLiteral("职务"), QStringLiteral("电话"), QStringLiteral("传真"),
                        QStringLiteral("手机"), QStringLiteral("地区"), QStringLiteral("客户描述"),
                        QStringLiteral("Email"), QStringLiteral("http"), QStringLiteral("创建时间"),
                        QStringLiteral("客户分类"), QStringLiteral("客户行业"), QStringLiteral("客户状态"),
                        QStringLiteral("客户来源"), QStringLiteral("开户银行"), QStringLiteral("银行帐号")});
    Combo2 = addComboBox(QStringLiteral("Combo2"), ui::ComboBox::Editable, 7560, 960, 735, 300, area);
    for (const char* op : {"包含", "不包含", "等于", "不等于", "从...开始", "以...结束"})
        Combo2->addItem(QString::fromUtf8(op));
    Combo2->setListIndex(-1);
    text1 = addTextBox(QStringLiteral("text1"), 8400, 960, 975, 285, area);
    text1->onKeyPress = [this](int& KeyAscii) { text1_KeyPress(KeyAscii); };
    command2 = addPictureButton(QStringLiteral("command2"), picturePath("search.bmp"), 9480, 960, 660, 300, area);
    command2->onClick = [this] { command2_Click(); };

    // The phone-line state beside the search row; the layout places both.
    addPictureButton(QStringLiteral("image12"), QString(), 11480, 960, 255, 255, area);
    addLabel(QStringLiteral("Label7"), QString(), 11780, 960, 2775, 255, area);
}

void FrmMain::createMainArea()
{
    QWidget* area = menuBar_->clientArea();
    imgSplitter = addPictureButton(QStringLiteral("imgSplitter"), QString(), 2400, kTreeTop, 90, 4800, area);
    ui::setSizingPointer(imgSplitter);
    imgSplitter->onMouseDown = [this](int, int, double, double) { imgSplitter_MouseDown(); };
    imgSplitter->onMouseMove = [this](int, int, double X, double) { imgSplitter_MouseMove(X); };
    imgSplitter->onMouseUp = [this](int, int, double, double) { imgSplitter_MouseUp(); };

    picSplitter = ui::addPictureBox(area, QStringLiteral("picSplitter"), 2280, 1200, 72, 4800);
    picSplitter->setBackColor(0x808080);
    picSplitter->setVisible(false);

    DataGrid1 = addDataGrid(QStringLiteral("DataGrid1"), 2440, kTreeTop, 8715, 4800, area);
    DataGrid1->setAllowUpdate(false);
    DataGrid1->setToolTipText(QStringLiteral("双击打开记录详细信息"));
    DataGrid1->onDblClick = [this] { DataGrid1_DblClick(); };
    DataGrid1->onHeadClick = [this](int ColIndex) { DataGrid1_HeadClick(ColIndex); };
    DataGrid1->onMouseDown = [this](int Button, int, double, double) { DataGrid1PopupAddNew(Button); };
}

void FrmMain::createStatusStrip()
{
    QWidget* area = menuBar_->clientArea();
    const double bottom = kDesignHeight;
    // The icons show at their own size, so none reaches over the text beside it.
    const auto statusIcon = [&](const QString& name, double left, double width) {
        addPictureButton(name, QString(), left, bottom - 250, width, 255, area)->setStretch(false);
    };
    statusIcon(QStringLiteral("Image8"), 300, 495);
    Label2 = addLabel(QStringLiteral("Label2"), QString(), 600, bottom - 220, 2055, 375, area);
    statusIcon(QStringLiteral("Image9"), 3500, 735);
    addLabel(QStringLiteral("Label4"), QString(), 3830, bottom - 220, 2295, 375, area);
    statusIcon(QStringLiteral("Image10"), 7200, 495);
    // Wide enough for the whole support address, up to the work-mode icon.
    auto* Label5 = addLabel(QStringLiteral("Label5"), QString(), 7500, bottom - 220, 3915, 255, area);
    ui::setForeColor(Label5, 0xFF0000);
    statusIcon(QStringLiteral("Image6"), 11500, 255);
    addLabel(QStringLiteral("Label16"), QString(), 11800, bottom - 220, 2175, 255, area);
}

void FrmMain::createHiddenControls()
{
    SelectFun = addTextBox(QStringLiteral("SelectFun"), 0, 0, 1000, 285, menuBar_->clientArea());
    SelectFun->setText(QStringLiteral("CustList"));
    SelectFun->setVisible(false);
    // Enabled, but silent until the start-up gives it an interval.
    Timer1 = addTimer(QStringLiteral("Timer1"), 0, true);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    // Reads the settings row again while the start-up could not.
    SettingsTimer = addTimer(QStringLiteral("SettingsTimer"), kSettingsRetryMs, false);
    SettingsTimer->onTimer = [this] {
        const db::busywait::Limit brief(kSettingsRetryWaitMs);
        readSettingsRow();
    };
}

// ---- start-up --------------------------------------------------------------

void FrmMain::Form_Load()
{
    ui::setMaximized(this);
    buildTree();
    // The customer list of the operator's record scope; the view key keeps
    // "CustList" and the search box its first captions.
    const QString firstList = listQuery(View::Customers);
    DataGridFresh(firstList);
    Mymode::CustListSql = firstList;
    readSettingsRow();
    disableWithheldCommands();
    // The call monitor loads unseen; from then on it writes the caller display.
    database::guarded([] { ui::Windows::get(QStringLiteral("GtMain")); });
    writeStatusTexts();
}

// The SMS sender and the reminder timer follow the settings row. A row that
// cannot be read now (another workstation holds the file) is read again every
// few seconds, waiting only briefly, until the file answers: neither stays
// off for the run. Until then the timer is silent. A timer the reminder
// settings armed meanwhile keeps what they gave it.
void FrmMain::readSettingsRow()
{
    bool startSms = false;
    db::Variant reminders;
    const bool read = database::guarded([&] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        startSms = settings->field(QStringLiteral("StarSMS")).toText() == QLatin1String("1");
        reminders = settings->field(QStringLiteral("Sys_alert"));
    });
    SettingsTimer->setEnabled(!read);
    if (!read) return;
    if (startSms) ui::startProgram(ui::programPath(QStringLiteral("Hvsms.exe")));   // a missing sender is not reported
    if (Timer1->interval() != 0) return;
    if (db::isNumeric(reminders) && reminders.toDouble() == 1) {
        Timer1->setInterval(60000);
        Timer1->setEnabled(true);
    } else {
        Timer1->setEnabled(false);
    }
}

void FrmMain::disableWithheldCommands()
{
    if (!Mymode::hasRight(QStringLiteral("per=1;")))
        disable({QStringLiteral("mnuFileOpen"), QStringLiteral("mnuFileFind"), QStringLiteral("mnuindustry"),
                 QStringLiteral("mnuActionType"), QStringLiteral("mnuFileSendTo"), QStringLiteral("mnuMoneyType"),
                 QStringLiteral("mnuFileNew"), QStringLiteral("mnuFileDelete"), QStringLiteral("frmuser"),
                 QStringLiteral("mnuExporttoexcel"), QStringLiteral("prtList"), QStringLiteral("mnuMailPrint"),
                 QStringLiteral("Image15"), QStringLiteral("Label12"), QStringLiteral("Image17"),
                 QStringLiteral("Label11"), QStringLiteral("Image7"), QStringLiteral("Label13")});
    // The delete button beside the search row stays: it tests the right itself.
    if (!Mymode::hasRight(QStringLiteral("d_cust=1;")))
        disable({QStringLiteral("image16"), QStringLiteral("Label9")});
    if (!Mymode::hasRight(QStringLiteral("b_rept=1;")))
        disable({QStringLiteral("analyqs"), QStringLiteral("salesGc")});
}

// Disables menu entries and controls by name.
void FrmMain::disable(const QStringList& names)
{
    for (const QString& name : names) {
        if (auto* entry = findChild<ui::MenuItem*>(name))
            entry->setEnabled(false);
        else if (auto* label = findChild<ui::Label*>(name))
            label->setEnabled(false);
        else if (auto* control = findChild<QWidget*>(name))
            control->setEnabled(false);
    }
}

void FrmMain::writeStatusTexts()
{
    control<ui::Label>(QStringLiteral("Label4"))
        ->setCaption(QStringLiteral("当前日期：") + db::locale::shortDate(db::locale::now().date()));
    control<ui::Label>(QStringLiteral("Label5"))->setCaption(QStringLiteral("技术支持：") + kSupportAddress);
    // A workstation and the server share one database; a standalone computer
    // does not. A settings row that cannot be read (the server's own file
    // busy at a workstation) names no mode rather than a wrong one.
    QString workMode;
    const bool read = database::guarded([&workMode] {
        auto connection = database::openLocal();
        db::Recordset settings;
        settings.open(QStringLiteral("select * from DriveInfo"), *connection, db::CursorType::Keyset);
        workMode = settings.field(QStringLiteral("WorkModel")).toText();
    });
    const bool shared = workMode == QLatin1String("1") || workMode == QLatin1String("2");
    control<ui::Label>(QStringLiteral("Label16"))
        ->setCaption(!read     ? QStringLiteral("工作模式：")
                     : shared ? QStringLiteral("工作模式：联机运行")
                              : QStringLiteral("工作模式：单机运行"));
    control<ui::Label>(QStringLiteral("Label7"))->setCaption(QStringLiteral("话机状态：空闲"));
}

// ---- paint -----------------------------------------------------------------

// The window's own skin: a pale background, the top banner under the toolbar
// band, the bottom banner above the status strip and the toolbar background.
// A missing picture leaves its place in the background colour.
void FrmMain::Form_Paint()
{
    fillBackground(kBackColor);
    const double client = menuBar_->heightTwips();
    const QImage top = picture("top.bmp");
    const QImage bottom = picture("bottom.bmp");
    const QImage toolbar = picture("toolbg.bmp");
    paintPicture(top, 0, client + 800, scaleWidth(), pictureHeight(top) + 200);
    paintPicture(bottom, 0, client + heightTwips() - pictureHeight(bottom) - 520, scaleWidth(), 660);
    paintPicture(toolbar, 0, client + 20, scaleWidth(), kToolbarHolderHeight + 130);
}

// ---- layout ----------------------------------------------------------------

double FrmMain::scaleWidth() const
{
    return menuBar_->clientWidthTwips();
}

double FrmMain::scaleHeight() const
{
    return menuBar_->clientHeightTwips();
}

// Every resize moves the splitter 300 twips to the right until the right-hand
// clamp of the layout holds it.
void FrmMain::Form_Resize()
{
    if (isMinimizedWindow()) return;
    if (widthTwips() < 3000) setSizeTwips(3000, heightTwips());
    double X = leftOf(imgSplitter) + 300;
    SizeControls(X);
}

void FrmMain::SizeControls(double& X)
{
    if (X < 1500) X = 2600;
    if (X > widthTwips() - 1500) X = widthTwips() - 1700;

    const double treeTop = topOf(tvTreeView);
    const double paneHeight = std::max(0.0, scaleHeight() - (topOf(picSplitter) + 400));
    ui::placeTwips(tvTreeView, leftOf(tvTreeView), treeTop, std::max(0.0, X), paneHeight);
    ui::placeTwips(imgSplitter, X, treeTop, widthOf(imgSplitter), paneHeight);
    ui::placeTwips(DataGrid1, X + 40, treeTop, std::max(0.0, scaleWidth() - (X + 140)), paneHeight);

    // The caller display: time and customer one above the other, right of the number.
    auto* RecTel = control<ui::Label>(QStringLiteral("RecTel"));
    ui::placeTwips(RecTel, leftOf(RecTel), topOf(RecTel), 4100, heightOf(RecTel));
    for (const char* name : {"Label15", "Label14"}) {
        auto* label = control<ui::Label>(QString::fromLatin1(name));
        ui::placeTwips(label, leftOf(RecTel) + widthOf(RecTel), topOf(label), 4000, heightOf(label));
    }

    control<ui::PictureButton>(QStringLiteral("Image11"))->setPicture(QStringLiteral("bmp/Security_2.ico"));
    control<ui::Label>(QStringLiteral("Label6"))->setCaption(QStringLiteral("操作员：") + Mymode::OperatorName);

    // The status strip along the bottom, each icon with its text to the right.
    const double iconTop = scaleHeight() - 250;
    const double textTop = scaleHeight() - 220;
    struct StatusEntry {
        const char* icon;
        const char* file;
        double left;
        const char* text;
        double textOffset;
    };
    const StatusEntry strip[] = {
        {"Image8", "bmp/IMSmallToolbarGroup.ico", 300, "Label2", 300},
        {"Image9", "bmp/clock.bmp", 3500, "Label4", 330},
        {"Image6", "bmp/workmode.ico", 11500, "Label16", 300},
        {"Image10", "bmp/IMSmallToolbarQRing2.ico", 7200, "Label5", 300},
    };
    for (const StatusEntry& entry : strip) {
        auto* icon = control<ui::PictureButton>(QString::fromLatin1(entry.icon));
        icon->setPicture(QString::fromLatin1(entry.file));
        moveTo(icon, entry.left, iconTop);
        moveTo(control<ui::Label>(QString::fromLatin1(entry.text)), entry.left + entry.textOffset, textTop);
    }

    auto* image12 = control<ui::PictureButton>(QStringLiteral("image12"));
    image12->setPicture(QStringLiteral("bmp/MsgManagerButton.ico"));
    moveTo(image12, leftOf(command2) + 2000, topOf(command2));
    moveTo(control<ui::Label>(QStringLiteral("Label7")), leftOf(image12) + 300, topOf(command2));
}

// ---- splitter ----------------------------------------------------------------
// While the splitter is dragged only a grey bar moves; tree and grid follow
// when the button is released.

void FrmMain::imgSplitter_MouseDown()
{
    ui::placeTwips(picSplitter, leftOf(imgSplitter), topOf(imgSplitter), static_cast<int>(widthOf(imgSplitter)) / 2,
                   heightOf(imgSplitter) - 20);
    picSplitter->setVisible(true);
    picSplitter->raise();
    SplitterDragging = true;
}

void FrmMain::imgSplitter_MouseMove(double X)
{
    if (!SplitterDragging) return;
    const double position = leftOf(imgSplitter) + X;
    if (position < 500)
        moveTo(picSplitter, 500, topOf(picSplitter));
    else if (position > widthTwips() - 500)
        moveTo(picSplitter, widthTwips() - 500, topOf(picSplitter));
    else
        moveTo(picSplitter, position, topOf(picSplitter));
}

void FrmMain::imgSplitter_MouseUp()
{
    double X = leftOf(picSplitter);
    SizeControls(X);
    picSplitter->setVisible(false);
    SplitterDragging = false;
}

// ---- shutdown ----------------------------------------------------------------

// Closes every other window, the most recently loaded first (the call monitor,
// loaded during the start-up, closes last), then keeps the window's rectangle
// unless the window is minimised.
void FrmMain::Form_Unload()
{
    std::vector<QPointer<ui::Form>> others;
    for (ui::Form* window : ui::Windows::all())
        if (window != this) others.emplace_back(window);
    for (auto newest = others.rbegin(); newest != others.rend(); ++newest)
        if (*newest) database::guarded([&newest] { ui::Windows::unload(newest->data()); });

    if (isMinimizedWindow()) return;
    const QRect outer = frameGeometry();
    const auto save = [](const char* key, int pixels) {
        ui::saveSetting(QStringLiteral("Settings"), QString::fromLatin1(key),
                        QString::number(static_cast<float>(ui::pixelsToTwips(pixels))));
    };
    save("MainLeft", outer.left());
    save("MainTop", outer.top());
    save("MainWidth", outer.width());
    save("MainHeight", outer.height());
}

} // namespace mainwin
