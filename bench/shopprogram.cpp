#include "bench/shopprogram.h"

#include "common/database.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "platform/db/connection.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"

#include <QTemporaryDir>
#include <map>
#include <memory>

namespace shopprogram {

namespace {

std::map<int, std::unique_ptr<QTemporaryDir>>& folders()
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    return made;
}

void fill(int customers)
{
    db::Connection connection;
    connection.open(Mymode::ConnectString);
    connection.beginTrans();
    const QString numbers =
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ").arg(customers);
    connection.execute(QStringLiteral("insert into company (company_name, company_mobil, KH_CZZ, KH_GK) ") + numbers
                       + QStringLiteral("select '深圳客户' || i || '贸易有限公司', '138' || substr('0000000' || i, -8), "
                                        "'system', '1' from n"));
    connection.execute(QStringLiteral("insert into sales (companyid, orderno, indexflag, salesdate, totlemoney, receivemoney, TotalNum) ")
                       + numbers
                       + QStringLiteral("select i, 'SH' || i, 'k' || i, '%1 10:00:00', (i % 1000) * 1.1 + 0.1, (i % 700) * 1.1, 1 from n")
                             .arg(kOrderDay.toString(QStringLiteral("yyyy-MM-dd"))));
    connection.commitTrans();
}

} // namespace

void use(int customers)
{
    ui::Windows::unloadAll();
    auto& folder = folders()[customers];
    const bool fresh = !folder;
    if (fresh) folder = std::make_unique<QTemporaryDir>();
    ui::setProgramFolderForTests(folder->path());
    firststart::ensureDatabases();
    Mymode::ConnectString = database::localConnectString();
    Mymode::OperatorName = QStringLiteral("system");
    Mymode::UserRights = QStringLiteral("per=1;Uright=1;b_work=1;");
    if (fresh) fill(customers);
}

QString dataFile()
{
    return db::dataSourceOf(Mymode::ConnectString);
}

} // namespace shopprogram
