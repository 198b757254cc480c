#include "QuestionSource.h"

#include "Topics.h"
#include "common/Failure.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <limits>
#include <optional>

namespace kemuyi {

namespace {

constexpr char kSeparator = '\t';

QString quoted(const QString &text)
{
    return QStringLiteral("“%1”").arg(text);
}

// The bytes of one line as text, or nothing when they are not valid UTF-8. A BOM in the middle
// of the file is kept as a character, never silently dropped.
std::optional<QString> decodeUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Ids are written in one way only, so that export gives back the very same bytes; the program
// holds them as 32-bit numbers.
std::optional<qint64> parseId(const QString &text, QString *reason)
{
    bool digitsOnly = !text.isEmpty();
    for (const QChar c : text)
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (!digitsOnly || text.count(QLatin1Char('0')) == text.size()) {
        *reason = QStringLiteral("题号%1不是正整数").arg(quoted(text));
        return std::nullopt;
    }
    if (text.startsWith(QLatin1Char('0'))) {
        *reason = QStringLiteral("题号%1不应以 0 开头").arg(quoted(text));
        return std::nullopt;
    }
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (!ok || id > std::numeric_limits<qint32>::max()) {
        *reason = QStringLiteral("题号 %1 超出范围（最大 %2）")
                      .arg(text)
                      .arg(std::numeric_limits<qint32>::max());
        return std::nullopt;
    }
    return id;
}

QString linePrefix(int line)
{
    return QStringLiteral("第 %1 行：").arg(line);
}

QStringList fieldsOf(const Question &question, Column last)
{
    QStringList fields;
    for (int i = 0; i <= int(last); ++i)
        fields.append(fieldText(question, Column(i)));
    return fields;
}

Question questionFromFields(qint64 id, const QStringList &fields)
{
    Question question;
    question.id = id;
    for (int i = 1; i < kColumnCount; ++i)
        textOf(question, Column(i)) = fields.value(i);
    return question;
}

bool isBlank(const QString &text)
{
    return text.trimmed().isEmpty();
}

void addOptionProblems(const Question &row, QStringList &problems)
{
    const QString options[] = {row.a, row.b, row.c, row.d};
    const bool choice = row.select == QLatin1String("Y");
    QStringList names;
    for (int i = 0; i < 4; ++i) {
        if (isBlank(options[i]) == choice)
            names.append(QString(QLatin1Char('A' + i)));
    }
    if (names.isEmpty())
        return;
    if (choice)
        problems.append(QStringLiteral("选择题缺少选项 %1").arg(names.join(QStringLiteral("、"))));
    else
        problems.append(QStringLiteral("判断题不应有选项，但选项 %1 有内容")
                            .arg(names.join(QStringLiteral("、"))));
}

void addAnswerProblems(const Question &row, QStringList &problems)
{
    if (row.select == QLatin1String("Y")) {
        static const QStringList letters = {QStringLiteral("A"), QStringLiteral("B"),
                                            QStringLiteral("C"), QStringLiteral("D")};
        if (!letters.contains(row.answer))
            problems.append(QStringLiteral("选择题的答案应为 A、B、C、D 之一，实为%1").arg(quoted(row.answer)));
    } else if (row.select == QLatin1String("N")) {
        if (row.answer != QStringLiteral("正确") && row.answer != QStringLiteral("错误"))
            problems.append(QStringLiteral("判断题的答案应为“正确”或“错误”，实为%1").arg(quoted(row.answer)));
    } else {
        problems.append(QStringLiteral("题型（select）应为“Y”（选择题）或“N”（判断题），实为%1")
                            .arg(quoted(row.select)));
        return;
    }
    addOptionProblems(row, problems);
}

// Checks the header; a file whose header is wrong is not read further, since its columns
// cannot be trusted.
bool checkHeader(const QByteArray &line, QStringList &problems)
{
    const QString prefix = linePrefix(1);
    if (line.startsWith("\xEF\xBB\xBF")) {
        problems.append(prefix + QStringLiteral("文件以 UTF-8 BOM 开头，请保存为不带 BOM 的 UTF-8"));
        return false;
    }
    if (line.contains('\r')) {
        problems.append(prefix + QStringLiteral("含有回车符（CR），请以 LF 换行保存（不接受 CRLF）"));
        return false;
    }
    const QStringList names = decodeUtf8(line).value_or(QString()).split(QLatin1Char(kSeparator));
    const bool shorterForm = names.size() > int(Column::Basis) && names.size() < kColumnCount;
    const QStringList expected = shorterForm ? sourceColumnsThrough(Column(names.size() - 1)) : sourceColumns();
    if (names.size() != expected.size()) {
        problems.append(prefix + QStringLiteral("表头应为 %1 共 %2 列，以制表符分隔；实有 %3 列")
                                     .arg(expected.join(QLatin1Char(' ')))
                                     .arg(expected.size())
                                     .arg(names.size()));
        return false;
    }
    for (int i = 0; i < expected.size(); ++i) {
        if (names.at(i) != expected.at(i)) {
            problems.append(prefix + QStringLiteral("表头第 %1 列应为%2，实为%3")
                                         .arg(i + 1)
                                         .arg(quoted(expected.at(i)), quoted(names.at(i))));
            return false;
        }
    }
    return true;
}

QString topicProblem(const QString &topic)
{
    if (topic.isEmpty())
        return QStringLiteral("缺少主题（topic）");
    if (isKnownTopic(topic))
        return QString();
    QStringList keys;
    for (const Topic &known : topics())
        keys.append(known.key);
    return QStringLiteral("主题（topic）%1不在固定列表中（%2）").arg(quoted(topic), keys.join(QStringLiteral("、")));
}

class SourceParser
{
public:
    SourceParser(ParsedSource &result, int columns) : m_result(result), m_columns(columns) {}

