#include "workspace/SimulaceNahoda.h"
#include "matice/ElementaryFunctions.h"

#include <cmath>

namespace vertano {

namespace {

constexpr uint64_t Rotl(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

uint64_t SplitMix64(uint64_t& stav) {
    stav += 0x9e3779b97f4a7c15ULL;
    uint64_t z = stav;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

SimulaceNahoda::SimulaceNahoda(uint64_t seed) {
    // splitmix64 never gives four zero words, the one state xoshiro cannot leave.
    for (uint64_t& slovo : s_) slovo = SplitMix64(seed);
}

uint64_t SimulaceNahoda::Bity() {
    const uint64_t vysledek = Rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return vysledek;
}

double SimulaceNahoda::Rovnomerne() {
    // The top 53 bits scaled by 2^-53: exact in a double, never 1.
    return static_cast<double>(Bity() >> 11) * 0x1.0p-53;
}

double SimulaceNahoda::Rovnomerne(double od, double do_) {
    return od + (do_ - od) * Rovnomerne();
}

uint64_t SimulaceNahoda::Index(uint64_t n) {
    if (n == 0) return 0;
    // Draws from the largest multiple of n below 2^64 only, so every index is
    // equally likely.
    const uint64_t mez = UINT64_MAX - UINT64_MAX % n;
    uint64_t x = Bity();
    while (x >= mez) x = Bity();
    return x % n;
}

double SimulaceNahoda::Normalni() {
    if (maRezervu_) {
        maRezervu_ = false;
        return rezerva_;
    }
    double u = 0;
    double v = 0;
    double s = 0;
    do {
        u = Rovnomerne(-1, 1);
        v = Rovnomerne(-1, 1);
        s = u * u + v * v;
    } while (s >= 1 || s == 0);
    const double f = std::sqrt(-2 * Log(s) / s);
    rezerva_ = v * f;
    maRezervu_ = true;
    return u * f;
}

}  // namespace vertano
