#pragma once

#include "ui/HoverPictures.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kemuyi {

class HoverTracker;
class ImageButton;
class PictureBox;
class TForm2;

// The main window: the introduction and the category menu. Its creation makes the working copy
// of the bank; a category opens the practice window modally; leaving closes the program.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);

    // Controls, bottom to top.
    PictureBox *Image1 = nullptr;
    ImageButton *Image_a1a3b1 = nullptr;
    ImageButton *Image_a2b2 = nullptr;
    ImageButton *Image_c1c2c3c4 = nullptr;
    ImageButton *Image_m = nullptr;
    ImageButton *Image_def = nullptr;
    ImageButton *Image_tc = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    // The learner's settings, under the introduction: the window size and reading aloud.
    QPushButton *sizeButton = nullptr;
    QPushButton *autoReadButton = nullptr;

    // The practice window is created after this one; start-up hands it over.
    void setPracticeWindow(TForm2 *form) { m_practice = form; }
    HoverTracker &hoverTracker() { return *m_hover; }

    void FormCreate();
    void Image_a1a3b1Click();
    void Image_a2b2Click();
    void Image_c1c2c3c4Click();
    void Image_mClick();
    void Image_defClick();
    void Image_tcClick();
    void CMMouseEnter(QWidget *control);
    void CMMouseLeave(QWidget *control);
    // The next size on the round 100 → 125 → 150 → 200 → 100 %, kept for the next start.
    void sizeClicked();
    void autoReadClicked();
    // Keys 1–5 (main row or keypad) open the categories in their order on screen; Esc asks
    // before it ends the program. Returns whether the key was one of these.
    bool menuKeyDown(const QKeyEvent &event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createSettingsButtons();
    void updateSettingsButtons();
    void createControls();
    ImageButton *addButton(const char *name, const QRect &place, const QString &stem);
    void practise(const QString &categoryCode);

    TForm2 *m_practice = nullptr;
    bool m_practising = false;
    QString m_pendingCategory;
    HoverTracker *m_hover = nullptr;
    HoverPictures m_hoverPictures;
};

// The introduction shown in the menu (compiled into the program).
QString introductionText();

} // namespace kemuyi
