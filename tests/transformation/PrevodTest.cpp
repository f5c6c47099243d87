#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "adjustment/Elipsy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "transformation/TmodelTransformacePrevod.h"
#include "transformation/TransformacePomocne.h"

namespace vertano {
namespace {

using test::ZnamyKlic;

// An adjusted network as the evaluation leaves it: three determined points
// first, then two fixed ones, and a cofactor matrix over the nine coordinates and
// two orientations (random, symmetric, positive definite).
TmodelSite Sit() {
    TmodelSite m;
    const Real xyz[5][3] = {{1000.5, 2000.25, 300},
                            {1100.75, 1950.5, 310},
                            {1050.25, 2100.75, 305},
                            {900, 2000, 299},
                            {1200, 2050, 311}};
    for (int i = 0; i < 5; ++i) {
        Tbod b = test::Plny(std::to_string(101 + i), xyz[i][0], xyz[i][1], xyz[i][2]);
        b.JeFixni = i >= 3;
        Stav(m).souradnice.PridejBod(b);
    }
    Stav(m).souradnice.PridejPrazdnyBod();  // an empty slot at the end is dropped
    Stav(m).pocetSouradnic = 15;
    Stav(m).pocetSouradnicUrcovanych = 9;
    Stav(m).pocetSouradnicFixnich = 6;
    const std::size_t n = 11;
    std::mt19937_64 gen(3);
    std::uniform_real_distribution<double> u(-1, 1);
    Tmatrix B(n, Tvector(n));
    for (auto& r : B)
        for (auto& x : r) x = u(gen) * 1e-3;
    Tmatrix Q(n, Tvector(n));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            Real s = i == j ? 1e-7L : 0;
            for (std::size_t k = 0; k < n; ++k) s += B[i][k] * B[j][k];
            Q[i][j] = s;
        }
    }
    for (int i = 0; i < 3; ++i) {
        Tbod& b = Stav(m).souradnice.bod[static_cast<std::size_t>(i)];
        EXPECT_TRUE(ElipsoidBodu(Q, i, b) && ElipsaBodu(Q, i, b));
    }
    m.SetCofactors(Q);
    return m;
}

TtransformacniKlic Klic(const ZnamyKlic& k) {
    TtransformacniKlic klic;
    klic.jePlny = true;
    klic.posunX = k.tx;
    klic.posunY = k.ty;
    klic.posunZ = k.tz;
    klic.rotaceZ = k.w;
    return klic;
}

// J Q J^T with J the full 9 x 9 Jacobian of the transformed coordinates (a
// rotation block per point), multiplied out plainly.
Tmatrix Propagace(const Tmatrix& Q, Real w) {
    const std::size_t a = 9;
    Tmatrix J(a, Tvector(a));
    for (std::size_t p = 0; p < 3; ++p) {
        J[3 * p][3 * p] = std::cos(w);
        J[3 * p][3 * p + 1] = -std::sin(w);
        J[3 * p + 1][3 * p] = std::sin(w);
        J[3 * p + 1][3 * p + 1] = std::cos(w);
        J[3 * p + 2][3 * p + 2] = 1;
    }
    Tmatrix V(a, Tvector(a));
    for (std::size_t i = 0; i < a; ++i)
        for (std::size_t j = 0; j < a; ++j)
            for (std::size_t k = 0; k < a; ++k)
                for (std::size_t l = 0; l < a; ++l) V[i][j] += J[i][k] * Q[k][l] * J[j][l];
    return V;
}

