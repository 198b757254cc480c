#pragma once

#include "picture/PictureHolder.h"

#include <QAbstractButton>
#include <QColor>

#include <initializer_list>

namespace kemuyi {

// A picture used as a button. It paints its own picture, unchanged when disabled (Qt would grey
// it), never takes keyboard focus (keys belong to the window), and shows the hand cursor. It
// sizes itself to its pictures unless told otherwise.
class ImageButton : public QAbstractButton, public PictureHolder
{
    Q_OBJECT

public:
    explicit ImageButton(QWidget *parent = nullptr);

    // The files of the normal and the hover picture, relative to AppDir.
    void setPictureFiles(const QString &normalFile, const QString &hoverFile);
    const QString &normalFile() const { return m_normalFile; }
    const QString &hoverFile() const { return m_hoverFile; }

    QSize sizeHint() const override;

    // The learner's recorded answer: a frame drawn over the picture, whichever picture (normal or
    // hover) the button shows, so the choice stays visible while the pointer rests elsewhere.
    void setMarked(bool marked);
    bool isMarked() const { return m_marked; }
    static QColor markColour();
    static constexpr int kMarkWidth = 3;

protected:
    void resizeToPicture(const QSize &size) override;
    qreal pictureScale() const override;
    void pictureChanged() override { update(); }
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QString m_normalFile;
    QString m_hoverFile;
    bool m_marked = false;
};

// The six answer buttons in the order of the choices they record (A, B, C, D, true, false): marks
// the one of `choice` (1 to 6) and unmarks the others; 0 unmarks all.
void markChoice(std::initializer_list<ImageButton *> buttonsByChoice, qint32 choice);

} // namespace kemuyi
