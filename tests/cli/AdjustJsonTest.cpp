#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "AdjustResults.h"
#include "JsonTestParser.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/Spolehlivost.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"
#include "processing/KontrolaMereni.h"
#include "workspace/Simulace.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano::cli {
namespace {

using test::Json;

// A network with gross errors and supplementary measurements, analysed and
// adjusted by the library as the main window would do it.
class AdjustedWorkspace : public ::testing::Test {
  protected:
    void SetUp() override {
        SimulaceParametry p;
        p.tvar = SimulaceTvar::Grid;
        p.pocetBodu = 12;
        p.pocetSousedu = 6;
        p.doplnky = true;
        p.pocetHrubych = 3;
        p.hrubaUhel = MgonNaRad(6);
        p.hrubaDelka = MmNaM(20);
        SimulovanaSit sit;
        std::string chyba;
        ASSERT_TRUE(Simulovat(p, sit, chyba)) << chyba;
        ws.nastaveni.typJazyk = 1;
        ws.ObnovitTexty();
        ws.suroveMereni = sit.mereni;
        ws.souradniceFixni = sit.zadane;
        ws.doplnekVstup = sit.doplnek;
        KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
        SilentInteraction ui(true);
        ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech) << ui.lastText;
        ASSERT_TRUE(VyrovnaniSite(ws, ui).uspech) << ui.lastText;
        std::string text;
        for (const std::string& line : AdjustmentJson(ws)) text += line + "\n";
        test::JsonParser parser(text);
        ASSERT_TRUE(parser.Parse(json)) << parser.error;
    }

    Workspace ws;
    Json json;
};

// Equal as the double the writer rounds to.
void ExpectSame(const Json& v, Real expected, const std::string& what) {
    ASSERT_EQ(v.type, Json::Type::Number) << what;
    EXPECT_EQ(v.number, static_cast<double>(expected)) << what;
}

TEST_F(AdjustedWorkspace, SummaryIsTheModels) {
    const TmodelSite& m = ws.modelVyrovnany;
    const Json& s = json["summary"];
    ASSERT_EQ(s.size(), 9u);
    EXPECT_EQ(s["unknowns"].number, m.Vysledek().PocetNeznamych());
    EXPECT_EQ(s["observations"].number, m.Vysledek().PocetMereni());
    EXPECT_EQ(s["redundancy"].number, m.Vysledek().PocetNadbytecnych());
    ExpectSame(s["sigma0_apriori"], m.Vysledek().OdchylkaJednotkovaAprior(), "sigma0");
    ExpectSame(s["sigma0_aposteriori"], m.Vysledek().OdchylkaJednotkovaAposterior(), "sigma0");
    EXPECT_EQ(s["iterations"].number, m.Vysledek().PocetIteraci());
    EXPECT_EQ(s["datum_type"].text, DatumKey(m.Vysledek().TypFixace()));
    EXPECT_EQ(s["weight_source"].text, "inner");
    int32_t total = 0;
    for (const Velicina typ : druhy::kPoradi) {
        const int32_t n = druhy::PocetOdlehlych(ws.modelOdlehly, typ);
        EXPECT_EQ(s["outliers"][std::string(ObservationKindKey(typ))].number, n);
        total += n;
    }
    EXPECT_EQ(json["outliers"].size(), static_cast<size_t>(total));
    EXPECT_GE(total, 3);
}

TEST_F(AdjustedWorkspace, PointsCarryTheirAccuracyForTheAprioriUnitDeviation) {
    const TmodelSite& m = ws.modelVyrovnany;
    const Real s0 = m.Vysledek().OdchylkaJednotkovaAprior();
    const Json& points = json["points"];
    ASSERT_EQ(points.size(), m.Vysledek().Souradnice().bod.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const Tbod& b = m.Vysledek().Souradnice().bod[i];
        const Json& p = points[i];
        EXPECT_EQ(p["name"].text, b.cislo);
        ExpectSame(p["x"], b.X, b.cislo);
        ExpectSame(p["y"], b.Y, b.cislo);
        ExpectSame(p["z"], b.Z, b.cislo);
        EXPECT_EQ(p["fixed"].boolean, b.JeFixni);
        if (b.JeFixni) {
            EXPECT_TRUE(p["sx"].IsNull() && p["ellipse"].IsNull() && p["ellipsoid"].IsNull());
            continue;
        }
        ExpectSame(p["sx"], b.Presnost().sig_X * s0, b.cislo);
        ExpectSame(p["sz"], b.Presnost().sig_Z * s0, b.cislo);
        ExpectSame(p["ellipse"]["a"], b.Presnost().elipsa.a_delka * s0, b.cislo);
        ExpectSame(p["ellipse"]["bearing"], b.Presnost().elipsa.a_smernik, b.cislo);
        ASSERT_EQ(p["ellipsoid"].size(), 3u);
        ExpectSame(p["ellipsoid"][1]["length"], b.Presnost().elipsoid.b_delka * s0, b.cislo);
        ExpectSame(p["ellipsoid"][2]["zenith"], b.Presnost().elipsoid.c_zenit, b.cislo);
    }
    // Determined points first, then the fixed ones.
    EXPECT_FALSE(points[0]["fixed"].boolean);
    EXPECT_TRUE(points[points.size() - 1]["fixed"].boolean);
}