// The conversion with the adjusted key: coordinates by the key, cofactors equal
// to a direct propagation, and the plane ellipses of the network turned by the
// rotation (same axes).
TEST(Prevod, SVyrovnanimTransformujeBodyAKofaktory) {
    const TmodelSite sit = Sit();
    TmodelTransformacePrevod p;
    ASSERT_TRUE(p.Nacist(sit)) << p.Chyba();
    EXPECT_EQ(p.PocetBodu(), 5);
    EXPECT_EQ(p.PocetBoduUrcovanych(), 3);
    EXPECT_EQ(p.PocetBoduFixnich(), 2);
    EXPECT_EQ(p.Souradnice().Pocet(), 5);
    const ZnamyKlic k{-731000.5L, -1045000.25L, 0.5L, GonNaRad(137)};
    ASSERT_TRUE(p.TransformaceSVyrovnanim(sit, Klic(k))) << p.Chyba();

    for (int i = 0; i < 5; ++i) {
        const Tbod t =
            test::Transformovat(sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)], k);
        const Tbod& b = p.Souradnice().bod[static_cast<std::size_t>(i)];
        EXPECT_NEAR(b.X, t.X, 1e-9);
        EXPECT_NEAR(b.Y, t.Y, 1e-9);
        EXPECT_EQ(b.Z, t.Z);
    }
    Tmatrix Q;
    ASSERT_TRUE(sit.KofaktorovaMatice(11, Q));
    const Tmatrix V = Propagace(Q, k.w);
    ASSERT_EQ(p.KovariancniMatice().size(), 9u);
    for (std::size_t i = 0; i < 9; ++i)
        for (std::size_t j = 0; j < 9; ++j)
            EXPECT_NEAR(p.KovariancniMatice()[i][j], V[i][j], 1e-18) << i << "," << j;

    for (int i = 0; i < 3; ++i) {
        const Tbod& pred = sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
        const Tbod& po = p.Souradnice().bod[static_cast<std::size_t>(i)];
        EXPECT_NEAR(po.Presnost().elipsa.a_delka, pred.Presnost().elipsa.a_delka, 1e-15);
        EXPECT_NEAR(po.Presnost().elipsa.b_delka, pred.Presnost().elipsa.b_delka, 1e-15);
        EXPECT_NEAR(std::fmod(po.Presnost().elipsa.a_smernik - pred.Presnost().elipsa.a_smernik -
                                  k.w + 4 * kPi,
                              kPi),
                    0, 1e-9);
        EXPECT_NEAR(po.Presnost().sig_Z, pred.Presnost().sig_Z, 1e-15);
    }
    EXPECT_FALSE(p.KovariancniMaticeStr().empty());
}

// Rotation 0 leaves the cofactors as they were; a network without determined
// points transforms its coordinates only.
TEST(Prevod, BezRotaceAStalymiBody) {
    const TmodelSite sit = Sit();
    TmodelTransformacePrevod p;
    ASSERT_TRUE(p.Nacist(sit));
    ASSERT_TRUE(p.TransformaceSVyrovnanim(sit, Klic({5, 6, 7, 0})));
    Tmatrix Q;
    ASSERT_TRUE(sit.KofaktorovaMatice(9, Q));
    for (std::size_t i = 0; i < 9; ++i)
        for (std::size_t j = 0; j < 9; ++j) EXPECT_EQ(p.KovariancniMatice()[i][j], Q[i][j]);

    TmodelSite pevna = sit;
    for (Tbod& b : Stav(pevna).souradnice.bod) b.JeFixni = true;
    Stav(pevna).pocetSouradnicUrcovanych = 0;
    Stav(pevna).pocetSouradnicFixnich = 15;
    ASSERT_TRUE(p.Nacist(pevna));
    ASSERT_TRUE(p.TransformaceSVyrovnanim(pevna, Klic({5, 6, 7, 0})));
    EXPECT_TRUE(p.KovariancniMatice().empty());
    EXPECT_TRUE(p.KovariancniMaticeStr().empty());
    EXPECT_EQ(p.Souradnice().bod[0].X, sit.Vysledek().Souradnice().bod[0].X + 5);
}

