#include <gtest/gtest.h>

#include "workspace/VystupyVyrovnani.h"
#include "workspace/Workspace.h"

namespace vertano {
namespace {

void DvaBody(Workspace& ws) {
    for (const char* cislo : {"4001", "4002"}) {
        Tbod b = Tbod::Prazdny();
        b.cislo = cislo;
        b.JePlny = true;
        b.JeFixni = true;
        ws.souradniceFixni.PridejBod(b);
    }
    ws.state.Computed(Step::Analysis);
}

// A misspelt name frees nothing at all: adjusting with the other points freed
// and that one still fixed would go unnoticed.
TEST(UvolneniBodu, AnUnknownNameChangesNothingAndFreeingInvalidatesTheAnalysis) {
    Workspace ws;
    DvaBody(ws);
    const VysledekUvolneni chyba = UvolnitBody(ws, false, {"4001", "40O2"});
    EXPECT_FALSE(chyba.ok);
    EXPECT_EQ(chyba.nenalezene, std::vector<std::string>{"40O2"});
    EXPECT_TRUE(ws.souradniceFixni.bod[0].JeFixni);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));

    EXPECT_TRUE(UvolnitBody(ws, false, {"4002"}).ok);
    EXPECT_TRUE(ws.souradniceFixni.bod[0].JeFixni);
    EXPECT_FALSE(ws.souradniceFixni.bod[1].JeFixni);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));

    EXPECT_TRUE(UvolnitBody(ws, true, {}).ok);
    EXPECT_FALSE(ws.souradniceFixni.bod[0].JeFixni);
}

}  // namespace
}  // namespace vertano
