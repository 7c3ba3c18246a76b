#pragma once
// Test files kept in the repository under tests/fixtures.
#include <QFileInfo>
#include <QString>
#include <stdexcept>

// The path of tests/fixtures/import/<name>. A missing file ends the test that
// asked for it with a clear failure, not with a crash of the test program.
inline QString importFixture(const QString& name)
{
    const QString path = QStringLiteral(HALVEX_FIXTURES_DIR "/import/") + name;
    if (!QFileInfo::exists(path))
        throw std::runtime_error("missing test fixture " + path.toStdString() + " (tests/fixtures/import in the repository)");
    return path;
}