// Point and bearing with exact identical points reproduces the truth; the
// ellipses are those of the network turned by the rotation. A failure (the same
// pair twice) changes nothing.
TEST(Prevod, BodASmernikPresne) {
    const TmodelSite sit = Sit();
    const ZnamyKlic pravda{-731234.5678L, 1045678.25L, 12.5L, GonNaRad(321.2345L)};
    Tsouradnice vstup;
    Tsouradnice vystup;
    for (const int i : {3, 1, 4}) {
        vstup.PridejBod(sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)]);
        vystup.PridejBod(test::Transformovat(
            sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)], pravda));
    }
    TmodelTransformacePrevod p;
    p.NacistIdentickeBody(test::Pary(vstup, vystup));
    ASSERT_TRUE(p.KontrolaIdentickychBodu());
    EXPECT_EQ(p.IStnPocatek(), 0);
    EXPECT_EQ(p.ICilPocatek(), 1);
    ASSERT_TRUE(p.Nacist(sit));
    const Real smernik = Smernik(p.IdentickeBodyVystup().bod[0], p.IdentickeBodyVystup().bod[2]);
    ASSERT_TRUE(p.TransformaceBodASmernik(sit, 0, 2, smernik)) << p.Chyba();
    EXPECT_EQ(p.ICilAktualni(), 2);
    EXPECT_NEAR(p.TransformacniKlic().rotaceZ, pravda.w, 1e-15);
    for (int i = 0; i < 5; ++i) {
        const Tbod t = test::Transformovat(
            sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)], pravda);
        const Tbod& b = p.Souradnice().bod[static_cast<std::size_t>(i)];
        EXPECT_NEAR(b.X, t.X, 1e-9);
        EXPECT_NEAR(b.Y, t.Y, 1e-9);
        EXPECT_NEAR(b.Z, t.Z, 1e-9);
    }
    for (int i = 0; i < 3; ++i) {
        const Telipsa& pred =
            sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)].Presnost().elipsa;
        const Telipsa& po = p.Souradnice().bod[static_cast<std::size_t>(i)].Presnost().elipsa;
        EXPECT_NEAR(po.a_delka, pred.a_delka, 1e-15);
        EXPECT_NEAR(po.b_delka, pred.b_delka, 1e-15);
        EXPECT_NEAR(std::fmod(po.a_smernik - pred.a_smernik - pravda.w + 4 * kPi, kPi), 0, 1e-9);
    }

    const Tsouradnice pred = p.Souradnice();
    const TtransformacniKlic klic = p.TransformacniKlic();
    EXPECT_FALSE(p.TransformaceBodASmernik(sit, 1, 1, smernik));
    EXPECT_EQ(p.Souradnice().bod[4].X, pred.bod[4].X);
    EXPECT_EQ(p.TransformacniKlic().rotaceZ, klic.rotaceZ);
    EXPECT_EQ(p.ICilAktualni(), 2);
    EXPECT_FALSE(p.Chyba().empty());
}

// The output bearing equal to the input one keeps shape and orientation and
// moves the base point onto its output coordinates.
TEST(Prevod, BodASmernikSeStejnymSmernikemJenPosune) {
    const TmodelSite sit = Sit();
    Tsouradnice vstup;
    Tsouradnice vystup;
    for (const int i : {0, 3}) {
        vstup.PridejBod(sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)]);
        Tbod b = sit.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
        b.X += 1000;
        b.Y -= 500 + i;  // the output points are not the translated ones
        vystup.PridejBod(b);
    }
    TmodelTransformacePrevod p;
    p.NacistIdentickeBody(test::Pary(vstup, vystup));
    ASSERT_TRUE(p.Nacist(sit));
    const Real smernikVstup = Smernik(vstup.bod[0], vstup.bod[1]);
    ASSERT_TRUE(p.TransformaceBodASmernik(sit, 0, 1, smernikVstup + kDvePi));
    EXPECT_NEAR(p.TransformacniKlic().rotaceZ, 0, 1e-15);
    EXPECT_EQ(p.Souradnice().bod[0].X, vystup.bod[0].X);
    EXPECT_EQ(p.Souradnice().bod[0].Y, vystup.bod[0].Y);
    EXPECT_NEAR(p.Souradnice().bod[4].X - p.Souradnice().bod[0].X,
                sit.Vysledek().Souradnice().bod[4].X - sit.Vysledek().Souradnice().bod[0].X, 1e-12);
}

}  // namespace
}  // namespace vertano
