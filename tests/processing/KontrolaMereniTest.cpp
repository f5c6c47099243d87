#include <gtest/gtest.h>

#include "mereni/Jednotky.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/Polohy.h"
#include "processing/SkupinyTestPomocne.h"
#include "processing/Uhly.h"

namespace vertano {
namespace {

using namespace testskupiny;
using V = std::vector<int32_t>;
using B = std::vector<bool>;

constexpr Real kNadMez = 3e-15L;  // beyond the 1e-15 slack of the tolerance test

// `pocet` sets of targets A and B on station `poradi`: I: A, B; II: B, A.
Tmereni Sady(int pocet, int32_t poradi = 1) {
    Tmereni m;
    for (int s = 0; s < pocet; ++s) {
        m.PridejZaznam(PrvniPoloha(poradi, "A", 10));
        m.PridejZaznam(PrvniPoloha(poradi, "B", 50));
        m.PridejZaznam(DruhaPoloha(poradi, "B", 50));
        m.PridejZaznam(DruhaPoloha(poradi, "A", 10));
    }
    return m;
}

// Identifies the sets and runs a fresh check of every row with the settings.
void Zkontrolovat(Tmereni& m, const Tnastaveni& n) {
    Tchyby chyby;
    KontrolaVsehoMereni(m, n, chyby);
}

B Priznak(const Tmereni& m, int k) {
    B v;
    for (const auto& z : m.zaznam) v.push_back(z.kontrola[static_cast<size_t>(k)]);
    return v;
}

TEST(KontrolaPoloh, DirectionZenithAndDistanceAtTheirLimits) {
    const Tnastaveni n = VychoziNastaveni();
    const nastaveni::Tmez& mez = n.mezPoloha;
    for (const Real navic : {Real{0}, kNadMez}) {
        Tmereni m = Sady(1);
        Tzaznam& a2 = m.zaznam[3];  // face II of A, paired with row 0
        a2.smer = m.zaznam[0].smer + kPi + mez.rozdil_smer + navic;
        a2.zenit = kDvePi - m.zaznam[0].zenit - mez.rozdil_zenit - navic;
        a2.delka = m.zaznam[0].delka + mez.rozdil_delka + navic * 100;
        Zkontrolovat(m, n);
        const bool nad = navic != 0;
        for (const int k :
             {kontrola::kPolohaSmer, kontrola::kPolohaZenit, kontrola::kPolohaDelka}) {
            EXPECT_EQ(Priznak(m, k), (B{nad, false, false, nad})) << k << " " << nad;
            EXPECT_EQ(m.kontrola[static_cast<size_t>(k)], nad ? 2 : 0) << k;
        }
    }
}

TEST(KontrolaPoloh, TargetHeightDiffersBetweenFaces) {
    Tmereni m = Sady(1);
    m.zaznam[0].vyska_cil = 1.500L;
    m.zaznam[3].vyska_cil = 1.501L;
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_EQ(Priznak(m, kontrola::kPolohaVyskaCil), (B{true, false, false, true}));
    EXPECT_EQ(m.kontrola[kontrola::kPolohaVyskaCil], 2);
    m.zaznam[3].vyska_cil = 1.500L + 0.5e-15L;  // arithmetic noise is no difference
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_FALSE(ObsahujeKontrolu(m, kontrola::kPolohaVyskaCil));
    m.zaznam[3].vyska_cil = 1.500L + kNadMez;
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_EQ(m.kontrola[kontrola::kPolohaVyskaCil], 2);
}

TEST(KontrolaPoloh, DistanceInOneFaceOnly) {
    Tmereni m = Sady(1);
    m.zaznam[0].delka = 0;  // only face II of A has a distance
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_EQ(Priznak(m, kontrola::kDelkaVJednePoloze), (B{true, false, false, true}));
    EXPECT_EQ(Priznak(m, kontrola::kPolohaDelka), (B{false, false, false, false}));
    m.zaznam[3].delka = 0;  // neither face: nothing to report
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_FALSE(ObsahujeKontrolu(m, kontrola::kDelkaVJednePoloze));
}

TEST(KontrolaPoloh, DistanceFlagGoesWhenThePairLosesADistance) {
    Tmereni m = Sady(1);
    m.zaznam[3].delka = 101;
    Zkontrolovat(m, VychoziNastaveni());
    ASSERT_EQ(Priznak(m, kontrola::kPolohaDelka), (B{true, false, false, true}));
    m.zaznam[3].delka = 0;
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_EQ(Priznak(m, kontrola::kPolohaDelka), (B{false, false, false, false}));
    EXPECT_EQ(m.kontrola[kontrola::kPolohaDelka], 0);
    EXPECT_EQ(m.kontrola[kontrola::kDelkaVJednePoloze], 2);
}

TEST(KontrolaPoloh, RowLeavingItsSetLosesItsFaceFlags) {
    Tmereni m = Sady(1);
    m.zaznam[3].smer += Gon(1);
    Zkontrolovat(m, VychoziNastaveni());
    ASSERT_TRUE(m.zaznam[3].kontrola[kontrola::kPolohaSmer]);
    m.zaznam[3].cislo_cil = "C";  // the set is gone
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_FALSE(ObsahujeKontrolu(m, kontrola::kPolohaSmer));
    EXPECT_EQ(m.kontrola[kontrola::kCilJeStanovisko], 4);  // rows outside sets
}

// Three sets of the pointing to A; each set gives both faces the same values.
Tmereni TriSady(const Real (&smer)[3], const Real (&zenit)[3], const Real (&delka)[3],
                const Real (&vyska)[3]) {
    Tmereni m = Sady(3);
    for (size_t s = 0; s < 3; ++s) {
        Tzaznam& i = m.zaznam[4 * s];
        Tzaznam& ii = m.zaznam[4 * s + 3];
        i.smer = Gon(smer[s]);
        ii.smer = Normalise(Gon(smer[s] + 200));
        i.zenit = Gon(zenit[s]);
        ii.zenit = Gon(400 - zenit[s]);
        i.delka = ii.delka = delka[s];
        i.vyska_cil = ii.vyska_cil = vyska[s];
    }
    return m;
}

B RadkyA(const Tmereni& m, int k) {
    const B v = Priznak(m, k);
    return {v[0], v[3], v[4], v[7], v[8], v[11]};
}

TEST(KontrolaSkupin, DirectionAgainstBothExtremes) {
    Tmereni m = TriSady({10.0000L, 10.0010L, 10.0025L}, {100, 100, 100}, {100, 100, 100},
                        {1.5L, 1.5L, 1.5L});
    Tnastaveni n = VychoziNastaveni();
    n.mezSkupina.rozdil_smer = Gon(0.0020L);
    Zkontrolovat(m, n);
    EXPECT_EQ(RadkyA(m, kontrola::kSkupinaSmer), (B{true, true, false, false, true, true}));
    EXPECT_EQ(m.kontrola[kontrola::kSkupinaSmer], 4);
    EXPECT_FALSE(ObsahujeKontrolu(m, kontrola::kPolohaSmer));
}

TEST(KontrolaSkupin, DirectionsOnBothSidesOfZero) {
    Tmereni m = TriSady({399.9997L, 0.0001L, 0.0003L}, {100, 100, 100}, {100, 100, 100},
                        {1.5L, 1.5L, 1.5L});
    Tnastaveni n = VychoziNastaveni();
    n.mezSkupina.rozdil_smer = Gon(0.0005L);
    Zkontrolovat(m, n);
    EXPECT_EQ(RadkyA(m, kontrola::kSkupinaSmer), (B{true, true, false, false, true, true}));
}

TEST(KontrolaSkupin, ZenithDistanceAndTargetHeight) {
    Tmereni m = TriSady({10, 10, 10}, {100, 100.005L, 100.012L}, {100, 100.03L, 100.06L},
                        {1.5L, 1.5L, 1.6L});
    Tnastaveni n = VychoziNastaveni();
    n.mezSkupina.rozdil_zenit = Gon(0.010L);
    n.mezSkupina.rozdil_delka = 0.05L;
    Zkontrolovat(m, n);
    EXPECT_EQ(RadkyA(m, kontrola::kSkupinaZenit), (B{true, true, false, false, true, true}));
    EXPECT_EQ(RadkyA(m, kontrola::kSkupinaDelka), (B{true, true, false, false, true, true}));
    EXPECT_EQ(RadkyA(m, kontrola::kSkupinaVyskaCil), B(6, true));
    EXPECT_EQ(m.kontrola[kontrola::kSkupinaVyskaCil], 6);
    // B is the same in every set.
    const B b = Priznak(m, kontrola::kSkupinaVyskaCil);
    EXPECT_FALSE(b[1] || b[2] || b[5] || b[6] || b[9] || b[10]);
}

TEST(KontrolaSkupin, LimitsAreInclusive) {
    const Tnastaveni n = VychoziNastaveni();
    const nastaveni::Tmez& mez = n.mezSkupina;
    for (const Real navic : {Real{0}, kNadMez}) {
        // Set 2 of A differs from set 1 by the limit (plus a little) in every
        // quantity, in both faces alike.
        Tmereni m = Sady(2);
        Tzaznam& i = m.zaznam[4];
        Tzaznam& ii = m.zaznam[7];
        i.smer = m.zaznam[0].smer + mez.rozdil_smer + navic;
        ii.smer = i.smer + kPi;
        i.zenit = m.zaznam[0].zenit + mez.rozdil_zenit + navic;
        ii.zenit = kDvePi - i.zenit;
        i.delka = ii.delka = m.zaznam[0].delka + mez.rozdil_delka + navic * 100;
        i.vyska_cil = ii.vyska_cil = m.zaznam[0].vyska_cil + navic;
        Zkontrolovat(m, n);
        const int32_t ocekavano = navic != 0 ? 4 : 0;  // rows 0, 3, 4, 7
        for (const int k : {10, 11, 12, 13}) {
            EXPECT_EQ(m.kontrola[static_cast<size_t>(k)], ocekavano) << k;
        }
        for (const int k : {6, 7, 8, 9, 14}) EXPECT_EQ(m.kontrola[static_cast<size_t>(k)], 0) << k;
    }
}

TEST(KontrolaSkupin, DistanceOnlyAmongRowsThatHaveOne) {
    Tmereni m = TriSady({10, 10, 10}, {100, 100, 100}, {100, 0, 100.06L}, {1.5L, 1.5L, 1.5L});
    Zkontrolovat(m, VychoziNastaveni());  // 50 mm limit
    EXPECT_EQ(RadkyA(m, kontrola::kSkupinaDelka), (B{true, true, false, false, true, true}));
    Tmereni jedna = TriSady({10, 10, 10}, {100, 100, 100}, {0, 0, 100}, {1.5L, 1.5L, 1.5L});
    Zkontrolovat(jedna, VychoziNastaveni());
    EXPECT_FALSE(ObsahujeKontrolu(jedna, kontrola::kSkupinaDelka));
}

TEST(KontrolaSkupin, PointingInOneSetOnlyIsNeverCompared) {
    Tmereni m = Sady(2);
    m.zaznam[4].cislo_cil = m.zaznam[7].cislo_cil = "C";  // set 2: C and B
    m.zaznam[4].vyska_cil = m.zaznam[7].vyska_cil = 1.9L;
    m.zaznam[4].smer = Gon(33);
    m.zaznam[7].smer = Gon(233);
    Zkontrolovat(m, VychoziNastaveni());
    ASSERT_EQ(Skupiny(m), (V{1, 1, 1, 1, 2, 2, 2, 2}));
    for (const int k : {10, 11, 12, 13}) EXPECT_FALSE(ObsahujeKontrolu(m, k)) << k;
}

TEST(KontrolaHodnot, EachValueAgainstItsRange) {
    const Tnastaveni n = VychoziNastaveni();
    const nastaveni::Tmez& mez = n.mezHodnota;
    struct Pripad {
        int priznak;
        void (*uprav)(Tzaznam&, const nastaveni::Tmez&);
        bool ocekavano;
    };
    const Pripad pripady[] = {
        {0, [](Tzaznam& z, const nastaveni::Tmez&) { z.cislo_cil = z.cislo_stn; }, true},
        {0, [](Tzaznam& z, const nastaveni::Tmez&) { z.cislo_cil = "s1"; }, false},
        {1, [](Tzaznam& z, const nastaveni::Tmez& l) { z.vyska_stn = l.hodnota_vyskaSTN; }, false},
        {1, [](Tzaznam& z, const nastaveni::Tmez& l) { z.vyska_stn = l.hodnota_vyskaSTN + 1e-9L; },
         true},
        {1, [](Tzaznam& z, const nastaveni::Tmez&) { z.vyska_stn = 0; }, false},
        {1, [](Tzaznam& z, const nastaveni::Tmez&) { z.vyska_stn = -0.001L; }, true},
        {2, [](Tzaznam& z, const nastaveni::Tmez& l) { z.vyska_cil = l.hodnota_vyskaCIL; }, false},
        {2, [](Tzaznam& z, const nastaveni::Tmez& l) { z.vyska_cil = l.hodnota_vyskaCIL + 1e-9L; },
         true},
        {3, [](Tzaznam& z, const nastaveni::Tmez&) { z.smer = 0; }, false},
        {3, [](Tzaznam& z, const nastaveni::Tmez&) { z.smer = kDvePi; }, true},
        {3, [](Tzaznam& z, const nastaveni::Tmez&) { z.smer = -1e-12L; }, true},
        {4, [](Tzaznam& z, const nastaveni::Tmez&) { z.zenit = kDvePi; }, true},
        {4, [](Tzaznam& z, const nastaveni::Tmez&) { z.zenit = -1e-12L; }, true},
        {5, [](Tzaznam& z, const nastaveni::Tmez& l) { z.delka = l.hodnota_delka; }, false},
        {5, [](Tzaznam& z, const nastaveni::Tmez& l) { z.delka = l.hodnota_delka + 1e-9L; }, true},
        {5, [](Tzaznam& z, const nastaveni::Tmez&) { z.delka = -0.5L; }, true},
    };
    for (const Pripad& p : pripady) {
        Tmereni m = Seznam({PrvniPoloha(1, "A")});
        p.uprav(m.zaznam[0], mez);
        KontrolaHodnot(m, 0, 0, n);
        EXPECT_EQ(m.zaznam[0].kontrola[static_cast<size_t>(p.priznak)], p.ocekavano)
            << "flag " << p.priznak;
        int jinych = 0;
        for (int k = 0; k < 6; ++k) jinych += k != p.priznak && m.zaznam[0].kontrola[size_t(k)];
        EXPECT_EQ(jinych, 0) << "flag " << p.priznak;
    }
}

// 400 gon converts to a rounding step below 2pi, 360 deg to 2pi itself: both are
// the full circle and flagged alike, as the supplementary bearings are and as the
// writers treat them.
TEST(KontrolaHodnot, FullCircleIsOutsideInEveryAngleUnit) {
    const Tnastaveni n = VychoziNastaveni();
    const struct {
        const char* text;
        uint8_t jednotka;
        bool mimo;
    } pripady[] = {{"400", jednotka::kGon, true},       {"360", jednotka::kStupen, true},
                   {"360", jednotka::kDms, true},       {"399.9999", jednotka::kGon, false},
                   {"359.5959", jednotka::kDms, false}, {"0", jednotka::kGon, false}};
    for (const auto& p : pripady) {
        Tmereni m = Seznam({PrvniPoloha(1, "A")});
        Real uhel = -1;
        ASSERT_EQ(ParseAngle(p.text, p.jednotka, uhel), NumberStatus::Ok);
        m.zaznam[0].smer = uhel;
        m.zaznam[0].zenit = uhel;
        KontrolaHodnot(m, 0, 0, n);
        EXPECT_EQ(m.zaznam[0].kontrola[kontrola::kSmer], p.mimo) << p.text;
        EXPECT_EQ(m.zaznam[0].kontrola[kontrola::kZenit], p.mimo) << p.text;
    }
}

TEST(SpocitatKontroly, CountingRules) {
    Tmereni m = Sady(1);
    m.PridejMereniBezZmen(Sady(1, 2));
    m.PridejZaznam(PrvniPoloha(2, "X"));  // outside a set
    m.PridejPrazdnyZaznam();              // empty rows never count
    m.zaznam.back().kontrola[3] = true;
    for (auto& z : m.zaznam) z.skupina = z.JePlny() ? 1 : 0;
    m.zaznam[8].skupina = 0;
    m.zaznam[8].kontrola[0] = true;  // counts twice: outside a set and flag 0
    m.zaznam[1].kontrola[0] = true;
    // Instrument height: once per station, whichever row holds it.
    m.zaznam[2].kontrola[1] = true;
    m.zaznam[3].kontrola[1] = true;
    m.zaznam[7].kontrola[1] = true;
    m.zaznam[0].kontrola[7] = m.zaznam[3].kontrola[7] = true;
    m.zaznam[5].kontrola[11] = true;
    m.zaznam[6].kontrola[14] = true;
    SpocitatKontroly(m);
    EXPECT_EQ(m.kontrola[0], 3);
    EXPECT_EQ(m.kontrola[1], 2);
    EXPECT_EQ(m.kontrola[3], 0);
    EXPECT_EQ(m.kontrola[7], 2);
    EXPECT_EQ(m.kontrola[11], 1);
    EXPECT_EQ(m.kontrola[14], 1);

    Tchyby chyby;
    ZapsatPocetChyb(m, chyby);
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 9);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.cislo_cil, "3");
    EXPECT_EQ(chyby.suroveMereniPocetChyb.vyska_stn, 2);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.vyska_cil, 0);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.smer, 3);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.zenit, 0);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.delka, 1);
}

