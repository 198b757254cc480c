#include "BankChecks.h"

#include "QuestionTable.h"
#include "Sqlite.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace kemuyi {

void refuseForeignFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return; // opening reports the missing file
    bool ours = info.isFile() && !info.isSymLink();
#ifdef Q_OS_UNIX
    ours = ours && info.ownerId() == uint(::geteuid());
#endif
    if (!ours)
        throw Failure(QStringLiteral("题库文件 %1 不是当前用户的普通文件，已拒绝打开").arg(path));
}

void verifyIntegrity(const SqliteDb &db)
{
    SqliteStatement check(db, "PRAGMA quick_check(1)");
    const QString verdict = check.step() ? check.text(0) : QStringLiteral("没有检查结果");
    if (verdict != QLatin1String("ok"))
        throw Failure(damagedBankMessage(db.path(), verdict));
}

void verifySchema(const SqliteDb &db)
{
    const TkShape shape = inspectTk(db);
    if (!shape.exists)
        throw Failure(QStringLiteral("题库 %1 中没有题目表 TK").arg(db.path()));
    if (!shape.missingColumns.isEmpty())
        throw Failure(QStringLiteral("题库 %1 的题目表 TK 缺少字段 %2").arg(db.path(), shape.missingColumns.first()));
}

} // namespace kemuyi
