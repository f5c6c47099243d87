#pragma once

#include <filesystem>
#include <string>

#include "drawing/VolbyKresby.h"

namespace vertano {

class Workspace;

// Outcome of writing a result file: the reason in English when it failed.
struct VysledekUlozeni {
    bool uspech = false;
    std::string chyba;
};

// The files of a current network adjustment. Each needs the result of the
// adjustment (Tinfo::jeVyrovnanaSit); when there is none, or the file cannot be
// written, nothing is written, an existing file stays as it was and notification
// 28 is announced.

// The epoch file: counts, unit standard deviations, the adjusted points (rounded
// to six decimals), the cofactors of the determined coordinates and the pair list
// of the drawing.
VysledekUlozeni ZapsatEtapuSite(Workspace& ws, const std::filesystem::path& cesta);

// The DXF drawing with the options of the drawing window, layer names in
// `jazyk` (0 Czech, 1 English; the window passes the language of the settings).
VysledekUlozeni ExportovatDXFSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int jazyk);

// The picture of the drawing window at its default view, `sirka` x `vyska`
// pixels, as PNG, BMP or JPEG by the extension. Needs a QGuiApplication (see
// OffscreenGui).
VysledekUlozeni UlozitObrazekSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int sirka, int vyska);

// The drawing sizes the picture may have.
inline constexpr int kMinRozmerObrazku = 100;
inline constexpr int kMaxRozmerObrazku = 10000;

}  // namespace vertano
