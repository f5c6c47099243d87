#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "adjustment/ModelSitPomocne.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/VysledekSite.h"

namespace vertano {
namespace {

// The quadrilateral with A and B fixed; `cislo` given as well, fixed in the
// coordinates `osy` only, its free ones off the truth by a few decimetres.
struct CastecnaSit {
    test::ModelSit s = test::CtyruhelnikovaSit(2);
    Tsouradnice fixni;
    Tsouradnice priblizne;

    CastecnaSit(const std::string& cislo, FixniOsy osy) {
        fixni = s.Fixni();
        Tbod b = s.sit.Skutecny(cislo);
        b.JeFixni = true;
        b.fixniOsy = osy;
        if (!b.DrziOsu(0)) b.X += 0.3L;
        if (!b.DrziOsu(1)) b.Y -= 0.2L;
        if (!b.DrziOsu(2)) b.Z += 0.4L;
        fixni.PridejBod(b);
        for (const Tbod& p : s.Priblizne().bod) {
            if (p.cislo != cislo) priblizne.PridejBod(p);
        }
    }
    bool Nacist(TmodelSite& m) const {
        return m.Nacist(s.Mereni(2), priblizne, fixni, s.vahy, s.doplnek, s.nastaveni);
    }
};

TEST(CastecneFixni, APointFixedInPlanKeepsItsPositionAndGetsItsHeight) {
    for (const FixniOsy osy : {FixniOsy::Poloha, FixniOsy::Vyska}) {
        SCOPED_TRACE(static_cast<int>(osy));
        const CastecnaSit c("C", osy);
        TmodelSite model;
        ASSERT_TRUE(c.Nacist(model)) << model.Vysledek().Chyba();
        // C is determined, with the coordinates it holds out of the unknowns.
        EXPECT_EQ(model.Vysledek().PocetSouradnicFixnich(), 6);
        EXPECT_EQ(model.Vysledek().DrzeneNezname().size(), osy == FixniOsy::Poloha ? 2u : 1u);
        EXPECT_EQ(model.Vysledek().TypFixace(), Fixace::PevnaSit);
        ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
        ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
        const Tbod b = model.Vysledek().Souradnice().BodSCislem("C");
        const Tbod pravda = c.s.sit.Skutecny("C");
        // Exact measurements: the free coordinates land on the truth, the held
        // ones never move.
        EXPECT_NEAR(b.X, pravda.X, 1e-7L);
        EXPECT_NEAR(b.Y, pravda.Y, 1e-7L);
        EXPECT_NEAR(b.Z, pravda.Z, 1e-7L);
        if (osy == FixniOsy::Poloha) {
            EXPECT_EQ(b.X, pravda.X);
            EXPECT_EQ(b.Presnost().sig_X, 0);
            EXPECT_EQ(b.Presnost().sig_Y, 0);
            EXPECT_GT(b.Presnost().sig_Z, 0);
        } else {
            EXPECT_EQ(b.Z, pravda.Z);
            EXPECT_EQ(b.Presnost().sig_Z, 0);
            EXPECT_GT(b.Presnost().sig_X, 0);
        }
    }
}

TEST(CastecneFixni, HeldCoordinatesAddToTheRedundancy) {
    test::ModelSit s = test::CtyruhelnikovaSit(2);
    TmodelSite volny;
    ASSERT_TRUE(
        volny.Nacist(s.Mereni(2), s.Priblizne(), s.Fixni(), s.vahy, s.doplnek, s.nastaveni));
    const CastecnaSit c("D", FixniOsy::Poloha);
    TmodelSite model;
    ASSERT_TRUE(c.Nacist(model)) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().PocetNadbytecnych(), volny.Vysledek().PocetNadbytecnych() + 2);
    EXPECT_EQ(model.Vysledek().PocetMereni(), volny.Vysledek().PocetMereni());
}

TEST(CastecneFixni, WithoutTwoPointsFixedInPlanAndOneInHeightTheLoadIsRefused) {
    test::ModelSit s = test::CtyruhelnikovaSit(1);  // A fixed
    Tsouradnice fixni = s.Fixni();
    Tbod b = s.sit.Skutecny("B");
    b.JeFixni = true;
    b.fixniOsy = FixniOsy::Vyska;  // in plan A alone
    fixni.PridejBod(b);
    Tsouradnice priblizne;
    for (const Tbod& p : s.Priblizne().bod) {
        if (p.cislo != "B") priblizne.PridejBod(p);
    }
    TmodelSite model;
    EXPECT_FALSE(model.Nacist(s.Mereni(), priblizne, fixni, s.vahy, s.doplnek, s.nastaveni));
    EXPECT_NE(model.Vysledek().Chyba().find("two points fixed in plan and one fixed in height"),
              std::string::npos)
        << model.Vysledek().Chyba();
    // With B fixed in plan instead the datum is there.
    fixni.bod.back().fixniOsy = FixniOsy::Poloha;
    EXPECT_TRUE(model.Nacist(s.Mereni(), priblizne, fixni, s.vahy, s.doplnek, s.nastaveni))
        << model.Vysledek().Chyba();
}

}  // namespace
}  // namespace vertano
