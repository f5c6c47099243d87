#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adjustment/TmodelSite.h"
#include "workspace/DruhyRadek.h"
#include "workspace/NevyuzitaData.h"
#include "workspace/Workspace.h"

namespace vertano {
namespace {

TEST(DruhyRadek, RedundancyCountsAndTheDatumDefectOfAFreeNetworkInBothLanguages) {
    Workspace ws;
    ws.NastavitJazyk(1);
    PoctyNacteni p{31, 25, 4, -2, Fixace::VolnaDelky};
    EXPECT_EQ(RadekRedundance(ws, p),
              "Unknowns: 31, observations: 25, datum conditions: 4, redundancy: -2 (a free "
              "network: datum defect 4).");
    p.typFixace = Fixace::PevnaSit;
    p.pocetPodminek = 0;
    p.pocetNadbytecnych = -6;
    EXPECT_EQ(RadekRedundance(ws, p),
              "Unknowns: 31, observations: 25, datum conditions: 0, redundancy: -6.");
    ws.NastavitJazyk(0);
    EXPECT_EQ(RadekRedundance(ws, p),
              "Neznámé: 31, měření: 25, podmínky umístění: 0, nadbytečná měření: -6.");
    // Counts that were never taken name nothing.
    EXPECT_EQ(RadekRedundance(ws, PoctyNacteni{}), "");
}

TEST(DruhyRadek, ListsNameTenAndCountTheRest) {
    Workspace ws;
    ws.NastavitJazyk(1);
    std::vector<std::string> jmena;
    for (int i = 1; i <= 12; ++i) jmena.push_back("P" + std::to_string(i));
    EXPECT_EQ(SeznamSDalsimi(ws, jmena), "P1, P2, P3, P4, P5, P6, P7, P8, P9, P10 and 2 more");
    ws.NastavitJazyk(0);
    EXPECT_EQ(SeznamSDalsimi(ws, jmena), "P1, P2, P3, P4, P5, P6, P7, P8, P9, P10 a 2 dalších");
    jmena.resize(10);
    EXPECT_EQ(SeznamSDalsimi(ws, jmena), "P1, P2, P3, P4, P5, P6, P7, P8, P9, P10");
}

TEST(NevyuzitaData, NamesCompareWithoutCaseAndInvisibleCharacters) {
    EXPECT_EQ(PorovnavaciTvar("\xEF\xBB\xBF"
                              "Bod\xC2\xA0"
                              "1"),
              "bod1");
    // Czech capitals fold to their small letters, also from Latin Extended-A.
    EXPECT_EQ(PorovnavaciTvar("\xC4\x8C\xC3\x81P-\xC5\x98"), "\xC4\x8D\xC3\xA1p-\xC5\x99");
    // A byte that is not UTF-8 stays, so two different names never merge by it.
    EXPECT_EQ(PorovnavaciTvar("A\xFF"), "a\xFF");
    EXPECT_EQ(ViditelnyTvar("\xEF\xBB\xBF"
                            "4001\xE2\x80\x8B"),
              "<U+FEFF>4001<U+200B>");

    Tsouradnice zadane;
    for (const char* c : {"4001",
                          "\xC4\x8D"
                          "1",
                          "X9"}) {
        Tbod b = Tbod::Prazdny();
        b.cislo = c;
        b.JePlny = true;
        zadane.PridejBod(b);
    }
    const NevyuzitaData n = NajitNevyuzita(zadane, {"4001",
                                                    "\xC4\x8C"
                                                    "1",
                                                    "Q"});
    EXPECT_EQ(n.zadaneMimoMereni, (std::vector<std::string>{"\xC4\x8D"
                                                            "1",
                                                            "X9"}));
    ASSERT_EQ(n.podobna.size(), 1u);
    EXPECT_EQ(n.podobna[0].merene,
              "\xC4\x8C"
              "1");
    EXPECT_TRUE(n.podobna[0].velikostPismen);
    EXPECT_FALSE(n.podobna[0].neviditelne);
}

}  // namespace
}  // namespace vertano
