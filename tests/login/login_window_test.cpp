// The login window: which database the run uses, the operator list, the
// password check, the rights string, the purge of old recordings, and the end
// of the program when nobody logs in.
#include "tests/support/busyfile.h"
#include "tests/support/earlierfile.h"
#include "tests/support/scratch.h"
#include "tests/support/sqliteshell.h"

#include "common/database.h"
#include "common/firstentries.h"
#include "common/firststart.h"
#include "common/mymode.h"
#include "common/readfailure.h"
#include "common/schema.h"
#include "common/sqltext.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/waitcursor.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

namespace {

const QString kWrongPassword = QStringLiteral("用户密码不对,系统默认帐号选system，密码为空");
const QString kShape = QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data source =%1"
                                      "/hvcrm.hvd;Jet OLEDB:Database");

class LoginWindow : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        restart();
    }
    void TearDown() override
    {
        db::locale::setClockForTests(std::nullopt);
        ScratchProgram::TearDown();
    }

    // A fresh start: no window, nobody logged in, no messages.
    void restart()
    {
        ui::Windows::unloadAll();
        loginAs(QString(), QString());
        Mymode::ConnectString = database::localConnectString();
        messages.clear();
    }
    ui::Form* openLogin() { return ui::Windows::open(QStringLiteral("frmLogin")); }
    ui::ComboBox* names(ui::Form* login) { return login->control<ui::ComboBox>(QStringLiteral("text1")); }
    ui::TextBox* password(ui::Form* login) { return login->control<ui::TextBox>(QStringLiteral("text2")); }
    void clickOk(ui::Form* login) { login->control<ui::PictureButton>(QStringLiteral("command1"))->click(); }
    bool loggedIn() const { return !ui::Windows::loaded(QStringLiteral("frmLogin")) && !Mymode::OperatorName.isEmpty(); }

    void logIn(const QString& name, const QString& typed)
    {
        ui::Form* login = openLogin();
        names(login)->setText(name);
        password(login)->setText(typed);
        clickOk(login);
    }
    void expectRefused(const QString& text)
    {
        expectOnly(text, ui::Icon::Error, QStringLiteral("用户登录"));
        EXPECT_NE(ui::Windows::loaded(QStringLiteral("frmLogin")), nullptr);
        EXPECT_TRUE(Mymode::OperatorName.isEmpty() && Mymode::UserRights.isEmpty());
    }
    // Customers whose names an earlier build's text order sorts otherwise.
    static QStringList withCustomers(QStringList statements)
    {
        for (const char* name : {"O''Brien Trading", "王记商行", "Bon app''", "Élan"})
            statements << QStringLiteral("INSERT INTO company (company_name) VALUES ('%1')").arg(QString::fromUtf8(name));
        return statements;
    }
    void addOperator(const QString& name, const QString& passwordLiteral)
    {
        exec(QStringLiteral("insert into sys_user (user_name, user_pwd) values (") + sqltext::quoted(name)
             + QStringLiteral(", ") + passwordLiteral + QStringLiteral(")"));
    }
};

TEST_F(LoginWindow, ListsTheOperatorsAndRefusesAnEmptyOrVanishedName)
{
    addOperator(QStringLiteral("alice"), QStringLiteral("''"));
    ui::Form* login = openLogin();
    EXPECT_EQ(login->caption(), QStringLiteral("Halvex来电显示客户管理系统(7.0)----用户登录"));
    ASSERT_EQ(names(login)->listCount(), 2);
    EXPECT_EQ(names(login)->list(0), QStringLiteral("system"));
    EXPECT_EQ(names(login)->list(1), QStringLiteral("alice"));
    EXPECT_EQ(names(login)->listIndex(), 0);

    exec(QStringLiteral("delete from sys_user where user_name='alice'"));
    names(login)->setText(QStringLiteral("alice"));
    clickOk(login);
    expectRefused(QStringLiteral("用户名不存在,系统默认帐号选system，密码为空"));

    restart();
    exec(QStringLiteral("delete from sys_user"));
    login = openLogin();
    EXPECT_EQ(names(login)->listCount(), 0);
    clickOk(login);
    expectRefused(QStringLiteral("用户名不能为空"));
}

