#include "workspace/DruhyRadek.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <set>
#include <tuple>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/Spolehlivost.h"
#include "adjustment/TmerenaVelicina.h"
#include "adjustment/VysledekSite.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

constexpr uint8_t kCestina = 0;
constexpr std::size_t kMaxPolozek = 10;

// The text of the workspace's language.
std::string T(const Workspace& ws, const char* cesky, const char* anglicky) {
    return ws.nastaveni.typJazyk == kCestina ? cesky : anglicky;
}

std::string Cislo(int64_t n) {
    return FormatInteger(n);
}

// The files a point of a list came from, by the file IDs of `typ` in Tinfo.
std::string Soubory(const Workspace& ws, int typ, const std::set<int32_t>& id) {
    std::vector<std::string> jmena;
    for (const int32_t i : id) {
        if (i == 0) {
            jmena.push_back(T(ws, "zadáno ručně", "typed in"));
            continue;
        }
        std::string jmeno = "#" + Cislo(i);
        for (const info::Tsoubor& s : ws.info.VratSoubory(typ)) {
            if (s.ID == i) jmeno = s.jmeno;
        }
        jmena.push_back(jmeno);
    }
    return SeznamSDalsimi(ws, jmena);
}

// The text with its first letter in upper case (the items below start with
// an ASCII letter or with the Czech "ř").
std::string VelkePrvni(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    } else if (text.rfind("\xC5\x99", 0) == 0) {
        text[1] = '\x98';
    }
    return text;
}

// Items joined by "; ", at most ten, then how many more; a sentence.
std::string Polozky(const Workspace& ws, const std::vector<std::string>& polozky) {
    if (polozky.empty()) return {};
    std::string text;
    const std::size_t n = std::min(polozky.size(), kMaxPolozek);
    for (std::size_t i = 0; i < n; ++i) text += (i == 0 ? "" : "; ") + polozky[i];
    if (polozky.size() > n) {
        text += T(ws, "; a ", "; and ") + Cislo(static_cast<int64_t>(polozky.size() - n)) +
                T(ws, " dalších", " more");
    }
    return VelkePrvni(text) + ".";
}

const char* DuvodCesky(DuvodNeurceni d) {
    switch (d) {
        case DuvodNeurceni::BezSpojeni:
            return "bez spojení se známými body";
        case DuvodNeurceni::JedenSpolecny:
            return "se známými body mají jen jeden společný bod";
        case DuvodNeurceni::BezDelky:
            return "v jejich části není měřena žádná délka";
        default:
            return "nedosáhla je žádná konstrukce";
    }
}

const char* DuvodAnglicky(DuvodNeurceni d) {
    switch (d) {
        case DuvodNeurceni::BezSpojeni:
            return "no link to the known points";
        case DuvodNeurceni::JedenSpolecny:
            return "only one point in common with the known points";
        case DuvodNeurceni::BezDelky:
            return "no distance measured in their part";
        default:
            return "no construction reached them";
    }
}

// The check of a supplementary row that failed, by flag.
std::string KontrolaDoplnku(const Workspace& ws, DruhDoplnku druh, int flag) {
    const nastaveni::Tmez& m = ws.nastaveni.mezHodnota;
    switch (flag) {
        case 0:
            return T(ws, "stanovisko a cíl jsou tentýž bod",
                     "station and target are the same point");
        case 1:
            return T(ws, "výška přístroje mimo 0 až ", "instrument height outside 0 to ") +
                   FormatGeneral(m.hodnota_vyskaSTN) + " m";
        case 2:
            return T(ws, "výška cíle mimo 0 až ", "target height outside 0 to ") +
                   FormatGeneral(m.hodnota_vyskaCIL) + " m";
        default:
            break;
    }
    if (druh == DruhDoplnku::Delka) {
        return T(ws, "délka mimo 0 až ", "distance outside 0 to ") +
               FormatGeneral(m.hodnota_delka) + " m";
    }
    if (druh == DruhDoplnku::Prevyseni) {
        return T(ws, "převýšení mimo ±", "height difference outside ±") +
               FormatGeneral(m.hodnota_prevyseni) + " m";
    }
    return T(ws, "směrník mimo plný kruh", "bearing outside the full circle");
}

}  // namespace

