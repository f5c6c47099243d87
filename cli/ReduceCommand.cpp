#include <string>
#include <vector>

#include "Commands.h"
#include "Inputs.h"
#include "RawProcessing.h"
#include "Session.h"
#include "adjustment/PriblizneSouradnice.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Jednotky.h"
#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "processing/RedukceDelek.h"
#include "processing/SouradniceDlePoradi.h"

namespace vertano::cli {

namespace {

// Notification numbers: the generic processing error, the given points and the
// scale factors contain errors.
constexpr int32_t kOznameniChyba = 0;
constexpr int32_t kOznameniBody = 1;
constexpr int32_t kOznameniMeritko = 17;
// The face reduction of ZpracujSkupinyPoloha: means, not differences.
constexpr int32_t kPrumeryPoloh = 2;

// The analysis refuses point lists with duplicate or coincident points and scale
// factors with duplicates or values out of range: a point looked up by its number
// would be an arbitrary one of its duplicates.
bool InputsUsable(Session& s) {
    const Tchyby& c = s.ws.chyby;
    if (c.souradniceFixniCekovyPocetChyb > 0) s.Show(kOznameniBody);
    if (c.souradniceMeritkoCekovyPocetChyb > 0) s.Show(kOznameniMeritko);
    return c.souradniceFixniCekovyPocetChyb == 0 && c.souradniceMeritkoCekovyPocetChyb == 0;
}

bool Means(Session& s, Tmereni& faceMeans, Tmereni& setMeans) {
    if (!ZpracujSkupinyPoloha(s.ws.suroveMereni, faceMeans, kPrumeryPoloh)) return false;
    setMeans = faceMeans;
    return PrumerSkupin(setMeans);
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names) text += (text.empty() ? "" : ", ") + n;
    return text;
}

// Approximate coordinates of every point of the set means, from the given points.
// The means are a copy: finding the point order rewrites their point indexes.
void ApproximateCoordinates(Session& s, Tmereni setMeans) {
    Workspace& ws = s.ws;
    std::vector<std::string> names;
    setMeans.PoradiBoduPriradit(names);
    ws.souradnicePriblizne = ws.souradniceFixni;
    VysledekPriblizne result;
    VypocetPriblizneSouradnice(ws.souradnicePriblizne, setMeans, names, result);
    if (!result.neurcene.empty())
        s.out << "Points without coordinates: " << Joined(result.neurcene) << "\n";
    if (result.jePreruseno)
        s.err << "vertano-cli: the approximate coordinates were interrupted; points found so "
                 "far are used\n";
}

void PrintLevel(Session& s, const Tsouradnice& points) {
    const Tnastaveni& n = s.ws.nastaveni;
    const jazyk::Tpopis& p = s.ws.jazyk.popis;
    Real level = 0;
    if (!HladinaRedukce(points, n, level)) return;
    const uint8_t type = n.redukceMereni.typHladiny;
    const std::string& label = type == 0   ? p.nulovaHladina
                               : type == 1 ? p.stredniHladinaSite
                                           : p.hladinaVeVysce;
    s.out << label << ": "
          << FormatLength(level, n.jednotky.souradnice, n.presnost.souradnice.hodnota) << " "
          << s.ws.jazyk.popisJednotky.x_hodnota << "\n";
}

// Reduces `list` to the marks, the level and the projection with the approximate
// coordinates; rows to a point without coordinates are left out.
bool ReduceDistances(Session& s, Tmereni& list) {
    Workspace& ws = s.ws;
    std::vector<std::string> names;
    list.PoradiBoduPriradit(names);
    const Tsouradnice points = SouradniceDlePoradiBodu(names, ws.souradnicePriblizne);
    PrintLevel(s, points);
    VysledekRedukce result;
    if (!RedukovatDelky(list, points, ws.souradniceMeritko, ws.nastaveni, result)) return false;
    s.out << ws.jazyk.popis.redukceDelek << ": " << ws.jazyk.hlaseni.poceZaznamu
          << std::to_string(result.pocetRedukovanych) << "\n";
    s.out << "Left out (a point without coordinates): " << std::to_string(result.pocetVypustenych)
          << "\n";
    return true;
}

// The means, reduced when points were given, into the one-face list.
bool Reduce(Session& s) {
    Workspace& ws = s.ws;
    Tmereni faceMeans;
    Tmereni setMeans;
    if (!Means(s, faceMeans, setMeans)) return false;
    ws.mereniJednaPoloha = s.options.faces ? faceMeans : setMeans;
    s.out << (s.options.faces ? ws.jazyk.tlacitko.prumerPoloh : ws.jazyk.tlacitko.prumerSkupin)
          << ": " << ws.jazyk.hlaseni.poceZaznamu
          << std::to_string(ws.mereniJednaPoloha.PocetPlnychZaznamu()) << "\n";
    if (s.options.points.empty() || !ws.mereniJednaPoloha.ExistujePlnyZaznam()) return true;
    s.Stage(3);
    ApproximateCoordinates(s, setMeans);
    return ReduceDistances(s, ws.mereniJednaPoloha);
}

int Write(Session& s) {
    Workspace& ws = s.ws;
    if (!ws.mereniJednaPoloha.ExistujePlnyZaznam()) {
        s.err << "vertano-cli: no measurement set to reduce; nothing written\n";
        return kExitChecksFailed;
    }
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
    const int32_t errors = ws.chyby.suroveMereniCekovyPocetChyb;
    if (errors == 0) return kExitOk;
    const int32_t outside =
        ws.suroveMereni.PocetPlnychZaznamu() - ws.suroveMereni.PocetRazazenychZaznamuDoSkupin();
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
    bool accepted = LoadRawFiles(s, codes);
    if (!o.points.empty()) accepted = LoadPointFiles(s) && accepted;
    if (!o.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
    if (!accepted) {
        err << "vertano-cli: nothing written\n";
        return kExitRejected;
    }
    ProcessRaw(s);
    out << s.ws.jazyk.tlacitko.prehledChyb << ": "
        << std::to_string(s.ws.chyby.suroveMereniCekovyPocetChyb) << "\n";
    if (!InputsUsable(s)) {
        err << "vertano-cli: nothing written\n";
        return kExitChecksFailed;
    }
    if (!Reduce(s)) {
        s.Show(kOznameniChyba);
        err << "vertano-cli: nothing written\n";
        return kExitChecksFailed;
    }
    s.ui.Stage("");
    const int status = Write(s);
    return status == kExitOk ? WarnAboutChecks(s) : status;
}

}  // namespace vertano::cli
