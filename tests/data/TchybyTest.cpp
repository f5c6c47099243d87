#include <gtest/gtest.h>

#include "data/Interaction.h"
#include "data/Oznameni.h"
#include "data/Tchyby.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"

namespace vertano {
namespace {

class TchybyOznameni : public ::testing::Test {
  protected:
    void SetUp() override {
        Tnastaveni nastaveni;
        nastaveni.Default();
        nastaveni.typJazyk = 1;
        jazyk.Default(nastaveni);
        chyby.Default();
    }

    Tjazyk jazyk;
    Tchyby chyby;
    SilentInteraction okno;
};

TEST_F(TchybyOznameni, ShowsTheAnnouncedNotificationOnceAndResetsTheNumber) {
    chyby.Oznameni(16);
    EXPECT_TRUE(ZobrazitOznameni(chyby, jazyk, okno));
    EXPECT_EQ(okno.notifications, 1);
    EXPECT_EQ(okno.lastTitle, "Transformation error");
    EXPECT_EQ(okno.lastText, "An error occurred during the coordinates transformation process!");
    EXPECT_EQ(chyby.cisloOznameni, 0);

    // A later failure that announces nothing shows the generic failure.
    EXPECT_TRUE(ZobrazitOznameni(chyby, jazyk, okno));
    EXPECT_EQ(okno.lastTitle, "Error");
    EXPECT_EQ(okno.lastText,
              "An error occurred during the processing! Please check the processed data.");
}

TEST_F(TchybyOznameni, NehlasitSuppressesExactlyTheNextNotification) {
    chyby.Nehlasit();
    chyby.Oznameni(4);
    EXPECT_FALSE(ZobrazitOznameni(chyby, jazyk, okno));
    EXPECT_EQ(okno.notifications, 0);
    EXPECT_FALSE(chyby.vypnoutHlaseni);

    chyby.Oznameni(17);
    EXPECT_TRUE(ZobrazitOznameni(chyby, jazyk, okno));
    EXPECT_EQ(okno.notifications, 1);
    EXPECT_EQ(okno.lastTitle, "Scale factor error");
}

TEST_F(TchybyOznameni, SuppressedNumberDoesNotReappearLater) {
    chyby.Nehlasit();
    chyby.Oznameni(5);
    EXPECT_FALSE(ZobrazitOznameni(chyby, jazyk, okno));
    EXPECT_EQ(chyby.cisloOznameni, 0);

    EXPECT_TRUE(ZobrazitOznameni(chyby, jazyk, okno));
    EXPECT_EQ(okno.lastTitle, "Error");
    EXPECT_NE(okno.lastTitle, "Robust adjustment error");
}

TEST(Tchyby, DefaultResetsEveryCounterButKeepsThePendingNotification) {
    Tchyby chyby;
    chyby.suroveMereniPocetChyb.smer = 3;
    chyby.suroveMereniPocetChyb.cislo_cil = "2";
    chyby.souradniceFixniPocetChyb.X = 1;
    chyby.souradniceTransformaceVstupPocetChyb.JePlny = true;
    chyby.souradniceMeritkoPocetChyb.zkresleni = 4;
    int32_t* const soucty[] = {
        &chyby.suroveMereniCekovyPocetChyb,     &chyby.souradniceTransformaceVstupCekovyPocetChyb,
        &chyby.souradniceFixniCekovyPocetChyb,  &chyby.souradniceMeritkoCekovyPocetChyb,
        &chyby.doplnekSmernikCekovyPocetChyb,   &chyby.doplnekDelkaCekovyPocetChyb,
        &chyby.doplnekPrevyseniCekovyPocetChyb, &chyby.doplnekProvazeniCekovyPocetChyb};
    for (int32_t* s : soucty) *s = 7;
    chyby.Oznameni(9);
    chyby.Nehlasit();

    chyby.Default();

    for (const int32_t* s : soucty) EXPECT_EQ(*s, 0);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.smer, -1);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.poradi, 0);
    EXPECT_TRUE(chyby.suroveMereniPocetChyb.cislo_cil.empty());
    for (const Tbod* b :
         {&chyby.souradniceFixniPocetChyb, &chyby.souradniceTransformaceVstupPocetChyb,
          &chyby.souradniceMeritkoPocetChyb}) {
        EXPECT_EQ(b->X, 0);
        EXPECT_EQ(b->Presnost().sig_X, -1);
        EXPECT_EQ(b->zkresleni, -1);
        EXPECT_FALSE(b->JePlny);
    }
    EXPECT_EQ(chyby.cisloOznameni, 9);
    EXPECT_TRUE(chyby.vypnoutHlaseni);
}

}  // namespace
}  // namespace vertano