std::string SeznamSDalsimi(const Workspace& ws, const std::vector<std::string>& polozky) {
    std::string text;
    const std::size_t n = std::min(polozky.size(), kMaxPolozek);
    for (std::size_t i = 0; i < n; ++i) text += (i == 0 ? "" : ", ") + polozky[i];
    if (polozky.size() > n) {
        text += T(ws, " a ", " and ") + Cislo(static_cast<int64_t>(polozky.size() - n)) +
                T(ws, " dalších", " more");
    }
    return text;
}

std::string RadekZadanychBodu(const Workspace& ws) {
    const std::vector<Tbod>& body = ws.souradniceFixni.bod;
    std::vector<std::string> polozky;
    const int plnych = ws.souradniceFixni.PocetPlnychBodu();
    if (plnych < 2) {
        std::vector<std::string> jmena;
        std::set<int32_t> soubory;
        for (const Tbod& b : body) {
            if (!b.JePlny) continue;
            jmena.push_back(b.cislo);
            soubory.insert(b.soubor);
        }
        std::string text = T(ws, "Zadané body: ", "Given points: ") + Cislo(plnych);
        if (plnych > 0) {
            text += " (" + SeznamSDalsimi(ws, jmena) + ", " +
                    Soubory(ws, info::kSouradniceFixni, soubory) + ")";
        }
        return text + T(ws, "; jsou potřeba alespoň dva.", "; at least two are needed.");
    }
    // Doubled names, and points sharing X, Y and Z, each group once.
    std::map<std::string, std::pair<int, std::set<int32_t>>> duplicity;
    std::map<std::tuple<Real, Real, Real>, std::pair<std::vector<std::string>, std::set<int32_t>>>
        totozne;
    for (const Tbod& b : body) {
        if (!b.JePlny) continue;
        if (b.kontrola[0]) {
            auto& d = duplicity[b.cislo];
            ++d.first;
            d.second.insert(b.soubor);
        }
        if (b.kontrola[2]) {
            auto& t = totozne[{b.X, b.Y, b.Z}];
            t.first.push_back(b.cislo);
            t.second.insert(b.soubor);
        }
    }
    for (const auto& [cislo, d] : duplicity) {
        polozky.push_back(T(ws, "bod ", "point ") + cislo + T(ws, " je zadán ", " is given ") +
                          Cislo(d.first) + T(ws, "krát (", " times (") +
                          Soubory(ws, info::kSouradniceFixni, d.second) + ")");
    }
    for (const auto& [poloha, t] : totozne) {
        // A name given twice at one place is a doubled name, said above.
        if (std::set<std::string>(t.first.begin(), t.first.end()).size() < 2) continue;
        polozky.push_back(T(ws, "body ", "points ") + SeznamSDalsimi(ws, t.first) +
                          T(ws, " mají stejné souřadnice (", " have the same coordinates (") +
                          Soubory(ws, info::kSouradniceFixni, t.second) + ")");
    }
    return Polozky(ws, polozky);
}

std::string RadekMeritka(const Workspace& ws) {
    const nastaveni::Tmez& m = ws.nastaveni.mezMaxVstup;
    std::vector<std::string> polozky;
    const std::vector<Tbod>& body = ws.souradniceMeritko.bod;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const Tbod& b = body[i];
        if (!b.JePlny) continue;
        const std::string radek =
            T(ws, "řádek ", "row ") + Cislo(static_cast<int64_t>(i + 1)) + " (" + b.cislo + "): ";
        if (b.kontrola[0]) {
            polozky.push_back(
                radek + T(ws, "bod je v seznamu vícekrát", "the point is listed more than once"));
        }
        if (b.kontrola[1]) {
            polozky.push_back(radek + T(ws, "měřítko ", "scale factor ") +
                              FormatGeneral(b.zkresleni) + T(ws, " mimo ", " outside ") +
                              FormatGeneral(m.hodnota_zkresleniMin) + T(ws, " až ", " to ") +
                              FormatGeneral(m.hodnota_zkresleniMax));
        }
    }
    return Polozky(ws, polozky);
}