TEST_F(LoginWindow, ComparesTheTrimmedPasswordExactlyAndTakesANullOneAsEmpty)
{
    struct Case {
        const char* name;
        const char* stored;   // SQL literal
        const char* typed;
        bool admitted;
    };
    const Case cases[] = {
        {"clerk", "''", "   ", true},       {"clerk", "''", "x", false},
        {"clerk", "NULL", " ", true},       {"clerk", "NULL", "anything", false},
        {"clerk", "'Secret'", " Secret ", true}, {"clerk", "'Secret'", "secret", false},
        {"clerk", "' pad'", " pad", false}, {"O'Brien", "'pw'", "pw", true},
        {"O'Brien", "'pw'", "wrong", false},
    };
    addOperator(QStringLiteral("clerk"), QStringLiteral("''"));
    addOperator(QStringLiteral("O'Brien"), QStringLiteral("''"));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.stored + " typed [" + c.typed + "]");
        restart();
        const QString name = QString::fromUtf8(c.name);
        exec(QStringLiteral("update sys_user set user_pwd=") + QString::fromUtf8(c.stored)
             + QStringLiteral(" where user_name=") + sqltext::quoted(name));
        logIn(name, QString::fromUtf8(c.typed));
        if (c.admitted) {
            EXPECT_TRUE(messages.shown().empty());
            EXPECT_TRUE(loggedIn());
            EXPECT_EQ(Mymode::OperatorName, name);
        } else {
            expectRefused(kWrongPassword);
        }
    }
}

TEST_F(LoginWindow, KeepsTheStoredNameAndTheSixteenRightsInOrder)
{
    ui::Form* login = openLogin();
    // The lookup ignores letter case as the database does; the state keeps the stored name.
    exec(QStringLiteral("update sys_user set user_name='System', permission=NULL, Uright='2', e_cust='0', "
                        "e_chan='0', d_conn='0', d_serv='0', b_rept=NULL"));
    clickOk(login);
    ASSERT_TRUE(loggedIn());
    EXPECT_EQ(Mymode::OperatorName, QStringLiteral("System"));
    EXPECT_EQ(Mymode::UserRights, QStringLiteral("per=;Uright=2;e_cust=0;e_conn=1;e_acti=1;e_chan=0;e_sals=1;e_serv=1;"
                                                 "d_cust=1;d_conn=0;d_acti=1;d_chan=1;d_sals=1;d_serv=0;b_rept=;b_work=1;"));
}

TEST_F(LoginWindow, EnterInThePasswordBoxLogsInOtherKeysAreTyped)
{
    exec(QStringLiteral("update sys_user set user_pwd='pw'"));
    ui::Form* login = openLogin();
    password(login)->typeKey('p');
    password(login)->typeKey(13);
    expectRefused(kWrongPassword);
    messages.clear();
    password(login)->typeKey('w');
    EXPECT_EQ(password(login)->text(), QStringLiteral("pw"));
    password(login)->typeKey(13);
    EXPECT_TRUE(loggedIn());
}

