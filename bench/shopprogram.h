#pragma once
// A program folder of a shop's size for the window benchmarks: a data file
// made as a first start makes it, with `customers` customers, each with a
// mobile number of eleven digits and one order on kOrderDay, and the system
// operator logged in with every right. Each size is made once per run; using
// one points the program at its folder.
#include <QDate>
#include <QString>

namespace shopprogram {

inline const QDate kOrderDay(2009, 6, 15);

void use(int customers);

// The data file of the size in use, for the plain-SQLite baselines.
QString dataFile();

} // namespace shopprogram
