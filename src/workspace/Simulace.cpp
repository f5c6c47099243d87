#include "workspace/Simulace.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "matice/FpGuard.h"
#include "workspace/SimulaceBody.h"
#include "workspace/SimulaceDoplnky.h"
#include "workspace/SimulaceMereni.h"
#include "workspace/SimulaceNahoda.h"

namespace vertano {

namespace {

constexpr int32_t kBoduMrizky = 12;
constexpr int32_t kBoduPoradu = 10;
constexpr int32_t kBoduMaleho = 5;
constexpr int32_t kSousedu = 8;

int32_t VychoziPocetBodu(SimulaceTvar tvar) {
    switch (tvar) {
        case SimulaceTvar::Grid:
        case SimulaceTvar::Random:
            return kBoduMrizky;
        case SimulaceTvar::Traverse:
            return kBoduPoradu;
        case SimulaceTvar::Tiny:
            break;
    }
    return kBoduMaleho;
}

bool VRozsahu(Real v, Real od, Real do_) {
    return std::isfinite(v) && v >= od && v <= do_;
}

std::string Cislo(int32_t n) {
    return std::to_string(n);
}

// Counts: points, neighbours, stations, sets, given points, gross errors.
bool OveritPocty(const SimulaceParametry& p, std::string& chyba) {
    if (p.tvar == SimulaceTvar::Tiny && p.pocetBodu != 0 && p.pocetBodu != kBoduMaleho)
        chyba = "the tiny layout has always 5 points";
    else if (p.pocetBodu != 0 && (p.pocetBodu < 3 || p.pocetBodu > simulace::kMaxBodu))
        chyba = "the number of points must lie between 3 and " + Cislo(simulace::kMaxBodu);
    if (!chyba.empty()) return false;
    const SimulaceParametry u = UplneParametry(p);
    const int32_t vsech = u.pocetBodu + (u.doplnky ? 1 : 0);
    if (u.pocetSousedu < 2 || u.pocetSousedu > std::min(u.pocetBodu - 1, simulace::kMaxSousedu))
        chyba = "the number of neighbours must lie between 2 and " +
                Cislo(std::min(u.pocetBodu - 1, simulace::kMaxSousedu)) + " for " +
                Cislo(u.pocetBodu) + " points";
    else if (u.pocetStanovisek < 1 || u.pocetStanovisek > vsech)
        chyba = "the number of stations must lie between 1 and the number of points (" +
                Cislo(vsech) + ")";
    else if (u.pocetSkupin < 1 || u.pocetSkupin > simulace::kMaxSkupin)
        chyba = "the number of sets must lie between 1 and " + Cislo(simulace::kMaxSkupin);
    else if (u.pocetZadanych < 0 || u.pocetZadanych > u.pocetBodu)
        chyba = "the number of given points must lie between 0 and the number of points (" +
                Cislo(u.pocetBodu) + ")";
    else if (u.pocetHrubych < 0)
        chyba = "the number of gross errors must not be negative";
    else if (u.pocetHrubych > 0 && u.hrubaUhel == 0 && u.hrubaDelka == 0)
        chyba = "gross errors need a size for angles or for distances";
    return chyba.empty();
}

// Lengths, deviations and sizes of gross errors.
bool OveritVelikosti(const SimulaceParametry& p, std::string& chyba) {
    if (!VRozsahu(p.rozestup, simulace::kMinRozestup, simulace::kMaxRozestup))
        chyba = "the spacing must lie between 1 and 1000 m";
    else if (!VRozsahu(p.sigmaSmer, 0, simulace::kMaxSigmaUhel) ||
             !VRozsahu(p.sigmaZenit, 0, simulace::kMaxSigmaUhel))
        chyba = "the standard deviations of angles must lie between 0 and 1000 mgon";
    else if (!VRozsahu(p.sigmaDelka, 0, simulace::kMaxSigmaDelka))
        chyba = "the standard deviation of distances must lie between 0 and 1000 mm";
    else if (!VRozsahu(p.ppm, 0, simulace::kMaxPpm))
        chyba = "the ppm part of the distance deviation must lie between 0 and 1000";
    else if (!VRozsahu(p.hrubaUhel, 0, simulace::kMaxHrubaUhel))
        chyba = "a gross error of an angle must lie between 0 and 50000 mgon";
    else if (!VRozsahu(p.hrubaDelka, 0, simulace::kMaxHrubaDelka))
        chyba = "a gross error of a distance must lie between 0 and 100000 mm";
    return chyba.empty();
}

bool Generovat(const SimulaceParametry& p, SimulovanaSit& sit, std::string& chyba) {
    SimulaceNahoda nahoda(p.seed);
    const simulace::Rozvrzeni rozvrzeni = simulace::VytvoritRozvrzeni(p, nahoda);
    const std::vector<int32_t> stanoviska =
        simulace::VybratNahodne(rozvrzeni.body.Pocet(), p.pocetStanovisek, nahoda);
    const std::vector<simulace::Obsazeni> plan = simulace::NaplanovatObsazeni(
        rozvrzeni.body, stanoviska, p.pocetSousedu, p.rozestup, nahoda);
    sit.mereni = simulace::ZmeritSkupiny(plan, rozvrzeni.body, p, nahoda);
    if (!simulace::PridatHrubeChyby(p, nahoda, sit.mereni, sit.hrubeChyby, chyba)) return false;
    sit.skutecne = rozvrzeni.body;
    for (const int32_t i :
         simulace::VybratRozlozene(rozvrzeni.body, p.pocetZadanych, rozvrzeni.dolni)) {
        Tbod b = rozvrzeni.body.bod[static_cast<size_t>(i)];
        b.JeFixni = true;
        b.poradi = sit.zadane.Pocet() + 1;
        sit.zadane.PridejBod(b);
    }
    if (p.doplnky) {
        sit.doplnek = simulace::SimulovatDoplnky(rozvrzeni, plan, p, nahoda);
        sit.maDoplnky = true;
    }
    return true;
}

}  // namespace

SimulaceParametry UplneParametry(const SimulaceParametry& p) {
    SimulaceParametry u = p;
    if (u.pocetBodu == 0) u.pocetBodu = VychoziPocetBodu(u.tvar);
    if (u.pocetSousedu == 0) u.pocetSousedu = std::min(kSousedu, u.pocetBodu - 1);
    if (u.pocetStanovisek == 0) u.pocetStanovisek = u.pocetBodu + (u.doplnky ? 1 : 0);
    return u;
}

bool OveritParametry(const SimulaceParametry& p, std::string& chyba) {
    chyba.clear();
    return OveritPocty(p, chyba) && OveritVelikosti(p, chyba);
}

bool Simulovat(const SimulaceParametry& p, SimulovanaSit& sit, std::string& chyba) {
    sit = SimulovanaSit();
    if (!OveritParametry(p, chyba)) return false;
    FpGuard guard;
    const bool ok = Generovat(UplneParametry(p), sit, chyba);
    if (ok && guard.Ok()) return true;
    if (ok) chyba = "a floating-point fault while generating the network";
    sit = SimulovanaSit();
    return false;
}

}  // namespace vertano
