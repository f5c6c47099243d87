// The design matrix (transposed, one sparse row per unknown), the reduced
// observations l = computed - measured, the normal equations and the datum
// conditions at the current coordinates.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "matice/DenseHelpers.h"
#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "matice/ParallelProducts.h"
#include "matice/Sparse.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

constexpr int kX = 0;
constexpr int kY = 1;
constexpr int kZ = 2;

// Station-to-target geometry at the current coordinates.
struct Geometrie {
    Real dX = 0;
    Real dY = 0;
    Real dZ = 0;
    Real s2 = 0;  // horizontal distance squared
    Real s = 0;
};

// The partial derivatives of one observation with respect to the station's X, Y,
// Z (the target's are their negatives) and its computed value.
struct Rovnice {
    Real a[3] = {0, 0, 0};
    Real f = 0;
};

Rovnice Delka(const Geometrie& g, Real m) {
    const Real mdZ = m * g.dZ;
    const Real D = std::sqrt(g.s2 + mdZ * mdZ);
    Rovnice r;
    r.f = D;
    r.a[kX] = -g.dX / D;
    r.a[kY] = -g.dY / D;
    r.a[kZ] = -m * m * g.dZ / D;
    return r;
}

// The zenith angle atan2(s, m dZ) equals arccos(m dZ / D) without the argument
// ever leaving [-1, 1] by rounding. Its derivative by Z carries the factor m like
// those by X and Y: the scaled height difference is what the angle sees, and a
// derivative without it would move the solution off the least-squares minimum
// whenever m differs from 1.
Rovnice Zenit(const Geometrie& g, Real m) {
    const Real mdZ = m * g.dZ;
    const Real D2 = g.s2 + mdZ * mdZ;
    Rovnice r;
    r.f = Atan2(g.s, mdZ);
    r.a[kX] = -m * g.dX * g.dZ / (D2 * g.s);
    r.a[kY] = -m * g.dY * g.dZ / (D2 * g.s);
    r.a[kZ] = m * g.s / D2;
    return r;
}

Rovnice Smer(const Geometrie& g) {
    Rovnice r;
    r.f = Normalise(Atan2(g.dY, g.dX));
    r.a[kX] = g.dY / g.s2;
    r.a[kY] = -g.dX / g.s2;
    return r;
}

class PlneniPlanu {
  public:
    explicit PlneniPlanu(TmodelSite& model)
        : m_(model),
          stav_(Stav(model)),
          S_(stav_.maticePlanuSparse),
          l_(stav_.vektorRedukovanychMereni),
          bodu_(stav_.pocetSouradnicUrcovanych / 3) {}

    bool Vse();

  private:
    using Vypocet = Rovnice (*)(const Geometrie&, const TmerenaVelicina&);

    bool Skupiny(TvektorMereni& vektor, const TindexVector& index, int32_t pocatek, int osy,
                 Vypocet vypocet);
    bool Skupina(TvektorMereni& vektor, int32_t prvni, int32_t konec, int32_t pocatek, int osy,
                 Vypocet vypocet);
    bool Orientace(const TvektorMereni& vektor, int32_t prvni, int32_t konec, int32_t pocatek);
    bool Doplnky();
    bool Radek(const TmerenaVelicina& v, int32_t rovnice, const Rovnice& r, int osy);
    bool Body(const TmerenaVelicina& v, Geometrie& g) const;
    bool Zapis(int32_t bod, int osa, int32_t rovnice, Real hodnota);
    // The unknown of coordinate `osa` of point `bod`; -1 for a fixed point and
    // a coordinate a partly fixed point holds.
    int32_t Neznama(int32_t bod, int osa) const {
        if (bod >= bodu_ || bod < 0) return -1;
        return stav_.souradnice.bod[static_cast<std::size_t>(bod)].DrziOsu(osa) ? -1
                                                                                : 3 * bod + osa;
    }
    bool Chyba(const std::string& text) {
        stav_.chyba = text;
        return false;
    }

