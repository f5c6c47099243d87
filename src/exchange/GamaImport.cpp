#include "exchange/GamaImport.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"
#include "processing/RedukceDelek.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"
#include "supplementary/RedukceDoplnku.h"

namespace vertano::exchange {

namespace {

Real Normalizovat(Real a) {
    a = std::fmod(a, kDvePi);
    if (a < 0) a += kDvePi;
    // The face II reading of a direction of 200 gon lands a rounding below the
    // full circle, which the value check takes for the full circle itself: it is
    // the direction 0.
    if (a >= kDvePi - 1e-15L) a = 0;
    return a;
}

FileResult Odmitnuti(int32_t fileLine, FileError e, std::string note, std::string detail = {}) {
    FileResult r = FileFailure(e, fileLine, fileLine, std::move(detail));
    r.note = std::move(note);
    return r;
}

// The file's x, y in the program's X (north), Y (east).
void DoOs(const GamaSit& s, Real x, Real y, Real& X, Real& Y) {
    X = Y = 0;
    const auto pridat = [&](int ctvrt, Real v) {
        switch (ctvrt) {
            case 0:
                X += v;
                break;
            case 1:
                Y += v;
                break;
            case 2:
                X -= v;
                break;
            default:
                Y -= v;
                break;
        }
    };
    pridat(s.osaX, x);
    pridat(s.osaY, y);
}

// Directions turn clockwise in the program.
Real Smer(const GamaSit& s, Real v) {
    return Normalizovat(s.uhlyVpravo ? -v : v);
}

// An azimuth runs from the north in the sense of the file's angles, whatever
// its axes.
Real Azimut(const GamaSit& s, Real v) {
    return Smer(s, v);
}

struct BodXYZ {
    Real X = 0, Y = 0, Z = 0;
};

// One pointing: what a cluster observed from one standpoint to one target.
struct Zacileni {
    std::string od, k;
    int32_t skupina = 1;  // the n-th pointing from od to k in its cluster
    std::optional<GamaMereni> smer, zenit, sikma, vodorovna;
    int32_t fileLine = 0;
};

// A pointing taken into the raw rows, values in the program's sense.
struct Radek {
    std::string k;
    int32_t skupina = 1;
    Real smer = 0, zenit = 0, delka = 0;       // face I, instrument to target as the file has it
    bool bezSmeru = false, bezZenitu = false;  // the pointing lacks the value
    Real sigSmer = -1, sigZenit = -1, sigDelka = -1;
    Real vyskaK = 0;
};

struct Obsazeni {
    std::string stanovisko;
    Real vyskaStn = 0;
    bool vyskaZnama = false;  // set by the first pointing with a zenith angle or a distance
    std::vector<Radek> radky;
    int32_t fileLine = 0;
};

struct DoplnekRadek {
    DruhDoplnku druh = DruhDoplnku::Zadny;
    std::string od, k;
    Real vyskaOd = 0, vyskaK = 0;
    Real hodnota = 0;
    Real odchylka = -1;
    int32_t fileLine = 0;
};

struct Stav {
    std::vector<Obsazeni> obsazeni;
    std::vector<DoplnekRadek> doplnky;
    std::set<std::string> pozorovane;
    std::vector<Poznamka> poznamky;
    // Pointings without a zenith angle: one note for them all.
    int32_t bezZenitu = 0;
    int32_t prvniBezZenitu = 0;
};

// A point fixed in plan or in height alone, as a given point that holds
// those coordinates. The fixed ones must be given; a free one that is not
// starts from 0 (the analysis and the iterations determine it).
FileResult CastecneFixni(const GamaBod& g, const GamaBod& p, ImportovanaSit& v) {
    const bool poloha = g.fix.xy;
    if (poloha ? !(p.x && p.y) : !p.z) {
        return Odmitnuti(g.fileLine, FileError::TooFewTokens,
                         "point " + g.id + " fixed in " + (poloha ? "plan" : "height") +
                             " without its fixed coordinates",
                         g.id);
    }
    Tbod b = Tbod::Prazdny();
    b.cislo = g.id;
    b.X = p.x.value_or(0);
    b.Y = p.y.value_or(0);
    b.Z = p.z.value_or(0);
    b.JePlny = true;
    b.JeFixni = true;
    b.fixniOsy = poloha ? FixniOsy::Poloha : FixniOsy::Vyska;
    if (poloha ? !p.z : !(p.x && p.y)) {
        v.poznamky.push_back({g.fileLine, std::string(poloha ? "height" : "position") + " of " +
                                              g.id + " not given: it starts from 0"});
    }
    v.body.PridejBod(b);
    return {};
}

FileResult Body(const GamaSit& sit, ImportovanaSit& v, std::set<std::string>& nepouzite) {
    int32_t fixni = 0, urcovane = 0, omezene = 0;
    for (const GamaBod& g : sit.body) {
        GamaBod p = g;
        if (g.x && g.y) {
            Real X = 0, Y = 0;
            DoOs(sit, *g.x, *g.y, X, Y);
            p.x = X;
            p.y = Y;
        } else if (g.x || g.y) {
            p.x.reset();
            p.y.reset();
        }
        v.osy.push_back(p);
        const GamaOsy adj{g.adj.xy && !g.fix.xy, g.adj.z && !g.fix.z};
        // Fixed in one part and adjusted in the other: a point fixed in plan
        // or in height alone. Any other split leaves a coordinate that is
        // neither known nor determined.
        const bool castecne = g.fix.xy != g.fix.z && (g.fix.xy ? adj.z : adj.xy);
        if (!castecne && (g.fix.xy != g.fix.z || (!g.fix.xy && adj.xy != adj.z))) {
            const std::string jak =
                g.fix.xy || g.fix.z
                    ? std::string("fixed in ") + (g.fix.xy ? "plan" : "height") +
                          " and neither fixed nor adjusted in " + (g.fix.xy ? "height" : "plan")
                    : std::string("adjusted in ") + (adj.xy ? "plan" : "height") + " only";
            return Odmitnuti(g.fileLine, FileError::Unsupported,
                             "point " + g.id + " is " + jak +
                                 ": every coordinate of a point must be fixed or adjusted",
                             g.id);
        }
        if (castecne) {
            if (FileResult r = CastecneFixni(g, p, v); !r.ok) return r;
            ++fixni;
            continue;
        }
        const bool uplne = p.x && p.y && p.z;
        Tbod b = Tbod::Prazdny();
        b.cislo = g.id;
        if (uplne) {
            b.X = *p.x;
            b.Y = *p.y;
            b.Z = *p.z;
        }
        b.JePlny = true;
        if (g.fix.xy) {
            if (!uplne)
                return Odmitnuti(g.fileLine, FileError::TooFewTokens,
                                 "fixed point " + g.id + " without its three coordinates", g.id);
            b.JeFixni = true;
            ++fixni;
            v.body.PridejBod(b);
        } else if (adj.xy) {
            ++urcovane;
            if (g.omezene.xy || g.omezene.z) ++omezene;
            if (uplne) {
                v.body.PridejBod(b);
            } else if (g.x || g.y || g.z) {
                v.poznamky.push_back({g.fileLine, "coordinates of " + g.id +
                                                      " not used (not all three given): the "
                                                      "analysis computes approximate ones"});
            }
        } else {
            nepouzite.insert(g.id);
        }
    }
    if (fixni == 0 && omezene > 0 && omezene < urcovane)
        return NotedFailure(FileError::Unsupported, 0, 0,
                            "a free network constrained on some of its points only: the program's "
                            "free network is constrained on all adjusted points");
    v.body.SeraditPoradi();
    return {};
}

// The quantity of a kind in a pointing.
std::optional<GamaMereni>* Misto(Zacileni& z, GamaDruh druh) {
    switch (druh) {
        case GamaDruh::Smer:
            return &z.smer;
        case GamaDruh::Zenit:
            return &z.zenit;
        case GamaDruh::SikmaDelka:
            return &z.sikma;
        default:
            return &z.vodorovna;
    }
}

FileResult Pozorovani(const GamaSit& sit, const std::vector<const GamaMereni*>& mereni, Stav& st,
                      std::vector<Zacileni>& zacileni) {
    for (const GamaMereni* pm : mereni) {
        const GamaMereni& m = *pm;
        st.pozorovane.insert(m.od);
        st.pozorovane.insert(m.k);
        if (m.od == m.k)
            return Odmitnuti(m.fileLine, FileError::BadName, "standpoint and target are one point",
                             m.od);
        switch (m.druh) {
            case GamaDruh::Smer:
            case GamaDruh::Zenit:
            case GamaDruh::SikmaDelka:
            case GamaDruh::Delka:
                break;
            case GamaDruh::Azimut:
                st.doplnky.push_back({DruhDoplnku::Smernik, m.od, m.k, 0, 0, Azimut(sit, m.hodnota),
                                      *m.odchylka, m.fileLine});
                continue;
            case GamaDruh::Prevyseni:
                st.doplnky.push_back(
                    {DruhDoplnku::Prevyseni, m.od, m.k, 0, 0, m.hodnota, *m.odchylka, m.fileLine});
                continue;
            case GamaDruh::Vektor:
                st.doplnky.push_back(
                    {DruhDoplnku::Provazeni, m.od, m.k, 0, 0, 0, *m.odchylka, m.fileLine});
                continue;
            default:
                return Odmitnuti(m.fileLine, FileError::Unsupported,
                                 "angles are not taken: write them as directions of a cluster");
        }
        // The n-th quantity of a kind to a target belongs to the n-th pointing:
        // repeated pointings become sets of their own.
        int32_t n = 0;
        Zacileni* cil = nullptr;
        for (Zacileni& z : zacileni) {
            if (z.od != m.od || z.k != m.k) continue;
            ++n;
            if (!*Misto(z, m.druh)) {
                cil = &z;
                break;
            }
        }
        if (cil == nullptr) {
            zacileni.push_back({m.od, m.k, n + 1, {}, {}, {}, {}, m.fileLine});
            cil = &zacileni.back();
        }
        *Misto(*cil, m.druh) = m;
    }
    return {};
}

FileResult Shluk(const GamaSit& sit, const std::vector<const GamaMereni*>& mereni, Stav& st) {
    std::vector<Zacileni> zacileni;
    if (FileResult r = Pozorovani(sit, mereni, st, zacileni); !r.ok) return r;
    Obsazeni o;
    for (Zacileni& z : zacileni) {
        if (!z.smer && !z.zenit) {
            if (z.vodorovna)
                return Odmitnuti(
                    z.vodorovna->fileLine, FileError::Unsupported,
                    "a horizontal distance without a zenith angle of the same pointing");
            const GamaMereni& s = *z.sikma;
            st.doplnky.push_back({DruhDoplnku::Delka, s.od, s.k, s.vyskaOd.value_or(0),
                                  s.vyskaK.value_or(0), s.hodnota, *s.odchylka, s.fileLine});
            continue;
        }
        // A pointing keeps the values it has: a direction without a zenith angle
        // (a sight to a far point) or a zenith angle without a direction.
        if (!z.zenit && z.vodorovna && !z.sikma)
            return Odmitnuti(z.vodorovna->fileLine, FileError::Unsupported,
                             "a horizontal distance from " + z.od + " to " + z.k +
                                 " without a zenith angle of the same pointing: the program "
                                 "keeps slope distances",
                             z.k);
        if (!z.zenit && st.bezZenitu++ == 0) st.prvniBezZenitu = z.fileLine;
        // One instrument height per occupation, one target height per pointing.
        // A horizontal direction does not depend on them: its heights, often left
        // out beside those of the distance and zenith angle, are not compared.
        std::optional<Real> vyskaOd, vyskaK;
        for (const auto* m : {&z.zenit, &z.sikma, &z.vodorovna}) {
            if (!*m) continue;
            const Real hs = (*m)->vyskaOd.value_or(0);
            const Real ht = (*m)->vyskaK.value_or(0);
            if ((vyskaOd && *vyskaOd != hs) || (vyskaK && *vyskaK != ht))
                return Odmitnuti((*m)->fileLine, FileError::InconsistentInstrumentHeight,
                                 "instrument or target heights differ within the pointing from " +
                                     z.od + " to " + z.k);
            vyskaOd = hs;
            vyskaK = ht;
        }
        if (o.radky.empty()) {
            o.stanovisko = z.od;
            o.fileLine = z.fileLine;
        }
        if (vyskaOd && !o.vyskaZnama) {
            o.vyskaStn = *vyskaOd;
            o.vyskaZnama = true;
        } else if (vyskaOd && *vyskaOd != o.vyskaStn) {
            return Odmitnuti(z.fileLine, FileError::InconsistentInstrumentHeight,
                             "instrument heights differ within the cluster of " + o.stanovisko);
        }
        if (!vyskaK && z.smer) vyskaK = z.smer->vyskaK.value_or(0);
        Radek r;
        r.k = z.k;
        r.skupina = z.skupina;
        r.bezSmeru = !z.smer;
        r.bezZenitu = !z.zenit;
        if (z.smer) {
            r.smer = Smer(sit, z.smer->hodnota);
            r.sigSmer = *z.smer->odchylka;
        }
        if (z.zenit) {
            r.zenit = Normalizovat(z.zenit->hodnota);
            if (r.zenit > kPi) {  // face II: the geometry of face I
                r.zenit = kDvePi - r.zenit;
                if (z.smer) r.smer = Normalizovat(r.smer + kPi);
            }
            r.sigZenit = *z.zenit->odchylka;
        }
        r.vyskaK = *vyskaK;
        if (z.sikma) {
            r.delka = z.sikma->hodnota;
            r.sigDelka = *z.sikma->odchylka;
            if (z.vodorovna)
                st.poznamky.push_back({z.vodorovna->fileLine,
                                       "horizontal distance not used: the slope distance of the "
                                       "same pointing is"});
        } else if (z.vodorovna) {
            const Real sinZ = std::sin(r.zenit);
            if (!(sinZ > 1e-6))
                return Odmitnuti(z.vodorovna->fileLine, FileError::NumberOutOfRange,
                                 "a horizontal distance of a vertical pointing");
            r.delka = z.vodorovna->hodnota / sinZ;
            r.sigDelka = *z.vodorovna->odchylka / sinZ;
        }
        if (!(r.delka >= 0))
            return Odmitnuti(z.fileLine, FileError::NumberOutOfRange, "a negative distance");
        o.radky.push_back(r);
    }
    if (o.radky.empty()) return {};
    // Every set needs two targets. A target pointed again without enough others
    // for a set of its own (the closing sight of a round, say) is a repeated
    // pointing of the set before.
    std::map<int32_t, std::set<std::string>> cile;
    for (const Radek& r : o.radky) cile[r.skupina].insert(r.k);
    for (Radek& r : o.radky) {
        while (r.skupina > 1 && cile[r.skupina].size() < 2) --r.skupina;
    }
    cile.clear();
    for (const Radek& r : o.radky) cile[r.skupina].insert(r.k);
    // A direction alone does not depend on the target height; it takes that of
    // another pointing to the same target, so that repeats agree in it.
    std::map<std::string, Real> vyskyCilu;
    for (const Radek& r : o.radky)
        if (!r.bezZenitu || r.delka > 0) vyskyCilu.emplace(r.k, r.vyskaK);
    for (Radek& r : o.radky) {
        const auto v = vyskyCilu.find(r.k);
        if (r.bezZenitu && r.delka == 0 && v != vyskyCilu.end()) r.vyskaK = v->second;
    }
    for (const auto& [skupina, jmena] : cile) {
        if (jmena.size() < 2)
            return Odmitnuti(o.fileLine, FileError::Unsupported,
                             "a cluster with pointings to one target only: a set needs two "
                             "targets");
    }
    st.obsazeni.push_back(std::move(o));
    return {};
}

// Coordinates of the points the file does not give, carried from the others by
// the clusters: the orientation from a target with coordinates, then polar points.
void PribliznePolohy(const std::vector<Obsazeni>& obsazeni, std::map<std::string, BodXYZ>& zname) {
    bool zmena = true;
    while (zmena) {
        zmena = false;
        for (const Obsazeni& o : obsazeni) {
            const auto s = zname.find(o.stanovisko);
            if (s == zname.end()) continue;
            std::optional<Real> orientace;
            for (const Radek& r : o.radky) {
                const auto t = zname.find(r.k);
                if (t == zname.end() || r.bezSmeru) continue;
                const Real dx = t->second.X - s->second.X;
                const Real dy = t->second.Y - s->second.Y;
                if (dx == 0 && dy == 0) continue;
                orientace = Atan2(dy, dx) - r.smer;
                break;
            }
            if (!orientace) continue;
            const BodXYZ sb = s->second;
            for (const Radek& r : o.radky) {
                if (r.delka <= 0 || r.bezSmeru || r.bezZenitu || zname.count(r.k) != 0) continue;
                const Real h = r.delka * std::sin(r.zenit);
                const Real v = r.delka * std::cos(r.zenit);
                const Real smernik = *orientace + r.smer;
                zname[r.k] = {sb.X + h * std::cos(smernik), sb.Y + h * std::sin(smernik),
                              sb.Z + o.vyskaStn + v - r.vyskaK};
                zmena = true;
            }
        }
    }
}

Tbod BodProRedukci(const std::string& cislo, const BodXYZ& p, const Tnastaveni& n) {
    Tbod b = Tbod::Prazdny();
    b.cislo = cislo;
    b.X = p.X;
    b.Y = p.Y;
    b.Z = p.Z;
    b.zkresleni = n.redukceMereni.zakladniZkresleni;
    b.JePlny = true;
    return b;
}

// The reading whose reduction (RedukovatZaznam) gives the file's pointing: the
// model compares sqrt(dX^2 + dY^2 + (f dZ)^2) with the reduced distance and
// acos(f dZ / D) with the zenith angle; the reading is found by repeating the
// reduction and correcting by what is left over.
bool KompenzovatDelku(Radek& r, Real vyskaStn, const Tbod& s, const Tbod& t, Real hladina,
                      Real polomer, Real f) {
    const Real v = t.Z + r.vyskaK - s.Z - vyskaStn;
    const Real h2 = r.delka * r.delka - v * v;
    if (!(h2 > 0)) return false;
    const Real cilDelka = std::sqrt(h2 + f * f * (t.Z - s.Z) * (t.Z - s.Z));
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = 1;
    z.vyska_stn = vyskaStn;
    z.vyska_cil = r.vyskaK;
    z.bezZenitu = true;
    z.zenit = 0;
    Real delka = cilDelka / f;
    for (int i = 0; i < 12; ++i) {
        Tzaznam pokus = z;
        pokus.delka = delka;
        if (!RedukovatZaznam(pokus, s, t, hladina, polomer)) return false;
        const Real dd = cilDelka - static_cast<Real>(pokus.delka);
        delka += dd / f;
        if (std::fabs(dd) < 1e-13L) break;
    }
    if (!std::isfinite(delka) || !(delka > 0)) return false;
    r.delka = delka;
    return true;
}

bool Kompenzovat(Radek& r, Real vyskaStn, const Tbod& s, const Tbod& t, Real hladina,
                 Real polomer) {
    Real f = 0;
    if (!ZkresleniLinie(s, t, hladina, polomer, f) || !(f > 0)) return false;
    // Without a zenith angle only a distance is there to reduce, and the
    // reduction takes the slope of the line from the coordinates as here.
    if (r.bezZenitu)
        return r.delka > 0 ? KompenzovatDelku(r, vyskaStn, s, t, hladina, polomer, f) : true;
    Real h = 0, vi = 0;
    if (r.delka > 0) {
        h = r.delka * std::sin(r.zenit);
        vi = r.delka * std::cos(r.zenit);
    } else {
        h = std::hypot(t.X - s.X, t.Y - s.Y);
        const Real sinZ = std::sin(r.zenit);
        if (!(sinZ > 1e-9) || !(h > 0)) return false;
        vi = h * std::cos(r.zenit) / sinZ;
    }
    const Real v = vi + vyskaStn - r.vyskaK;
    const Real cilDelka = std::sqrt(h * h + f * f * v * v);
    const Real cilZenit = Atan2(h, f * v);
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = 1;
    z.vyska_stn = vyskaStn;
    z.vyska_cil = r.vyskaK;
    Real delka = r.delka > 0 ? cilDelka / f : 0;
    Real zenit = r.zenit;
    for (int i = 0; i < 12; ++i) {
        Tzaznam pokus = z;
        pokus.delka = delka;
        pokus.zenit = zenit;
        if (!RedukovatZaznam(pokus, s, t, hladina, polomer)) return false;
        const Real dz = cilZenit - static_cast<Real>(pokus.zenit);
        const Real dd = r.delka > 0 ? cilDelka - static_cast<Real>(pokus.delka) : 0;
        zenit += dz;
        delka += dd / f;
        if (std::fabs(dz) < 1e-17L && std::fabs(dd) < 1e-13L) break;
    }
    if (!std::isfinite(delka) || !std::isfinite(zenit) || !(zenit > 0 && zenit < kPi)) return false;
    r.zenit = zenit;
    if (r.delka > 0) r.delka = delka;
    return true;
}

// The same for a supplementary slope distance (RedukovatDoplnekDelku), its
// vertical from the coordinates.
bool KompenzovatDoplnek(DoplnekRadek& d, const Tbod& s, const Tbod& t, Real hladina, Real polomer) {
    Real f = 0;
    if (!ZkresleniLinie(s, t, hladina, polomer, f) || !(f > 0)) return false;
    const Real v = t.Z - s.Z;
    const Real vi = v + d.vyskaK - d.vyskaOd;
    const Real h2 = d.hodnota * d.hodnota - vi * vi;
    if (!(h2 > 0)) return false;
    const Real cil = std::sqrt(h2 + f * f * v * v);
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = 1;
    z.vyska_stn = d.vyskaOd;
    z.vyska_cil = d.vyskaK;
    Real delka = cil / f;
    for (int i = 0; i < 12; ++i) {
        Tzaznam pokus = z;
        pokus.delka = delka;
        if (!RedukovatDoplnekDelku(pokus, s, t, hladina, polomer)) return false;
        const Real dd = cil - static_cast<Real>(pokus.delka);
        delka += dd / f;
        if (std::fabs(dd) < 1e-13L) break;
    }
    if (!std::isfinite(delka) || !(delka > 0)) return false;
    d.hodnota = delka;
    return true;
}

void Redukce(Stav& st, const ImportovanaSit& v, const Tnastaveni& n,
             std::vector<Poznamka>& poznamky) {
    std::map<std::string, BodXYZ> zname;
    Tsouradnice seznam;
    for (const Tbod& b : v.body.bod) zname[b.cislo] = {b.X, b.Y, b.Z};
    PribliznePolohy(st.obsazeni, zname);
    for (const auto& [cislo, p] : zname) seznam.PridejBod(BodProRedukci(cislo, p, n));
    Real hladina = 0;
    if (!HladinaRedukce(seznam, n, hladina)) hladina = 0;
    const Real polomer = n.redukceMereni.polomerRefPlochy;
    std::set<std::string> bezSouradnic;
    for (Obsazeni& o : st.obsazeni) {
        const auto s = zname.find(o.stanovisko);
        for (Radek& r : o.radky) {
            const auto t = zname.find(r.k);
            if (s == zname.end() || t == zname.end() ||
                !Kompenzovat(r, o.vyskaStn, BodProRedukci(s->first, s->second, n),
                             BodProRedukci(t->first, t->second, n), hladina, polomer)) {
                bezSouradnic.insert(s == zname.end() ? o.stanovisko : r.k);
            }
        }
    }
    for (DoplnekRadek& d : st.doplnky) {
        if (d.druh != DruhDoplnku::Delka) continue;
        const auto s = zname.find(d.od);
        const auto t = zname.find(d.k);
        if (s == zname.end() || t == zname.end() ||
            !KompenzovatDoplnek(d, BodProRedukci(s->first, s->second, n),
                                BodProRedukci(t->first, t->second, n), hladina, polomer))
            bezSouradnic.insert(s == zname.end() ? d.od : d.k);
    }
    for (const std::string& c : bezSouradnic)
        poznamky.push_back({0, "no coordinates of " + c +
                                   " before the analysis: its observations are taken as "
                                   "readings, without the correction for the earth's curvature "
                                   "and the level"});
}

void Radky(const std::vector<Obsazeni>& obsazeni, Tmereni& mereni) {
    // Each row twice, once in each face: the list grows once, to its size.
    std::size_t pocet = mereni.zaznam.size();
    for (const Obsazeni& o : obsazeni) pocet += 2 * o.radky.size();
    mereni.zaznam.reserve(pocet);
    int32_t poradi = 0;
    for (const Obsazeni& o : obsazeni) {
        ++poradi;
        const auto radek = [&](const Radek& r, bool prvni) {
            Tzaznam z = Tzaznam::Prazdny();
            z.poradi = poradi;
            z.cislo_stn = o.stanovisko;
            z.vyska_stn = o.vyskaStn;
            z.cislo_cil = r.k;
            z.vyska_cil = r.vyskaK;
            z.smer = r.bezSmeru ? 0 : prvni ? r.smer : Normalizovat(r.smer + kPi);
            z.zenit = r.bezZenitu ? 0 : prvni ? r.zenit : kDvePi - r.zenit;
            z.bezSmeru = r.bezSmeru;
            z.bezZenitu = r.bezZenitu;
            z.delka = r.delka;
            z.sig_smer = r.sigSmer;
            z.sig_zenit = r.sigZenit;
            z.sig_delka = r.delka > 0 ? r.sigDelka : -1;
            z.poloha = prvni;
            mereni.PridejZaznam(z);
        };
        int32_t skupin = 0;
        for (const Radek& r : o.radky) skupin = std::max(skupin, r.skupina);
        for (int32_t s = 1; s <= skupin; ++s) {
            for (const Radek& r : o.radky)
                if (r.skupina == s) radek(r, true);
            for (auto r = o.radky.rbegin(); r != o.radky.rend(); ++r)
                if (r->skupina == s) radek(*r, false);
        }
    }
}

void Doplnky(const std::vector<DoplnekRadek>& doplnky, const Tnastaveni& n, TdoplnkoveMereni& out) {
    out.Clear();
    for (const DoplnekRadek& d : doplnky) {
        Tmereni* seznam = out.Seznam(d.druh);
        Tzaznam z = Tzaznam::Prazdny();
        z.poradi = static_cast<int32_t>(seznam->PocetPlnychZaznamu() + 1);
        z.cislo_stn = d.od;
        z.cislo_cil = d.k;
        if (d.druh == DruhDoplnku::Delka) {
            z.vyska_stn = d.vyskaOd;
            z.vyska_cil = d.vyskaK;
        }
        z.delka = d.hodnota;
        z.sig_delka = d.odchylka;
        KontrolaZaznamuDoplnku(z, d.druh, n);
        seznam->PridejZaznam(z);
    }
}

}  // namespace

FileResult GamaDoSite(GamaSit sit, const Tnastaveni& nastaveni, ImportovanaSit& vysledek) {
    vysledek = ImportovanaSit{};
    ImportovanaSit v;
    v.poznamky = sit.poznamky;
    std::set<std::string> nepouzite;
    if (FileResult r = Body(sit, v, nepouzite); !r.ok) return r;
    Stav st;
    std::map<int32_t, std::vector<const GamaMereni*>> shluky;
    for (const GamaMereni& m : sit.mereni) shluky[m.shluk].push_back(&m);
    for (const auto& [cislo, mereni] : shluky) {
        if (FileResult r = Shluk(sit, mereni, st); !r.ok) return r;
    }
    // Grouped into the occupations: the observations are not needed any more.
    shluky.clear();
    std::vector<GamaMereni>().swap(sit.mereni);
    for (const GamaBod& b : sit.body) {
        if (nepouzite.count(b.id) == 0) continue;
        if (st.pozorovane.count(b.id) != 0)
            return Odmitnuti(b.fileLine, FileError::Unsupported,
                             "point " + b.id + " is observed but neither fixed nor adjusted", b.id);
        v.poznamky.push_back(
            {b.fileLine, "point " + b.id + " is neither fixed nor adjusted: not used"});
    }
    v.poznamky.insert(v.poznamky.end(), st.poznamky.begin(), st.poznamky.end());
    if (st.bezZenitu > 0)
        v.poznamky.push_back(
            {st.prvniBezZenitu, FormatInteger(st.bezZenitu) +
                                    " pointings without a zenith angle (the first here): kept "
                                    "without one"});
    Redukce(st, v, nastaveni, v.poznamky);
    Radky(st.obsazeni, v.mereni);
    Doplnky(st.doplnky, nastaveni, v.doplnky);
    vysledek = std::move(v);
    FileResult ok;
    ok.counter = static_cast<int32_t>(vysledek.mereni.zaznam.size());
    return ok;
}

}  // namespace vertano::exchange
