#pragma once

#include <filesystem>
#include <string>

#include "drawing/TDXFwriter.h"
#include "drawing/TgrafikaData.h"
#include "drawing/VolbyKresby.h"

namespace vertano {

// Layers of the network drawing.
namespace dxfVrstva {
inline constexpr int kNula = 0;
inline constexpr int kVyrBod = 1;
inline constexpr int kVyrZnak = 2;
inline constexpr int kVyrCislo = 3;
inline constexpr int kFixBod = 4;
inline constexpr int kFixZnak = 5;
inline constexpr int kFixCislo = 6;
inline constexpr int kMereniLinie = 7;
inline constexpr int kMereniPopis = 8;
inline constexpr int kElipsaApri = 9;
inline constexpr int kElipsaApos = 10;
inline constexpr int kPocet = 11;
// Written only when the drawing has such points, so that a drawing without
// them keeps its layer table.
inline constexpr int kNekontrolovany = 11;
}  // namespace dxfVrstva

// The DXF drawing of an adjusted network: a symbol and the number of every
// point, a line with its observation counts for every observed pair, and the
// a-priori and a-posteriori error ellipses of every determined point, each group
// on its layer. Drawing coordinates are x = -Y, y = -X of the data.
class TDXFwriterSit : public TDXFwriter {
  public:
    const TgrafikaData* data = nullptr;  // not owned

    TDXFwriterSit();

    void ConnectData(const TgrafikaData& vstup) { data = &vstup; }
    // Writes the whole file; false with the reason (English) when there is no
    // data or the file cannot be saved.
    bool createdxf(std::string& chyba);

    void PointSizeCalc();
    void DefineLayers();
    void WriteDrawing();
    void WritePoints();
    void WriteMeasLines();
    void WriteMeasDescr();
    void WriteEllipses();
    // The mark of a side shot or of a point depending on uncontrolled
    // observations, on its own layer.
    void UncontrolledMark(Real x, Real y);
    void PartlyFixedMark(Real x, Real y, FixniOsy osy);
    // The outline of point i's ellipse on the layer (kElipsaApri or kElipsaApos).
    void Ellipse(int i, int vrstva);
    // The label of pair record i: "directions:zeniths:distances", and
    // "(distances:bearings:height differences)" of the supplementary ones when
    // there are any.
    std::string CreateMereStr(int i) const;
};

// The export command of the drawing window: writes a copy of `data` (X and Y
// change sign in the mathematical system, so that it is drawn the right way up)
// with the colours, the visible layers, the ellipse magnification and the
// language of the options. The ellipse layers carry the magnification in their
// names ("ErrElips_Apri_50000"). False with the reason when the file cannot be
// written; an existing file is then left as it was.
bool ExportovatDXF(const TgrafikaData& data, bool souradnicovySystem, const VolbyKresby& volby,
                   int jazyk, const std::filesystem::path& cesta, std::string& chyba);

}  // namespace vertano