std::string RadekDoplnku(const Workspace& ws, const DruhDoplnku druh) {
    const Tmereni* seznam = ws.doplnekVstup.Seznam(druh);
    if (seznam == nullptr) return {};
    std::vector<std::string> polozky;
    for (std::size_t i = 0; i < seznam->zaznam.size(); ++i) {
        const Tzaznam& z = seznam->zaznam[i];
        if (!z.JePlny()) continue;
        for (int flag = 0; flag < 4; ++flag) {
            if (!z.kontrola[static_cast<std::size_t>(flag)]) continue;
            polozky.push_back(T(ws, "řádek ", "row ") + Cislo(static_cast<int64_t>(i + 1)) + " (" +
                              z.cislo_stn + " - " + z.cislo_cil +
                              "): " + KontrolaDoplnku(ws, druh, flag));
        }
    }
    return Polozky(ws, polozky);
}

std::string RadekNeurcenych(const Workspace& ws, const std::vector<std::string>& neurcene,
                            const std::vector<DuvodNeurceni>& duvody) {
    if (neurcene.empty()) return {};
    std::map<DuvodNeurceni, std::vector<std::string>> podleDuvodu;
    for (std::size_t i = 0; i < neurcene.size(); ++i) {
        const DuvodNeurceni d = i < duvody.size() ? duvody[i] : DuvodNeurceni::Nedosazen;
        podleDuvodu[d].push_back(neurcene[i]);
    }
    std::string text =
        T(ws, "Body bez přibližných souřadnic: ", "Points without approximate coordinates: ");
    bool prvni = true;
    for (auto& [duvod, body] : podleDuvodu) {
        std::sort(body.begin(), body.end());
        text += (prvni ? "" : "; ") + SeznamSDalsimi(ws, body) + " (" +
                T(ws, DuvodCesky(duvod), DuvodAnglicky(duvod)) + ")";
        prvni = false;
    }
    return text + ".";
}

std::string RadekBezZadanychVMereni(const Workspace& ws) {
    return T(ws, "Žádný ze zadaných bodů se v měřeních nevyskytuje.",
             "None of the given points occurs in the measurements.");
}

std::string RadekRedundance(const Workspace& ws, const PoctyNacteni& p) {
    if (p.pocetNeznamych < 0) return {};
    std::string text = T(ws, "Neznámé: ", "Unknowns: ") + Cislo(p.pocetNeznamych) +
                       T(ws, ", měření: ", ", observations: ") + Cislo(p.pocetMereni) +
                       T(ws, ", podmínky umístění: ", ", datum conditions: ") +
                       Cislo(p.pocetPodminek) + T(ws, ", nadbytečná měření: ", ", redundancy: ") +
                       Cislo(p.pocetNadbytecnych);
    if (JeVolna(p.typFixace)) {
        text += T(ws, " (volná síť: defekt umístění ", " (a free network: datum defect ") +
                Cislo(p.pocetPodminek) + ")";
    }
    return text + ".";
}

std::string NazevVeliciny(const Workspace& ws, const Velicina typ) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    switch (typ) {
        case Velicina::Delka:
            return p.delka;
        case Velicina::Smer:
            return p.smer;
        case Velicina::Zenit:
            return p.zenit;
        case Velicina::DoplnekDelka:
            return p.delka + " (" + p.doplnek + ")";
        case Velicina::DoplnekSmernik:
            return p.smernik + " (" + p.doplnek + ")";
        case Velicina::DoplnekPrevyseni:
            return p.prevyseni + " (" + p.doplnek + ")";
        default:
            return p.provazovani + " (" + p.doplnek + ")";
    }
}

