#include "chrome/errors.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace chrome {

namespace {

std::string describe(int n)
{
    switch (n) {
    case errCantSubclass: return "Can't subclass window";
    case errAlreadyHandled: return "Message already handled by another class";
    case errInvalidWindow: return "Invalid window";
    case errExternalWindow: return "Can't modify external window";
    case errTooManyTimers: return "No more than 10 timers allowed per class";
    case errNoSystemTimer: return "Can't create system timer";
    default: return "Error " + std::to_string(n);
    }
}

// The executable's base name, without folder or extension.
std::string programName()
{
    QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    if (path.isEmpty()) path = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return QFileInfo(path).completeBaseName().toStdString();
}

} // namespace

ChromeError::ChromeError(int n)
    : std::runtime_error(describe(n)),
      n_(n),
      number_(int32_t(0x80040000u + uint32_t(n))),
      source_(programName() + ".WindowProc"),
      description_(describe(n))
{
}

void raiseChromeError(int n) { throw ChromeError(n); }

} // namespace chrome
