// The question illustrations. The names are the fixed list question writers may use.

#include "ArtGen.h"

namespace artgen {

std::vector<Artwork> illustrationArtworks()
{
    std::vector<Artwork> out;
    addProhibitionSigns(out);
    addWarningAndIndicationSigns(out);
    addRoadMarkings(out);
    addSignals(out);
    addDashboardLamps(out);
    addMoreProhibitionSigns(out);
    addMoreWarningSigns(out);
    addIndicationSigns(out);
    addGuideSigns(out);
    addMoreRoadMarkings(out);
    addMoreSignals(out);
    addPoliceSignals(out);
    addMoreDashboardLamps(out);
    addRoadScenes(out);
    return out;
}

} // namespace artgen
