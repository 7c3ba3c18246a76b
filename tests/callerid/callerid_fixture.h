#pragma once
// A scratch program with the call monitor on the simulated box, a fixed
// clock, a small number-area database and helpers that add customers,
// contacts and calls by plain SQL.
#include "callerid/dsrormat.h"
#include "callerid/gtmain.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/db/connection.h"
#include "platform/db/locale.h"
#include "platform/gxbox/simulatedbox.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"
#include "tests/support/scratch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>
#include <functional>

// Until the call-log writer has written what waits, the reader thread has
// answered what the monitor asked and the monitor has shown it (the list, the
// count, the pop-ups), twice in a row: an answer shown may ask for more.
inline void settleCallLog()
{
    const auto quiet = [] {
        auto* loaded = ui::Windows::loaded<callerid::GtMain>(QStringLiteral("GtMain"));
        return !loaded || (loaded->writer().idle() && loaded->readsAnswered());
    };
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 10000) {
        QCoreApplication::processEvents();
        if (quiet()) {
            QCoreApplication::processEvents();
            if (quiet()) return;
        }
        QThread::msleep(1);
    }
    ADD_FAILURE() << "the call-log writer or the monitor's reader did not finish";
}

// Runs the event loop until `done` holds (false after five seconds).
inline bool waitUntil(const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > 5000) return false;
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
    return true;
}

// The call monitor of a child process killed by its parent test: logged in on
// the program folder the parent made.
inline callerid::GtMain* childMonitorIn(const QString& folder)
{
    ui::setProgramFolderForTests(folder);
    Mymode::ConnectString = database::localConnectString();
    Mymode::OperatorName = QStringLiteral("system");
    Mymode::UserRights = QStringLiteral("per=1;Uright=1;b_work=1;");
    gxbox::SimulatedBox::instance().configure({1});
    return ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
}

// A call on channel 0 that is answered and hung up, its events queued on the box.
inline void ringAnswerAndHangUp(const QByteArray& number)
{
    gxbox::SimulatedBox::instance().push({gxevent::FskCallerId, 0, number});
    gxbox::SimulatedBox::instance().push({gxevent::OffHook, 0, {}});
    gxbox::SimulatedBox::instance().push({gxevent::LineCut, 0, {}});
}

class CallerIdTest : public ScratchProgram {
protected:
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ScratchProgram::SetUp();
        box().reset();
        setNow(QDate(2026, 3, 10), QTime(9, 30, 15));
        dSrormat::setShortDatePictureForTests(QString());
    }
    void TearDown() override
    {
        ScratchProgram::TearDown();
        box().reset();
        db::locale::setClockForTests(std::nullopt);
        dSrormat::setShortDatePictureForTests(QString());
    }

    static gxbox::SimulatedBox& box() { return gxbox::SimulatedBox::instance(); }
    static void setNow(const QDate& day, const QTime& time) { db::locale::setClockForTests(QDateTime(day, time)); }

    callerid::GtMain* loadMonitor(const std::vector<std::int16_t>& channels = {1})
    {
        box().configure(channels);
        monitor_ = ui::Windows::get<callerid::GtMain>(QStringLiteral("GtMain"));
        settle();
        return monitor_;
    }
    callerid::GtMain* monitor() const { return monitor_; }
    template <class T>
    T* ctl(const char* name) const { return monitor_->control<T>(QString::fromUtf8(name)); }
    ui::ListView* list() const { return ctl<ui::ListView>("ListView3"); }
    QString status(int channel) const { return ctl<ui::FlexGrid>("StatusGridV")->textMatrix(channel + 1, 2); }

    void settings(const QString& outLine, const QString& isPop, const QString& recordFlag)
    {
        exec(QStringLiteral("update DriveInfo set OutLine=%1, isPop=%2, RecordFlag=%3")
                 .arg(sqltext::quoted(outLine), sqltext::quoted(isPop), sqltext::quoted(recordFlag)));
    }

    int addCustomer(const QString& name, const QString& tel = QString())
    {
        exec(QStringLiteral("insert into company (company_name, company_tel, KH_CZZ) values (%1, %2, 'system')")
                 .arg(sqltext::quoted(name), sqltext::quoted(tel)));
        return count(QStringLiteral("select max(id) from company"));
    }
    int addContact(int company, const QString& name, const QString& tel, const QString& mobil = QString())
    {
        exec(QStringLiteral("insert into KH_LXR (companyid, Connect_name, tel, mobil) values (%1, %2, %3, %4)")
                 .arg(company)
                 .arg(sqltext::quoted(name), sqltext::quoted(tel), sqltext::quoted(mobil)));
        return count(QStringLiteral("select max(id) from KH_LXR"));
    }
    void addCall(const QDateTime& when, const QString& number, const QString& contact = QString())
    {
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, CallerID, UserNO, CidName) values (#%1#, %2, %3, 'system')")
                 .arg(when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), sqltext::quoted(number),
                      contact.isEmpty() ? QStringLiteral("null") : sqltext::quoted(contact)));
    }
    QString newestCall(const char* column)
    {
        return scalar(QStringLiteral("select top 1 %1 from Hv_Cidlist order by id desc").arg(QLatin1String(column)));
    }

    // A number-area database in the program folder with a few rows.
    void makeAreaDatabase()
    {
        db::createDatabase(path(QStringLiteral("MobilDB.mdb")),
                           {QStringLiteral("create table list (num varchar(7), area varchar(50), t varchar(50))"),
                            QStringLiteral("create table ybqh (qh varchar(10), sm varchar(50), dq varchar(50))"),
                            QStringLiteral("insert into list values ('1380013', '北京', '中国移动')"),
                            QStringLiteral("insert into list values ('1391234', '广东深圳', '中国移动')"),
                            QStringLiteral("insert into ybqh values ('0755', '广东', '深圳')"),
                            QStringLiteral("insert into ybqh values ('X05710', '浙江', '杭州')")});
    }

    // A caller-ID event as the box delivers it.
    void ring(std::int16_t channel, const QByteArray& number, std::int16_t event = gxevent::FskCallerId)
    {
        box().push({event, channel, number});
    }
    void lineEvent(std::int16_t channel, std::int16_t event) { box().push({event, channel, {}}); }
    void tick()
    {
        monitor_->PollBoxEvents();
        settle();
    }
    // The tick as the poll timer runs it: the writer is not waited for.
    void pump()
    {
        monitor_->PollBoxEvents();
        QCoreApplication::processEvents();
    }
    static void settle() { settleCallLog(); }
    // The loaded windows of a kind (the pop-ups among them).
    static int windowsOf(const char* kind)
    {
        int found = 0;
        for (ui::Form* form : ui::Windows::all()) found += form->kind() == QLatin1String(kind);
        return found;
    }
    QString storePath() const { return path(QStringLiteral("hvcrm/waitingcalls.hvd")); }

private:
    callerid::GtMain* monitor_ = nullptr;
};
