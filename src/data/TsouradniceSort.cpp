#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <utility>
#include <vector>

#include "data/Tsouradnice.h"
#include "mereni/CisloBodu.h"

namespace vertano {

namespace {

using Klic = Real (*)(const Tbod&);

// Key of a numeric quantity code; nullptr for the name and unknown codes.
Klic CiselnyKlic(int velicina) {
    switch (velicina) {
        case Tsouradnice::kX:
            return [](const Tbod& b) -> Real { return b.X; };
        case Tsouradnice::kY:
            return [](const Tbod& b) -> Real { return b.Y; };
        case Tsouradnice::kZ:
            return [](const Tbod& b) -> Real { return b.Z; };
        case Tsouradnice::kSigX:
            return [](const Tbod& b) -> Real { return b.Presnost().sig_X; };
        case Tsouradnice::kSigY:
            return [](const Tbod& b) -> Real { return b.Presnost().sig_Y; };
        case Tsouradnice::kSigZ:
            return [](const Tbod& b) -> Real { return b.Presnost().sig_Z; };
        case Tsouradnice::kElipsoidADelka:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.a_delka; };
        case Tsouradnice::kElipsoidASmernik:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.a_smernik; };
        case Tsouradnice::kElipsoidAZenit:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.a_zenit; };
        case Tsouradnice::kElipsoidBDelka:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.b_delka; };
        case Tsouradnice::kElipsoidBSmernik:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.b_smernik; };
        case Tsouradnice::kSoubor:
            return [](const Tbod& b) { return static_cast<Real>(b.soubor); };
        case Tsouradnice::kPoradi:
            return [](const Tbod& b) { return static_cast<Real>(b.poradi); };
        case Tsouradnice::kElipsoidBZenit:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.b_zenit; };
        case Tsouradnice::kElipsoidCDelka:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.c_delka; };
        case Tsouradnice::kElipsoidCSmernik:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.c_smernik; };
        case Tsouradnice::kElipsoidCZenit:
            return [](const Tbod& b) -> Real { return b.Presnost().elipsoid.c_zenit; };
        case Tsouradnice::kZkresleni:
            return [](const Tbod& b) -> Real { return b.zkresleni; };
        default:
            return nullptr;
    }
}

// Ascending, with a value that is not a number after every number: a plain "<"
// is no ordering once NaN appears and would leave the table in an arbitrary order.
bool JeMensi(Real a, Real b) {
    if (std::isnan(a)) return false;
    if (std::isnan(b)) return true;
    return a < b;
}

// Stable: records with equal keys keep their order, empty ones included, so a
// second sort refines the first the way users of the tables expect. The records
// are large, so the order is found on indices and applied in one pass.
template <class Pred>
void SeraditStabilne(std::vector<Tbod>& body, Pred jePred) {
    std::vector<std::size_t> poradi(body.size());
    std::iota(poradi.begin(), poradi.end(), std::size_t{0});
    std::ranges::stable_sort(
        poradi, [&](std::size_t a, std::size_t b) { return jePred(body[a], body[b]); });
    std::vector<Tbod> serazene;
    serazene.reserve(body.size());
    for (const std::size_t i : poradi) serazene.push_back(std::move(body[i]));
    body = std::move(serazene);
}

}  // namespace

void Tsouradnice::Sort(int velicina) {
    if (velicina == kCislo) {
        SeraditStabilne(bod,
                        [](const Tbod& a, const Tbod& b) { return JeCisloPred(a.cislo, b.cislo); });
        return;
    }
    const Klic klic = CiselnyKlic(velicina);
    if (klic == nullptr) return;
    SeraditStabilne(bod,
                    [klic](const Tbod& a, const Tbod& b) { return JeMensi(klic(a), klic(b)); });
}

}  // namespace vertano
