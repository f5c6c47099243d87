#include "adjustment/Spolehlivost.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/TmerenaVelicina.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/FpGuard.h"
#include "matice/ParallelWork.h"
#include "matice/Quantile.h"
#include "matice/Sparse.h"

namespace vertano {

namespace {

// Below this a redundancy number is zero: no error in the observation shows.
constexpr Real kNulovaRedundance = 1e-12L;
// A point depends on an uncontrolled observation when an error that moves the
// observation's target by a metre moves the point by more than this [m].
constexpr Real kZavislost = 0.5L;

// The records behind the equations, in equation order (a plumbing tie twice:
// its X and its Y equation).
std::vector<TmerenaVelicina*> Rovnice(TmodelSite& m) {
    TmodelSiteStav& stav = Stav(m);
    std::vector<TmerenaVelicina*> r;
    for (TvektorMereni* v :
         {&stav.delka, &stav.smer, &stav.zenit, &stav.doplnek.delka, &stav.doplnek.smernik,
          &stav.doplnek.prevyseni, &stav.doplnek.provazeni, &stav.doplnek.provazeni}) {
        for (TmerenaVelicina& z : v->zaznam) r.push_back(&z);
    }
    return r;
}

// The cofactors of the unknowns as the evaluation leaves them, from the
// model's solver (the sparse one keeps no dense matrix).
bool MaKofaktory(const TmodelSite& m) {
    Real q = 0;
    return Stav(m).pocetNeznamych > 0 && m.Kofaktor(0, 0, q);
}

bool JeUhel(Velicina typ) {
    return typ == Velicina::Smer || typ == Velicina::Zenit || typ == Velicina::DoplnekSmernik;
}

// The size of an error that moves the target of the observation by a metre:
// one metre for lengths, one over the distance for angles.
Real MetrovaChyba(const TmodelSite& m, const TmerenaVelicina& z) {
    const TmodelSiteStav& stav = Stav(m);
    if (!JeUhel(z.typ)) return 1;
    const int32_t n = stav.souradnice.Pocet();
    if (z.iStn < 0 || z.iCil < 0 || z.iStn >= n || z.iCil >= n) return 1;
    const Tbod& a = stav.souradnice.bod[static_cast<std::size_t>(z.iStn)];
    const Tbod& b = stav.souradnice.bod[static_cast<std::size_t>(z.iCil)];
    const Real dz = z.typ == Velicina::Zenit ? b.Z - a.Z : 0;
    const Real s = std::sqrt((b.X - a.X) * (b.X - a.X) + (b.Y - a.Y) * (b.Y - a.Y) + dz * dz);
    return s > 0 ? 1 / s : 1;
}

// How far a unit error of equation i moves each determined point of its row:
// (point index, move) pairs; dx = Q a_i^T p_i. Only the cofactors between the
// unknowns of the equation are needed, which the sparse solver keeps.
std::vector<std::pair<int32_t, Real>> Posuny(const TmodelSite& m, const Tsparse& radky, int32_t i,
                                             Real p) {
    const int32_t urcovanych = Stav(m).pocetSouradnicUrcovanych / 3;
    const Tvector& a = radky.data[static_cast<std::size_t>(i)];
    const TindexVector& sloupce = radky.index[static_cast<std::size_t>(i)];
    // The points in ascending order, each once (a row has a few unknowns).
    std::vector<int32_t> body;
    body.reserve(sloupce.size());
    for (const int k : sloupce) {
        if (k >= 0 && k / 3 < urcovanych) body.push_back(k / 3);
    }
    std::sort(body.begin(), body.end());
    body.erase(std::unique(body.begin(), body.end()), body.end());
    std::vector<std::pair<int32_t, Real>> posuny;
    posuny.reserve(body.size());
    for (const int32_t bod : body) {
        Real soucet = 0;
        for (int c = 0; c < 3; ++c) {
            Real dx = 0;
            for (std::size_t e = 0; e < sloupce.size(); ++e) {
                Real q = 0;
                if (!m.Kofaktor(3 * bod + c, sloupce[e], q)) return {};
                dx += q * a[e];
            }
            soucet += (dx * p) * (dx * p);
        }
        posuny.emplace_back(bod, std::sqrt(soucet));
    }
    return posuny;
}

Real Redundance(const TmodelSiteStav& stav, std::size_t i) {
    const Real p = stav.diagonalaVah[i];
    return std::clamp(1 - p * stav.vektorRedukovanychMereni[i], Real{0}, Real{1});
}

Real Mdb(Real delta0, Real p, Real r) {
    return r > kNulovaRedundance && p > 0 ? delta0 / std::sqrt(p * r) : -1;
}

// What equation i does to the points of its row: the largest move of a
// point by its minimal detectable error (0 when it moves none, -1 without
// that error), and whether, uncontrolled, it places its station or target.
struct VlivRovnice {
    Real mdbPosun = -1;
    bool zavisiStanovisko = false;
    bool zavisiCil = false;
};

VlivRovnice Vliv(const TmodelSite& m, const Tsparse& radky, const TmerenaVelicina& z, std::size_t i,
                 Real delta0) {
    const TmodelSiteStav& stav = Stav(m);
    const Real p = stav.diagonalaVah[i];
    const Real r = Redundance(stav, i);
    const Real mdb = Mdb(delta0, p, r);
    const bool nekontrolovane = r < kMezNekontrolovane;
    const Real metr = MetrovaChyba(m, z);
    VlivRovnice v;
    if (mdb > 0) v.mdbPosun = 0;
    for (const auto& [bod, posun] : Posuny(m, radky, static_cast<int32_t>(i), p)) {
        if (mdb > 0) v.mdbPosun = std::max<Real>(v.mdbPosun, posun * mdb);
        if (!nekontrolovane || !(posun * metr > kZavislost)) continue;
        v.zavisiStanovisko = v.zavisiStanovisko || bod == z.iStn;
        v.zavisiCil = v.zavisiCil || bod == z.iCil;
    }
    return v;
}

// Equations looked at by the threads at a time: their figures wait in a list
// of this length until they are written.
constexpr std::size_t kBlokVlivu = 1 << 16;

// The figures of equations [od, do_) into vlivy[0 ..), shared by the threads
// in ranges; false when the arithmetic of a thread faulted.
bool VlivyBloku(const TmodelSite& m, const Tsparse& radky,
                const std::vector<TmerenaVelicina*>& rovnice, Real delta0, std::size_t od,
                std::size_t do_, std::vector<VlivRovnice>& vlivy) {
    const auto pocet = static_cast<int>(do_ - od);
    vlivy.resize(static_cast<std::size_t>(pocet));
    // Some forty cofactors an equation, each a search in the selected inverse.
    const auto prace = static_cast<std::int64_t>(pocet) * 2000;
    return detail::InRanges(
        pocet, prace, std::max(Stav(m).pocetVlakno, 1), [&](int prvni, int konec) {
            for (int k = prvni; k < konec; ++k) {
                const std::size_t i = od + static_cast<std::size_t>(k);
                vlivy[static_cast<std::size_t>(k)] = Vliv(m, radky, *rovnice[i], i, delta0);
            }
            return true;
        });
}

// The equations of repeated pointings: one kind from one station point to one
// target, two or more of them. A plumbing tie has two equations of its own
// and is left to them.
std::vector<std::vector<std::size_t>> OpakovanaMereni(
    const std::vector<TmerenaVelicina*>& rovnice) {
    std::map<std::tuple<int32_t, int32_t, int32_t>, std::vector<std::size_t>> skupiny;
    for (std::size_t i = 0; i < rovnice.size(); ++i) {
        const TmerenaVelicina& z = *rovnice[i];
        if (z.typ == Velicina::DoplnekProvazeni) continue;
        skupiny[{KodVeliciny(z.typ), z.iStn, z.iCil}].push_back(i);
    }
    std::vector<std::vector<std::size_t>> opakovana;
    for (auto& skupina : skupiny) {
        if (skupina.second.size() > 1) opakovana.push_back(std::move(skupina.second));
    }
    return opakovana;
}

// The reliability of an error common to the equations of a group: with
// c = sum p_i a_i^T, the redundancy r = 1 - c^T Q c / sum p_i, the detectable
// error delta0 / sqrt(r sum p_i) and the moves Q c of the determined points of
// the group per unit error.
struct SpolecnaChyba {
    Real redundance = 0;
    Real mdb = -1;
    std::vector<std::pair<int32_t, Real>> posuny;
};

bool SpolehlivostSkupiny(const TmodelSite& m, const Tsparse& radky,
                         const std::vector<std::size_t>& cleny, Real delta0, SpolecnaChyba& s) {
    const TmodelSiteStav& stav = Stav(m);
    const int32_t urcovanych = stav.pocetSouradnicUrcovanych / 3;
    std::map<int32_t, Real> c;
    std::set<int32_t> body;
    Real soucetVah = 0;
    for (const std::size_t i : cleny) {
        const Real p = stav.diagonalaVah[i];
        soucetVah += p;
        const Tvector& a = radky.data[i];
        const TindexVector& sloupce = radky.index[i];
        for (std::size_t e = 0; e < sloupce.size() && e < a.size(); ++e) {
            if (sloupce[e] < 0) continue;
            c[sloupce[e]] += p * a[e];
            if (sloupce[e] / 3 < urcovanych) body.insert(sloupce[e] / 3);
        }
    }
    if (!(soucetVah > 0)) return false;
    // c^T Q c from one triangle of Q, asked column by column with the column
    // the later unknown: a solver answers an entry outside its selected inverse
    // a column at a time, and the orientations of two occupations meet there.
    Real cqc = 0;
    for (auto l = c.begin(); l != c.end(); ++l) {
        for (auto k = c.begin(); k != std::next(l); ++k) {
            Real q = 0;
            if (!m.Kofaktor(k->first, l->first, q)) return false;
            cqc += (k == l ? 1 : 2) * k->second * q * l->second;
        }
    }
    // Q c on the coordinates of the points, which the solver keeps against
    // every unknown of their observations.
    std::map<int32_t, Real> qc;
    for (const auto& [l, cl] : c) {
        for (const int32_t bod : body) {
            for (int32_t k = 3 * bod; k < 3 * bod + 3; ++k) {
                Real q = 0;
                if (!m.Kofaktor(k, l, q)) return false;
                qc[k] += q * cl;
            }
        }
    }
    s.redundance = std::clamp(1 - cqc / soucetVah, Real{0}, Real{1});
    s.mdb = s.redundance > kNulovaRedundance ? delta0 / std::sqrt(soucetVah * s.redundance) : -1;
    s.posuny.clear();
    for (const int32_t bod : body) {
        Real soucet = 0;
        for (int32_t k = 3 * bod; k < 3 * bod + 3; ++k) soucet += qc[k] * qc[k];
        s.posuny.emplace_back(bod, std::sqrt(soucet));
    }
    return true;
}

// Repeated pointings whose common error is uncontrolled take its figures.
void OznacitSkupinu(const TmodelSite& m, const std::vector<TmerenaVelicina*>& rovnice,
                    const std::vector<std::size_t>& cleny, const SpolecnaChyba& s) {
    for (const std::size_t i : cleny) {
        TmerenaVelicina& z = *rovnice[i];
        z.jeNekontrolovane = true;
        z.redundance = s.redundance;
        z.mdb = s.mdb;
        z.mdbPosun = s.mdb > 0 ? 0 : -1;
        const Real metr = MetrovaChyba(m, z);
        for (const auto& [bod, posun] : s.posuny) {
            if (s.mdb > 0) z.mdbPosun = std::max<Real>(z.mdbPosun, posun * s.mdb);
            if (!(posun * metr > kZavislost)) continue;
            z.zavisiStanovisko = z.zavisiStanovisko || bod == z.iStn;
            z.zavisiCil = z.zavisiCil || bod == z.iCil;
        }
    }
}

void Vynulovat(TmerenaVelicina& z) {
    z.redundance = -1;
    z.mdb = -1;
    z.mdbPosun = -1;
    z.jeNekontrolovane = false;
    z.zavisiStanovisko = false;
    z.zavisiCil = false;
}

}  // namespace

bool VypocetSpolehlivosti(TmodelSite& m, const Real alfa, SouhrnSpolehlivosti& souhrn) {
    TmodelSiteStav& stav = Stav(m);
    souhrn = SouhrnSpolehlivosti{};
    const std::vector<TmerenaVelicina*> rovnice = Rovnice(m);
    for (TmerenaVelicina* z : rovnice) Vynulovat(*z);
    const auto pocet = static_cast<std::size_t>(std::max(stav.pocetMereni, 0));
    if (stav.pocetMereni < 0 || rovnice.size() != pocet || stav.diagonalaVah.size() < pocet ||
        stav.vektorRedukovanychMereni.size() < pocet) {
        return false;
    }
    const std::optional<Real> k = icnorm(1 - alfa / 2);
    const std::optional<Real> k2 = icnorm(kSilaTestu);
    if (!k || !k2) return false;
    FpGuard guard;
    souhrn.delta0 = *k + *k2;
    Tsparse radky;
    souhrn.jeVliv = MaKofaktory(m) &&
                    SparseTranspose(radky, stav.maticePlanuSparse, stav.pocetMereni) &&
                    radky.data.size() >= pocet;
    const int32_t urcovanych = stav.pocetSouradnicUrcovanych / 3;
    // The moves of the points are found for a block of equations by the
    // threads, each equation on its own, then written in equation order.
    std::vector<VlivRovnice> vlivy;
    for (std::size_t i = 0; i < pocet; ++i) {
        if (souhrn.jeVliv && i % kBlokVlivu == 0 &&
            !VlivyBloku(m, radky, rovnice, souhrn.delta0, i, std::min(pocet, i + kBlokVlivu),
                        vlivy)) {
            for (TmerenaVelicina* z : rovnice) Vynulovat(*z);
            souhrn = SouhrnSpolehlivosti{};
            return false;
        }
        TmerenaVelicina& z = *rovnice[i];
        const Real p = stav.diagonalaVah[i];
        const Real r = Redundance(stav, i);
        const Real mdb = Mdb(souhrn.delta0, p, r);
        souhrn.soucetRedundanci += r;
        // The Y equation of a plumbing tie adds to what its X equation wrote.
        const bool druha = i > 0 && rovnice[i - 1] == rovnice[i];
        z.redundance = druha ? z.redundance + r : r;
        z.mdb = druha && (z.mdb < 0 || mdb < 0) ? -1 : std::max<Real>(z.mdb, mdb);
        const bool nekontrolovane = r < kMezNekontrolovane;
        z.jeNekontrolovane = z.jeNekontrolovane || nekontrolovane;
        if (souhrn.jeVliv) {
            const VlivRovnice& v = vlivy[i % kBlokVlivu];
            // An observation between fixed points moves none of them.
            if (mdb > 0) z.mdbPosun = std::max<Real>(z.mdbPosun, v.mdbPosun);
            z.zavisiStanovisko = z.zavisiStanovisko || v.zavisiStanovisko;
            z.zavisiCil = z.zavisiCil || v.zavisiCil;
        } else if (nekontrolovane) {
            // Without the cofactors of the unknowns: the target, which an
            // observation places, unless it is fixed.
            if (z.iCil >= 0 && z.iCil < urcovanych) {
                z.zavisiCil = true;
            } else if (z.iStn >= 0 && z.iStn < urcovanych) {
                z.zavisiStanovisko = true;
            }
        }
    }
    if (souhrn.jeVliv) {
        for (const std::vector<std::size_t>& cleny : OpakovanaMereni(rovnice)) {
            SpolecnaChyba s;
            // Without a cofactor the single observations keep their figures.
            if (!SpolehlivostSkupiny(m, radky, cleny, souhrn.delta0, s)) break;
            if (s.redundance < kMezNekontrolovane) OznacitSkupinu(m, rovnice, cleny, s);
        }
    }
    souhrn.pocetNekontrolovanych = PocetNekontrolovanych(m);
    souhrn.zavisleBody = ZavisleBody(m);
    if (!guard.Ok()) {
        for (TmerenaVelicina* z : rovnice) Vynulovat(*z);
        souhrn = SouhrnSpolehlivosti{};
        return false;
    }
    souhrn.jeSpocteno = true;
    souhrn.nekontrolovaneBody = NekontrolovaneBody(m);
    return true;
}

int32_t PocetNekontrolovanych(const VysledekSite& m) {
    int32_t n = 0;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(m, typ).zaznam)
            n += z.jeNekontrolovane ? 1 : 0;
    }
    return n;
}

