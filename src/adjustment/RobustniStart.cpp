#include "adjustment/RobustniStart.h"

#include "adjustment/RobustniVahy.h"

namespace vertano {

Odhad RobustniStart::OdhadPruchodu(Odhad typOdhadu, int32_t pocetIteraci) {
    if (pocetIteraci <= 0) {
        huber_ = PotrebujeRobustniStart(typOdhadu);
        pocatek_ = 0;
    }
    return huber_ ? Odhad::Huber : typOdhadu;
}

bool RobustniStart::Znovu(int32_t pocetIteraci, int32_t maxPocetIteraci, Real zmenaVahy,
                          Real maxZmenaVahy) {
    const int32_t pruchodu = pocetIteraci - pocatek_;
    if (huber_ && (pruchodu >= maxPocetIteraci || !(zmenaVahy > maxZmenaVahy))) {
        huber_ = false;
        pocatek_ = pocetIteraci;
        return true;
    }
    return pruchodu < maxPocetIteraci && zmenaVahy > maxZmenaVahy;
}

}  // namespace vertano
