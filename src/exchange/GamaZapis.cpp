#include <cmath>
#include <map>
#include <set>
#include <string>

#include "exchange/Zapisovace.h"
#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"

namespace vertano::exchange {

namespace {

std::string Xml(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// A value written, or a failure remembered: the first value that is not finite.
struct Psani {
    bool ok = true;
    std::string spatne;

    std::string Cislo(Real v, int desetin, const char* co) {
        if (!std::isfinite(v)) {
            if (ok) spatne = co;
            ok = false;
            return "0";
        }
        return FormatFixed(v, desetin);
    }
    std::string Gon(Real radiany, const char* co) { return Cislo(radiany * 200 / kPi, 10, co); }
    std::string Cc(Real radiany, const char* co) { return Cislo(radiany * 2000000 / kPi, 4, co); }
    std::string Mm(Real metry, const char* co) { return Cislo(metry * 1000, 4, co); }
    std::string Metry(Real metry, const char* co) { return Cislo(metry, 8, co); }
};

std::string Atr(const std::string& jmeno, const std::string& hodnota) {
    return " " + jmeno + "=\"" + hodnota + "\"";
}

// Zenith angle and distance of the plane: the model compares acos(f dZ / D) and
// sqrt(dX^2 + dY^2 + (f dZ)^2) with them; the plane has no f.
Real ZenitRoviny(const VyrovnaneMereni& m) {
    return Atan2(m.zkresleni * std::sin(m.hodnota), std::cos(m.hodnota));
}
Real DelkaRoviny(const VyrovnaneMereni& m, Real dZ) {
    const Real f = m.zkresleni;
    return std::sqrt(m.hodnota * m.hodnota + (1 - f * f) * dZ * dZ);
}

// The points whose plan or height an observation of the final adjustment
// reaches: the free coordinate of a point fixed in plan or in height alone
// that none reaches was held where it was given, and the export leaves it out
// of the point rather than hand the other program an unknown it cannot solve.
struct PozorovaneOsy {
    std::set<std::string> poloha, vyska;
};

PozorovaneOsy Pozorovane(const std::vector<VyrovnaneMereni>& mereni) {
    PozorovaneOsy o;
    for (const VyrovnaneMereni& m : mereni) {
        if (m.odlehle) continue;
        const bool vyska = m.druh != DruhMereni::Smer && m.druh != DruhMereni::Smernik &&
                           m.druh != DruhMereni::Provazeni;
        const bool poloha = m.druh != DruhMereni::Prevyseni;
        for (const std::string* c : {&m.od, &m.k}) {
            if (vyska) o.vyska.insert(*c);
            if (poloha) o.poloha.insert(*c);
        }
    }
    return o;
}

// The coordinates and the attributes fix and adj of one point; `volne`: the
// adjusted coordinates are constrained ones (upper case), the datum of a
// network without enough fixed coordinates.
std::string Souradnice(const VyrovnanyBod& b, const PozorovaneOsy& pozorovane, bool volne,
                       Psani& p) {
    const std::string xy = Atr("x", p.Metry(b.X, "X")) + Atr("y", p.Metry(b.Y, "Y"));
    const std::string z = Atr("z", p.Metry(b.Z, "Z"));
    if (b.fixni) return xy + z + Atr("fix", "xyz");
    if (b.drziPolohu) {
        const bool merena = pozorovane.vyska.count(b.cislo) > 0;
        return xy + (merena ? z : "") + Atr("fix", "xy") + (merena ? Atr("adj", "z") : "");
    }
    if (b.drziVysku) {
        const bool merena = pozorovane.poloha.count(b.cislo) > 0;
        return (merena ? xy : "") + z + Atr("fix", "z") + (merena ? Atr("adj", "xy") : "");
    }
    return xy + z + Atr("adj", volne ? "XYZ" : "xyz");
}

}  // namespace

FileResult ZapsatGama(const VyrovnanaSit& sit, std::vector<std::string>& radky) {
    radky.clear();
    std::vector<std::string> out;
    Psani p;
    std::map<std::string, const VyrovnanyBod*> body;
    bool fixni = false;
    for (const VyrovnanyBod& b : sit.body) {
        body[b.cislo] = &b;
        fixni = fixni || b.fixni || b.drziPolohu || b.drziVysku;
    }
    const auto dZ = [&](const VyrovnaneMereni& m) {
        const auto s = body.find(m.od);
        const auto t = body.find(m.k);
        if (s == body.end() || t == body.end()) return Real(0);
        return t->second->Z - s->second->Z;
    };
    out.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    out.push_back("<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">");
    out.push_back("<network axes-xy=\"ne\" angles=\"left-handed\">");
    out.push_back("<description>");
    out.push_back(
        "Exported by Vertano: the observations of the adjustment reduced to the marks and");
    out.push_back("the plane, the adjusted coordinates as approximate ones.");
    out.push_back("</description>");
    out.push_back("<parameters" + Atr("sigma-apr", p.Cislo(sit.odchylkaJednotkova, 6, "sigma0")) +
                  Atr("conf-pr", "0.95") + Atr("sigma-act", "apriori") + " />");
    out.push_back("<points-observations>");
    const PozorovaneOsy pozorovane = Pozorovane(sit.mereni);
    const bool volne = !(fixni && !sit.podminkyDatumu);
    for (const VyrovnanyBod& b : sit.body) {
        out.push_back("<point" + Atr("id", Xml(b.cislo)) + Souradnice(b, pozorovane, volne, p) +
                      " />");
    }
    // The zenith angles and distances of each station, to be placed with the
    // direction of their pointing.
    std::map<std::string, std::vector<const VyrovnaneMereni*>> zenity, delky;
    std::map<int32_t, std::vector<const VyrovnaneMereni*>> smery;
    for (const VyrovnaneMereni& m : sit.mereni) {
        if (m.odlehle) continue;
        if (m.druh == DruhMereni::Smer) smery[m.orientace].push_back(&m);
        if (m.druh == DruhMereni::Zenit) zenity[m.od].push_back(&m);
        if (m.druh == DruhMereni::Delka) delky[m.od].push_back(&m);
    }
    const auto vzit = [](std::vector<const VyrovnaneMereni*>& seznam,
                         const std::string& k) -> const VyrovnaneMereni* {
        for (auto& m : seznam) {
            if (m != nullptr && m->k == k) {
                const VyrovnaneMereni* v = m;
                m = nullptr;
                return v;
            }
        }
        return nullptr;
    };
    const auto zenit = [&](const VyrovnaneMereni& z) {
        return "  <z-angle" + Atr("to", Xml(z.k)) +
               Atr("val", p.Gon(ZenitRoviny(z), "zenith angle")) +
               Atr("stdev", p.Cc(z.odchylka, "deviation")) + " />";
    };
    const auto delka = [&](const VyrovnaneMereni& d, const char* znacka) {
        return std::string("  <") + znacka + Atr("to", Xml(d.k)) +
               Atr("val", p.Metry(DelkaRoviny(d, dZ(d)), "distance")) +
               Atr("stdev", p.Mm(d.odchylka, "deviation")) + " />";
    };
    for (const auto& [orientace, seznam] : smery) {
        const std::string& od = seznam.front()->od;
        out.push_back("<obs" + Atr("from", Xml(od)) + ">");
        for (const VyrovnaneMereni* s : seznam) {
            out.push_back("  <direction" + Atr("to", Xml(s->k)) +
                          Atr("val", p.Gon(s->hodnota, "direction")) +
                          Atr("stdev", p.Cc(s->odchylka, "deviation")) + " />");
            if (const VyrovnaneMereni* z = vzit(zenity[od], s->k)) out.push_back(zenit(*z));
            if (const VyrovnaneMereni* d = vzit(delky[od], s->k))
                out.push_back(delka(*d, "s-distance"));
        }
        out.push_back("</obs>");
    }
    // What found no direction of its own (its direction was rejected).
    std::set<std::string> stanoviska;
    for (const auto& [od, seznam] : zenity) stanoviska.insert(od);
    for (const auto& [od, seznam] : delky) stanoviska.insert(od);
    for (const std::string& od : stanoviska) {
        std::vector<std::string> zbytek;
        for (const VyrovnaneMereni* z : zenity[od])
            if (z != nullptr) zbytek.push_back(zenit(*z));
        for (const VyrovnaneMereni* d : delky[od])
            if (d != nullptr) zbytek.push_back(delka(*d, "s-distance"));
        if (zbytek.empty()) continue;
        out.push_back("<obs" + Atr("from", Xml(od)) + ">");
        out.insert(out.end(), zbytek.begin(), zbytek.end());
        out.push_back("</obs>");
    }
    std::vector<std::string> prevyseni;
    std::set<std::pair<std::string, std::string>> provazeni;
    for (const VyrovnaneMereni& m : sit.mereni) {
        if (m.odlehle) continue;
        if (m.druh == DruhMereni::Smernik) {
            out.push_back("<obs" + Atr("from", Xml(m.od)) + ">");
            out.push_back("  <azimuth" + Atr("to", Xml(m.k)) +
                          Atr("val", p.Gon(m.hodnota, "bearing")) +
                          Atr("stdev", p.Cc(m.odchylka, "deviation")) + " />");
            out.push_back("</obs>");
        } else if (m.druh == DruhMereni::DoplnekDelka) {
            out.push_back("<obs" + Atr("from", Xml(m.od)) + ">");
            out.push_back(delka(m, "s-distance"));
            out.push_back("</obs>");
        } else if (m.druh == DruhMereni::Prevyseni) {
            prevyseni.push_back("  <dh" + Atr("from", Xml(m.od)) + Atr("to", Xml(m.k)) +
                                Atr("val", p.Metry(m.hodnota, "height difference")) +
                                Atr("stdev", p.Mm(m.odchylka, "deviation")) + " />");
        } else if (m.druh == DruhMereni::Provazeni && provazeni.insert({m.od, m.k}).second) {
            const std::string var = p.Cislo(m.odchylka * m.odchylka * 1e6, 6, "deviation");
            out.push_back("<vectors>");
            out.push_back("  <vec" + Atr("from", Xml(m.od)) + Atr("to", Xml(m.k)) + Atr("dx", "0") +
                          Atr("dy", "0") + Atr("dz", p.Metry(dZ(m), "height difference")) + " />");
            out.push_back("  <cov-mat dim=\"3\" band=\"0\">");
            out.push_back("    " + var);
            out.push_back("    " + var);
            out.push_back("    1000000000000");
            out.push_back("  </cov-mat>");
            out.push_back("</vectors>");
        }
    }
    if (!prevyseni.empty()) {
        out.push_back("<height-differences>");
        out.insert(out.end(), prevyseni.begin(), prevyseni.end());
        out.push_back("</height-differences>");
    }
    out.push_back("</points-observations>");
    out.push_back("</network>");
    out.push_back("</gama-local>");
    if (!p.ok)
        return NotedFailure(FileError::UnwritableValue, 0, 0, p.spatne + " is not a finite number");
    radky = std::move(out);
    FileResult ok;
    ok.counter = static_cast<int32_t>(sit.mereni.size());
    return ok;
}

}  // namespace vertano::exchange
