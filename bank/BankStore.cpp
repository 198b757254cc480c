#include "BankStore.h"

#include "BankFormat.h"
#include "JetConversion.h"
#include "common/AppPaths.h"
#include "common/Failure.h"
#include "common/ReplaceFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#endif

namespace kemuyi {

namespace {

const char kCategoryFilter[] = "SELECT * FROM TK WHERE TYPE LIKE '%' || ?1 || '%' ESCAPE '\\'";
const char kCategoryIds[] =
    "SELECT * FROM TK WHERE TYPE LIKE '%' || ?1 || '%' ESCAPE '\\' ORDER BY ID";
const char kSelectById[] = "SELECT * FROM TK WHERE ID = ?1";

// The code is a plain substring: LIKE's own wildcards in it must match only themselves.
QString likeLiteral(const QString &code)
{
    QString escaped;
    for (const QChar c : code) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

QString writeFailure(const QString &destination, const QString &reason)
{
    return QStringLiteral("写入题库副本 %1 失败：%2").arg(destination, reason);
}

#ifdef Q_OS_LINUX
enum class KernelCopy { Done, Unsupported };

// Lets the kernel move the bytes between the two open files, without a round trip through our
// memory. Falls back (Unsupported) only before the first byte, e.g. across file systems.
KernelCopy copyInKernel(QFile &in, QFile &out, const QString &source, const QString &destination)
{
    const qint64 expected = in.size();
    qint64 copied = 0;
    for (;;) {
        const ssize_t got = ::copy_file_range(in.handle(), nullptr, out.handle(), nullptr,
                                              size_t(qMax<qint64>(expected - copied, 1 << 20)), 0);
        if (got < 0) {
            const int error = errno;
            if (copied == 0 && (error == ENOSYS || error == EXDEV || error == EINVAL || error == EOPNOTSUPP))
                return KernelCopy::Unsupported;
            throw Failure(writeFailure(destination, QString::fromLocal8Bit(std::strerror(error))));
        }
        if (got == 0)
            break;
        copied += got;
    }
    if (copied != expected)
        throw Failure(QStringLiteral("读取题库文件 %1 失败：文件在复制时发生了变化").arg(source));
    return KernelCopy::Done;
}
#endif

void copyBytes(QFile &in, QFile &out, const QString &source, const QString &destination)
{
#ifdef Q_OS_LINUX
    if (copyInKernel(in, out, source, destination) == KernelCopy::Done)
        return;
#endif
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    const qint64 expected = in.size();
    qint64 copied = 0;
    for (;;) {
        const qint64 got = in.read(buffer.data(), kChunk);
        if (got < 0)
            throw Failure(QStringLiteral("读取题库文件 %1 失败：%2").arg(source, in.errorString()));
        if (got == 0)
            break;
        if (out.write(buffer.constData(), got) != got)
            throw Failure(writeFailure(destination, out.errorString()));
        copied += got;
    }
    if (copied != expected)
        throw Failure(QStringLiteral("读取题库文件 %1 失败：文件在复制时发生了变化").arg(source));
    if (!out.flush())
        throw Failure(writeFailure(destination, out.errorString()));
}

// In a temporary folder shared with other users, someone else could plant a file or a link at
// the working copy's fixed name; such a file is not ours to read.
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

QString damagedBank(const QString &path, const QString &reason)
{
    return QStringLiteral("题库文件已损坏：%1（%2）").arg(path, reason);
}

// A bank damaged by a bad download or a full disk is refused at once with a clear message,
// instead of failing later in some query with SQLite's own words.
void verifyIntegrity(const SqliteDb &db)
{
    QString verdict;
    try {
        SqliteStatement check(db, "PRAGMA quick_check(1)");
        verdict = check.step() ? check.text(0) : QStringLiteral("没有检查结果");
    } catch (const Failure &) {
        throw Failure(damagedBank(db.path(), db.lastError()));
    }
    if (verdict != QLatin1String("ok"))
        throw Failure(damagedBank(db.path(), verdict));
}

void verifySchema(const SqliteDb &db)
{
    SqliteStatement table(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name = 'TK' COLLATE NOCASE");
    if (!table.step())
        throw Failure(QStringLiteral("题库 %1 中没有题目表 TK").arg(db.path()));

    QStringList columns;
    SqliteStatement info(db, "PRAGMA table_info(TK)");
    while (info.step())
        columns.append(info.text(info.findColumn(QStringLiteral("name"))).toLower());
    const char *required[] = {"id", "type", "subject", "a", "b", "c", "d", "pic", "select", "answer"};
    for (const char *column : required) {
        if (!columns.contains(QLatin1String(column)))
            throw Failure(QStringLiteral("题库 %1 的题目表 TK 缺少字段 %2").arg(db.path(), QLatin1String(column)));
    }
}

} // namespace

QString bankSourcePath()
{
    return AppDir() + QStringLiteral("examdb.lib");
}

QString workingCopyPath()
{
    return GetTempDirectory() + QStringLiteral("e9p7k6m8.lib");
}

void FileCopy(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("无法打开题库文件 %1：%2").arg(source, in.errorString()));

    const QFileInfo destInfo(destination);
    QTemporaryFile out(destInfo.absolutePath() + QLatin1Char('/') + destInfo.fileName()
                       + QStringLiteral(".XXXXXX"));
    if (!out.open())
        throw Failure(QStringLiteral("无法在 %1 中创建题库副本：%2")
                          .arg(destInfo.absolutePath(), out.errorString()));

    copyBytes(in, out, source, destination);
    out.close();

    if (const auto error = replaceFile(out.fileName(), destination))
        throw Failure(QStringLiteral("无法写入题库副本 %1：%2").arg(destination, *error));
    out.setAutoRemove(false);
}

void CopyBank()
{
    const QString source = bankSourcePath();
    const BankFormat format = detectBankFormatOfFile(source);
    if (isJetFormat(format) || format == BankFormat::Accdb)
        convertJetBank(source, workingCopyPath());
    else
        FileCopy(source, workingCopyPath());
}

BankStore::BankStore() = default;
BankStore::~BankStore() = default;

void BankStore::OpenBank()
{
    OpenBank(workingCopyPath());
}

void BankStore::OpenBank(const QString &path)
{
    m_record.reset();
    m_selectById.reset();
    m_db.close();
    refuseForeignFile(path);
    m_db.openReadOnly(path);
    try {
        verifyIntegrity(m_db);
        verifySchema(m_db);
    } catch (...) {
        m_db.close();
        throw;
    }
}

void BankStore::prepareCategoryFilter(SqliteStatement &statement, const QString &code) const
{
    statement.bind(1, likeLiteral(code));
}

BankStore::Record BankStore::captureRow(const SqliteStatement &statement)
{
    Record record;
    const int columns = statement.columnCount();
    record.names.reserve(columns);
    record.values.reserve(columns);
    for (int i = 0; i < columns; ++i) {
        record.names.append(statement.columnName(i));
        if (statement.isNull(i))
            record.values.append(std::nullopt);
        else
            record.values.append(statement.text(i));
    }
    return record;
}

int BankStore::QueryCategoryCount(const QString &code)
{
    m_record.reset();
    SqliteStatement statement(m_db, kCategoryFilter);
    prepareCategoryFilter(statement, code);
    int count = 0;
    std::optional<Record> last;
    while (statement.step()) {
        last = captureRow(statement);
        ++count;
    }
    m_record = std::move(last);
    return count;
}

QVector<qint32> BankStore::QueryCategoryIds(const QString &code)
{
    m_record.reset();
    SqliteStatement statement(m_db, kCategoryIds);
    prepareCategoryFilter(statement, code);
    const int idColumn = statement.findColumn(QStringLiteral("id"));
    QVector<qint32> ids;
    while (statement.step()) {
        if (idColumn < 0 || statement.isNull(idColumn))
            throw Failure(QStringLiteral("题库 %1 中有题目缺少题号（ID）").arg(m_db.path()));
        bool ok = false;
        const QString text = statement.text(idColumn);
        const qint32 id = text.toInt(&ok);
        if (!ok)
            throw Failure(QStringLiteral("题库 %1 中的题号“%2”不是有效的整数").arg(m_db.path(), text));
        ids.append(id);
    }
    return ids;
}

void BankStore::SelectQuestion(qint32 id)
{
    m_record.reset();
    if (!m_selectById)
        m_selectById = std::make_unique<SqliteStatement>(m_db, kSelectById);
    m_selectById->reset();
    m_selectById->bind(1, qint64(id));
    if (m_selectById->step())
        m_record = captureRow(*m_selectById);
    m_selectById->reset();
}

QString BankStore::FieldText(const QString &name) const
{
    if (!m_record)
        throw Failure(QStringLiteral("没有当前题目，无法读取字段 %1").arg(name));
    for (int i = 0; i < m_record->names.size(); ++i) {
        if (m_record->names.at(i).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto &value = m_record->values.at(i);
        if (!value) {
            const int idColumn = m_record->names.indexOf(QRegularExpression(QStringLiteral("^id$"),
                                                                            QRegularExpression::CaseInsensitiveOption));
            const QString id = idColumn >= 0 ? m_record->values.at(idColumn).value_or(QStringLiteral("?"))
                                             : QStringLiteral("?");
            throw Failure(QStringLiteral("题号 %1 的字段 %2 为空值（NULL）").arg(id, name));
        }
        return *value;
    }
    throw Failure(QStringLiteral("题库中没有字段 %1").arg(name));
}

} // namespace kemuyi