TEST_F(AdjustedWorkspace, ObservationsInEquationOrderWithTheirEvaluation) {
    const TmodelSite& m = ws.modelVyrovnany;
    const Real s0 = m.Vysledek().OdchylkaJednotkovaAprior();
    size_t i = 0;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(m, typ).zaznam) {
            ASSERT_LT(i, json["observations"].size());
            const Json& o = json["observations"][i++];
            EXPECT_EQ(o["kind"].text, ObservationKindKey(typ));
            EXPECT_EQ(o["station"].text, z.cislo_stn);
            EXPECT_EQ(o["target"].text, z.cislo_cil);
            ExpectSame(o["value"], z.hodnota, "value");
            ExpectSame(o["residual"], z.oprava, "residual");
            ExpectSame(o["normalised_residual"], z.normOprava, "normalised");
            ExpectSame(o["adjusted"], z.mezniOprava, "adjusted");
            ExpectSame(o["sigma_adjusted"], z.odchylkaOprava * s0, "sigma");
            ExpectSame(o["redundancy"], z.redundance, "redundancy");
            if (z.mdb < 0) {
                EXPECT_TRUE(o["mdb"].IsNull());
            } else {
                ExpectSame(o["mdb"], z.mdb * s0, "mdb");
                ExpectSame(o["mdb_shift"], z.mdbPosun * s0, "mdb shift");
            }
        }
    }
    EXPECT_EQ(i, json["observations"].size());
    EXPECT_EQ(json["orientations"].size(), static_cast<size_t>(m.Vysledek().PocetPosunu()));
    for (size_t k = 0; k < m.Vysledek().Posun().zaznam.size(); ++k) {
        const TmerenaVelicina& z = m.Vysledek().Posun().zaznam[k];
        const Json& o = json["orientations"][k];
        EXPECT_EQ(o["occupation"].number, z.poradi);
        EXPECT_EQ(o["station"].text, z.cislo_stn);
        ExpectSame(o["value"], z.hodnota, "orientation");
        ExpectSame(o["sigma"], z.odchylka * s0, "orientation sigma");
    }
}

TEST_F(AdjustedWorkspace, RedundancyNumbersAddUpAndUncontrolledAreListed) {
    double soucet = 0;
    size_t nekontrolovanych = 0;
    for (size_t i = 0; i < json["observations"].size(); ++i) {
        const Json& o = json["observations"][i];
        soucet += o["redundancy"].number;
        if (o["redundancy"].number < 0.01) ++nekontrolovanych;
    }
    EXPECT_NEAR(soucet, json["summary"]["redundancy"].number, 1e-6);
    ASSERT_EQ(nekontrolovanych, static_cast<size_t>(PocetNekontrolovanych(ws.modelVyrovnany)));
    // The points at risk, each with the uncontrolled observations behind it.
    const Json& u = json["uncontrolled"];
    ASSERT_EQ(u.size(), NekontrolovaneBody(ws.modelVyrovnany).size());
    for (size_t i = 0; i < u.size(); ++i) {
        EXPECT_FALSE(u[i]["point"].text.empty());
        EXPECT_TRUE(u[i]["reason"].text == "side_shot" ||
                    u[i]["reason"].text == "depends_on_uncontrolled");
        for (const Json& o : u[i]["observations"].items) EXPECT_LT(o["redundancy"].number, 0.01);
    }
}

TEST_F(AdjustedWorkspace, OutliersKeepTheirTestValues) {
    size_t i = 0;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(ws.modelOdlehly, typ).zaznam) {
            if (!z.jeOdlehly) continue;
            const Json& o = json["outliers"][i++];
            EXPECT_EQ(o["kind"].text, ObservationKindKey(typ));
            EXPECT_EQ(o["station"].text, z.cislo_stn);
            ExpectSame(o["residual"], z.oprava, "residual");
            ExpectSame(o["sigma_residual"], z.odchylkaOprava, "sigma_v");
            ExpectSame(o["limit"], z.mezniOprava, "limit");
            EXPECT_GT(std::fabs(o["residual"].number), o["limit"].number);
        }
    }
    EXPECT_EQ(i, json["outliers"].size());
}

}  // namespace
}  // namespace vertano::cli
