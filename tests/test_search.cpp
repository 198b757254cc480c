// Search over the question bank: the trigram index in a built bank or in the side file, the
// plain scan for short words, and the category's questions only.

#include "Support.h"

#include "bank/BankStore.h"
#include "bank/BankTool.h"
#include "bank/QuestionSearch.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace kemuyi::test {

namespace {

Question row(qint64 id, const QString &type, const QString &subject, const QString &a = {})
{
    Question question = choiceRow(id, type);
    question.subject = subject;
    if (!a.isEmpty())
        question.a = a;
    question.basis = QStringLiteral("依据");
    return question;
}

QVector<Question> searchRows()
{
    return {
        row(1, QStringLiteral("C1C2C3C4"), QStringLiteral("驾驶机动车在路口遇到黄灯持续闪烁时怎样做？")),
        row(2, QStringLiteral("C1C2C3C4"), QStringLiteral("夜间会车时应当怎样使用灯光？"), QStringLiteral("改用近光灯")),
        row(3, QStringLiteral("DEF"), QStringLiteral("摩托车在路口遇到黄灯时怎样做？")),
        row(4, QStringLiteral("c1c2c3c4A2B2"), QStringLiteral("通过人行横道时应当减速慢行。")),
        row(5, QStringLiteral("C1C2C3C4"), QStringLiteral("雾天行车要开启雾灯和危险报警闪光灯。"), QStringLiteral("黄灯 \"AND\" *")),
    };
}

QVector<qint32> ids(const QVector<SearchHit> &hits)
{
    QVector<qint32> out;
    for (const SearchHit &hit : hits)
        out.append(hit.id);
    return out;
}

class SearchTest : public ::testing::Test
{
protected:
    QString builtBank()
    {
        const QString path = sandbox.path(QStringLiteral("built.lib"));
        writeBankFile(searchRows(), path);
        return path;
    }
    QString plainBank()
    {
        const QString path = sandbox.path(QStringLiteral("plain.lib"));
        writeBank(path, searchRows());
        return path;
    }

    Sandbox sandbox;
};

} // namespace

TEST_F(SearchTest, BuiltBankCarriesItsIndexAndFindsStemsAndOptionsOfTheCategory)
{
    QuestionSearch search;
    search.open(builtBank());
    EXPECT_TRUE(search.indexed());
    const QString c1 = QStringLiteral("C1C2C3C4");
    // Stem; the DEF question with the same words stays out.
    EXPECT_EQ(ids(search.find(QStringLiteral("路口遇到"), c1)), (QVector<qint32>{1}));
    EXPECT_EQ(ids(search.find(QStringLiteral("路口遇到"), QStringLiteral("DEF"))), (QVector<qint32>{3}));
    // An option; the category in TYPE in any letter case.
    EXPECT_EQ(ids(search.find(QStringLiteral("近光灯"), c1)), (QVector<qint32>{2}));
    EXPECT_EQ(ids(search.find(QStringLiteral("人行横道"), c1)), (QVector<qint32>{4}));
    // Every word must occur, in any column.
    EXPECT_EQ(ids(search.find(QStringLiteral("夜间会车  近光灯"), c1)), (QVector<qint32>{2}));
    EXPECT_TRUE(search.find(QStringLiteral("夜间会车 人行横道"), c1).isEmpty());
    // The hit carries the stem for the list.
    EXPECT_EQ(search.find(QStringLiteral("雾天行车"), c1).value(0).subject, searchRows().at(4).subject);
    EXPECT_TRUE(search.find(QStringLiteral("   "), c1).isEmpty());
}

TEST_F(SearchTest, ShortWordsAreFoundByScanningWhereTheIndexFindsNothing)
{
    QuestionSearch search;
    search.open(builtBank());
    const QString c1 = QStringLiteral("C1C2C3C4");
    // Two characters: the trigram index alone finds nothing; the scan finds both, in id order.
    EXPECT_EQ(ids(search.find(QStringLiteral("黄灯"), c1)), (QVector<qint32>{1, 5}));
    EXPECT_EQ(ids(search.find(QStringLiteral("灯"), c1)), (QVector<qint32>{1, 2, 5}));
    // A limit keeps the first hits in id order, through the index and by scan alike.
    EXPECT_EQ(ids(search.find(QStringLiteral("灯"), c1, 2)), (QVector<qint32>{1, 2}));
    EXPECT_EQ(ids(search.find(QStringLiteral("怎样做"), QString(), 1)), (QVector<qint32>{1}));
    EXPECT_EQ(ids(search.find(QStringLiteral("怎样做"), QString())), (QVector<qint32>{1, 3}));
    // A long word through the index and a short one by scan, together.
    EXPECT_EQ(ids(search.find(QStringLiteral("危险报警 黄灯"), c1)), (QVector<qint32>{5}));
    EXPECT_EQ(ids(search.find(QStringLiteral("路口遇到 雾"), c1)), (QVector<qint32>{}));
}

TEST_F(SearchTest, QuerySyntaxInTheWordsIsSearchedAsText)
{
    QuestionSearch search;
    search.open(builtBank());
    const QString c1 = QStringLiteral("C1C2C3C4");
    for (const QString &words : {QStringLiteral("\"AND\""), QStringLiteral("\"AND\" *"), QStringLiteral("NEAR(a b)"),
                                 QStringLiteral("OR"), QStringLiteral("'; DROP TABLE TK; --")}) {
        SCOPED_TRACE(words.toStdString());
        EXPECT_NO_THROW(search.find(words, c1));
    }
    EXPECT_EQ(ids(search.find(QStringLiteral("\"AND\""), c1)), (QVector<qint32>{5}));
    EXPECT_TRUE(search.find(QStringLiteral("NEAR(a b)"), c1).isEmpty());
}

