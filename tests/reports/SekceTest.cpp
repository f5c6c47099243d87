// The section writers: what each table shows, and what it leaves out.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "data/Tjazyk.h"
#include "matice/Konstanty.h"
#include "reports/SekceProtokolu.h"
#include "reports/TextyProtokolu.h"

namespace vertano {
namespace {

class Sekce : public ::testing::Test {
  protected:
    Sekce() {
        n.Default();
        n.typJazyk = 1;
        j.Default(n);
    }
    // The lines of the document.
    std::vector<std::string> Radky() const { return p.Radky(); }
    // The lines after "Data:" and its "~" line.
    std::vector<std::string> Tabulka() const {
        const std::vector<std::string> r = Radky();
        const auto data = std::find(r.begin(), r.end(), "Data:");
        return data == r.end() ? std::vector<std::string>{}
                               : std::vector<std::string>(data + 2, r.end());
    }
    bool Obsahuje(const std::string& radek) const {
        const std::vector<std::string> r = Radky();
        return std::find(r.begin(), r.end(), radek) != r.end();
    }

    Tnastaveni n;
    Tjazyk j;
    Tprotokol p;
};

Tzaznam Radek(int32_t poradi, const std::string& stn, const std::string& cil, int32_t skupina) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.skupina = skupina;
    z.cislo_stn = stn;
    z.cislo_cil = cil;
    z.vyska_stn = 1.5L;
    z.vyska_cil = 1.6L;
    z.smer = kPi / 2;
    z.zenit = kPi / 2;
    z.delka = 100;
    return z;
}

TEST_F(Sekce, StationsGetTheirOwnRowsAndEmptyOnesOnlyTheirLines) {
    Tmereni m;
    m.PridejZaznam(Radek(1, "A", "B", 1));
    m.PridejZaznam(Radek(3, "C", "A", 1));
    m.zaznam.back().delka = 0;  // no distance measured
    // A row of station 1 after station 3: still station 1's, and only there;
    // station 3 is not lost because the list ends with another station.
    m.PridejZaznam(Radek(1, "A", "D", 2));
    zapsatMereni(p, m, Tvahy{}, n, j, 1, "A-01 Raw");
    EXPECT_EQ(Tabulka(), (std::vector<std::string>{
                             "A  B    C[m]     D[gon]     E[gon]      F[m]",
                             "--------------------------------------------",
                             "[1] A (1.5000)",
                             "--------------------------------------------",
                             "1  B  1.6000  100.00000  100.00000  100.0000",
                             "2  D  1.6000  100.00000  100.00000  100.0000",
                             "--------------------------------------------",
                             "[2]",
                             "--------------------------------------------",
                             "--------------------------------------------",
                             "[3] C (1.5000)",
                             "--------------------------------------------",
                             "1  A  1.6000  100.00000  100.00000         0",
                         }));
    EXPECT_TRUE(Obsahuje("[Serial number] Number of standpoint (Height of standpoint [m])"));
}

TEST_F(Sekce, MeasurementsBeforeAdjustmentNoteTheKindsDeviations) {
    Tmereni m;
    m.PridejZaznam(Radek(1, "A", "B", 1));
    m.zaznam[0].sig_smer = 0.5L * kPi / 200000;
    Tvahy vahy;
    vahy.smer.odchylka = kPi / 200000;
    zapsatMereni(p, m, vahy, n, j, 4, "B-04 Before");
    EXPECT_TRUE(Obsahuje("F: Horizontal direction - Standard deviation [mgon] (1.000)"));
    EXPECT_TRUE(Obsahuje("H: Slope distance - Standard deviation [mm] (-)"));
    EXPECT_EQ(Tabulka().back(), "1  B  100.00000  100.00000  100.0000    0.500        -      -");
}

TEST_F(Sekce, SupplementaryDeviationNotSetIsADashZeroIsANumber) {
    Tmereni m;
    for (const Real sig : {-1.0L, 0.0L}) {
        Tzaznam z = Radek(1, "P1", "P2", 0);
        z.delka = -12.5L;
        z.sig_delka = sig;
        m.PridejZaznam(z);
    }
    zapsatDoplnek(p, m, n, j, 3, "B-04-4 Height difference");
    EXPECT_TRUE(Obsahuje("E: Standard deviation [mm] (1.00)"));
    const std::vector<std::string> t = Tabulka();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[2], "1  P1  P2  -12.5000      -");
    EXPECT_EQ(t[3], "2  P1  P2  -12.5000   0.00");
}

