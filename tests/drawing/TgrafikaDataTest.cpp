#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "data/Tsouradnice.h"
#include "drawing/TgrafikaData.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

TgrafikaBod GBod(const char* cislo, Real x, Real y, bool fixni) {
    TgrafikaBod b;
    b.cislo = cislo;
    b.X = x;
    b.Y = y;
    b.JeFixni = fixni;
    if (!fixni) {
        b.a_delka = 0.003L;
        b.b_delka = 0.001L;
        b.a_smernik = 1.0L;
    }
    return b;
}

TgrafikaData DvaBody() {
    TgrafikaData data;
    data.body = {GBod("1", 10, 20, false), GBod("2", 0, -5, true)};
    data.pocetBodu = 2;
    TgrafikaZaznam z;
    z.iStn = 0;
    z.iCil = 1;
    z.smer = 3;
    z.JePlny = true;
    data.mereni = {z};
    data.pocetMereni = 1;
    data.odchylkaJednotkovaAprior = 1;
    data.odchylkaJednotkovaAposterior = 1.5L;
    return data;
}

Tsouradnice Transformovane() {
    Tsouradnice s;
    Tbod a = Tbod::Prazdny();
    a.cislo = "1";
    a.X = 100;
    a.Y = 200;
    a.JePlny = true;
    a.UpravPresnost().elipsa = {0.5L, 0.25L, 0};  // other semi-axes: they must not be taken
    Tbod b = a;
    b.cislo = "2";
    b.X = -7;
    b.Y = 8;
    b.JeFixni = true;
    b.UpravPresnost().elipsa.a_smernik = 2;
    s.PridejBod(a);
    s.PridejBod(b);
    return s;
}

TEST(TgrafikaDataTest, RewriteInGeodeticAndMathematicalSystem) {
    TgrafikaData data = DvaBody();
    ASSERT_TRUE(data.PrepsatSouradnice(Transformovane(), true));
    EXPECT_EQ(data.body[0].X, 100);
    EXPECT_EQ(data.body[0].Y, 200);
    EXPECT_EQ(data.body[0].a_smernik, 0);
    EXPECT_EQ(data.body[0].a_delka, 0.003L);  // semi-axes and numbers stay
    EXPECT_EQ(data.body[0].cislo, "1");
    EXPECT_EQ(data.body[1].X, -7);
    EXPECT_EQ(data.body[1].a_smernik, 0);  // a fixed point takes no bearing

    ASSERT_TRUE(data.PrepsatSouradnice(Transformovane(), false));
    EXPECT_EQ(data.body[0].X, 200);
    EXPECT_EQ(data.body[0].Y, 100);
    EXPECT_EQ(data.body[0].a_smernik, kPi / 2);
    EXPECT_EQ(data.body[1].X, 8);
    EXPECT_EQ(data.body[1].Y, -7);
    EXPECT_TRUE(data.body[1].JeFixni);
    // Called again (the window opens twice) it gives the same, not a double swap.
    ASSERT_TRUE(data.PrepsatSouradnice(Transformovane(), false));
    EXPECT_EQ(data.body[0].X, 200);
}

TEST(TgrafikaDataTest, RewriteWithAListThatDoesNotFitChangesNothing) {
    const TgrafikaData puvodni = DvaBody();
    Tsouradnice kratka = Transformovane();
    kratka.bod.pop_back();
    Tsouradnice jinaCisla = Transformovane();
    jinaCisla.bod[1].cislo = "3";
    Tsouradnice nan = Transformovane();
    nan.bod[1].Y = std::numeric_limits<Real>::infinity();
    for (const Tsouradnice* s : {&kratka, &jinaCisla, &nan}) {
        TgrafikaData data = DvaBody();
        EXPECT_FALSE(data.PrepsatSouradnice(*s, false));
        EXPECT_FALSE(data.chyba.empty());
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(data.body[i].X, puvodni.body[i].X);
            EXPECT_EQ(data.body[i].Y, puvodni.body[i].Y);
            EXPECT_EQ(data.body[i].a_smernik, puvodni.body[i].a_smernik);
        }
    }
}

TEST(TgrafikaDataTest, CopiesAreDeepAndTheDxfCopyFlipsSigns) {
    TgrafikaData data = DvaBody();
    TgrafikaData kopie;
    kopie.Kopiruj(data);
    data.body[0].X = 99;
    data.mereni[0].smer = 99;
    EXPECT_EQ(kopie.body[0].X, 10);
    EXPECT_EQ(kopie.mereni[0].smer, 3);
    EXPECT_EQ(kopie.odchylkaJednotkovaAposterior, 1.5L);
    EXPECT_EQ(kopie.pocetBodu, 2);
    EXPECT_EQ(kopie.pocetMereni, 1);

    TgrafikaData dxf;
    dxf.KopirujDXF(kopie, true);
    EXPECT_EQ(dxf.body[1].Y, -5);
    dxf.KopirujDXF(kopie, false);
    EXPECT_EQ(dxf.body[0].X, -10);
    EXPECT_EQ(dxf.body[0].Y, -20);
    EXPECT_EQ(dxf.body[1].Y, 5);
    EXPECT_EQ(dxf.body[1].X, 0);
    EXPECT_FALSE(std::signbit(dxf.body[1].X));  // never written as "-0"
    EXPECT_EQ(dxf.body[0].a_smernik, 1.0L);
    EXPECT_EQ(kopie.body[0].X, 10);  // the source stays
}

TEST(TgrafikaDataTest, PairListTextAndEmptyRecords) {
    TgrafikaData data;
    EXPECT_EQ(data.mereni2Str(), "");
    data = DvaBody();
    data.mereni[0].delkaS = 12;
    data.mereni[0].prevyseni = 1;
    EXPECT_EQ(data.mereni2Str(), "0 1 12 3 0 0 0 1 -1");

    TgrafikaZaznam prazdny;
    data.mereni = {prazdny, data.mereni[0], prazdny};
    data.pocetMereni = 3;
    EXPECT_EQ(data.mereni2Str(), "0 0 0 0 0 0 0 0 0\r\n0 1 12 3 0 0 0 1 -1\r\n0 0 0 0 0 0 0 0 0");
    data.SmazPrazdneZaznamy();
    EXPECT_EQ(data.pocetMereni, 1);
    EXPECT_EQ(data.mereni2Str(), "0 1 12 3 0 0 0 1 -1");
    data.pocetMereni = 5;  // a count beyond the list reads no further than the list
    EXPECT_EQ(data.mereni2Str(), "0 1 12 3 0 0 0 1 -1");

    data.Clear();
    EXPECT_TRUE(data.body.empty() && data.mereni.empty());
    EXPECT_FALSE(data.Extents().has_value());
}

}  // namespace
}  // namespace vertano