TEST(KontrolaMereni, InstrumentHeightCountsOncePerStation) {
    Tmereni m = Sady(2);
    m.PridejMereniBezZmen(Sady(1, 2));
    for (auto& z : m.zaznam) z.vyska_stn = 2.5L;
    m.zaznam[8].vyska_stn = 1.6L;  // the first row of station 2 is fine, the rest not
    Zkontrolovat(m, VychoziNastaveni());
    EXPECT_EQ(m.kontrola[kontrola::kVyskaStn], 2);
}

TEST(KontrolaMereni, OffSwitchChangesNothingUnlessForced) {
    Tmereni m = Sady(1);
    IdentifikujSkupiny(m);
    m.zaznam[3].smer += Gon(1);
    Tnastaveni n = VychoziNastaveni();
    n.prepinac.prehledChyb = false;
    Tchyby chyby;
    chyby.suroveMereniCekovyPocetChyb = 42;
    KontrolaMereni(m, n, chyby, false);
    EXPECT_FALSE(ObsahujeKontrolu(m, kontrola::kPolohaSmer));
    EXPECT_EQ(m.zaznam[0].zapracovaniPoloha[redukce::kRozdilSmer], -1);
    EXPECT_FALSE(m.zaznam[0].jeZkontrolovano);
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 42);

    KontrolaMereni(m, n, chyby, true);
    EXPECT_EQ(Priznak(m, kontrola::kPolohaSmer), (B{true, false, false, true}));
    EXPECT_NEAR(static_cast<double>(m.zaznam[3].zapracovaniPoloha[redukce::kRozdilSmer] - Gon(1)),
                0, 1e-15);
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 2);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.smer, 2);
    for (const auto& z : m.zaznam) EXPECT_TRUE(z.jeZkontrolovano);
}

