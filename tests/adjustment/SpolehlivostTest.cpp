#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "adjustment/ModelSitPomocne.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/OdlehleSitPomocne.h"
#include "adjustment/Spolehlivost.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/Quantile.h"

namespace vertano {
namespace {

using test::Krok;

// A straightforward Gauss-Jordan inverse with partial pivoting.
std::vector<std::vector<Real>> Inverze(std::vector<std::vector<Real>> a) {
    const std::size_t n = a.size();
    std::vector<std::vector<Real>> inv(n, std::vector<Real>(n, 0));
    for (std::size_t i = 0; i < n; ++i) inv[i][i] = 1;
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i < n; ++i) {
            if (std::fabs(a[i][k]) > std::fabs(a[pivot][k])) pivot = i;
        }
        std::swap(a[k], a[pivot]);
        std::swap(inv[k], inv[pivot]);
        const Real d = a[k][k];
        for (std::size_t j = 0; j < n; ++j) {
            a[k][j] /= d;
            inv[k][j] /= d;
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (i == k) continue;
            const Real f = a[i][k];
            for (std::size_t j = 0; j < n; ++j) {
                a[i][j] -= f * a[k][j];
                inv[i][j] -= f * inv[k][j];
            }
        }
    }
    return inv;
}

// The reference: the design matrix of the evaluated model (rows per unknown),
// N = A^T P A inverted directly, r_i = 1 - p_i a_i N^-1 a_i^T per equation.
struct Reference {
    std::vector<std::vector<Real>> a;  // per equation, dense over the unknowns
    std::vector<std::vector<Real>> q;  // N^-1
    std::vector<Real> r;
};

Reference Spocitat(const TmodelSite& m) {
    const auto u = static_cast<std::size_t>(m.Vysledek().PocetNeznamych());
    const auto n = static_cast<std::size_t>(m.Vysledek().PocetMereni());
    Reference ref;
    ref.a.assign(n, std::vector<Real>(u, 0));
    for (std::size_t k = 0; k < u; ++k) {
        for (std::size_t e = 0; e < Stav(m).maticePlanuSparse.index[k].size(); ++e) {
            ref.a[static_cast<std::size_t>(Stav(m).maticePlanuSparse.index[k][e])][k] =
                Stav(m).maticePlanuSparse.data[k][e];
        }
    }
    std::vector<std::vector<Real>> normal(u, std::vector<Real>(u, 0));
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < u; ++j) {
            for (std::size_t k = 0; k < u; ++k) {
                normal[j][k] += ref.a[i][j] * m.Vysledek().VahyApriori()[i] * ref.a[i][k];
            }
        }
    }
    ref.q = Inverze(normal);
    for (std::size_t i = 0; i < n; ++i) {
        Real q = 0;
        for (std::size_t j = 0; j < u; ++j) {
            for (std::size_t k = 0; k < u; ++k) q += ref.a[i][j] * ref.q[j][k] * ref.a[i][k];
        }
        ref.r.push_back(1 - m.Vysledek().VahyApriori()[i] * q);
    }
    return ref;
}

// The records in equation order (a plumbing tie for both of its equations).
std::vector<const TmerenaVelicina*> Rovnice(const TmodelSite& m) {
    std::vector<const TmerenaVelicina*> r;
    for (int32_t i = 0; i < m.Vysledek().PocetMereni(); ++i) r.push_back(m.VelicinaRovnice(i));
    return r;
}

