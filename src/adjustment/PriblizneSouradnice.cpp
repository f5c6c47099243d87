#include "adjustment/PriblizneSouradnice.h"

#include <exception>
#include <utility>

#include "adjustment/PriblizneLokalni.h"
#include "adjustment/PriblizneSit.h"
#include "adjustment/PriblizneZpresneni.h"

namespace vertano {

std::string_view KlicZpusobu(const ZpusobUrceni zpusob) {
    switch (zpusob) {
        case ZpusobUrceni::Zadany:
            return "given";
        case ZpusobUrceni::Polarni:
            return "polar";
        case ZpusobUrceni::VolneStanovisko:
            return "free-station";
        case ZpusobUrceni::ProtinaniZpet:
            return "resection";
        case ZpusobUrceni::ProtinaniVpred:
            return "intersection";
        case ZpusobUrceni::LokalniSystem:
            return "local-system";
    }
    return "";
}

std::string_view KlicDuvodu(const DuvodNeurceni duvod) {
    switch (duvod) {
        case DuvodNeurceni::Zadny:
            return "";
        case DuvodNeurceni::BezSpojeni:
            return "no-link";
        case DuvodNeurceni::JedenSpolecny:
            return "one-common-point";
        case DuvodNeurceni::BezDelky:
            return "no-distance";
        case DuvodNeurceni::Nedosazen:
            return "not-reached";
    }
    return "";
}

namespace {

// The computed points refined from all the rows; the points known on entry keep
// their values. Nothing to do when no point was computed.
void Zpresnit(const std::vector<Tzaznam>& radky, Tsouradnice& body, VysledekPriblizne& vysledek,
              const MoznostiPriblizne& moznosti) {
    std::vector<RoleBodu> role(body.bod.size(), RoleBodu::Drzeny);
    bool nejaky = false;
    for (std::size_t i = 0; i < body.bod.size() && i < vysledek.body.size(); ++i) {
        if (vysledek.body[i].jeZadany || !body.bod[i].JePlny) continue;
        role[i] = RoleBodu::Urcovany;
        nejaky = true;
    }
    if (nejaky) {
        ZpresnitPriblizne(radky, body.bod, role, vysledek.zpresneni, moznosti.zrusit,
                          moznosti.vlakna);
    }
}

}  // namespace

bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu) {
    VysledekPriblizne vysledek;
    return VypocetPriblizneSouradnice(souradnice, mereni, cislaBodu, vysledek);
}

bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu,
                                VysledekPriblizne& vysledek, const MoznostiPriblizne& moznosti) {
    vysledek = VysledekPriblizne{};
    try {
        PriblizneRadky radky = PripravitRadky(mereni, cislaBodu);
        vysledek.pocetVynechanychZaznamu = radky.pocetVynechanych;
        // The propagation consumes its rows; the local systems, the refinement and
        // the reasons need all of them.
        const PriblizneRadky vsechny = radky;
        SitPriblizne sit(cislaBodu, std::move(radky), vysledek);
        sit.VlozitZname(souradnice);
        const auto zruseno = [&moznosti] { return moznosti.zrusit && moznosti.zrusit(); };
        try {
            sit.Propagovat();
            if (zruseno()) return false;
            DoplnitLokalnimiSystemy(sit, vsechny, cislaBodu, moznosti, vysledek);
        } catch (const std::exception&) {
            // Out of memory in the middle of a pass: the medians found so far
            // are sound and are still handed back.
            vysledek.jePreruseno = true;
        }
        Tsouradnice vystup;
        const int32_t pocet = sit.Vystup(vystup);
        if (zruseno()) return false;
        if (moznosti.zpresnit && !vysledek.jePreruseno)
            Zpresnit(vsechny.radky, vystup, vysledek, moznosti);
        UrcitDuvodyNeurceni(vsechny, vysledek);
        souradnice = std::move(vystup);
        return pocet > 0;
    } catch (const std::exception&) {
        vysledek.jePreruseno = true;
        return false;
    }
}

}  // namespace vertano
