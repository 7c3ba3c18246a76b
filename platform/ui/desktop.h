#pragma once
// What the program asks of the desktop around it.
#include <QString>
#include <QVariant>

namespace ui {

// The program's title: the default message-box title and the settings store's name.
QString programTitle();

// The folder that holds the program file; tests point it at a scratch folder.
QString programFolder();
void setProgramFolderForTests(const QString& folder);
// program folder + "/" + relative path
QString programPath(const QString& relative);

// Opens a file or web address with the desktop's default program; false when it cannot.
bool openWithDesktop(const QString& fileOrUrl);
// Starts a program file; false when it cannot be started.
bool startProgram(const QString& path);

// The per-user settings store, under the program's title: write only.
void saveSetting(const QString& section, const QString& key, const QVariant& value);

// Only one copy of the program runs per user: the first call takes the guard
// (a lock file in the temporary folder) for the rest of the run; false when
// another live copy holds it.
bool acquireSingleInstance();

} // namespace ui
