#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "adjustment/RobustniVahy.h"
#include "transformation/TmodelTransformaceVnitrni.h"
#include "transformation/TransformacePomocne.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano {
namespace {

using test::Spustit;
using test::ZnamyKlic;

// Translations of the centroid: the adjustment's own unknowns, whose standard
// deviations the key reports.
struct KlicTeziste {
    Real tx, ty, w;
};

KlicTeziste VTezisti(Real posunX, Real posunY, Real w, Real xT, Real yT) {
    return {posunX + xT * std::cos(w) - yT * std::sin(w),
            posunY + xT * std::sin(w) + yT * std::cos(w), w};
}

class KlicZIdentickychBodu : public ::testing::TestWithParam<Real> {};

// Identical points of a known rotation and translation with noise of a few
// millimetres: the key lies within 3 sigma of the truth, and so does every
// network point transformed with it (sigma of the key's error at the point).
TEST_P(KlicZIdentickychBodu, ObnoviKlicAPolohyBoduVeTrechSigma) {
    const ZnamyKlic pravda{1045123.456L, -732456.789L, 12.345L, GonNaRad(GetParam())};
    const Tsouradnice vstup = test::VstupniBody();
    const Tsouradnice pary = test::Pary(vstup, test::VystupniBody(vstup, pravda, 0.002L, 7));
    const Tnastaveni n = test::NastaveniTransformace(0.002L);
    TmodelTransformaceVyrovnani m;
    TmodelTransformaceVyrovnani o;
    ASSERT_TRUE(Spustit(m, o, pary, n)) << m.Vysledek().Chyba();

    const TtransformacniKlic& k = m.Vysledek().TransformacniKlic();
    ASSERT_GE(k.rotaceZ, 0);
    ASSERT_LT(k.rotaceZ, kDvePi);
    const Real xT = k.tezisteVstupX;
    const Real yT = k.tezisteVstupY;
    const KlicTeziste odhad = VTezisti(k.posunX, k.posunY, k.rotaceZ, xT, yT);
    const KlicTeziste skutecny = VTezisti(pravda.tx, pravda.ty, pravda.w, xT, yT);
    const Real s0 = m.Vysledek().OdchylkaJednotkovaAprior();
    EXPECT_LE(std::fabs(odhad.tx - skutecny.tx), 3 * s0 * k.sig_posunX);
    EXPECT_LE(std::fabs(odhad.ty - skutecny.ty), 3 * s0 * k.sig_posunY);
    EXPECT_LE(std::fabs(k.posunZ - pravda.tz), 3 * s0 * k.sig_posunZ);
    EXPECT_LE(std::fabs(test::RozdilUhlu(k.rotaceZ, pravda.w)), 3 * s0 * k.sig_rotaceZ);

    // The key's error at a point: translation of the centroid plus rotation about
    // it; its variance from the cofactors of (tx, ty, w).
    const Tmatrix& Q = m.Vysledek().Kofaktory();
    const ZnamyKlic klic{k.posunX, k.posunY, k.posunZ, k.rotaceZ};
    int mimo = 0;
    for (const Tbod& b : vstup.bod) {
        const Tbod t = test::Transformovat(b, klic);
        const Tbod p = test::Transformovat(b, pravda);
        const Real x = b.X - xT;
        const Real y = b.Y - yT;
        const Real jx = -x * std::sin(k.rotaceZ) - y * std::cos(k.rotaceZ);
        const Real jy = x * std::cos(k.rotaceZ) - y * std::sin(k.rotaceZ);
        const Real sx = s0 * std::sqrt(Q[0][0] + 2 * jx * Q[0][3] + jx * jx * Q[3][3]);
        const Real sy = s0 * std::sqrt(Q[1][1] + 2 * jy * Q[1][3] + jy * jy * Q[3][3]);
        mimo += std::fabs(t.X - p.X) > 3 * sx;
        mimo += std::fabs(t.Y - p.Y) > 3 * sy;
        mimo += std::fabs(t.Z - p.Z) > 3 * s0 * k.sig_posunZ;
    }
    EXPECT_LE(mimo, 1);
}

INSTANTIATE_TEST_SUITE_P(Rotace, KlicZIdentickychBodu, ::testing::Values(0.3L, 137.0L, 399.99L));

// A gross error of 0.3 m (and of 10 m) in X and Z of one identical point is
// rejected; every other coordinate stays, and the key is still right, whichever
// estimator. The redescending ones would, started from least squares, see the
// error spread over every Z (e / 8: a dozen deviations at 0.3 m), give every Z
// the same floor weight and reject them all (M-huber, Hampel, Talwar, Tukey,
// Andrews at 0.3 m, Welsh from 1 m, Geman at 10 m): they start from the Huber
// solution.
TEST(TransformaceOdlehle, HrubaChybaJednohoBoduJeVyloucenaOstatniZustanou) {
    const ZnamyKlic pravda{5420000.5L, 620000.25L, -3.5L, GonNaRad(137)};
    const Tsouradnice vstup = test::VstupniBody();
    for (const Real chyba : {0.3L, 10.0L}) {
        Tsouradnice vystup = test::VystupniBody(vstup, pravda, 0.0015L, 11);
        vystup.bod[4].X += chyba;
        vystup.bod[4].Z -= chyba;
        const Tsouradnice pary = test::Pary(vstup, vystup);
        for (int32_t odhad = 1; odhad <= kPocetOdhadu; ++odhad) {
            SCOPED_TRACE(testing::Message()
                         << "error " << static_cast<double>(chyba) << " m, estimator " << odhad);
            Tnastaveni n = test::NastaveniTransformace(0.003L);
            n.transformace.typOdhadu = OdhadZKodu(odhad);
            TmodelTransformaceVyrovnani m;
            TmodelTransformaceVyrovnani o;
            ASSERT_TRUE(Spustit(m, o, pary, n)) << m.Vysledek().Chyba();
            for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
                for (const TsouradnicovaVelicina& z : o.Vektor(typ).zaznam) {
                    const bool hruba = z.cislo == "4005" && typ != Osa::Y;
                    EXPECT_EQ(z.jeOdlehly, hruba) << z.cislo << " " << KodOsy(typ);
                    if (hruba) {
                        EXPECT_NEAR(std::fabs(z.oprava), chyba, 0.01);
                    }
                }
            }
            EXPECT_EQ(o.Vysledek().PocetIdentickeXOdlehly(), 1);
            EXPECT_EQ(o.Vysledek().PocetIdentickeYOdlehly(), 0);
            EXPECT_EQ(o.Vysledek().PocetIdentickeZOdlehly(), 1);
            EXPECT_EQ(o.Vysledek().PocetMereni(), 24);
            EXPECT_EQ(m.Vysledek().PocetMereni(), 22);
            EXPECT_EQ(m.Vysledek().PocetNadbytecnych(), 18);
            const TtransformacniKlic& k = m.Vysledek().TransformacniKlic();
            EXPECT_LE(std::fabs(test::RozdilUhlu(k.rotaceZ, pravda.w)), 3 * k.sig_rotaceZ);
            EXPECT_LE(std::fabs(k.posunZ - pravda.tz), 3 * k.sig_posunZ);
        }
    }
}

