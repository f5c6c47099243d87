// "Open project" and "Save as project" of the main window, and the project
// given on the command line.
#include <optional>

#include <QFileInfo>
#include <QUndoStack>

#include "DesktopSettings.h"
#include "HlavniOkno.h"
#include "StepOutcome.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "workspace/CislaOznameni.h"
#include "workspace/OtevreniProjektu.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

void HlavniOkno::PrikazOtevritProjekt() {
    const Tjazyk& j = ws_.jazyk;
    if (OtevreniZahodiData(ws_) && !Potvrzeni(Q(j.nadpis.varovani), Q(j.hlaseni.oteritProjekt)))
        return;
    const std::vector<std::filesystem::path> cesty =
        dialogy_.Otevrit(this, DruhSouboru::Projekt, false, ws_.nastaveni, ws_.jazyk);
    if (cesty.size() != 1) return;
    OtevritProjekt(cesty.front());
}

void HlavniOkno::OtevritProjekt(const std::filesystem::path& cesta, bool ohlasitUspech) {
    Zaneprazdneni(true);
    const VysledekProjektu v = OtevritProjektBezZtraty(ws_, cesta);
    Zaneprazdneni(false);
    if (v.uspech) {
        // Other rows, another language, other switches: the window starts afresh.
        zpet_->clear();
        tabulka_->ZrusitVyber();
        protokolSouboru_.clear();
        NastavitTexty();
        NastavitPrepinace();
        tabulka_->scrollToTop();
    }
    Obnovit();
    AktualizovatMenu();
    const QString jmeno = QString::fromStdU16String(cesta.filename().u16string());
    const jazyk::Toznameni o = OznameniOtevreniProjektu(ws_, v);
    if (v.uspech) {
        RememberProject(QString::fromStdU16String(cesta.u16string()));
        NastavitTextyPlochy();
        // The checks of what was opened follow the name of the project.
        const StepOutcome kontrola = OutcomeOfChecks(ws_);
        StepOutcome vysledek = OutcomeOfProject(ws_, v, false, jmeno);
        vysledek.text += "; " + kontrola.text;
        vysledek.problem = kontrola.problem;
        UkazatVysledek(vysledek, kontrola.problem
                                     ? std::function<void()>([this] { PrikazZkontrolovat(); })
                                     : std::function<void()>());
    } else {
        UkazatVysledek(OutcomeOfProject(ws_, v, false, jmeno),
                       [this, o] { Zprava(Q(o.nadpis), Q(o.text)); });
    }
    if (v.uspech && !ohlasitUspech) return;
    Zprava(Q(o.nadpis), Q(o.text));
}

void HlavniOkno::PrikazUlozitProjekt() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::Projekt, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    Zaneprazdneni(true);
    const VysledekProjektu v = UlozitProjekt(ws_, cesta);
    Zaneprazdneni(false);
    // The title names the project just saved.
    NastavitTexty();
    const QString jmeno = QString::fromStdU16String(cesta.filename().u16string());
    if (v.uspech) {
        RememberProject(QString::fromStdU16String(cesta.u16string()));
        NastavitTextyPlochy();
        UkazatVysledek(OutcomeOfProject(ws_, v, true, jmeno));
        return;
    }
    // The notification the command announced, with the writer's reason.
    const std::optional<int32_t> cislo = ws_.chyby.PrevzitOznameni();
    const jazyk::Toznameni o = ws_.jazyk.Oznameni(cislo.value_or(oznameni::kUkladani));
    const QString text = Q(o.text) + "\n" + Q(v.soubor.message);
    UkazatVysledek(OutcomeOfProject(ws_, v, true, jmeno),
                   [this, o, text] { Zprava(Q(o.nadpis), text); });
    Zprava(Q(o.nadpis), text);
}

}  // namespace vertano::ui
