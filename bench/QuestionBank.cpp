#include "QuestionBank.h"

#include "bank/QuestionTable.h"
#include "bank/Sqlite.h"

#include <QFile>

#include <random>

namespace kemuyi::bench {

const char *const kTypeCodes[5] = {"C1C2C3C4A1A3B1A2B2M", "A1A3B1", "A2B2", "M", "DEF"};

namespace {

// Fragments of our own wording; stems of 25 to 90 characters are stitched from them.
const char *const kStemParts[] = {
    "机动车在道路上行驶时，", "驾驶人在夜间通过没有信号灯的路口时，", "前方路口的信号灯由绿灯变为黄灯，",
    "在没有中心线的城市道路上，", "同车道前方车辆正在掉头，", "雨天在积水路段行驶，",
    "高速公路上发生故障需要停车时，", "车辆驶入环岛前，", "遇到校车停靠并开启停车指示标志，",
    "通过铁路道口时，", "在急弯路段与对向车辆会车，", "下长坡时为控制车速，",
    "驾驶人连续驾驶超过四小时，", "在人行横道前遇有行人正在通过，", "跟车行驶时前车突然制动，",
    "驾驶证记分周期内累计满分，", "车辆在隧道内行驶，", "进入减速车道后，",
};
const char *const kStemEndings[] = {
    "应当怎样做？", "以下做法正确的是哪一项？", "这种做法是否正确？", "驾驶人应当首先做什么？",
    "应当如何处理？", "下列说法中正确的是？",
};
const char *const kOptions[] = {
    "提前减速，确认安全后通过", "鸣喇叭示意后加速通过", "停车让行", "开启危险报警闪光灯",
    "从右侧超越", "保持原速行驶", "在车后方设置警告标志", "立即紧急制动", "使用低速挡控制车速",
    "空挡滑行以节省燃油", "按照交通警察的指挥通行", "跟随前车通过",
};

class RowMaker
{
public:
    explicit RowMaker(const QStringList &pics) : m_pics(pics), m_random(20240601u) {}

    QString type(int index) const
    {
        // Over half of all questions apply to every licence; the rest split over the others.
        static const int weights[] = {56, 12, 12, 10, 10};
        int slot = (index * 37) % 100;
        for (int i = 0; i < 5; ++i) {
            if (slot < weights[i])
                return QLatin1String(kTypeCodes[i]);
            slot -= weights[i];
        }
        return QLatin1String(kTypeCodes[0]);
    }

    QString stem()
    {
        QString text;
        const int target = pick(25, 90);
        while (text.size() < target - 12)
            text += QString::fromUtf8(kStemParts[pick(0, int(std::size(kStemParts)) - 1)]);
        return text + QString::fromUtf8(kStemEndings[pick(0, int(std::size(kStemEndings)) - 1)]);
    }

    QString option() { return QString::fromUtf8(kOptions[pick(0, int(std::size(kOptions)) - 1)]); }
    QString pic(int index) const { return m_pics.isEmpty() ? QString() : m_pics.at(index % m_pics.size()); }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
    QStringList m_pics;
    std::mt19937 m_random;
};

class BankWriter
{
public:
    BankWriter(const QString &path, const QStringList &pics) : m_rows(pics)
    {
        QFile::remove(path);
        m_db.openForWriting(path);
        m_db.exec(createTkSql().constData());
    }

    void addRows(int count)
    {
        SqliteTransaction transaction(m_db);
        SqliteStatement insert(m_db, insertIntoTkSql());
        for (int i = 0; i < count; ++i)
            addRow(insert, ++m_written);
        transaction.commit();
    }

    qint64 fileBytes()
    {
        SqliteStatement pages(m_db, "PRAGMA page_count");
        SqliteStatement pageSize(m_db, "PRAGMA page_size");
        pages.step();
        pageSize.step();
        return pages.integer(0) * pageSize.integer(0);
    }

    int written() const { return m_written; }

private:
    void addRow(SqliteStatement &insert, int id)
    {
        const bool choice = id % 2 == 1;
        Question question;
        question.id = id;
        question.type = m_rows.type(id);
        question.subject = m_rows.stem();
        if (choice) {
            for (QString *option : {&question.a, &question.b, &question.c, &question.d})
                *option = m_rows.option();
        }
        question.pic = m_rows.pic(id);
        question.select = choice ? QStringLiteral("Y") : QStringLiteral("N");
        question.answer = choice ? QString(QChar(u'A' + m_rows.pick(0, 3)))
                                 : (m_rows.pick(0, 1) ? QStringLiteral("正确") : QStringLiteral("错误"));
        insert.reset();
        bindQuestion(insert, question);
        insert.step();
    }

    SqliteDb m_db;
    RowMaker m_rows;
    int m_written = 0;
};

} // namespace

void writeQuestionBank(const QString &path, int questions, const QStringList &pics)
{
    BankWriter writer(path, pics);
    writer.addRows(questions);
}

int writeQuestionBankOfSize(const QString &path, qint64 bytes, const QStringList &pics)
{
    BankWriter writer(path, pics);
    while (writer.fileBytes() < bytes)
        writer.addRows(500);
    return writer.written();
}

} // namespace kemuyi::bench