// Equal weights: the cofactors of the centroid translations are 1/(p n), that of
// the rotation 1/(p sum of squared distances from the centroid); sigma0 a
// posteriori of exact data is 0 and the key is exact; after the evaluation the
// key takes every unreduced input point to its adjusted output coordinates.
TEST(TransformaceVyrovnani, PresnaDataDavajiPresnyKlicAZnameKofaktory) {
    const ZnamyKlic pravda{100.25L, -250.5L, 0.75L, GonNaRad(57.123L)};
    const Tsouradnice vstup = test::VstupniBody();
    const Tsouradnice pary = test::Pary(vstup, test::VystupniBody(vstup, pravda, 0, 1));
    const Tnastaveni n = test::NastaveniTransformace(0.002L);
    TmodelTransformaceVyrovnani m;
    TmodelTransformaceVyrovnani o;
    ASSERT_TRUE(Spustit(m, o, pary, n));
    const TtransformacniKlic& k = m.Vysledek().TransformacniKlic();
    EXPECT_NEAR(k.posunX, pravda.tx, 1e-9);
    EXPECT_NEAR(k.posunY, pravda.ty, 1e-9);
    EXPECT_NEAR(k.posunZ, pravda.tz, 1e-9);
    EXPECT_NEAR(k.rotaceZ, pravda.w, 1e-12);
    EXPECT_NEAR(m.Vysledek().OdchylkaJednotkovaAposterior(), 0, 1e-6);

    const Real p = 1 / (0.002L * 0.002L);
    Real r2 = 0;
    for (const Tbod& b : vstup.bod) {
        r2 += (b.X - k.tezisteVstupX) * (b.X - k.tezisteVstupX) +
              (b.Y - k.tezisteVstupY) * (b.Y - k.tezisteVstupY);
    }
    EXPECT_NEAR(k.sig_posunX, std::sqrt(1 / (8 * p)), 1e-12);
    EXPECT_NEAR(k.sig_posunZ, std::sqrt(1 / (8 * p)), 1e-12);
    EXPECT_NEAR(k.sig_rotaceZ / std::sqrt(1 / (p * r2)), 1, 1e-9);

    // No residual reaches the test: nothing is rejected and the test values read 0.
    EXPECT_FALSE(o.Vysledek().IdentickeX().ExistujeOdlehlyZaznam());
    EXPECT_EQ(o.Vysledek().IdentickeX().zaznam[0].oprava, 0);
    EXPECT_EQ(o.Vysledek().IdentickeX().zaznam[0].mezniOprava, 0);

    const ZnamyKlic klic{k.posunX, k.posunY, k.posunZ, k.rotaceZ};
    for (std::size_t i = 0; i < m.Vysledek().IdentickeX().zaznam.size(); ++i) {
        const Tbod t = test::Transformovat(vstup.bod[i], klic);
        EXPECT_NEAR(t.X, m.Vysledek().IdentickeX().zaznam[i].mezniOprava, 1e-9);
        EXPECT_NEAR(t.Y, m.Vysledek().IdentickeY().zaznam[i].mezniOprava, 1e-9);
        EXPECT_NEAR(t.Z, m.Vysledek().IdentickeZ().zaznam[i].mezniOprava, 1e-9);
    }
}

