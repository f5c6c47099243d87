#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "drawing/VolbyKresby.h"

class QImage;

namespace vertano {

class Interaction;
class TgrafikaData;
class Tsouradnice;
class Workspace;

// Outcome of writing a result file: the reason in English when it failed.
struct VysledekUlozeni {
    bool uspech = false;
    std::string chyba;
    // The interaction asked it to stop: nothing was written, an existing file
    // stays as it was, and no notification was announced.
    bool zruseno = false;
};

// Which result a file shows: the values of the setting okno.grafika, with which
// the windows open the drawing.
enum class DruhVysledku : int32_t {
    Vyrovnani = 1,                // the network adjustment
    BodASmernik = 2,              // the point-and-bearing transformation
    TransformaceSVyrovnanim = 3,  // the transformation with adjustment
};

// The files of a current result. Each needs that result to be current
// (WorkflowState: Step::Adjustment, PointAndBearing or
// TransformationWithAdjustment); when there is none,
// or the file cannot be written, nothing is written, an existing file stays as
// it was and notification 28 is announced.

// The epoch file: the counts and unit standard deviations of the adjustment,
// the points (rounded to six decimals) and the cofactors of the determined
// coordinates of the result (adjusted, or transformed), and the pair list of the
// drawing.
// The cofactors are computed a column at a time and written as they come (the
// memory of the adjustment suffices for any size), but the file grows with the
// square of the network: about 22 bytes for each of the n (n + 1) / 2
// cofactors of n coordinates, 845 MB for 3,000 points, about 10 GB for 10,000.
// With an interaction, the cofactors report their progress by columns, and a
// stop requested through it ends the writing (VysledekUlozeni::zruseno).
VysledekUlozeni ZapsatEtapuSite(Workspace& ws, const std::filesystem::path& cesta,
                                DruhVysledku vysledek = DruhVysledku::Vyrovnani,
                                Interaction* interakce = nullptr);
// The estimated size of that file in bytes (0 without a result), to be asked
// about (the window) or required an option (the command line) above
// kVelkaEtapa.
int64_t VelikostEtapySite(const Workspace& ws, DruhVysledku vysledek = DruhVysledku::Vyrovnani);
inline constexpr int64_t kVelkaEtapa = int64_t{500} << 20;

// The DXF drawing of the result with the options of the drawing window, layer
// names in `jazyk` (0 Czech, 1 English; the window passes the language of the
// settings).
VysledekUlozeni ExportovatDXFSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int jazyk,
                                  DruhVysledku vysledek = DruhVysledku::Vyrovnani);

// The picture of the drawing window at its default view, `sirka` x `vyska`
// pixels, as PNG, BMP or JPEG by the extension. Needs a QGuiApplication (see
// OffscreenGui).
VysledekUlozeni UlozitObrazekSite(Workspace& ws, const std::filesystem::path& cesta,
                                  const VolbyKresby& volby, int sirka, int vyska,
                                  DruhVysledku vysledek = DruhVysledku::Vyrovnani);

// Whether the result is current and has points to draw.
bool MaVysledekSite(const Workspace& ws, DruhVysledku vysledek);
// The points of the result: adjusted, or transformed.
const Tsouradnice& BodyVysledku(const Workspace& ws, DruhVysledku vysledek);
// The drawing data of the result as the drawing window shows them: the pairs of
// the network and the coordinates of the result in the axes of the settings.
// False (with data.chyba) when the coordinates do not fit the pairs.
bool DataKresbySite(const Workspace& ws, DruhVysledku vysledek, TgrafikaData& data);
// The drawing window's picture exactly as it is on screen, as PNG, BMP or JPEG
// by the extension; a failure announces notification 28 and keeps an existing
// file.
VysledekUlozeni UlozitObrazekOkna(Workspace& ws, const std::filesystem::path& cesta,
                                  const QImage& obrazek);

// The drawing sizes the picture may have.
inline constexpr int kMinRozmerObrazku = 100;
inline constexpr int kMaxRozmerObrazku = 10000;

}  // namespace vertano
