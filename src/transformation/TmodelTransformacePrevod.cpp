#include "transformation/TmodelTransformacePrevod.h"

#include <array>
#include <cmath>
#include <new>

#include "adjustment/Elipsy.h"
#include "adjustment/KofaktoryText.h"
#include "adjustment/VysledekSite.h"
#include "matice/FpGuard.h"
#include "transformation/IdentickeBody.h"

namespace vertano {

namespace {

using Blok = std::array<std::array<Real, 3>, 3>;

Blok Rotace(Real w) {
    const Real c = std::cos(w);
    const Real s = std::sin(w);
    return {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
}

// Element (i, j) of a symmetric matrix from its lower triangle, whatever the
// inverse left above the diagonal.
Real Dolni(const Tmatrix& Q, std::size_t i, std::size_t j) {
    return i >= j ? Q[i][j] : Q[j][i];
}

// R B R^T of the 3 x 3 block of Q at rows 3I.., columns 3J...
Blok Otocit(const Tmatrix& Q, const Blok& R, std::size_t I, std::size_t J) {
    Blok RB{};
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t s = 0; s < 3; ++s) {
            for (std::size_t k = 0; k < 3; ++k)
                RB[r][s] += R[r][k] * Dolni(Q, 3 * I + k, 3 * J + s);
        }
    }
    Blok V{};
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t s = 0; s < 3; ++s) {
            for (std::size_t k = 0; k < 3; ++k) V[r][s] += RB[r][k] * R[s][k];
        }
    }
    return V;
}

// R Q R^T blockwise (R the rotation of every point): the blocks on and below
// the diagonal, mirrored above it.
bool OtocitKofaktory(const Tmatrix& Q, Real w, int32_t pocetUrcovanych, Tmatrix& vystup) {
    const auto n = static_cast<std::size_t>(pocetUrcovanych);
    const std::size_t a = 3 * n;
    if (Q.size() < a) return false;
    for (std::size_t i = 0; i < a; ++i) {
        if (Q[i].size() < i + 1) return false;
    }
    const Blok R = Rotace(w);
    vystup.assign(a, Tvector(a));
    for (std::size_t I = 0; I < n; ++I) {
        for (std::size_t J = 0; J <= I; ++J) {
            const Blok V = Otocit(Q, R, I, J);
            for (std::size_t r = 0; r < 3; ++r) {
                for (std::size_t s = 0; s < 3; ++s) {
                    vystup[3 * I + r][3 * J + s] = V[r][s];
                    vystup[3 * J + s][3 * I + r] = V[r][s];
                }
            }
        }
    }
    return true;
}

}  // namespace

bool TmodelTransformacePrevod::Nacist(const VysledekSite& model) {
    // The network part starts afresh; the identical points stay.
    pocetBodu = pocetBoduFixnich = pocetBoduUrcovanych = -1;
    souradnice.Clear();
    kovariancniMatice.clear();
    kovariancniMaticeStr.clear();
    transformacniKlic = TtransformacniKlic{};
    iStnAktualni = iCilAktualni = -1;
    chyba.clear();
    Tsouradnice body = model.Souradnice();
    body.SmazPrazdneZaznamyNaKonci();
    const int32_t urcovanych = model.PocetSouradnicUrcovanych() / 3;
    const int32_t vsech = model.PocetSouradnic() / 3;
    if (vsech < 1 || body.Pocet() < vsech || urcovanych < 0 || urcovanych > vsech) {
        chyba = "The adjusted network has no points to transform";
        return false;
    }
    // The network's cofactors come from its solver (the sparse one keeps no
    // dense matrix): the whole block of the determined coordinates.
    Tmatrix Q;
    if (!model.KofaktorovaMatice(3 * urcovanych, Q)) {
        chyba = "The adjusted network has no cofactor matrix";
        return false;
    }
    pocetBodu = vsech;
    pocetBoduUrcovanych = urcovanych;
    pocetBoduFixnich = vsech - urcovanych;
    souradnice = std::move(body);
    kovariancniMatice = std::move(Q);
    return true;
}

void TmodelTransformacePrevod::NacistIdentickeBody(const Tsouradnice& pary) {
    const int32_t n = PocetPar(pary);
    identickeBodyVstup.Clear();
    identickeBodyVystup.Clear();
    for (int32_t k = 0; k < n; ++k) {
        identickeBodyVstup.PridejBod(pary.bod[static_cast<std::size_t>(2 * k)]);
        identickeBodyVystup.PridejBod(pary.bod[static_cast<std::size_t>(2 * k + 1)]);
    }
    pocetBoduIdentickych = n;
}

