#include "data/Oznameni.h"

namespace vertano {

bool ZobrazitOznameni(Tchyby& chyby, const Tjazyk& jazyk, Interaction& interakce) {
    const std::optional<int32_t> cislo = chyby.PrevzitOznameni();
    if (!cislo) return false;
    const jazyk::Toznameni o = jazyk.Oznameni(*cislo);
    interakce.Notify(o.nadpis, o.text);
    return true;
}

}  // namespace vertano
