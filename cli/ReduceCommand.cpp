#include <string>
#include <vector>

#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "RawProcessing.h"
#include "Session.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Jednotky.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/RedukovanePrumery.h"

namespace vertano::cli {

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : ", ") + n;
    return text;
}

void PrintLevel(Session& s, const RedukceNaZnacky& redukce) {
    if (!redukce.jeHladina) return;
    const Tnastaveni& n = s.ws.nastaveni;
    const jazyk::Tpopis& p = s.ws.jazyk.popis;
    const uint8_t type = n.redukceMereni.typHladiny;
    const std::string& label = type == 0   ? p.nulovaHladina
                               : type == 1 ? p.stredniHladinaSite
                                           : p.hladinaVeVysce;
    s.out << label << ": "
          << FormatLength(redukce.hladina, n.jednotky.souradnice, n.presnost.souradnice.hodnota)
          << " " << s.ws.jazyk.popisJednotky.x_hodnota << "\n";
}

void PrintReduction(Session& s, const VysledekRedukovanychPrumeru& v) {
    if (!v.priblizne.neurcene.empty())
        s.out << "Points without coordinates: " << Joined(v.priblizne.neurcene) << "\n";
    if (v.priblizne.jePreruseno)
        s.err << "vertano-cli: the approximate coordinates were interrupted; points found so "
                 "far are used\n";
    PrintLevel(s, v.redukce);
    s.out << s.ws.jazyk.popis.redukceDelek << ": " << s.ws.jazyk.hlaseni.poceZaznamu
          << std::to_string(v.redukce.pocty.pocetRedukovanych) << "\n";
    s.out << "Left out (a point without coordinates): "
          << std::to_string(v.redukce.pocty.pocetVypustenych) << "\n";
}

// The means, reduced to the marks when points were given, into the one-face list;
// the workspace does the work exactly as the analysis would.
bool Reduce(Session& s, VysledekRedukovanychPrumeru& v) {
    Workspace& ws = s.ws;
    if (s.HasPoints()) s.Stage(3);
    v = RedukovanePrumery(ws, s.ui, s.options.faces);
    if (!v.uspech) return false;
    s.out << (s.options.faces ? ws.jazyk.tlacitko.prumerPoloh : ws.jazyk.tlacitko.prumerSkupin)
          << ": " << ws.jazyk.hlaseni.poceZaznamu
          << std::to_string(ws.mereniJednaPoloha.PocetPlnychZaznamu() +
                            v.redukce.pocty.pocetVypustenych)
          << "\n";
    if (v.redukovano) PrintReduction(s, v);
    return true;
}

// Nothing to write is a failure of its own: with no set at all the checks say
// why; when the given points reach none of the means, "no measurement set"
// would send the user looking in the wrong place.
int NothingToWrite(Session& s, const VysledekRedukovanychPrumeru& v) {
    if (v.redukce.pocty.pocetVypustenych > 0)
        s.err << "vertano-cli: every mean was left out, its points have no coordinates (do the "
                 "given points belong to these measurements?); nothing written\n";
    else
        s.err << "vertano-cli: no measurement set to reduce; nothing written\n";
    return kExitChecksFailed;
}

int Write(Session& s, const VysledekRedukovanychPrumeru& v) {
    Workspace& ws = s.ws;
    if (!ws.mereniJednaPoloha.ExistujePlnyZaznam()) return NothingToWrite(s, v);
    ws.nastaveni.souborVystup.typSuroveMereni = format::kMtx;
    const RawSaveReport rep = UlozeniSouboru(ws.mereniJednaPoloha, ws.nastaveni, s.options.output);
    if (!rep.ok) {
        s.err << rep.message << "\n";
        return kExitRejected;
    }
    s.out << "Wrote " << std::to_string(ws.mereniJednaPoloha.PocetPlnychZaznamu())
          << " measurements to " << s.options.output << "\n";
    return kExitOk;
}

// The means are written even when checks failed, so that they can be inspected,
// but a flagged or left-out row must not pass unnoticed.
int WarnAboutChecks(Session& s) {
    const Workspace& ws = s.ws;
    const int32_t errors = ChybySurovychMereni(ws);
    if (errors == 0) return kExitOk;
    const int32_t outside = PocetZaznamuMimoSkupiny(ws.suroveMereni);
    s.err << "vertano-cli: warning: the checks found errors: " << std::to_string(errors)
          << " (see 'vertano-cli check --rows'); measurements outside the sets, left out of "
             "the means: "
          << std::to_string(outside) << "\n";
    return kExitChecksFailed;
}

}  // namespace

int RunReduce(const Options& o, std::ostream& out, std::ostream& err, std::istream* terminal) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, terminal);
    bool accepted = true;
    if (!o.project.empty()) {
        accepted = LoadProject(s);
    } else {
        accepted = LoadRawFiles(s, codes);
        if (!o.points.empty()) accepted = LoadPointFiles(s) && accepted;
        if (!o.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
    }
    if (!accepted) {
        err << "vertano-cli: nothing written\n";
        return kExitRejected;
    }
    ProcessRaw(s);
    out << s.ws.jazyk.tlacitko.prehledChyb << ": " << std::to_string(ChybySurovychMereni(s.ws))
        << "\n";
    VysledekRedukovanychPrumeru v;
    if (!Reduce(s, v)) {
        err << "vertano-cli: nothing written\n";
        return kExitChecksFailed;
    }
    s.ui.Stage("");
    const int status = Write(s, v);
    return status == kExitOk ? WarnAboutChecks(s) : status;
}

}  // namespace vertano::cli
