// The administration windows while another workstation holds the data file:
// a read that fails says why and shows nothing as if stored, a settings
// window then cannot save its defaults over the stored row, a refused delete
// says nothing of kept input; once the file is free the same action passes.
#include "tests/support/busyfile.h"
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/readfailure.h"
#include "common/sqltext.h"
#include "platform/db/busywait.h"
#include "platform/ui/waitcursor.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <functional>

namespace {

using Hold = OtherWorkstationWriting::Hold;

const QString kBusyRead = QString::fromUtf8(readfailure::kBusyText);

class HeldFile : public ScratchProgram {
protected:
    static ui::PictureButton* button(ui::Form* form, const char* name)
    {
        return form->control<ui::PictureButton>(QLatin1String(name));
    }
    static QString boxText(ui::Form* form, const char* name)
    {
        return form->control<ui::TextBox>(QLatin1String(name))->text();
    }
    static ui::DataGrid* grid(ui::Form* form) { return form->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
    // The next action waits for the file again.
    static void backToTheEventLoop() { QCoreApplication::processEvents(); }
};

TEST_F(HeldFile, ASettingsWindowThatCannotReadItsRowSaysWhyAndCannotSaveOverIt)
{
    database::openLocal()->execute(QStringLiteral("update DriveInfo set WorkModel='1', WorkPath='/srv/shared'"));
    exec(QStringLiteral("update DriveInfo set KH_name='好帮手'"));
    const struct {
        const char* kind;
        const char* save;
        const char* box;
        const char* stored;   // what the box shows once the row is read
        const char* saved;    // the save's message then
    } cases[] = {
        {"frmNetSet", "command2", "text1", "/srv/shared", "设置成功,重新启动程序后生效！"},
        {"CompanySet", "command2", "kh_name", "好帮手", "设置已生效"},
    };
    const QString row = QStringLiteral("select WorkModel || WorkPath || KH_name from DriveInfo");
    const QString before = scalar(row);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ui::Form* window = nullptr;
        {
            OtherWorkstationWriting other(Hold::Exclusive);
            window = ui::Windows::open(QLatin1String(c.kind));
            EXPECT_NE(boxText(window, c.box), QString::fromUtf8(c.stored));
            EXPECT_FALSE(button(window, c.save)->isEnabled());
            button(window, c.save)->click();
        }
        expectOnly(kBusyRead);
        EXPECT_EQ(scalar(row), before);

        ui::Windows::unload(window);
        backToTheEventLoop();
        window = ui::Windows::open(QLatin1String(c.kind));
        EXPECT_EQ(boxText(window, c.box), QString::fromUtf8(c.stored));
        button(window, c.save)->click();
        expectOnly(QString::fromUtf8(c.saved));
        EXPECT_EQ(scalar(row), before);
        ui::Windows::unloadAll();
    }
}

// The operator list of the login, the login itself, the operators window and
// a reference list: each says why instead of showing no rows or no operator.
TEST_F(HeldFile, AReadThatFailsSaysWhyAndShowsNothingAsIfStored)
{
    exec(QStringLiteral("update sys_user set user_pwd='pw'"));
    const struct {
        const char* what;
        std::function<ui::Form*()> open;      // run before the hold
        std::function<void(ui::Form*)> act;   // run while the file is held, then once it is free
        std::function<bool(ui::Form*)> shownAsStored;
    } cases[] = {
        {"login",
         [] { return ui::Windows::open(QStringLiteral("frmLogin")); },
         [](ui::Form* login) {
             login->control<ui::TextBox>(QStringLiteral("text2"))->setText(QStringLiteral("pw"));
             button(login, "command1")->click();
         },
         [](ui::Form*) { return ui::Windows::loaded(QStringLiteral("frmMain")) != nullptr; }},
        {"operators",
         [] { return nullptr; },
         [](ui::Form*) { ui::Windows::open(QStringLiteral("frmUserManage")); },
         [](ui::Form*) {
             ui::Form* window = ui::Windows::loaded(QStringLiteral("frmUserManage"));
             return grid(window)->rowCount() == 1;
         }},
        {"reference list",
         [] { return nullptr; },
         [](ui::Form*) { ui::Windows::open(QStringLiteral("setregarding")); },
         [](ui::Form*) { return grid(ui::Windows::loaded(QStringLiteral("setregarding")))->rowCount() > 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ui::Form* window = c.open();
        messages.clear();
        {
            OtherWorkstationWriting other(Hold::Exclusive);
            c.act(window);
            EXPECT_FALSE(c.shownAsStored(window));
        }
        expectOnly(kBusyRead);

        backToTheEventLoop();
        if (!window) ui::Windows::unloadAll();
        c.act(window);
        EXPECT_TRUE(c.shownAsStored(window));
        EXPECT_TRUE(messages.shown().empty());
        ui::Windows::unloadAll();
        loginAs(QStringLiteral("system"), allRights());
    }
}

TEST_F(HeldFile, ADeleteRefusedOnAHeldFileSaysSoAndNothingOfKeptInput)
{
    exec(QStringLiteral("insert into sys_user (user_name, permission) values ('clerk', '0')"));
    const QString refused = QStringLiteral("记录删除失败，数据未改变。另一台电脑正在使用数据文件，这次没有改变任何数据，请再试一次");
    const struct {
        const char* kind;
        const char* remove;
        const char* rows;
        Hold hold;
    } cases[] = {
        {"setregarding", "command1", "select count(*) from regarding", Hold::Write},
        {"setregarding", "command1", "select count(*) from regarding", Hold::Exclusive},
        {"frmUserManage", "Command4", "select count(*) from sys_user", Hold::Write},
        {"frmUserManage", "Command4", "select count(*) from sys_user", Hold::Exclusive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + (c.hold == Hold::Write ? " write" : " exclusive"));
        ui::Form* window = ui::Windows::open(QLatin1String(c.kind));
        grid(window)->setCurrentRow(grid(window)->rowCount() - 1);
        const int rows = count(QLatin1String(c.rows));
        messages.clear();
        {
            OtherWorkstationWriting other(c.hold);
            messages.answerNext(ui::Answer::Yes);
            button(window, c.remove)->click();
        }
        ASSERT_EQ(messages.shown().size(), 2u);
        EXPECT_EQ(messages.shown()[1].text, refused);
        EXPECT_EQ(messages.shown()[1].title, window->caption());
        EXPECT_EQ(count(QLatin1String(c.rows)), rows);

        backToTheEventLoop();
        messages.clear();
        messages.answerNext(ui::Answer::Yes);
        grid(window)->setCurrentRow(grid(window)->rowCount() - 1);
        button(window, c.remove)->click();
        EXPECT_EQ(messages.shown().size(), 1u) << messages.lastText().toStdString();
        EXPECT_EQ(count(QLatin1String(c.rows)), rows - 1);
        ui::Windows::unloadAll();
        exec(QStringLiteral("insert into regarding (regarding) values ('again')"));
        exec(QStringLiteral("insert into sys_user (user_name, permission) values ('clerk', '0')"));
    }
}

// The login started while another workstation holds a file: every wait
// happens with the login on screen; the box says which read failed; OK then
// reads again, never "用户名不能为空" for a list that was not read and never a
// login to this computer's own file when the shop works on the shared one.
TEST_F(HeldFile, TheLoginStartedDuringAHoldIsOnScreenAndReadsAgainWhenTriedAgain)
{
    const QString local = database::localConnectString();
    const QString shared = database::connectStringFor(path(QStringLiteral("server/hvcrm")));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("server/hvcrm"))));
    for (const QString file : {QStringLiteral("hvcrm.hvd"), QStringLiteral("SMS.mdb")})
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/") + file), path(QStringLiteral("server/hvcrm/") + file)));
    Mymode::ConnectString = shared;
    exec(QStringLiteral("insert into sys_user (user_name) values ('remote')"));

