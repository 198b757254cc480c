// The Jet import: every field as written, NULL kept apart from empty text, columns found by name,
// what the program cannot use refused with the reason, and damaged files refused, never read
// past their end. Nothing is written unless the whole import succeeds.

#include "JetSamples.h"
#include "Support.h"

#include "bank/Sqlite.h"
#include "jet/JetHeader.h"
#include "jet/JetImport.h"
#include "jet/JetText.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;
using jet::JetTable;
using jet::JetType;
using jet::JetValue;
using jet::JetWriteOptions;

namespace {

const char *const kColumns[] = {"ID", "TYPE", "subject", "a", "b", "c", "d", "pic", "select", "answer"};

// The bank's TK in ID order, each value as text or nullopt for NULL; IDs must be stored as
// integers.
QVector<QVector<std::optional<QString>>> bankRows(const QString &path)
{
    SqliteDb db;
    db.openReadOnly(path);
    SqliteStatement statement(db, "SELECT ID, TYPE, subject, a, b, c, d, pic, \"select\", answer, typeof(ID) FROM TK ORDER BY ID");
    QVector<QVector<std::optional<QString>>> rows;
    while (statement.step()) {
        EXPECT_EQ(statement.text(10), QStringLiteral("integer"));
        QVector<std::optional<QString>> row;
        for (int i = 0; i < 10; ++i)
            row.append(statement.isNull(i) ? std::nullopt : std::optional(statement.text(i)));
        rows.append(row);
    }
    return rows;
}

QVector<QVector<std::optional<QString>>> expectedRows(const JetTable &table)
{
    QVector<QVector<std::optional<QString>>> rows;
    for (const auto &values : table.rows) {
        QVector<std::optional<QString>> row;
        for (const JetValue &value : values)
            row.append(valueText(value));
        rows.append(row);
    }
    return rows;
}

QString importFailure(const QString &source, const QString &out, const jet::JetReadOptions &options = {})
{
    return failureOf([&] { jet::importJetBank(source, out, options); });
}

JetTable tableOf(const QString &name, const QVector<jet::JetColumn> &columns, const QVector<QVector<JetValue>> &rows)
{
    return JetTable{name, columns, rows};
}

QVector<jet::JetColumn> textColumns(const QStringList &names)
{
    QVector<jet::JetColumn> columns;
    for (const QString &name : names)
        columns.append({name, JetType::Text, 50});
    return columns;
}

// A Jet 4 bank of one question, with the given changes to TK's columns and values.
QByteArray oneQuestion(const std::function<void(JetTable &)> &change = {})
{
    JetTable table = jet::questionTable({});
    table.rows.append({qint64(7), QStringLiteral("C1C2C3C4"), QStringLiteral("题干"), QStringLiteral("甲"), QStringLiteral("乙"),
                       QStringLiteral("丙"), QStringLiteral("丁"), QString(), QStringLiteral("Y"), QStringLiteral("A")});
    if (change)
        change(table);
    return jet::writeJetFile({table}, {});
}

class JetImport : public ::testing::Test
{
protected:
    QString path(const char *name) const { return sandbox.path(QString::fromLatin1(name)); }

    // Imports the bytes into out.lib, which held "earlier" before; expects a failure naming
    // `fragment` and out.lib untouched, with no file left beside it.
    void expectRefused(const QByteArray &bytes, const QString &fragment, const char *what)
    {
        writeBytes(path("in.mdb"), bytes);
        writeBytes(path("out.lib"), QByteArray("earlier"));
        const QString message = importFailure(path("in.mdb"), path("out.lib"));
        EXPECT_TRUE(message.contains(fragment)) << what << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(path("in.mdb"))) << what << ": " << message.toStdString();
        EXPECT_EQ(readBytes(path("out.lib")), QByteArray("earlier")) << what;
        EXPECT_EQ(QDir(sandbox.path()).entryList(QDir::Files),
                  (QStringList{QStringLiteral("in.mdb"), QStringLiteral("out.lib")}))
            << what;
    }

    Sandbox sandbox;
};

void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

} // namespace