TEST_F(SearchTest, BankWithoutIndexGetsASideFileAndStaysAsItWas)
{
    const QString bank = plainBank();
    const QByteArray before = readBytes(bank);
    const QString side = sandbox.path(QStringLiteral("side.idx"));
    EXPECT_EQ(prepareSearchIndex(bank, side), SearchIndexPlace::SideFile);
    EXPECT_EQ(readBytes(bank), before);

    QuestionSearch indexed;
    indexed.open(bank, side);
    EXPECT_TRUE(indexed.indexed());
    QuestionSearch scanning;
    scanning.open(bank);
    EXPECT_FALSE(scanning.indexed());
    const QString c1 = QStringLiteral("C1C2C3C4");
    for (const QString &words : {QStringLiteral("路口遇到"), QStringLiteral("近光灯"), QStringLiteral("黄灯"),
                                 QStringLiteral("危险报警 黄灯"), QStringLiteral("没有这样的话")}) {
        SCOPED_TRACE(words.toStdString());
        EXPECT_EQ(ids(indexed.find(words, c1)), ids(scanning.find(words, c1)));
    }
    EXPECT_EQ(ids(indexed.find(QStringLiteral("近光灯"), c1)), (QVector<qint32>{2}));
}

TEST_F(SearchTest, SideFileOfAnEarlierBankIsNeverUsedForABankWithItsOwnIndex)
{
    const QString side = sandbox.path(QStringLiteral("side.idx"));
    ASSERT_EQ(prepareSearchIndex(plainBank(), side), SearchIndexPlace::SideFile);
    EXPECT_EQ(prepareSearchIndex(builtBank(), side), SearchIndexPlace::InBank);
    EXPECT_FALSE(QFileInfo::exists(side));
}

TEST_F(SearchTest, ATableOfTheIndexNameThatIsNoIndexIsPassedOver)
{
    const QString bank = plainBank();
    execOnBank(bank, QStringLiteral("CREATE TABLE TK_SEARCH (subject TEXT)"));
    const QString side = sandbox.path(QStringLiteral("side.idx"));
    EXPECT_EQ(prepareSearchIndex(bank, side), SearchIndexPlace::SideFile);
    QuestionSearch search;
    search.open(bank, side);
    EXPECT_TRUE(search.indexed());
    EXPECT_EQ(ids(search.find(QStringLiteral("人行横道"), QStringLiteral("C1C2C3C4"))), (QVector<qint32>{4}));
}

TEST_F(SearchTest, RowsThatCannotBeShownAreLeftOutAndNullsMatchNothing)
{
    const QString bank = plainBank();
    execOnBank(bank, QStringLiteral("INSERT INTO TK (ID, TYPE, subject, a, b, c, d, pic, \"select\", answer)"
                                    " VALUES ('x7', 'C1C2C3C4', '路口遇到', '', '', '', '', '', 'Y', 'A'),"
                                    " (8, 'C1C2C3C4', '路口遇到红灯', NULL, NULL, NULL, NULL, '', 'Y', 'A')"));
    const QString side = sandbox.path(QStringLiteral("side.idx"));
    prepareSearchIndex(bank, side);
    for (const QString &path : {side, QString()}) {
        QuestionSearch search;
        search.open(bank, path);
        EXPECT_EQ(ids(search.find(QStringLiteral("路口遇到"), QStringLiteral("C1C2C3C4"))), (QVector<qint32>{1, 8}));
        EXPECT_EQ(ids(search.find(QStringLiteral("红灯"), QStringLiteral("C1C2C3C4"))), (QVector<qint32>{8}));
    }
}

TEST(SearchWords, SplitAtWhiteSpaceOnceEachAndCountCharactersNotBytes)
{
    EXPECT_EQ(searchWords(QStringLiteral(" 黄灯\t路口  黄灯 ")), (QStringList{QStringLiteral("黄灯"), QStringLiteral("路口")}));
    EXPECT_FALSE(indexableWord(QStringLiteral("黄灯")));
    EXPECT_TRUE(indexableWord(QStringLiteral("黄灯亮")));
    EXPECT_TRUE(indexableWord(QStringLiteral("abc")));
    // Two characters outside the basic plane are four UTF-16 units, still two characters.
    EXPECT_FALSE(indexableWord(QString::fromUcs4(U"\U00020000\U00020001")));
}

} // namespace kemuyi::test

namespace kemuyi::test {

TEST_F(SearchTest, CategoryQuestionsCarryStemAndTopicAndNeedNoTopicTable)
{
    QVector<Question> rows = searchRows();
    rows[0].topic = QStringLiteral("signals");
    rows[1].topic = QStringLiteral("vehicle");
    rows[3].topic = QStringLiteral("passage");
    const QString bank = sandbox.path(QStringLiteral("topics.lib"));
    writeBankFile(rows, bank);
    QuestionSearch search;
    search.open(bank);
    const QVector<SearchHit> c1 = search.categoryQuestions(QStringLiteral("C1C2C3C4"));
    EXPECT_EQ(ids(c1), (QVector<qint32>{1, 2, 4, 5}));
    EXPECT_EQ(c1.at(0).topic, QStringLiteral("signals"));
    EXPECT_EQ(c1.at(2).topic, QStringLiteral("passage"));
    EXPECT_EQ(c1.at(3).topic, QString());
    EXPECT_EQ(c1.at(1).subject, rows.at(1).subject);

    QuestionSearch plain;
    plain.open(plainBank());
    EXPECT_EQ(ids(plain.categoryQuestions(QStringLiteral("DEF"))), (QVector<qint32>{3}));
    EXPECT_EQ(plain.categoryQuestions(QStringLiteral("DEF")).at(0).topic, QString());
}

} // namespace kemuyi::test
