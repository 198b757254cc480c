#pragma once

#include <QWidget>

namespace kemuyi {

class PictureBox;

// The main window: the category menu. Its creation makes the working copy of the bank.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    PictureBox *Image1 = nullptr;

    void FormCreate();
};

} // namespace kemuyi
