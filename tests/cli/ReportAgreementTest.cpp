// The report, the JSON document and the coordinate file of one run give the
// same numbers, to the decimals the report prints.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "ReportTestSupport.h"

namespace vertano::cli::test {
namespace {

constexpr double kGon = 200 / 3.14159265358979323846;

// Half a unit of the last printed decimal, and a little for the binary values.
void ExpectPrinted(const std::string& cell, double value, int decimals, const std::string& what) {
    Real printed = 0;
    ASSERT_EQ(ParseNumber(cell, printed), NumberStatus::Ok) << what << ": " << cell;
    EXPECT_LE(std::fabs(static_cast<double>(printed) - value), 0.5001 * std::pow(10.0, -decimals))
        << what << ": printed " << cell << ", result " << value;
}

class ReportAgreement : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new vertano::test::TempDir;
        const auto example = [](const std::string& f) {
            return vertano::test::DataPath("../../examples/" + f).string();
        };
        const Outcome r = RunReport({"adjust",
                                     example("sit.mtx"),
                                     "--points",
                                     example("sit-given.txt"),
                                     "--supp-distance",
                                     example("sit-supp-distance.txt"),
                                     "--supp-bearing",
                                     example("sit-supp-bearing.txt"),
                                     "--supp-height",
                                     example("sit-supp-height.txt"),
                                     "--supp-plumb",
                                     example("sit-supp-plumb.txt"),
                                     "--json",
                                     Path("r.json"),
                                     "--coords",
                                     Path("r.txt"),
                                     "--report",
                                     Path("report.txt"),
                                     "--report-sections",
                                     "all"});
        ASSERT_EQ(r.status, 0) << r.err;
        json_ = new Json(ReadJson(Path("r.json")));
        report_ =
            new std::vector<std::string>(ReportLines(vertano::test::ReadBytes(Path("report.txt"))));
    }
    static void TearDownTestSuite() {
        delete report_;
        delete json_;
        delete dir_;
    }
    static std::string Path(const std::string& name) { return (*dir_ / name).string(); }

    static vertano::test::TempDir* dir_;
    static Json* json_;
    static std::vector<std::string>* report_;
};

vertano::test::TempDir* ReportAgreement::dir_ = nullptr;
Json* ReportAgreement::json_ = nullptr;
std::vector<std::string>* ReportAgreement::report_ = nullptr;

TEST_F(ReportAgreement, CoordinatesAndTheirDeviations) {
    const Json& j = *json_;
    const double ratio =
        j["summary"]["sigma0_aposteriori"].number / j["summary"]["sigma0_apriori"].number;
    const std::map<std::string, Xyz> coords = ReadXyz(Path("r.txt"));
    const std::vector<std::string> table = SectionTable(*report_, "C-02");
    ASSERT_EQ(table.size(), j["points"].size() + 1);  // with the "-" line
    for (size_t i = 0; i < j["points"].size(); ++i) {
        const Json& p = j["points"][i];
        const std::vector<Token> t = Tokens(table[i + 1]);
        ASSERT_EQ(t[1].text, p["name"].text);
        const double xyz[3] = {p["x"].number, p["y"].number, p["z"].number};
        const Xyz& c = coords.at(p["name"].text);
        const double file[3] = {c.x, c.y, c.z};
        for (int k = 0; k < 3; ++k) {
            ExpectPrinted(t[2 + k].text, xyz[k], 4, p["name"].text);
            ExpectPrinted(t[2 + k].text, file[k], 4, p["name"].text + " in --coords");
        }
        if (p["fixed"].boolean) {
            ASSERT_EQ(t.size(), 8u);
            EXPECT_EQ(t[5].text + t[6].text + t[7].text, "---");
            continue;
        }
        // "a priori : a posteriori" in mm; JSON gives the a-priori ones in m.
        ASSERT_EQ(t.size(), 14u);
        const double s[3] = {p["sx"].number, p["sy"].number, p["sz"].number};
        for (int k = 0; k < 3; ++k) {
            ExpectPrinted(t[5 + 3 * k].text, s[k] * 1000, 2, "sigma a priori");
            ExpectPrinted(t[7 + 3 * k].text, s[k] * 1000 * ratio, 2, "sigma a posteriori");
        }
    }
}

