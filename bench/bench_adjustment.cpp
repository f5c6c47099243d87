#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "adjustment/TmodelSite.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "matice/Konstanty.h"
#include "mereni/Tmereni.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace {

using vertano::Real;
using vertano::Tbod;
using vertano::Tmereni;
using vertano::TmodelSite;
using vertano::Tsouradnice;
using vertano::Tzaznam;

// A k x k grid of points 100 m apart (jittered), every point a station that
// observes its eight neighbours by direction, zenith angle and distance; two
// corners fixed. Measurements are exact, approximations 5 cm off.
struct Sit {
    Tmereni mereni;
    Tsouradnice priblizne;
    Tsouradnice fixni;
    vertano::Tvahy vahy;
    vertano::TdoplnkoveMereni doplnek;
    vertano::Tnastaveni nastaveni;
};

Tbod Bod(int k, int i, int j) {
    Tbod b = Tbod::Prazdny();
    b.cislo = std::to_string(i * k + j + 1);
    b.X = 100 * i + 7 * std::sin(static_cast<Real>(i * 13 + j));
    b.Y = 100 * j + 7 * std::cos(static_cast<Real>(i + 17 * j));
    b.Z = 200 + 3 * std::sin(static_cast<Real>(i * j));
    b.JePlny = true;
    return b;
}

Sit Mrizka(int k, int vlaken) {
    Sit s;
    s.nastaveni.Default();
    s.nastaveni.pocetVlaknaVse = static_cast<uint8_t>(vlaken);
    s.nastaveni.vyrovnani.maxPrirustek = 1e-9L;
    s.vahy.Prazdny();
    s.vahy.smer.odchylka = vertano::MgonNaRad(0.3L);
    s.vahy.zenit.odchylka = vertano::MgonNaRad(0.5L);
    s.vahy.delka.odchylka = 0.002L;
    int32_t poradi = 0;
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j < k; ++j) {
            const Tbod stn = Bod(k, i, j);
            const bool fixni = (i == 0 && j == 0) || (i == k - 1 && j == k - 1);
            Tbod b = stn;
            if (!fixni) b.X += 0.05L, b.Y -= 0.05L, b.Z += 0.05L;
            (fixni ? s.fixni : s.priblizne).PridejBod(b);
            ++poradi;
            for (int di = -1; di <= 1; ++di) {
                for (int dj = -1; dj <= 1; ++dj) {
                    if ((di == 0 && dj == 0) || i + di < 0 || i + di >= k || j + dj < 0 ||
                        j + dj >= k) {
                        continue;
                    }
                    const Tbod cil = Bod(k, i + di, j + dj);
                    const Real dx = cil.X - stn.X, dy = cil.Y - stn.Y, dz = cil.Z - stn.Z;
                    Tzaznam z = Tzaznam::Prazdny();
                    z.poradi = poradi;
                    z.skupina = 1;
                    z.cislo_stn = stn.cislo;
                    z.cislo_cil = cil.cislo;
                    Real smer = std::atan2(dy, dx) - 0.1L * static_cast<Real>(poradi);
                    while (smer < 0) smer += vertano::kDvePi;
                    z.smer = smer;
                    z.zenit = std::atan2(std::hypot(dx, dy), dz);
                    z.delka = std::sqrt(dx * dx + dy * dy + dz * dz);
                    z.zkresleniDelky = 1;
                    s.mereni.PridejZaznam(z);
                }
            }
        }
    }
    return s;
}

// Load, plain iterations to convergence and the cofactor matrix. On networks of
// this size the Cholesky inverse usually gives way to the SVD inverse (some
// elimination leaves a residue below its 1e-10 limit), which dominates the time.
void BM_VyrovnaniSite(benchmark::State& state) {
    const Sit s = Mrizka(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    int32_t neznamych = 0;
    for (auto _ : state) {
        TmodelSite model;
        bool ok = model.Nacist(s.mereni, s.priblizne, s.fixni, s.vahy, s.doplnek, s.nastaveni);
        model.ZacitIterace();
        bool znovu = ok;
        while (ok && znovu) ok = model.VyrovnatOpakovane(znovu);
        ok = ok && model.VypocetKovariancniMatice();
        if (!ok) state.SkipWithError("adjustment failed");
        neznamych = model.Vysledek().PocetNeznamych();
        benchmark::DoNotOptimize(model.Vysledek().Souradnice().bod.data());
    }
    state.counters["unknowns"] = neznamych;
}
BENCHMARK(BM_VyrovnaniSite)
    ->Args({8, 1})
    ->Args({12, 1})
    ->Args({12, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
