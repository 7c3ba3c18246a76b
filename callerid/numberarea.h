#pragma once
// The area of a caller's number, from the read-only number-area database
// MobilDB.mdb beside the program, fixed texts for local numbers and the
// three-character city codes.
#include <QString>

namespace numberarea {

// The area text of `number` (digits, possibly ending in "X"). A mobile number
// written with a leading "0" loses that "0" in the caller's variable too.
// A database that cannot be opened or read throws db::Error.
QString AreaOfNumber(QString& number);

// What AreaOfNumber leaves in its caller's variable, without reading the
// database: a mobile number written with a leading "0" ("013…", not the
// city code "010") loses that "0".
void dropMobileZero(QString& number);

} // namespace numberarea
