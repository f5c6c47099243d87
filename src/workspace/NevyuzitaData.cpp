#include "workspace/NevyuzitaData.h"

#include <cstdint>
#include <set>
#include <unordered_map>

namespace vertano {

namespace {

// One character of a UTF-8 string: its code point and length in bytes; a byte
// that does not start a valid sequence is a character of its own (code point
// -1), so nothing is ever lost or read past the end.
struct Znak {
    int32_t kod = -1;
    std::size_t delka = 1;
};

Znak Precist(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return {b0, 1};
    std::size_t n = 0;
    int32_t kod = 0;
    if ((b0 & 0xE0) == 0xC0) {
        n = 2;
        kod = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3;
        kod = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4;
        kod = b0 & 0x07;
    } else {
        return {};
    }
    if (i + n > s.size()) return {};
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return {};
        kod = (kod << 6) | (b & 0x3F);
    }
    return {kod, n};
}

bool JeNeviditelny(int32_t kod) {
    return (kod >= 0 && kod < 0x20) || kod == 0x7F || kod == 0xA0 || kod == 0xAD ||
           (kod >= 0x200B && kod <= 0x200F) || kod == 0x202F || kod == 0x2060 || kod == 0xFEFF;
}

// Lower case of the letters of Latin-1 and Latin Extended-A.
int32_t Male(int32_t kod) {
    if (kod >= 'A' && kod <= 'Z') return kod + 0x20;
    if (kod >= 0xC0 && kod <= 0xDE && kod != 0xD7) return kod + 0x20;
    const bool sudeVelke = (kod >= 0x100 && kod <= 0x137) || (kod >= 0x14A && kod <= 0x177);
    if (sudeVelke && kod % 2 == 0) return kod + 1;
    const bool licheVelke = (kod >= 0x139 && kod <= 0x148) || (kod >= 0x179 && kod <= 0x17E);
    if (licheVelke && kod % 2 == 1) return kod + 1;
    return kod;
}

void Zapsat(std::string& s, int32_t kod) {
    if (kod < 0x80) {
        s += static_cast<char>(kod);
    } else if (kod < 0x800) {
        s += static_cast<char>(0xC0 | (kod >> 6));
        s += static_cast<char>(0x80 | (kod & 0x3F));
    } else if (kod < 0x10000) {
        s += static_cast<char>(0xE0 | (kod >> 12));
        s += static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (kod & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (kod >> 18));
        s += static_cast<char>(0x80 | ((kod >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((kod >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (kod & 0x3F));
    }
}

// The name without its invisible characters (letter case kept).
std::string BezNeviditelnych(std::string_view jmeno) {
    std::string s;
    for (std::size_t i = 0; i < jmeno.size();) {
        const Znak z = Precist(jmeno, i);
        if (!JeNeviditelny(z.kod)) s.append(jmeno.substr(i, z.delka));
        i += z.delka;
    }
    return s;
}

}  // namespace

std::string PorovnavaciTvar(std::string_view jmeno) {
    std::string s;
    for (std::size_t i = 0; i < jmeno.size();) {
        const Znak z = Precist(jmeno, i);
        if (z.kod < 0) {
            s.append(jmeno.substr(i, z.delka));
        } else if (!JeNeviditelny(z.kod)) {
            Zapsat(s, Male(z.kod));
        }
        i += z.delka;
    }
    return s;
}

std::string ViditelnyTvar(std::string_view jmeno) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string s;
    for (std::size_t i = 0; i < jmeno.size();) {
        const Znak z = Precist(jmeno, i);
        if (JeNeviditelny(z.kod)) {
            std::string kod;
            for (int32_t k = z.kod; k > 0 || kod.size() < 4; k >>= 4)
                kod.insert(kod.begin(), kHex[k & 0xF]);
            s += "<U+" + kod + ">";
        } else {
            s.append(jmeno.substr(i, z.delka));
        }
        i += z.delka;
    }
    return s;
}

NevyuzitaData NajitNevyuzita(const Tsouradnice& zadane, const std::vector<std::string>& cislaBodu) {
    NevyuzitaData n;
    const std::set<std::string, std::less<>> merene(cislaBodu.begin(), cislaBodu.end());
    std::set<std::string, std::less<>> zadanaJmena;
    for (const Tbod& b : zadane.bod) {
        if (b.JePlny) zadanaJmena.insert(b.cislo);
    }
    // Measured points that are not given, by the form names are compared in.
    std::unordered_map<std::string, std::string> podleTvaru;
    for (const std::string& c : cislaBodu) {
        if (zadanaJmena.count(c) == 0) podleTvaru.try_emplace(PorovnavaciTvar(c), c);
    }
    std::set<std::string, std::less<>> nahlaseno;
    for (const Tbod& b : zadane.bod) {
        if (!b.JePlny || merene.count(b.cislo) != 0 || !nahlaseno.insert(b.cislo).second) continue;
        n.zadaneMimoMereni.push_back(b.cislo);
        const auto it = podleTvaru.find(PorovnavaciTvar(b.cislo));
        if (it == podleTvaru.end()) continue;
        PodobneJmeno p{b.cislo, it->second};
        p.neviditelne =
            BezNeviditelnych(b.cislo) != b.cislo || BezNeviditelnych(it->second) != it->second;
        p.velikostPismen = BezNeviditelnych(b.cislo) != BezNeviditelnych(it->second);
        n.podobna.push_back(std::move(p));
    }
    return n;
}

}  // namespace vertano