bool JeSpolehlivostSpoctena(const VysledekSite& m) {
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(m, typ).zaznam)
            if (z.jePlny && z.redundance >= 0) return true;
    }
    return false;
}

std::vector<std::string> ZavisleBody(const VysledekSite& m) {
    std::set<int32_t> body;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(m, typ).zaznam) {
            if (z.zavisiStanovisko) body.insert(z.iStn);
            if (z.zavisiCil) body.insert(z.iCil);
        }
    }
    std::vector<std::string> jmena;
    for (const int32_t bod : body) {
        if (bod >= 0 && bod < m.Souradnice().Pocet()) {
            jmena.push_back(m.Souradnice().bod[static_cast<std::size_t>(bod)].cislo);
        }
    }
    return jmena;
}

std::vector<int32_t> PostranniBody(const VysledekSite& m) {
    const int32_t n = m.Souradnice().Pocet();
    const int32_t urcovanych = std::min(std::max(m.PocetSouradnicUrcovanych() / 3, 0), n);
    const auto velikost = static_cast<std::size_t>(n);
    std::vector<char> stanovisko(velikost, 0), videno(velikost, 0), viceSousedu(velikost, 0);
    std::vector<int32_t> soused(velikost, -1);
    const auto Spojit = [&](int32_t a, int32_t b) {
        const auto i = static_cast<std::size_t>(a);
        if (soused[i] < 0) {
            soused[i] = b;
        } else if (soused[i] != b) {
            viceSousedu[i] = 1;
        }
    };
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(m, typ).zaznam) {
            if (!z.jePlny || z.iStn < 0 || z.iCil < 0 || z.iStn >= n || z.iCil >= n) continue;
            if (typ == Velicina::Delka || typ == Velicina::Smer || typ == Velicina::Zenit) {
                stanovisko[static_cast<std::size_t>(z.iStn)] = 1;
                videno[static_cast<std::size_t>(z.iCil)] = 1;
            }
            Spojit(z.iStn, z.iCil);
            Spojit(z.iCil, z.iStn);
        }
    }
    std::vector<int32_t> body;
    for (int32_t b = 0; b < urcovanych; ++b) {
        const auto i = static_cast<std::size_t>(b);
        if (videno[i] && !stanovisko[i] && !viceSousedu[i]) body.push_back(b);
    }
    return body;
}