    TmodelSite& m_;
    TmodelSiteStav& stav_;
    Tsparse& S_;
    Tvector& l_;
    int32_t bodu_;
};

bool PlneniPlanu::Body(const TmerenaVelicina& v, Geometrie& g) const {
    const int32_t n = stav_.souradnice.Pocet();
    if (v.iStn < 0 || v.iStn >= n || v.iCil < 0 || v.iCil >= n || v.iStn == v.iCil) return false;
    const Tbod& s = stav_.souradnice.bod[static_cast<std::size_t>(v.iStn)];
    const Tbod& t = stav_.souradnice.bod[static_cast<std::size_t>(v.iCil)];
    g.dX = t.X - s.X;
    g.dY = t.Y - s.Y;
    g.dZ = t.Z - s.Z;
    g.s2 = g.dX * g.dX + g.dY * g.dY;
    g.s = std::sqrt(g.s2);
    return true;
}

bool PlneniPlanu::Zapis(int32_t bod, int osa, int32_t rovnice, Real hodnota) {
    const int32_t radek = Neznama(bod, osa);
    return radek < 0 || SparseAppend(S_, rovnice, radek, hodnota);
}

// A single-row observation: station coefficients, target coefficients (negated)
// appended; `osy` says which axes the observation touches (bit per axis).
bool PlneniPlanu::Radek(const TmerenaVelicina& v, int32_t rovnice, const Rovnice& r, int osy) {
    for (int osa = kX; osa <= kZ; ++osa) {
        if ((osy & (1 << osa)) == 0) continue;
        if (!Zapis(v.iStn, osa, rovnice, r.a[osa])) return false;
    }
    for (int osa = kX; osa <= kZ; ++osa) {
        if ((osy & (1 << osa)) == 0) continue;
        if (!Zapis(v.iCil, osa, rovnice, -r.a[osa])) return false;
    }
    l_[static_cast<std::size_t>(rovnice)] = r.f - v.hodnota;
    return true;
}

bool PlneniPlanu::Skupiny(TvektorMereni& vektor, const TindexVector& index, int32_t pocatek,
                          int osy, Vypocet vypocet) {
    const auto velikost = static_cast<int32_t>(vektor.zaznam.size());
    if (velikost == 0) return true;
    if (index.size() < 2 || index.front() != 0 || index.back() != velikost) {
        return Chyba("The group index of the observations does not match them");
    }
    for (std::size_t g = 0; g + 1 < index.size(); ++g) {
        if (index[g] > index[g + 1]) return Chyba("The group index is not ascending");
        if (index[g] == index[g + 1]) continue;
        if (!Skupina(vektor, index[g], index[g + 1], pocatek, osy, vypocet)) return false;
    }
    return true;
}