    void parseLine(const QByteArray &bytes, int line)
    {
        const QString prefix = linePrefix(line);
        if (bytes.contains('\r'))
            return fail(prefix + QStringLiteral("含有回车符（CR），请以 LF 换行保存（不接受 CRLF）"));
        if (bytes.isEmpty())
            return fail(prefix + QStringLiteral("是空行（只允许文件末尾有一个换行）"));
        const std::optional<QString> text = decodeUtf8(bytes);
        if (!text)
            return fail(prefix + QStringLiteral("不是有效的 UTF-8 文本"));

        const QStringList fields = text->split(QLatin1Char(kSeparator));
        if (fields.size() != m_columns)
            return fail(prefix + QStringLiteral("应有 %1 个字段（以制表符分隔），实有 %2 个")
                                     .arg(m_columns)
                                     .arg(fields.size()));

        QString reason;
        const std::optional<qint64> id = parseId(fields.at(0), &reason);
        if (!id)
            return fail(prefix + reason);
        if (const auto earlier = m_lineOfId.constFind(*id); earlier != m_lineOfId.constEnd())
            return fail(prefix + QStringLiteral("题号 %1 与第 %2 行重复").arg(*id).arg(*earlier));
        m_lineOfId.insert(*id, line);

        const Question row = questionFromFields(*id, fields);
        QStringList problems = questionProblems(row);
        if (m_columns > int(Column::Topic)) {
            if (const QString problem = topicProblem(row.topic); !problem.isEmpty())
                problems.append(problem);
        }
        for (const QString &problem : problems)
            fail(QStringLiteral("第 %1 行（题号 %2）：%3").arg(line).arg(*id).arg(problem));
        m_result.rows.append(SourceRow{line, row});
    }

private:
    void fail(const QString &problem) { m_result.problems.append(problem); }

    ParsedSource &m_result;
    int m_columns;
    QHash<qint64, int> m_lineOfId;
};

} // namespace

QStringList questionProblems(const Question &row)
{
    QStringList problems;
    if (isBlank(row.subject))
        problems.append(QStringLiteral("题干（subject）为空"));
    const auto &codes = categoryCodes();
    const bool known = std::any_of(codes.begin(), codes.end(),
                                   [&](const QString &code) { return servesCategory(row.type, code); });
    if (!known)
        problems.append(QStringLiteral("类别（TYPE）%1不含任何已知类别代码（%2）")
                            .arg(quoted(row.type), codes.join(QStringLiteral("、"))));
    addAnswerProblems(row, problems);
    if (!row.pic.isEmpty() && isUnsafePictureName(row.pic))
        problems.append(QStringLiteral("插图名%1%2，不安全").arg(quoted(row.pic), pictureNameProblem(row.pic)));
    return problems;
}

ParsedSource parseSource(const QByteArray &bytes)
{
    ParsedSource result;
    if (bytes.isEmpty()) {
        result.problems.append(linePrefix(1) + QStringLiteral("文件为空，缺少表头"));
        return result;
    }
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast(); // the newline that ends the last line
    if (!checkHeader(lines.constFirst(), result.problems))
        return result;
    const int columns = int(lines.constFirst().count('\t')) + 1;
    result.lastColumn = Column(columns - 1);
    SourceParser parser(result, columns);
    for (int i = 1; i < lines.size(); ++i)
        parser.parseLine(lines.at(i), i + 1);
    return result;
}

QByteArray sourceBytes(const QVector<Question> &rows)
{
    return sourceBytes(rows, lastColumnOf(rows));
}

bool anyValue(const QVector<Question> &rows, Column side)
{
    return std::any_of(rows.begin(), rows.end(), [&](const Question &row) { return !textOf(row, side).isEmpty(); });
}

Column lastColumnOf(const QVector<Question> &rows)
{
    if (anyValue(rows, Column::Explain))
        return Column::Explain;
    return anyValue(rows, Column::Topic) ? Column::Topic : Column::Basis;
}

QByteArray sourceBytes(const QVector<Question> &rows, Column last)
{
    const QStringList columns = sourceColumnsThrough(last);
    QByteArray bytes = columns.join(QLatin1Char(kSeparator)).toUtf8() + '\n';
    for (const Question &row : rows) {
        const QStringList fields = fieldsOf(row, last);
        for (int i = 0; i < fields.size(); ++i) {
            const QString &field = fields.at(i);
            if (field.contains(QLatin1Char(kSeparator)) || field.contains(QLatin1Char('\n'))
                || field.contains(QLatin1Char('\r')))
                throw Failure(QStringLiteral("题号 %1 的 %2 字段含有制表符或换行，无法写成 TSV 源文件")
                                  .arg(row.id)
                                  .arg(columns.at(i)));
        }
        bytes += fields.join(QLatin1Char(kSeparator)).toUtf8() + '\n';
    }
    return bytes;
}

QByteArray readSourceFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(QStringLiteral("无法读取题目源文件 %1：%2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(QStringLiteral("无法读取题目源文件 %1：%2").arg(path, file.errorString()));
    return bytes;
}

} // namespace kemuyi
