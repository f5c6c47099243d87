#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "data/Tsouradnice.h"
#include "mereni/CisloBodu.h"
#include "mereni/ColumnStatistic.h"
#include "mereni/RadkyPomocne.h"
#include "mereni/Tmereni.h"

namespace vertano {
namespace {

using test::Cile;
using test::Radek;
using test::Seznam;
using Cisla = std::vector<std::string>;

// The exchange sort exactly as users know it, row by row: n-1 passes, each swapping
// rows i-1 and i when row i must go first. The fast paths of Sort must match it.
bool MusiPredchazet(const Tzaznam& r, const Tzaznam& p, int32_t velicina) {
    const auto jmeno = [](const std::string& a, const std::string& b) { return JeCisloPred(a, b); };
    switch (velicina) {
        case 1:
            return r.soubor < p.soubor;
        case 2:
            return r.poradi < p.poradi;
        case 3:
            return r.skupina < p.skupina;
        case 4:
            return p.poloha <= r.poloha;
        case 5:
            return jmeno(r.cislo_stn, p.cislo_stn);
        case 6:
            return jmeno(r.cislo_cil, p.cislo_cil);
        default: {
            const auto pole = RealQuantity(velicina);
            return pole && !(p.*pole <= r.*pole);
        }
    }
}

std::vector<Tzaznam> Referencni(std::vector<Tzaznam> z, int32_t velicina) {
    for (size_t pruchod = 1; pruchod < z.size(); ++pruchod) {
        for (size_t i = 1; i < z.size(); ++i) {
            if (MusiPredchazet(z[i], z[i - 1], velicina)) std::swap(z[i], z[i - 1]);
        }
    }
    return z;
}

// Rows tagged by position in cislo_cil so that the resulting order is visible.
Tmereni NahodneRadky(std::mt19937& gen, size_t n, bool sNaN) {
    std::uniform_int_distribution<int> malo(0, 3);
    Tmereni m;
    for (size_t i = 0; i < n; ++i) {
        Tzaznam z = Radek(malo(gen), std::to_string(i), malo(gen), malo(gen) % 2 == 0);
        z.soubor = malo(gen);
        const char* jmena[] = {"10",
                               "9",
                               "A1",
                               "100",
                               "a1",
                               "\xc4\x8c"
                               "1"};
        z.cislo_stn = jmena[static_cast<size_t>(malo(gen) + malo(gen) % 3)];
        for (int kod = 7; kod <= 20; ++kod) z.*RealQuantity(kod) = malo(gen) * 0.5L - 0.5L;
        if (sNaN && malo(gen) == 0) z.smer = std::numeric_limits<Real>::quiet_NaN();
        m.PridejZaznam(z);
    }
    return m;
}

TEST(TmereniSort, EveryCodeMatchesTheExchangePasses) {
    std::mt19937 gen(20240611);
    for (const size_t n : {0u, 1u, 2u, 3u, 7u, 40u, 200u}) {
        for (int opakovani = 0; opakovani < 5; ++opakovani) {
            const Tmereni puvodni = NahodneRadky(gen, n, opakovani % 2 == 1);
            for (int32_t kod = 0; kod <= 21; ++kod) {
                Tmereni m = puvodni;
                m.Sort(kod);
                EXPECT_EQ(Cile(m), Cile(Seznam(Referencni(puvodni.zaznam, kod))))
                    << "code " << kod << ", " << n << " rows";
            }
        }
    }
}

TEST(TmereniSort, NamesShorterFirstThenByCharacterCodes) {
    Tmereni m = Seznam({Radek(1, "10"), Radek(1, "9"), Radek(1, "A1"), Radek(1, "100")});
    m.Sort(6);
    EXPECT_EQ(Cile(m), (Cisla{"9", "10", "A1", "100"}));
    for (auto& z : m.zaznam) z.cislo_stn = z.cislo_cil;
    m.zaznam[0].cislo_cil = "x";
    m.Sort(5);
    EXPECT_EQ(m.zaznam[0].cislo_stn, "9");
    EXPECT_EQ(m.zaznam[3].cislo_stn, "100");
}

// A name with accented letters is as long as its characters, not its UTF-8 bytes,
// so the measurement tables order station and target names exactly as the point
// lists order the same names.
TEST(TmereniSort, NamesOrderLikeThePointLists) {
    const Cisla jmena = {"AAA", "B\xC4\x8D", "AA",
                         "\xC4\x8C"
                         "1",
                         "9"};
    Tmereni m;
    Tsouradnice s;
    for (const std::string& j : jmena) {
        m.PridejZaznam(Radek(1, j));
        Tbod b = Tbod::Prazdny();
        b.cislo = j;
        s.PridejBod(b);
    }
    m.Sort(6);
    s.Sort(Tsouradnice::kCislo);
    const Cisla ocekavane = {"9", "AA", "B\xC4\x8D",
                             "\xC4\x8C"
                             "1",
                             "AAA"};
    EXPECT_EQ(Cile(m), ocekavane);
    Cisla body;
    for (const Tbod& b : s.bod) body.push_back(b.cislo);
    EXPECT_EQ(body, ocekavane);
}

TEST(TmereniSort, EqualKeysKeepTheirOrder) {
    Tmereni m = Seznam({Radek(2, "a"), Radek(1, "b"), Radek(2, "c"), Radek(1, "d")});
    m.zaznam[0].smer = m.zaznam[2].smer = 1;
    m.Sort(2);
    EXPECT_EQ(Cile(m), (Cisla{"b", "d", "a", "c"}));
    m.Sort(10);
    EXPECT_EQ(Cile(m), (Cisla{"b", "d", "a", "c"}));
    m.zaznam[1].smer = -2;
    m.Sort(10);
    EXPECT_EQ(Cile(m), (Cisla{"d", "b", "a", "c"}));
}

TEST(TmereniSort, FaceSortPutsFaceIFirstAndSwapsEqualNeighboursEveryPass) {
    // Two face I rows: one pass, one exchange.
    Tmereni dva = Seznam({Radek(1, "a", 0, true), Radek(1, "b", 0, true)});
    dva.Sort(4);
    EXPECT_EQ(Cile(dva), (Cisla{"b", "a"}));

    // I, I, II: the face I rows are exchanged in each of the two passes, so they
    // end where they started.
    Tmereni tri = Seznam({Radek(1, "a", 0, true), Radek(1, "b", 0, true), Radek(1, "c", 0, false)});
    tri.Sort(4);
    EXPECT_EQ(Cile(tri), (Cisla{"a", "b", "c"}));

    Tmereni smes = Seznam({Radek(1, "a", 0, false), Radek(1, "b", 0, true), Radek(1, "c", 0, false),
                           Radek(1, "d", 0, true)});
    smes.Sort(4);
    EXPECT_TRUE(smes.zaznam[0].poloha && smes.zaznam[1].poloha);
    EXPECT_FALSE(smes.zaznam[2].poloha || smes.zaznam[3].poloha);
    EXPECT_EQ(Cile(smes),
              Cile(Seznam(Referencni(Seznam({Radek(1, "a", 0, false), Radek(1, "b", 0, true),
                                             Radek(1, "c", 0, false), Radek(1, "d", 0, true)})
                                         .zaznam,
                                     4))));
}

TEST(TmereniSort, UnknownCodeAndShortListsLeaveTheOrder) {
    Tmereni m = Seznam({Radek(2, "a"), Radek(1, "b")});
    m.Sort(0);
    m.Sort(21);
    m.Sort(-3);
    EXPECT_EQ(Cile(m), (Cisla{"a", "b"}));
    Tmereni jeden = Seznam({Radek(2, "a")});
    jeden.Sort(4);
    EXPECT_EQ(Cile(jeden), Cisla{"a"});
}

TEST(TmereniSort, LargeFaceSortMatchesThePasses) {
    std::mt19937 gen(7);
    std::bernoulli_distribution tvar(0.5);
    Tmereni m;
    std::vector<std::pair<bool, std::string>> lehke;  // the passes on (face, tag) only
    for (int i = 0; i < 3000; ++i) {
        m.PridejZaznam(Radek(1, std::to_string(i), 0, tvar(gen)));
        lehke.emplace_back(m.zaznam.back().poloha, m.zaznam.back().cislo_cil);
    }
    for (size_t pruchod = 1; pruchod < lehke.size(); ++pruchod) {
        for (size_t i = 1; i < lehke.size(); ++i) {
            if (lehke[i - 1].first <= lehke[i].first) std::swap(lehke[i], lehke[i - 1]);
        }
    }
    m.Sort(4);
    ASSERT_EQ(m.zaznam.size(), lehke.size());
    for (size_t i = 0; i < lehke.size(); ++i) EXPECT_EQ(m.zaznam[i].cislo_cil, lehke[i].second);
}

TEST(ColumnStatistic, MeanOfAColumnAndMinusOneOtherwise) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(1, "b"), Radek(1, "c")});
    m.zaznam[0].delka = 1;
    m.zaznam[1].delka = 2;
    m.zaznam[2].delka = 6;
    EXPECT_EQ(ColumnStatistic(ColumnValues(m.zaznam, 9), kStatistikaPrumer), 3);
    EXPECT_EQ(ColumnValues(m.zaznam, 6), (std::vector<Real>{-1, -1, -1}));
    EXPECT_EQ(ColumnStatistic(ColumnValues(m.zaznam, 9), 0), -1);
    EXPECT_EQ(ColumnStatistic(ColumnValues(m.zaznam, 9), 7), -1);
    EXPECT_EQ(ColumnStatistic({}, kStatistikaPrumer), -1);
    const Real velke = std::numeric_limits<Real>::max();
    EXPECT_EQ(ColumnStatistic({velke, velke}, kStatistikaPrumer), -1);
    EXPECT_EQ(ColumnStatistic({std::numeric_limits<Real>::quiet_NaN()}, kStatistikaPrumer), -1);
    EXPECT_EQ(RealQuantity(7), &Tzaznam::vyska_stn);
    EXPECT_EQ(RealQuantity(20), &Tzaznam::sig_posun);
    EXPECT_EQ(RealQuantity(21), nullptr);
}

}  // namespace
}  // namespace vertano
