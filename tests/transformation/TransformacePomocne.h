#pragma once

// Identical points of a known key, the transformation adjustment run the way the
// command runs it, and the small helpers the transformation tests share.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "data/SouradniceTestPomocne.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "matice/Konstanty.h"
#include "transformation/IdentickeBody.h"
#include "transformation/TmodelTransformaceVyrovnani.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano::test {

// A key in the form of the adjustment: X' = tx + X cos w - Y sin w, ...
struct ZnamyKlic {
    Real tx = 0;
    Real ty = 0;
    Real tz = 0;
    Real w = 0;
};

inline Tbod Transformovat(const Tbod& b, const ZnamyKlic& k) {
    Tbod t = b;
    t.X = k.tx + b.X * std::cos(k.w) - b.Y * std::sin(k.w);
    t.Y = k.ty + b.X * std::sin(k.w) + b.Y * std::cos(k.w);
    t.Z = k.tz + b.Z;
    return t;
}

// Eight network points on an uneven site of some 300 m, far from the origin as
// local systems are.
inline Tsouradnice VstupniBody() {
    Tsouradnice s;
    const Real xy[8][3] = {{1004.446, 993.480, 240.34},  {978.614, 1074.263, 233.06},
                           {1022.029, 1203.103, 233.32}, {1105.996, 1023.433, 237.45},
                           {1097.794, 1199.788, 232.20}, {1193.250, 1021.266, 247.59},
                           {1228.935, 1070.659, 243.00}, {1184.150, 1284.834, 240.02}};
    for (int i = 0; i < 8; ++i)
        s.PridejBod(Plny(std::to_string(4001 + i), xy[i][0], xy[i][1], xy[i][2]));
    return s;
}

// Normal noise of a fixed seed, the same on every machine (Box-Muller on the
// raw generator; the library's distributions differ between implementations).
class Sum {
  public:
    explicit Sum(uint64_t seed) : gen_(seed) {}
    Real Dalsi(Real sigma) {
        const Real u1 = (static_cast<Real>(gen_() >> 11) + 1) / 9007199254740993.0L;
        const Real u2 = static_cast<Real>(gen_() >> 11) / 9007199254740992.0L;
        return sigma * std::sqrt(-2 * std::log(u1)) * std::cos(kDvePi * u2);
    }

  private:
    std::mt19937_64 gen_;
};

// The output points of `vstup` by the key, each coordinate with normal noise.
inline Tsouradnice VystupniBody(const Tsouradnice& vstup, const ZnamyKlic& k, Real sigma,
                                uint64_t seed) {
    Sum sum(seed);
    Tsouradnice s;
    for (const Tbod& b : vstup.bod) {
        Tbod t = Transformovat(b, k);
        t.X += sum.Dalsi(sigma);
        t.Y += sum.Dalsi(sigma);
        t.Z += sum.Dalsi(sigma);
        s.PridejBod(t);
    }
    return s;
}

inline Tsouradnice Pary(const Tsouradnice& vstup, const Tsouradnice& vystup) {
    Tsouradnice pary;
    EXPECT_TRUE(ParovatIdentickeBody(vstup, vystup, pary));
    return pary;
}

inline Tnastaveni NastaveniTransformace(Real odchylka = 0.002L) {
    Tnastaveni n;
    n.Default();
    n.transformace.odchylka_zadanaSmer = odchylka;
    n.transformace.odchylka_zadanaZenit = odchylka;
    n.transformace.odchylka_zadanaDelka = odchylka;
    return n;
}

// The command's run without its questions: robust passes and the rejection
// when any switch is on, plain passes, the evaluation.
inline bool Spustit(TmodelTransformaceVyrovnani& m, TmodelTransformaceVyrovnani& odlehly,
                    const Tsouradnice& pary, const Tnastaveni& n) {
    if (!m.NacistIdentickeBody(pary, n) || !m.Nacist(n)) return false;
    bool znovu = true;
    if (n.VylucovatOdlehleTrans()) {
        m.ZacitIterace();
        while (znovu) {
            if (!m.VyrovnatRobustne(znovu)) return false;
        }
        if (!m.VylouceniOdlehlychHodnot(odlehly, n) || !m.Naplnit()) return false;
    }
    m.ZacitIterace();
    znovu = true;
    while (znovu) {
        if (!m.VyrovnatOpakovane(znovu)) return false;
    }
    return m.Vyhodnoceni();
}

// The rotation difference a - b in (-pi, pi].
inline Real RozdilUhlu(Real a, Real b) {
    Real d = std::fmod(a - b, kDvePi);
    if (d > kPi) d -= kDvePi;
    if (d <= -kPi) d += kDvePi;
    return d;
}

}  // namespace vertano::test
