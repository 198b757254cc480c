#pragma once

#include "Question.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

namespace kemuyi {

// What the form of a choice question's options can give away: a key that is the one longest
// option, or the one number out of order. A test-wise learner picks by form; these rules keep a
// bank from rewarding it.

// The option's own words, without its "A、" label.
QString optionWords(const QString &option);

// Whether the four options are not all of one length (in characters, without labels), and
// whether the key is longer than each of the other three.
bool optionLengthsDiffer(const Question &row);
bool keyIsStrictlyLongest(const Question &row);

// The most a category may have of its choice questions with options of differing length whose
// key is the strictly longest option: 30 %.
constexpr int kLongestKeyPercent = 30;

struct LongestKeyShare
{
    int choice = 0;        // choice questions
    int lengthsDiffer = 0; // of those, with options of differing length
    int keyLongest = 0;    // of those, whose key is the strictly longest

    void add(const Question &row);
    bool tooHigh() const { return keyLongest * 100 > lengthsDiffer * kLongestKeyPercent; }
    // "k/n（p%）", or "-" when no option lengths differ.
    QString text() const;
};

// Per category as the program selects it, from 40 choice questions up: one entry per category
// whose share is above the bound.
QStringList longestKeyProblems(const QVector<Question> &rows);

// The numbers of an option that differs from the others only in its numbers: "50米" and "100米",
// "20元以上200元以下" and "200元以上2000元以下", "0.5倍", "1,000元", full-width digits, and a
// Chinese numeral at the start ("两年", "十二个月"). `pattern` is the text with each number
// replaced by '#'. Nothing when the text holds no number.
struct NumericForm
{
    QString pattern;
    QVector<double> values;
};
std::optional<NumericForm> numericForm(const QString &text);

// A choice question's options are numeric when all four have the same pattern and their numbers
// are not all equal; they must then stand in ascending order (compared number by number, first
// number first). The options' numbers when they are numeric and out of order; nothing otherwise.
std::optional<QVector<QVector<double>>> numericOptionsOutOfOrder(const Question &row);

// One entry per choice question whose numeric options are out of order, naming its id.
QStringList numericOrderProblems(const QVector<Question> &rows);

} // namespace kemuyi
