#include "workspace/SimulaceBody.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <numeric>
#include <queue>
#include <string>
#include <unordered_map>
#include <utility>

#include "adjustment/PriblizneKonstrukce.h"

namespace vertano::simulace {

namespace {

constexpr Real kX0 = 1000;
constexpr Real kY0 = 1000;
constexpr Real kZ0 = 250;
constexpr int32_t kPrvniCislo = 4001;

// Relief of a grid: two gentle waves, a few tens of metres at most whatever the
// spacing, so that sights stay near the horizon as on real sites.
constexpr Real kAmplitudaTerenu = 0.1L;
constexpr Real kMaxAmplitudaTerenu = 15;
constexpr Real kNerovnost = 0.03L;
constexpr Real kMaxNerovnost = 5;
constexpr Real kPosunMrizky = 0.3L;  // jitter of a grid point, share of the spacing
// Points of the random layout keep this share of the spacing from each other;
// a point is drawn at most this many times to find such a place.
constexpr Real kOdstupNahodne = 0.5L;
constexpr int kPokusuNahodne = 50;
// A traverse turns by at most this angle per leg [rad] and keeps this share of
// the spacing away from its earlier points.
constexpr double kMaxOhyb = 0.5;
constexpr Real kOdstupPoradu = 0.5L;
constexpr int kPokusuPoradu = 20;
constexpr Real kMaxStoupaniPoradu = 8;
// Depth of the plumbed point below its upper point.
constexpr Real kHloubkaProvazeni = 0.12L;
constexpr Real kMaxHloubkaProvazeni = 25;

Real Zaokrouhlit(Real hodnota) {
    return std::round(hodnota * 10000) / 10000;
}

Real Mensi(Real a, Real b) {
    return a < b ? a : b;
}

void PridatBod(Tsouradnice& body, Real x, Real y, Real z) {
    Tbod b = Tbod::Prazdny();
    b.cislo = std::to_string(kPrvniCislo + body.Pocet());
    b.poradi = body.Pocet() + 1;
    b.X = Zaokrouhlit(x);
    b.Y = Zaokrouhlit(y);
    b.Z = Zaokrouhlit(z);
    b.JePlny = true;
    body.PridejBod(b);
}

// The relief of the grid and the random layout: two gentle waves over the
// position in units of the spacing, and some roughness.
class Teren {
  public:
    Teren(const SimulaceParametry& p, SimulaceNahoda& n)
        : s_(p.rozestup),
          a_(Mensi(kAmplitudaTerenu * s_, kMaxAmplitudaTerenu)),
          nerovnost_(Mensi(kNerovnost * s_, kMaxNerovnost)),
          faze1_(n.Rovnomerne(0, 2 * std::numbers::pi)),
          faze2_(n.Rovnomerne(0, 2 * std::numbers::pi)) {}

    // The height at (r, c) spacings from the origin of the layout.
    Real Vyska(Real r, Real c, SimulaceNahoda& n) const {
        return kZ0 + a_ * (std::sin(0.8 * r + faze1_) + std::sin(0.6 * c + faze2_)) +
               n.Rovnomerne(-1, 1) * nerovnost_;
    }

  private:
    Real s_, a_, nerovnost_;
    double faze1_, faze2_;
};

void Mrizka(const SimulaceParametry& p, SimulaceNahoda& n, Tsouradnice& body) {
    const Real s = p.rozestup;
    const auto sloupcu =
        static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(p.pocetBodu))));
    const Teren teren(p, n);
    for (int32_t i = 0; i < p.pocetBodu; ++i) {
        const int32_t r = i / sloupcu;
        const int32_t c = i % sloupcu;
        const Real x = kX0 + r * s + n.Rovnomerne(-1, 1) * kPosunMrizky * s;
        const Real y = kY0 + c * s + n.Rovnomerne(-1, 1) * kPosunMrizky * s;
        PridatBod(body, x, y, teren.Vyska(r, c, n));
    }
}

// Square of the plan distance; cheaper than the distance where only the order
// matters.
Real CtverecVzdalenosti(const Tbod& a, Real x, Real y) {
    const Real dx = a.X - x;
    const Real dy = a.Y - y;
    return dx * dx + dy * dy;
}

// The points laid out so far in square cells of the plan, so that the layouts
// look only at the cells near a new point instead of at every point: a network
// of 100,000 points is laid out in seconds. The distances are those the plain
// search over all points would compare, so the layouts do not change.
class Bunky {
  public:
    Bunky(const Tsouradnice& body, Real strana) : body_(body), strana_(strana) {}