// One station group. The station's rows get one reserved slot per observation of
// the group, filled in observation order; targets are appended. Coefficients are
// computed once per target and shared by its sets. Observation indices thus
// ascend in every row.
bool PlneniPlanu::Skupina(TvektorMereni& vektor, int32_t prvni, int32_t konec, int32_t pocatek,
                          int osy, Vypocet vypocet) {
    auto& z = vektor.zaznam;
    const int32_t stn = z[static_cast<std::size_t>(prvni)].iStn;
    const int32_t velikost = konec - prvni;
    int32_t stare[3] = {0, 0, 0};
    for (int osa = kX; osa <= kZ; ++osa) {
        const int32_t radek = Neznama(stn, osa);
        if ((osy & (1 << osa)) == 0 || radek < 0 || stn < 0) continue;
        stare[osa] = static_cast<int32_t>(S_.data[static_cast<std::size_t>(radek)].size());
        if (!SparseSetRowLength(S_, radek, stare[osa] + velikost)) return false;
    }
    std::vector<bool> hotovo(static_cast<std::size_t>(velikost), false);
    Real lPrvni = 0;
    for (int32_t k = prvni; k < konec; ++k) {
        if (hotovo[static_cast<std::size_t>(k - prvni)]) continue;
        TmerenaVelicina& v = z[static_cast<std::size_t>(k)];
        Geometrie g;
        if (v.iStn != stn || !Body(v, g)) {
            return Chyba("Observation " + v.cislo_stn + " - " + v.cislo_cil +
                         " does not belong to its station group or has no valid points");
        }
        const Rovnice r = vypocet(g, v);
        for (int32_t k2 = k; k2 < konec; ++k2) {
            TmerenaVelicina& w = z[static_cast<std::size_t>(k2)];
            if (hotovo[static_cast<std::size_t>(k2 - prvni)] || w.iCil != v.iCil) continue;
            hotovo[static_cast<std::size_t>(k2 - prvni)] = true;
            const int32_t rovnice = pocatek + k2;
            for (int osa = kX; osa <= kZ; ++osa) {
                const int32_t radek = Neznama(stn, osa);
                if ((osy & (1 << osa)) == 0 || radek < 0) continue;
                if (!SparsePut(S_, rovnice, radek, stare[osa] + k2 - prvni, r.a[osa])) {
                    return false;
                }
            }
            for (int osa = kX; osa <= kZ; ++osa) {
                if ((osy & (1 << osa)) == 0) continue;
                if (!Zapis(w.iCil, osa, rovnice, -r.a[osa])) return false;
            }
            Real l = r.f - w.hodnota;
            if (w.typ == Velicina::Smer) {
                w.smernik = r.f;
                // Directions of one station are compared with one orientation, so
                // their l must not differ by whole turns.
                if (k2 == prvni) lPrvni = l;
                l = TmodelSite::ReduceAngleNear(l, lPrvni);
            }
            l_[static_cast<std::size_t>(rovnice)] = l;
        }
    }
    return vektor.zaznam[static_cast<std::size_t>(prvni)].typ != Velicina::Smer ||
           Orientace(vektor, prvni, konec, pocatek);
}

bool PlneniPlanu::Orientace(const TvektorMereni& vektor, int32_t prvni, int32_t konec,
                            int32_t pocatek) {
    const int32_t posun = vektor.zaznam[static_cast<std::size_t>(prvni)].poradiPosun;
    const int32_t radek = stav_.pocetSouradnicUrcovanych + posun - 1;
    if (posun < 1 || radek >= stav_.pocetNeznamych ||
        !S_.data[static_cast<std::size_t>(radek)].empty()) {
        return Chyba("Orientation unknown " + std::to_string(posun) +
                     " does not belong to exactly one station group");
    }
    if (!SparseSetRowLength(S_, radek, konec - prvni)) return false;
    for (int32_t k = prvni; k < konec; ++k) {
        if (vektor.zaznam[static_cast<std::size_t>(k)].poradiPosun != posun) {
            return Chyba("Directions of one station group carry different orientations");
        }
        if (!SparsePut(S_, pocatek + k, radek, k - prvni, -1)) return false;
    }
    return true;
}