TEST_F(JetImport, EveryFieldArrivesAsWrittenWithNullKeptApartFromEmpty)
{
    JetWriteOptions plain;
    plain.compressText = false;
    JetWriteOptions jet3;
    jet3.version = jet::JetVersion::Jet3;
    for (const JetWriteOptions &options : {JetWriteOptions{}, plain, jet3}) {
        writeSampleJet(options, path("sample.mdb"));
        EXPECT_EQ(jet::importJetBank(path("sample.mdb"), path("bank.lib")), 400);
        const auto rows = bankRows(path("bank.lib"));
        const auto expected = expectedRows(sampleQuestionTable(options.version));
        ASSERT_EQ(rows.size(), expected.size());
        for (int r = 0; r < rows.size(); ++r) {
            for (int c = 0; c < 10; ++c)
                EXPECT_EQ(rows[r][c], expected[r][c]) << "row " << r << ", " << kColumns[c];
        }
    }
}

TEST_F(JetImport, ColumnsAreFoundByNameInAnyCaseAndOrderAndTheRestIsIgnored)
{
    const QStringList names = {QStringLiteral("Answer"), QStringLiteral("PIC"), QStringLiteral("Subject"),
                               QStringLiteral("extra"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                               QStringLiteral("D"), QStringLiteral("Select"), QStringLiteral("type"), QStringLiteral("id")};
    // The id in a text column still comes out as an integer.
    const JetTable table = tableOf(QStringLiteral("tk"), textColumns(names),
                                   {{QStringLiteral("正确"), QString(), QStringLiteral("判断"), QStringLiteral("x"),
                                     QString(), QString(), QString(), QString(), QStringLiteral("N"),
                                     QStringLiteral("M"), QStringLiteral("12")}});
    writeBytes(path("cased.mdb"), jet::writeJetFile({unrelatedTable(), table}, {}));
    jet::importJetBank(path("cased.mdb"), path("bank.lib"));
    const auto rows = bankRows(path("bank.lib"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (QVector<std::optional<QString>>{QStringLiteral("12"), QStringLiteral("M"), QStringLiteral("判断"),
                                                       QString(), QString(), QString(), QString(), QString(),
                                                       QStringLiteral("N"), QStringLiteral("正确")}));
}

TEST_F(JetImport, WhatTheProgramCannotUseIsRefusedWithTheReason)
{
    expectRefused(jet::writeJetFile({unrelatedTable()}, {}), QStringLiteral("没有题目表 TK"), "no TK");
    expectRefused(oneQuestion([](JetTable &t) {
                      t.columns.remove(7);
                      t.columns.remove(2);
                      for (auto &row : t.rows) {
                          row.remove(7);
                          row.remove(2);
                      }
                  }),
                  QStringLiteral("缺少字段 subject、pic"), "missing columns");
    expectRefused(oneQuestion([](JetTable &t) { t.rows[0][0] = std::nullopt; }), QStringLiteral("题号（ID）为空值"), "NULL id");
    expectRefused(oneQuestion([](JetTable &t) {
                      t.columns[0] = {QStringLiteral("ID"), JetType::Text, 10};
                      t.rows[0][0] = QStringLiteral("7a");
                  }),
                  QStringLiteral("“7a”不是整数"), "text id");
    expectRefused(oneQuestion([](JetTable &t) { t.rows.append(t.rows.first()); }), QStringLiteral("题号 7 重复"), "duplicate");
    expectRefused(oneQuestion([](JetTable &t) { t.columns[7].type = JetType::Ole; t.rows[0][7] = std::nullopt; }),
                  QStringLiteral("字段 pic 既不是文本也不是整数"), "binary column");
}

TEST_F(JetImport, Jet3TextFollowsTheCodePageTheHeaderNamesOrTheOneGiven)
{
    const auto writeJet3 = [&](int codePage, const QByteArray &charset) {
        JetWriteOptions options;
        options.version = jet::JetVersion::Jet3;
        options.codePage = codePage;
        options.charset = charset;
        writeBytes(path("old.mdb"), jet::writeJetFile({jet::questionTable({question(5, QStringLiteral("M"), QStringLiteral("繁體題目"), {}, {},
                                                                                       QStringLiteral("N"), QStringLiteral("正確"))})},
                                                      options));
    };
    const auto subject = [&](const jet::JetReadOptions &options) {
        jet::importJetBank(path("old.mdb"), path("bank.lib"), options);
        return bankRows(path("bank.lib")).value(0).value(2).value_or(QString());
    };
    writeJet3(950, {}); // the header names Big5
    EXPECT_EQ(subject({}), QStringLiteral("繁體題目"));
    writeJet3(0, "BIG5"); // the header names nothing: GBK unless told otherwise
    EXPECT_NE(subject({}), QStringLiteral("繁體題目"));
    EXPECT_EQ(subject({"BIG5"}), QStringLiteral("繁體題目"));
    EXPECT_TRUE(importFailure(path("old.mdb"), path("bank.lib"), {"NO-SUCH-CHARSET"}).contains(QStringLiteral("不认识的文本编码")));
}

TEST_F(JetImport, OtherFormatsAreToldApart)
{
    QByteArray accdb = oneQuestion();
    accdb.replace(4, 16, QByteArray("Standard ACE DB\0", 16));
    expectRefused(accdb, QStringLiteral(".accdb"), "ACE header");
    QByteArray access2010 = oneQuestion();
    access2010[0x14] = 0x03;
    expectRefused(access2010, QStringLiteral(".accdb"), "later engine version");
    QByteArray encoded = oneQuestion();
    QByteArray header = encoded.left(4096);
    jet::scrambleJetHeader(header, true);
    header[0x3E] = 0x5A; // a page key: every page is scrambled with it
    jet::scrambleJetHeader(header, true);
    encoded.replace(0, 4096, header);
    expectRefused(encoded, QStringLiteral("经过编码"), "encoded database");
    writeBank(path("sqlite.lib"), {choiceRow(1, QStringLiteral("M"))});
    const QByteArray sqlite = readBytes(path("sqlite.lib"));
    QFile::remove(path("sqlite.lib"));
    expectRefused(sqlite, QStringLiteral("不是 Jet"), "SQLite bank");
}

TEST_F(JetImport, DamagedFilesAreRefusedWithoutReadingPastTheirEnd)
{
    const QByteArray good = writeSampleJet({});
    constexpr int page = 4096;
    expectRefused(QByteArray(), QStringLiteral("不是 Jet"), "zero bytes");
    expectRefused(good.left(2 * page), QStringLiteral("不是完整的 Jet 数据库"), "two pages");
    for (const qsizetype cut : {qsizetype(5 * page), good.size() / 2, good.size() - page - 100})
        expectRefused(good.left(cut), QStringLiteral("in.mdb"), "truncated");

    QByteArray random = good.left(page);
    QRandomGenerator generator(14);
    for (int i = 0; i < 40 * page; ++i)
        random.append(char(generator.bounded(256)));
    expectRefused(random, QStringLiteral("MSysObjects"), "random pages after a sound header");

    // The catalogue row of TK: Id 3, then ParentId.
    QByteArray catalogue = good;
    const qsizetype tkRow = catalogue.indexOf(QByteArray("\x03\x00\x00\x00\x01\x00\x00\x0F", 8));
    ASSERT_GT(tkRow, 0);
    put32(catalogue, tkRow, 0x00FFFF00);
    expectRefused(catalogue, QStringLiteral("超出了文件"), "catalogue past the end");

    QByteArray rowCount = good;
    put32(rowCount, 3 * page + 16, 0x7FFFFFFF);
    expectRefused(rowCount, QStringLiteral("表头记有 2147483647 条记录，实际读到 400 条"), "huge row count");

    // Row 1's subject, "Stop before the line.", lies compressed in the row: 23 bytes.
    const QByteArray inlineMemo("\x17\x00\x00\x80\x00\x00\x00\x00\x00\x00\x00\x00\xFF\xFE", 14);
    const qsizetype memo = good.indexOf(inlineMemo);
    ASSERT_GT(memo, 0);
    for (const quint32 length : {0x3FFFFFFFu, 0x00007FFFu}) {
        QByteArray overflow = good;
        put32(overflow, memo, 0x80000000u | length);
        expectRefused(overflow, QStringLiteral("备注长度"), "memo length");
    }
    // A length just past the 23 bytes the field holds would read on into the row's next field.
    QByteArray pastField = good;
    put32(pastField, memo, 0x80000000u | 26u);
    expectRefused(pastField, QStringLiteral("备注长度 26 超出记录"), "memo 3 bytes past its field");
    QByteArray pointer = good;
    const qsizetype lval = pointer.indexOf(QByteArray("\xF8\x01\x00\x40", 4)); // row 2's subject: 504 bytes
    ASSERT_GT(lval, 0);
    put32(pointer, lval + 4, 0xFFFFFF00u);
    expectRefused(pointer, QStringLiteral("超出了文件"), "memo page past the end");

    QByteArray rowOffset = good;
    rowOffset[5 * page + 14] = char(0xFF);
    rowOffset[5 * page + 15] = char(0x1F);
    expectRefused(rowOffset, QStringLiteral("越界"), "row past its page");
}

// Random damage anywhere in a small bank: each import either succeeds or fails with a reason.
TEST_F(JetImport, RandomDamageNeverCrashes)
{
    JetWriteOptions options;
    options.version = jet::JetVersion::Jet3;
    const QByteArray good = jet::writeJetFile({jet::questionTable({question(1, QStringLiteral("M"), QStringLiteral("题干"), {QStringLiteral("甲")}, {},
                                                                                QStringLiteral("Y"), QStringLiteral("A"))})},
                                              options);
    QRandomGenerator generator(2024);
    int refused = 0;
    for (int round = 0; round < 300; ++round) {
        QByteArray damaged = good;
        for (int flips = generator.bounded(1, 8); flips > 0; --flips)
            damaged[generator.bounded(damaged.size())] = char(generator.bounded(256));
        writeBytes(path("in.mdb"), damaged);
        try {
            jet::importJetBank(path("in.mdb"), path("out.lib"));
        } catch (const Failure &failure) {
            EXPECT_FALSE(failure.message().isEmpty());
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(JetText, CompressedAndPlainUtf16DecodeAndBrokenTextIsRefused)
{
    // FF FE, "AB" one byte each, switch, 中 in two bytes, switch back, "C".
    EXPECT_EQ(jet::decodeJet4Text(QByteArray("\xFF\xFE" "AB\x00\x2D\x4E\x00" "C", 9)), QStringLiteral("AB中C"));
    EXPECT_EQ(jet::decodeJet4Text(QByteArray("\x42\xD8\xB7\xDF", 4)), QStringLiteral("𠮷"));
    EXPECT_EQ(jet::decodeJet4Text(jet::encodeJet4Text(QStringLiteral("ABS 𠮷 lamp"), true)), QStringLiteral("ABS 𠮷 lamp"));
    EXPECT_FALSE(jet::decodeJet4Text(QByteArray("\xFF\xFE" "A\x00\x2D", 5))); // half a character
    EXPECT_FALSE(jet::decodeJet4Text(QByteArray("\x41\x00\x42", 3)));          // odd length
    EXPECT_FALSE(jet::decodeJet4Text(QByteArray("\x42\xD8\x41\x00", 4)));     // lone surrogate
}

// The tool as a bank maintainer runs it.
TEST(JetBankTool, ImportCheckAndStatsTakeJetFiles)
{
    Sandbox sandbox;
    const QString mdb = sandbox.path(QStringLiteral("old.mdb"));
    writeBytes(mdb, oneQuestion([](JetTable &t) { t.rows.append({qint64(8), QStringLiteral("M"), QStringLiteral("判断"), QString(), QString(),
                                                                 QString(), QString(), std::nullopt, QStringLiteral("N"), QStringLiteral("正确")}); }));
    const auto run = [](const QStringList &args, QString *err = nullptr) {
        QProcess process;
        process.start(QStringLiteral(KEMUYI_BANK_TOOL), args);
        EXPECT_TRUE(process.waitForFinished(30'000));
        if (err)
            *err = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    };
    QString err;
    EXPECT_EQ(run({QStringLiteral("import"), mdb, sandbox.path(QStringLiteral("out.lib"))}, &err), 0) << err.toStdString();
    EXPECT_EQ(bankRows(sandbox.path(QStringLiteral("out.lib"))).size(), 2);
    EXPECT_EQ(run({QStringLiteral("check"), mdb}, &err), 1);
    EXPECT_TRUE(err.contains(QStringLiteral("题号 8：字段 pic 为空值（NULL）"))) << err.toStdString();
    EXPECT_EQ(run({QStringLiteral("stats"), mdb}), 0);
    EXPECT_EQ(run({QStringLiteral("import"), mdb}), 2);
    EXPECT_EQ(run({QStringLiteral("import"), sandbox.path(QStringLiteral("missing.mdb")), sandbox.path(QStringLiteral("x.lib"))}), 1);
    EXPECT_FALSE(QFile::exists(sandbox.path(QStringLiteral("x.lib"))));
}
