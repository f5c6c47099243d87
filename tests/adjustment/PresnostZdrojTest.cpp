#include <gtest/gtest.h>

#include "adjustment/PresnostTestPomocne.h"
#include "adjustment/TmerenaVelicina.h"
#include "adjustment/Tvahy.h"
#include "data/Tinfo.h"
#include "support/SyntetickaSit.h"

namespace vertano {
namespace {

using testpresnost::Mgon;
using testpresnost::Vychozi;

// A triangle of mutually observed points with distances. `sady` sets; with
// `rozptyl` every row is disturbed a little, differently from row to row, so
// that sets, reciprocal pairs and the triangle all scatter.
Tmereni Sit(int32_t sady, bool rozptyl, bool sDelkami = true) {
    test::SyntetickaSit s;
    s.Bod("P1", 0, 0, 100);
    s.Bod("P2", 120, 10, 103);
    s.Bod("P3", 30, 90, 98);
    s.Stanovisko("P1", 0.3L);
    s.Cil("P2", sDelkami);
    s.Cil("P3", sDelkami);
    s.Stanovisko("P2", 2.0L);
    s.Cil("P3", sDelkami);
    s.Cil("P1", sDelkami);
    s.Stanovisko("P3", 5.5L);
    s.Cil("P1", sDelkami);
    s.Cil("P2", sDelkami);
    Tmereni m = s.Mereni(sady);
    if (rozptyl) {
        for (size_t i = 0; i < m.zaznam.size(); ++i) {
            Tzaznam& z = m.zaznam[i];
            z.smer += Mgon(0.3L * static_cast<Real>(i % 4) - 0.3L);
            z.zenit += Mgon(0.2L * static_cast<Real>(i % 5) - 0.4L);
            if (z.MaDelku()) z.delka += 0.0005L * static_cast<Real>(i % 4) - 0.00075L;
        }
    }
    return m;
}

struct Vypocet {
    Tnastaveni nastaveni = Vychozi();
    Tinfo info;
    Tvahy vahy;
    bool vysledek = false;

