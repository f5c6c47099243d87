#pragma once

#include <array>
#include <cstdint>

namespace vertano {

// The random numbers of the network generator. A generated network is used as a
// reference (examples, tests, benchmarks), so the same seed must give the same
// numbers with every compiler and standard library: the bits come from
// xoshiro256** seeded through splitmix64, both fully specified integer
// algorithms, and the distributions are computed here rather than taken from
// <random>, whose distributions differ between implementations.
class SimulaceNahoda {
  public:
    explicit SimulaceNahoda(uint64_t seed);

    // The next 64 random bits.
    uint64_t Bity();
    // Uniform in [0, 1), 53 random bits.
    double Rovnomerne();
    // Uniform in [od, do_).
    double Rovnomerne(double od, double do_);
    // Uniform whole number in [0, n); 0 for n = 0. Without modulo bias.
    uint64_t Index(uint64_t n);
    // Standard normal deviate (Marsaglia's polar method).
    double Normalni();

  private:
    std::array<uint64_t, 4> s_{};
    bool maRezervu_ = false;  // the polar method yields deviates in pairs
    double rezerva_ = 0;
};

// One step of splitmix64 on `stav`; exposed for the seeding test.
uint64_t SplitMix64(uint64_t& stav);

}  // namespace vertano
