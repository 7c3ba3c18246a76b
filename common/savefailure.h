#pragma once
// The box text for a save, change or delete that the database refused and
// rolled back: the one way every window words it.
#include "platform/db/error.h"

#include <QString>

namespace savefailure {

// Added when another workstation held the data file past the busy wait: the
// write was refused only for that, so the same save a moment later may work.
inline constexpr const char* kBusyText =
    "另一台电脑正在使用数据文件，这次没有改变任何数据，输入的内容仍然保留，请再试一次";

// The same for a delete, which keeps no input.
inline constexpr const char* kBusyDeleteText = "另一台电脑正在使用数据文件，这次没有改变任何数据，请再试一次";

// Whether the window shows the database's own reason after its words (which
// then end where the reason goes, as "客户资料未能保存：").
enum class Reason { Hidden, Shown };

// The window's own words that nothing changed, followed by the database's
// reason when `reason` is Shown. When the file was busy, the busy sentence
// follows instead of the reason (after a full stop when no reason is shown).
QString text(const QString& nothingChanged, const db::Error& error, Reason reason = Reason::Hidden);
// The text for a save of a record the window read: the window's own words
// `changedElsewhere` (close and reopen) only when the record was changed or
// deleted elsewhere since it was read, and the real reason otherwise (a busy
// file, a full disk, a read-only folder), after which the typed input is
// worth keeping.
QString changeText(const QString& nothingChanged, const QString& changedElsewhere, const db::Error& error);
// The same for a refused delete.
QString deleteText(const QString& nothingChanged, const db::Error& error, Reason reason = Reason::Hidden);

} // namespace savefailure