Tbod Bod(const std::string& cislo, Real x, Real y, bool fixni) {
    Tbod b = Tbod::Prazdny();
    b.cislo = cislo;
    b.X = x;
    b.Y = y;
    b.Z = 5;
    b.UpravPresnost().sig_X = 0.001L;
    b.UpravPresnost().sig_Y = 0.002L;
    b.UpravPresnost().sig_Z = 0.003L;
    b.zkresleni = 1;
    b.JePlny = true;
    b.JeFixni = fixni;
    return b;
}

TEST_F(Sekce, CoordinateOrderYBeforeXSwapsColumnsDeviationsAndNotes) {
    Tsouradnice s;
    s.PridejBod(Bod("1", 100, 200, false));
    n.jednotky.poradiSouradnice = 1;
    n.transformace.odchylka_zadanaSmer = 0.004L;  // the note of X
    zapsatSouradnice(p, s, TmodelSite{}, n, j, 3, "D-01-2 Identical");
    EXPECT_TRUE(Obsahuje("C: Coordinate Y [m]"));
    EXPECT_TRUE(Obsahuje("F: Coordinate Y - Standard deviation [mm] (2.00)"));
    EXPECT_TRUE(Obsahuje("G: Coordinate X - Standard deviation [mm] (4.00)"));
    EXPECT_EQ(Tabulka().back(), "1  1  200.0000  100.0000  5.0000   2.00   1.00   3.00");
}

TEST_F(Sekce, FixedPointsHaveNoDeviationsAndBothAccuraciesWidenTheColumns) {
    Tsouradnice s;
    s.PridejBod(Bod("1", 100, 200, false));
    s.PridejBod(Bod("2", -100, 200, true));
    TmodelSite model;
    Stav(model).odchylkaJednotkovaAprior = 1;
    Stav(model).odchylkaJednotkovaAposterior = 2;
    zapsatSouradnice(p, s, model, n, j, 6, "C-02 Adjusted coordinates");
    EXPECT_EQ(Radky()[2], "C-02 Adjusted coordinates (A priori / A posteriori accuracy)");
    const std::vector<std::string> t = Tabulka();
    EXPECT_EQ(t[0], "A  B       C[m]      D[m]    E[m]        F[mm]        G[mm]        H[mm]");
    EXPECT_EQ(t[2], "1  1   100.0000  200.0000  5.0000  1.00 : 2.00  2.00 : 4.00  3.00 : 6.00");
    EXPECT_EQ(t[3], "2  2  -100.0000  200.0000  5.0000            -            -            -");
    p.Clear();
    zapsatSouradnice(p, s, model, n, j, 5, "C-02 Adjusted coordinates");
    EXPECT_EQ(Tabulka()[3], "2  2  -100.0000  200.0000  5.0000      -      -      -");
}

TEST_F(Sekce, ScaleFactorEqualToTheDefaultIsADash) {
    Tsouradnice s;
    s.PridejBod(Bod("1", 0, 0, true));
    s.PridejBod(Bod("2", 0, 0, true));
    s.bod[1].zkresleni = 0.9996L;
    zapsatSouradnice(p, s, TmodelSite{}, n, j, 2, "B-02 Fixed points");
    EXPECT_TRUE(Obsahuje("F: Scale factor (1.00000000)"));
    EXPECT_EQ(Tabulka()[2].back(), '-');
    EXPECT_NE(Tabulka()[3].find("0.99960000"), std::string::npos);
    // When the default is not 1, a factor of 1 is a number like any other.
    p.Clear();
    n.redukceMereni.zakladniZkresleni = 0.9996L;
    zapsatSouradnice(p, s, TmodelSite{}, n, j, 2, "B-02 Fixed points");
    EXPECT_NE(Tabulka()[2].find("1.00000000"), std::string::npos);
    EXPECT_EQ(Tabulka()[3].back(), '-');
}

