#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>

#include "drawing/ObsazenaMista.h"
#include "drawing/TgrafikaData.h"
#include "drawing/VolbyKresby.h"
#include "matice/Real.h"

class QPainter;

namespace vertano {

// A point (x, y), in metres or in pixels as the routine says.
using T2DPoint = std::array<Real, 2>;

// The largest and smallest X and Y of the points.
struct TDuoPoint {
    T2DPoint Max{};
    T2DPoint Min{};
};

// The view: pixels per metre, the data point at the centre of the view and pixel
// offsets added after scaling. A data point (X, Y) is at the pixel
// x = (X - Tx) m + W/2 + txx, y = (Y - Ty) m + H/2 + tyy (y grows downwards).
struct TTransPar {
    Real m = 1;
    Real Tx = 0;
    Real Ty = 0;
    Real txx = 0;
    Real tyy = 0;
};

// The 41 vertices (x, y) of an ellipse outline, in metres.
using TElipse = std::array<Real, 82>;

struct TPaintSettings {
    Real zoomF = 1.05;
    int CrossSize = 5;   // half arm of a point cross [px]
    int CircleSize = 3;  // radius of the fixed-point circle [px]
    int PenWidthP = 1;
    int PenWidthL = 1;
    int PenWidthE = 1;
    int PenWidthA = 1;
    int PenWidthS = 1;
    BarvaRgb ColorF = BarvaPalety(barva::kZluta);
    BarvaRgb ColorA = BarvaPalety(barva::kLimetkova);
    BarvaRgb ColorL = BarvaPalety(barva::kStribrna);
    BarvaRgb ColorB = BarvaPalety(barva::kCerna);
    BarvaRgb ColorE = BarvaPalety(barva::kAzurova);
    int FontSize = 10;
    std::string FontName = "Times New Roman";
    bool FontBold = false;
    Real Escale = 50000;  // ellipse magnification
    Real s0 = 1;          // unit standard deviation that scales the ellipses
    bool PaintBody = true;
    bool PaintMere = true;
    bool PaintDesc = true;
    bool PaintElips = true;
    bool PaintAxes = true;
    bool PaintScale = true;
    bool AxesType = true;  // true geodetic, false mathematical
    uint8_t UnitType = 0;  // coordinates in 0 metres, 1 feet
};

// Lines of observations the drawing shows in a colour of their own, over the
// ordinary line of their pair: a pair with an uncontrolled observation (a gross
// error in it cannot be found) or with an outlier. iStn and iCil index the
// points of the data; an outlier pair may be one the data has no record of (the
// outlier left the adjusted model).
enum class DruhSpojnice { Nekontrolovana, Odlehla };
struct ZvlastniSpojnice {
    int32_t iStn = 0;
    int32_t iCil = 0;
    DruhSpojnice druh = DruhSpojnice::Nekontrolovana;
};
inline constexpr BarvaRgb kBarvaNekontrolovane{255, 150, 0};
inline constexpr BarvaRgb kBarvaOdlehle{255, 0, 0};

// Paints the drawing data onto an off-screen picture: lines between observed
// pairs with their labels, error ellipses, point symbols with numbers, the axes
// cross and the scale bars. The data and the picture belong to the caller.
// QtGui needs a QGuiApplication for the fonts (see OffscreenGui).
class TContainer {
  public:
    const TgrafikaData* data = nullptr;
    QImage* Bitmap = nullptr;
    TTransPar TransPar;
    TPaintSettings PaintSettings;
    // Painted after the ordinary lines, when the lines are painted.
    std::vector<ZvlastniSpojnice> zvlastniSpojnice;

    void ConnectBitmap(QImage& bitmap) { Bitmap = &bitmap; }
    void ConnectData(const TgrafikaData& vstup) { data = &vstup; }

    // The paint settings of the window's controls, with the unit standard
    // deviation of the chosen accuracy taken from the data.
    void NastavitVolby(const VolbyKresby& volby);

