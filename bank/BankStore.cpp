#include "BankStore.h"

#include "common/AppPaths.h"
#include "common/Failure.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

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

std::filesystem::path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

void copyBytes(QFile &in, QFile &out, const QString &source, const QString &destination)
{
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
            throw Failure(QStringLiteral("写入题库副本 %1 失败：%2").arg(destination, out.errorString()));
        copied += got;
    }
    if (copied != expected)
        throw Failure(QStringLiteral("读取题库文件 %1 失败：文件在复制时发生了变化").arg(source));
    if (!out.flush())
        throw Failure(QStringLiteral("写入题库副本 %1 失败：%2").arg(destination, out.errorString()));
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

    std::error_code error;
    std::filesystem::rename(nativePath(out.fileName()), nativePath(destination), error);
    if (error)
        throw Failure(QStringLiteral("无法写入题库副本 %1：%2")
                          .arg(destination, QString::fromLocal8Bit(error.message().c_str())));
    out.setAutoRemove(false);
}

void CopyBank()
{
    FileCopy(bankSourcePath(), workingCopyPath());
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
    m_db.openReadOnly(path);
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
        if (!value)
            throw Failure(QStringLiteral("题目的字段 %1 为空值（NULL）").arg(name));
        return *value;
    }
    throw Failure(QStringLiteral("题库中没有字段 %1").arg(name));
}

} // namespace kemuyi
