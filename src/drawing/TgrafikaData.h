#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/Tbod.h"
#include "matice/Real.h"
#include "mereni/Velicina.h"

namespace vertano {

class VysledekSite;
class TvektorMereni;
class Tsouradnice;

// One point of the drawing. Lengths in metres, the bearing in radians from +X
// towards +Y; the semi-axes are for a unit standard deviation of 1 (the painter
// scales them by the a-priori or a-posteriori one). A fixed point has no ellipse.
struct TgrafikaBod {
    std::string cislo;
    Real X = 0;
    Real Y = 0;
    Real a_delka = 0;
    Real b_delka = 0;
    Real a_smernik = 0;
    bool JeFixni = false;
    // A side shot or a point that depends on uncontrolled observations: drawn
    // with a mark of its own.
    bool jeNekontrolovany = false;
    // A point fixed in plan alone or in height alone: a triangle (the trig
    // point known in plan) or a diamond (the benchmark) around its symbol.
    FixniOsy fixniOsy = FixniOsy::Vse;
};

// One pair of points tied by observations, with the number of observations of
// each kind between them, both directions together. iStn < iCil index `body`.
struct TgrafikaZaznam {
    int32_t iStn = 0;
    int32_t iCil = 0;
    int32_t delkaS = 0;
    int32_t smer = 0;
    int32_t zenit = 0;
    int32_t smernik = 0;
    int32_t delkaH = 0;
    int32_t prevyseni = 0;
    bool JePlny = false;
};

// The label of a pair in the drawing and in the DXF: the counts of directions,
// zenith angles and slope distances joined by ":", and, when there are any
// supplementary observations, their distances, bearings and height differences
// in brackets: "4:4:4", "2:2:2(1:0:0)".
std::string PopisDvojice(const TgrafikaZaznam& z);

// Vertex j (0-40) of the outline of a point's error ellipse for the unit
// standard deviation `s0` and the magnification `m`: the parameter t = j pi/20
// runs once round, vertex 40 is vertex 0 again. Data coordinates [m].
std::array<Real, 2> VrcholElipsy(const TgrafikaBod& b, int j, Real s0, Real m);

// The smallest and largest X and Y of the points of a drawing.
struct DrawingExtents {
    Real minX = 0;
    Real maxX = 0;
    Real minY = 0;
    Real maxY = 0;
};

// The flat, drawing-ready picture of an adjusted network: the points with plane
// coordinates and error ellipses, the pairs of points tied by observations with
// their counts by kind, and the two unit standard deviations of the adjustment.
// The canvas paints it, the DXF export writes a copy, the transformation windows
// rewrite its coordinates, the epoch file stores the pair list as text.
//
// After NacistModel: pocetBodu == body.size(), pocetMereni == mereni.size(), every
// pair record is in use and the records ascend by iStn, then iCil, each pair once.
// The point order is that of the model's point list (determined points first).
class TgrafikaData {
  public:
    std::vector<TgrafikaBod> body;
    std::vector<TgrafikaZaznam> mereni;
    Real odchylkaJednotkovaAprior = 0;
    Real odchylkaJednotkovaAposterior = 0;
    int32_t pocetBodu = 0;
    int32_t pocetMereni = 0;
    // Why the last NacistModel, NacistMereniDleTypu or PrepsatSouradnice failed,
    // in English; empty after success.
    std::string chyba;

    TgrafikaData() = default;
    TgrafikaData(int32_t pocetBod, int32_t pocetZaznam) { Create(pocetBod, pocetZaznam); }

    // Arrays of the given lengths (a negative one counts as 0), zero-filled; the
    // counts and deviations zero.
    void Create(int32_t pocetBod, int32_t pocetZaznam);
    // Both arrays emptied, the deviations and counts zero, no failure reason.
    void Clear();
    void Kopiruj(const TgrafikaData& vstup);
    // The copy the DXF export writes: with the mathematical system
    // (souradnicovySystem false) X and Y of every point change sign, so that the
    // export's fixed mapping (x, y) = (-Y, -X) draws X to the right and Y upwards.
    void KopirujDXF(const TgrafikaData& vstup, bool souradnicovySystem);

    // Fills the object from an adjusted and evaluated model: its points (with the
    // plane error ellipses of the determined points), its unit standard
    // deviations and, with `nacistMereni`, the pair list of all its observations
    // (outliers that are still in the model included). False, with the object
    // cleared and the reason in `chyba`, when the model has no point, its point
    // list is shorter than its coordinate count, a value to draw is not finite,
    // or an observation names a point outside the list or the same point twice.
    bool NacistModel(const VysledekSite& model, bool nacistMereni);

    // Adds the first `pocetMereniTyp` observations of `mereniTyp` to the pair list
    // as observations of kind `typ`: each observation counts for
    // the unordered pair of its points, in the record of that pair, which is
    // created (in use, in its ordered place) when the pair has none yet. Records
    // not in use are dropped, and so are empty slots of the vector (jePlny false:
    // they hold no observation); a negative count adds nothing.
    // False, with nothing changed, for a kind the drawing has no column for
    // (a plumbing tie, Zadna), a count beyond the
    // vector, an observation whose iStn or iCil is outside the first `pocetBodu`
    // points or which joins a point with itself, or a pair list that is not in
    // the order NacistModel keeps.
    bool NacistMereniDleTypu(const TvektorMereni& mereniTyp, int32_t pocetMereniTyp, Velicina typ);

    // Removes the pair records that are not in use, keeping the order of the
    // others; pocetMereni follows.
    void SmazPrazdneZaznamy();

    // Replaces the plane coordinates, the fixed flags and the major-axis bearings
    // by those of `souradnice`, which holds the same points in the same order
    // (the adjusted list of the model or a transformed copy of it). typ true is
    // the geodetic system: X, Y and the bearing as they are; false the
    // mathematical one: X := Y, Y := X and the bearing pi/2 - bearing. Point
    // numbers and semi-axes stay. False, with nothing changed, when the list is
    // shorter, a point number differs at the same index, or a value is not
    // finite.
    bool PrepsatSouradnice(const Tsouradnice& souradnice, bool typ);

    // The pair list as text: per record "iStn iCil delkaS smer zenit smernik
    // delkaH prevyseni JePlny" (JePlny as -1 or 0), lines joined by CR LF,
    // nothing after the last line.
    std::string mereni2Str() const;

    // Extents of the point coordinates; none when there is no point.
    std::optional<DrawingExtents> Extents() const;

  private:
    // The number of points the indices may address: pocetBodu, bounded by `body`.
    int32_t PocetPlatnychBodu() const;
    bool NacistBody(const VysledekSite& model);
    bool NacistMereniModelu(const VysledekSite& model);
    // Clears the object and keeps the reason: the end of a failed NacistModel.
    bool SelhaniNacteni(std::string duvod);
};

}  // namespace vertano