    const QString noWorkMode = QStringLiteral("没能读出本机的工作模式设置，不知道该使用哪个数据文件，这次不能登录：") + kBusyRead;
    const struct {
        const char* what;
        const char* workModel;
        QString held;           // the file the other workstation holds
        QString message;        // the box at the load and at OK during the hold
        ui::Icon icon;
        QString title;
        QString ofTheRun;       // the file the login then opens
        int operators;
    } cases[] = {
        {"server, its file held", "2", local, noWorkMode, ui::Icon::Error, QStringLiteral("用户登录"), local, 1},
        {"workstation, the shared file held", "1", shared, kBusyRead, ui::Icon::None, QString(), shared, 2},
        {"workstation, its own file held", "1", local, noWorkMode, ui::Icon::Error, QStringLiteral("用户登录"), shared, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        database::openLocal()->execute(QStringLiteral("update DriveInfo set WorkModel='%1', WorkPath=%2")
                                           .arg(QLatin1String(c.workModel), sqltext::quoted(path(QStringLiteral("server/hvcrm")))));
        loginAs(QString(), QString());
        messages.clear();
        int waits = 0;
        int waitsUnseen = 0;
        db::busywait::setObserver([&](int) {
            ++waits;
            ui::Form* login = ui::Windows::loaded(QStringLiteral("frmLogin"));
            if (!login || !login->isVisible()) ++waitsUnseen;
        });
        ui::Form* login = nullptr;
        {
            Mymode::ConnectString = c.held;
            OtherWorkstationWriting other(Hold::Exclusive);
            login = ui::Windows::open(QStringLiteral("frmLogin"));
            expectOnly(c.message, c.icon, c.title);
            EXPECT_EQ(login->control<ui::ComboBox>(QStringLiteral("text1"))->listCount(), 0);
            db::busywait::endAction();
            button(login, "command1")->click();
            expectOnly(c.message, c.icon, c.title);
            EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmMain")), nullptr);
            // No file chosen while the settings row could not be read.
            EXPECT_EQ(Mymode::ConnectString, c.message == kBusyRead ? c.ofTheRun : QString());
        }
        EXPECT_GT(waits, 0);
        EXPECT_EQ(waitsUnseen, 0);
        ui::showWaitsForTheDataFile();
        db::busywait::endAction();

        button(login, "command1")->click();
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        EXPECT_EQ(Mymode::ConnectString, c.ofTheRun);
        EXPECT_EQ(login->control<ui::ComboBox>(QStringLiteral("text1"))->listCount(), c.operators);
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmMain")), nullptr) << "the operator chooses first";
        button(login, "command1")->click();
        EXPECT_EQ(Mymode::OperatorName, QStringLiteral("system"));
        EXPECT_NE(ui::Windows::loaded(QStringLiteral("frmMain")), nullptr);
        ui::Windows::unloadAll();
    }
}

} // namespace
