// The call monitor's window: its controls, starting the box when it loads and
// closing it when it unloads, and hiding.
#include "callerid/gtmain.h"

#include "callerid/numberarea.h"
#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/looks.h"
#include "platform/ui/picturebox.h"
#include "platform/ui/windows.h"

#include <QPointer>
#include <QScopeGuard>

namespace callerid {

namespace {

const char* const kLabel1Captions[] = {"月", "日", "当天来电", "来电记录:", "来电线路:", "当天总共来电:"};

struct ListColumn {
    const char* caption;
    double width;
};
const ListColumn kCallColumns[] = {{"序号", 400},   {"来电号码", 1200}, {"来电时间", 1500}, {"相关客户", 1500},
                                   {"联系人", 800}, {"来电内容", 1500}, {"经手人", 700}};
const ListColumn kRecordingColumn = {"录音文件", 1000};

const char* const kGridHeaders[] = {"Chno", "Type", "Status", "cid time", "caller id", "   DTMF   "};
const double kGridWidths[] = {800, 960, 1600, 1600, 1600, 1600};

QString typeText(std::int16_t type)
{
    switch (type) {
    case 1: return QStringLiteral("User");
    case 2: return QStringLiteral("Thrunk");
    case 3: return QStringLiteral("Record");
    case 4: return QStringLiteral("Mix");
    default: return QStringLiteral("Unknown");
    }
}

} // namespace

GtMain::GtMain() : ui::Form(QStringLiteral("GtMain")), store_(database::localDataFolder() + QStringLiteral("/waitingcalls.hvd"))
{
    setCaption(QStringLiteral("客户管理系统"));
    // No border and no title bar: the operator hides it with command1; it
    // unloads only with the main window.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setSizeTwips(9840, 6660);
    addControls();
}

void GtMain::addControls()
{
    // The date pictures: year, month before "月" and day before "日" on digit
    // displays. The year's picture is wide enough for four digits and takes
    // the place of Picture3; Picture3 and Picture6 hold nothing and are not shown.
    yearDisplay.NewLCD(ui::addPictureBox(this, QStringLiteral("Picture1"), 120, 120, 1260, 420));
    ui::addPictureBox(this, QStringLiteral("Picture3"), 1080, 120, 300, 420)->setVisible(false);
    monthDisplay.NewLCD(ui::addPictureBox(this, QStringLiteral("Picture4"), 1440, 120, 480, 420));
    dayDisplay.NewLCD(ui::addPictureBox(this, QStringLiteral("Picture5"), 2220, 120, 480, 420));
    ui::addPictureBox(this, QStringLiteral("Picture6"), 3000, 120, 300, 420)->setVisible(false);
    const double label1Places[][2] = {{1980, 180}, {2760, 180}, {3480, 180}, {120, 660}, {120, 4380}, {3480, 180}};
    for (int i = 0; i < 6; ++i)
        Label1[i] = addLabel(QStringLiteral("Label1(%1)").arg(i), QString::fromUtf8(kLabel1Captions[i]),
                             label1Places[i][0], label1Places[i][1], i == 5 ? 1440 : 1080, 300);
    Label1[5]->setVisible(false);
    ldian = addTextBox(QStringLiteral("ldian"), 4980, 150, 600, 330);
    ldian->setText(QStringLiteral("00"));
    ldian->setReadOnly(true);
    hvDay = addTextBox(QStringLiteral("hvDay"), 0, 0, 0, 0);
    hvDay->setVisible(false);

    // The picture commands of the top row.
    struct PictureCommand {
        const char* name;
        const char* picture;
        double left;
        const char* tip;
        void (GtMain::*handler)();
    };
    const PictureCommand commands[] = {
        {"image14", "bmp/back.bmp", 6000, "前一天", &GtMain::image14_Click},
        {"image12", "bmp/clock.bmp", 6480, "今天", &GtMain::image12_Click},
        {"image16", "bmp/next.bmp", 6960, "后一天", &GtMain::image16_Click},
        {"command2", "bmp/excel.bmp", 7680, "导出到Excel", &GtMain::command2_Click},
        {"command1", "bmp/close.bmp", 9240, "关闭", &GtMain::command1_Click},
    };
    for (const PictureCommand& command : commands) {
        ui::PictureButton* button = addPictureButton(QString::fromLatin1(command.name), QString::fromLatin1(command.picture),
                                                     command.left, 120, 420, 420);
        button->setToolTip(QString::fromUtf8(command.tip));
        button->onClick = [this, handler = command.handler] { (this->*handler)(); };
    }

    // Why the day's list could not be read, beside its caption; the calls
    // waiting to be logged, beside the lines' caption. Both hidden until needed.
    ListStateLabel = addLabel(QStringLiteral("ListStateLabel"), QString(), 1200, 660, 8520, 255);
    ui::setForeColor(ListStateLabel, 0x0000FF);
    ListStateLabel->setVisible(false);
    WaitingLabel = addLabel(QStringLiteral("WaitingLabel"), QString(), 1200, 4380, 8520, 255);
    ui::setForeColor(WaitingLabel, 0x0000FF);
    WaitingLabel->setVisible(false);

    ListView3 = ui::addListView(this, QStringLiteral("ListView3"), 120, 960, 9600, 3300);
    ListView3->onColumnClick = [this](int column) { ListView3_ColumnClick(column); };
    ListView3->onItemClick = [this](int row) { ListView3_ItemClick(row); };
    ListView3->onDblClick = [this] { ListView3_DblClick(); };
    StatusGridV = ui::addFlexGrid(this, QStringLiteral("StatusGridV"), 120, 4680, 9600, 1860);

    PollTimer = addTimer(QStringLiteral("PollTimer"), kPollMs, false);
    PollTimer->onTimer = [this] { PollBoxEvents(); };
    RetryTimer = addTimer(QStringLiteral("RetryTimer"), kRetryMs, false);
    RetryTimer->onTimer = [this] { RetryTimer_Timer(); };
    connect(&writer_, &CallLogWriter::wrote, this, [this] { writer_wrote(); }, Qt::QueuedConnection);
    reader_.onOptions = [this](const std::optional<MonitorReader::Options>& options) {
        useOptions(options, false);
        prepareNextCard();
    };
    reader_.onCaller = [this](const MonitorReader::Caller& caller) {
        // However the answer's showing ends, a pop-up that failed included.
        const auto wakeWriter = qScopeGuard([this] { wakeWriterWhenFree(); });
        callerAnswered(caller);
    };
    reader_.onDay = [this](const MonitorReader::Day& day) { dayAnswered(day); };
}

void GtMain::Form_Load()
{
    // 1. The call list's columns; the recordings column only with the call-log right.
    for (const ListColumn& column : kCallColumns) ListView3->addColumn(QString::fromUtf8(column.caption), column.width);
    if (Mymode::UserRights.contains(QLatin1String("b_work=1;")))
        ListView3->addColumn(QString::fromUtf8(kRecordingColumn.caption), kRecordingColumn.width);
    ListView3->setFullRowSelect(true);
    ListView3->setGridLines(true);

    // 2. The channel grid: one row of headers.
    StatusGridV->setCols(kGridColumns);
    StatusGridV->setRows(1);
    for (int c = 0; c < kGridColumns; ++c) {
        StatusGridV->setTextArray(c, QString::fromLatin1(kGridHeaders[c]));
        StatusGridV->setColWidth(c, kGridWidths[c]);
    }

    // 3.-4. The box and its channels.
    startBox();

    // What an earlier run left waiting is written from now on, as every call.
    startWriter();

    // The caller-ID options, read as soon as the file answers (another
    // workstation may hold it now), and again with every caller.
    reader_.start();
    reader_.readOptions(Mymode::ConnectString);

    // 5. The pump.
    PollBusy = 0;
    PollTimer->setEnabled(true);

    // 6. Today's calls.
    image12_Click();

    // The date of the start on the digit displays.
    const QDate today = db::locale::now().date();
    yearDisplay.setCaption(today.toString(QStringLiteral("yyyy")));
    monthDisplay.setCaption(today.toString(QStringLiteral("MM")));
    dayDisplay.setCaption(today.toString(QStringLiteral("dd")));
}

void GtMain::startBox()
{
    ChCount = 0;
    if (GX_InitializeSystem() != 0) return;   // no box: no channels, no events
    ChCount = std::clamp<int>(GX_GetTotalChannelCount(), 0, kMaxChannels);
    for (int c = 0; c < ChCount; ++c) {
        const auto channel = static_cast<std::int16_t>(c);
        StatusGridV->setRows(c + 2);
        StatusGridV->setTextArray((c + 1) * kGridColumns, QString::number(c));
        ChType[c] = GX_GetChannelType(channel);
        ChState[c] = 1;
        ChCallIn[c] = 0;
        StatusGridV->setTextArray((c + 1) * kGridColumns + 1, typeText(ChType[c]));
        StatusGridV->setTextArray((c + 1) * kGridColumns + 2, QStringLiteral("Idle"));
        if (ChType[c] != 0) {
            GX_OpenChannel(channel);
            GX_StartDetectDTMF(channel, 0);
            GX_StartDetectCallerID(channel);
        }
    }
}

void GtMain::Form_Unload()
{
    unloadOtherWindows();
    saveRectangle();
    // The pump stops before the box closes, so no tick reads a closed box.
    PollTimer->setEnabled(false);
    RetryTimer->setEnabled(false);
    closeBox();
    reader_.stop();
    // What still waits stays in the store for the next start.
    writer_.stop();
    store_.close();
}

// From the most recently loaded window down to the second loaded one; the
// first (the main window) and the monitor itself stay.
void GtMain::unloadOtherWindows()
{
    const std::vector<ui::Form*> all = ui::Windows::all();
    std::vector<QPointer<ui::Form>> others;
    for (size_t i = 1; i < all.size(); ++i)
        if (all[i] != this) others.emplace_back(all[i]);
    for (auto newest = others.rbegin(); newest != others.rend(); ++newest)
        if (*newest) database::guarded([&newest] { ui::Windows::unload(newest->data()); });
}

void GtMain::saveRectangle()
{
    if (isMinimizedWindow()) return;
    const QRect outer = frameGeometry();
    const std::pair<const char*, int> values[] = {
        {"MainLeft", outer.left()}, {"MainTop", outer.top()}, {"MainWidth", outer.width()}, {"MainHeight", outer.height()}};
    for (const auto& [key, pixels] : values)
        ui::saveSetting(QStringLiteral("Settings"), QString::fromLatin1(key), QString::number(ui::pixelsToTwips(pixels)));
}

// Every close step runs, whatever the one before returned.
void GtMain::closeBox()
{
    for (int c = 0; c < ChCount; ++c) {
        GX_StopFaxOperate(static_cast<std::int16_t>(c));
        GX_CloseFaxChannel(static_cast<std::int16_t>(c));
    }
    GX_CloseFaxFunction();
    GX_CloseSystem();
}

void GtMain::command1_Click()
{
    hide();
}

void GtMain::clearOpenitem()
{
    Openitem_.clear();
    OpenitemId_ = 0;
}

QString GtMain::AreaOfNumber(QString& number)
{
    return numberarea::AreaOfNumber(number);
}

} // namespace callerid
