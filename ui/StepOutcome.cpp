#include "StepOutcome.h"

#include "DesktopTexts.h"
#include "Texty.h"
#include "mereni/Text.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Projekt.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

const DesktopTexts& T(const Workspace& ws) {
    return TextyPlochy(ws.nastaveni.typJazyk);
}

// The notification that stopped a command: its title, and what caused it.
QString Reason(const Workspace& ws, int32_t number, const std::string& second,
               const std::string& engine) {
    QString text;
    if (number > 0) text = Q(ws.jazyk.Oznameni(number).nadpis);
    if (!second.empty()) text += (text.isEmpty() ? "" : " - ") + Q(second);
    if (text.isEmpty()) text = Q(engine);
    return text;
}

}  // namespace

StepOutcome OutcomeOfChecks(const Workspace& ws) {
    const int32_t rows = ws.suroveMereni.PocetPlnychZaznamu();
    if (rows == 0) return {T(ws).checksEmpty, false};
    const int32_t errors = ChybySurovychMereni(ws);
    if (errors == 0) return {T(ws).checksNone.arg(rows), false};
    return {T(ws).checksFound.arg(errors).arg(rows), true};
}

StepOutcome OutcomeOfAnalysis(const Workspace& ws, const VysledekAnalyzy& v) {
    const DesktopTexts& t = T(ws);
    if (v.zruseno) return {t.analysisCancelled, true};
    if (!v.uspech)
        return {t.analysisStopped.arg(Reason(ws, v.oznameni, v.druhyRadek, v.chyba)), true};
    QString text = t.analysisDone.arg(ws.souradnicePriblizne.PocetPlnychBodu())
                       .arg(ws.mereniVyrovnani.PocetPlnychZaznamu());
    const bool unreached = !v.priblizne.neurcene.empty();
    if (unreached) text += t.analysisUnreached.arg(v.priblizne.neurcene.size());
    if (!v.varovani.empty()) text += t.analysisWarnings.arg(v.varovani.size());
    return {text, unreached};
}

StepOutcome OutcomeOfAdjustment(const Workspace& ws, const VysledekVyrovnani& v) {
    const DesktopTexts& t = T(ws);
    if (v.zruseno) return {t.adjustmentCancelled, true};
    if (v.odmitnuto != 0) return {t.adjustmentDeclined, true};
    if (!v.uspech) {
        return {t.adjustmentStopped.arg(Reason(ws, v.oznameni, v.druhyRadek, v.chyba)), true};
    }
    const SouhrnVyrovnani s = ShrnoutVyrovnani(ws);
    const QString text = t.adjustmentDone.arg(Q(FormatFixed(s.odchylkaJednotkovaAposterior, 3)))
                             .arg(Q(FormatFixed(s.odchylkaJednotkovaAprior, 3)))
                             .arg(s.odlehleCelkem)
                             .arg(s.pocetNekontrolovanych)
                             .arg(s.pocetIteraci);
    return {text, s.odlehleCelkem > 0 || s.pocetNekontrolovanych > 0};
}

StepOutcome OutcomeOfProject(const Workspace& ws, const VysledekProjektu& v, bool saved,
                             const QString& fileName) {
    const DesktopTexts& t = T(ws);
    if (v.uspech) return {(saved ? t.projectSaved : t.projectOpened).arg(fileName), false};
    return {(saved ? t.projectNotSaved : t.projectNotOpened).arg(fileName), true};
}

}  // namespace vertano::ui
