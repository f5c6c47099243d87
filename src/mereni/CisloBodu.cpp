#include "mereni/CisloBodu.h"

namespace vertano {

int PocetZnaku(std::string_view text) {
    int pocet = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) ++pocet;
    }
    return pocet;
}

bool JeCisloPred(std::string_view a, std::string_view b) {
    const int delkaA = PocetZnaku(a);
    const int delkaB = PocetZnaku(b);
    if (delkaA != delkaB) return delkaA < delkaB;
    // Byte order of UTF-8 is the order of the character codes.
    return a < b;
}

}  // namespace vertano
