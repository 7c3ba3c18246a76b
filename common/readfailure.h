#pragma once
// The words for a read the database refused: the one way every window says
// that what it shows could not be read, so that nothing is shown as if the
// file held no rows.
#include "platform/db/error.h"

#include <QString>

namespace readfailure {

// Another workstation held the data file past the busy wait.
inline constexpr const char* kBusyText = "另一台电脑正在使用数据文件，这次没能读出数据，请稍后再试";
// Any other refusal; the database's reason follows.
inline constexpr const char* kFailedText = "没能读出数据：";

QString text(const db::Error& error);

} // namespace readfailure
