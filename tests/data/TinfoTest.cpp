#include <gtest/gtest.h>

#include <limits>

#include "data/Tinfo.h"

namespace vertano {
namespace {

TEST(Tinfo, RegistrationNumbersFromOneAndReusesOnlyTheLastId) {
    Tinfo info;
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "/m/a.mtx", 0, true, 10), 1);
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "/m/b.mtx", 0, true, 10), 2);
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "/m/c.mtx", 0, true, 10), 3);
    info.SmazSoubor(3, info::kSurovaMereni);
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "/m/d.mtx", 0, true, 10), 3);
    info.SmazSoubor(2, info::kSurovaMereni);
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "/m/e.mtx", 0, true, 10), 4);
    // Each kind numbers its own list.
    EXPECT_EQ(info.RegistrovatSoubor(info::kDoplnekProvazeni, "p.txt", 0, true, 1), 1);
    EXPECT_EQ(info.RegistrovatSoubor(8, "x.txt", 0, true, 1), 0);
    EXPECT_EQ(info.RegistrovatSoubor(-1, "x.txt", 0, true, 1), 0);
}

TEST(Tinfo, RegisteredEntrySplitsThePath) {
    Tinfo info;
    info.RegistrovatSoubor(info::kSouradniceFixni, "/data/sit 1/body.v2.txt", 1, false, 7);
    const info::Tsoubor& s = info.souborySouradniceFixni.at(0);
    EXPECT_EQ(s.jmeno, "body.v2.txt");
    EXPECT_EQ(s.cesta, "/data/sit 1/");
    EXPECT_EQ(s.pripona, ".txt");
    EXPECT_EQ(s.typ, 1);
    EXPECT_FALSE(s.nacteni);
    EXPECT_EQ(s.hlaseni, 7);

    const info::Tsoubor holy = info::FileEntryFromPath("mereni", 0, true, 0);
    EXPECT_EQ(holy.jmeno, "mereni");
    EXPECT_EQ(holy.cesta, "");
    EXPECT_EQ(holy.pripona, "");
    EXPECT_EQ(info::FileEntryFromPath("/a.asc", 1, true, 0).cesta, "/");
    EXPECT_EQ(info::FileEntryFromPath("/d/\xc5\xa1um.ASC", 1, true, 0).pripona, ".ASC");
}

TEST(Tinfo, IdsStayUniqueWhenEntriesArriveOutOfOrder) {
    Tinfo info;
    info::Tsoubor s;
    s.ID = 5;
    info.PridejSoubor(s, info::kSurovaMereni);
    s.ID = 2;
    info.PridejSoubor(s, info::kSurovaMereni);
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "a.mtx", 0, true, 1), 6);

    Tinfo plny;
    s.ID = std::numeric_limits<int32_t>::max();
    plny.PridejSoubor(s, info::kSurovaMereni);
    s.ID = 1;
    plny.PridejSoubor(s, info::kSurovaMereni);
    EXPECT_EQ(plny.RegistrovatSoubor(info::kSurovaMereni, "a.mtx", 0, true, 1), 2);
}

TEST(Tinfo, CountsAndListsPerKind) {
    Tinfo info;
    info.RegistrovatSoubor(info::kDoplnekDelka, "a.txt", 0, true, 4);
    info.RegistrovatSoubor(info::kDoplnekDelka, "b.txt", 0, false, 3);  // failed at line 3
    info.RegistrovatSoubor(info::kDoplnekDelka, "c.txt", 0, true, 1);
    EXPECT_EQ(info.VratPocetSouboru(info::kDoplnekDelka), 3);
    EXPECT_EQ(info.VratUspesneNactenychSouboru(info::kDoplnekDelka), 2);
    EXPECT_EQ(info.VratPocetSouboru(info::kDoplnekSmernik), 0);
    EXPECT_EQ(info.VratPocetSouboru(12), 0);
    EXPECT_EQ(info.VratUspesneNactenychSouboru(-4), 0);
    EXPECT_EQ(info.VratSoubory(info::kDoplnekDelka).at(1).jmeno, "b.txt");

    info.RegistrovatSoubor(info::kSurovaMereni, "raw.asc", 1, true, 9);
    EXPECT_EQ(&info.VratSoubory(99), &info.souborySurovaMereni);

    info.PocetSouboru(5, info::kDoplnekDelka);
    EXPECT_EQ(info.VratPocetSouboru(info::kDoplnekDelka), 5);
    EXPECT_EQ(info.souboryDoplnekDelka[4].ID, 0);
    info.PocetSouboru(1, info::kDoplnekDelka);
    EXPECT_EQ(info.VratPocetSouboru(info::kDoplnekDelka), 1);
    info.PocetSouboru(-1, info::kDoplnekDelka);
    EXPECT_EQ(info.VratPocetSouboru(info::kDoplnekDelka), 0);
    info.PocetSouboru(3, 8);  // unknown kind: nothing
    info.PridejSoubor(info::Tsoubor{}, 8);
    info.SmazSoubor(1, 8);
    EXPECT_EQ(info.VratPocetSouboru(info::kSurovaMereni), 1);
}

TEST(Tinfo, SmazSouborRemovesEveryEntryWithTheIdKeepingOrder) {
    Tinfo info;
    for (const int32_t id : {1, 2, 1, 3}) {
        info::Tsoubor s;
        s.ID = id;
        s.jmeno = std::to_string(id);
        info.PridejSoubor(s, info::kSouradniceMeritkoVstup);
    }
    info.SmazSoubor(1, info::kSouradniceMeritkoVstup);
    const auto& seznam = info.VratSoubory(info::kSouradniceMeritkoVstup);
    ASSERT_EQ(seznam.size(), 2u);
    EXPECT_EQ(seznam[0].jmeno, "2");
    EXPECT_EQ(seznam[1].jmeno, "3");
}

TEST(Tinfo, DefaultEmptiesFilesAndKeepsTheInputsOfTheAnalysis) {
    Tinfo info;
    for (int typ = 0; typ < info::kPocetTypu; ++typ) {
        info.RegistrovatSoubor(typ, "/x/f.txt", 0, true, 1);
    }
    info.souborProjekt = info::FileEntryFromPath("/p/projekt.gpr", 0, true, 0);
    info.souborProjekt.ID = 1;
    info.infoVahy.smer.vnitrniPresnost = true;
    info.infoVahy.typVah = ZdrojVah::Vnejsi;
    info.analyzaMereni.doplnekDelka = true;

    info.Default();
    for (int typ = 0; typ < info::kPocetTypu; ++typ) EXPECT_EQ(info.VratPocetSouboru(typ), 0);
    EXPECT_EQ(info.souborProjekt.ID, 0);
    EXPECT_TRUE(info.souborProjekt.jmeno.empty() && info.souborProjekt.cesta.empty());
    EXPECT_FALSE(info.souborProjekt.nacteni);
    EXPECT_FALSE(info.infoVahy.smer.vnitrniPresnost);
    EXPECT_EQ(info.infoVahy.typVah, ZdrojVah::Neurcen);
    EXPECT_TRUE(info.analyzaMereni.doplnekDelka);
    EXPECT_EQ(info.RegistrovatSoubor(info::kSurovaMereni, "a.mtx", 0, true, 1), 1);
}

}  // namespace
}  // namespace vertano
