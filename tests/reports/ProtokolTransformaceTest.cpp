// The assembly of the transformation reports under their switches, the basic
// information about the identical points, and the file-adding report.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "reports/OddilyProtokolu.h"
#include "reports/ProtokolTransformace.h"
#include "transformation/TransformacePomocne.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano {
namespace {

// Eight identical points with a wrong X on the fifth, transformed with and
// without rejection; the network is the input points, the first six determined.
class TransformacniProtokol : public ::testing::Test {
  protected:
    TransformacniProtokol() {
        n = test::NastaveniTransformace(0.003L);
        n.typJazyk = 1;
        j.Default(n);
        const Tsouradnice vstup = test::VstupniBody();
        Tsouradnice vystup = test::VystupniBody(vstup, {100, 200, 3, 1}, 0.001L, 4);
        vystup.bod[4].X += 0.3L;
        pary = test::Pary(vstup, vystup);
        Stav(sit).souradnice = vstup;
        for (int i = 6; i < 8; ++i)
            Stav(sit).souradnice.bod[static_cast<std::size_t>(i)].JeFixni = true;
        Stav(sit).pocetSouradnic = 24;
        Stav(sit).pocetSouradnicUrcovanych = 18;
        Stav(sit).odchylkaJednotkovaAprior = 1;
        Stav(sit).odchylkaJednotkovaAposterior = 1.1L;
        Tmatrix Q(18, Tvector(18));
        for (std::size_t i = 0; i < 18; ++i) Q[i][i] = 1e-6L * (1 + i % 3);
        sit.SetCofactors(Q);
        Transformovat();
    }

    void Transformovat() {
        m.Clear();
        o.Clear();
        ASSERT_TRUE(test::Spustit(m, o, pary, n)) << m.Vysledek().Chyba();
        sv.NacistIdentickeBody(pary);
        ASSERT_TRUE(sv.Nacist(sit));
        ASSERT_TRUE(sv.TransformaceSVyrovnanim(sit, m.Vysledek().TransformacniKlic()));
    }

    std::vector<std::string> Postav() {
        bool vytvoreno = false;
        const VstupProtokoluTransformace v{n, j, pary, m, o, sv, bs, sit};
        EXPECT_TRUE(zapsatTransformaceSVyrovnanim(
            p, v, [] { return CasProtokolu{2026, 1, 2, 3, 4, 5}; }, vytvoreno));
        return p.Radky();
    }

    static bool Ma(const std::vector<std::string>& r, const std::string& zacatek) {
        return std::any_of(r.begin(), r.end(),
                           [&](const std::string& s) { return s.rfind(zacatek, 0) == 0; });
    }

    static std::string Hodnota(const std::vector<std::string>& r, const std::string& popis,
                               int kolikaty = 1) {
        for (const std::string& s : r) {
            if (s.rfind(popis, 0) == 0 && --kolikaty == 0)
                return s.substr(s.find_first_not_of(' ', popis.size()));
        }
        return "<none>";
    }

