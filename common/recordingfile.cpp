#include "common/recordingfile.h"

#include "platform/ui/desktop.h"

#include <QFile>
#include <QFileInfo>

namespace recordingfile {

QString pathOf(const QString& storedName)
{
    const QString trimmed = storedName.trimmed();
    if (trimmed.isEmpty() || storedName.contains(QLatin1Char('/')) || storedName.contains(QLatin1Char('\\'))
        || trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return QString();
    return ui::programPath(QStringLiteral("WavFile/") + storedName);
}

bool present(const QString& path)
{
    const QFileInfo file(path);
    return !path.isEmpty() && (file.exists() || file.isSymLink());
}

Removal remove(const QString& path)
{
    const QFileInfo file(path);
    if (!present(path)) return Removal::Missing;
    if (file.isDir() && !file.isSymLink()) return Removal::Refused;
    return QFile::remove(path) ? Removal::Removed : Removal::Refused;
}

} // namespace recordingfile