    void Pridat(int32_t i) {
        const Tbod& b = body_.bod[static_cast<size_t>(i)];
        const int64_t cx = Index(b.X);
        const int64_t cy = Index(b.Y);
        if (bunky_.empty()) {
            x0_ = x1_ = cx;
            y0_ = y1_ = cy;
        }
        x0_ = std::min(x0_, cx);
        x1_ = std::max(x1_, cx);
        y0_ = std::min(y0_, cy);
        y1_ = std::max(y1_, cy);
        bunky_[Klic(cx, cy)].push_back(i);
    }

    // The smallest square of the distance from (x, y) to a point, or any value
    // not above `staci` once one is that near; the largest Real without points.
    Real Nejblizsi(Real x, Real y, Real staci) const {
        Real nej = std::numeric_limits<Real>::max();
        Okoli(
            x, y,
            [&](int32_t /*j*/, Real ctverec) {
                nej = std::min(nej, ctverec);
                return nej > staci;
            },
            [&](Real hranice) { return nej > hranice * hranice; });
        return nej;
    }

    // Whether a point other than `krome` lies nearer than `odstup` to (x, y).
    bool Blize(Real x, Real y, Real odstup, int32_t krome) const {
        bool blize = false;
        Okoli(
            x, y,
            [&](int32_t j, Real ctverec) {
                blize = j != krome && ctverec < odstup * odstup;
                return !blize;
            },
            [&](Real hranice) { return hranice < odstup; });
        return blize;
    }

  private:
    [[nodiscard]] int64_t Index(Real v) const {
        return static_cast<int64_t>(std::floor(v / strana_));
    }
    static int64_t Klic(int64_t cx, int64_t cy) { return cx * 4294967311LL + cy; }

    // bod(j, square of its distance) for the points of the cells around
    // (x, y), ring by ring outwards, while it returns true and dal(distance
    // every point outside the rings visited has at least) says to go on.
    template <class Bod, class Dal>
    void Okoli(Real x, Real y, const Bod& bod, const Dal& dal) const {
        if (bunky_.empty()) return;
        const int64_t cx = Index(x);
        const int64_t cy = Index(y);
        for (int64_t k = 0;; ++k) {
            for (int64_t i = cx - k; i <= cx + k; ++i) {
                const int64_t krok = (i == cx - k || i == cx + k) ? 1 : 2 * k;
                for (int64_t j = cy - k; j <= cy + k; j += std::max<int64_t>(krok, 1)) {
                    const auto it = bunky_.find(Klic(i, j));
                    if (it == bunky_.end()) continue;
                    for (const int32_t b : it->second) {
                        if (!bod(b, CtverecVzdalenosti(body_.bod[static_cast<size_t>(b)], x, y)))
                            return;
                    }
                }
            }
            const bool vse = cx - k <= x0_ && cx + k >= x1_ && cy - k <= y0_ && cy + k >= y1_;
            if (vse || !dal(static_cast<Real>(k) * strana_)) return;
        }
    }

    const Tsouradnice& body_;
    Real strana_;
    std::unordered_map<int64_t, std::vector<int32_t>> bunky_;
    int64_t x0_ = 0, x1_ = 0, y0_ = 0, y1_ = 0;
};

// Points drawn at random over a square of one spacing squared per point, each
// new one kept half a spacing from the others (the best of a few draws when
// none is that far).
void Nahodne(const SimulaceParametry& p, SimulaceNahoda& n, Tsouradnice& body) {
    const Real s = p.rozestup;
    const Real strana = s * std::sqrt(static_cast<Real>(p.pocetBodu));
    const Teren teren(p, n);
    Bunky bunky(body, s);
    for (int32_t i = 0; i < p.pocetBodu; ++i) {
        const Real dost = kOdstupNahodne * s * kOdstupNahodne * s;
        Real nejX = 0, nejY = 0, nejOdstup = -1;  // squares of distances
        for (int pokus = 0; pokus < kPokusuNahodne && nejOdstup < dost; ++pokus) {
            const Real x = n.Rovnomerne(0, 1) * strana;
            const Real y = n.Rovnomerne(0, 1) * strana;
            // No better than a draw before is as good as any such value.
            const Real odstup = bunky.Nejblizsi(kX0 + x, kY0 + y, nejOdstup);
            if (odstup > nejOdstup) {
                nejX = x;
                nejY = y;
                nejOdstup = odstup;
            }
        }
        PridatBod(body, kX0 + nejX, kY0 + nejY, teren.Vyska(nejX / s, nejY / s, n));
        bunky.Pridat(body.Pocet() - 1);
    }
}

