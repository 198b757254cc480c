#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace kemuyi {

class ImageButton;
class PictureBox;

// The windows' shared control builders: each makes a control at its place, named for tests and
// screen readers.

// A label of plain black text on white paper, as the windows show questions and results: the
// windows paint in the button-face role, which a label would otherwise take over.
QLabel *paperLabel(QWidget *parent, const char *name, const QRect &place, int pixels = 16);

// White text on the dark band at the top of a window (progress lines, exam titles).
QLabel *bandLabel(QWidget *parent, const char *name, const QRect &place);

// A picture box at its place.
PictureBox *pictureBox(QWidget *parent, const char *name, const QRect &place);

// A picture button with its normal and hover picture files; `stem` gives stem.jpg and stem_ovr.jpg.
ImageButton *imageButton(QWidget *parent, const char *name, const QRect &place, const QString &normalFile,
                         const QString &hoverFile);
ImageButton *imageButton(QWidget *parent, const char *name, const QRect &place, const QString &stem);

} // namespace kemuyi
