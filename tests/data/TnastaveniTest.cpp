#include <gtest/gtest.h>

#include "data/Tnastaveni.h"

namespace vertano {
namespace {

TEST(Tnastaveni, DefaultLimitsAreInInternalUnitsWhateverTheUnitInForce) {
    Tnastaveni a;
    a.jednotky.uhel = 3;
    a.Default();
    Tnastaveni b;
    b.Default();
    EXPECT_EQ(a.mezPoloha.rozdil_smer, b.mezPoloha.rozdil_smer);
    EXPECT_NEAR(static_cast<double>(b.mezPoloha.rozdil_smer), 1.5707963267948966e-4, 1e-19);
    EXPECT_NEAR(static_cast<double>(b.vyrovnani.odchylka_zadanaSmer), 7.853981633974483e-6, 1e-21);
    EXPECT_EQ(b.mezZeSouradnic.rozdil_delka, 0.1L);
    EXPECT_EQ(b.vyrovnani.odchylka_zadanaDelka, 0.002L);
}

TEST(Tnastaveni, DefaultSwitchesAllOnButKeepCoordinates) {
    Tnastaveni s;
    s.Default();
    EXPECT_TRUE(s.VylucovatOdlehle());
    EXPECT_TRUE(s.VylucovatOdlehleTrans());
    EXPECT_FALSE(s.prepinac.zachovatSouradnice);
    s.Nastavitprepinac(false);
    EXPECT_FALSE(s.prepinac.prehledChyb);
    EXPECT_FALSE(s.VylucovatOdlehle());
}

TEST(Tnastaveni, DefaultKeepsWindowModesEpochCodesAndTransformationWeights) {
    Tnastaveni s;
    s.okno.bodyVstup = 1;
    s.souborVstup.typEtapa = 2;
    s.souborVystup.typEtapa = 3;
    s.transformace.typVah = ZdrojVah::Vnejsi;
    s.schranka.souradnice_existuje = true;
    s.Default();
    EXPECT_EQ(s.okno.bodyVstup, 1);
    EXPECT_EQ(s.souborVstup.typEtapa, 2);
    EXPECT_EQ(s.souborVystup.typEtapa, 3);
    EXPECT_EQ(s.transformace.typVah, ZdrojVah::Vnejsi);
    EXPECT_TRUE(s.schranka.souradnice_existuje);
    EXPECT_EQ(s.souborVstup.typSuroveMereni, 1);
}

}  // namespace
}  // namespace vertano
