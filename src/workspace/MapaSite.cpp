#include "workspace/MapaSite.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "adjustment/OdlehleDruhy.h"
#include "drawing/TgrafikaData.h"
#include "workspace/VystupySite.h"
#include "workspace/VystupyVyrovnani.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano {

namespace {

std::string_view Orezat(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The results of the adjusted network for the chosen unit standard deviation.
// The only place the map reads the adjusted model itself: the exports' results
// hold the a priori figures alone.
bool Vysledky(const Workspace& ws, bool apriori, VysledkyVyrovnani& v) {
    if (!SestavitVysledky(ws, v)) return false;
    if (apriori) return true;
    return ZobrazitVyrovnani(ws.modelVyrovnany, v.souhrn.odchylkaJednotkovaAposterior, v.zobrazeni);
}

bool Nekontrolovany(const SouhrnVyrovnani& s, const std::string& cislo) {
    return std::any_of(s.nekontrolovaneBody.begin(), s.nekontrolovaneBody.end(),
                       [&cislo](const NekontrolovanyBod& b) { return b.cislo == cislo; });
}

}  // namespace

bool InformaceBodu(const Workspace& ws, DruhVysledku vysledek, std::string_view cislo, bool apriori,
                   BodMapy& bod) {
    bod = BodMapy{};
    const std::string jmeno(Orezat(cislo));
    if (jmeno.empty() || !MaVysledekSite(ws, vysledek)) return false;
    VysledkyVyrovnani v;
    if (!Vysledky(ws, apriori, v)) return false;
    // The coordinates of the result: the adjusted points, or the transformed
    // ones with their figures for the same unit standard deviation.
    std::vector<Tbod> body;
    if (vysledek == DruhVysledku::Vyrovnani) {
        body = std::move(v.zobrazeni.body);
    } else if (!ZobrazitBody(BodyVysledku(ws, vysledek), v.zobrazeni.odchylkaJednotkova, body)) {
        return false;
    }
    const auto b = std::find_if(body.begin(), body.end(),
                                [&jmeno](const Tbod& x) { return x.JePlny && x.cislo == jmeno; });
    if (b == body.end()) return false;
    bod.bod = *b;
    bod.jeNekontrolovany = Nekontrolovany(v.souhrn, jmeno);
    const auto uBodu = [&jmeno](const TmerenaVelicina& z) {
        return z.jePlny && (z.cislo_stn == jmeno || z.cislo_cil == jmeno);
    };
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : v.zobrazeni.mereni[IndexVeliciny(typ)]) {
            if (!uBodu(z)) continue;
            bod.mereni.push_back({z, false});
            bod.mereni.back().z.typ = typ;
        }
        for (const OdlehleMereni& o : v.odlehle) {
            if (o.typ != typ || !uBodu(o.zaznam)) continue;
            bod.mereni.push_back({o.zaznam, true});
            bod.mereni.back().z.typ = typ;
        }
    }
    return true;
}

std::vector<ZvlastniSpojnice> ZvlastniSpojniceMapy(const Workspace& ws, const TgrafikaData& data) {
    std::vector<ZvlastniSpojnice> spojnice;
    VysledkyVyrovnani v;
    if (!SestavitVysledky(ws, v)) return spojnice;
    std::map<std::string, int32_t> indexy;
    const int32_t n = std::min(data.pocetBodu, static_cast<int32_t>(data.body.size()));
    for (int32_t i = 0; i < n; ++i) indexy.emplace(data.body[static_cast<std::size_t>(i)].cislo, i);
    std::set<std::pair<std::pair<int32_t, int32_t>, int>> videne;
    const auto pridat = [&](const TmerenaVelicina& z, DruhSpojnice druh) {
        const auto a = indexy.find(z.cislo_stn);
        const auto b = indexy.find(z.cislo_cil);
        if (a == indexy.end() || b == indexy.end() || a->second == b->second) return;
        const int32_t i = std::min(a->second, b->second);
        const int32_t j = std::max(a->second, b->second);
        if (!videne.insert({{i, j}, static_cast<int>(druh)}).second) return;
        spojnice.push_back({i, j, druh});
    };
    for (const std::vector<TmerenaVelicina>& druh : v.zobrazeni.mereni) {
        for (const TmerenaVelicina& z : druh) {
            if (z.jePlny && z.jeNekontrolovane) pridat(z, DruhSpojnice::Nekontrolovana);
        }
    }
    for (const OdlehleMereni& o : v.odlehle) pridat(o.zaznam, DruhSpojnice::Odlehla);
    return spojnice;
}

int NajitBodKresby(const TgrafikaData& data, std::string_view cislo) {
    const std::string_view jmeno = Orezat(cislo);
    if (jmeno.empty()) return -1;
    const int32_t n = std::min(data.pocetBodu, static_cast<int32_t>(data.body.size()));
    for (int32_t i = 0; i < n; ++i) {
        if (data.body[static_cast<std::size_t>(i)].cislo == jmeno) return i;
    }
    return -1;
}

}  // namespace vertano
