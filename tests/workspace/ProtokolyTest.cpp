// The report commands of the workspace: built once while current, rebuilt when
// a result or the language changes, and never half made.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "workspace/Protokoly.h"

namespace vertano::test {
namespace {

bool Upravit(Workspace& ws, ZaznamInterakce& ui) {
    return AnalyzaSuroveMereni(ws, ui).uspech && VyrovnaniSite(ws, ui).uspech;
}

CasProtokolu Cas(int32_t sekunda) {
    return {2026, 12, 8, 14, 5, sekunda};
}

bool Obsahuje(const Tprotokol& p, const std::string& radek) {
    for (const std::string& r : p.Radky())
        if (r == radek) return true;
    return false;
}

class Protokoly : public ::testing::Test {
  protected:
    Protokoly() {
        SimulaceParametry p;
        p.tvar = SimulaceTvar::Tiny;
        NastaveniTestu(ws);
        NacistSit(ws, Generovat(p));
        EXPECT_TRUE(Upravit(ws, ui));
    }
    Workspace ws;
    ZaznamInterakce ui;
};

TEST_F(Protokoly, BuiltOnceWhileCurrentAgainAfterTheLanguageOrTheResultChanged) {
    VysledekProtokolu v = ProtokolVyrovnani(ws, ui, [] { return Cas(1); });
    ASSERT_TRUE(v.uspech);
    EXPECT_FALSE(v.jenZobrazeni);
    EXPECT_TRUE(ws.state.Current(Step::AdjustmentReport));
    EXPECT_TRUE(Obsahuje(ws.protokolVyrovnani, "Created: 2026-12-08 14:05:01"));
    EXPECT_TRUE(Obsahuje(ws.protokolVyrovnani, "C-01 Basic information about network adjustment"));

    v = ProtokolVyrovnani(ws, ui, [] { return Cas(2); });
    EXPECT_TRUE(v.jenZobrazeni);
    EXPECT_TRUE(Obsahuje(ws.protokolVyrovnani, "Created: 2026-12-08 14:05:01"));

    ws.NastavitJazyk(0);
    ASSERT_TRUE(ProtokolVyrovnani(ws, ui, [] { return Cas(3); }).uspech);
    EXPECT_TRUE(Obsahuje(ws.protokolVyrovnani, "Vytvořeno: 08.12.2026 14:05:03"));

    ASSERT_TRUE(Upravit(ws, ui));
    EXPECT_FALSE(ws.state.Current(Step::AdjustmentReport));
}

TEST_F(Protokoly, AFailureShowsTheProtocolErrorAndKeepsNoReport) {
    Stav(ws.modelVyrovnany).souradnice.bod[0].Z = std::numeric_limits<Real>::quiet_NaN();
    ui.oznameni.clear();
    const VysledekProtokolu v = ProtokolVyrovnani(ws, ui, [] { return Cas(1); });
    EXPECT_FALSE(v.uspech);
    EXPECT_EQ(v.oznameni, 26);
    EXPECT_TRUE(ws.protokolVyrovnani.text.empty());
    EXPECT_FALSE(ws.state.Current(Step::AdjustmentReport));
    ASSERT_EQ(ui.oznameni.size(), 1u);
    EXPECT_EQ(ui.oznameni[0].rfind(
                  "Protocol error: An error occurred during the protocol processing!", 0),
              0u);
}

TEST_F(Protokoly, RawMeasurementsAloneGivePartA) {
    Tprotokol p;
    ASSERT_TRUE(ProtokolSurovychMereni(ws, ui, p, [] { return Cas(1); }).uspech);
    EXPECT_TRUE(Obsahuje(p, "Protocol A - Processing of raw measurements"));
    EXPECT_TRUE(Obsahuje(p, "A-04 Mean of measurement sets"));
    EXPECT_FALSE(Obsahuje(p, "Protocol C - Network adjustment"));
    EXPECT_FALSE(ws.state.Current(Step::AdjustmentReport));
    EXPECT_TRUE(ws.protokolVyrovnani.text.empty());
}

}  // namespace
}  // namespace vertano::test