bool PlneniPlanu::Doplnky() {
    const TvektorDoplnek& d = stav_.doplnek;
    const auto chybny = [this](const TmerenaVelicina& v) {
        return Chyba("Supplementary observation " + v.cislo_stn + " - " + v.cislo_cil +
                     " has invalid points or scale factor");
    };
    int32_t rovnice = m_.PocatekRovnic(Velicina::DoplnekDelka);
    for (const TmerenaVelicina& v : d.delka.zaznam) {
        Geometrie g;
        if (!Body(v, g) || !(v.zkresleni > 0) || !std::isfinite(v.zkresleni)) return chybny(v);
        if (!Radek(v, rovnice++, Delka(g, v.zkresleni), 7)) return false;
    }
    for (const TmerenaVelicina& v : d.smernik.zaznam) {
        Geometrie g;
        if (!Body(v, g)) return chybny(v);
        Rovnice r = Smer(g);
        r.f = TmodelSite::ReduceAngleNear(r.f, v.hodnota);
        if (!Radek(v, rovnice++, r, 3)) return false;
    }
    for (const TmerenaVelicina& v : d.prevyseni.zaznam) {
        Geometrie g;
        if (!Body(v, g)) return chybny(v);
        Rovnice r;
        r.f = g.dZ;
        r.a[kZ] = -1;
        if (!Radek(v, rovnice++, r, 4)) return false;
    }
    const auto pocet = static_cast<int32_t>(d.provazeni.zaznam.size());
    for (int32_t k = 0; k < pocet; ++k) {
        const TmerenaVelicina& v = d.provazeni.zaznam[static_cast<std::size_t>(k)];
        Geometrie g;
        if (!Body(v, g)) return chybny(v);
        Rovnice rx;
        rx.f = g.dX;
        rx.a[kX] = -1;
        Rovnice ry;
        ry.f = g.dY;
        ry.a[kY] = -1;
        if (!Radek(v, rovnice + k, rx, 1) || !Radek(v, rovnice + pocet + k, ry, 2)) return false;
    }
    return true;
}

Rovnice DelkaRovnice(const Geometrie& g, const TmerenaVelicina& v) {
    return Delka(g, v.zkresleni);
}
Rovnice SmerRovnice(const Geometrie& g, const TmerenaVelicina&) {
    return Smer(g);
}
Rovnice ZenitRovnice(const Geometrie& g, const TmerenaVelicina& v) {
    return Zenit(g, v.zkresleni);
}

bool PlneniPlanu::Vse() {
    return Skupiny(stav_.delka, stav_.indexDelka, 0, 7, DelkaRovnice) &&
           Skupiny(stav_.smer, stav_.indexSmer, stav_.pocetDelka, 3, SmerRovnice) &&
           Skupiny(stav_.zenit, stav_.indexZenit, stav_.pocetDelka + stav_.pocetSmer, 7,
                   ZenitRovnice) &&
           Doplnky();
}

// The counts match the vectors, so that every equation index lies inside l and
// the weights even when the vectors were changed without a recount.
bool SouhlasiPocty(const TmodelSite& m) {
    const TmodelSiteStav& stav = Stav(m);
    const TvektorDoplnek& d = stav.doplnek;
    const auto velikost = [](const TvektorMereni& v) {
        return static_cast<int32_t>(v.zaznam.size());
    };
    return stav.pocetDelka == velikost(stav.delka) && stav.pocetSmer == velikost(stav.smer) &&
           stav.pocetZenit == velikost(stav.zenit) && d.pocetDelka == velikost(d.delka) &&
           d.pocetSmernik == velikost(d.smernik) && d.pocetPrevyseni == velikost(d.prevyseni) &&
           d.pocetProvazeni == velikost(d.provazeni) &&
           stav.pocetMereni == stav.pocetDelka + stav.pocetSmer + stav.pocetZenit + d.pocetDelka +
                                   d.pocetSmernik + d.pocetPrevyseni + 2 * d.pocetProvazeni;
}

// The datum conditions of the network type, in their row order.
enum class Podminka { Rotace, PosunX, PosunY, PosunZ, Meritko };

std::vector<Podminka> Podminky(Fixace typFixace) {
    using P = Podminka;
    switch (typFixace) {
        case Fixace::VolnaSmernikDelky:
            return {P::PosunX, P::PosunY, P::PosunZ};
        case Fixace::VolnaSmernik:
            return {P::PosunX, P::PosunY, P::PosunZ, P::Meritko};
        case Fixace::VolnaDelky:
            return {P::Rotace, P::PosunX, P::PosunY, P::PosunZ};
        case Fixace::Volna:
            return {P::Rotace, P::PosunX, P::PosunY, P::PosunZ, P::Meritko};
        case Fixace::BodSmernik:
            return {P::Meritko};
        case Fixace::BodDelky:
            return {P::Rotace};
        case Fixace::Bod:
            return {P::Rotace, P::Meritko};
        default:
            return {};
    }
}

}  // namespace

