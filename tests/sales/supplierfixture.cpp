#include "tests/sales/supplierfixture.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/ui/boxtext.h"
#include "platform/ui/windows.h"

int SupplierTest::addSupplier(const QString& name, const QString& mode, const QString& unpaid, const QString& purchases,
                              const QString& quantity, int key)
{
    const QString keyColumn = key ? QStringLiteral("GYS_ID,") : QString();
    const QString keyValue = key ? QString::number(key) + QLatin1Char(',') : QString();
    exec(QStringLiteral("insert into GYS (%1GYS_MC,GYS_DH,GYS_FKFS,GYS_WFJE,GYS_ZJE,GYS_ZSL) values (%2%3,'021-5',%4,%5,%6,%7)")
             .arg(keyColumn, keyValue, sqltext::quoted(name), sqltext::quoted(mode), unpaid, purchases, quantity));
    return scalar(QStringLiteral("select max(GYS_ID) from GYS")).toInt();
}

QString SupplierTest::supplierBalances(int key)
{
    auto rows = database::query(QStringLiteral("select GYS_WFJE,GYS_ZJE,GYS_ZSL from GYS where GYS_ID=%1").arg(key));
    if (rows->eof()) return QStringLiteral("<none>");
    return rows->field(0).toText() + QLatin1Char('/') + rows->field(1).toText() + QLatin1Char('/') + rows->field(2).toText();
}

void SupplierTest::click(ui::Form* window, const char* button)
{
    window->control<ui::PictureButton>(QString::fromLatin1(button))->click();
}

void SupplierTest::setText(ui::Form* window, const char* box, const QString& text)
{
    ui::setBoxText(window, QString::fromLatin1(box), text);
}

bool SupplierTest::isLoaded(const char* kind)
{
    return ui::Windows::loaded(QString::fromLatin1(kind)) != nullptr;
}
