#include "BankReview.h"

#include "TextTable.h"
#include "Topics.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace kemuyi {

namespace {

constexpr double kDuplicateSimilarity = 0.8;

QString percent(int part, int whole)
{
    return QString::number(100.0 * part / whole, 'f', 1) + QLatin1Char('%');
}

QVector<const Question *> inCategory(const QVector<Question> &rows, const QString &code)
{
    QVector<const Question *> selected;
    for (const Question &row : rows) {
        if (servesCategory(row.type, code))
            selected.append(&row);
    }
    return selected;
}

void checkChoiceShares(const QString &code, const QVector<const Question *> &rows, QStringList &problems)
{
    QHash<QString, int> byAnswer;
    int choice = 0;
    for (const Question *row : rows) {
        if (row->select == QLatin1String("Y")) {
            ++choice;
            ++byAnswer[row->answer];
        }
    }
    if (choice < kBalanceMinimumQuestions)
        return;
    for (const char *letter : {"A", "B", "C", "D"}) {
        const int count = byAnswer.value(QLatin1String(letter));
        if (count * 10 < choice * 2 || count * 10 > choice * 3)
            problems.append(QStringLiteral("类别 %1：%2 道选择题中答案为 %3 的有 %4 道（%5），应在 20%～30% 之间")
                                .arg(code).arg(choice).arg(QLatin1String(letter)).arg(count)
                                .arg(percent(count, choice)));
    }
}

void checkJudgeShare(const QString &code, const QVector<const Question *> &rows, QStringList &problems)
{
    int judge = 0;
    int right = 0;
    for (const Question *row : rows) {
        if (row->select == QLatin1String("N")) {
            ++judge;
            right += row->answer == QStringLiteral("正确");
        }
    }
    if (judge < kBalanceMinimumQuestions)
        return;
    if (right * 10 < judge * 4 || right * 10 > judge * 6)
        problems.append(QStringLiteral("类别 %1：%2 道判断题中答案为“正确”的有 %3 道（%4），应在 40%～60% 之间")
                            .arg(code).arg(judge).arg(right).arg(percent(right, judge)));
}

// The bigrams of a text with their counts; punctuation and spaces carry no meaning here.
QHash<quint32, int> bigrams(const QString &text)
{
    QString letters;
    letters.reserve(text.size());
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            letters.append(c);
    }
    QHash<quint32, int> counts;
    for (int i = 0; i + 1 < letters.size(); ++i)
        ++counts[(quint32(letters.at(i).unicode()) << 16) | letters.at(i + 1).unicode()];
    return counts;
}

double similarity(const QHash<quint32, int> &left, int leftTotal, const QHash<quint32, int> &right,
                  int rightTotal)
{
    if (leftTotal + rightTotal == 0)
        return 0.0; // too short to say; equal texts are caught before this
    const auto &smaller = left.size() <= right.size() ? left : right;
    const auto &larger = left.size() <= right.size() ? right : left;
    int shared = 0;
    for (auto it = smaller.constBegin(); it != smaller.constEnd(); ++it)
        shared += std::min(it.value(), larger.value(it.key()));
    return 2.0 * shared / (leftTotal + rightTotal);
}

int total(const QHash<quint32, int> &counts)
{
    int sum = 0;
    for (const int count : counts)
        sum += count;
    return sum;
}

QString wholeText(const Question &row)
{
    return row.subject + row.a + row.b + row.c + row.d;
}

struct Fingerprint
{
    const Question *row;
    QString text;
    QHash<quint32, int> bigrams;
    int size;
};

} // namespace

QStringList answerBalanceProblems(const QVector<Question> &rows)
{
    QStringList problems;
    for (const QString &code : categoryCodes()) {
        const QVector<const Question *> selected = inCategory(rows, code);
        checkChoiceShares(code, selected, problems);
        checkJudgeShare(code, selected, problems);
    }
    return problems;
}

double bigramSimilarity(const QString &left, const QString &right)
{
    if (left == right)
        return 1.0;
    const auto a = bigrams(left);
    const auto b = bigrams(right);
    return similarity(a, total(a), b, total(b));
}