TEST(Spolehlivost, RedundancyNumbersAndDetectableErrorsEqualTheDirectComputation) {
    // Every kind of observation, supplementary ones included, fixed datum.
    test::SitOdlehle s = test::VelkaSit(true);
    s.nastaveni.prepinac = {};
    TmodelSite model, odlehly;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
        << model.Vysledek().Chyba();
    SouhrnSpolehlivosti souhrn;
    ASSERT_TRUE(VypocetSpolehlivosti(model, 0.05L, souhrn));
    const Reference ref = Spocitat(model);

    const Real delta0 = *icnorm(0.975L) + *icnorm(0.8L);
    EXPECT_NEAR(souhrn.delta0, delta0, 1e-15L);
    EXPECT_NEAR(souhrn.delta0, 2.8016, 1e-4);
    // The redundancy numbers add up to the redundancy of the network.
    EXPECT_NEAR(souhrn.soucetRedundanci, model.Vysledek().PocetNadbytecnych(), 1e-9L);
    ASSERT_TRUE(souhrn.jeVliv);
    const std::vector<const TmerenaVelicina*> rovnice = Rovnice(model);
    for (std::size_t i = 0; i < rovnice.size(); ++i) {
        const TmerenaVelicina& z = *rovnice[i];
        SCOPED_TRACE(z.cislo_stn + " -> " + z.cislo_cil + " kind " +
                     std::to_string(KodVeliciny(z.typ)));
        if (z.typ == Velicina::DoplnekProvazeni) continue;  // below
        EXPECT_NEAR(z.redundance, ref.r[i], 1e-9L);
        const Real p = model.Vysledek().VahyApriori()[i];
        EXPECT_NEAR(z.mdb, delta0 / std::sqrt(p * ref.r[i]), 1e-7L * z.mdb);
        EXPECT_FALSE(z.jeNekontrolovane);
        // The move of its own points an error of that size causes: N^-1 a^T p mdb.
        Real nejvic = 0;
        for (const int32_t bod : {z.iStn, z.iCil}) {
            if (bod < 0 || bod >= model.Vysledek().PocetSouradnicUrcovanych() / 3) continue;
            Real soucet = 0;
            for (int c = 0; c < 3; ++c) {
                const auto j = static_cast<std::size_t>(3 * bod + c);
                Real dx = 0;
                for (std::size_t k = 0; k < ref.q.size(); ++k) dx += ref.q[j][k] * ref.a[i][k];
                soucet += (dx * p * z.mdb) * (dx * p * z.mdb);
            }
            nejvic = std::max(nejvic, std::sqrt(soucet));
        }
        EXPECT_NEAR(z.mdbPosun, nejvic, 1e-7L * (nejvic + 1e-3L));
    }
    // A plumbing tie: the redundancy of both its equations.
    const TvektorMereni& provazeni = model.Vysledek().Doplnek().provazeni;
    ASSERT_FALSE(provazeni.zaznam.empty());
    for (std::size_t i = 0; i + 1 < rovnice.size(); ++i) {
        if (rovnice[i] == &provazeni.zaznam[0] && rovnice[i + 1] == rovnice[i]) {
            EXPECT_NEAR(provazeni.zaznam[0].redundance, ref.r[i] + ref.r[i + 1], 1e-9L);
        }
    }
}

TEST(Spolehlivost, APointFixedByOnePolarMeasurementIsUncontrolled) {
    // The quadrilateral of two fixed and four determined points, each seeing all,
    // and X seen from F alone: its direction, zenith angle and distance decide it.
    test::ModelSit s = test::CtyruhelnikovaSit(2);
    s.Bod("X", 1150, 1500, 101, false);
    s.sit.Cil("X");
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    SouhrnSpolehlivosti souhrn;
    ASSERT_TRUE(VypocetSpolehlivosti(model, 0.001L, souhrn));
    EXPECT_NEAR(souhrn.soucetRedundanci, model.Vysledek().PocetNadbytecnych(), 1e-9L);
    EXPECT_EQ(souhrn.pocetNekontrolovanych, 3);
    EXPECT_EQ(souhrn.zavisleBody, std::vector<std::string>{"X"});
    EXPECT_EQ(ZavisleBody(model), souhrn.zavisleBody);
    EXPECT_EQ(PocetNekontrolovanych(model), 3);
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(model, typ).zaznam) {
            const bool kX = z.cislo_cil == "X";
            EXPECT_EQ(z.jeNekontrolovane, kX) << z.cislo_stn << " " << z.cislo_cil;
            if (!kX) continue;
            EXPECT_LT(z.redundance, 1e-9L);
            EXPECT_EQ(z.mdb, -1);  // no error of any size would show
            EXPECT_TRUE(z.zavisiCil);
            EXPECT_FALSE(z.zavisiStanovisko);  // F is held by everything else
        }
    }
}

// The redundancy of an error common to the equations `cleny`: c = sum p_i a_i,
// r = 1 - c N^-1 c^T / sum p_i, computed directly.
Real RedundanceSpolecne(const TmodelSite& m, const Reference& ref,
                        const std::vector<std::size_t>& cleny) {
    const std::size_t u = ref.q.size();
    std::vector<Real> c(u, 0);
    Real soucetVah = 0;
    for (const std::size_t i : cleny) {
        soucetVah += m.Vysledek().VahyApriori()[i];
        for (std::size_t k = 0; k < u; ++k) c[k] += m.Vysledek().VahyApriori()[i] * ref.a[i][k];
    }
    Real cqc = 0;
    for (std::size_t j = 0; j < u; ++j) {
        for (std::size_t k = 0; k < u; ++k) cqc += c[j] * ref.q[j][k] * c[k];
    }
    return 1 - cqc / soucetVah;
}

