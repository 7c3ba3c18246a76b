#include "login/frmlogin.h"

#include "common/database.h"
#include "common/fileupgrade.h"
#include "common/mymode.h"
#include "common/readfailure.h"
#include "common/recordingfile.h"
#include "common/skin.h"
#include "common/sqltext.h"
#include "login/accounts.h"
#include "platform/db/busywait.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

#include <optional>

namespace login {

namespace {

constexpr quint32 kBoxColor = 0xFFF7EF;

// How long the login waits in all for another workstation's hold on a data
// file before it leaves the file's upgrade to the next try.
constexpr int kUpgradeWaitMs = 500;

const char* const kNoWorkModeText = "没能读出本机的工作模式设置，不知道该使用哪个数据文件，这次不能登录：";

// How long the start's purge of old recordings waits in all for another
// workstation's hold on the file before it leaves the purge to the next start.
constexpr int kPurgeWaitMs = 250;

void refuseLogin(const QString& text)
{
    ui::msgBox(text, ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("用户登录"));
}

} // namespace

FrmLogin::FrmLogin()
    : ui::Form(QStringLiteral("frmLogin"))
{
    setSizeTwips(5100, 3900);
    addLabel(QStringLiteral("Label1"), QStringLiteral("用户名："), 960, 1140, 960, 255);
    text1_ = addComboBox(QStringLiteral("text1"), ui::ComboBox::PickOnly, 1920, 1080, 2280, 315);
    text1_->setBackColor(kBoxColor);
    addLabel(QStringLiteral("Label2"), QStringLiteral("密  码："), 960, 1620, 960, 255);
    text2_ = addTextBox(QStringLiteral("text2"), 1920, 1560, 2280, 315);
    text2_->setPasswordChar(QLatin1Char('#'));
    text2_->setBackColor(kBoxColor);
    auto* ok = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/ok.bmp")),
                                1800, 2220, 1125, 375);
    auto* cancel = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/cancel.bmp")),
                                    3075, 2220, 1125, 375);

    ok->onClick = [this] { command1_Click(); };
    cancel->onClick = [this] { command3_Click(); };
    text2_->onKeyPress = [this](int& keyAscii) { text2_KeyPress(keyAscii); };
}

// Shows the window, then reads what it needs from the data files: on screen
// first, so that another workstation's hold on a file shows as the wait
// cursor over the login rather than as a program that does not start.
void FrmLogin::Form_Load()
{
    setCaption(QStringLiteral("Halvex来电显示客户管理系统(7.0)----用户登录"));
    ui::Windows::showWhileLoading(this);
    readTheDataFiles();
}

// Chooses the database of the run, brings it up to date, lists the operators
// and purges old recordings. A step that could not be done (a file held by
// another workstation, a shared folder out of reach) said why, and is done
// again when the operator tries to log in.
bool FrmLogin::readTheDataFiles()
{
    if (!fileChosen_ && !chooseTheDataFile()) return false;
    if (!upToDate_) upToDate_ = upgradeTheDataFiles();
    return operatorsListed_ || listOperators();
}