ParsedPairs parseReviewedPairs(const QByteArray &bytes)
{
    ParsedPairs parsed;
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    if (lines.isEmpty() || lines.constFirst() != "ID1\tID2\twhy") {
        parsed.problems.append(QStringLiteral("第 1 行：表头应为 ID1、ID2、why，以制表符分隔"));
        return parsed;
    }
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList fields = QString::fromUtf8(lines.at(i)).split(QLatin1Char('\t'));
        bool firstOk = false;
        bool secondOk = false;
        const qint64 first = fields.value(0).toLongLong(&firstOk);
        const qint64 second = fields.value(1).toLongLong(&secondOk);
        if (fields.size() != 3 || !firstOk || !secondOk || first == second || fields.at(2).trimmed().isEmpty()) {
            parsed.problems.append(QStringLiteral("第 %1 行：应为两个不同的题号和不为空的理由，以制表符分隔").arg(i + 1));
            continue;
        }
        parsed.pairs.append({std::min(first, second), std::max(first, second), fields.at(2)});
    }
    return parsed;
}

QStringList unknownPairProblems(const QVector<Question> &rows, const QVector<ReviewedPair> &reviewed)
{
    QSet<qint64> ids;
    for (const Question &row : rows)
        ids.insert(row.id);
    QStringList problems;
    for (const ReviewedPair &pair : reviewed) {
        for (const qint64 id : {pair.first, pair.second}) {
            if (!ids.contains(id))
                problems.append(QStringLiteral("已审核的题对 %1、%2 中的题号 %3 不在题库中").arg(pair.first).arg(pair.second).arg(id));
        }
    }
    return problems;
}

QStringList nearDuplicateProblems(const QVector<Question> &rows, const QVector<ReviewedPair> &reviewed)
{
    QVector<Fingerprint> prints;
    prints.reserve(rows.size());
    for (const Question &row : rows) {
        const QString text = wholeText(row);
        const auto counts = bigrams(text);
        prints.append({&row, text, counts, total(counts)});
    }
    QStringList problems;
    QSet<QPair<qint64, qint64>> reported;
    for (const ReviewedPair &pair : reviewed)
        reported.insert({pair.first, pair.second});
    for (const QString &code : categoryCodes()) {
        QVector<const Fingerprint *> selected;
        for (const Fingerprint &print : prints) {
            if (servesCategory(print.row->type, code))
                selected.append(&print);
        }
        for (int i = 0; i < selected.size(); ++i) {
            for (int j = i + 1; j < selected.size(); ++j) {
                const Fingerprint &a = *selected[i];
                const Fingerprint &b = *selected[j];
                // The same id twice is a fault of its own, reported as such.
                if (a.row->pic != b.row->pic || a.row->id == b.row->id)
                    continue;
                // Dice can exceed the bound only when the sizes are close enough.
                if (a.size + b.size > 0
                    && 2.0 * std::min(a.size, b.size) / (a.size + b.size) <= kDuplicateSimilarity)
                    continue;
                const QPair<qint64, qint64> pair(std::min(a.row->id, b.row->id), std::max(a.row->id, b.row->id));
                if (reported.contains(pair))
                    continue; // already named in another category, or reviewed as different
                const double value =
                    a.text == b.text ? 1.0 : similarity(a.bigrams, a.size, b.bigrams, b.size);
                if (value > kDuplicateSimilarity) {
                    reported.insert(pair);
                    problems.append(QStringLiteral("题号 %1 与题号 %2 几乎相同（相似度 %3，类别 %4），请合并或改写其一")
                                        .arg(pair.first).arg(pair.second)
                                        .arg(QString::number(value, 'f', 2), code));
                }
            }
        }
    }
    return problems;
}

QString topicTable(const QVector<Question> &rows)
{
    QVector<QStringList> cells;
    QStringList header = {QStringLiteral("主题")};
    header += categoryCodes();
    cells.append(header);
    QStringList keys;
    for (const Topic &topic : topics())
        keys.append(topic.key);
    for (const Question &row : rows) {
        if (!keys.contains(row.topic))
            keys.append(row.topic); // unknown or missing topics are shown, not hidden
    }
    for (const QString &key : keys) {
        QStringList line = {key.isEmpty() ? QStringLiteral("（未标主题）") : topicLabel(key)};
        for (const QString &code : categoryCodes()) {
            const auto count = std::count_if(rows.begin(), rows.end(), [&](const Question &row) {
                return row.topic == key && servesCategory(row.type, code);
            });
            line.append(QString::number(count));
        }
        cells.append(line);
    }
    return textTable(cells);
}

} // namespace kemuyi