// Two pairs: six observations, redundancy 2, the key determined. Output heights
// equal to the input ones give tZ = 0 and Z residuals 0.
TEST(TransformaceVyrovnani, DvaBodyUrciKlic) {
    Tsouradnice vstup;
    vstup.PridejBod(test::Plny("A", 100, 200, 50));
    vstup.PridejBod(test::Plny("B", 300, 260, 55));
    const ZnamyKlic pravda{10, 20, 0, GonNaRad(399.9995L)};
    const Tsouradnice pary = test::Pary(vstup, test::VystupniBody(vstup, pravda, 0, 1));
    Tnastaveni n = test::NastaveniTransformace();
    n.Nastavitprepinac(false);
    TmodelTransformaceVyrovnani m;
    TmodelTransformaceVyrovnani o;
    ASSERT_TRUE(Spustit(m, o, pary, n)) << m.Vysledek().Chyba();
    EXPECT_EQ(m.Vysledek().PocetMereni(), 6);
    EXPECT_EQ(m.Vysledek().PocetNadbytecnych(), 2);
    EXPECT_NEAR(m.Vysledek().TransformacniKlic().rotaceZ, pravda.w, 1e-12);
    EXPECT_EQ(m.Vysledek().TransformacniKlic().posunZ, 0);
    for (const TsouradnicovaVelicina& z : m.Vysledek().IdentickeZ().zaznam) EXPECT_EQ(z.oprava, 0);
}

// The point's own deviation where it has one; the default of the settings where
// it has none (-1, or 0 which cannot be a deviation).
TEST(TransformaceVyrovnani, VychoziOdchylkaJenKdeBodZadnouNema) {
    const Tsouradnice vstup = test::VstupniBody();
    Tsouradnice vystup = test::VystupniBody(vstup, {1, 2, 3, 0.5L}, 0, 1);
    vystup.bod[0].UpravPresnost().sig_X = 0.005L;
    vystup.bod[0].UpravPresnost().sig_Y = 0;
    const Tnastaveni n = test::NastaveniTransformace(0.002L);
    TmodelTransformaceVyrovnani m;
    ASSERT_TRUE(m.NacistIdentickeBody(test::Pary(vstup, vystup), n));
    EXPECT_EQ(m.Vysledek().IdentickeX().zaznam[0].odchylka, 0.005L);
    EXPECT_NEAR(m.Vysledek().IdentickeX().zaznam[0].vaha, 1 / (0.005L * 0.005L), 1e-6);
    EXPECT_EQ(m.Vysledek().IdentickeY().zaznam[0].odchylka, 0.002L);
    EXPECT_EQ(m.Vysledek().IdentickeX().zaznam[1].odchylka, 0.002L);
    EXPECT_EQ(m.Vysledek().PocetSouradnicIdentickych(), 24);
}