TEST_F(LoginWindow, TheLocalRowsWorkModeChoosesTheDatabaseOfTheRun)
{
    for (const char* mode : {"2", "3", ""}) {
        SCOPED_TRACE(mode);
        restart();
        exec(QStringLiteral("update DriveInfo set WorkPath='/elsewhere', WorkModel='") + QLatin1String(mode)
             + QStringLiteral("'"));
        openLogin();
        EXPECT_EQ(Mymode::ConnectString, kShape.arg(path(QStringLiteral("hvcrm"))));
    }

    // A workstation lists the operators of the shared folder's file.
    restart();
    const QString shared = path(QStringLiteral("server/hvcrm"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/hvcrm.hvd")), shared + QStringLiteral("/hvcrm.hvd")));
    exec(QStringLiteral("update DriveInfo set WorkModel='1', WorkPath=") + sqltext::quoted(shared));
    Mymode::ConnectString = kShape.arg(shared);
    addOperator(QStringLiteral("remote"), QStringLiteral("''"));
    ui::Form* login = openLogin();
    EXPECT_EQ(Mymode::ConnectString, kShape.arg(shared));
    ASSERT_EQ(names(login)->listCount(), 2);
    EXPECT_EQ(names(login)->list(1), QStringLiteral("remote"));

    // A shared folder that is not there: nothing listed, the file named as
    // the reason, no file made.
    restart();
    const QString missing = path(QStringLiteral("no-server"));
    exec(QStringLiteral("update DriveInfo set WorkPath=") + sqltext::quoted(missing));
    messages.clear();
    login = openLogin();
    EXPECT_EQ(Mymode::ConnectString, kShape.arg(missing));
    EXPECT_EQ(names(login)->listCount(), 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QStringLiteral("没能读出数据：无法打开数据库 ") + missing
                                               + QStringLiteral("/hvcrm.hvd")))
        << messages.lastText().toStdString();
    EXPECT_FALSE(QFile::exists(missing + QStringLiteral("/hvcrm.hvd")));
}

// The shared folder's files made by an earlier build (indexes in another text
// order) are repaired when a workstation's login opens them.
TEST_F(LoginWindow, AWorkstationRepairsTheSharedFilesOfAnEarlierBuild)
{
    const QString shared = path(QStringLiteral("server/hvcrm"));
    ASSERT_TRUE(QDir().mkpath(shared));
    const QString main = shared + QStringLiteral("/hvcrm.hvd");
    const QString sms = shared + QStringLiteral("/SMS.mdb");
    ASSERT_TRUE(makeEarlierBuildFile(main, withCustomers(schema::mainDatabase())));
    ASSERT_TRUE(makeEarlierBuildFile(sms, schema::smsDatabase()));
    ASSERT_NE(integrityCheck(main), QStringLiteral("ok"));
    exec(QStringLiteral("update DriveInfo set WorkModel='1', WorkPath=") + sqltext::quoted(shared));

    ui::Form* login = openLogin();
    EXPECT_EQ(Mymode::ConnectString, kShape.arg(shared));
    EXPECT_EQ(names(login)->listCount(), 1);
    EXPECT_EQ(integrityCheck(main), QStringLiteral("ok"));
    EXPECT_EQ(integrityCheck(sms), QStringLiteral("ok"));
    EXPECT_EQ(sqliteShell(main, QStringLiteral("select count(*) from company where company_name like 'Bon app%'")),
              QStringLiteral("1"));
    EXPECT_EQ(sqliteShell(main, QStringLiteral("select count(*) from company")), QStringLiteral("4"));
}

// This computer's files made by an earlier build and held by another
// workstation at the start: the start waits for nothing before a window
// shows, and the login repairs them once the file is free.
TEST_F(LoginWindow, FilesHeldAtTheStartAreRepairedByTheLogin)
{
    const QString main = path(QStringLiteral("hvcrm/hvcrm.hvd"));
    ASSERT_TRUE(QFile::remove(main));
    ASSERT_TRUE(makeEarlierBuildFile(main, withCustomers(schema::mainDatabase() + firstentries::statements())));
    ASSERT_NE(integrityCheck(main), QStringLiteral("ok"));
    int waits = 0;
    db::busywait::setObserver([&](int) { ++waits; });
    {
        OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
        firststart::ensureDatabases();
    }
    ui::showWaitsForTheDataFile();
    EXPECT_EQ(waits, 0);
    EXPECT_NE(integrityCheck(main), QStringLiteral("ok"));

    EXPECT_EQ(names(openLogin())->listCount(), 1);
    EXPECT_EQ(integrityCheck(main), QStringLiteral("ok"));
}

TEST_F(LoginWindow, PurgesTheRecordingsUpToTheStartOfTheDayThatManyDaysBack)
{
    // Each call's row is named by its recording (CidName); x's file is already
    // gone and one row has a blank name.
    const std::vector<std::pair<const char*, QString>> calls = {
        {"2026-02-27 12:00:00", "a.wav"}, {"2026-02-27 13:00:00", "x.wav"}, {"2026-03-01 00:00:00", "b.wav"},
        {"2026-03-01 00:00:00", " "},     {"2026-03-01 08:00:00", "c.wav"}, {"2026-03-27 00:00:00", "d.wav"},
        {"2026-03-27 12:00:00", "e.wav"}, {"2026-03-29 00:00:00", "f.wav"}, {"2026-03-30 23:59:59", "g.wav"},
        {"2026-03-31 00:00:00", "h.wav"}, {"2026-03-31 08:00:00", "i.wav"}, {"2026-04-02 09:00:00", "j.wav"},
    };
    const std::pair<const char*, const char*> cases[] = {
        {"30", "axb"}, {"0", "axbcdefgh"}, {"2.5", "axbcdef"}, {"3.5", "axbcd"}, {"3", "axbcde"},
        {"-1", ""},    {"", ""},           {"abc", ""},        {"99999", ""},
    };
    const auto recording = [&](const QString& file) { return path(QStringLiteral("WavFile/") + file); };
    db::locale::setClockForTests(QDateTime(QDate(2026, 3, 31), QTime(10, 30)));
    for (const auto& [days, gone] : cases) {
        SCOPED_TRACE(days);
        restart();
        exec(QStringLiteral("delete from Hv_Cidlist"));
        for (const auto& [when, file] : calls) {
            exec(QStringLiteral("insert into Hv_Cidlist (DateTime, WavFile, CidName) values (#") + QLatin1String(when)
                 + QStringLiteral("#, ") + sqltext::quoted(file) + QStringLiteral(", ") + sqltext::quoted(file)
                 + QStringLiteral(")"));
            if (file != QLatin1String("x.wav")) QFile(recording(file)).open(QIODevice::WriteOnly);
        }
        exec(QStringLiteral("update DriveInfo set DelRecDay='") + QLatin1String(days) + QStringLiteral("'"));
        openLogin();

        QString purged;
        for (const auto& [when, file] : calls) {
            const QString left = scalar(QStringLiteral("select WavFile from Hv_Cidlist where CidName=") + sqltext::quoted(file));
            if (left.isEmpty()) purged += file.left(1);
            else EXPECT_EQ(left, file);
            EXPECT_EQ(QFile::exists(recording(file)), !left.isEmpty() && file != QLatin1String("x.wav"))
                << file.toStdString();
        }
        EXPECT_EQ(purged, QLatin1String(gone));
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), int(calls.size()));
    }
}