TEST(Spolehlivost, RepeatedPointingsToASideShotCountAsOneMeasurement) {
    // X seen from F alone, in two sets: each set alone has a redundancy of about
    // a half, but a distance wrong by the same amount in both sets (a wrong
    // prism constant) moves X without any residual showing it.
    test::ModelSit s = test::CtyruhelnikovaSit(2);
    s.Bod("X", 1150, 1500, 101, false);
    s.sit.Cil("X");
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(2))) << model.Vysledek().Chyba();
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    SouhrnSpolehlivosti souhrn;
    ASSERT_TRUE(VypocetSpolehlivosti(model, 0.05L, souhrn));
    const Reference ref = Spocitat(model);
    // The sum is of the single observations' figures.
    EXPECT_NEAR(souhrn.soucetRedundanci, model.Vysledek().PocetNadbytecnych(), 1e-9L);
    const std::vector<const TmerenaVelicina*> rovnice = Rovnice(model);
    std::vector<std::size_t> kX[4];
    std::vector<std::size_t> ab;  // the distances C -> D of both sets
    for (std::size_t i = 0; i < rovnice.size(); ++i) {
        const TmerenaVelicina& z = *rovnice[i];
        if (z.cislo_cil == "X") kX[KodVeliciny(z.typ)].push_back(i);
        if (z.typ == Velicina::Delka && z.cislo_stn == "C" && z.cislo_cil == "D") ab.push_back(i);
    }
    int32_t kXCelkem = 0;
    for (const Velicina typ : {Velicina::Delka, Velicina::Smer, Velicina::Zenit}) {
        ASSERT_EQ(kX[KodVeliciny(typ)].size(), 2u) << KodVeliciny(typ);
        kXCelkem += 2;
        // Alone, each set is controlled by the other one.
        EXPECT_GT(ref.r[kX[KodVeliciny(typ)][0]], 0.3L);
        const Real spolecne = RedundanceSpolecne(model, ref, kX[KodVeliciny(typ)]);
        EXPECT_LT(spolecne, 1e-9L);
        for (const std::size_t i : kX[KodVeliciny(typ)]) {
            const TmerenaVelicina& z = *rovnice[i];
            EXPECT_TRUE(z.jeNekontrolovane);
            EXPECT_NEAR(z.redundance, spolecne, 1e-9L);
            EXPECT_EQ(z.mdb, -1);
            EXPECT_TRUE(z.zavisiCil);
        }
    }
    EXPECT_EQ(souhrn.pocetNekontrolovanych, kXCelkem);
    EXPECT_EQ(souhrn.zavisleBody, std::vector<std::string>{"X"});
    ASSERT_EQ(souhrn.nekontrolovaneBody.size(), 1u);
    EXPECT_EQ(souhrn.nekontrolovaneBody[0].cislo, "X");
    EXPECT_EQ(souhrn.nekontrolovaneBody[0].duvod, DuvodNekontrolovanosti::PostranniBod);
    EXPECT_EQ(PostranniBody(model).size(), 1u);
    // A distance seen from both ends keeps its own figures: its common error
    // shows in the reverse distance.
    ASSERT_EQ(ab.size(), 2u);
    EXPECT_GT(RedundanceSpolecne(model, ref, ab), kMezNekontrolovane);
    for (const std::size_t i : ab) {
        EXPECT_FALSE(rovnice[i]->jeNekontrolovane);
        EXPECT_NEAR(rovnice[i]->redundance, ref.r[i], 1e-9L);
    }
}

TEST(Spolehlivost, APointSeenFromTwoStationsIsNoSideShot) {
    test::ModelSit s = test::CtyruhelnikovaSit(2);
    s.Bod("X", 1150, 1500, 101, false);
    s.sit.Cil("X");
    s.Bod("G", 1120, 1620, 103, true);
    s.Stanovisko("G", 0.7L, {"X", "C", "D"});
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(2))) << model.Vysledek().Chyba();
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    SouhrnSpolehlivosti souhrn;
    ASSERT_TRUE(VypocetSpolehlivosti(model, 0.05L, souhrn));
    EXPECT_TRUE(PostranniBody(model).empty());
    EXPECT_EQ(souhrn.pocetNekontrolovanych, 0);
    EXPECT_TRUE(souhrn.nekontrolovaneBody.empty());
}

TEST(Spolehlivost, FreeNetworkRedundancyNumbersAddUpToItsRedundancy) {
    test::ModelSit s = test::CtyruhelnikovaSit(0);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    ASSERT_GT(model.Vysledek().PocetPodminek(), 0);
    SouhrnSpolehlivosti souhrn;
    ASSERT_TRUE(VypocetSpolehlivosti(model, 0.05L, souhrn));
    EXPECT_NEAR(souhrn.soucetRedundanci, model.Vysledek().PocetNadbytecnych(), 1e-9L);
    EXPECT_EQ(souhrn.pocetNekontrolovanych, 0);
}

TEST(Spolehlivost, AModelWithoutEvaluationGivesNothing) {
    TmodelSite model;
    SouhrnSpolehlivosti souhrn;
    souhrn.pocetNekontrolovanych = 5;
    EXPECT_FALSE(VypocetSpolehlivosti(model, 0.05L, souhrn));
    EXPECT_FALSE(souhrn.jeSpocteno);
    EXPECT_EQ(souhrn.pocetNekontrolovanych, 0);
}

}  // namespace
}  // namespace vertano
