#include <gtest/gtest.h>

#include "processing/SkupinyTestPomocne.h"
#include "processing/Tosnova.h"

namespace vertano {
namespace {

using namespace testskupiny;

TEST(Tosnova, SizingAndRows) {
    Tosnova o(2, 3);
    o.stanovisko[0].zaznam[0].cislo_cil = "A";
    o.Velikost(3, 1);
    ASSERT_EQ(o.PocetStanovisek(), 3);
    EXPECT_EQ(o.stanovisko[0].zaznam[0].cislo_cil, "A");  // kept
    EXPECT_EQ(o.stanovisko[2].zaznam.size(), 1u);
    EXPECT_FALSE(o.stanovisko[2].zaznam[0].JePlny());
    EXPECT_TRUE(o.PridejZaznam(2, PrvniPoloha(1, "B")));
    EXPECT_FALSE(o.PridejZaznam(3, PrvniPoloha(1, "B")));
    EXPECT_FALSE(o.PridejZaznam(-1, PrvniPoloha(1, "B")));
    o.Velikost(-4, 2);
    EXPECT_EQ(o.PocetStanovisek(), 0);
}

TEST(Tosnova, NactiMereniGroupsByStationAndRenumbers) {
    Tmereni m = Seznam({PrvniPoloha(7, "A"), PrvniPoloha(7, "B"), PrvniPoloha(3, "C"),
                        Tzaznam::Prazdny(), PrvniPoloha(7, "D"), PrvniPoloha(2000000000, "E")});
    Tosnova o;
    o.NactiMereni(m);
    ASSERT_EQ(o.PocetStanovisek(), 3);
    EXPECT_EQ(o.stanovisko[1].poradi, 2);
    EXPECT_EQ(Cile(Seznam(o.stanovisko[1].zaznam)), (std::vector<std::string>{"A", "B", "D"}));

    Tmereni zpet;
    zpet.PridejZaznam(PrvniPoloha(9, "Z"));
    o.UlozDoMereni(zpet);
    EXPECT_EQ(Cile(zpet), (std::vector<std::string>{"Z", "C", "A", "B", "D", "E"}));
    const std::vector<int32_t> poradi{9, 1, 2, 2, 2, 3};
    for (size_t i = 0; i < poradi.size(); ++i) EXPECT_EQ(zpet.zaznam[i].poradi, poradi[i]);
}

}  // namespace
}  // namespace vertano
