#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "SouradniceTestPomocne.h"
#include "data/Tsouradnice.h"

namespace vertano {
namespace {

using test::Cisla;
using test::Plny;
using test::Seznam;

using Cisla_t = std::vector<std::string>;

TEST(TsouradniceSort, NamesShorterFirstThenByCharacterCodes) {
    Tsouradnice s = Seznam({Plny("10"), Plny("A2"), Plny("9"), Plny("B"), Plny("100")});
    s.Sort(Tsouradnice::kCislo);
    EXPECT_EQ(Cisla(s), (Cisla_t{"9", "B", "10", "A2", "100"}));
}

TEST(TsouradniceSort, EqualKeysKeepTheirOrder) {
    Tsouradnice s = Seznam({Plny("1", 0, 5), Plny("2", 0, 1), Plny("1", 0, 3), Plny("2", 0, 2)});
    s.Sort(Tsouradnice::kCislo);
    ASSERT_EQ(Cisla(s), (Cisla_t{"1", "1", "2", "2"}));
    EXPECT_EQ(s.bod[0].Y, 5);
    EXPECT_EQ(s.bod[1].Y, 3);
    EXPECT_EQ(s.bod[2].Y, 1);
    EXPECT_EQ(s.bod[3].Y, 2);

    // A second sort by X (all equal) leaves the name order alone.
    s.Sort(Tsouradnice::kX);
    EXPECT_EQ(Cisla(s), (Cisla_t{"1", "1", "2", "2"}));
    EXPECT_EQ(s.bod[0].Y, 5);
}

TEST(TsouradniceSort, EmptyRecordsTakePartAndNothingIsLost) {
    Tbod prazdny = Tbod::Prazdny();  // X = 0
    Tsouradnice s = Seznam({Plny("a", 5), prazdny, Plny("b", -2), Plny("c", 5)});
    s.Sort(Tsouradnice::kX);
    EXPECT_EQ(Cisla(s), (Cisla_t{"b", "", "a", "c"}));
}

// Each numeric code sorts by its own field: the point whose field is set to the
// smallest value must come first, the others keep their order.
TEST(TsouradniceSort, EveryCodeSortsByItsField) {
    struct Pripad {
        int kod;
        void (*nastav)(Tbod&, Real);
    };
    const Pripad pripady[] = {
        {2, [](Tbod& b, Real v) { b.X = v; }},
        {3, [](Tbod& b, Real v) { b.Y = v; }},
        {4, [](Tbod& b, Real v) { b.Z = v; }},
        {5, [](Tbod& b, Real v) { b.UpravPresnost().sig_X = v; }},
        {6, [](Tbod& b, Real v) { b.UpravPresnost().sig_Y = v; }},
        {7, [](Tbod& b, Real v) { b.UpravPresnost().sig_Z = v; }},
        {8, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.a_delka = v; }},
        {9, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.a_smernik = v; }},
        {10, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.a_zenit = v; }},
        {11, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.b_delka = v; }},
        {12, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.b_smernik = v; }},
        {13, [](Tbod& b, Real v) { b.soubor = static_cast<int32_t>(v); }},
        {14, [](Tbod& b, Real v) { b.poradi = static_cast<int32_t>(v); }},
        {15, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.b_zenit = v; }},
        {16, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.c_delka = v; }},
        {17, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.c_smernik = v; }},
        {18, [](Tbod& b, Real v) { b.UpravPresnost().elipsoid.c_zenit = v; }},
        {19, [](Tbod& b, Real v) { b.zkresleni = v; }},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.kod);
        Tsouradnice s;
        const Real hodnoty[] = {7, 3, 9, -4};
        for (int i = 0; i < 4; ++i) {
            Tbod b = Tbod();
            b.cislo = std::to_string(i);
            p.nastav(b, hodnoty[i]);
            s.PridejBod(b);
        }
        s.Sort(p.kod);
        EXPECT_EQ(Cisla(s), (Cisla_t{"3", "1", "0", "2"}));
    }
}

TEST(TsouradniceSort, UnknownCodesLeaveTheList) {
    for (const int kod : {0, -1, 20, 1000}) {
        Tsouradnice s = Seznam({Plny("b", 2), Plny("a", 1)});
        s.Sort(kod);
        EXPECT_EQ(Cisla(s), (Cisla_t{"b", "a"}));
    }
    Tsouradnice prazdny;
    prazdny.Sort(Tsouradnice::kCislo);
    EXPECT_EQ(prazdny.Pocet(), 0);
}

TEST(TsouradniceSort, ValuesThatAreNotNumbersGoLastInTheirOrder) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    Tsouradnice s =
        Seznam({Plny("n1", nan), Plny("a", 3), Plny("n2", nan), Plny("b", -1), Plny("c", 0)});
    s.Sort(Tsouradnice::kX);
    EXPECT_EQ(Cisla(s), (Cisla_t{"b", "c", "a", "n1", "n2"}));
}

TEST(TsouradniceSort, NegativeAndPositiveZeroAreEqual) {
    Tsouradnice s = Seznam({Plny("p", 0.0L), Plny("m", -0.0L), Plny("x", -1)});
    s.Sort(Tsouradnice::kX);
    EXPECT_EQ(Cisla(s), (Cisla_t{"x", "p", "m"}));
}

}  // namespace
}  // namespace vertano
