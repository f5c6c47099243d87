#include <gtest/gtest.h>

#include "transformation/IdentickeBody.h"
#include "transformation/TransformacePomocne.h"
#include "transformation/TvektorSouradnice.h"

namespace vertano {
namespace {

using test::Plny;

// Numbers pair exactly ("a1" is not "A1"); a network point matching two user
// points forms two pairs; entries carry their source index and pair number.
TEST(IdentickeBody, ParovaniPresnePodleCisla) {
    Tsouradnice sit;
    sit.PridejBod(Plny("A1", 0, 0, 0));
    Tbod prazdny = Tbod::Prazdny();
    prazdny.cislo = "B";
    sit.PridejBod(prazdny);  // an empty slot takes no part
    sit.PridejBod(Plny("B", 10, 0, 0));
    Tsouradnice uzivatel;
    uzivatel.PridejBod(Plny("a1", 1, 1, 1));
    uzivatel.PridejBod(Plny("B", 5, 5, 5));
    uzivatel.PridejBod(Plny("B", 6, 6, 6));
    Tsouradnice pary;
    EXPECT_TRUE(ParovatIdentickeBody(sit, uzivatel, pary));
    ASSERT_EQ(pary.Pocet(), 4);
    EXPECT_EQ(PocetPar(pary), 2);
    EXPECT_EQ(pary.bod[0].cislo, "B");
    EXPECT_EQ(pary.bod[0].poradi, 2);
    EXPECT_EQ(pary.bod[1].X, 5);
    EXPECT_EQ(pary.bod[1].poradi, 1);
    EXPECT_EQ(pary.bod[3].X, 6);
    EXPECT_EQ(pary.bod[3].poradi, 2);
    EXPECT_EQ(pary.bod[2].soubor, 1);
    EXPECT_EQ(pary.bod[3].soubor, 1);

    // One pair is not enough; no user point at all fails too.
    uzivatel.bod.pop_back();
    EXPECT_FALSE(ParovatIdentickeBody(sit, uzivatel, pary));
    EXPECT_EQ(PocetPar(pary), 1);
    EXPECT_FALSE(ParovatIdentickeBody(sit, Tsouradnice(), pary));
    EXPECT_EQ(pary.Pocet(), 0);
}

// The first pairs apart in both systems; points apart only in Z coincide.
TEST(IdentickeBody, VychoziParPreskociSplyvajiciBody) {
    Tsouradnice vstup;
    Tsouradnice vystup;
    vstup.PridejBod(Plny("1", 0, 0, 0));
    vystup.PridejBod(Plny("1", 0, 0, 0));
    vstup.PridejBod(Plny("2", 0, 0, 5));  // the same plan position as 1
    vystup.PridejBod(Plny("2", 1, 1, 0));
    int32_t a = 0;
    int32_t c = 0;
    EXPECT_FALSE(VychoziParIdentickych(vstup, vystup, a, c));
    EXPECT_EQ(a, -1);
    vstup.PridejBod(Plny("3", 3, 4, 0));
    vystup.PridejBod(Plny("3", 1, 1, 9));  // coincides with 2 in the output system
    EXPECT_TRUE(VychoziParIdentickych(vstup, vystup, a, c));
    EXPECT_EQ(a, 0);
    EXPECT_EQ(c, 2);
}

// Centroid of the input points; the approximate rotation is the lower median of
// the rotations of the lines, sorted as numbers (0.001 and 6.282 lie apart).
TEST(IdentickeBody, TeziteAPriblizlnaRotace) {
    Tsouradnice vstup;
    Tsouradnice vystup;
    const Real uhly[3] = {0.001L, 6.282L, 0.002L};
    vstup.PridejBod(Plny("0", 0, 0, 0));
    vystup.PridejBod(Plny("0", 0, 0, 0));
    for (int i = 0; i < 3; ++i) {
        // Lines from point 0 rotated by uhly[i]; the lines between the other
        // points add their own candidates.
        const Real d = 100 * (i + 1);
        vstup.PridejBod(Plny(std::to_string(i + 1), d, 0, 0));
        vystup.PridejBod(
            Plny(std::to_string(i + 1), d * std::cos(uhly[i]), d * std::sin(uhly[i]), 0));
    }
    const Tsouradnice pary = test::Pary(vstup, vystup);
    Real x = 0;
    Real y = 0;
    ASSERT_TRUE(TezisteVstup(pary, x, y));
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, 0);
    std::vector<Real> kandidati;
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const Tbod& vi = vystup.bod[static_cast<std::size_t>(i)];
            const Tbod& vj = vystup.bod[static_cast<std::size_t>(j)];
            kandidati.push_back(Smernik(vi, vj) - 0);  // input lines all bear 0
        }
    }
    std::sort(kandidati.begin(), kandidati.end());
    EXPECT_NEAR(PribliznaRotace(pary), kandidati[2], 1e-15);
    EXPECT_LT(PribliznaRotace(pary), 1);
    TtransformacniKlic klic;
    klic.posunX2 = 7;
    PribliznyKlic(pary, klic);
    EXPECT_TRUE(klic.jePlny);
    EXPECT_EQ(klic.posunX, 0);
    EXPECT_EQ(klic.posunX2, 7);
}