TEST(KontrolaMereni, OnlyStationsWithUncheckedRowsAreChecked) {
    Tmereni m = Sady(1);
    m.PridejMereniBezZmen(Sady(1, 2));
    const Tnastaveni n = VychoziNastaveni();
    Tchyby chyby;
    IdentifikujSkupiny(m);
    KontrolaMereni(m, n, chyby, false);
    m.zaznam[0].cislo_cil = m.zaznam[0].cislo_stn;  // changed without marking station 1
    m.zaznam[4].cislo_cil = m.zaznam[4].cislo_stn;
    m.zaznam[5].jeZkontrolovano = false;  // station 2 is marked
    KontrolaMereni(m, n, chyby, false);
    EXPECT_FALSE(m.zaznam[0].kontrola[0]);
    EXPECT_TRUE(m.zaznam[4].kontrola[0]);
    EXPECT_EQ(m.kontrola[0], 1);
}

TEST(KontrolaOdvozenehoMereni, SetAndValueChecksOnFaceMeans) {
    Tmereni surova = Sady(2);
    surova.zaznam[4].smer += Gon(0.03L);  // set 2 of A, face I and face II together
    surova.zaznam[7].smer += Gon(0.03L);
    surova.zaznam[0].cislo_stn = "A";
    IdentifikujSkupiny(surova);
    Tmereni prumery;
    ASSERT_TRUE(ZpracujSkupinyPoloha(surova, prumery, 2));
    for (auto& z : prumery.zaznam) z.jeZkontrolovano = false;
    KontrolaOdvozenehoMereni(prumery, VychoziNastaveni());
    EXPECT_EQ(Priznak(prumery, kontrola::kSkupinaSmer), (B{true, false, true, false}));
    EXPECT_EQ(prumery.kontrola[kontrola::kSkupinaSmer], 2);
    EXPECT_EQ(prumery.kontrola[kontrola::kCilJeStanovisko], 1);
    for (const auto& z : prumery.zaznam) EXPECT_FALSE(z.jeZkontrolovano);
}

TEST(ChybneZaznamy, ListsRowsOutsideSetsAndFlaggedRows) {
    Tmereni m = Sady(1);
    m.PridejZaznam(PrvniPoloha(1, "X"));
    m.zaznam[1].vyska_cil = 3;
    m.zaznam[2].vyska_cil = 3;
    Zkontrolovat(m, VychoziNastaveni());
    const std::vector<ChybnyZaznam> chybne = ChybneZaznamy(m);
    ASSERT_EQ(chybne.size(), 3u);
    EXPECT_EQ(chybne[0].index, 1);
    EXPECT_EQ(chybne[0].priznaky, (std::vector<int>{kontrola::kVyskaCil}));
    EXPECT_FALSE(chybne[0].mimoSkupinu);
    EXPECT_EQ(chybne[2].index, 4);
    EXPECT_TRUE(chybne[2].mimoSkupinu);
    EXPECT_TRUE(chybne[2].priznaky.empty());
    EXPECT_TRUE(ObsahujeKontrolu(m, kontrola::kVyskaCil));
    EXPECT_FALSE(ObsahujeKontrolu(m, 15));
    EXPECT_FALSE(ObsahujeKontrolu(m, -1));
}

}  // namespace
}  // namespace vertano
