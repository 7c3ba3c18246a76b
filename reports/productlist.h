#pragma once
#include <QStringList>

namespace reports {
// Every product's name, in the order the product table returns them; a
// product without a name adds nothing. db::Error when the query fails.
QStringList productNames();
}
