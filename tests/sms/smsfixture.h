#pragma once
// The SMS windows on a scratch program folder: customers inserted by plain
// SQL, the outbox read back from SMS.mdb, the windows driven through their
// controls, and a simulated gateway installed for each test.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/smsgateway/simulated.h"
#include "platform/ui/windows.h"

#include <QMap>

class SmsTest : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        gateway = std::make_shared<smsgateway::SimulatedGateway>();
        smsgateway::install(gateway);
    }
    void TearDown() override
    {
        smsgateway::install(nullptr);
        db::locale::setClockForTests(std::nullopt);
        ScratchProgram::TearDown();
    }

    ui::Form* open(const char* kind)
    {
        window = ui::Windows::open(QString::fromLatin1(kind));
        return window;
    }
    template <class T>
    T* ctl(const char* name) const { return window->control<T>(QString::fromUtf8(name)); }
    void click(const char* button) { ctl<ui::PictureButton>(button)->click(); }
    bool isOpen(const char* kind) const { return ui::Windows::loaded(QString::fromLatin1(kind)) != nullptr; }

    // A customer with a name, a mobile number, an owner and a public flag.
    int addCustomer(const QString& name, const QString& mobile, const QString& owner = QStringLiteral("system"),
                    const QString& isPublic = QStringLiteral("0"),
                    const QMap<QString, QString>& more = {})
    {
        QString columns = QStringLiteral("company_name,company_mobil,KH_CZZ,KH_GK");
        QString values = sqltext::quoted(name) + QLatin1Char(',')
            + (mobile.isNull() ? QStringLiteral("Null") : sqltext::quoted(mobile)) + QLatin1Char(',')
            + sqltext::quoted(owner) + QLatin1Char(',') + sqltext::quoted(isPublic);
        for (auto it = more.begin(); it != more.end(); ++it) {
            columns += QLatin1Char(',') + it.key();
            values += QLatin1Char(',') + sqltext::quoted(it.value());
        }
        exec(QStringLiteral("insert into company (%1) values (%2)").arg(columns, values));
        return count(QStringLiteral("select max(id) from company"));
    }

    // The outbox rows of an SMS database, oldest first, each column by name
    // (a Null value reads as "<Null>").
    QList<QMap<QString, QString>> outbox(const QString& smsFile = QString())
    {
        const QString file = smsFile.isEmpty() ? path(QStringLiteral("hvcrm/SMS.mdb")) : smsFile;
        db::Connection connection;
        connection.open(QStringLiteral("dbq=") + file + QStringLiteral(";defaultdir=;driver={Microsoft Access Driver (*.mdb)};"));
        db::Recordset rows;
        rows.open(QStringLiteral("select * from sms"), connection, db::CursorType::Keyset);
        QList<QMap<QString, QString>> result;
        for (; !rows.eof(); rows.moveNext()) {
            QMap<QString, QString> row;
            for (int i = 0; i < rows.fieldCount(); ++i)
                row[rows.fieldName(i)] = rows.field(i).isNull() ? QStringLiteral("<Null>") : rows.field(i).toText();
            result << row;
        }
        return result;
    }

    // Runs a statement on the local SMS.mdb.
    void execSms(const QString& sql) { database::openLocalSms()->execute(sql); }

    std::shared_ptr<smsgateway::SimulatedGateway> gateway;
    ui::Form* window = nullptr;
};
