#include "customers/systx.h"

#include "common/database.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "customers/customerrecord.h"
#include "customers/remindertimer.h"
#include "platform/db/numbertext.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

#include <limits>

namespace customers {

namespace {

const char* const kNoNumberText = "提醒时间间隔不是一个数值";
const char* const kTooShortText = "提醒时间间隔必须大于0，且不能短于1秒（0.0167分钟）";
const char* const kSavedText = "设置已生效";
const char* const kNotSavedText = "设置保存失败，提醒设置没有改变";

} // namespace

SysTx::SysTx() : ui::Form(QStringLiteral("systx"))
{
    setCaption(QStringLiteral("系统提醒设置"));
    setSizeTwips(3750, 2640);

    addCheckBox(QStringLiteral("Sys_alert"), QStringLiteral("系统提醒"), 480, 840, 1335, 285);
    addTextBox(QStringLiteral("alertpl"), 480, 1260, 735, 285);
    addLabel(QStringLiteral("Label1"), QStringLiteral("分钟提醒一次"), 1320, 1290, 1335, 255);

    auto button = [this](const char* name, const char* picture, const char* caption, double left) {
        ui::PictureButton* b = addPictureButton(QString::fromLatin1(name), ui::programPath(QString::fromLatin1(picture)),
                                                left, 1740, 735, 330);
        b->setToolTip(QString::fromUtf8(caption));
        return b;
    };
    button("command1", "bmp/save.bmp", "保存", 1200)->onClick = [this] { command1_Click(); };
    button("command2", "bmp/close.bmp", "关闭", 2160)->onClick = [this] { command2_Click(); };
}

// Settings that cannot be read are said so (a box): the two boxes then stay
// disabled and empty, not passing for stored settings, and a save is
// refused, so that nothing is written over the stored settings.
void SysTx::Form_Load()
{
    const bool read = database::read([&] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        control<ui::CheckBox>(QStringLiteral("Sys_alert"))
            ->setValue(customerrecord::flagSet(settings->field(QStringLiteral("Sys_alert"))));
        control<ui::TextBox>(QStringLiteral("alertpl"))->setText(settings->field(QStringLiteral("alertpl")).toText());
    }, readFailure_);
    if (read) return;
    control<ui::CheckBox>(QStringLiteral("Sys_alert"))->setEnabled(false);
    control<ui::TextBox>(QStringLiteral("alertpl"))->setEnabled(false);
}

// The settings row is written first: the timer changes only when the row was stored.
void SysTx::command1_Click()
{
    if (readFailure_) {
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), *readFailure_));
        return;
    }
    const QString interval = control<ui::TextBox>(QStringLiteral("alertpl"))->text();
    const std::optional<double> minutes = db::numbertext::parse(interval);
    if (!minutes) {
        ui::msgBox(QString::fromUtf8(kNoNumberText));
        return;
    }
    // Zero or less would stop the reminders, and a few milliseconds would
    // show the reminder window without a pause.
    if (!(*minutes * 60000 >= 1000)) {
        ui::msgBox(QString::fromUtf8(kTooShortText));
        return;
    }
    const bool on = control<ui::CheckBox>(QStringLiteral("Sys_alert"))->value() == 1;
    std::optional<db::Error> failure;
    const bool stored = database::guarded([&] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"), db::LockType::Optimistic,
                                        db::CursorType::Static);
        if (settings->eof()) throw db::Error(QStringLiteral("no settings row"));
        settings->setField(QStringLiteral("Sys_alert"), customerrecord::flagText(on));
        settings->setField(QStringLiteral("alertpl"), interval);
        settings->update();
    }, failure);
    if (!stored) {
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSavedText), *failure));
        return;
    }

    if (ui::Timer* timer = reminderTimer()) {
        if (on) {
            timer->setEnabled(true);
            // An interval the timer's signed 32-bit count cannot hold keeps the previous one.
            const double milliseconds = db::numbertext::roundTiesEven(*minutes * 60000);
            if (milliseconds >= std::numeric_limits<std::int32_t>::min()
                && milliseconds <= std::numeric_limits<std::int32_t>::max())
                timer->setInterval(static_cast<int>(milliseconds));
        } else {
            timer->setEnabled(false);
        }
    }
    ui::msgBox(QString::fromUtf8(kSavedText));
    ui::Windows::unload(this);
}

void SysTx::command2_Click()
{
    ui::Windows::unload(this);
}

void SysTx::Form_Paint()
{
    skin::paint(this);
}

} // namespace customers