TmerenaVelicina Velicina(int32_t poradi, bool odlehly) {
    TmerenaVelicina v = TmerenaVelicina::Prazdny();
    v.poradi = poradi;
    v.cislo_stn = "A";
    v.cislo_cil = "B";
    v.hodnota = 10;
    v.oprava = -0.0123L;
    v.normOprava = -2.5L;
    v.mezniOprava = 0.01L;
    v.odchylkaOprava = 0.001L;
    v.jePlny = true;
    v.jeOdlehly = odlehly;
    return v;
}

TEST_F(Sekce, OutlierTablesListOnlyFlaggedObservations) {
    TvektorMereni v;
    v.PridejZaznam(Velicina(0, false));
    zapsatOdlehleMer(p, v, n, j, DruhProtokolu::DoplnekDelka, "C-04-4 Outliers");
    EXPECT_TRUE(p.text.empty());  // not even the title
    v.PridejZaznam(Velicina(4, true));
    zapsatOdlehleMer(p, v, n, j, DruhProtokolu::DoplnekDelka, "C-04-4 Outliers");
    // Supplementary observations are counted from 0 in the model, from 1 here.
    EXPECT_EQ(Tabulka(), (std::vector<std::string>{"A  B  C     D[m]     E[m]       F    G[m]",
                                                   "-----------------------------------------",
                                                   "5  A  B  10.0000  -0.0123  -2.500  0.0100"}));
}

TEST_F(Sekce, AdjustedObservationsScaleTheirDeviations) {
    TvektorMereni v;
    v.PridejZaznam(Velicina(1, false));
    v.zaznam[0].mezniOprava = 9.9877L;
    v.zaznam[0].skupina = 1;
    TmodelSite model;
    Stav(model).odchylkaJednotkovaAprior = 1;
    Stav(model).odchylkaJednotkovaAposterior = 0.5L;
    zapsatVyrMer(p, v, model, n, j, 2, DruhProtokolu::Delka, "C-05-3 Adjusted");
    EXPECT_EQ(Radky()[2], "C-05-3 Adjusted (A posteriori accuracy)");
    EXPECT_EQ(Tabulka().back(), "1  B  9.9877   0.50  -0.0123  -2.500");
}

// With the reliability: the redundancy number, the minimal detectable error
// scaled like the deviation, a mark on the uncontrolled observation and its
// legend; "-" where no error can be detected.
TEST_F(Sekce, AdjustedObservationsShowTheirReliability) {
    TvektorMereni v;
    v.PridejZaznam(Velicina(0, false));
    v.PridejZaznam(Velicina(1, false));
    for (TmerenaVelicina& z : v.zaznam) z.mezniOprava = 9.9877L;
    v.zaznam[0].redundance = 0.5L;
    v.zaznam[0].mdb = 0.004L;
    v.zaznam[1].redundance = 0.004L;
    v.zaznam[1].jeNekontrolovane = true;
    TmodelSite model;
    Stav(model).odchylkaJednotkovaAprior = 1;
    Stav(model).odchylkaJednotkovaAposterior = 0.5L;
    zapsatVyrMer(p, v, model, n, j, 2, DruhProtokolu::DoplnekDelka, "C-05-5 Adjusted");
    EXPECT_TRUE(Obsahuje("H: Redundancy number (* < 0.01: Uncontrolled observations)"));
    EXPECT_TRUE(Obsahuje("I: Minimal detectable error [mm]"));
    EXPECT_EQ(Tabulka(),
              (std::vector<std::string>{"A  B  C    D[m]  E[mm]     F[m]       G       H  I[mm]",
                                        "------------------------------------------------------",
                                        "1  A  B  9.9877   0.50  -0.0123  -2.500  0.500    2.00",
                                        "2  A  B  9.9877   0.50  -0.0123  -2.500  0.004*      -"}));
}

}  // namespace
}  // namespace vertano
