#include "Confirmation.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kemuyi {

namespace {

bool askInABox(const QString &caption, const QString &question)
{
    QMessageBox box(QMessageBox::Question, caption, question);
    QPushButton *yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

Confirmer &currentConfirmer()
{
    static Confirmer confirmer;
    return confirmer;
}

} // namespace

Confirmer setConfirmer(Confirmer confirmer)
{
    Confirmer previous = std::move(currentConfirmer());
    currentConfirmer() = std::move(confirmer);
    return previous;
}

bool confirm(const QString &question)
{
    const QString caption = QGuiApplication::applicationDisplayName();
    return currentConfirmer() ? currentConfirmer()(caption, question) : askInABox(caption, question);
}

} // namespace kemuyi
