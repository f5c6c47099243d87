#include "adjustment/RobustniVahy.h"

#include <algorithm>
#include <cmath>

#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"

namespace vertano {

namespace {

Real SPodlahou(Real w) {
    return std::max(w, kNejmensiRobustniVaha);
}

Real Huber(Real a) {
    return a <= 1.345L ? 1 : SPodlahou(1.345L / a);
}

Real MHuber(Real a) {
    if (a <= 2) return 1;
    if (a <= 3) return 2 / a;
    return kNejmensiRobustniVaha;
}

// The descending branch reaches exactly 0 at |x| = 8; the floor keeps it
// positive there like everywhere else.
Real Hampel(Real a) {
    if (a <= 2) return 1;
    if (a <= 4) return 2 / a;
    if (a <= 8) return SPodlahou((8 - a) / 2 / a);
    return kNejmensiRobustniVaha;
}

Real Talwar(Real a) {
    return a <= 2.795L ? 1 : kNejmensiRobustniVaha;
}

Real Cauchy(Real a) {
    return SPodlahou(1 / (1 + a * a));
}

Real Tukey(Real a) {
    if (a > 4.685L) return kNejmensiRobustniVaha;
    const Real u = a / 4.685L;
    const Real t = 1 - u * u;
    return SPodlahou(t * t);
}

Real Geman(Real a) {
    const Real t = 1 + a * a;
    return SPodlahou(1 / (t * t));
}

// sin|x|/|x| turns negative just before the extended-precision pi (which lies
// above the true pi); the floor keeps the weight positive up to the cut-off.
Real Andrews(Real a) {
    if (a == 0) return 1;
    if (a > kPi) return kNejmensiRobustniVaha;
    return SPodlahou(std::sin(a) / a);
}

Real Welsh(Real a) {
    const Real u = a / 2.985L;
    return SPodlahou(Exp(-(u * u)));
}

Real Fair(Real a) {
    return SPodlahou(1 / (1 + a / 1.4L));
}

Real L1(Real a) {
    return a > 0.001L ? 1 / a : 1000;
}

Real L1L2(Real a) {
    return SPodlahou(1 / std::sqrt(1 + a * a / 2));
}

using VahovaFunkce = Real (*)(Real);

constexpr VahovaFunkce kFunkce[] = {Huber, MHuber,  Hampel, Talwar, Cauchy, Tukey,
                                    Geman, Andrews, Welsh,  Fair,   L1,     L1L2};

}  // namespace

bool PotrebujeRobustniStart(Odhad typOdhadu) {
    return JeTypOdhadu(typOdhadu) && typOdhadu != Odhad::Huber && typOdhadu != Odhad::Fair &&
           typOdhadu != Odhad::L1 && typOdhadu != Odhad::L1L2;
}

Real RobustniVaha(Odhad typOdhadu, Real x) {
    if (!JeTypOdhadu(typOdhadu)) return 0;
    if (!std::isfinite(x)) return kNejmensiRobustniVaha;
    return kFunkce[KodOdhadu(typOdhadu) - 1](std::fabs(x));
}

}  // namespace vertano
