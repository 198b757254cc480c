#include "ProgressExport.h"

#include "common/Failure.h"
#include "common/ReplaceFile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

namespace kemuyi {

namespace {

QString csvField(const QString &value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList &fields)
{
    QStringList escaped;
    for (const QString &field : fields)
        escaped.append(csvField(field));
    return escaped.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

QString timeText(qint64 ms)
{
    return ms <= 0 ? QString() : QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("是") : QStringLiteral("否");
}

} // namespace

QString recordsCsv(const ProgressStore &store, const QString &bank, qint64 nowMs)
{
    QString csv = csvLine({QStringLiteral("模拟考试记录")});
    csv += csvLine({QStringLiteral("交卷时间"), QStringLiteral("类别"), QStringLiteral("得分"), QStringLiteral("及格"),
                    QStringLiteral("超时"), QStringLiteral("用时（分:秒）")});
    for (const ScoreRecord &score : store.allScores()) {
        csv += csvLine({timeText(score.finishedMs), score.category, QString::number(score.score), yesNo(score.passed),
                        yesNo(score.timedOut), clockText(score.durationMs)});
    }
    csv += QStringLiteral("\r\n");
    csv += csvLine({QStringLiteral("每题学习记录")});
    csv += csvLine({QStringLiteral("题号"), QStringLiteral("作答次数"), QStringLiteral("答对次数"),
                    QStringLiteral("上次作答"), QStringLiteral("记忆稳定性（天）"), QStringLiteral("难度（1–10）"),
                    QStringLiteral("现在记得的把握"), QStringLiteral("下次复习"), QStringLiteral("已掌握"),
                    QStringLiteral("在错题本中")});
    const QHash<qint32, QuestionRecord> records = store.questionRecords(bank);
    QVector<qint32> ids = records.keys().toVector();
    std::sort(ids.begin(), ids.end());
    const QVector<qint32> book = store.bookQuestions(bank);
    const QSet<qint32> inBook(book.cbegin(), book.cend());
    for (qint32 id : std::as_const(ids)) {
        const QuestionRecord &record = records[id];
        const MemoryState &state = record.memory;
        csv += csvLine({QString::number(id), QString::number(record.answers), QString::number(record.right),
                        timeText(state.lastSeenMs), QString::number(state.stability, 'f', 1),
                        QString::number(state.difficulty, 'f', 1),
                        QStringLiteral("%1%").arg(std::lround(memory::recallProbability(state, nowMs) * 100)),
                        timeText(memory::dueMs(state)), yesNo(memory::isMastered(state)), yesNo(inBook.contains(id))});
    }
    return csv;
}

void exportRecords(const ProgressStore &store, const QString &bank, const QString &path, qint64 nowMs)
{
    const QByteArray content = QByteArray("\xEF\xBB\xBF") + recordsCsv(store, bank, nowMs).toUtf8();
    const QFileInfo target(path);
    QTemporaryFile file(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throw Failure(QStringLiteral("无法导出学习记录到 %1：%2").arg(path, file.errorString()));
    if (file.write(content) != content.size() || !file.flush())
        throw Failure(QStringLiteral("无法导出学习记录到 %1：%2").arg(path, file.errorString()));
    file.close();
    // Temporary files are private to their owner; an exported file is for the learner to share.
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                        | QFileDevice::ReadOther);
    if (const auto error = replaceFile(file.fileName(), path))
        throw Failure(QStringLiteral("无法导出学习记录到 %1：%2").arg(path, *error));
    file.setAutoRemove(false);
}

} // namespace kemuyi
