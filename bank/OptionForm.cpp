#include "OptionForm.h"

#include "BankReview.h"

#include <algorithm>

namespace kemuyi {

namespace {

bool isChoice(const Question &row)
{
    return row.select == QLatin1String("Y");
}

QStringList wordsOf(const Question &row)
{
    return {optionWords(row.a), optionWords(row.b), optionWords(row.c), optionWords(row.d)};
}

// Characters, not UTF-16 units: a character beyond the BMP counts once.
int characters(const QString &text)
{
    return int(text.toUcs4().size());
}

int keyIndex(const Question &row)
{
    if (row.answer.size() != 1)
        return -1;
    const int index = row.answer.at(0).unicode() - 'A';
    return index >= 0 && index < 4 ? index : -1;
}

QChar asciiDigit(QChar c)
{
    if (c >= QChar(0xFF10) && c <= QChar(0xFF19)) // full-width ０–９
        return QChar(c.unicode() - 0xFF10 + '0');
    return c;
}

bool isDigit(QChar c)
{
    const QChar d = asciiDigit(c);
    return d >= QLatin1Char('0') && d <= QLatin1Char('9');
}

int digitsFrom(const QString &text, int at)
{
    int end = at;
    while (end < text.size() && isDigit(text.at(end)))
        ++end;
    return end - at;
}

// An Arabic number at `at`: digits, groups of three after commas, and a decimal part. Returns its
// length, and its value in `value`.
int arabicNumber(const QString &text, int at, double *value)
{
    QString digits;
    int end = at + digitsFrom(text, at);
    for (int i = at; i < end; ++i)
        digits += asciiDigit(text.at(i));
    while (end + 1 < text.size() && text.at(end) == QLatin1Char(',') && digitsFrom(text, end + 1) == 3) {
        for (int i = end + 1; i < end + 4; ++i)
            digits += asciiDigit(text.at(i));
        end += 4;
    }
    if (end + 1 < text.size() && (text.at(end) == QLatin1Char('.') || text.at(end) == QChar(0xFF0E))
        && digitsFrom(text, end + 1) > 0) {
        digits += QLatin1Char('.');
        const int fraction = digitsFrom(text, end + 1);
        for (int i = end + 1; i < end + 1 + fraction; ++i)
            digits += asciiDigit(text.at(i));
        end += 1 + fraction;
    }
    *value = digits.toDouble();
    return end - at;
}

int chineseDigit(QChar c)
{
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    if (c == QChar(0x4E24)) // 两
        return 2;
    if (c == QChar(0x3007)) // 〇
        return 0;
    return int(digits.indexOf(c));
}

int chineseUnit(QChar c)
{
    if (c == QChar(0x5341)) // 十
        return 10;
    if (c == QChar(0x767E)) // 百
        return 100;
    if (c == QChar(0x5343)) // 千
        return 1000;
    return 0;
}

// A Chinese numeral below ten thousand at the start of the text ("两", "十二", "三百零五"):
// its length, and its value in `value`.
int chineseNumber(const QString &text, double *value)
{
    int total = 0;
    int digit = -1;
    int end = 0;
    for (; end < text.size(); ++end) {
        const QChar c = text.at(end);
        if (const int d = chineseDigit(c); d >= 0) {
            digit = d;
        } else if (const int unit = chineseUnit(c); unit > 0) {
            total += (digit > 0 ? digit : 1) * unit;
            digit = -1;
        } else {
            break;
        }
    }
    *value = total + std::max(digit, 0);
    return end;
}

} // namespace

QString optionWords(const QString &option)
{
    const QString text = option.trimmed();
    if (text.size() >= 2 && text.at(0) >= QLatin1Char('A') && text.at(0) <= QLatin1Char('D')
        && (text.at(1) == QChar(0x3001) || text.at(1) == QLatin1Char('.') || text.at(1) == QChar(0xFF0E)))
        return text.mid(2).trimmed();
    return text;
}

bool optionLengthsDiffer(const Question &row)
{
    const QStringList words = wordsOf(row);
    const int first = characters(words.first());
    return std::any_of(words.begin(), words.end(), [&](const QString &text) { return characters(text) != first; });
}

bool keyIsStrictlyLongest(const Question &row)
{
    const int key = keyIndex(row);
    if (key < 0)
        return false;
    const QStringList words = wordsOf(row);
    const int keyLength = characters(words.at(key));
    for (int i = 0; i < words.size(); ++i) {
        if (i != key && characters(words.at(i)) >= keyLength)
            return false;
    }
    return true;
}

void LongestKeyShare::add(const Question &row)
{
    if (!isChoice(row))
        return;
    ++choice;
    if (!optionLengthsDiffer(row))
        return;
    ++lengthsDiffer;
    keyLongest += keyIsStrictlyLongest(row);
}

QString LongestKeyShare::text() const
{
    if (lengthsDiffer == 0)
        return QStringLiteral("-");
    return QStringLiteral("%1/%2（%3%）")
        .arg(keyLongest)
        .arg(lengthsDiffer)
        .arg(QString::number(100.0 * keyLongest / lengthsDiffer, 'f', 1));
}

QStringList longestKeyProblems(const QVector<Question> &rows)
{
    QStringList problems;
    for (const QString &code : categoryCodes()) {
        LongestKeyShare share;
        for (const Question &row : rows) {
            if (servesCategory(row.type, code))
                share.add(row);
        }
        if (share.choice < kBalanceMinimumQuestions || !share.tooHigh())
            continue;
        problems.append(QStringLiteral("类别 %1：选项长短不一的选择题中，答案是唯一最长选项的有 %2，应不超过 %3%（请加长干扰项或精简答案）")
                            .arg(code, share.text())
                            .arg(kLongestKeyPercent));
    }
    return problems;
}

std::optional<NumericForm> numericForm(const QString &text)
{
    NumericForm form;
    int i = 0;
    double value = 0;
    if (const int length = chineseNumber(text, &value); length > 0) {
        form.pattern += QLatin1Char('#');
        form.values.append(value);
        i = length;
    }
    while (i < text.size()) {
        if (isDigit(text.at(i))) {
            i += arabicNumber(text, i, &value);
            form.pattern += QLatin1Char('#');
            form.values.append(value);
        } else {
            form.pattern += text.at(i++);
        }
    }
    if (form.values.isEmpty())
        return std::nullopt;
    return form;
}

std::optional<QVector<QVector<double>>> numericOptionsOutOfOrder(const Question &row)
{
    if (!isChoice(row))
        return std::nullopt;
    QVector<NumericForm> forms;
    for (const QString &words : wordsOf(row)) {
        const std::optional<NumericForm> form = numericForm(words);
        if (!form || (!forms.isEmpty() && form->pattern != forms.first().pattern))
            return std::nullopt;
        forms.append(*form);
    }
    QVector<QVector<double>> values;
    bool ascending = true;
    for (const NumericForm &form : forms) {
        if (!values.isEmpty() && form.values < values.last())
            ascending = false;
        values.append(form.values);
    }
    if (ascending)
        return std::nullopt;
    return values;
}

QStringList numericOrderProblems(const QVector<Question> &rows)
{
    QStringList problems;
    for (const Question &row : rows) {
        const auto values = numericOptionsOutOfOrder(row);
        if (!values)
            continue;
        QStringList shown;
        for (const QVector<double> &numbers : *values) {
            QStringList parts;
            for (const double number : numbers)
                parts.append(QString::number(number));
            shown.append(parts.join(QLatin1Char('/')));
        }
        problems.append(QStringLiteral("题号 %1：数字选项应从小到大排列，实为 %2")
                            .arg(row.id)
                            .arg(shown.join(QStringLiteral("、"))));
    }
    return problems;
}

} // namespace kemuyi
