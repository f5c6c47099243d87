#include "ProjectInput.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "drawing/VolbyKresby.h"
#include "files/VyrazeniSoubor.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Projekt.h"
#include "workspace/VyrazeniMereni.h"
#include "workspace/VystupyVyrovnani.h"

namespace vertano::cli {

namespace {

const char* const kAngleUnits[] = {"rad", "gon", "deg", "dms"};
const char* const kLengthUnits[] = {"m", "ft"};

template <size_t N>
const char* Name(const char* const (&names)[N], unsigned code) {
    return code < N ? names[code] : "?";
}

std::string Count(int32_t n) {
    return std::to_string(n);
}

}  // namespace

bool LoadProject(Session& s) {
    Workspace& ws = s.ws;
    const VysledekProjektu r = OtevritProjekt(ws, s.options.project);
    if (!r.uspech) {
        // The failed open left the default settings; the messages stay in the
        // language of the command line.
        ws.NastavitJazyk(s.options.language);
        s.ui.Notify(ws.jazyk.nadpis.chyba, ws.jazyk.hlaseni.chybaOtevritProjekt);
        s.err << "vertano-cli: " << r.soubor.message << "\n";
        return false;
    }
    s.ApplyGivenOptions();
    s.out << s.options.project << ": " << ws.jazyk.hlaseni.uspesneOtevrenProjekt << "\n";
    PrintProjectContents(s);
    return true;
}

void PrintProjectContents(Session& s) {
    const Workspace& ws = s.ws;
    s.out << "Raw measurements: " << Count(ws.suroveMereni.PocetPlnychZaznamu())
          << " (stations: " << Count(ws.suroveMereni.PosledniPoradi()) << ")\n";
    s.out << "Given points: " << Count(ws.souradniceFixni.PocetPlnychBodu())
          << " (fixed: " << Count(ws.souradniceFixni.PocetFixnichBodu()) << ")\n";
    s.out << "Identical points: " << Count(ws.souradniceTransformaceVstup.PocetPlnychBodu())
          << "\n";
    s.out << "Scale factors: " << Count(ws.souradniceMeritko.PocetPlnychBodu()) << "\n";
    for (const DruhDoplnku kind : doplnek::kPoradiKontroly) {
        s.out << "Supplementary " << doplnek::NazevDruhu(kind) << ": "
              << Count(ws.doplnekVstup.Seznam(kind)->PocetPlnychZaznamu()) << "\n";
    }
    // Only a project that has some says so: the lines above stay as they were.
    if (const int32_t vypnuto = PocetVyrazenychMereni(ws); vypnuto > 0)
        s.out << "Switched off (not adjusted): " << Count(vypnuto) << "\n";
}

void PrintProjectSettings(Session& s) {
    const Tnastaveni& n = s.ws.nastaveni;
    const nastaveni::Tjednotky& j = n.jednotky;
    s.out << "Units: angles " << Name(kAngleUnits, j.uhel) << ", lengths "
          << Name(kLengthUnits, j.delka) << ", coordinates " << Name(kLengthUnits, j.souradnice)
          << (j.poradiSouradnice == 1 ? ", Y before X" : ", X before Y")
          << (j.souradnicovySystem ? ", geodetic axes" : ", mathematical axes") << "\n";
    s.out << "Language: " << (n.typJazyk == 0 ? "cs" : "en") << "\n";
    const nastaveni::Tvyrovnani& v = n.vyrovnani;
    static const char* const kWeights[] = {"?", "inner", "outer", "given"};
    const std::vector<std::string>& estimators = s.ws.jazyk.typOdhadu;
    s.out << "Weights: " << Name(kWeights, KodZdroje(v.typVah)) << "; estimator: "
          << (JeTypOdhadu(v.typOdhadu) &&
                      static_cast<std::size_t>(KodOdhadu(v.typOdhadu)) <= estimators.size()
                  ? estimators[static_cast<std::size_t>(KodOdhadu(v.typOdhadu)) - 1]
                  : "?")
          << "; significance level: " << FormatGeneral(v.rizikoOdlehlost)
          << "; outlier exclusion: " << (n.VylucovatOdlehle() ? "on" : "off") << "; at most "
          << Count(v.maxPocetIteraci) << " iterations\n";
    static const char* const kLevels[] = {"zero", "mean", "height"};
    s.out << "Reduction: level " << Name(kLevels, n.redukceMereni.typHladiny);
    if (n.redukceMereni.typHladiny == 2)
        s.out << " " << FormatGeneral(n.redukceMereni.vyskaHladiny) << " m";
    s.out << "; radius " << FormatGeneral(n.redukceMereni.polomerRefPlochy)
          << " m; scale distortion " << FormatGeneral(n.redukceMereni.zakladniZkresleni) << "\n";
    const VolbyKresby kresba = VolbyZNastaveni(n.grafika);
    s.out << "Drawing: ellipse magnification " << FormatGeneral(kresba.zvetseni) << " ("
          << (kresba.apriorni ? "a priori" : "a posteriori") << ")\n";
}

namespace {

// The patterns of one value of --exclude: a file ("@FILE", or the name of an
// existing file) or patterns separated by commas.
bool ExclusionPatterns(Session& s, const std::string& value, std::vector<VzorVyrazeni>& vzory) {
    const bool file = value.front() == '@' || std::filesystem::is_regular_file(value);
    if (file) {
        const std::string path = value.front() == '@' ? value.substr(1) : value;
        std::vector<VzorVyrazeni> zSouboru;
        const FileResult r = CistSouborVyrazeni(path, zSouboru);
        if (!r.ok) {
            s.err << "vertano-cli: --exclude: " << path << ": " << DescribeFileFailure(r) << "\n";
            return false;
        }
        vzory.insert(vzory.end(), zSouboru.begin(), zSouboru.end());
        return true;
    }
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        VzorVyrazeni vzor;
        std::string error;
        if (!CistVzorVyrazeni(value.substr(start, comma - start), vzor, error)) {
            s.err << "vertano-cli: --exclude: " << error << " (nor a file)\n";
            return false;
        }
        vzory.push_back(std::move(vzor));
        start = comma + 1;
    }
    return true;
}

// The measurements --exclude switches off; a pattern that matches nothing stops
// the command, since leaving a wrong row in would go unnoticed.
bool ApplyExclusions(Session& s) {
    if (s.options.exclude.empty()) return true;
    std::vector<VzorVyrazeni> vzory;
    for (const std::string& value : s.options.exclude) {
        if (!ExclusionPatterns(s, value, vzory)) return false;
    }
    const VysledekVyrazeni r = VyraditMereni(s.ws, vzory);
    for (const std::string& vzor : r.nenalezene)
        s.err << "vertano-cli: --exclude: '" << vzor << "' matches no measurement\n";
    if (!r.ok) return false;
    s.out << "Switched off: " << r.surovych << " raw rows, " << r.doplnku
          << " supplementary measurements\n";
    return true;
}

}  // namespace

bool ApplyDatum(Session& s) {
    const VysledekUvolneni r = UvolnitBody(s.ws, s.options.free, s.options.unfix);
    for (const std::string& name : r.nenalezene)
        s.err << "vertano-cli: --unfix: point '" << name << "' is not among the given points\n";
    if (!r.ok) return false;
    const VysledekUvolneni f = FixovatOsy(s.ws, s.options.fixPlan, s.options.fixHeight);
    for (const std::string& name : f.nenalezene) {
        s.err << "vertano-cli: --fix-plan/--fix-height: point '" << name
              << "' is not among the given points\n";
    }
    return f.ok && ApplyExclusions(s);
}

}  // namespace vertano::cli
