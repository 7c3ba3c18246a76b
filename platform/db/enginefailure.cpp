#include "platform/db/enginefailure.h"

#include <sqlite3.h>

namespace db::detail {

namespace {

// The words for the failures an operator meets and can act on.
const char* wordsFor(int code, const QString& engineText)
{
    switch (code) {
    case SQLITE_FULL: return "磁盘已满，数据没有写入：请腾出磁盘空间后再试";
    case SQLITE_CANTOPEN: return "无法打开数据文件：请检查数据文件夹是否存在、能否访问";
    case SQLITE_READONLY: return "数据文件只能读不能写：请让数据文件夹和数据文件可以写入（检查权限或共享设置）";
    case SQLITE_NOTADB: return "这个文件不是本系统的数据文件，或已损坏：请换回备份的数据文件";
    case SQLITE_CORRUPT: return "数据文件已损坏：请换回备份的数据文件";
    case SQLITE_IOERR: return "读写数据文件时出错：请检查磁盘或网络连接后再试";
    case SQLITE_ERROR:
        if (engineText.startsWith(QLatin1String("no such table")))
            return "数据文件中缺少数据表：这个数据文件不完整或不是本系统的，请换回备份的数据文件";
        return nullptr;
    default: return nullptr;
    }
}

} // namespace

QString engineFailureText(int code, const QString& engineText)
{
    const char* words = wordsFor(code, engineText);
    if (!words) return engineText;
    return QString::fromUtf8(words) + QStringLiteral("（") + engineText + QStringLiteral("）");
}

} // namespace db::detail
