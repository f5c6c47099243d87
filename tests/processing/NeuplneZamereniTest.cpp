#include <gtest/gtest.h>

#include <cmath>

#include "data/Tchyby.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/PrumerSkupin.h"
#include "processing/RedukceDelek.h"
#include "processing/SkupinyTestPomocne.h"

namespace vertano {
namespace {

using namespace testskupiny;

Tzaznam BezZenitu(Tzaznam z) {
    z.bezZenitu = true;
    z.zenit = 0;
    return z;
}

Tzaznam BezSmeru(Tzaznam z) {
    z.bezSmeru = true;
    z.smer = 0;
    return z;
}

// A set of A and B in both faces; B's face II row lacks its zenith angle and
// its direction, A was sighted without a zenith angle in both faces.
Tmereni SadaSChybejicimi() {
    Tzaznam aII = BezZenitu(DruhaPoloha(1, "A", 10.0020L));
    aII.poloha = false;
    return Seznam({BezZenitu(PrvniPoloha(1, "A", 10)), Radek(1, "B", 50, 99, 80),
                   BezSmeru(BezZenitu(Radek(1, "B", 250, 301, 80.01L))), aII});
}

TEST(IncompletePointingsProcessing, SetsFaceMeansAndChecksUseTheValuesThatExist) {
    Tmereni m = SadaSChybejicimi();
    IdentifikaceSkupinNaStanovisku(m, 0, 3);
    EXPECT_EQ(Skupiny(m), (std::vector<int32_t>{1, 1, 1, 1}));
    EXPECT_EQ(Polohy(m), (std::vector<bool>{true, true, false, false}));

    Tnastaveni n = VychoziNastaveni();
    n.prepinac.prehledChyb = true;
    Tchyby chyby;
    KontrolaMereni(m, n, chyby, false);
    for (const Tzaznam& z : m.zaznam) {
        // Neither the missing zenith angles nor B's missing face II direction is a
        // face difference.
        EXPECT_FALSE(z.kontrola[kontrola::kPolohaZenit]) << z.cislo_cil;
        EXPECT_FALSE(z.kontrola[kontrola::kPolohaSmer]) << z.cislo_cil;
        EXPECT_FALSE(z.kontrola[kontrola::kSmer]) << z.cislo_cil;
        EXPECT_FALSE(z.kontrola[kontrola::kZenit]) << z.cislo_cil;
    }
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].zapracovaniPoloha[redukce::kRozdilSmer]),
                static_cast<double>(Gon(0.0020L)), 1e-12);

    Tmereni polohy;
    ASSERT_TRUE(ZpracujSkupinyPoloha(m, polohy, 2));
    ASSERT_EQ(polohy.zaznam.size(), 2u);
    const Tzaznam& a = polohy.zaznam[0];
    EXPECT_TRUE(a.MaSmer());
    EXPECT_FALSE(a.MaZenit());
    EXPECT_NEAR(static_cast<double>(a.smer), static_cast<double>(Gon(10.0010L)), 1e-12);
    const Tzaznam& b = polohy.zaznam[1];
    EXPECT_TRUE(b.MaSmer() && b.MaZenit());
    EXPECT_NEAR(static_cast<double>(b.smer), static_cast<double>(Gon(50)), 1e-12);  // face I
    EXPECT_NEAR(static_cast<double>(b.zenit), static_cast<double>(Gon(99)), 1e-12);
    EXPECT_NEAR(static_cast<double>(b.delka), 80.005, 1e-9);
}

TEST(IncompletePointingsProcessing, SetMeansAverageOnlyWhatWasMeasured) {
    Tzaznam a1 = BezZenitu(Radek(1, "A", 10, 100, 0));
    a1.skupina = 1;
    Tzaznam a2 = Radek(1, "A", 10.0020L, 98, 0);
    a2.skupina = 2;
    Tzaznam a3 = BezSmeru(Radek(1, "A", 0, 98.0010L, 55));
    a3.skupina = 3;
    Tmereni m = Seznam({a1, a2, a3});
    ASSERT_TRUE(PrumerSkupin(m));
    ASSERT_EQ(m.zaznam.size(), 1u);
    const Tzaznam& z = m.zaznam[0];
    EXPECT_NEAR(static_cast<double>(z.smer), static_cast<double>(Gon(10.0010L)), 1e-12);
    EXPECT_NEAR(static_cast<double>(z.zenit), static_cast<double>(Gon(98.0005L)), 1e-12);
    EXPECT_EQ(z.vaha_smer, 2);
    EXPECT_EQ(z.vaha_zenit, 2);
    EXPECT_TRUE(z.MaSmer() && z.MaZenit());

    Tmereni jenSmer =
        Seznam({BezZenitu(Radek(1, "A", 10, 100, 0)), BezZenitu(Radek(1, "A", 10.0020L, 100, 0))});
    jenSmer.zaznam[1].skupina = 2;
    ASSERT_TRUE(PrumerSkupin(jenSmer));
    EXPECT_FALSE(jenSmer.zaznam[0].MaZenit());
    EXPECT_EQ(jenSmer.zaznam[0].zenit, 0);
}

