#include "adjustment/Elipsy.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "matice/DenseHelpers.h"
#include "matice/ElementaryFunctions.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "matice/Svd.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

// Rounding in W can push the minor-axis radicand of a block that is singular to
// working precision a few ulps below zero; that is a zero axis, not a fault.
constexpr Real kSumRadikandu = 1e-15L;

bool Konecne(Real x) {
    return std::isfinite(x);
}

// A vertical (horizontal) component below this fraction of the axis' length is
// rounding noise: the axis is horizontal (vertical).
constexpr Real kVodorovnaOsa = 1e-12L;

}  // namespace

void SmerOsy(Real x, Real y, Real z, Real& smernik, Real& zenit) {
    const Real delka = std::sqrt(x * x + y * y + z * z);
    if (!(delka > 0) || !Konecne(delka)) {
        smernik = Normalise(Atan2(y, x));
        zenit = 0;
        return;
    }
    // The sign of a singular vector is free, and the last bits of the block
    // choose it; an axis is therefore always given from its upper end, and a
    // horizontal one from the end whose bearing lies in [0, pi), so that the
    // same axis prints the same on every machine and in every epoch.
    const bool vodorovna = std::fabs(z) < kVodorovnaOsa * delka;
    if (vodorovna) z = 0;
    if (vodorovna ? (y < 0 || (y == 0 && x < 0)) : z < 0) {
        x = -x;
        y = -y;
        z = -z;
    }
    // A vertical axis has no bearing; its horizontal part is rounding noise.
    // +0 for -0: atan2(-0, x) is -0, which would print as a negative bearing.
    const bool svisla = std::sqrt(x * x + y * y) < kVodorovnaOsa * delka;
    smernik = svisla ? 0 : Normalise(Atan2(y + Real(0), x));
    // A unit column of V may exceed 1 in one component by rounding; arccos of the
    // clamped ratio is the axis' true zenith.
    zenit = Acos(std::clamp(z / delka, Real(-1), Real(1)));
}

namespace {

bool JeBlok3x3(const Tmatrix& B) {
    return B.size() == 3 && B[0].size() == 3 && B[1].size() == 3 && B[2].size() == 3;
}

}  // namespace

bool ElipsoidZBloku(const Tmatrix& B, Telipsoid& elipsoid) {
    if (!JeBlok3x3(B)) return false;
    const FpGuard guard;
    Tmatrix U = B;
    Tvector w;
    Tmatrix V;
    if (!SVDecomposition(U, w, V) || w.size() < 3 || V.size() < 3) return false;
    for (int k = 0; k < 3; ++k) {
        if (!(w[k] >= 0)) return false;
    }
    // The longest semi-axis first: the decomposition's own order follows its
    // iteration path, which the last bits of a block with a decoupled axis can
    // change.
    std::array<int, 3> poradi = {0, 1, 2};
    std::stable_sort(poradi.begin(), poradi.end(), [&w](int i, int j) { return w[i] > w[j]; });
    const auto osa = [&](int k, StoredReal& delka, StoredReal& smernik, StoredReal& zenit) {
        delka = std::sqrt(w[k]);
        Real s = 0;
        Real z = 0;
        SmerOsy(V[0][k], V[1][k], V[2][k], s, z);
        smernik = s;
        zenit = z;
    };
    osa(poradi[0], elipsoid.a_delka, elipsoid.a_smernik, elipsoid.a_zenit);
    osa(poradi[1], elipsoid.b_delka, elipsoid.b_smernik, elipsoid.b_zenit);
    osa(poradi[2], elipsoid.c_delka, elipsoid.c_smernik, elipsoid.c_zenit);
    return guard.Ok();
}

bool ElipsaZKofaktoru(Real qXX, Real qYY, Real qXY, Telipsa& elipsa) {
    const FpGuard guard;
    if (!Konecne(qXX) || !Konecne(qYY) || !Konecne(qXY) || qXX < 0 || qYY < 0) return false;
    const Real rozdil = qXX - qYY;
    const Real W = std::sqrt(rozdil * rozdil + 4 * qXY * qXY);
    const Real stred = (qXX + qYY) / 2;
    Real radikandB = stred - W / 2;
    if (radikandB < 0 && radikandB >= -kSumRadikandu * stred) radikandB = 0;
    if (radikandB < 0) return false;
    elipsa.a_delka = std::sqrt(stred + W / 2);
    elipsa.b_delka = std::sqrt(radikandB);
    Real smernik = Atan2(2 * qXY, rozdil) / 2;
    if (smernik < 0) smernik += kPi;
    // Half of a full turn rounded up is the direction 0 of the same axis.
    if (smernik >= kPi) smernik = 0;
    elipsa.a_smernik = smernik;
    return guard.Ok();
}

bool ElipsoidBodu(const Tmatrix& Q, int index, Tbod& bod) {
    Tmatrix B;
    if (index < 0 || !SymmetricBlock(Q, 3 * index, 3, B)) return false;
    for (int k = 0; k < 3; ++k) {
        if (!Konecne(B[k][k]) || B[k][k] < 0) return false;
    }
    Tpresnost& p = bod.UpravPresnost();
    p.sig_X = std::sqrt(B[0][0]);
    p.sig_Y = std::sqrt(B[1][1]);
    p.sig_Z = std::sqrt(B[2][2]);
    return ElipsoidZBloku(B, p.elipsoid);
}

bool ElipsaBodu(const Tmatrix& Q, int index, Tbod& bod) {
    Tmatrix B;
    if (index < 0 || !SymmetricBlock(Q, 3 * index, 2, B)) return false;
    return ElipsaZKofaktoru(B[0][0], B[1][1], B[1][0], bod.UpravPresnost().elipsa);
}

}  // namespace vertano
