#include "login/importsource.h"

#include "platform/ui/msgbox.h"

namespace login {

const QString kNotAccessMessage = QStringLiteral("您选择的是非Access数据库文件!");

void showSourceError(const mdb::Error& error)
{
    using Reason = mdb::Error::Reason;
    switch (error.reason()) {
    case Reason::Missing: ui::msgBox(QStringLiteral("找不到数据库文件：") + error.detail()); return;
    case Reason::Unreadable: ui::msgBox(QStringLiteral("无法读取数据库文件：") + error.detail()); return;
    case Reason::NotAccess: ui::msgBox(kNotAccessMessage); return;
    case Reason::Damaged: ui::msgBox(QStringLiteral("数据库文件已损坏，无法读取：") + error.detail()); return;
    case Reason::NoSuchTable: ui::msgBox(QStringLiteral("数据库文件中没有数据表：") + error.detail()); return;
    }
}

std::unique_ptr<mdb::Source> openImportSource(const QString& path)
{
    try {
        return mdb::openAccessFile(path);
    } catch (const mdb::Error& error) {
        showSourceError(error);
        return nullptr;
    }
}

} // namespace login
