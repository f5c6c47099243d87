#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "JsonTestParser.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano::cli::test {

// Networks made by `vertano-cli simulate` in a temporary folder, and readers of
// what the simulator and the adjustment write.
class Network {
  public:
    // Simulates with the options (a layout among them) into <temp>/net.
    explicit Network(const std::vector<std::string>& options) {
        std::vector<std::string> args = {"simulate", "-o", prefix};
        args.insert(args.end(), options.begin(), options.end());
        const Outcome r = RunCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
    }
    std::string File(const std::string& end) const { return prefix + end; }

    const vertano::test::TempDir dir;
    const std::string prefix = (dir / "net").string();
};

inline std::vector<std::vector<std::string>> FileTokens(const std::string& path) {
    TextFile file;
    EXPECT_TRUE(ReadTextFile(path, file).Ok()) << path;
    std::vector<std::vector<std::string>> lines;
    for (const std::string& line : file.lines)
        if (!Trim(line).empty()) lines.push_back(Tokenize(line));
    return lines;
}

struct Xyz {
    double x = 0, y = 0, z = 0;
};

// An XYZ file in the unit `unit` (jednotka::k...), in metres.
inline std::map<std::string, Xyz> ReadXyz(const std::string& path, uint8_t unit = 0) {
    std::map<std::string, Xyz> points;
    for (const auto& t : FileTokens(path)) {
        EXPECT_EQ(t.size(), 4u) << path;
        if (t.size() != 4) continue;
        Real v[3] = {};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(ParseNumber(t[static_cast<size_t>(i + 1)], v[i]), NumberStatus::Ok);
            v[i] = LengthToMetres(v[i], unit);
        }
        points[t[0]] = {static_cast<double>(v[0]), static_cast<double>(v[1]),
                        static_cast<double>(v[2])};
    }
    return points;
}

// One gross error of the simulator's list: the observation kind of the
// adjustment it spoils, station and target.
struct Gross {
    std::string kind, station, target;
};

inline std::vector<Gross> ReadGross(const std::string& path) {
    std::vector<Gross> gross;
    TextFile file;
    EXPECT_TRUE(ReadTextFile(path, file).Ok()) << path;
    for (size_t i = 1; i < file.lines.size(); ++i) {  // after the header
        std::vector<std::string> f;
        std::string field;
        for (const char c : file.lines[i] + "\t") {
            if (c != '\t') {
                field += c;
                continue;
            }
            f.push_back(field);
            field.clear();
        }
        if (f.size() < 8) continue;
        const std::string kind = f[5] == "direction"      ? "direction"
                                 : f[5] == "zenith angle" ? "zenith"
                                                          : "distance";
        gross.push_back({kind, f[1], f[2]});
    }
    return gross;
}

inline Json ReadJson(const std::string& path) {
    Json v;
    const std::string text = vertano::test::ReadBytes(path);
    JsonParser parser(text);
    EXPECT_TRUE(parser.Parse(v)) << parser.error;
    return v;
}

// Adjusted coordinates against the truth: the number of coordinates off by more
// than three standard deviations (taken for the larger of the two unit standard
// deviations, so that an optimistic a-priori precision does not count), and the
// number compared.
struct Beyond {
    int beyond = 0;
    int compared = 0;
};

inline Beyond BeyondThreeSigma(const Json& result, const std::map<std::string, Xyz>& truth) {
    Beyond b;
    const double scale = std::max(1.0, result["summary"]["sigma0_aposteriori"].number);
    for (const Json& p : result["points"].items) {
        if (p["fixed"].boolean) continue;
        const auto it = truth.find(p["name"].text);
        EXPECT_NE(it, truth.end()) << p["name"].text;
        if (it == truth.end()) continue;
        const double d[3] = {p["x"].number - it->second.x, p["y"].number - it->second.y,
                             p["z"].number - it->second.z};
        const double s[3] = {p["sx"].number, p["sy"].number, p["sz"].number};
        for (int i = 0; i < 3; ++i) {
            EXPECT_GT(s[i], 0) << p["name"].text;
            ++b.compared;
            if (std::fabs(d[i]) > 3 * s[i] * scale) ++b.beyond;
        }
    }
    return b;
}

// 0.27 % of normal errors lie beyond 3 sigma: allow that share, and one.
inline void ExpectWithinThreeSigma(const Json& result, const std::map<std::string, Xyz>& truth) {
    const Beyond b = BeyondThreeSigma(result, truth);
    EXPECT_GT(b.compared, 0);
    EXPECT_LE(b.beyond, 1 + b.compared / 100) << b.beyond << " of " << b.compared;
}

inline bool IsOutlier(const Json& result, const Gross& g) {
    for (const Json& o : result["outliers"].items) {
        if (o["kind"].text == g.kind && o["station"].text == g.station &&
            o["target"].text == g.target)
            return true;
    }
    return false;
}

}  // namespace vertano::cli::test
