// The work-mode window: shows and stores this computer's own settings row,
// whatever database the run uses, and tests a shared folder.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/ui/windows.h"

#include <QDir>
#include <QFile>

namespace {

const QString kSaved = QStringLiteral("设置成功,重新启动程序后生效！");

class WorkMode : public ScratchProgram {
protected:
    ui::Form* openWindow() { return ui::Windows::open(QStringLiteral("frmNetSet")); }
    ui::OptionButton* option(int n) { return window()->control<ui::OptionButton>(QStringLiteral("Option%1").arg(n)); }
    ui::TextBox* folder() { return window()->control<ui::TextBox>(QStringLiteral("text1")); }
    ui::PictureButton* testButton() { return window()->control<ui::PictureButton>(QStringLiteral("command1")); }
    void save() { window()->control<ui::PictureButton>(QStringLiteral("command2"))->click(); }
    ui::Form* window() { return ui::Windows::loaded(QStringLiteral("frmNetSet")); }

    void setLocalRow(const QString& mode, const QString& workPath)
    {
        database::openLocal()->execute(QStringLiteral("update DriveInfo set WorkModel=") + sqltext::quoted(mode)
                                       + QStringLiteral(", WorkPath=") + sqltext::quoted(workPath));
    }
    QString localRow()
    {
        auto local = database::openLocal();
        db::Recordset row;
        row.open(QStringLiteral("select WorkModel, WorkPath from DriveInfo"), *local, db::CursorType::Keyset);
        return row.eof() ? QString() : row.field(0).toText() + QLatin1Char('|') + row.field(1).toText();
    }
};

TEST_F(WorkMode, ShowsTheStoredModeAndSwitchesThePathBoxWithIt)
{
    const QString initial = QStringLiteral("\\\\hvserver\\hvcrm$");
    struct Case {
        const char* mode;
        int selected;   // 0: none
        bool pathEnabled;
        QString shownPath;
    };
    const Case cases[] = {
        {"1", 1, true, QStringLiteral("/srv/shared")}, {"2", 2, false, initial},
        {"3", 3, false, initial},                      {"9", 0, true, initial},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ui::Windows::unloadAll();
        setLocalRow(QString::fromLatin1(c.mode), QStringLiteral("/srv/shared"));
        openWindow();
        for (int n = 1; n <= 3; ++n) EXPECT_EQ(option(n)->value(), n == c.selected) << n;
        EXPECT_EQ(folder()->isEnabled(), c.pathEnabled);
        EXPECT_EQ(testButton()->isEnabled(), c.pathEnabled);
        EXPECT_EQ(folder()->text(), c.shownPath);
    }
    option(3)->click();
    EXPECT_FALSE(folder()->isEnabled() || testButton()->isEnabled());
    option(1)->click();
    EXPECT_FALSE(option(3)->value());
    EXPECT_TRUE(folder()->isEnabled() && testButton()->isEnabled());
}

TEST_F(WorkMode, StoresTheModeInTheLocalRowForTheNextLogin)
{
    // The run uses a shared file; the window works on this computer's own row.
    const QString shared = path(QStringLiteral("server"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/hvcrm.hvd")), shared + QStringLiteral("/hvcrm.hvd")));
    setLocalRow(QStringLiteral("1"), QStringLiteral("/kept"));
    Mymode::ConnectString = database::connectStringFor(shared);
    exec(QStringLiteral("update DriveInfo set WorkModel='3'"));

    openWindow();
    option(2)->click();
    save();
    expectOnly(kSaved);
    EXPECT_EQ(localRow(), QStringLiteral("2|/kept"));
    EXPECT_EQ(scalar(QStringLiteral("select WorkModel from DriveInfo")), QStringLiteral("3"));

    const QString missing = path(QStringLiteral("nowhere/hvcrm"));
    option(1)->click();
    folder()->setText(QStringLiteral("  ") + missing + QStringLiteral(" "));
    save();
    expectOnly(kSaved);
    EXPECT_EQ(localRow(), QStringLiteral("1|") + missing);
    EXPECT_NE(window(), nullptr);

    // The next login uses the folder; it is not there, so nothing is listed or made.
    ui::Form* login = ui::Windows::open(QStringLiteral("frmLogin"));
    EXPECT_EQ(Mymode::ConnectString, QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;"
                                                    "Data source =") + missing + QStringLiteral("/hvcrm.hvd;Jet OLEDB:Database"));
    EXPECT_EQ(login->control<ui::ComboBox>(QStringLiteral("text1"))->listCount(), 0);
    EXPECT_FALSE(QDir(missing).exists());
}

TEST_F(WorkMode, RefusesWhatItCannotStoreAndKeepsTheBoxes)
{
    setLocalRow(QStringLiteral("9"), QStringLiteral("/before"));
    openWindow();
    save();
    expectOnly(QStringLiteral("请选择本机工作模式"));
    option(1)->click();
    folder()->setText(QStringLiteral("   "));
    save();
    expectOnly(QStringLiteral("共享目录名称不能为空"));
    EXPECT_EQ(localRow(), QStringLiteral("9|/before"));

    // No settings row: the save says so instead of reporting success.
    database::openLocal()->execute(QStringLiteral("delete from DriveInfo"));
    folder()->setText(QStringLiteral("/typed"));
    save();
    expectOnly(QStringLiteral("设置保存失败，工作模式没有改变"), ui::Icon::Error, QStringLiteral("工作模式设置"));
    EXPECT_EQ(folder()->text(), QStringLiteral("/typed"));
    EXPECT_TRUE(option(1)->value());
}

TEST_F(WorkMode, TheShareTestLooksForTheDatabaseFileInTheFolder)
{
    const QString withFile = path(QStringLiteral("share"));
    const QString withFolder = path(QStringLiteral("odd"));
    ASSERT_TRUE(QDir().mkpath(withFile));
    ASSERT_TRUE(QDir().mkpath(withFolder + QStringLiteral("/hvcrm.hvd")));   // a folder of that name, not a file
    ASSERT_TRUE(QFile(withFile + QStringLiteral("/hvcrm.hvd")).open(QIODevice::WriteOnly));

    const std::pair<QString, bool> cases[] = {
        {withFile, true}, {QStringLiteral("  ") + withFile + QStringLiteral("  "), true}, {withFolder, false},
        // Typed as a Windows share is written: the login reads each backslash as "/".
        {QString(withFile).replace(QLatin1Char('/'), QLatin1Char('\\')), true},
        {path(QStringLiteral("missing")), false}, {QStringLiteral("   "), false},
    };
    setLocalRow(QStringLiteral("1"), QString());
    openWindow();
    for (const auto& [typed, found] : cases) {
        SCOPED_TRACE(typed.toStdString());
        folder()->setText(typed);
        testButton()->click();
        if (found) expectOnly(QStringLiteral("测试成功"), ui::Icon::Information, QStringLiteral("连接测试"));
        else expectOnly(QStringLiteral("测试失败"), ui::Icon::Error, QStringLiteral("连接测试"));
    }
}

} // namespace