    // The view that shows every point with a margin of 25 pixels and, besides,
    // room for the axes cross, the scale bars and the point numbers that are
    // painted (the font must be set before).
    void CalcDefView();
    TDuoPoint CalcCoordLimits() const;
    T2DPoint CalcPixCoords(int i) const;
    T2DPoint CalcPixCoordsXY(const T2DPoint& bod) const;
    T2DPoint DeCalcPicCoords(const T2DPoint& pixel) const;
    // Zooms by `f` around the centre of the picture.
    void Zoom(Real f);
    void ZoomIn() { Zoom(PaintSettings.zoomF); }
    void ZoomOut() { Zoom(1 / PaintSettings.zoomF); }
    void Trans(int dx, int dy);
    // Point i at the centre of the picture, the scale as it is.
    void Vycentrovat(int i);

    // Paints everything the settings switch on, in this order: background,
    // lines, ellipses, points, axes, scale bars.
    void PaintAll();

    // The point whose symbol is nearest to the pixel (x, y), no farther than
    // `tolerance` pixels; -1 for none.
    int BodNaPixelu(int x, int y, int tolerance) const;

    // The label of pair record i (as in the DXF).
    std::string CreateMereStr(int i) const;
    // The outline of point i's ellipse for magnification `m` and unit standard
    // deviation `s0` (metres, data coordinates).
    TElipse CalcElipse(int i, Real m, Real s0) const;
    // The largest and the smallest semi-axis of the determined points [m].
    std::pair<Real, Real> CalcExtremeElipse() const;

  private:
    int PocetBodu() const;
    void ClearBitmap(QPainter& p) const;
    void PaintPoints(QPainter& p) const;
    void PaintUncontrolled(QPainter& p, int x, int y) const;
    void PaintPartlyFixed(QPainter& p, int x, int y, FixniOsy osy) const;
    // The symbols of a fixed and of a determined point at a pixel; each returns
    // the top left corner of its number.
    QPoint PPF(QPainter& p, int x, int y) const;
    QPoint PPA(QPainter& p, int x, int y) const;
    void PaintMereni(QPainter& p) const;
    void PaintZvlastni(QPainter& p) const;
    void PaintElipses(QPainter& p) const;
    void PaintElipse(QPainter& p, int i) const;
    void PaintAxes(QPainter& p) const;
    void PaintScale(QPainter& p) const;
    void ScaleBar(QPainter& p, int y0, Real pixelyNaJednotku, Real faktor,
                  const std::string& jednotka) const;
    // A label with its top left corner at `kotva`, or a line lower (up to eight)
    // where it would cover one in `obsazene`: points in one plan position (a
    // shaft point below its mark) and lines along one another would otherwise
    // write over each other. Adds the place it took. Where all eight are taken,
    // the label goes on the last one, or with `jenVolne` is left out: the
    // labels of the lines of a large network seen whole would only blacken
    // the picture (and take most of the time painting it).
    void Popis(QPainter& p, QPoint kotva, const std::string& text, ObsazenaMista& obsazene,
               bool jenVolne = false) const;
    // Text with its top left corner at (x, y).
    void Txt(QPainter& p, int x, int y, const std::string& text) const;
    // The widths of the labels of one painting (its font), by text.
    mutable std::unordered_map<std::string, int> sirkyPopisu_;
    BarvaRgb BarvaOsy() const;
};

// Encodes the picture as PNG, BMP (24 bits) or JPEG (the encoder's default
// quality) by the extension of `cesta` (.png, .bmp, .jpg or .jpeg, any case) and
// saves it through the safe writer. False with the reason (English) for another
// extension or when it cannot be encoded or saved; an existing file is then left
// as it was.
bool UlozitObrazek(const QImage& obrazek, const std::string& cesta, std::string& chyba);

// Whether the extension names a picture format UlozitObrazek writes.
bool JeFormatObrazku(const std::string& cesta);

}  // namespace vertano
