#include "data/FixniOsy.h"

#include <string>

namespace vertano {

std::string_view SlovoFixnichOs(const FixniOsy osy) {
    switch (osy) {
        case FixniOsy::Poloha:
            return "XY";
        case FixniOsy::Vyska:
            return "Z";
        case FixniOsy::Vse:
            break;
    }
    return "XYZ";
}

std::optional<FixniOsy> CtiFixniOsy(const std::string_view slovo) {
    std::string velka(slovo);
    for (char& c : velka) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (velka == "XYZ") return FixniOsy::Vse;
    if (velka == "XY" || velka == "YX") return FixniOsy::Poloha;
    if (velka == "Z") return FixniOsy::Vyska;
    return std::nullopt;
}

}  // namespace vertano
