#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "Options.h"
#include "Session.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::RunCli;

Options Parsed(std::vector<std::string> args) {
    Options o;
    std::string error;
    EXPECT_TRUE(ParseOptions(args, o, error)) << error;
    return o;
}

std::string Refused(std::vector<std::string> args) {
    Options o;
    std::string error;
    EXPECT_FALSE(ParseOptions(args, o, error));
    return error;
}

const std::vector<std::string> kAdjust = {"adjust", "raw.mtx", "--points", "p.txt"};

std::vector<std::string> With(std::vector<std::string> more) {
    std::vector<std::string> args = kAdjust;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(CliAdjustOptions, EstimatorByNameInAnyCaseOrByNumber) {
    EXPECT_EQ(Parsed(With({"--estimator", "Huber"})).estimator, OdhadZKodu(1));
    EXPECT_EQ(Parsed(With({"--estimator", "m-HUBER"})).estimator, OdhadZKodu(2));
    EXPECT_EQ(Parsed(With({"--estimator", "tukey"})).estimator, OdhadZKodu(6));
    EXPECT_EQ(Parsed(With({"--estimator=l1/l2 norm"})).estimator, OdhadZKodu(12));
    EXPECT_EQ(Parsed(With({"--estimator", "11"})).estimator, OdhadZKodu(11));
    for (const std::string bad : {"0", "13", "huber2", "", "L1"}) {
        const std::string e = Refused(With({"--estimator", bad}));
        EXPECT_TRUE(Contains(e, "--estimator")) << bad;
        EXPECT_TRUE(Contains(e, "Andrews")) << e;  // the names are listed
    }
}

TEST(CliAdjustOptions, ValuesOutsideTheirRangeAreUsageErrors) {
    EXPECT_NEAR(Parsed(With({"--alpha", "0,01"})).alpha, 0.01L, 1e-18L);
    for (const std::string bad : {"0", "1", "-0.1", "1e-9", "x"})
        EXPECT_TRUE(Contains(Refused(With({"--alpha", bad})), "--alpha")) << bad;
    EXPECT_EQ(Parsed(With({"--threads", "3"})).threads, 3);
    for (const std::string bad : {"0", "256", "2.5"})
        EXPECT_TRUE(Contains(Refused(With({"--threads", bad})), "--threads")) << bad;
    EXPECT_EQ(Parsed(With({"--solver", "sparse"})).solver, 2);
    EXPECT_TRUE(Contains(Refused(With({"--solver", "fast"})), "auto|dense|sparse"));
    EXPECT_EQ(Parsed(With({"--weights", "outer"})).weights, ZdrojVah::Vnejsi);
    EXPECT_TRUE(Contains(Refused(With({"--weights", "inside"})), "given|inner|outer"));
}

TEST(CliAdjustOptions, UnfixTakesListsAndRepeats) {
    const Options o = Parsed(With({"--unfix", "4001, 4002", "--unfix=A"}));
    EXPECT_EQ(o.unfix, (std::vector<std::string>{"4001", "4002", "A"}));
    for (const std::string bad : {"", ",", "4001,", ",4001", "a,,b"})
        EXPECT_TRUE(Contains(Refused(With({"--unfix", bad})), "--unfix")) << bad;
    EXPECT_TRUE(Contains(Refused(With({"--free", "--unfix", "A"})), "--free"));
}

TEST(CliAdjustOptions, EachCommandTakesOnlyItsOptions) {
    EXPECT_TRUE(Contains(Refused({"adjust", "raw.mtx"}), "--points"));
    EXPECT_TRUE(Contains(Refused({"adjust", "--points", "p.txt"}), "raw"));
    EXPECT_TRUE(Contains(Refused({"approx", "raw.mtx"}), "--points"));
    EXPECT_TRUE(Contains(Refused(With({"--explain"})), "does not take --explain"));
    EXPECT_TRUE(Contains(Refused(With({"-o", "x.txt"})), "does not take -o"));
    EXPECT_TRUE(Contains(Refused({"approx", "r.mtx", "--points", "p", "--json", "x"}),
                         "does not take --json"));
    EXPECT_TRUE(Contains(Refused({"check", "r.mtx", "--free"}), "does not take --free"));
    const Options approx = Parsed({"approx", "r.mtx", "--points", "p", "--explain", "-o", "a"});
    EXPECT_TRUE(approx.explain);
    EXPECT_EQ(approx.output, "a");
    const Options all = Parsed(With({"--scale", "s", "--supp-plumb", "q", "--level", "mean",
                                     "--order", "simultaneous", "--yes", "--coords", "c.txt",
                                     "--json", "r.json", "--no-exclusion", "--angle-unit", "dms"}));
    EXPECT_EQ(all.coords, "c.txt");
    EXPECT_EQ(all.json, "r.json");
    EXPECT_TRUE(all.noExclusion);
}

// The options reach the settings the analysis and the adjustment read.
TEST(CliAdjustOptions, SessionAppliesTheAdjustmentSettings) {
    const Options o =
        Parsed(With({"--weights", "given", "--estimator", "cauchy", "--alpha", "0.001", "--threads",
                     "2", "--no-exclusion", "--solver", "dense"}));
    std::ostringstream out;
    std::ostringstream err;
    const Session s(o, out, err, nullptr);
    const Tnastaveni& n = s.ws.nastaveni;
    EXPECT_EQ(n.vyrovnani.typVah, ZdrojVah::Zadana);
    EXPECT_EQ(n.vyrovnani.typOdhadu, Odhad::Cauchy);
    EXPECT_EQ(n.vyrovnani.rizikoOdlehlost, 0.001L);
    EXPECT_EQ(n.pocetVlaknaVse, 2);
    EXPECT_EQ(Stav(s.ws.modelVyrovnany).solverChoice, SolverChoice::Dense);
    EXPECT_FALSE(n.VylucovatOdlehle());
    const Options plain = Parsed(kAdjust);
    const Session d(plain, out, err, nullptr);
    EXPECT_TRUE(d.ws.nastaveni.VylucovatOdlehle());
    EXPECT_EQ(d.ws.nastaveni.vyrovnani.typOdhadu, Odhad::Huber);
    EXPECT_EQ(Stav(d.ws.modelVyrovnany).solverChoice, SolverChoice::Auto);
}

}  // namespace
}  // namespace vertano::cli
