#pragma once
// The entries a fresh database's reference lists start with: a few common
// values in each list that a window requires a value from, so that every
// record can be saved on the first day. The operator edits them afterwards
// in the lists' editors like any other entry.
#include <QStringList>

namespace firstentries {

// The INSERT statements of the entries, list by list, in the order shown.
QStringList statements();

} // namespace firstentries
