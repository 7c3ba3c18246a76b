#pragma once
// The recording file a call-log row names: a bare file name in the program's
// WavFile folder.
#include <QString>

namespace recordingfile {

// The file's path, or an empty text when the stored name is not a bare file
// name (it is blank, holds "/" or "\", or is "." or ".." between blanks):
// such a name names no file, so nothing outside the folder is ever played or
// deleted.
QString pathOf(const QString& storedName);

// Whether the path names something in the folder (a dangling link too).
bool present(const QString& path);

enum class Removal { Removed, Missing, Refused };
// Removes the file of the path; a path that names nothing is Missing.
Removal remove(const QString& path);

} // namespace recordingfile
