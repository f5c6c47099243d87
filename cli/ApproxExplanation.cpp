#include "ApproxExplanation.h"

#include <map>
#include <set>

#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "processing/RedukceDelek.h"
#include "processing/SouradniceDlePoradi.h"

namespace vertano::cli {

namespace {

// ZpracujSkupinyPoloha: face means rather than face differences.
constexpr int32_t kPrumeryPoloh = 2;

// The given points the measurements name, the fixed ones first.
Tsouradnice GivenInMeasurements(const Tsouradnice& given, const std::vector<std::string>& names) {
    const std::set<std::string> named(names.begin(), names.end());
    Tsouradnice fixed;
    Tsouradnice other;
    for (const Tbod& b : given.bod) {
        if (b.JePlny && named.count(b.cislo) > 0) (b.JeFixni ? fixed : other).PridejBod(b);
    }
    fixed.PridejBody2(other);
    return fixed;
}

bool SetMeans(const Workspace& ws, Tmereni& setMeans, std::vector<std::string>& names) {
    Tmereni raw = ws.suroveMereni;
    if (!RedukcePoloh(raw) || !ZpracujSkupinyPoloha(raw, setMeans, kPrumeryPoloh)) return false;
    setMeans.PoradiBoduPriradit(names);
    return PrumerSkupin(setMeans);
}

// The points of `means` that have coordinates, from the given ones.
Tsouradnice Approximate(const Tsouradnice& given, Tmereni means, VysledekPriblizne& history) {
    std::vector<std::string> names;
    means.PoradiBoduPriradit(names);
    Tsouradnice points(given);
    VypocetPriblizneSouradnice(points, means, names, history);
    points.SmazPrazdneZaznamy();
    return points;
}

std::string Candidates(const PuvodBodu& p) {
    std::string text;
    for (int32_t k = 1; k < kPocetZpusobu; ++k) {
        const int32_t n = p.pocetKandidatu[static_cast<size_t>(k)];
        if (n == 0) continue;
        text += (text.empty() ? "" : ", ") +
                std::string(KlicZpusobu(static_cast<ZpusobUrceni>(k))) + " " + std::to_string(n);
    }
    return text;
}

std::string Line(const PuvodBodu& p) {
    return p.cislo + ": " + std::string(KlicZpusobu(p.prvni)) + ", first from station " +
           p.cisloStn + " to target " + p.cisloCil + " (occupation " +
           std::to_string(p.poradiStanoviska) + ") in pass " + std::to_string(p.pruchod) +
           "; candidates: " + Candidates(p);
}

}  // namespace

bool ExplainApproximate(const Workspace& ws, VysledekPriblizne& vysvetleni,
                        Tsouradnice& priblizne) {
    Tmereni setMeans;
    std::vector<std::string> names;
    if (!SetMeans(ws, setMeans, names)) return false;
    const Tsouradnice given = GivenInMeasurements(ws.souradniceFixni, names);
    // The first coordinates serve only the reduction, whose heights make the
    // second ones right.
    VysledekPriblizne first;
    const Tsouradnice before = Approximate(given, setMeans, first);
    Tmereni reduced = setMeans;
    reduced.PoradiBoduPriradit(names);
    VysledekRedukce r;
    if (!RedukovatDelky(reduced, SouradniceDlePoradiBodu(names, before), ws.souradniceMeritko,
                        ws.nastaveni, r)) {
        return false;
    }
    priblizne = Approximate(given, reduced, vysvetleni);
    // The reduction drops the rows to points the first construction did not reach,
    // so the final one never sees those points: they are named from the first.
    vysvetleni.neurcene.clear();
    for (const PuvodBodu& p : first.body) {
        if (!priblizne.BodSCislem(p.cislo).JePlny) vysvetleni.neurcene.push_back(p.cislo);
    }
    return true;
}

std::vector<std::string> ExplanationLines(const VysledekPriblizne& vysvetleni,
                                          const Tsouradnice& body) {
    std::map<std::string, const PuvodBodu*> byName;
    for (const PuvodBodu& p : vysvetleni.body) byName[p.cislo] = &p;
    std::vector<std::string> lines;
    for (const Tbod& b : body.bod) {
        const auto it = byName.find(b.cislo);
        if (b.JePlny && it != byName.end() && it->second->jeUrcen && !it->second->jeZadany)
            lines.push_back(Line(*it->second));
    }
    for (const std::string& name : vysvetleni.neurcene) lines.push_back(name + ": not reached");
    return lines;
}

}  // namespace vertano::cli
