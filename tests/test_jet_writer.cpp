// The test Jet writer against two readers written elsewhere: libmdb (through mdb-json) and the
// npm package mdb-reader. Every later Jet test trusts the files this writer makes.

#include "JetSamples.h"
#include "Support.h"

#include "jet/JetText.h"

#include <QJsonObject>

#include <gtest/gtest.h>

using namespace kemuyi;
using namespace kemuyi::test;

namespace {

struct Variant
{
    const char *name;
    jet::JetWriteOptions options;
};

QVector<Variant> variants()
{
    jet::JetWriteOptions compressed;
    jet::JetWriteOptions plain;
    plain.compressText = false;
    jet::JetWriteOptions jet3;
    jet3.version = jet::JetVersion::Jet3;
    jet3.codePage = 936;
    return {{"Jet 4, compressed text", compressed}, {"Jet 4, plain UTF-16", plain}, {"Jet 3, GBK", jet3}};
}

// libmdb converts through UCS-2, so a character beyond the BMP comes back as "??"; with no way
// to tell NULL from empty text, mdb-json leaves both out.
QString libmdbView(const QString &text)
{
    QString view;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) {
            view += QStringLiteral("??");
            ++i;
        } else {
            view += text.at(i);
        }
    }
    return view;
}

// mdb-reader reads Jet 3 text as Windows-1252 whatever the file's code page, with U+FFFD for the
// five bytes that code page leaves undefined; the GBK bytes are compared in that view.
QString windows1252View(const QString &text)
{
    const QByteArray bytes = *jet::encodeCharset(text, "GBK");
    QString view;
    for (const char byte : bytes) {
        const auto decoded = jet::decodeCharset(QByteArray(1, byte), "CP1252");
        view += decoded ? *decoded : QString(QChar(0xFFFD));
    }
    return view;
}

void expectRowsMatch(const QJsonArray &rows, const jet::JetTable &table, bool libmdb, bool jet3, const char *variant)
{
    ASSERT_EQ(rows.size(), table.rows.size()) << variant;
    for (int r = 0; r < table.rows.size(); ++r) {
        const QJsonObject got = rows.at(r).toObject();
        for (int c = 0; c < table.columns.size(); ++c) {
            const QString name = table.columns.at(c).name;
            const std::optional<QString> expected = valueText(table.rows.at(r).at(c));
            const std::string where = std::string(variant) + ", row " + std::to_string(r) + ", " + name.toStdString();
            if (c == 0) {
                EXPECT_EQ(got.value(name).toInteger(), expected->toLongLong()) << where;
            } else if (libmdb && (!expected || expected->isEmpty())) {
                EXPECT_FALSE(got.contains(name)) << where;
            } else if (!expected) {
                EXPECT_TRUE(got.value(name).isNull()) << where;
            } else {
                const QString want = libmdb ? libmdbView(*expected) : jet3 ? windows1252View(*expected) : *expected;
                EXPECT_EQ(got.value(name).toString(), want) << where;
            }
        }
    }
}

} // namespace

TEST(JetWriter, LibmdbReadsEveryFieldAsWritten)
{
    Sandbox sandbox;
    for (const Variant &variant : variants()) {
        const jet::JetTable table = sampleQuestionTable(variant.options.version);
        const QString file = sandbox.path(QStringLiteral("sample.mdb"));
        writeSampleJet(variant.options, file);
        expectRowsMatch(rowsByMdbJson(file, QStringLiteral("TK")), table, true, false, variant.name);
        EXPECT_EQ(rowsByMdbJson(file, QStringLiteral("Notes")).size(), 1) << variant.name;
    }
}

TEST(JetWriter, MdbReaderReadsEveryFieldAsWritten)
{
    Sandbox sandbox;
    for (const Variant &variant : variants()) {
        const jet::JetTable table = sampleQuestionTable(variant.options.version);
        const QString file = sandbox.path(QStringLiteral("sample.mdb"));
        writeSampleJet(variant.options, file);
        QString whyNot;
        const auto result = rowsByMdbReader(file, QStringLiteral("TK"), &whyNot);
        if (!result)
            GTEST_SKIP() << whyNot.toStdString();
        EXPECT_EQ(result->tables, (QStringList{QStringLiteral("TK"), QStringLiteral("Notes")})) << variant.name;
        const bool jet3 = variant.options.version == jet::JetVersion::Jet3;
        expectRowsMatch(result->rows, table, false, jet3, variant.name);
    }
}

// A table spread over more pages than one usage-map record can mark is found through bitmap
// pages instead; both readers must still see every row.
TEST(JetWriter, ATableOnHundredsOfPagesIsReadWhole)
{
    Sandbox sandbox;
    jet::JetTable table = jet::questionTable({});
    const QString longSubject = QString(1800, QChar(0x9898)); // 题, 3600 bytes: one row per page
    for (int id = 1; id <= 600; ++id) {
        table.rows.append({qint64(id), QStringLiteral("C1C2C3C4"), longSubject, QString(), QString(), QString(),
                           QString(), QString(), QStringLiteral("N"), QStringLiteral("正确")});
    }
    jet::JetWriteOptions options;
    options.inlineMemoBytes = 4000;
    const QString file = sandbox.path(QStringLiteral("wide.mdb"));
    writeBytes(file, jet::writeJetFile({table}, options));

    expectRowsMatch(rowsByMdbJson(file, QStringLiteral("TK")), table, true, false, "libmdb");
    QString whyNot;
    const auto result = rowsByMdbReader(file, QStringLiteral("TK"), &whyNot);
    if (!result)
        GTEST_SKIP() << whyNot.toStdString();
    expectRowsMatch(result->rows, table, false, false, "mdb-reader");
}