std::string PopisNezname(const TmodelSite& m, int32_t neznama) {
    const TmodelSiteStav& stav = Stav(m);
    if (neznama >= 0 && neznama < stav.pocetSouradnicUrcovanych &&
        neznama / 3 < stav.souradnice.Pocet()) {
        static const char* const osy[] = {"X", "Y", "Z"};
        return "the " + std::string(osy[neznama % 3]) + " coordinate of point " +
               stav.souradnice.bod[static_cast<std::size_t>(neznama / 3)].cislo;
    }
    const int32_t k = neznama - stav.pocetSouradnicUrcovanych;
    if (k >= 0 && k < stav.pocetPosunu) {
        std::string text = "orientation unknown " + std::to_string(k + 1);
        if (static_cast<std::size_t>(k) < stav.indexSmer.size()) {
            const int32_t prvni = stav.indexSmer[static_cast<std::size_t>(k)];
            if (prvni >= 0 && static_cast<std::size_t>(prvni) < stav.smer.zaznam.size()) {
                text += " (station " + stav.smer.zaznam[static_cast<std::size_t>(prvni)].cislo_stn +
                        ")";
            }
        }
        return text;
    }
    return "unknown " + std::to_string(neznama + 1);
}

namespace {

// The point a rotation or a scale of the network leaves in place: the fixed
// point when there is one, else the centroid of the determined points (any
// point would do, the translations being free then; the centroid keeps the
// vectors short).
void StredDatumu(const TmodelSite& m, int32_t bodu, Real stred[3]) {
    const TmodelSiteStav& stav = Stav(m);
    stred[kX] = stred[kY] = stred[kZ] = 0;
    for (const Tbod& b : stav.souradnice.bod) {
        if (b.JeFixni) {
            stred[kX] = b.X;
            stred[kY] = b.Y;
            stred[kZ] = b.Z;
            return;
        }
    }
    for (int32_t i = 0; i < bodu; ++i) {
        const Tbod& b = stav.souradnice.bod[static_cast<std::size_t>(i)];
        stred[kX] += b.X / bodu;
        stred[kY] += b.Y / bodu;
        stred[kZ] += b.Z / bodu;
    }
}

// One row per condition of typFixace over the unknowns: with `podminky` the
// conditions of the Part (the rotation row Y, -X, 0), else the defect vectors
// they remove: a shift along an axis, the turn about the vertical through
// `stred` (whose directions the orientations follow) and the scale about it.
Tmatrix DatumRadky(const TmodelSite& m, bool podminky) {
    const TmodelSiteStav& stav = Stav(m);
    const std::vector<Podminka> druhy = Podminky(stav.typFixace);
    const int32_t n = std::max(stav.pocetNeznamych, 0);
    const int32_t nc = stav.pocetSouradnicUrcovanych;
    const int32_t bodu = std::min(nc / 3, stav.souradnice.Pocet());
    Real stred[3] = {0, 0, 0};
    if (!podminky && bodu > 0) StredDatumu(m, bodu, stred);
    Tmatrix radky(druhy.size(), Tvector(static_cast<std::size_t>(n), 0));
    for (std::size_t r = 0; r < druhy.size(); ++r) {
        Tvector& g = radky[r];
        for (int32_t i = 0; i < bodu && 3 * i + 2 < n; ++i) {
            const Tbod& b = stav.souradnice.bod[static_cast<std::size_t>(i)];
            const Real d[3] = {b.X - stred[kX], b.Y - stred[kY], b.Z - stred[kZ]};
            Real* c = &g[static_cast<std::size_t>(3 * i)];
            switch (druhy[r]) {
                case Podminka::Rotace:
                    c[kX] = podminky ? d[kY] : -d[kY];
                    c[kY] = podminky ? -d[kX] : d[kX];
                    break;
                case Podminka::PosunX:
                    c[kX] = 1;
                    break;
                case Podminka::PosunY:
                    c[kY] = 1;
                    break;
                case Podminka::PosunZ:
                    c[kZ] = 1;
                    break;
                case Podminka::Meritko:
                    c[kX] = d[kX];
                    c[kY] = d[kY];
                    c[kZ] = d[kZ];
                    break;
            }
        }
        if (!podminky && druhy[r] == Podminka::Rotace) {
            for (int32_t k = nc; k < n; ++k) g[static_cast<std::size_t>(k)] = 1;
        }
    }
    return radky;
}

}  // namespace

