#include "JetSamples.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

namespace kemuyi::test {

namespace {

using jet::JetColumn;
using jet::JetTable;
using jet::JetType;
using jet::JetValue;

QString repeated(const QString &piece, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

QVector<JetValue> row(qint64 id, std::initializer_list<std::optional<QString>> texts)
{
    QVector<JetValue> values{id};
    for (const auto &text : texts)
        values.append(text ? JetValue(*text) : JetValue());
    return values;
}

} // namespace

JetTable sampleQuestionTable(jet::JetVersion version)
{
    JetTable table = jet::questionTable({});
    const auto none = std::optional<QString>();
    // Plain ASCII: compressed in Jet 4, one byte per character.
    table.rows.append(row(1, {QStringLiteral("C1C2C3C4"), QStringLiteral("Stop before the line."), QStringLiteral("A. Yes"),
                              QStringLiteral("B. No"), QStringLiteral("C. Slow down"), QStringLiteral("D. Sound the horn"),
                              QStringLiteral("sign_stop"), QStringLiteral("Y"), QStringLiteral("A")}));
    // "一" (U+4E00) has a zero low byte, which the compressed form cannot hold; the mixed
    // option switches between one and two bytes per character.
    table.rows.append(row(2, {QStringLiteral("A1A3B1A2B2"), repeated(QStringLiteral("一次记满十二分的驾驶人应当参加学习和考试。"), 12),
                              QStringLiteral("ABS warning lamp 灯亮起"), QStringLiteral("一"),
                              QStringLiteral("Mixed 中文 and English 文字"), QStringLiteral("丁"), QString(),
                              QStringLiteral("Y"), QStringLiteral("C")}));
    // Beyond the BMP.
    const QString rare = version == jet::JetVersion::Jet4 ? QStringLiteral("“𠮷”字在基本多文种平面之外：𠮷野")
                                                          : QStringLiteral("“喆”“堃”“犇”是少见的字");
    table.rows.append(row(3, {QStringLiteral("A2B2"), rare, QString(), QString(), QString(), QString(), QString(),
                              QStringLiteral("N"), QStringLiteral("正确")}));
    // A memo across several pages.
    table.rows.append(row(4, {QStringLiteral("M"), repeated(QStringLiteral("长备注跨越多个页面，"), 1200), QString(),
                              QString(), QString(), QString(), QString(), QStringLiteral("N"), QStringLiteral("错误")}));
    // NULL beside empty text, in a memo and in text columns.
    table.rows.append(row(5, {QStringLiteral("DEF"), none, QStringLiteral("甲"), QString(), QStringLiteral("丙"), none,
                              none, QStringLiteral("Y"), none}));
    for (int id = 6; id <= 400; ++id) {
        const QString n = QString::number(id);
        table.rows.append(row(id, {QStringLiteral("C1C2C3C4M"), QStringLiteral("第%1题：机动车在道路上行驶时应当怎样做？").arg(n),
                                   QStringLiteral("A、选项%1").arg(n), QStringLiteral("B、option %1").arg(n),
                                   QStringLiteral("C、减速"), QStringLiteral("D、停车"),
                                   id % 7 == 0 ? QStringLiteral("pic_%1").arg(n) : QString(), QStringLiteral("Y"),
                                   QStringLiteral("B")}));
    }
    return table;
}

Question question(qint64 id, const QString &type, const QString &subject, const QStringList &options,
                  const QString &pic, const QString &select, const QString &answer)
{
    Question made;
    made.id = id;
    made.type = type;
    made.subject = subject;
    made.a = options.value(0);
    made.b = options.value(1);
    made.c = options.value(2);
    made.d = options.value(3);
    made.pic = pic;
    made.select = select;
    made.answer = answer;
    return made;
}

JetTable unrelatedTable()
{
    JetTable table{QStringLiteral("Notes"),
                   {{QStringLiteral("ID"), JetType::Long}, {QStringLiteral("note"), JetType::Text, 100}},
                   {}};
    table.rows.append({qint64(1), QStringLiteral("not a question")});
    return table;
}

std::optional<QString> valueText(const JetValue &value)
{
    if (!value)
        return std::nullopt;
    if (const auto *number = std::get_if<qint64>(&*value))
        return QString::number(*number);
    return std::get<QString>(*value);
}

QByteArray writeSampleJet(const jet::JetWriteOptions &options, const QString &path)
{
    const QByteArray bytes = jet::writeJetFile({sampleQuestionTable(options.version), unrelatedTable()}, options);
    if (!path.isEmpty()) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    return bytes;
}

int sampleColumn(const QString &name)
{
    const QVector<JetColumn> columns = jet::questionTable({}).columns;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).name == name)
            return i;
    }
    return -1;
}

QJsonArray rowsByMdbJson(const QString &file, const QString &table)
{
    QProcess process;
    process.start(QStringLiteral("mdb-json"), {file, table});
    EXPECT_TRUE(process.waitForFinished(60'000)) << "mdb-json did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QJsonArray rows;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.left(200).toStdString();
        rows.append(document.object());
    }
    return rows;
}

namespace {

QString runQuietly(const QString &program, const QStringList &args, int timeoutMs, bool *ok)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    *ok = process.waitForStarted() && process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit
          && process.exitCode() == 0;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAll()).right(2000);
}

// mdb-reader is fetched by npm into the build folder once; later runs find it there.
bool ensureMdbReader(QString *whyNot)
{
    const QString prefix = QStringLiteral(KEMUYI_NODE_DIR);
    if (QFile::exists(prefix + QStringLiteral("/node_modules/mdb-reader/package.json")))
        return true;
    bool ok = false;
    runQuietly(QStringLiteral("node"), {QStringLiteral("--version")}, 30'000, &ok);
    if (!ok) {
        *whyNot = QStringLiteral("node is not installed (scripts/install-deps installs it)");
        return false;
    }
    QDir().mkpath(prefix);
    const QString output = runQuietly(QStringLiteral("npm"),
                                      {QStringLiteral("install"), QStringLiteral("--prefix"), prefix,
                                       QStringLiteral("--no-audit"), QStringLiteral("--no-fund"),
                                       QStringLiteral("mdb-reader@3")},
                                      300'000, &ok);
    if (!ok)
        *whyNot = QStringLiteral("npm could not install mdb-reader: ") + output;
    return ok;
}

} // namespace

std::optional<MdbReaderResult> rowsByMdbReader(const QString &file, const QString &table, QString *whyNot)
{
    if (!ensureMdbReader(whyNot))
        return std::nullopt;
    QProcess process;
    process.start(QStringLiteral("node"), {QStringLiteral(KEMUYI_MDB_READER_SCRIPT), QStringLiteral(KEMUYI_NODE_DIR), file, table});
    EXPECT_TRUE(process.waitForFinished(120'000)) << "mdb-reader did not finish";
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QJsonObject result = QJsonDocument::fromJson(process.readAllStandardOutput()).object();
    MdbReaderResult parsed;
    for (const auto &name : result.value(QStringLiteral("tables")).toArray())
        parsed.tables.append(name.toString());
    parsed.rows = result.value(QStringLiteral("rows")).toArray();
    return parsed;
}

} // namespace kemuyi::test
