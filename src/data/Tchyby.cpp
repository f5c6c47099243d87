#include "data/Tchyby.h"

namespace vertano {

void Tchyby::Default() {
    suroveMereniPocetChyb = Tzaznam::Prazdny();
    souradniceTransformaceVstupPocetChyb = Tbod::Prazdny();
    souradniceFixniPocetChyb = Tbod::Prazdny();
    souradniceMeritkoPocetChyb = Tbod::Prazdny();
    suroveMereniCekovyPocetChyb = 0;
    souradniceTransformaceVstupCekovyPocetChyb = 0;
    souradniceFixniCekovyPocetChyb = 0;
    souradniceMeritkoCekovyPocetChyb = 0;
    doplnekSmernikCekovyPocetChyb = 0;
    doplnekDelkaCekovyPocetChyb = 0;
    doplnekPrevyseniCekovyPocetChyb = 0;
    doplnekProvazeniCekovyPocetChyb = 0;
}

std::optional<int32_t> Tchyby::PrevzitOznameni() {
    const int32_t cislo = cisloOznameni;
    const bool potlaceno = vypnoutHlaseni;
    // The number is consumed even when it is not shown: left behind, it would be
    // shown by the next command that fails without announcing a number of its own.
    cisloOznameni = 0;
    vypnoutHlaseni = false;
    if (potlaceno) return std::nullopt;
    return cislo;
}

}  // namespace vertano