// The work mode of this installation's own settings row decides the file. A
// row that cannot be read names no file: the login says so and waits,
// rather than work on the local file when the shop works on the shared one.
bool FrmLogin::chooseTheDataFile()
{
    Mymode::ConnectString.clear();
    QString connectString = database::localConnectString();
    std::optional<db::Error> failure;
    const bool read = database::guarded([&] {
        auto settings = database::queryLocal(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        if (settings->field(QStringLiteral("WorkModel")).toText() == QLatin1String("1"))
            connectString = database::connectStringFor(settings->field(QStringLiteral("WorkPath")).toText());
        delRecDay_ = settings->field(QStringLiteral("DelRecDay"));
    }, failure);
    if (!read) {
        refuseLogin(QString::fromUtf8(kNoWorkModeText) + readfailure::text(*failure));
        return false;
    }
    Mymode::ConnectString = connectString;
    fileChosen_ = true;
    return true;
}

// The files of the run, this installation's own ones too (the start left
// them when another workstation held them). A file held now is waited for
// only briefly: the operators can still be read beside a colleague's save.
bool FrmLogin::upgradeTheDataFiles()
{
    const db::busywait::Limit brief(kUpgradeWaitMs);
    const bool local = fileupgrade::upgrade(database::localConnectString());
    return Mymode::ConnectString == database::localConnectString() ? local
                                                                    : fileupgrade::upgrade(Mymode::ConnectString) && local;
}

// A data file that cannot be opened (a shared folder out of reach, a file
// another workstation holds) lists no one and says why, naming the file: an
// empty list alone would read as a shop with no operators. The old
// recordings are purged once, when the file first opens.
bool FrmLogin::listOperators()
{
    std::unique_ptr<db::Connection> connection;
    if (!database::read([&] { connection = database::openMain(); })) return false;
    QStringList operators;
    operatorsListed_ = database::read([&] {
        db::Recordset users;
        users.open(QStringLiteral("select * from sys_user"), *connection, db::CursorType::Keyset,
                   db::LockType::ReadOnly);
        for (; !users.eof(); users.moveNext()) operators << users.field(QStringLiteral("user_name")).toText();
    });
    // A list read only in part shows no one.
    if (operatorsListed_)
        for (const QString& name : operators) text1_->addItem(name);
    if (text1_->listCount() > 0) text1_->setListIndex(0);
    if (!purged_) {
        purged_ = true;
        purgeOldRecordings(*connection, delRecDay_);
    }
    return operatorsListed_;
}

void FrmLogin::Form_Paint()
{
    skin::paint(this);
}

void FrmLogin::command1_Click()
{
    // Trying again after the load could not list the operators reads them
    // again; the operator then chooses among them.
    if (!operatorsListed_) {
        readTheDataFiles();
        return;
    }
    if (!upToDate_) upToDate_ = upgradeTheDataFiles();
    const QString name = db::trimBlanks(text1_->text());
    if (name.isEmpty()) {
        refuseLogin(QStringLiteral("用户名不能为空"));
        return;
    }
    // A busy file says so; it is no unknown name.
    std::optional<Account> account;
    if (!database::read([&] { account = findAccount(*database::openMain(), name); })) return;
    if (!account) {
        refuseLogin(QStringLiteral("用户名不存在,系统默认帐号选system，密码为空"));
        return;
    }
    if (db::trimBlanks(text2_->text()) != account->password) {
        refuseLogin(QStringLiteral("用户密码不对,系统默认帐号选system，密码为空"));
        return;
    }
    Mymode::OperatorName = account->name;
    Mymode::UserRights = account->rights;
    ui::Windows::unload(this);
    ui::Windows::open(QStringLiteral("frmMain"));
}

// With no other window shown, the program ends.
void FrmLogin::command3_Click()
{
    ui::Windows::unload(this);
}

void FrmLogin::text2_KeyPress(int& keyAscii)
{
    if (keyAscii == 13) command1_Click();
}

// Deletes the recordings of the calls logged up to the start of the day that
// lies DelRecDay days back and blanks their file names; the call-log rows stay.
// The days are rounded to a whole number (halves to even); a value that is not
// a number of 0 to 32767 purges nothing.
// The files are this computer's. Where other workstations log into the same
// file (a workstation's shared file, a server's own), a row whose recording is
// not in this computer's WavFile folder names another workstation's file and
// stays for that workstation's purge; a computer working alone blanks it.
// The names are blanked first, in one committed write, and only then are the
// files deleted, so a row never names a deleted file; a file that cannot be
// deleted now (in use) gets its name back, for the next start to try again.
// The writes wait only briefly for another workstation: when the file is
// held, nothing is purged now and the next start purges it all.
void FrmLogin::purgeOldRecordings(db::Connection& connection, const db::Variant& delRecDay)
{
    if (!db::isNumeric(delRecDay)) return;
    const double days = db::roundHalfEven(delRecDay.toDouble());
    if (days < 0 || days > 32767) return;
    const QDate boundary = db::locale::now().date().addDays(-static_cast<qint64>(days));
    bool alone = false;
    database::guarded([&] {
        const QString workModel = database::queryLocal(QStringLiteral("select WorkModel from DriveInfo"))->field(0).toText();
        alone = workModel != QLatin1String("1") && workModel != QLatin1String("2");
    });

    const db::busywait::Limit brief(kPurgeWaitMs);
    struct Blanked {
        db::Variant id;
        QString wavFile;
        QString recording;
    };
    std::vector<Blanked> blanked;
    const bool committed = database::guarded([&] {
        connection.beginTrans();
        db::Recordset calls;
        calls.open(QStringLiteral("select * from Hv_Cidlist where DateTime <=") + sqltext::dateLiteral(boundary),
                   connection, db::CursorType::Static, db::LockType::Optimistic);
        for (; !calls.eof(); calls.moveNext()) {
            const QString wavFile = calls.field(QStringLiteral("WavFile")).toText();
            if (db::trimBlanks(wavFile).isEmpty()) continue;
            // Only a recording directly inside WavFile is deleted: the rows may
            // come from the shared call log that every computer writes.
            const QString recording = recordingfile::pathOf(wavFile);
            if (recording.isEmpty()) continue;
            if (!alone && !recordingfile::present(recording)) continue;
            calls.setField(QStringLiteral("WavFile"), QString());
            calls.update();
            blanked.push_back({calls.field(QStringLiteral("id")), wavFile, recording});
        }
        calls.close();
        connection.commitTrans();
    });
    if (!committed) {
        database::guarded([&] { connection.rollbackTrans(); });
        return;
    }
    for (const Blanked& call : blanked)
        if (recordingfile::remove(call.recording) == recordingfile::Removal::Refused)
            database::guarded([&] {
                connection.execute(QStringLiteral("update Hv_Cidlist set WavFile=%1 where id=%2 and WavFile=''")
                                       .arg(sqltext::quoted(call.wavFile), call.id.toText()));
            });
}

} // namespace login