// Three filled points give nine records, X X X Y Y Y Z Z Z; a negative index is
// ignored; outliers are dropped; the records go back into a point list.
TEST(TvektorSouradnice, NacteniAPrevodNaBody) {
    Tsouradnice s;
    for (int i = 0; i < 3; ++i) s.PridejBod(Plny(std::to_string(i), i, 10 + i, 20 + i));
    s.PridejPrazdnyBod();
    s.bod[1].UpravPresnost().sig_Y = 0.004L;
    TvektorSouradnice v;
    v.NactiSouradnice(s, true);
    ASSERT_EQ(v.zaznam.size(), 9u);
    EXPECT_EQ(v.PocetX(), 3);
    EXPECT_EQ(v.zaznam[4].typ, Osa::Y);
    EXPECT_EQ(v.zaznam[4].hodnota, 11);
    EXPECT_EQ(v.zaznam[4].odchylka, 0.004L);
    EXPECT_TRUE(v.zaznam[8].typSoustavy);
    v.VyprazdniZaznamDlePoradi(-1);
    EXPECT_EQ(v.PocetPlnychZaznamu(), 9);

    v.zaznam[0].jeOdlehly = true;
    EXPECT_TRUE(v.ExistujeOdlehlyZaznam());
    EXPECT_EQ(v.PocetOdlehlychX(), 1);
    Tsouradnice zpet;
    v.PrevedNaSouradnice(zpet, s, poleVeliciny::kHodnota);
    ASSERT_EQ(zpet.Pocet(), 3);
    EXPECT_EQ(zpet.bod[2].Z, 22);
    v.SmazOdlehleHodnoty();
    EXPECT_EQ(v.zaznam.size(), 8u);
    TvektorSouradnice z;
    z.KopirujVelicinu(v, Osa::Z);
    EXPECT_EQ(z.zaznam.size(), 3u);
    EXPECT_EQ(HodnotaPole(z.zaznam[0], poleVeliciny::kJePlny), 1);
}

// The point-and-bearing key: the base's output coordinates, minus its input
// ones, the height difference and the difference of the two bearings.
TEST(IdentickeBody, KlicBodSmernik) {
    Tsouradnice vstup;
    Tsouradnice vystup;
    vstup.PridejBod(Plny("1", 10, 10, 1));
    vstup.PridejBod(Plny("2", 10, 20, 2));
    vystup.PridejBod(Plny("1", 500, 600, 101));
    vystup.PridejBod(Plny("2", 510, 600, 102));
    TtransformacniKlic k;
    ASSERT_TRUE(KlicBodSmernik(vstup, vystup, 0, 1, k));
    EXPECT_EQ(k.posunX, 500);
    EXPECT_EQ(k.posunY2, -10);
    EXPECT_EQ(k.posunZ, 100);
    EXPECT_NEAR(k.smernik_vstup, kPi / 2, 1e-18);
    EXPECT_EQ(k.smernik_vystup, 0);
    EXPECT_NEAR(k.rotaceZ, 3 * kPi / 2, 1e-18);
    EXPECT_FALSE(KlicBodSmernik(vstup, vystup, 1, 1, k));
    EXPECT_FALSE(k.jePlny);
    EXPECT_FALSE(KlicBodSmernik(vstup, vystup, 0, 2, k));
}

}  // namespace
}  // namespace vertano
