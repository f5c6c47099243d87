#include "AdjustSummary.h"

#include <string>

#include "AdjustResults.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/Tvahy.h"
#include "mereni/Text.h"
#include "workspace/DruhyRadek.h"

namespace vertano::cli {

namespace {

void Line(Session& s, const std::string& label, const std::string& value) {
    s.out << "  " << label << ": " << value << "\n";
}

void Line(Session& s, const std::string& label, int32_t value) {
    Line(s, label, std::to_string(value));
}

std::string DatumText(int32_t typFixace) {
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
    if (typFixace < 0 || typFixace > 9) return "?";
    return std::string(DatumKey(typFixace)) + " (" + kTexts[typFixace] + ")";
}

std::string WeightText(const Tjazyk& j, int32_t typVah) {
    const std::string& name = typVah == zdrojVah::kVnitrni  ? j.popis.vnitrniPresnost
                              : typVah == zdrojVah::kVnejsi ? j.popis.vnejsiPresnost
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
void PrintOutliers(Session& s, const SouhrnVyrovnani& souhrn) {
    const Tjazyk& j = s.ws.jazyk;
    if (!souhrn.vylucovaniOdlehlych) {
        Line(s, j.popis.pocetOdlehych, "-");
        return;
    }
    int32_t outliers = 0;
    int32_t tested = 0;
    for (const int32_t typ : druhy::kPoradi) {
        outliers += souhrn.odlehle[static_cast<size_t>(typ - 1)];
        tested += souhrn.testovane[static_cast<size_t>(typ - 1)];
    }
    Line(s, j.popis.pocetOdlehych, Ratio(outliers, tested));
    for (const int32_t typ : druhy::kPoradi) {
        const auto k = static_cast<size_t>(typ - 1);
        if (typ > velicina::kZenit && souhrn.testovane[k] == 0) continue;
        Line(s, "  " + NazevVeliciny(s.ws, typ), Ratio(souhrn.odlehle[k], souhrn.testovane[k]));
    }
}

}  // namespace

void PrintAdjustmentSummary(Session& s, const VysledekVyrovnani& vysledek) {
    const Tjazyk& j = s.ws.jazyk;
    const jazyk::Tpopis& p = j.popis;
    const Tmodel2& model = s.ws.modelVyrovnany;
    const SouhrnVyrovnani souhrn = ShrnoutVyrovnani(s.ws);
    s.out << j.tlacitko.vyrovaniSite << "\n";
    Line(s, p.pocetVyrBodu, model.pocetSouradnicUrcovanych / 3);
    Line(s, p.pocetFixBodu, model.pocetSouradnicFixnich / 3);
    Line(s, p.pocetVyrPosun, model.pocetPosunu);
    Line(s, "Unknowns", souhrn.pocetNeznamych);
    Line(s, p.pocetVyrmerni, souhrn.pocetMereni);
    Line(s, p.pocetNadbytecnych, souhrn.pocetNadbytecnych);
    Line(s, p.sigJednotkovaAprior, FormatFixed(souhrn.odchylkaJednotkovaAprior, 3));
    Line(s, p.sigJednotkovaAposterior, FormatFixed(souhrn.odchylkaJednotkovaAposterior, 3));
    Line(s, "Iterations",
         "robust " + std::to_string(vysledek.pocetIteraciRobustne) + ", plain " +
             std::to_string(souhrn.pocetIteraci));
    PrintOutliers(s, souhrn);
    Line(s, "Datum", DatumText(souhrn.typFixace));
    Line(s, "Weights", WeightText(j, souhrn.typVah));
    if (!vysledek.vynechana.empty())
        Line(s, "Left out (a point without coordinates)",
             static_cast<int32_t>(vysledek.vynechana.size()));
    Line(s, "Uncontrolled observations", souhrn.pocetNekontrolovanych);
    Line(s, "Points depending on them", static_cast<int32_t>(souhrn.zavisleBody.size()));
}

}  // namespace vertano::cli
