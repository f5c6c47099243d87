#include <cmath>
#include <map>
#include <string>

#include "exchange/Zapisovace.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"

namespace vertano::exchange {

namespace {

constexpr int kVrcholuElipsy = 72;

std::string Json(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    static const char* const hex = "0123456789abcdef";
                    out += "\\u00";
                    out += hex[(c >> 4) & 0xf];
                    out += hex[c & 0xf];
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

struct Cisla {
    bool ok = true;
    std::string operator()(Real v, int desetin = 4) {
        if (!std::isfinite(v)) {
            ok = false;
            return "0";
        }
        return FormatFixed(v, desetin);
    }
    // A figure that does not exist is null.
    std::string Nebo(Real v, int desetin) { return v < 0 ? "null" : (*this)(v, desetin); }
};

// The counts of the observations between two points, whichever way measured.
struct Linie {
    int32_t pocty[7] = {0, 0, 0, 0, 0, 0, 0};
};

}  // namespace

FileResult ZapsatGeoJson(const VyrovnanaSit& sit, Real meritkoElips,
                         std::vector<std::string>& radky) {
    radky.clear();
    Cisla c;
    std::map<std::string, const VyrovnanyBod*> body;
    for (const VyrovnanyBod& b : sit.body) body[b.cislo] = &b;
    std::vector<std::string> prvky;
    for (const VyrovnanyBod& b : sit.body) {
        const bool presnost = !b.fixni;
        prvky.push_back(
            "{\"type\": \"Feature\", \"geometry\": {\"type\": \"Point\", \"coordinates\": [" +
            c(b.Y) + ", " + c(b.X) + ", " + c(b.Z) +
            "]}, \"properties\": {\"feature\": \"point\", " + "\"name\": " + Json(b.cislo) +
            ", \"fixed\": " + (b.fixni ? "true" : "false") + ", \"x\": " + c(b.X) + ", \"y\": " +
            c(b.Y) + ", \"z\": " + c(b.Z) + ", \"sx\": " + (presnost ? c.Nebo(b.sigX, 5) : "null") +
            ", \"sy\": " + (presnost ? c.Nebo(b.sigY, 5) : "null") +
            ", \"sz\": " + (presnost ? c.Nebo(b.sigZ, 5) : "null") +
            ", \"ellipse_a\": " + (presnost ? c.Nebo(b.elipsaA, 5) : "null") + ", \"ellipse_b\": " +
            (presnost ? c.Nebo(b.elipsaB, 5) : "null") + ", \"ellipse_bearing\": " +
            (presnost && b.elipsaA >= 0 ? c(b.elipsaSmernik, 8) : "null") + "}}");
    }
    std::map<std::pair<std::string, std::string>, Linie> linie;
    for (const VyrovnaneMereni& m : sit.mereni) {
        if (m.odlehle || body.count(m.od) == 0 || body.count(m.k) == 0) continue;
        const auto klic = m.od < m.k ? std::pair(m.od, m.k) : std::pair(m.k, m.od);
        ++linie[klic].pocty[static_cast<int>(m.druh) - 1];
    }
    for (const auto& [par, l] : linie) {
        const VyrovnanyBod& a = *body[par.first];
        const VyrovnanyBod& b = *body[par.second];
        prvky.push_back(
            "{\"type\": \"Feature\", \"geometry\": {\"type\": \"LineString\", \"coordinates\": [[" +
            c(a.Y) + ", " + c(a.X) + "], [" + c(b.Y) + ", " + c(b.X) +
            "]]}, \"properties\": {\"feature\": \"observation\", \"from\": " + Json(par.first) +
            ", \"to\": " + Json(par.second) + ", \"distances\": " + std::to_string(l.pocty[0]) +
            ", \"directions\": " + std::to_string(l.pocty[1]) + ", \"zenith_angles\": " +
            std::to_string(l.pocty[2]) + ", \"supp_distances\": " + std::to_string(l.pocty[3]) +
            ", \"supp_bearings\": " + std::to_string(l.pocty[4]) +
            ", \"supp_height_differences\": " + std::to_string(l.pocty[5]) +
            ", \"supp_plumbing\": " + std::to_string(l.pocty[6]) + "}}");
    }
    for (const VyrovnanyBod& b : sit.body) {
        if (b.fixni || b.elipsaA < 0 || b.elipsaB < 0) continue;
        // A ring in [easting, northing] that turns counter-clockwise there (the
        // right-hand rule of the format): the parameter runs from the major axis
        // towards the point's -Y side, i.e. from north towards west.
        std::string ring;
        const Real cb = std::cos(b.elipsaSmernik), sb = std::sin(b.elipsaSmernik);
        for (int i = 0; i <= kVrcholuElipsy; ++i) {
            const Real t = -kDvePi * (i % kVrcholuElipsy) / kVrcholuElipsy;
            const Real u = b.elipsaA * std::cos(t) * meritkoElips;
            const Real w = b.elipsaB * std::sin(t) * meritkoElips;
            const Real dX = u * cb - w * sb;
            const Real dY = u * sb + w * cb;
            ring += std::string(i == 0 ? "" : ", ") + "[" + c(b.Y + dY) + ", " + c(b.X + dX) + "]";
        }
        prvky.push_back(
            "{\"type\": \"Feature\", \"geometry\": {\"type\": \"Polygon\", \"coordinates\": [[" +
            ring + "]]}, \"properties\": {\"feature\": \"ellipse\", \"name\": " + Json(b.cislo) +
            ", \"a\": " + c(b.elipsaA, 5) + ", \"b\": " + c(b.elipsaB, 5) + ", \"bearing\": " +
            c(b.elipsaSmernik, 8) + ", \"magnification\": " + c(meritkoElips, 1) + "}}");
    }
    if (!c.ok)
        return NotedFailure(FileError::UnwritableValue, 0, 0, "a value is not a finite number");
    std::vector<std::string> out;
    out.push_back("{\"type\": \"FeatureCollection\", \"features\": [");
    for (size_t i = 0; i < prvky.size(); ++i)
        out.push_back(prvky[i] + (i + 1 < prvky.size() ? "," : ""));
    out.push_back("]}");
    radky = std::move(out);
    FileResult ok;
    ok.counter = static_cast<int32_t>(prvky.size());
    return ok;
}

}  // namespace vertano::exchange
