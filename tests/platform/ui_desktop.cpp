// Message boxes (scripted and real), the program folder, starting programs,
// the settings store and the single-instance guard.
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(UiMessages, ScriptedMessagesRecordEveryBoxAndAnswerQuestionsFromTheQueue)
{
    ui::ScriptedMessages messages;
    messages.answerNext(ui::Answer::No);
    messages.answerNext(ui::Answer::Cancel);

    EXPECT_EQ(ui::msgBox(QStringLiteral("客户名称不能为空")), ui::Answer::Ok);   // takes no queued answer
    EXPECT_EQ(ui::msgBox(QStringLiteral("真要删除当前记录吗？"), ui::Buttons::YesNo), ui::Answer::No);
    EXPECT_EQ(ui::msgBox(QStringLiteral("客户已存在"), ui::Buttons::OkCancel), ui::Answer::Cancel);
    EXPECT_EQ(ui::msgBox(QStringLiteral("真要删除当前记录吗？"), ui::Buttons::YesNo), ui::Answer::Yes);
    EXPECT_EQ(ui::msgBox(QStringLiteral("客户已存在"), ui::Buttons::OkCancel), ui::Answer::Ok);
    EXPECT_EQ(ui::msgBox(QStringLiteral("用户名不能为空"), ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("用户登录")),
              ui::Answer::Ok);

    ASSERT_EQ(messages.shown().size(), 6u);
    EXPECT_EQ(messages.shown()[1].buttons, ui::Buttons::YesNo);
    const ui::Message& last = messages.shown().back();
    EXPECT_EQ(last.text, QStringLiteral("用户名不能为空"));
    EXPECT_EQ(last.icon, ui::Icon::Error);
    EXPECT_EQ(last.title, QStringLiteral("用户登录"));
    EXPECT_EQ(messages.lastText(), QStringLiteral("用户名不能为空"));
}

TEST(UiMessages, ScriptsNestAndRestoreTheServiceBeforeThem)
{
    ui::ScriptedMessages outer;
    {
        ui::ScriptedMessages inner;
        ui::msgBox(QStringLiteral("inner"));
        EXPECT_EQ(inner.shown().size(), 1u);
    }
    ui::msgBox(QStringLiteral("outer"));
    ASSERT_EQ(outer.shown().size(), 1u);
    EXPECT_EQ(outer.lastText(), QStringLiteral("outer"));
}

// The real box: a timer answers it as the operator would.
struct RealBoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

ui::Answer answerRealBox(ui::Buttons buttons, ui::Icon icon, const QString& title, QMessageBox::StandardButton press,
                         RealBoxSeen& seen)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        QStringList captions;
        for (QAbstractButton* button : box->buttons()) captions << button->text();
        captions.sort();
        seen = {box->windowTitle(), box->text(), box->icon(), captions};
        box->button(press)->click();
    });
    return ui::msgBox(QStringLiteral("真要删除当前记录吗？"), buttons, icon, title);
}

TEST(UiMessages, RealBoxShowsTextIconTitleAndButtons)
{
    RealBoxSeen seen;
    EXPECT_EQ(answerRealBox(ui::Buttons::YesNo, ui::Icon::Question, QString(), QMessageBox::No, seen), ui::Answer::No);
    EXPECT_EQ(seen.title, QStringLiteral("Halvex来电显示客户管理系统"));
    EXPECT_EQ(seen.text, QStringLiteral("真要删除当前记录吗？"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, (QStringList{"否(&N)", "是(&Y)"}));

    EXPECT_EQ(answerRealBox(ui::Buttons::OkCancel, ui::Icon::Error, QStringLiteral("连接测试"), QMessageBox::Cancel, seen),
              ui::Answer::Cancel);
    EXPECT_EQ(seen.title, QStringLiteral("连接测试"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, (QStringList{"取消", "确定"}));
}

TEST(UiDesktop, ProgramFolderPathsAndPrograms)
{
    QTemporaryDir folder;
    ui::setProgramFolderForTests(folder.path());
    EXPECT_EQ(ui::programFolder(), folder.path());
    EXPECT_EQ(ui::programPath(QStringLiteral("bmp/top.bmp")), folder.path() + QStringLiteral("/bmp/top.bmp"));

    EXPECT_FALSE(ui::startProgram(ui::programPath(QStringLiteral("Hvsms.exe"))));   // missing
    QFile notAProgram(ui::programPath(QStringLiteral("Hvsms.exe")));
    ASSERT_TRUE(notAProgram.open(QIODevice::WriteOnly));
    notAProgram.write("MZ");
    notAProgram.close();
    EXPECT_FALSE(ui::startProgram(notAProgram.fileName()));   // there, but cannot run here
    EXPECT_FALSE(ui::openWithDesktop(ui::programPath(QStringLiteral("HvCRMSimple.CHM"))));

    ui::setProgramFolderForTests(QString());
    EXPECT_EQ(ui::programFolder(), QCoreApplication::applicationDirPath());
}

TEST(UiDesktop, SettingsGoUnderTheProgramsTitleAndSection)
{
    static QTemporaryDir store;   // the store stays here for the rest of the run
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    ui::saveSetting(QStringLiteral("Settings"), QStringLiteral("MainLeft"), 1200);
    const QSettings settings(ui::programTitle(), ui::programTitle());
    EXPECT_EQ(settings.value(QStringLiteral("Settings/MainLeft")).toInt(), 1200);
}

// The single-instance guard, seen from a second copy: the test program runs
// itself again with only this probe selected.
constexpr const char* kProbeVariable = "HALVEX_SINGLE_INSTANCE_PROBE";

TEST(UiSingleInstance, Probe)
{
    if (!qEnvironmentVariableIsSet(kProbeVariable)) GTEST_SKIP() << "runs only as the second copy";
    std::_Exit(ui::acquireSingleInstance() ? 10 : 20);
}

int probeInSecondCopy()
{
    QProcess copy;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kProbeVariable), QStringLiteral("1"));
    copy.setProcessEnvironment(environment);
    copy.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=UiSingleInstance.Probe")});
    if (!copy.waitForFinished(30000)) return -1;
    return copy.exitCode();
}

TEST(UiSingleInstance, SecondCopyIsRefusedWhileTheFirstRuns)
{
    // Both copies take their guard in a folder of their own, not the real one;
    // it outlives this copy's guard, which is held to the end of the run.
    static QTemporaryDir temp;
    const QByteArray previousTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toLocal8Bit());

    EXPECT_EQ(probeInSecondCopy(), 10);   // nobody holds it: the copy gets it (and ends)
    EXPECT_TRUE(ui::acquireSingleInstance());
    EXPECT_TRUE(ui::acquireSingleInstance());   // held already by this copy
    EXPECT_EQ(probeInSecondCopy(), 20);

    qputenv("TMPDIR", previousTemp);
}

} // namespace
