#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "data/SouradniceTestPomocne.h"
#include "files/EtapaSoubor.h"
#include "matice/MatrixTypes.h"

namespace vertano {
namespace {

using Lines = std::vector<std::string>;

TEST(EpochFile, SectionsCountsPointsAndTenCofactorsPerLine) {
    Tbod a = test::Plny("1", 1000.12345678, 2000.5, 300.0000004);
    Tbod b = test::Plny("2", 1100, 2100, 310);
    Tbod c = test::Plny("3", 900, 1900, 290);
    c.JeFixni = true;
    const Tsouradnice body = test::Seznam({a, b, c});
    Tmatrix q(6, Tvector(6, 0));
    for (size_t i = 0; i < 6; ++i)
        for (size_t k = 0; k < 6; ++k) q[i][k] = static_cast<Real>(10 * (i + 1) + k + 1);
    EtapaObsah e;
    e.pocetSmer = 12;
    e.pocetBodu = 3;
    e.pocetBoduUrcovanych = 2;
    e.pocetBoduFixnich = 1;
    e.odchylkaJednotkovaAprior = 1;
    e.odchylkaJednotkovaAposterior = 0.87654321L;
    e.body = &body;
    e.kofaktory = KofaktoryEtapy(q, 6);
    e.mereni = "0 1 2 2 2 0 0 0 -1\r\n0 2 2 2 2 0 1 0 -1";
    Lines t;
    ASSERT_TRUE(EtapaText(e, t).ok);
    ASSERT_EQ(t.size(), 2u + 17 + 2 + 3 + 2 + 3 + 2 + 2);
    EXPECT_EQ(t[0], "<1>");
    EXPECT_EQ(t[1], "12");
    EXPECT_EQ(t[9], "3");
    EXPECT_EQ(t[17], "0.87654321");
    EXPECT_EQ(t[18], "</1>");
    EXPECT_EQ(t[20], "1\t1000.123457\t2000.5\t300\t0\t-1");
    EXPECT_EQ(t[22], "3\t900\t1900\t290\t-1\t-1");
    // 21 values: Q[0][0], Q[1][0], ..., Q[5][0], Q[1][1], ... on lines of 10, 10, 1.
    EXPECT_EQ(t[25], "11 21 31 41 51 61 22 32 42 52");
    EXPECT_EQ(t[26], "62 33 43 53 63 44 54 64 55 65");
    EXPECT_EQ(t[27], "66");
    EXPECT_EQ(t[28], "</3>");
    EXPECT_EQ(t[30], "0 1 2 2 2 0 0 0 -1");
    EXPECT_EQ(t[32], "</4>");
}

TEST(EpochFile, AValueThatIsNotANumberWritesNothing) {
    EtapaObsah e;
    e.kofaktory = {1, std::numeric_limits<Real>::quiet_NaN()};
    Lines t = {"stale"};
    const FileResult r = EtapaText(e, t);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(t.empty());
    EXPECT_TRUE(KofaktoryEtapy(Tmatrix(2, Tvector(2, 0)), 3).empty());
}

}  // namespace
}  // namespace vertano