void Porad(const SimulaceParametry& p, SimulaceNahoda& n, Tsouradnice& body) {
    const Real s = p.rozestup;
    const Real stoupani = Mensi(kNerovnost * s, kMaxStoupaniPoradu);
    double smer = n.Rovnomerne(0, 2 * std::numbers::pi);
    PridatBod(body, kX0, kY0, kZ0);
    Bunky bunky(body, s);
    bunky.Pridat(0);
    for (int32_t i = 1; i < p.pocetBodu; ++i) {
        const Tbod posledni = body.bod.back();
        Real x = 0;
        Real y = 0;
        // A leg that would come back near the chain is turned another way.
        for (int pokus = 0; pokus < kPokusuPoradu; ++pokus) {
            const double novySmer = smer + n.Rovnomerne(-kMaxOhyb, kMaxOhyb);
            const Real delka = s * n.Rovnomerne(0.8, 1.2);
            x = posledni.X + delka * std::cos(novySmer);
            y = posledni.Y + delka * std::sin(novySmer);
            smer = novySmer;
            // Every earlier point but the last, the start of this leg.
            if (!bunky.Blize(x, y, kOdstupPoradu * s, body.Pocet() - 1)) break;
        }
        PridatBod(body, x, y, posledni.Z + n.Rovnomerne(-1, 1) * stoupani);
        bunky.Pridat(body.Pocet() - 1);
    }
}

void Maly(const SimulaceParametry& p, SimulaceNahoda& n, Tsouradnice& body) {
    // A slightly irregular quadrilateral and its middle, in units of the spacing.
    static constexpr Real kTvar[5][2] = {
        {0, 0}, {0.05L, 1.02L}, {1.04L, 0.97L}, {0.98L, -0.03L}, {0.5L, 0.5L}};
    const Real s = p.rozestup;
    const Real nerovnost = Mensi(kNerovnost * s, kMaxNerovnost);
    for (const auto& [u, v] : kTvar) {
        const Real x = kX0 + (u + n.Rovnomerne(-0.05, 0.05)) * s;
        const Real y = kY0 + (v + n.Rovnomerne(-0.05, 0.05)) * s;
        PridatBod(body, x, y, kZ0 + n.Rovnomerne(-1, 1) * nerovnost);
    }
}

// The point nearest to the centre of the network in plan.
int32_t Prostredni(const Tsouradnice& body) {
    Real sx = 0;
    Real sy = 0;
    for (const Tbod& b : body.bod) {
        sx += b.X;
        sy += b.Y;
    }
    Tbod stred = Tbod::Prazdny();
    stred.X = sx / body.Pocet();
    stred.Y = sy / body.Pocet();
    int32_t nejblizsi = 0;
    for (int32_t i = 1; i < body.Pocet(); ++i) {
        if (VodorovnaVzdalenost(body.bod[static_cast<size_t>(i)], stred) <
            VodorovnaVzdalenost(body.bod[static_cast<size_t>(nejblizsi)], stred))
            nejblizsi = i;
    }
    return nejblizsi;
}

}  // namespace

Rozvrzeni VytvoritRozvrzeni(const SimulaceParametry& p, SimulaceNahoda& nahoda) {
    Rozvrzeni r;
    switch (p.tvar) {
        case SimulaceTvar::Grid:
            Mrizka(p, nahoda, r.body);
            break;
        case SimulaceTvar::Traverse:
            Porad(p, nahoda, r.body);
            break;
        case SimulaceTvar::Tiny:
            Maly(p, nahoda, r.body);
            break;
        case SimulaceTvar::Random:
            Nahodne(p, nahoda, r.body);
            break;
    }
    if (p.doplnky && r.body.Pocet() > 0) {
        r.horni = Prostredni(r.body);
        const Tbod horni = r.body.bod[static_cast<size_t>(r.horni)];
        const Real hloubka = Mensi(kHloubkaProvazeni * p.rozestup, kMaxHloubkaProvazeni);
        r.dolni = r.body.Pocet();
        PridatBod(r.body, horni.X, horni.Y, horni.Z - hloubka);
    }
    return r;
}

