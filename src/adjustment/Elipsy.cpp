#include "adjustment/Elipsy.h"

#include <algorithm>
#include <cmath>

#include "matice/DenseHelpers.h"
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

// Bearing and zenith angle of the direction (x, y, z). A zero or non-finite
// vector has no direction and gives the zenith 0.
void SmerOsy(Real x, Real y, Real z, Real& smernik, Real& zenit) {
    smernik = Normalise(std::atan2(y, x));
    const Real delka = std::sqrt(x * x + y * y + z * z);
    if (!(delka > 0) || !Konecne(delka)) {
        zenit = 0;
        return;
    }
    // A unit column of V may exceed 1 in one component by rounding; arccos of the
    // clamped ratio is the axis' true zenith, a vertical axis up or down.
    zenit = std::acos(std::clamp(z / delka, Real(-1), Real(1)));
}

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
    elipsoid.a_delka = std::sqrt(w[0]);
    elipsoid.b_delka = std::sqrt(w[1]);
    elipsoid.c_delka = std::sqrt(w[2]);
    SmerOsy(V[0][0], V[1][0], V[2][0], elipsoid.a_smernik, elipsoid.a_zenit);
    SmerOsy(V[0][1], V[1][1], V[2][1], elipsoid.b_smernik, elipsoid.b_zenit);
    SmerOsy(V[0][2], V[1][2], V[2][2], elipsoid.c_smernik, elipsoid.c_zenit);
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
    Real smernik = std::atan2(2 * qXY, rozdil) / 2;
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
    bod.sig_X = std::sqrt(B[0][0]);
    bod.sig_Y = std::sqrt(B[1][1]);
    bod.sig_Z = std::sqrt(B[2][2]);
    return ElipsoidZBloku(B, bod.elipsoid);
}

bool ElipsaBodu(const Tmatrix& Q, int index, Tbod& bod) {
    Tmatrix B;
    if (index < 0 || !SymmetricBlock(Q, 3 * index, 2, B)) return false;
    return ElipsaZKofaktoru(B[0][0], B[1][1], B[1][0], bod.elipsa);
}

}  // namespace vertano