// C-05-1 to -3: grouped by station; rows in the order of the JSON document,
// the reliability after the normed residual.
TEST_F(ReportAgreement, AdjustedObservations) {
    const double ratio = (*json_)["summary"]["sigma0_aposteriori"].number /
                         (*json_)["summary"]["sigma0_apriori"].number;
    const struct {
        const char* code;
        const char* kind;
        bool angle;
    } kinds[] = {
        {"C-05-1", "direction", true}, {"C-05-2", "zenith", true}, {"C-05-3", "distance", false}};
    for (const auto& k : kinds) {
        std::vector<const Json*> observations;
        for (const Json& o : (*json_)["observations"].items)
            if (o["kind"].text == k.kind) observations.push_back(&o);
        size_t next = 0;
        std::string station;
        for (const std::string& line : SectionTable(*report_, k.code)) {
            if (line.rfind("[", 0) == 0) station = Tokens(line)[1].text;
            if (line.empty() || line[0] == '-' || line[0] == '[') continue;
            ASSERT_LT(next, observations.size()) << k.code;
            const Json& o = *observations[next++];
            const std::vector<Token> t = Tokens(line);
            // The deviation and the minimal detectable error are "a priori : a
            // posteriori"; an observation without redundancy has no error, "-".
            const bool mdb = !o["mdb"].IsNull();
            ASSERT_EQ(t.size(), mdb ? 12u : 10u) << line;
            EXPECT_EQ(station, o["station"].text) << line;
            EXPECT_EQ(t[1].text, o["target"].text) << line;
            const double unit = k.angle ? kGon : 1;  // gon or m
            const int decimals = k.angle ? 5 : 4;
            ExpectPrinted(t[2].text, o["adjusted"].number * unit, decimals, line);
            ExpectPrinted(t[3].text, o["sigma_adjusted"].number * unit * 1000, decimals - 2, line);
            ExpectPrinted(t[6].text, o["residual"].number * unit, decimals, line);
            ExpectPrinted(t[7].text, o["normalised_residual"].number, 3, line);
            // An uncontrolled observation carries a mark after its redundancy number.
            std::string redundancy = t[8].text;
            const bool marked = !redundancy.empty() && redundancy.back() == '*';
            if (marked) redundancy.pop_back();
            ExpectPrinted(redundancy, o["redundancy"].number, 3, line);
            EXPECT_EQ(marked, o["redundancy"].number < 0.01) << line;
            if (!mdb) {
                EXPECT_EQ(t[9].text, "-") << line;
                continue;
            }
            const double error = o["mdb"].number * unit * 1000;
            ExpectPrinted(t[9].text, error, decimals - 2, line);
            ExpectPrinted(t[11].text, error * ratio, decimals - 2, line);
        }
        EXPECT_EQ(next, observations.size()) << k.code;
    }
}

TEST_F(ReportAgreement, OutliersAndCounts) {
    const Json& j = *json_;
    std::vector<const Json*> directions;
    for (const Json& o : j["outliers"].items)
        if (o["kind"].text == "direction") directions.push_back(&o);
    const std::vector<std::string> table = SectionTable(*report_, "C-04-1");
    ASSERT_EQ(table.size(), directions.size() + 1);
    for (size_t i = 0; i < directions.size(); ++i) {
        const std::vector<Token> t = Tokens(table[i + 1]);
        const Json& o = *directions[i];
        EXPECT_EQ(t[1].text + " " + t[2].text, o["station"].text + " " + o["target"].text);
        ExpectPrinted(t[3].text, o["value"].number * kGon, 5, "value");
        ExpectPrinted(t[4].text, o["residual"].number * kGon, 5, "residual");
        ExpectPrinted(t[5].text, o["normalised_residual"].number, 3, "normed");
        ExpectPrinted(t[6].text, o["limit"].number * kGon, 5, "limit");
    }
    // Basic information: the first "Horizontal direction:" is the outlier row.
    const auto value = [](const std::string& label, size_t token) {
        for (const std::string& line : *report_)
            if (line.rfind(label, 0) == 0) return Tokens(line).at(token).text;
        return std::string("<none>");
    };
    const Json& s = j["summary"];
    EXPECT_EQ(value("Number of redundant measurements:", 4),
              std::to_string(static_cast<int>(s["redundancy"].number)));
    ExpectPrinted(value("A posteriori unit standard deviation:", 5), s["sigma0_aposteriori"].number,
                  3, "sigma0");
    size_t uncontrolled = 0;
    for (const Json& o : j["observations"].items)
        uncontrolled += !o["redundancy"].IsNull() && o["redundancy"].number < 0.01 ? 1 : 0;
    EXPECT_EQ(value("Uncontrolled observations:", 2), std::to_string(uncontrolled));
    EXPECT_EQ(
        value("Horizontal direction:", 2)
            .rfind(std::to_string(static_cast<int>(s["outliers"]["direction"].number)) + "/", 0),
        0u);
}

}  // namespace
}  // namespace vertano::cli::test