void DatumPodminky(TmodelSite& m) {
    Stav(m).datumConditions = DatumRadky(m, true);
}

void DatumVektory(TmodelSite& m) {
    Stav(m).datumVectors = DatumRadky(m, false);
}

bool TmodelSite::Naplnit() {
    chyba.clear();
    const int32_t n = pocetNeznamych;
    if (n < 1 || pocetMereni < 0 ||
        static_cast<int32_t>(vektorRedukovanychMereni.size()) < pocetMereni ||
        static_cast<int32_t>(vektorUloziste.size()) < pocetMereni ||
        pocetSouradnicUrcovanych > 3 * souradnice.Pocet() || pocetSouradnicUrcovanych < 0 ||
        !SouhlasiPocty(*this)) {
        chyba = "The model is not loaded or its counts do not match its observations";
        return false;
    }
    // Every iteration fills rows of the same lengths: they are emptied, not
    // freed, and hold no more than their entries after the first filling (a
    // row grown entry by entry would reserve up to twice that).
    const bool stejne = static_cast<int32_t>(maticePlanuSparse.data.size()) == n &&
                        maticePlanuSparse.index.size() == maticePlanuSparse.data.size();
    if (stejne) {
        for (Tvector& r : maticePlanuSparse.data) r.clear();
        for (TindexVector& r : maticePlanuSparse.index) r.clear();
    } else {
        SparseClear(maticePlanuSparse);
        SparseSetRows(maticePlanuSparse, n);
    }
    {
        const FpGuard guard;
        PlneniPlanu plneni(*this);
        if (!plneni.Vse()) {
            if (chyba.empty()) chyba = "The design matrix could not be formed";
            return false;
        }
        if (!guard.Ok() || !std::all_of(vektorRedukovanychMereni.begin(),
                                        vektorRedukovanychMereni.begin() + pocetMereni,
                                        [](Real x) { return std::isfinite(x); })) {
            chyba = "The observation equations are not defined at the current coordinates";
            return false;
        }
    }
    if (!stejne) {
        for (Tvector& r : maticePlanuSparse.data) r.shrink_to_fit();
        for (TindexVector& r : maticePlanuSparse.index) r.shrink_to_fit();
    }
    for (int32_t r = 0; r < n; ++r) {
        if (maticePlanuSparse.data[static_cast<std::size_t>(r)].empty() &&
            !std::binary_search(drzeneNezname.begin(), drzeneNezname.end(), r)) {
            if (DrzetNepozorovanou(r)) continue;
            chyba = "There is no observation of " + PopisNezname(*this, r);
            return false;
        }
    }
    return SestavitNormalniRovnice(*this);
}

bool TmodelSite::DrzetNepozorovanou(int32_t r) {
    // The free coordinate of a point fixed in plan or in height alone that no
    // observation reaches (a trig point sighted by directions only has no
    // height from them) is not estimable: it stays where it was given, held
    // like the fixed ones, and counts among them.
    if (r < 0 || r >= pocetSouradnicUrcovanych) return false;
    const Tbod& b = souradnice.bod[static_cast<std::size_t>(r / 3)];
    if (b.JeFixni || !b.JeCastecneFixni()) return false;
    drzeneNezname.insert(std::upper_bound(drzeneNezname.begin(), drzeneNezname.end(), r), r);
    ++pocetNadbytecnych;
    return true;
}

}  // namespace vertano
