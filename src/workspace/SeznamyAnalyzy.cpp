#include "workspace/SeznamyAnalyzy.h"

#include "mereni/Text.h"
#include "processing/KontrolaMereni.h"
#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

// A count of rows of which both of a pair count: halved, ".5" kept.
std::string Polovina(int32_t n) {
    return n % 2 == 0 ? FormatInteger(n / 2) : FormatGeneral(static_cast<Real>(n) / 2);
}

std::string Trojice(const std::string& a, const std::string& b, const std::string& c) {
    return " [" + a + ", " + b + ", " + c + "]";
}

std::string Soucty(const Tmereni& m, bool sRozdilySkupin) {
    const auto& k = m.kontrola;
    using namespace kontrola;
    const auto s = [&](int a, int b) { return FormatInteger(k[a] + (sRozdilySkupin ? k[b] : 0)); };
    return Trojice(s(kSmer, kSkupinaSmer), s(kZenit, kSkupinaZenit), s(kDelka, kSkupinaDelka));
}

}  // namespace

SeznamJednePolohy VytvoritSeznamJednePolohy(const Workspace& ws, RezimJednePolohy rezim) {
    SeznamJednePolohy v;
    Tmereni& s = v.seznam;
    bool ok = true;
    switch (rezim) {
        case RezimJednePolohy::RozdilPoloh:
        case RezimJednePolohy::PrumerPoloh:
        case RezimJednePolohy::PrumerSkupin: {
            Tmereni surove = ws.suroveMereni;
            surove.SmazPrazdneZaznamyNaKonci();
            PoradiPrvniDruhaPoloha(surove);
            const int32_t typ = rezim == RezimJednePolohy::RozdilPoloh ? 1 : 2;
            ok = ZpracujSkupinyPoloha(surove, s, typ);
            if (ok && rezim == RezimJednePolohy::PrumerSkupin) {
                ok = PrumerSkupin(s);
                if (ok) {
                    KontrolaOdvozenehoMereni(s, ws.nastaveni);
                    s.SkupinaDlePoradi();
                }
            } else if (ok && typ == 2) {
                KontrolaOdvozenehoMereni(s, ws.nastaveni);
            }
            break;
        }
        case RezimJednePolohy::KamenKamen:
            s = ws.mereniVyrovnaniZobrazeni;
            KontrolaOdvozenehoMereni(s, ws.nastaveni);
            break;
        case RezimJednePolohy::PredVyrovnanim:
            s = ws.mereniVyrovnani;
            KontrolaOdvozenehoMereni(s, ws.nastaveni);
            break;
        case RezimJednePolohy::RozdilFixni:
            s = ws.porovnaniDelekFixni;
            break;
        case RezimJednePolohy::RozdilVse:
            s = ws.porovnaniDelekPriblizne;
            break;
    }
    if (!ok) {
        s.Clear();
        v.stav = " 0 / 0";
        return v;
    }
    const std::string plne = " / " + FormatInteger(s.PocetPlnychZaznamu());
    switch (rezim) {
        case RezimJednePolohy::RozdilPoloh: {
            // The face errors of the raw list after its check run count both rows
            // of a pair.
            const auto& k = ws.suroveMereni.kontrola;
            using namespace kontrola;
            v.stav = Trojice(Polovina(k[kPolohaSmer]), Polovina(k[kPolohaZenit]),
                             Polovina(k[kPolohaDelka] + k[kDelkaVJednePoloze])) +
                     plne;
            break;
        }
        case RezimJednePolohy::PrumerSkupin:
            v.stav = Soucty(s, false) + plne;
            break;
        case RezimJednePolohy::RozdilFixni:
        case RezimJednePolohy::RozdilVse: {
            int32_t nad = 0;
            for (const Tzaznam& z : s.zaznam) {
                nad += z.JePlny() && z.kontrola[kontrola::kCilJeStanovisko] ? 1 : 0;
            }
            v.stav = " " + FormatInteger(nad) + plne;
            break;
        }
        default:
            v.stav = Soucty(s, true) + plne;
            break;
    }
    v.ok = true;
    return v;
}

}  // namespace vertano
