#include "customers/sysalert.h"

#include "common/gridbinding.h"
#include "common/mymode.h"
#include "common/reminderlists.h"
#include "common/skin.h"
#include "customers/remindertimer.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

namespace customers {

namespace {

std::vector<ui::GridColumn> birthdayColumns()
{
    return {{QStringLiteral("id"), 0, QStringLiteral("id")}, {QStringLiteral("姓名"), 2500, QStringLiteral("Connect_name")}};
}

std::vector<ui::GridColumn> activityColumns()
{
    return {{QStringLiteral("id"), 0, QStringLiteral("id")}, {QStringLiteral("活动概述"), 2500, QStringLiteral("ActionTitle")}};
}

} // namespace

SysAlert::SysAlert() : ui::Form(QStringLiteral("sysalert"))
{
    setCaption(QStringLiteral("系统提醒"));
    setSizeTwips(6630, 4590);
    closeOnEscape();

    ui::Label* heading = addLabel(QStringLiteral("Label1"), QStringLiteral("系统提醒您"), 240, 720, 1800, 300);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(12);
    heading->setFont(font);
    QPalette palette = heading->palette();
    palette.setColor(QPalette::WindowText, ui::colorFromBgr(0x0000FF));
    heading->setPalette(palette);

    addCommandButton(QStringLiteral("command2"), QStringLiteral("我知道了,不再提醒"), 3000, 660, 2055, 375)->onClick =
        [this] { command2_Click(); };
    addCommandButton(QStringLiteral("command1"), QStringLiteral("关  闭"), 5160, 660, 1215, 375)->onClick =
        [this] { command1_Click(); };

    addLabel(QStringLiteral("Label2"), QStringLiteral("今日生日联系人"), 240, 1200, 2895, 255);
    addLabel(QStringLiteral("Label3"), QStringLiteral("活动提醒"), 3360, 1200, 2895, 255);
    ui::DataGrid* birthdays = addDataGrid(QStringLiteral("DataGrid1"), 240, 1500, 2895, 2295);
    ui::DataGrid* activities = addDataGrid(QStringLiteral("DataGrid2"), 3360, 1500, 3015, 2295);
    for (ui::DataGrid* grid : {birthdays, activities}) {
        grid->setAllowUpdate(false);
        grid->setToolTipText(QStringLiteral("双击直接修改"));
    }
    birthdays->onDblClick = [this] { DataGrid1_DblClick(); };
    activities->onDblClick = [this] { DataGrid2_DblClick(); };
}

// A list that cannot be read says why (one box) and leaves the window plainly
// empty: no list passes for "no reminders".
void SysAlert::Form_Load()
{
    const QDateTime now = db::locale::now();
    gridbinding::Options readOnly;
    readOnly.lock = db::LockType::ReadOnly;
    readOnly.unbindFirst = true;
    readOnly.reportFailure = true;
    if (gridbinding::bind(control<ui::DataGrid>(QStringLiteral("DataGrid1")),
                          reminderlists::birthdaysSql(Mymode::OperatorName, now.date()), birthdayColumns(), readOnly))
        gridbinding::bind(control<ui::DataGrid>(QStringLiteral("DataGrid2")),
                          reminderlists::dueActivitiesSql(Mymode::OperatorName, now), activityColumns(), readOnly);
}

void SysAlert::command1_Click()
{
    ui::Windows::unload(this);
}

// Stops the reminders until the next start or the next save of the settings
// with reminders on; no reminder flag and no setting is written.
void SysAlert::command2_Click()
{
    if (ui::Timer* timer = reminderTimer()) timer->setEnabled(false);
    ui::Windows::unload(this);
}

void SysAlert::DataGrid1_DblClick()
{
    openRow(QStringLiteral("DataGrid1"), QStringLiteral("frmContectDet"));
}

void SysAlert::DataGrid2_DblClick()
{
    openRow(QStringLiteral("DataGrid2"), QStringLiteral("ActionDetal"));
}

void SysAlert::Form_Paint()
{
    skin::paint(this);
}

// CurrentRecordId becomes 0, then the row's id; a row opens its editor, which
// shows the record CurrentRecordId. The reminder window stays open.
void SysAlert::openRow(const QString& gridName, const QString& editorWindow)
{
    Mymode::CurrentRecordId = 0;
    const QString key = control<ui::DataGrid>(gridName)->currentKey().toText();
    bool isId = false;
    const std::int32_t id = key.toInt(&isId);
    if (!isId || id == 0) return;
    Mymode::CurrentRecordId = id;
    if (ui::Windows::isDefined(editorWindow)) ui::Windows::open(editorWindow);
}

} // namespace customers
