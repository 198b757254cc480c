#pragma once

#include <QDialog>

namespace kemuyi {

class PictureBox;

// The practice window, shown modally over the menu.
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget *parent = nullptr);

    PictureBox *Image5 = nullptr;

    void FormCreate();
};

} // namespace kemuyi
