#include "adjustment/PriblizneSouradnice.h"

#include <exception>
#include <utility>

#include "adjustment/PriblizneSit.h"

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
    }
    return "";
}

bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu) {
    VysledekPriblizne vysledek;
    return VypocetPriblizneSouradnice(souradnice, mereni, cislaBodu, vysledek);
}

bool VypocetPriblizneSouradnice(Tsouradnice& souradnice, const Tmereni& mereni,
                                const std::vector<std::string>& cislaBodu,
                                VysledekPriblizne& vysledek) {
    vysledek = VysledekPriblizne{};
    try {
        PriblizneRadky radky = PripravitRadky(mereni, cislaBodu);
        vysledek.pocetVynechanychZaznamu = radky.pocetVynechanych;
        SitPriblizne sit(cislaBodu, std::move(radky), vysledek);
        sit.VlozitZname(souradnice);
        try {
            sit.Propagovat();
        } catch (const std::exception&) {
            // Out of memory in the middle of a pass: the medians found so far
            // are sound and are still handed back.
            vysledek.jePreruseno = true;
        }
        Tsouradnice vystup;
        const int32_t pocet = sit.Vystup(vystup);
        souradnice = std::move(vystup);
        return pocet > 0;
    } catch (const std::exception&) {
        vysledek.jePreruseno = true;
        return false;
    }
}

}  // namespace vertano
