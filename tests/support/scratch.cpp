#include "tests/support/scratch.h"

#include "tests/support/sqliteshell.h"

#include "common/database.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"

#include <QDir>
#include <QFile>

void ScratchProgram::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    ui::setProgramFolderForTests(dir.path());
    QDir().mkpath(path(QStringLiteral("bmp")));
    const QDir artwork(QStringLiteral(HALVEX_ARTWORK_DIR));
    for (const QString& file : artwork.entryList(QDir::Files))
        QFile::copy(artwork.filePath(file), path(QStringLiteral("bmp/") + file));
    firststart::ensureDatabases();
    Mymode::reset();
    Mymode::ConnectString = database::localConnectString();
    loginAs(QStringLiteral("system"), allRights());
}

void ScratchProgram::TearDown()
{
    ui::Windows::unloadAll();
    Mymode::reset();
    // Whatever the test did, the data folder's databases stay sound for every
    // SQLite tool (a file that is no database at all is some test's own).
    for (const char* name : {"hvcrm/hvcrm.hvd", "hvcrm/SMS.mdb"}) {
        QFile file(path(QString::fromLatin1(name)));
        if (file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16))
            EXPECT_EQ(integrityCheck(file.fileName()), QStringLiteral("ok")) << name;
    }
}

QString ScratchProgram::path(const QString& relative) const
{
    return dir.filePath(relative);
}

void ScratchProgram::exec(const QString& sql)
{
    try {
        database::openMain()->execute(sql);
    } catch (const db::Error& error) {
        FAIL() << error.message().toStdString() << " in " << sql.toStdString();
    }
}

QString ScratchProgram::scalar(const QString& sql)
{
    auto rows = database::query(sql);
    return rows->eof() ? QString() : rows->field(0).toText();
}

int ScratchProgram::count(const QString& sql)
{
    return scalar(sql).toInt();
}

void ScratchProgram::loginAs(const QString& operatorName, const QString& rights)
{
    Mymode::OperatorName = operatorName;
    Mymode::UserRights = rights;
}

QString ScratchProgram::allRights(const QString& scope)
{
    return QStringLiteral("per=1;Uright=") + scope
        + QStringLiteral(";e_cust=1;e_conn=1;e_acti=1;e_chan=1;e_sals=1;e_serv=1;"
                         "d_cust=1;d_conn=1;d_acti=1;d_chan=1;d_sals=1;d_serv=1;b_rept=1;b_work=1;");
}

void ScratchProgram::expectOnly(const QString& text, ui::Icon icon, const QString& title)
{
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, text);
    EXPECT_EQ(messages.shown()[0].icon, icon);
    EXPECT_EQ(messages.shown()[0].title, title);
    messages.clear();
}