HledaniSousedu::HledaniSousedu(const Tsouradnice& body)
    : body_(body), podleX_(body.bod.size()), pozice_(body.bod.size()) {
    std::iota(podleX_.begin(), podleX_.end(), 0);
    std::sort(podleX_.begin(), podleX_.end(), [&body](int32_t a, int32_t b) {
        return std::pair(body.bod[static_cast<size_t>(a)].X, a) <
               std::pair(body.bod[static_cast<size_t>(b)].X, b);
    });
    for (size_t k = 0; k < podleX_.size(); ++k)
        pozice_[static_cast<size_t>(podleX_[k])] = static_cast<int32_t>(k);
}

std::vector<int32_t> HledaniSousedu::Nejblizsi(int32_t i, int32_t pocet, Real minimum) const {
    using Kandidat = std::pair<Real, int32_t>;  // square of the distance, index
    const Tbod& s = body_.bod[static_cast<size_t>(i)];
    if (pocet <= 0) return {};
    const auto k = static_cast<size_t>(pocet);
    // The k best so far, the worst on top.
    std::priority_queue<Kandidat> nejlepsi;
    auto projit = [&](int32_t odkud, int32_t krok) {
        for (int32_t m = odkud; m >= 0 && m < static_cast<int32_t>(podleX_.size()); m += krok) {
            const int32_t j = podleX_[static_cast<size_t>(m)];
            const Tbod& b = body_.bod[static_cast<size_t>(j)];
            const Real dx = b.X - s.X;
            // Every later point of the strip is at least this far.
            if (nejlepsi.size() == k && dx * dx > nejlepsi.top().first) break;
            const Kandidat c{CtverecVzdalenosti(b, s.X, s.Y), j};
            if (c.first < minimum * minimum) continue;
            if (nejlepsi.size() < k) {
                nejlepsi.push(c);
            } else if (c < nejlepsi.top()) {
                nejlepsi.pop();
                nejlepsi.push(c);
            }
        }
    };
    const int32_t misto = pozice_[static_cast<size_t>(i)];
    projit(misto + 1, 1);
    projit(misto - 1, -1);
    std::vector<int32_t> sousede(nejlepsi.size());
    for (auto m = sousede.rbegin(); m != sousede.rend(); ++m) {
        *m = nejlepsi.top().second;
        nejlepsi.pop();
    }
    return sousede;
}

std::vector<int32_t> VybratRozlozene(const Tsouradnice& body, int32_t pocet, int32_t vynechat) {
    const auto n = static_cast<size_t>(body.Pocet());
    std::vector<Real> odstup(n, std::numeric_limits<Real>::max());
    std::vector<bool> vybran(n, false);
    std::vector<int32_t> vyber;
    for (int32_t dalsi = 0; static_cast<int32_t>(vyber.size()) < pocet;) {
        if (dalsi < 0) break;
        vyber.push_back(dalsi);
        vybran[static_cast<size_t>(dalsi)] = true;
        const Tbod& novy = body.bod[static_cast<size_t>(dalsi)];
        dalsi = -1;
        for (size_t j = 0; j < n; ++j) {
            if (vybran[j] || static_cast<int32_t>(j) == vynechat) continue;
            odstup[j] = std::min(odstup[j], VodorovnaVzdalenost(novy, body.bod[j]));
            if (dalsi < 0 || odstup[j] > odstup[static_cast<size_t>(dalsi)])
                dalsi = static_cast<int32_t>(j);
        }
    }
    std::sort(vyber.begin(), vyber.end());
    return vyber;
}

std::vector<int32_t> VybratNahodne(int32_t celkem, int32_t pocet, SimulaceNahoda& nahoda) {
    std::vector<int32_t> indexy(static_cast<size_t>(std::max(celkem, 0)));
    std::iota(indexy.begin(), indexy.end(), 0);
    if (pocet <= 0 || pocet >= celkem) return indexy;
    // The first `pocet` places of a Fisher-Yates shuffle.
    for (size_t i = 0; i < static_cast<size_t>(pocet); ++i) {
        const size_t j = i + static_cast<size_t>(nahoda.Index(indexy.size() - i));
        std::swap(indexy[i], indexy[j]);
    }
    indexy.resize(static_cast<size_t>(pocet));
    std::sort(indexy.begin(), indexy.end());
    return indexy;
}

}  // namespace vertano::simulace