    Tnastaveni n;
    Tjazyk j;
    Tsouradnice pary;
    TmodelSite sit;
    TmodelTransformaceVyrovnani m, o;
    TmodelTransformacePrevod sv, bs;
    Tprotokol p;
};

// Every section: the outlier found, its table, the adjusted coordinates; the key
// section's translations and a priori / a posteriori deviations.
TEST_F(TransformacniProtokol, VsechnyOddily) {
    VsechnyOddily(n.protokol);
    const std::vector<std::string> r = Postav();
    EXPECT_EQ(r[5], "Protocol D - Transformation with adjustment");
    EXPECT_EQ(Hodnota(r, "Number of identical points:"), "8");
    EXPECT_EQ(Hodnota(r, "Number of rejected outliers:"), "1/24 [0.042]");
    EXPECT_EQ(Hodnota(r, "Coordinates X:"), "1/8 [0.125]");
    EXPECT_EQ(Hodnota(r, "Coordinates X:", 2), "7");
    EXPECT_EQ(Hodnota(r, "Number of redundant coordinates:"), "19");
    EXPECT_TRUE(Ma(r,
                   "D-04-1 Outliers - Coordinates of identical points from output system "
                   "(coordinate X)"));
    EXPECT_FALSE(Ma(r, "D-04-2"));  // nothing flagged in Y: not even the title
    EXPECT_TRUE(Ma(r, "5  4005"));
    EXPECT_TRUE(Ma(r,
                   "D-05-3 Adjusted coordinates of identical points - Coordinate Z (A priori "
                   "/ A posteriori accuracy)"));
    EXPECT_EQ(Hodnota(r, "Rotation [gon]:").substr(0, 6), "63.662");  // 1 rad, with noise
    EXPECT_TRUE(Ma(r, "D-06 Transformed coordinates"));
    EXPECT_TRUE(Ma(r, "D-07 Transformed error ellipsoids"));
    // With the entered deviations: the default of the settings as the note.
    EXPECT_TRUE(Ma(r, "F: Coordinate X - Standard deviation [mm] (3.00)"));
}

// Rejection off: rows 1-6 "-", no D-04 although its switch is on. On for Z only:
// rows 4 and 5 "-", row 6 the Z ratio, only D-04-3 possible. Y before X moves
// the rows; without deviations the output points have no deviation columns.
TEST_F(TransformacniProtokol, PrepinaceVylouceniAPoradiOs) {
    n.Nastavitprepinac(false);
    Transformovat();
    ZadneOddily(n.protokol);
    n.protokol.infoBodyIdent = true;
    n.protokol.odlehleTrans = true;
    std::vector<std::string> r = Postav();
    EXPECT_EQ(Hodnota(r, "Robust estimation method:"), "-");
    EXPECT_EQ(Hodnota(r, "Coordinates Z:"), "-");
    EXPECT_FALSE(Ma(r, "D-04"));

    // Only the outlier switch, and no rejection: the report header alone.
    n.protokol.infoBodyIdent = false;
    EXPECT_EQ(Postav().size(), 3u);

    n.prepinac.vylucovatZ = true;
    n.protokol.infoBodyIdent = true;
    n.jednotky.poradiSouradnice = 1;
    Transformovat();
    r = Postav();
    EXPECT_EQ(Hodnota(r, "Coordinates Y:"), "-");
    EXPECT_EQ(Hodnota(r, "Coordinates Z:"), "0/8 [0.000]");
    const auto y = std::find_if(
        r.begin(), r.end(), [](const std::string& s) { return s.rfind("Coordinates Y:", 0) == 0; });
    ASSERT_NE(y, r.end());
    EXPECT_EQ(y[1].rfind("Coordinates X:", 0), 0u);
    EXPECT_FALSE(Ma(r, "D-04"));  // the Z rejection flagged nothing

    ZadneOddily(n.protokol);
    n.protokol.bodyIdentTransSVyr = true;
    n.protokol.bodyIdentTransSVyrOdchyl = 1;
    r = Postav();
    EXPECT_TRUE(Ma(r, "D-01-2 Identical points - Output coordinate system"));
    EXPECT_FALSE(Ma(r, "F: Coordinate"));
}

// Three files, the second refused at line 12.
TEST(ProtokolSouboru, DruhySouborChybny) {
    Tnastaveni n;
    n.Default();
    n.typJazyk = 1;
    Tjazyk j;
    j.Default(n);
    info::Tsoubory s = {{1, "a.mtx", "", ".mtx", 0, true, 10},
                        {2, "b.mtx", "", ".mtx", 0, false, 12},
                        {3, "c.mtx", "", ".mtx", 0, true, 4}};
    Tprotokol p;
    p.Pridej("old");
    EXPECT_TRUE(zapsatPridatSoubor(p, j, s, 3));
    const std::vector<std::string> r = p.Radky();
    ASSERT_GE(r.size(), 13u);
    EXPECT_EQ(r[0], "Legend:");
    EXPECT_EQ(r[1], "~~~~~~~");
    EXPECT_EQ(r[2], "A: Serial number");
    EXPECT_EQ(r.end()[-3], "1  a.mtx  Ok    ");
    EXPECT_EQ(r.end()[-2], "2  b.mtx   -  12");
    EXPECT_EQ(r.end()[-1], "3  c.mtx  Ok    ");
    EXPECT_TRUE(zapsatPridatSoubor(p, j, s, 1));
    EXPECT_EQ(p.Radky().back(), "1  c.mtx  Ok   ");
}

}  // namespace
}  // namespace vertano
