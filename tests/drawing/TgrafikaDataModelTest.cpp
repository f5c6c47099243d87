#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>

#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "data/Tnastaveni.h"
#include "drawing/TgrafikaData.h"
#include "matice/Konstanty.h"
#include "supplementary/TdoplnkoveMereni.h"
#include "support/SyntetickaSit.h"

namespace vertano {
namespace {

using test::SyntetickaSit;

void PridejDoplnek(Tmereni& seznam, const std::string& stn, const std::string& cil, Real hodnota) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = static_cast<int32_t>(seznam.zaznam.size()) + 1;
    z.cislo_stn = stn;
    z.cislo_cil = cil;
    z.delka = hodnota;  // every supplementary kind keeps its value here
    z.sig_delka = 0.003L;
    z.zkresleniDelky = 1;
    seznam.PridejZaznam(z);
}

// Fixed A, B; determined C, D and E (E plumbed below C, tied to it only by the
// plumbing tie, which the drawing has no count for). Exact set means, two sets.
// B -> D has no distance; A -> B carries only directions (both points fixed).
bool VyrovnanaSit(TmodelSite& model, SyntetickaSit& sit) {
    sit.Bod("A", 0, 0, 100);
    sit.Bod("B", 0, 300, 101);
    sit.Bod("C", 200, 150, 102);
    sit.Bod("D", 250, -50, 99);
    sit.Bod("E", 200, 150, 90);
    sit.Stanovisko("A", 0.4L);
    for (const char* c : {"B", "C", "D", "E"}) sit.Cil(c);
    sit.Stanovisko("B", 1.3L);
    sit.Cil("A");
    sit.Cil("C");
    sit.Cil("D", false);
    sit.Stanovisko("C", 2.9L);
    for (const char* c : {"A", "B", "D"}) sit.Cil(c);
    sit.Stanovisko("D", 5.1L);
    sit.Cil("C");
    sit.Cil("A");

    const Tbod b = sit.Skutecny("B"), c = sit.Skutecny("C"), d = sit.Skutecny("D");
    TdoplnkoveMereni doplnek;
    PridejDoplnek(doplnek.delka, "C", "D",
                  std::sqrt((d.X - c.X) * (d.X - c.X) + (d.Y - c.Y) * (d.Y - c.Y) +
                            (d.Z - c.Z) * (d.Z - c.Z)));
    PridejDoplnek(doplnek.smernik, "D", "B", std::atan2(b.Y - d.Y, b.X - d.X));  // in (0, pi)
    PridejDoplnek(doplnek.prevyseni, "A", "C", c.Z - 100);
    PridejDoplnek(doplnek.provazeni, "C", "E", 0);

    Tnastaveni nastaveni;
    nastaveni.Default();
    nastaveni.pocetVlaknaVse = 2;
    nastaveni.vyrovnani.odchylkaJednotkovaApriorni = 1;
    nastaveni.vyrovnani.maxPrirustek = 1e-7L;
    Tvahy vahy;
    vahy.Prazdny();
    vahy.smer.odchylka = vahy.zenit.odchylka = MgonNaRad(0.5L);
    vahy.delka.odchylka = 0.002L;
    vahy.odchylkaJednotkovaApriorni = 1;

    Tsouradnice priblizne = sit.Zadane({"C", "D", "E"}, false);
    for (Tbod& p : priblizne.bod) p.X += 0.02L;  // something to iterate
    if (!model.Nacist(sit.Mereni(2), priblizne, sit.Zadane({"A", "B"}), vahy, doplnek, nastaveni)) {
        return false;
    }
    model.ZacitIterace();
    for (bool znovu = true; znovu;) {
        if (!model.VyrovnatOpakovane(znovu)) return false;
    }
    return model.Vyhodnoceni();
}

TEST(TgrafikaDataModelTest, AdjustedNetworkGivesPointsEllipsesAndPairs) {
    TmodelSite model;
    SyntetickaSit sit;
    ASSERT_TRUE(VyrovnanaSit(model, sit)) << model.Vysledek().Chyba();
    TgrafikaData data;
    ASSERT_TRUE(data.NacistModel(model, true)) << data.chyba;

    ASSERT_EQ(data.pocetBodu, 5);
    ASSERT_EQ(data.body.size(), 5u);
    EXPECT_EQ(data.odchylkaJednotkovaAprior, 1);
    EXPECT_EQ(data.odchylkaJednotkovaAposterior, model.Vysledek().OdchylkaJednotkovaAposterior());
    std::map<std::string, int32_t> index;
    for (int32_t i = 0; i < 5; ++i) {
        const TgrafikaBod& g = data.body[static_cast<std::size_t>(i)];
        const Tbod& m = model.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
        SCOPED_TRACE(g.cislo);
        index[g.cislo] = i;
        EXPECT_EQ(g.cislo, m.cislo);
        EXPECT_EQ(g.JeFixni, g.cislo == "A" || g.cislo == "B");
        EXPECT_NEAR(g.X, sit.Skutecny(g.cislo).X, 1e-6L);
        EXPECT_NEAR(g.Y, sit.Skutecny(g.cislo).Y, 1e-6L);
        if (g.JeFixni) {
            EXPECT_EQ(g.a_delka, 0);
            EXPECT_EQ(g.b_delka, 0);
            EXPECT_EQ(g.a_smernik, 0);
        } else {
            EXPECT_GT(g.a_delka, 0);
            EXPECT_GE(g.a_delka, g.b_delka);
            EXPECT_EQ(g.a_delka, m.Presnost().elipsa.a_delka);
            EXPECT_EQ(g.b_delka, m.Presnost().elipsa.b_delka);
            EXPECT_EQ(g.a_smernik, m.Presnost().elipsa.a_smernik);
        }
    }
    EXPECT_FALSE(data.body[0].JeFixni);  // determined points come first

    const auto e = data.Extents();
    ASSERT_TRUE(e.has_value());
    EXPECT_NEAR(e->minX, 0, 1e-9L);
    EXPECT_NEAR(e->maxX, 250, 1e-6L);
    EXPECT_NEAR(e->minY, -50, 1e-6L);
    EXPECT_NEAR(e->maxY, 300, 1e-9L);

    // {delkaS, smer, zenit, smernik, delkaH, prevyseni}, two sets of every pointing.
    using Pocty = std::array<int32_t, 6>;
    const std::map<std::pair<std::string, std::string>, Pocty> ocekavane = {
        {{"A", "B"}, {0, 4, 0, 0, 0, 0}}, {{"A", "C"}, {4, 4, 4, 0, 0, 1}},
        {{"A", "D"}, {4, 4, 4, 0, 0, 0}}, {{"A", "E"}, {2, 2, 2, 0, 0, 0}},
        {{"B", "C"}, {4, 4, 4, 0, 0, 0}}, {{"B", "D"}, {0, 2, 2, 1, 0, 0}},
        {{"C", "D"}, {4, 4, 4, 0, 1, 0}}};
    ASSERT_EQ(data.pocetMereni, 7);
    ASSERT_EQ(data.mereni.size(), 7u);
    for (std::size_t j = 0; j < data.mereni.size(); ++j) {
        const TgrafikaZaznam& z = data.mereni[j];
        EXPECT_TRUE(z.JePlny);
        EXPECT_LT(z.iStn, z.iCil);
        if (j > 0) {
            const TgrafikaZaznam& p = data.mereni[j - 1];
            EXPECT_TRUE(p.iStn < z.iStn || (p.iStn == z.iStn && p.iCil < z.iCil));
        }
    }
    for (const auto& [dvojice, pocty] : ocekavane) {
        SCOPED_TRACE(dvojice.first + "-" + dvojice.second);
        const int32_t i = std::min(index[dvojice.first], index[dvojice.second]);
        const int32_t k = std::max(index[dvojice.first], index[dvojice.second]);
        const TgrafikaZaznam* z = nullptr;
        for (const TgrafikaZaznam& r : data.mereni) {
            if (r.iStn == i && r.iCil == k) z = &r;
        }
        ASSERT_NE(z, nullptr);
        EXPECT_EQ((Pocty{z->delkaS, z->smer, z->zenit, z->smernik, z->delkaH, z->prevyseni}),
                  pocty);
    }

    ASSERT_TRUE(data.NacistModel(model, false));
    EXPECT_EQ(data.pocetBodu, 5);
    EXPECT_EQ(data.pocetMereni, 0);
    EXPECT_TRUE(data.mereni.empty());
}

// A model filled by hand: points 0 .. n-1 and directions between them.
TmodelSite RucniModel(int32_t pocetBodu) {
    TmodelSite model;
    for (int32_t i = 0; i < pocetBodu; ++i) {
        Tbod b = Tbod::Prazdny();
        b.cislo = "P" + std::to_string(i);
        b.X = 100 * i;
        b.Y = 200 + i;
        b.JePlny = true;
        b.JeFixni = i == pocetBodu - 1;
        b.UpravPresnost().elipsa = {0.004L, 0.002L, 0.3L};
        Stav(model).souradnice.PridejBod(b);
    }
    Stav(model).pocetSouradnic = 3 * pocetBodu;
    Stav(model).odchylkaJednotkovaAprior = 1;
    Stav(model).odchylkaJednotkovaAposterior = 0.8L;
    return model;
}

void PridejSmer(TmodelSite& model, int32_t iStn, int32_t iCil, bool odlehly = false) {
    TmerenaVelicina v = TmerenaVelicina::Prazdny();
    v.typ = Velicina::Smer;
    v.iStn = iStn;
    v.iCil = iCil;
    v.jePlny = true;
    v.jeOdlehly = odlehly;
    Stav(model).smer.PridejZaznam(v);
    Stav(model).pocetSmer = static_cast<int32_t>(Stav(model).smer.zaznam.size());
}

TEST(TgrafikaDataModelTest, PairsCountBothDirectionsInOneRecord) {
    TmodelSite model = RucniModel(3);
    for (int r = 0; r < 4; ++r) PridejSmer(model, 0, 1);
    for (int r = 0; r < 3; ++r) PridejSmer(model, 1, 0, r == 0);  // an outlier counts too
    PridejSmer(model, 2, 1);  // observed only from the higher index
    TgrafikaData data;
    ASSERT_TRUE(data.NacistModel(model, true)) << data.chyba;
    ASSERT_EQ(data.pocetMereni, 2);
    EXPECT_EQ(data.mereni[0].iStn, 0);
    EXPECT_EQ(data.mereni[0].iCil, 1);
    EXPECT_EQ(data.mereni[0].smer, 7);
    EXPECT_EQ(data.mereni[1].iStn, 1);
    EXPECT_EQ(data.mereni[1].iCil, 2);
    EXPECT_EQ(data.mereni[1].smer, 1);
    EXPECT_EQ(data.mereni[1].delkaS + data.mereni[1].zenit, 0);
    EXPECT_EQ(data.odchylkaJednotkovaAposterior, 0.8L);
}

TEST(TgrafikaDataModelTest, SinglePointAndEmptyModel) {
    TgrafikaData data;
    ASSERT_TRUE(data.NacistModel(RucniModel(1), true));
    EXPECT_EQ(data.pocetBodu, 1);
    EXPECT_EQ(data.pocetMereni, 0);
    EXPECT_TRUE(data.body[0].JeFixni);
    EXPECT_EQ(data.body[0].a_delka, 0);  // a fixed point has no ellipse

    TmodelSite prazdny;
    prazdny.Clear();
    EXPECT_FALSE(data.NacistModel(prazdny, true));
    EXPECT_TRUE(data.body.empty());
    EXPECT_EQ(data.pocetBodu, 0);
    EXPECT_EQ(data.odchylkaJednotkovaAprior, 0);
    EXPECT_FALSE(data.chyba.empty());
}

TEST(TgrafikaDataModelTest, InconsistentModelsAreRefusedAndClearTheData) {
    const auto odmitne = [](const TmodelSite& model) {
        TgrafikaData data;
        EXPECT_TRUE(data.NacistModel(RucniModel(2), true));
        EXPECT_FALSE(data.NacistModel(model, true));
        EXPECT_TRUE(data.body.empty() && data.mereni.empty());
        EXPECT_EQ(data.pocetBodu + data.pocetMereni, 0);
    };
    TmodelSite mimo = RucniModel(3);
    PridejSmer(mimo, 0, 3);  // index past the point list
    odmitne(mimo);
    TmodelSite zaporny = RucniModel(3);
    PridejSmer(zaporny, -1, 1);
    odmitne(zaporny);
    TmodelSite sam = RucniModel(3);
    PridejSmer(sam, 1, 1);
    odmitne(sam);
    TmodelSite pocet = RucniModel(3);
    PridejSmer(pocet, 0, 1);
    Stav(pocet).pocetSmer = 2;  // counts more than the vector holds
    odmitne(pocet);
    TmodelSite kratky = RucniModel(3);
    Stav(kratky).pocetSouradnic = 12;  // four points claimed, three listed
    odmitne(kratky);
    TmodelSite nan = RucniModel(3);
    Stav(nan).souradnice.bod[1].UpravPresnost().elipsa.a_delka = std::nan("");
    odmitne(nan);
}

TEST(TgrafikaDataModelTest, KindsMergeIntoTheOrderedList) {
    TgrafikaData data(4, 0);
    data.pocetBodu = 4;
    TvektorMereni v;
    const auto pridej = [&v](int32_t s, int32_t c) {
        TmerenaVelicina z = TmerenaVelicina::Prazdny();
        z.iStn = s;
        z.iCil = c;
        z.jePlny = true;
        v.PridejZaznam(z);
    };
    pridej(3, 2);
    pridej(0, 1);
    ASSERT_TRUE(data.NacistMereniDleTypu(v, 2, Velicina::DoplnekPrevyseni));
    v.Clear();
    pridej(1, 2);
    pridej(0, 1);
    v.PridejPrazdnyZaznam();  // an empty slot holds no observation
    ASSERT_TRUE(data.NacistMereniDleTypu(v, 3, Velicina::DoplnekDelka));
    ASSERT_EQ(data.pocetMereni, 3);
    EXPECT_EQ(data.mereni2Str(), "0 1 0 0 0 0 1 1 -1\r\n1 2 0 0 0 0 1 0 -1\r\n2 3 0 0 0 0 0 1 -1");
    const std::string pred = data.mereni2Str();
    std::swap(data.mereni[0], data.mereni[2]);  // not the order the merge needs
    EXPECT_FALSE(data.NacistMereniDleTypu(v, 1, Velicina::Smer));
    std::swap(data.mereni[0], data.mereni[2]);
    EXPECT_EQ(data.mereni2Str(), pred);
    EXPECT_TRUE(data.NacistMereniDleTypu(v, -1, Velicina::Smer));  // a cleared count
    EXPECT_EQ(data.mereni2Str(), pred);
}

}  // namespace
}  // namespace vertano
