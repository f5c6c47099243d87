#include "workspace/SouhrnVyrovnaniText.h"

#include <array>
#include <string>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/Tvahy.h"
#include "mereni/Text.h"
#include "workspace/DruhyRadek.h"
#include "workspace/VyrazeniMereni.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

using Radky = std::vector<std::string>;

void Line(Radky& r, const std::string& label, const std::string& value) {
    r.push_back("  " + label + ": " + value);
}

void Line(Radky& r, const std::string& label, int32_t value) {
    Line(r, label, std::to_string(value));
}

std::string DatumText(Fixace typFixace) {
    static const char* const kTexts[] = {
        "fixed points",
        "fixed points; no distance measured: a scale condition",
        "one fixed point with a bearing and distances",
        "one fixed point and a bearing; a scale condition",
        "one fixed point; a rotation condition",
        "one fixed point; rotation and scale conditions",
        "free network; translation conditions",
        "free network; translation and scale conditions",
        "free network; rotation and translation conditions",
        "free network; rotation, translation and scale conditions"};
    const int32_t k = KodFixace(typFixace);
    if (k < 0 || k > 9) return "?";
    return std::string(DatumKey(typFixace)) + " (" + kTexts[k] + ")";
}

std::string WeightText(const Tjazyk& j, ZdrojVah typVah) {
    const std::string& name = typVah == ZdrojVah::Vnitrni  ? j.popis.vnitrniPresnost
                              : typVah == ZdrojVah::Vnejsi ? j.popis.vnejsiPresnost
                                                           : j.popis.zadanaPresnost;
    return name + " (" + std::string(WeightSourceKey(typVah)) + ")";
}

// "n/total [share]": the outliers among the observations tested.
std::string Ratio(int32_t n, int32_t total) {
    const std::string share =
        total > 0 ? FormatFixed(static_cast<Real>(n) / static_cast<Real>(total), 3) : "-";
    return std::to_string(n) + "/" + std::to_string(total) + " [" + share + "]";
}

// Terrestrial kinds always; a supplementary kind when the network has it.
void Outliers(Radky& r, const Workspace& ws, const SouhrnVyrovnani& souhrn) {
    const Tjazyk& j = ws.jazyk;
    if (!souhrn.vylucovaniOdlehlych) {
        Line(r, j.popis.pocetOdlehlych, "-");
        return;
    }
    Line(r, j.popis.pocetOdlehlych, Ratio(souhrn.odlehleCelkem, souhrn.testovaneCelkem));
    for (const Velicina typ : druhy::kPoradi) {
        const size_t k = IndexVeliciny(typ);
        if (typ > Velicina::Zenit && souhrn.testovane[k] == 0) continue;
        Line(r, "  " + NazevVeliciny(ws, typ), Ratio(souhrn.odlehle[k], souhrn.testovane[k]));
    }
}

}  // namespace

std::string_view ObservationKindKey(Velicina typ) {
    static constexpr std::array<std::string_view, 7> kKeys = {
        "distance",     "direction",   "zenith",    "supp-distance",
        "supp-bearing", "supp-height", "supp-plumb"};
    const int32_t kod = KodVeliciny(typ);
    return kod >= 1 && kod <= 7 ? kKeys[IndexVeliciny(typ)] : std::string_view{};
}

std::string_view DatumKey(Fixace typFixace) {
    static constexpr std::array<std::string_view, 10> kKeys = {"fixed-points",
                                                               "fixed-points-no-distances",
                                                               "one-point-bearing-distances",
                                                               "one-point-bearing",
                                                               "one-point-distances",
                                                               "one-point",
                                                               "free-bearing-distances",
                                                               "free-bearing",
                                                               "free-distances",
                                                               "free"};
    const int32_t k = KodFixace(typFixace);
    return k >= 0 && k <= 9 ? kKeys[static_cast<size_t>(k)] : std::string_view{};
}

std::string_view WeightSourceKey(ZdrojVah typVah) {
    switch (typVah) {
        case ZdrojVah::Vnitrni:
            return "inner";
        case ZdrojVah::Vnejsi:
            return "outer";
        case ZdrojVah::Zadana:
            return "given";
        default:
            return {};
    }
}

std::vector<std::string> RadkySouhrnuVyrovnani(const Workspace& ws,
                                               const VysledekVyrovnani& vysledek) {
    Radky r;
    if (!ws.state.Current(Step::Adjustment)) return r;
    const Tjazyk& j = ws.jazyk;
    const jazyk::Tpopis& p = j.popis;
    const SouhrnVyrovnani souhrn = ShrnoutVyrovnani(ws);
    r.push_back(j.tlacitko.vyrovnaniSite);
    Line(r, p.pocetVyrBodu, souhrn.pocetBoduUrcovanych);
    Line(r, p.pocetFixBodu, souhrn.pocetBoduFixnich);
    Line(r, p.pocetVyrPosun, souhrn.pocetPosunu);
    Line(r, "Unknowns", souhrn.pocetNeznamych);
    Line(r, p.pocetVyrmerni, souhrn.pocetMereni);
    Line(r, p.pocetNadbytecnych, souhrn.pocetNadbytecnych);
    Line(r, p.sigJednotkovaAprior, FormatFixed(souhrn.odchylkaJednotkovaAprior, 3));
    Line(r, p.sigJednotkovaAposterior, FormatFixed(souhrn.odchylkaJednotkovaAposterior, 3));
    Line(r, "Iterations",
         "robust " + std::to_string(vysledek.pocetIteraciRobustne) + ", plain " +
             std::to_string(souhrn.pocetIteraci));
    Outliers(r, ws, souhrn);
    Line(r, "Datum", DatumText(souhrn.typFixace));
    Line(r, "Weights", WeightText(j, souhrn.typVah));
    if (!vysledek.vynechana.empty())
        Line(r, "Left out (a point without coordinates)",
             static_cast<int32_t>(vysledek.vynechana.size()));
    if (const int32_t vyrazeno = PocetVyrazenychMereni(ws); vyrazeno > 0)
        Line(r, "Switched off by the user (not adjusted)", vyrazeno);
    Line(r, "Uncontrolled observations", souhrn.pocetNekontrolovanych);
    Line(r, "Points depending on them", static_cast<int32_t>(souhrn.zavisleBody.size()));
    if (!souhrn.nekontrolovaneBody.empty())
        Line(r, "Uncontrolled points", PopisNekontrolovanychBodu(j, souhrn.nekontrolovaneBody));
    if (!souhrn.neurceneSouradnice.empty())
        Line(r, "Not determined (no observation; held as given)",
             SeznamSDalsimi(ws, souhrn.neurceneSouradnice));
    return r;
}

}  // namespace vertano