// LDL^T, LU and the pseudo-inverse give the same key.
TEST(TransformaceVyrovnani, TriResiceDavajiStejnyKlic) {
    const Tsouradnice vstup = test::VstupniBody();
    const Tsouradnice pary =
        test::Pary(vstup, test::VystupniBody(vstup, {7, 8, 9, GonNaRad(250)}, 0.003L, 3));
    const Tnastaveni n = test::NastaveniTransformace();
    TtransformacniKlic klice[3];
    const Resic resice[3] = {Resic::LDLT, Resic::LU, Resic::SVD};
    for (int i = 0; i < 3; ++i) {
        TmodelTransformaceVyrovnani m;
        TmodelTransformaceVyrovnani o;
        m.NastavitResic(resice[i]);
        ASSERT_TRUE(Spustit(m, o, pary, n)) << i;
        EXPECT_EQ(m.NastavenyResic(), resice[i]);
        klice[i] = m.Vysledek().TransformacniKlic();
    }
    for (int i = 1; i < 3; ++i) {
        EXPECT_NEAR(klice[i].posunX, klice[0].posunX, 1e-8);
        EXPECT_NEAR(klice[i].posunY, klice[0].posunY, 1e-8);
        EXPECT_NEAR(klice[i].rotaceZ, klice[0].rotaceZ, 1e-13);
        EXPECT_NEAR(klice[i].sig_rotaceZ, klice[0].sig_rotaceZ, 1e-15);
    }
}

// The sparse solver (the default) and the dense cascade give the same key, the
// same cofactors of the key and of every identical coordinate, and reject the
// same coordinates, with and without gross errors.
TEST(TransformaceVyrovnani, RidkyResicSouhlasiSHustouKaskadou) {
    const Tsouradnice vstup = test::VstupniBody();
    Tsouradnice hrube =
        test::VystupniBody(vstup, {5420000.5L, 620000.25L, -3.5L, 2.1L}, 0.0015L, 11);
    hrube.bod[4].X += 0.3L;
    hrube.bod[4].Z -= 0.3L;
    Tsouradnice jedna = test::VystupniBody(vstup, {1, 2, 3, 2}, 0.001L, 5);
    jedna.bod[2].Y += 0.5L;
    const Tsouradnice pary[3] = {
        test::Pary(vstup, test::VystupniBody(vstup, {1045123.456L, -732456.789L, 12.345L, 0.3L},
                                             0.002L, 7)),
        test::Pary(vstup, hrube), test::Pary(vstup, jedna)};
    const auto relativne = [](Real a, Real b, Real mez) {
        return std::fabs(a - b) <= mez * std::max(std::fabs(a), std::fabs(b));
    };
    for (int i = 0; i < 3; ++i) {
        for (const Odhad typ : {Odhad::Huber, Odhad::Tukey}) {
            SCOPED_TRACE(testing::Message() << "data " << i << ", estimator " << KodOdhadu(typ));
            Tnastaveni n = test::NastaveniTransformace(0.003L);
            n.transformace.typOdhadu = typ;
            TmodelTransformaceVyrovnani r, ro, h, ho;
            h.NastavitVolbuResice(SolverChoice::Dense);
            ASSERT_TRUE(Spustit(r, ro, pary[i], n)) << r.Vysledek().Chyba();
            ASSERT_TRUE(Spustit(h, ho, pary[i], n)) << h.Vysledek().Chyba();
            TmodelTransformaceVyrovnani kopie = r;
            ASSERT_TRUE(kopie.Naplnit());
            EXPECT_NE(kopie.Solver().Sparse(), nullptr);
            kopie = h;
            ASSERT_TRUE(kopie.Naplnit());
            EXPECT_EQ(kopie.Solver().Sparse(), nullptr);

            const TtransformacniKlic& a = r.Vysledek().TransformacniKlic();
            const TtransformacniKlic& b = h.Vysledek().TransformacniKlic();
            EXPECT_TRUE(relativne(a.posunX, b.posunX, 1e-12L)) << a.posunX - b.posunX;
            EXPECT_TRUE(relativne(a.posunY, b.posunY, 1e-12L)) << a.posunY - b.posunY;
            EXPECT_TRUE(relativne(a.posunZ, b.posunZ, 1e-12L)) << a.posunZ - b.posunZ;
            EXPECT_TRUE(relativne(a.rotaceZ, b.rotaceZ, 1e-12L)) << a.rotaceZ - b.rotaceZ;
            EXPECT_EQ(r.Vysledek().PocetIteraci(), h.Vysledek().PocetIteraci());
            for (std::size_t j = 0; j < 4; ++j) {
                for (std::size_t k = 0; k < 4; ++k) {
                    const Real mez = 1e-10L * std::sqrt(h.Vysledek().Kofaktory()[j][j] *
                                                        h.Vysledek().Kofaktory()[k][k]);
                    EXPECT_NEAR(r.Vysledek().Kofaktory()[j][k], h.Vysledek().Kofaktory()[j][k], mez)
                        << j << k;
                }
            }
            ASSERT_EQ(r.Vysledek().PocetMereni(), h.Vysledek().PocetMereni());
            for (int32_t j = 0; j < r.Vysledek().PocetMereni(); ++j) {
                EXPECT_TRUE(relativne(r.Vysledek().KofaktoryMereni()[j],
                                      h.Vysledek().KofaktoryMereni()[j], 1e-10L))
                    << j;
            }
            for (const Osa osa : {Osa::X, Osa::Y, Osa::Z}) {
                ASSERT_EQ(ro.Vektor(osa).zaznam.size(), ho.Vektor(osa).zaznam.size());
                for (std::size_t j = 0; j < ro.Vektor(osa).zaznam.size(); ++j) {
                    EXPECT_EQ(ro.Vektor(osa).zaznam[j].jeOdlehly,
                              ho.Vektor(osa).zaznam[j].jeOdlehly);
                }
            }
        }
    }
}