std::string VarovaniNekontrolovanych(const Workspace& ws, const VysledekSite& model) {
    std::vector<std::string> mereni;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(model, typ).zaznam) {
            if (!z.jeNekontrolovane) continue;
            mereni.push_back(z.cislo_stn + " - " + z.cislo_cil + " (" + NazevVeliciny(ws, typ) +
                             ")");
        }
    }
    std::string text = T(ws, "Nekontrolovaná měření (hrubou chybu v nich nelze odhalit): ",
                         "Uncontrolled observations (a gross error in them cannot be found): ") +
                       Cislo(static_cast<int64_t>(mereni.size())) + ": " +
                       SeznamSDalsimi(ws, mereni);
    const std::vector<std::string> body = ZavisleBody(model);
    if (!body.empty()) {
        text += T(ws, "; body, které na nich závisí: ", "; points that depend on them: ") +
                SeznamSDalsimi(ws, body);
    }
    std::vector<std::string> rajony;
    for (const int32_t b : PostranniBody(model))
        rajony.push_back(model.Souradnice().bod[static_cast<std::size_t>(b)].cislo);
    if (!rajony.empty()) {
        text += T(ws, "; rajóny (cíle jediného stanoviska, jedno polární měření): ",
                  "; side shots (targets of one station only, one polar measurement): ") +
                SeznamSDalsimi(ws, rajony);
    }
    return text;
}

std::string VarovaniNeurcenych(const Workspace& ws, const std::vector<std::string>& souradnice) {
    return T(ws, "Souřadnice, které žádné měření neurčuje (ponechány, jak byly zadány, neurčené): ",
             "Coordinates no observation determines (kept as given, not determined): ") +
           Cislo(static_cast<int64_t>(souradnice.size())) + ": " + SeznamSDalsimi(ws, souradnice);
}

std::vector<std::string> VarovaniNevyuzitych(const Workspace& ws, const NevyuzitaData& data) {
    std::vector<std::string> varovani;
    if (data.zadaneMimoMereni.empty()) return varovani;
    std::vector<std::string> jmena;
    for (const std::string& j : data.zadaneMimoMereni) jmena.push_back(ViditelnyTvar(j));
    varovani.push_back(T(ws, "Zadané body, které žádné měření nezmiňuje: ",
                         "Given points that no measurement mentions: ") +
                       Cislo(static_cast<int64_t>(jmena.size())) + ": " +
                       SeznamSDalsimi(ws, jmena));
    for (const PodobneJmeno& p : data.podobna) {
        std::string text = T(ws, "Zadaný bod \"", "Given point \"") + ViditelnyTvar(p.zadane) +
                           T(ws, "\" se neměří, měří se ale \"", "\" is not measured, but \"") +
                           ViditelnyTvar(p.merene) +
                           T(ws, "\": jména se liší jen ", "\" is: the names differ only ");
        if (p.velikostPismen) text += T(ws, "velikostí písmen", "in letter case");
        if (p.velikostPismen && p.neviditelne) text += T(ws, " a ", " and ");
        if (p.neviditelne) {
            text += T(ws, "neviditelnými znaky (znak pořadí bajtů, nezlomitelná mezera a podobně)",
                      "by invisible characters (a byte-order mark, a no-break space or the like)");
        }
        varovani.push_back(text + ".");
    }
    return varovani;
}

std::string OtazkaVelkeEtapy(const Workspace& ws, int64_t bajty) {
    const std::string mb = Cislo((bajty + (int64_t{1} << 20) - 1) >> 20);
    return T(ws, "Soubor etapy bude mít asi ", "The epoch file will take about ") + mb +
           T(ws,
             " MB: kofaktory všech souřadnic určovaných bodů rostou se čtvercem jejich počtu. "
             "Zapsat jej?",
             " MB: the cofactors of all determined coordinates grow with the square of their "
             "number. Write it?");
}

}  // namespace vertano
