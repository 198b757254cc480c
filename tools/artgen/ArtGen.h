#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace artgen {

// One picture the generator writes: its file name (relative to its folder) and how to draw it.
struct Artwork
{
    QString fileName;
    std::function<QImage()> draw;
};

// Splash, window backgrounds, buttons, the auto-advance switch and the feedback pictures.
std::vector<Artwork> interfaceArtworks();

// A button face with a centred caption, as every caption button of the windows has; and the
// pair of a picture and its hover form, written as stem.jpg and stem_ovr.jpg.
QImage captionButton(QSize size, const QString &caption, int pixelSize, bool hover);
void addPair(std::vector<Artwork> &out, const QString &stem, const std::function<QImage(bool hover)> &draw);

// The mock exam's buttons, and its entry in the practice window.
void addExamButtons(std::vector<Artwork> &out);
// The study centre's buttons and the practice window's favourite star.
void addStudyButtons(std::vector<Artwork> &out);

// The question illustrations, one per name question writers may use.
std::vector<Artwork> illustrationArtworks();

// Illustration groups, kept in their own files to keep each file readable.
void addProhibitionSigns(std::vector<Artwork> &out);
void addWarningAndIndicationSigns(std::vector<Artwork> &out);
void addRoadMarkings(std::vector<Artwork> &out);
void addSignals(std::vector<Artwork> &out);
void addDashboardLamps(std::vector<Artwork> &out);
void addMoreProhibitionSigns(std::vector<Artwork> &out);
void addMoreWarningSigns(std::vector<Artwork> &out);
void addIndicationSigns(std::vector<Artwork> &out);
void addGuideSigns(std::vector<Artwork> &out);
// Further markings, signals, police hand signals, dashboard lamps and road situations.
void addMoreRoadMarkings(std::vector<Artwork> &out);
void addMoreSignals(std::vector<Artwork> &out);
void addPoliceSignals(std::vector<Artwork> &out);
void addMoreDashboardLamps(std::vector<Artwork> &out);
void addRoadScenes(std::vector<Artwork> &out);

// Window mock-ups built from the written pictures, for checking the design by eye.
void writePreviews(const QString &assetDir, const QString &pngDir);

// The application icon for the desktop: kemuyi-48.png, kemuyi-128.png and kemuyi.svg.
void writeIcons(const QString &folder);

// The six menu buttons: picture stem, height and top edge in the menu window.
struct MenuButton
{
    QString stem;
    int height;
    int top;
};
std::vector<MenuButton> menuButtons();

} // namespace artgen