std::vector<NekontrolovanyBod> NekontrolovaneBody(const VysledekSite& m) {
    if (!JeSpolehlivostSpoctena(m)) return {};
    std::map<int32_t, DuvodNekontrolovanosti> body;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(m, typ).zaznam) {
            if (z.zavisiStanovisko) body[z.iStn] = DuvodNekontrolovanosti::ZavisiNaNekontrolovanych;
            if (z.zavisiCil) body[z.iCil] = DuvodNekontrolovanosti::ZavisiNaNekontrolovanych;
        }
    }
    for (const int32_t b : PostranniBody(m)) body[b] = DuvodNekontrolovanosti::PostranniBod;
    std::vector<NekontrolovanyBod> seznam;
    for (const auto& [b, duvod] : body) {
        if (b < 0 || b >= m.Souradnice().Pocet()) continue;
        seznam.push_back({m.Souradnice().bod[static_cast<std::size_t>(b)].cislo, b, duvod});
    }
    return seznam;
}

std::string PopisNekontrolovanehoBodu(const Tjazyk& jazyk, const NekontrolovanyBod& bod) {
    const std::string& duvod = bod.duvod == DuvodNekontrolovanosti::PostranniBod
                                   ? jazyk.popis.postranniBod
                                   : jazyk.popis.zavisiNaNekontrolovanych;
    return bod.cislo + " (" + duvod + ")";
}

std::string PopisNekontrolovanychBodu(const Tjazyk& jazyk,
                                      const std::vector<NekontrolovanyBod>& body) {
    std::string text;
    for (const NekontrolovanyBod& b : body) {
        if (!text.empty()) text += ", ";
        text += PopisNekontrolovanehoBodu(jazyk, b);
    }
    return text;
}

}  // namespace vertano
