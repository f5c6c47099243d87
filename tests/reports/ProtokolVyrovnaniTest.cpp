// The assembly of the network adjustment report: which parts and sections it
// writes under which switches, the basic information, and all or nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "reports/OddilyProtokolu.h"
#include "reports/ProtokolVyrovnani.h"

namespace vertano {
namespace {

class Sestaveni : public ::testing::Test {
  protected:
    Sestaveni() {
        n.Default();
        n.typJazyk = 1;
        j.Default(n);
    }
    bool Postav() {
        bool vytvoreno = false;
        const VstupProtokoluVyrovnani v{n,         j,       surova,  kamen, vyrovnani, fixni,
                                        priblizne, meritko, doplnek, vahy,  vyrovnany, odlehly};
        const bool ok = zapsatVyrovnani(
            p, v, [] { return CasProtokolu{2026, 1, 2, 3, 4, 5}; }, vytvoreno, &duvod);
        EXPECT_EQ(ok, vytvoreno);
        return ok;
    }
    bool Obsahuje(const std::string& zacatek) const {
        const std::vector<std::string> r = p.Radky();
        return std::any_of(r.begin(), r.end(),
                           [&](const std::string& s) { return s.rfind(zacatek, 0) == 0; });
    }
    std::string Hodnota(const std::string& popis) const {
        for (const std::string& s : p.Radky())
            if (s.rfind(popis, 0) == 0) return s.substr(s.find_first_not_of(' ', popis.size()));
        return "<none>";
    }

    Tnastaveni n;
    Tjazyk j;
    Tmereni surova, kamen, vyrovnani;
    Tsouradnice fixni, priblizne, meritko;
    TdoplnkoveMereni doplnek;
    Tvahy vahy;
    TmodelSite vyrovnany, odlehly;
    Tprotokol p;
    std::string duvod;
};

TEST_F(Sestaveni, AllSwitchesOffGiveTheHeaderOnly) {
    ZadneOddily(n.protokol);
    ASSERT_TRUE(Postav());
    EXPECT_EQ(p.text.size(), 3u);
    // Nor does the outlier switch alone when no rejection ran.
    n.protokol.odlehleVyr = true;
    ASSERT_TRUE(Postav());
    EXPECT_EQ(p.text.size(), 3u);
}

TEST_F(Sestaveni, APartHeaderStandsEvenWhenItsSectionsAreEmpty) {
    ZadneOddily(n.protokol);
    n.protokol.sourPredVyr = true;
    n.protokol.vnitrniPresnost = true;
    ASSERT_TRUE(Postav());
    EXPECT_TRUE(Obsahuje("Protocol B - Measurement analysis"));
    EXPECT_TRUE(Obsahuje("Created: 2026-01-02 03:04:05"));
    EXPECT_EQ(p.text.size(), 8u);
}

TEST_F(Sestaveni, BasicInformationCountsAPlumbingTieOnce) {
    ZadneOddily(n.protokol);
    n.protokol.infoVyr = true;
    // 20 directions and 3 plumbing ties (6 equations), nothing rejected.
    for (TmodelSite* m : {&vyrovnany, &odlehly}) {
        Stav(*m).pocetMereni = 26;
        Stav(*m).pocetSmer = 20;
        Stav(*m).doplnek.pocetProvazeni = 3;
        Stav(*m).odchylkaJednotkovaAprior = 1;
        Stav(*m).odchylkaJednotkovaAposterior = 0.8765L;
    }
    Stav(vyrovnany).probehloVylouceniOdlehlych = true;
    Stav(odlehly).pocetSmerOdlehly = 0;
    Stav(odlehly).doplnek.pocetProvazeniOdlehly = 0;
    Stav(odlehly).smer.PridejZaznam(TmerenaVelicina::Prazdny());
    Stav(odlehly).smer.zaznam[0].jePlny = true;
    n.prepinac.vylucovatZenit = false;
    n.vyrovnani.rizikoOdlehlost = 0.1L;
    ASSERT_TRUE(Postav());
    EXPECT_EQ(Hodnota("Number of rejected outliers:"), "0/23 [0.000]");
    EXPECT_EQ(Hodnota("Significance level:"), "0.1");
    EXPECT_EQ(Hodnota("Horizontal direction:"), "0/20 [0.000]");
    EXPECT_EQ(Hodnota("Zenith angle:"), "-");  // its switch is off
    EXPECT_EQ(Hodnota("Vertical plumbing (X + Y):"), "3 (6)");
    EXPECT_EQ(Hodnota("A posteriori unit standard deviation:"), "0.877");
}

TEST_F(Sestaveni, AFailureLeavesNoReport) {
    n.protokol.sourVyr = true;
    Tbod b = Tbod::Prazdny();
    b.cislo = "1";
    b.JePlny = true;
    b.X = std::numeric_limits<Real>::quiet_NaN();
    Stav(vyrovnany).souradnice.PridejBod(b);
    p.Pridej("an old report");
    EXPECT_FALSE(Postav());
    EXPECT_TRUE(p.text.empty());
    EXPECT_NE(duvod, "");
}

TEST_F(Sestaveni, SectionCodesChooseTheirSwitches) {
    nastaveni::Tprotokol s;
    EXPECT_TRUE(ZapnoutOddil("c-05", s));
    EXPECT_TRUE(s.merVyr);
    EXPECT_TRUE(ZapnoutOddil("B", s));
    EXPECT_TRUE(s.mereniKamen && s.vnejsiPresnost && !s.suroveMereni);
    EXPECT_FALSE(ZapnoutOddil("C-06", s));
    EXPECT_FALSE(ZapnoutOddil("", s));
    VsechnyOddily(s);
    EXPECT_TRUE(s.suroveMereni && s.odlehleVyr);
    EXPECT_EQ(s.merVyrPresnost, 2);
    // The transformation reports have their codes too (D, E).
    EXPECT_TRUE(s.sourTransSVyr && s.elipTransBodSm);
    EXPECT_EQ(s.sourTransSVyrPresnost, 2);
    ZadneOddily(s);
    EXPECT_TRUE(ZapnoutOddil("d", s));
    EXPECT_TRUE(s.bodyIdentTransSVyr && s.elipTransSVyr && !s.bodyIdentTransBodSm);
    EXPECT_TRUE(JeKodPridanychSouboru(" f "));
    EXPECT_FALSE(ZapnoutOddil("F", s));
}

}  // namespace
}  // namespace vertano