TEST_F(LoginWindow, PurgeDeletesOnlyPlainFileNamesInsideTheRecordingsFolder)
{
    db::locale::setClockForTests(QDateTime(QDate(2026, 3, 31), QTime(10, 30)));
    QDir().mkpath(path(QStringLiteral("WavFile/sub")));
    QFile(path(QStringLiteral("WavFile/sub/in.wav"))).open(QIODevice::WriteOnly);
    QFile(path(QStringLiteral("outside.wav"))).open(QIODevice::WriteOnly);
    QFile(path(QStringLiteral("WavFile/ok.wav"))).open(QIODevice::WriteOnly);
    const QStringList hostile{QStringLiteral("../hvcrm/hvcrm.hvd"), QStringLiteral("..\\outside.wav"),
                              QStringLiteral("sub/in.wav"), QStringLiteral(".."), QStringLiteral("."),
                              QStringLiteral("/etc/hostname"), path(QStringLiteral("outside.wav"))};
    restart();
    for (const QString& name : hostile + QStringList{QStringLiteral("ok.wav")})
        exec(QStringLiteral("insert into Hv_Cidlist (DateTime, WavFile) values (#2026-1-1#, ") + sqltext::quoted(name) + QStringLiteral(")"));
    exec(QStringLiteral("update DriveInfo set DelRecDay='30'"));
    openLogin();

    EXPECT_TRUE(QFile::exists(path(QStringLiteral("hvcrm/hvcrm.hvd"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("outside.wav"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("WavFile/sub/in.wav"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("WavFile/ok.wav"))));
    for (const QString& name : hostile)
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile=") + sqltext::quoted(name)), 1)
            << name.toStdString();
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile is null or WavFile=''")), 1);
}

// Where several computers log into one file, each start deletes the old
// recordings in its own folder and blanks only their rows; a row naming a
// file this computer does not hold stays for the computer that holds it. A
// computer working alone blanks a row whose file is gone. A recording that
// cannot be deleted keeps its name for the next start.
TEST_F(LoginWindow, ThePurgeBlanksOnlyTheRowsOfTheRecordingsThisComputerDeleted)
{
    db::locale::setClockForTests(QDateTime(QDate(2026, 3, 31), QTime(10, 30)));
    // The second workstation: a program folder of its own whose work mode
    // points at this folder's file.
    QTemporaryDir other;
    ui::setProgramFolderForTests(other.path());
    firststart::ensureDatabases();
    Mymode::ConnectString = database::localConnectString();
    exec(QStringLiteral("update DriveInfo set DelRecDay='30', WorkModel='1', WorkPath=") + sqltext::quoted(path(QStringLiteral("hvcrm"))));
    ui::setProgramFolderForTests(dir.path());
    const QString here = path(QStringLiteral("WavFile/"));
    const QString there = other.filePath(QStringLiteral("WavFile/"));
    const struct {
        const char* workModel;   // of this computer
        bool otherStarts;        // the second workstation starts after this one
        const char* kept;        // the rows that still name a file: h held here, o there, g nowhere, u in use here
    } cases[] = {
        {"2", false, "ogu"},
        {"2", true, "gu"},
        {"3", false, "u"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.workModel) + (c.otherStarts ? ", other starts" : ""));
        restart();
        exec(QStringLiteral("delete from Hv_Cidlist"));
        exec(QStringLiteral("update DriveInfo set DelRecDay='30', WorkModel='%1'").arg(QLatin1String(c.workModel)));
        for (const char* name : {"h", "o", "g", "u"})
            exec(QStringLiteral("insert into Hv_Cidlist (DateTime, WavFile) values (#2026-1-1#, '%1.wav')").arg(QLatin1String(name)));
        QFile(here + QStringLiteral("h.wav")).open(QIODevice::WriteOnly);
        QFile(there + QStringLiteral("o.wav")).open(QIODevice::WriteOnly);
        QDir().mkpath(here + QStringLiteral("u.wav"));   // a file that cannot be deleted now
        openLogin();
        if (c.otherStarts) {
            restart();
            ui::setProgramFolderForTests(other.path());
            openLogin();
            ui::setProgramFolderForTests(dir.path());
        }
        EXPECT_EQ(scalar(QStringLiteral("select group_concat(substr(WavFile, 1, 1), '') from "
                                        "(select WavFile from Hv_Cidlist where WavFile<>'' order by id)")),
                  QLatin1String(c.kept));
        EXPECT_FALSE(QFile::exists(here + QStringLiteral("h.wav")));
        EXPECT_EQ(QFile::exists(there + QStringLiteral("o.wav")), !c.otherStarts);
        EXPECT_TRUE(QFileInfo(here + QStringLiteral("u.wav")).isDir());
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 4);
    }
}

// Another workstation holding the file: the start waits for it once at most
// (the upgrade and the purge only briefly), no row is left naming a deleted recording, and
// the next start with the file free purges what was left.
TEST_F(LoginWindow, ThePurgeNeverHoldsTheStartNorLeavesARowNamingADeletedFile)
{
    using Hold = OtherWorkstationWriting::Hold;
    constexpr int kWaitMs = 2000;
    const struct {
        Hold hold;
        bool firstOpen;       // the start opens the file afresh (no handle of it kept)
        int listed;           // operators in the list
        qint64 mostMs;        // the longest the start may take
        bool refused;         // this computer's work mode could not be read: the one box says so
    } cases[] = {
        {Hold::Write, false, 1, kWaitMs / 2, false},
        {Hold::Exclusive, false, 0, kWaitMs + kWaitMs / 2, true},
        {Hold::Exclusive, true, 0, kWaitMs + kWaitMs / 2, true},
    };
    db::locale::setClockForTests(QDateTime(QDate(2026, 3, 31), QTime(10, 30)));
    exec(QStringLiteral("update DriveInfo set DelRecDay='30'"));
    const auto recording = [&](int call) { return path(QStringLiteral("WavFile/r%1.wav").arg(call)); };
    const auto rowsNamingGoneFiles = [&] {
        int gone = 0;
        for (int call = 1; call <= 5; ++call)
            if (count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile='r%1.wav'").arg(call)) == 1
                && !QFile::exists(recording(call)))
                ++gone;
        return gone;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hold == Hold::Write ? "write" : "exclusive") + (c.firstOpen ? ", first open" : ""));
        restart();
        exec(QStringLiteral("delete from Hv_Cidlist"));
        for (int call = 1; call <= 5; ++call) {
            exec(QStringLiteral("insert into Hv_Cidlist (DateTime, WavFile) values (#2026-1-%1#, 'r%1.wav')").arg(call));
            QFile(recording(call)).open(QIODevice::WriteOnly);
        }
        {
            // Handles in use are not kept for the start.
            std::vector<std::unique_ptr<db::Connection>> inUse;
            for (int i = 0; c.firstOpen && i < 3; ++i) inUse.push_back(database::openMain());
            OtherWorkstationWriting other(c.hold);
            db::setBusyWaitForTests(kWaitMs);
            QElapsedTimer start;
            start.start();
            ui::Form* login = openLogin();
            EXPECT_LT(start.elapsed(), c.mostMs);
            EXPECT_EQ(names(login)->listCount(), c.listed);
        }
        // The file the login chose no file of, as the test reads it.
        Mymode::ConnectString = database::localConnectString();
        EXPECT_EQ(rowsNamingGoneFiles(), 0);
        if (c.refused)
            expectOnly(QStringLiteral("没能读出本机的工作模式设置，不知道该使用哪个数据文件，这次不能登录：")
                           + QString::fromUtf8(readfailure::kBusyText), ui::Icon::Error, QStringLiteral("用户登录"));
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile<>''")), 5);

        QCoreApplication::processEvents();
        restart();
        openLogin();
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where WavFile<>''")), 0);
        for (int call = 1; call <= 5; ++call) EXPECT_FALSE(QFile::exists(recording(call))) << call;
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist")), 5);
    }
}

// Runs the event loop until the program ends (0) or a second and a half passed (7).
int runProgram(const std::function<void()>& action)
{
    QTimer::singleShot(0, qApp, action);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    giveUp.start(1500);
    return QCoreApplication::exec();
}

TEST_F(LoginWindow, EndsTheProgramWhenClosedWithoutALogin)
{
    ui::Form* login = openLogin();
    EXPECT_EQ(runProgram([login] { login->control<ui::PictureButton>(QStringLiteral("command3"))->click(); }), 0);
    restart();
    login = openLogin();
    EXPECT_EQ(runProgram([login] { login->close(); }), 0);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmLogin")), nullptr);

    restart();
    login = openLogin();
    EXPECT_EQ(runProgram([this, login] { clickOk(login); }), 7);
    EXPECT_TRUE(loggedIn());
    EXPECT_NE(ui::Windows::loaded(QStringLiteral("frmMain")), nullptr);
}

} // namespace
