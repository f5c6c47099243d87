#include "Session.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "data/Oznameni.h"
#include "data/SouradniceKontrola.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "reports/OddilyProtokolu.h"

namespace vertano::cli {

namespace {

// Without exclusion the robust stage does not run either: it only serves to
// expose the outliers.
void ApplyAdjustmentOptions(const Options& o, Tnastaveni& s) {
    nastaveni::Tvyrovnani& v = s.vyrovnani;
    if (o.weights != ZdrojVah::Neurcen) v.typVah = o.weights;
    if (o.estimator != Odhad::Neurcen) v.typOdhadu = o.estimator;
    if (o.alpha > 0) v.rizikoOdlehlost = o.alpha;
    if (o.threads > 0) s.pocetVlaknaVse = static_cast<uint8_t>(o.threads);
    if (o.noExclusion) {
        v.vylucovatOdlehle = false;
        nastaveni::Tprepinac& p = s.prepinac;
        p.vylucovatSmer = p.vylucovatZenit = p.vylucovatDelka = false;
        p.vylucovatDoplnekDelka = p.vylucovatDoplnekSmernik = false;
        p.vylucovatDoplnekPrevyseni = p.vylucovatDoplnekProvazeni = false;
    }
}

// The codes of --report-sections, trimmed.
std::vector<std::string_view> Codes(const std::string& v) {
    std::vector<std::string_view> codes;
    size_t start = 0;
    while (start <= v.size()) {
        const size_t comma = std::min(v.find(',', start), v.size());
        codes.push_back(Trim(std::string_view(v).substr(start, comma - start)));
        start = comma + 1;
    }
    return codes;
}

// --report-sections (the parser has checked the codes): the sections named on
// top of the settings' defaults when "default" is among them, otherwise alone;
// "all" turns every section on, "F" none.
void ApplyReportSections(const Options& o, nastaveni::Tprotokol& p) {
    const std::vector<std::string_view> codes = Codes(o.reportSections);
    if (std::find(codes.begin(), codes.end(), "default") == codes.end()) ZadneOddily(p);
    for (const std::string_view code : codes) {
        if (code == "all") {
            VsechnyOddily(p);
        } else {
            ZapnoutOddil(code, p);
        }
    }
}

// Only the options given change the settings: their defaults are those of the
// settings, and a project's settings stay unless an option says otherwise.
void ApplyOptions(const Options& o, Tnastaveni& s) {
    const auto given = [&](const char* name) { return o.given.count(name) > 0; };
    if (given("--angle-unit")) s.jednotky.uhel = o.angleUnit;
    if (given("--length-unit")) s.jednotky.delka = o.lengthUnit;
    if (given("--coord-unit")) s.jednotky.souradnice = o.coordUnit;
    if (given("--yxz")) s.souborVstup.typSouradnice = 1;
    // The only point list the command line loads is the given network points.
    s.okno.bodyVstup = kBodyVstupFixni;
    if (o.to >= 0) s.souborVystup.typSuroveMereni = static_cast<uint8_t>(o.to);
    if (o.angleDecimals >= 0) s.presnost.uhel.hodnota = static_cast<uint8_t>(o.angleDecimals);
    if (o.lengthDecimals >= 0) s.presnost.delka.hodnota = static_cast<uint8_t>(o.lengthDecimals);
    if (o.level >= 0) {
        s.redukceMereni.typHladiny = static_cast<uint8_t>(o.level);
        if (o.level == 2) s.redukceMereni.vyskaHladiny = LengthToMetres(o.levelHeight, o.coordUnit);
    }
    ApplyAdjustmentOptions(o, s);
    ApplyReportSections(o, s.protokol);
}

}  // namespace

Session::Session(const Options& o, std::ostream& out_, std::ostream& err_, std::istream* terminal)
    : options(o), out(out_), err(err_), ui(err_, terminal, ws.jazyk, {o.yes, o.verbose}) {
    ApplyOptions(o, ws.nastaveni);
    ws.modelVyrovnany.NastavitVolbuResice(static_cast<SolverChoice>(o.solver));
    // Also refills the texts that follow the units just set.
    ws.NastavitJazyk(o.language);
}

void Session::ApplyGivenOptions() {
    ApplyOptions(options, ws.nastaveni);
    if (options.given.count("--lang") > 0)
        ws.NastavitJazyk(options.language);
    else
        ws.ObnovitTexty();
}

bool Session::HasRaw() const {
    return options.project.empty() ? !options.inputs.empty() : ws.suroveMereni.ExistujePlnyZaznam();
}

bool Session::HasPoints() const {
    return options.project.empty() ? !options.points.empty() : ws.souradniceFixni.ExistujePlnyBod();
}

bool Session::HasScale() const {
    return options.project.empty() ? !options.scale.empty()
                                   : ws.souradniceMeritko.ExistujePlnyBod();
}

bool Session::HasSupplementary(DruhDoplnku kind) const {
    if (options.project.empty())
        return !options.supplementary[static_cast<size_t>(KodDruhu(kind) - 1)].empty();
    const Tmereni* list = ws.doplnekVstup.Seznam(kind);
    return list != nullptr && list->ExistujePlnyZaznam();
}

void Session::Show(int32_t number) {
    ws.chyby.Oznameni(number);
    ZobrazitOznameni(ws.chyby, ws.jazyk, ui);
}

void Session::Stage(int step) {
    ui.Stage(" " + ws.jazyk.tlacitko.zpracovani + " ... [" + std::to_string(step) + "]");
}

}  // namespace vertano::cli
