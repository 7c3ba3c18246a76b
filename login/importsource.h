#pragma once
// Opening the import's source file, with the one message per reason it
// cannot be read.
#include "platform/mdb/accessfile.h"

#include <memory>

namespace login {

// "您选择的是非Access数据库文件!": a path that does not end in ".mdb", or a file that is no Access database.
extern const QString kNotAccessMessage;

// The source file at `path`; nullptr once the reason it cannot be read has been shown.
std::unique_ptr<mdb::Source> openImportSource(const QString& path);

// Shows why the source file or one of its tables cannot be read.
void showSourceError(const mdb::Error& error);

} // namespace login