// When the coordinates left cannot fix the rotation (only one pair in plan), the
// solution fails instead of returning a key of the pseudo-inverse.
TEST(TransformaceVyrovnani, NeurcenyKlicSelze) {
    const Tsouradnice vstup = test::VstupniBody();
    const Tsouradnice pary = test::Pary(vstup, test::VystupniBody(vstup, {1, 2, 3, 1}, 0, 1));
    const Tnastaveni n = test::NastaveniTransformace();
    for (const SolverChoice volba : {SolverChoice::Auto, SolverChoice::Dense}) {
        SCOPED_TRACE(static_cast<int>(volba));
        TmodelTransformaceVyrovnani m;
        m.NastavitVolbuResice(volba);
        ASSERT_TRUE(m.NacistIdentickeBody(pary, n));
        Stav(m).identickeX.zaznam.resize(1);
        Stav(m).identickeY.zaznam.resize(1);
        ASSERT_TRUE(m.Nacist(n));
        EXPECT_EQ(m.Vysledek().PocetNadbytecnych(), 6);
        ASSERT_TRUE(m.Naplnit());
        EXPECT_FALSE(m.Vyrovnat());
        EXPECT_NE(m.Vysledek().Chyba().find("do not determine"), std::string::npos)
            << m.Vysledek().Chyba();
        // Nor do the cofactors come from a pseudo-inverse on the sparse path.
        if (volba == SolverChoice::Auto) {
            EXPECT_FALSE(m.VypocetKovariancniMatice());
        }
        // A coordinate kind left without any record leaves an unknown undetermined.
        Stav(m).identickeX.Clear();
        ASSERT_TRUE(m.NacistBezOdlehlych());
        EXPECT_FALSE(m.Naplnit());
    }
}

// Residual lists of the windows: the pairs with their residuals, outliers
// flagged 0 / -2, the others 1 / -3.
TEST(TransformaceVyrovnani, SeznamyOpravProOkna) {
    const Tsouradnice vstup = test::VstupniBody();
    Tsouradnice vystup = test::VystupniBody(vstup, {1, 2, 3, 2}, 0.001L, 5);
    vystup.bod[2].Y += 0.5L;
    const Tnastaveni n = test::NastaveniTransformace(0.003L);
    TmodelTransformaceVyrovnani m;
    TmodelTransformaceVyrovnani o;
    ASSERT_TRUE(Spustit(m, o, test::Pary(vstup, vystup), n));
    Tsouradnice odlehle;
    o.OpravyOdlehle2Souradnice(odlehle);
    ASSERT_EQ(odlehle.Pocet(), 8);
    EXPECT_EQ(odlehle.bod[2].cislo, "4003");
    EXPECT_EQ(odlehle.bod[2].Presnost().sig_Y, 0);
    EXPECT_EQ(odlehle.bod[2].Presnost().sig_X, 1);
    EXPECT_NEAR(odlehle.bod[2].Y, -0.5, 0.01);
    Tsouradnice vyrovnane;
    m.OpravyVyrovnane2Souradnice(vyrovnane, o, true);
    ASSERT_EQ(vyrovnane.Pocet(), 8);
    EXPECT_EQ(vyrovnane.bod[2].Presnost().sig_Y, -2);
    EXPECT_EQ(vyrovnane.bod[2].Presnost().sig_X, -3);
    EXPECT_EQ(vyrovnane.bod[3].Y, m.Vysledek().IdentickeY().zaznam[2].oprava);
}

}  // namespace
}  // namespace vertano
