#pragma once

#include <QString>

#include <stdexcept>

namespace kemuyi {

// The one exception type the program throws for a failed step. Its text is what the learner
// reads in the failure box, so it names the file or row and the reason.
class Failure : public std::runtime_error
{
public:
    explicit Failure(const QString &message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace kemuyi
