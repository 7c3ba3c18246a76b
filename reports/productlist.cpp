#include "reports/productlist.h"

#include "common/database.h"

namespace reports {

QStringList productNames()
{
    QStringList names;
    auto products = database::query(QStringLiteral("select product from product"));
    for (; !products->eof(); products->moveNext()) {
        const db::Variant name = products->field(0);
        if (!name.isNullOrEmpty()) names << name.toText();
    }
    return names;
}

} // namespace reports