TEST(IncompletePointingsProcessing, ReductionWithoutAZenithAngleTakesTheSlopeFromCoordinates) {
    Tbod s = Tbod::Prazdny();
    s.X = 0;
    s.Y = 0;
    s.Z = 300;
    s.zkresleni = 1;
    s.JePlny = true;
    Tbod c = s;
    c.X = 100;
    c.Z = 310;
    Tzaznam z = Radek(1, "C", 0, 0, std::hypot(100.0L, 10.0L), 1.5L);
    z.vyska_stn = 1.5L;
    z.bezZenitu = true;
    z.zenit = 0;
    Tzaznam se = z;
    se.bezZenitu = false;
    se.zenit = std::atan2(100.0L, 10.0L) + 100.0L / 6380000 / 2;
    ASSERT_TRUE(RedukovatZaznam(z, s, c, 0, 6380000));
    ASSERT_TRUE(RedukovatZaznam(se, s, c, 0, 6380000));
    EXPECT_FALSE(z.MaZenit());
    EXPECT_EQ(z.zenit, 0);
    EXPECT_NEAR(static_cast<double>(z.delka - se.delka), 0, 1e-9);

    Tzaznam smer = BezZenitu(Radek(1, "C", 10, 100, 0));
    ASSERT_TRUE(RedukovatZaznam(smer, s, c, 0, 6380000));
    EXPECT_EQ(smer.zenit, 0);
    EXPECT_GT(smer.zkresleniDelky, 0);
}

TEST(RepeatedPointings, StayInTheirSetAndAreCheckedAsRepeats) {
    // I: A B C A, II: A C B A - the round closed on its first target.
    Tmereni m = Seznam({PrvniPoloha(1, "A", 10), PrvniPoloha(1, "B", 50), PrvniPoloha(1, "C", 90),
                        PrvniPoloha(1, "A", 10.0100L), DruhaPoloha(1, "A", 10.0100L),
                        DruhaPoloha(1, "C", 90), DruhaPoloha(1, "B", 50), DruhaPoloha(1, "A", 10)});
    IdentifikaceSkupinNaStanovisku(m, 0, 7);
    EXPECT_EQ(Skupiny(m), (std::vector<int32_t>(8, 1)));
    Tnastaveni n = VychoziNastaveni();
    n.prepinac.prehledChyb = true;
    n.mezSkupina.rozdil_smer = Gon(0.0020L);
    Tchyby chyby;
    KontrolaMereni(m, n, chyby, false);
    // The two pointings of A differ by 10 mgon: both are flagged as set differences.
    EXPECT_TRUE(m.zaznam[0].kontrola[kontrola::kSkupinaSmer]);
    EXPECT_TRUE(m.zaznam[3].kontrola[kontrola::kSkupinaSmer]);
    EXPECT_FALSE(m.zaznam[1].kontrola[kontrola::kSkupinaSmer]);

    Tmereni polohy;
    ASSERT_TRUE(ZpracujSkupinyPoloha(m, polohy, 2));
    EXPECT_EQ(Cile(polohy), (std::vector<std::string>{"A", "B", "C", "A"}));
    ASSERT_TRUE(PrumerSkupin(polohy));
    ASSERT_EQ(Cile(polohy), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_NEAR(static_cast<double>(polohy.zaznam[0].smer), static_cast<double>(Gon(10.0050L)),
                1e-12);
    EXPECT_EQ(polohy.zaznam[0].vaha_smer, 2);

    // One target repeated alone is still no set.
    Tmereni jeden = Seznam(
        {PrvniPoloha(1, "A"), PrvniPoloha(1, "A"), DruhaPoloha(1, "A"), DruhaPoloha(1, "A")});
    IdentifikaceSkupinNaStanovisku(jeden, 0, 3);
    EXPECT_EQ(Skupiny(jeden), (std::vector<int32_t>(4, 0)));
}

TEST(SwitchedOffRows, HoldNoAnalysisBackButKeepTheirPlace) {
    // B's face II reading is 50 mgon off; a stray row D is outside the set.
    Tmereni m = Seznam({PrvniPoloha(1, "A"), PrvniPoloha(1, "B", 50), DruhaPoloha(1, "B", 50.05L),
                        DruhaPoloha(1, "A"), PrvniPoloha(1, "D", 70)});
    Tnastaveni n = VychoziNastaveni();
    n.prepinac.prehledChyb = true;
    Tchyby chyby;
    IdentifikaceSkupinNaStanovisku(m, 0, 4);
    KontrolaMereni(m, n, chyby, false);
    EXPECT_GT(chyby.suroveMereniCekovyPocetChyb, 0);
    m.zaznam[2].jeVyrazeno = true;
    m.zaznam[4].jeVyrazeno = true;
    for (Tzaznam& z : m.zaznam) z.jeZkontrolovano = false;
    IdentifikaceSkupinNaStanovisku(m, 0, 4);
    KontrolaMereni(m, n, chyby, false);
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 0);
    EXPECT_EQ(Skupiny(m), (std::vector<int32_t>{1, 1, 1, 1, 0}));
    EXPECT_FALSE(m.zaznam[1].kontrola[kontrola::kPolohaSmer]);
}

}  // namespace
}  // namespace vertano