bool TmodelTransformacePrevod::KontrolaIdentickychBodu() {
    return VychoziParIdentickych(identickeBodyVstup, identickeBodyVystup, iStnPocatek, iCilPocatek);
}

bool TmodelTransformacePrevod::Transformovat(const VysledekSite& model,
                                             const TtransformacniKlic& klic, Real dX, Real dY) {
    chyba.clear();
    const int32_t n = pocetBodu;
    if (n < 1 || model.Souradnice().Pocet() < n || souradnice.Pocet() < n ||
        pocetBoduUrcovanych < 0 || pocetBoduUrcovanych > n) {
        chyba = "The adjusted network is not loaded";
        return false;
    }
    try {
        const FpGuard guard;
        const Real w = klic.rotaceZ;
        const Real c = std::cos(w);
        const Real s = std::sin(w);
        Tsouradnice vysledek = souradnice;
        for (int32_t i = 0; i < n; ++i) {
            const Tbod& p = model.Souradnice().bod[static_cast<std::size_t>(i)];
            Tbod& b = vysledek.bod[static_cast<std::size_t>(i)];
            const Real x = p.X + dX;
            const Real y = p.Y + dY;
            b.X = klic.posunX + x * c - y * s;
            b.Y = klic.posunY + x * s + y * c;
            b.Z = klic.posunZ + p.Z;
            if (!std::isfinite(b.X) || !std::isfinite(b.Y) || !std::isfinite(b.Z)) {
                chyba = "The transformed point " + b.cislo + " is not a number";
                return false;
            }
        }
        Tmatrix Qsite;
        Tmatrix Q;
        if (!model.KofaktorovaMatice(3 * pocetBoduUrcovanych, Qsite) ||
            !OtocitKofaktory(Qsite, w, pocetBoduUrcovanych, Q)) {
            chyba = "The cofactor matrix of the network does not fit its points";
            return false;
        }
        for (int32_t i = 0; i < pocetBoduUrcovanych; ++i) {
            Tbod& b = vysledek.bod[static_cast<std::size_t>(i)];
            if (!ElipsoidBodu(Q, i, b) || !ElipsaBodu(Q, i, b)) {
                chyba =
                    "The error ellipse of the transformed point " + b.cislo + " cannot be computed";
                return false;
            }
        }
        if (!guard.Ok()) {
            chyba = "The transformation of the network failed";
            return false;
        }
        souradnice = std::move(vysledek);
        kovariancniMatice = std::move(Q);
        transformacniKlic = klic;
        KovariancniMaticeText();
        return true;
    } catch (const std::bad_alloc&) {
        chyba = "Not enough memory to transform the network";
        return false;
    }
}

bool TmodelTransformacePrevod::TransformaceSVyrovnanim(const VysledekSite& model,
                                                       const TtransformacniKlic& klic) {
    if (!klic.jePlny || !std::isfinite(klic.rotaceZ)) {
        chyba = "The transformation key is not set";
        return false;
    }
    return Transformovat(model, klic, 0, 0);
}

bool TmodelTransformacePrevod::TransformaceBodASmernik(const VysledekSite& model, int32_t iStn,
                                                       int32_t iCil, Real smernik) {
    TtransformacniKlic klic;
    if (!std::isfinite(smernik) ||
        !KlicBodSmernik(identickeBodyVstup, identickeBodyVystup, iStn, iCil, klic)) {
        chyba =
            "The base and the orientation point must be two identical points that do not "
            "coincide in either system";
        return false;
    }
    klic.smernik_vystup = UhelVKruhu(smernik);
    klic.rotaceZ = UhelVKruhu(klic.smernik_vystup - klic.smernik_vstup);
    if (!Transformovat(model, klic, klic.posunX2, klic.posunY2)) return false;
    iStnAktualni = iStn;
    iCilAktualni = iCil;
    return true;
}

void TmodelTransformacePrevod::KovariancniMaticeText() {
    kovariancniMaticeStr = KofaktoryText(kovariancniMatice, 3 * pocetBoduUrcovanych);
}

}  // namespace vertano
