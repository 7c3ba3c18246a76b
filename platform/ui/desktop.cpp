#include "platform/ui/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QUrl>
#include <memory>

namespace ui {

namespace {
QString& programFolderForTests()
{
    static QString folder;
    return folder;
}
} // namespace

QString programTitle()
{
    return QStringLiteral("Halvex来电显示客户管理系统");
}

QString programFolder()
{
    const QString& forTests = programFolderForTests();
    return forTests.isEmpty() ? QCoreApplication::applicationDirPath() : forTests;
}

void setProgramFolderForTests(const QString& folder)
{
    programFolderForTests() = folder;
}

QString programPath(const QString& relative)
{
    return programFolder() + QLatin1Char('/') + relative;
}

bool openWithDesktop(const QString& fileOrUrl)
{
    const QUrl url(fileOrUrl);
    if (url.scheme().size() > 1 && !QFileInfo::exists(fileOrUrl))   // "http:", not a drive letter
        return QDesktopServices::openUrl(url);
    if (!QFileInfo::exists(fileOrUrl)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(fileOrUrl).absoluteFilePath()));
}

bool startProgram(const QString& path)
{
    const QFileInfo program(path);
    if (!program.isFile()) return false;
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}

void saveSetting(const QString& section, const QString& key, const QVariant& value)
{
    QSettings settings(programTitle(), programTitle());
    settings.beginGroup(section);
    settings.setValue(key, value);
}

bool acquireSingleInstance()
{
    static std::unique_ptr<QLockFile> guard;
    if (guard) return true;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) user = QDir::home().dirName();
    auto lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/halvex-") + user
                                            + QStringLiteral(".lock"));
    // Held for the whole run, however long: only a dead holder's lock is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    guard = std::move(lock);
    return true;
}

} // namespace ui