    Vypocet(const Tmereni& m, ZdrojVah typVah) {
        nastaveni.vyrovnani.typVah = typVah;
        vahy.NastavitZadanouPresnost(nastaveni, info);
        vysledek = vahy.VypocetPresnosti(m, info, nastaveni);
    }
};

TEST(VypocetPresnosti, EverySourceAvailableKeepsTheChosenOne) {
    const Tmereni m = Sit(2, true);
    for (const ZdrojVah typ : {ZdrojVah::Vnitrni, ZdrojVah::Vnejsi, ZdrojVah::Zadana}) {
        Vypocet v(m, typ);
        EXPECT_TRUE(v.vysledek);
        EXPECT_EQ(v.info.infoVahy.typVah, typ);
        const TinfoVahy& iv = v.info.infoVahy;
        EXPECT_TRUE(iv.vnitrniPresnost);
        EXPECT_TRUE(iv.vnejsiPresnost);
        for (const TtypVah* t : {&iv.delka, &iv.smer, &iv.zenit}) {
            EXPECT_TRUE(t->vnitrniPresnost);
            EXPECT_TRUE(t->vnejsiPresnost);
            EXPECT_TRUE(t->zadanaPresnost);  // left as NastavitZadanouPresnost set it
        }
        for (const Tvaha* k : {&v.vahy.delka, &v.vahy.smer, &v.vahy.zenit}) {
            EXPECT_GT(k->vnitrniPresnost.odchylkaCelkova.vyska_stn, 0);
            EXPECT_GT(k->vnejsiPresnost.odchylkaCelkova.vyska_stn, 0);
        }
        EXPECT_EQ(v.vahy.smer.vnejsiPresnost.cislaTrojuhelnik.size(), 1u);
        // Three reciprocal pairs of zenith angles and of distances.
        EXPECT_EQ(v.vahy.zenit.vnejsiPresnost.odchylkaTrojuhelnik.zaznam.size(), 3u);
        EXPECT_EQ(v.vahy.delka.vnejsiPresnost.odchylkaTrojuhelnik.zaznam.size(), 3u);
        EXPECT_TRUE(v.vahy.VypocetVah(v.info, v.nastaveni));
    }
}

TEST(VypocetPresnosti, OneSetFallsBackToOuterThenToGiven) {
    // No target has two sets: no inner precision. The result false is the
    // fallback, not a failure: the weights still come out usable.
    Vypocet v(Sit(1, true), ZdrojVah::Vnitrni);
    EXPECT_FALSE(v.vysledek);
    EXPECT_FALSE(v.info.infoVahy.vnitrniPresnost);
    EXPECT_FALSE(v.info.infoVahy.smer.vnitrniPresnost);
    EXPECT_TRUE(v.info.infoVahy.vnejsiPresnost);
    EXPECT_EQ(v.info.infoVahy.typVah, ZdrojVah::Vnejsi);
    EXPECT_TRUE(v.vahy.smer.vnitrniPresnost.odchylkaSkupina.zaznam.empty());
    EXPECT_TRUE(v.vahy.VypocetVah(v.info, v.nastaveni));
    EXPECT_EQ(v.vahy.smer.odchylka, v.vahy.smer.vnejsiPresnost.odchylkaCelkova.vyska_stn);

    // Exact data close every pair and triangle: outer precision 0 is no
    // precision either, so the given one is used.
    for (const ZdrojVah typ : {ZdrojVah::Vnitrni, ZdrojVah::Vnejsi}) {
        Vypocet exaktni(Sit(1, false), typ);
        EXPECT_FALSE(exaktni.vysledek);
        EXPECT_FALSE(exaktni.info.infoVahy.vnejsiPresnost);
        EXPECT_FALSE(exaktni.info.infoVahy.zenit.vnejsiPresnost);
        EXPECT_EQ(exaktni.info.infoVahy.typVah, ZdrojVah::Zadana);
        EXPECT_TRUE(exaktni.vahy.VypocetVah(exaktni.info, exaktni.nastaveni));
        EXPECT_EQ(exaktni.vahy.zenit.odchylka, exaktni.nastaveni.vyrovnani.odchylka_zadanaZenit);
    }
}

TEST(VypocetPresnosti, SetsThatAgreeExactlyGiveNoInnerPrecision) {
    // Two identical sets scatter by exactly 0; an outer source with scatter exists.
    Tmereni m = Sit(2, false);
    for (size_t i = 0; i < m.zaznam.size(); ++i) {
        if (m.zaznam[i].skupina != 1) continue;
        const Tzaznam z = m.zaznam[i];
        m.zaznam[i].zenit += Mgon(0.5L * static_cast<Real>(i % 3) - 0.5L);
        m.zaznam[i].smer += Mgon(0.4L * static_cast<Real>(i % 2));
        m.zaznam[i].delka += 0.001L * static_cast<Real>(i % 2);
        // The second set repeats the first exactly.
        for (Tzaznam& druha : m.zaznam) {
            if (druha.poradi == z.poradi && druha.skupina == 2 && druha.cislo_cil == z.cislo_cil) {
                druha.smer = m.zaznam[i].smer;
                druha.zenit = m.zaznam[i].zenit;
                druha.delka = m.zaznam[i].delka;
            }
        }
    }
    Vypocet v(m, ZdrojVah::Vnitrni);
    EXPECT_EQ(v.vahy.smer.vnitrniPresnost.odchylkaCelkova.vyska_stn, 0);  // kept for display
    EXPECT_FALSE(v.info.infoVahy.smer.vnitrniPresnost);
    EXPECT_FALSE(v.info.infoVahy.vnitrniPresnost);
    EXPECT_EQ(v.info.infoVahy.typVah, ZdrojVah::Vnejsi);
    EXPECT_FALSE(v.vysledek);
}

TEST(VypocetPresnosti, OuterSourceMissingFallsBackToInner) {
    // Only one station: sets scatter, but nothing is measured both ways.
    Tmereni m = Sit(2, true);
    for (Tzaznam& z : m.zaznam) {
        if (z.poradi != 1) z = Tzaznam::Prazdny();
    }
    Vypocet v(m, ZdrojVah::Vnejsi);
    EXPECT_FALSE(v.vysledek);
    EXPECT_TRUE(v.info.infoVahy.vnitrniPresnost);
    EXPECT_FALSE(v.info.infoVahy.vnejsiPresnost);
    EXPECT_EQ(v.info.infoVahy.typVah, ZdrojVah::Vnitrni);
    Vypocet zadana(m, ZdrojVah::Zadana);
    EXPECT_EQ(zadana.info.infoVahy.typVah, ZdrojVah::Zadana);
}

TEST(VypocetPresnosti, OneKindMissingMakesTheSourceUnavailable) {
    // No distances at all: directions and zenith angles have both sources, but a
    // source must serve all three kinds.
    Vypocet v(Sit(2, true, false), ZdrojVah::Vnitrni);
    const TinfoVahy& iv = v.info.infoVahy;
    EXPECT_TRUE(iv.smer.vnitrniPresnost);
    EXPECT_TRUE(iv.zenit.vnejsiPresnost);
    EXPECT_FALSE(iv.delka.vnitrniPresnost);
    EXPECT_FALSE(iv.delka.vnejsiPresnost);
    EXPECT_FALSE(iv.vnitrniPresnost);
    EXPECT_FALSE(iv.vnejsiPresnost);
    EXPECT_EQ(iv.typVah, ZdrojVah::Zadana);
    EXPECT_FALSE(v.vysledek);
}

TEST(VypocetPresnosti, UnknownSettingTakesTheGivenPrecision) {
    for (const int32_t typ : {0, 4, 255}) {
        Vypocet v(Sit(2, true), static_cast<ZdrojVah>(typ));
        EXPECT_TRUE(v.vysledek);
        EXPECT_EQ(v.info.infoVahy.typVah, ZdrojVah::Zadana) << typ;
    }
}

TEST(VypocetPresnosti, AnnotatedRowsAreReadBackFromTheirOwnRows) {
    // A row without a zenith angle: the reciprocal pairs of zenith angles come
    // from the rows that have one, yet their annotations must refer to the rows
    // of the whole list, not to those of the shorter one.
    Tmereni m = Sit(2, true);
    m.zaznam[0].bezZenitu = true;
    m.zaznam[0].zenit = 0;
    const Vypocet v(m, ZdrojVah::Vnitrni);
    const Tmereni r = v.vahy.zenit.vnejsiPresnost.mereniTrojuhelnik.Zaznamy(m);
    ASSERT_EQ(r.zaznam.size(), 11u);
    for (const Tzaznam& z : r.zaznam) {
        EXPECT_TRUE(z.MaZenit()) << z.cislo_stn << z.cislo_cil;
        // The deviation is the mean seen from the row's end minus its own value.
        EXPECT_NEAR(z.vaha_delka - z.zenit, z.vaha_smer, 1e-12L) << z.cislo_stn << z.cislo_cil;
    }
}

TEST(VypocetPresnosti, EarlierResultsAreReplaced) {
    Vypocet v(Sit(2, true), ZdrojVah::Vnitrni);
    ASSERT_TRUE(v.vysledek);
    // A second run on a list without any usable data leaves nothing behind.
    Tmereni prazdne;
    prazdne.PridejPrazdnyZaznam();
    EXPECT_FALSE(v.vahy.VypocetPresnosti(prazdne, v.info, v.nastaveni));
    for (const Tvaha* k : {&v.vahy.delka, &v.vahy.smer, &v.vahy.zenit}) {
        EXPECT_TRUE(k->vnitrniPresnost.mereniSkupina.JePrazdny());
        EXPECT_TRUE(k->vnitrniPresnost.odchylkaStanovisko.zaznam.empty());
        EXPECT_EQ(k->vnitrniPresnost.odchylkaCelkova.vyska_stn, -1);
        EXPECT_TRUE(k->vnejsiPresnost.mereniTrojuhelnik.JePrazdny());
        EXPECT_TRUE(k->vnejsiPresnost.cislaTrojuhelnik.empty());
        EXPECT_EQ(k->vnejsiPresnost.odchylkaCelkova.vyska_stn, -1);
    }
    EXPECT_FALSE(v.info.infoVahy.smer.vnitrniPresnost);
    EXPECT_FALSE(v.info.infoVahy.zenit.vnejsiPresnost);
    EXPECT_EQ(v.info.infoVahy.typVah, ZdrojVah::Zadana);
}

}  // namespace
}  // namespace vertano
