#include "reports/TextyProtokolu.h"

#include <algorithm>

#include "adjustment/TmerenaVelicina.h"
#include "data/Tjazyk.h"

namespace vertano {

namespace {

char32_t MaleZnak(char32_t c) {
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    const bool sudy = c % 2 == 0;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return sudy ? c + 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return sudy ? c : c + 1;
    if (c == 0x178) return 0xFF;
    return c;
}

// Two-byte sequences are all the letters above need; other bytes are copied.
void PridatZnak(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string MalaPismena(std::string_view text) {
    std::string s;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            PridatZnak(s, MaleZnak(b));
            continue;
        }
        const bool dvojice = (b & 0xE0) == 0xC0 && i + 1 < text.size() &&
                             (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80;
        if (!dvojice) {
            s += text[i];
            continue;
        }
        const char32_t c = (static_cast<char32_t>(b & 0x1F) << 6) |
                           (static_cast<unsigned char>(text[i + 1]) & 0x3F);
        PridatZnak(s, MaleZnak(c));
        ++i;
    }
    return s;
}

std::string PriponaPresnosti(const Tjazyk& j, int typ) {
    const std::string presnost = MalaPismena(j.popis.presnost);
    switch (typ) {
        case presnostProtokolu::kApriori:
            return " (" + j.popis.apriorni + " " + presnost + ")";
        case presnostProtokolu::kAposteriori:
            return " (" + j.popis.aposteriorni + " " + presnost + ")";
        case presnostProtokolu::kObe:
            return " (" + j.popis.apriorni + " / " + j.popis.aposteriorni + " " + presnost + ")";
        default:
            return {};
    }
}

bool JeUhlovyDruhProtokolu(DruhProtokolu druh) {
    return druh == DruhProtokolu::Smer || druh == DruhProtokolu::Zenit ||
           druh == DruhProtokolu::Smernik || druh == DruhProtokolu::Posun;
}

std::string NazevDruhu(const Tjazyk& j, DruhProtokolu druh) {
    const jazyk::Tpopis& p = j.popis;
    switch (druh) {
        case DruhProtokolu::Smer:
            return p.smer;
        case DruhProtokolu::Zenit:
            return p.zenit;
        case DruhProtokolu::Delka:
            return p.delka;
        case DruhProtokolu::DoplnekDelka:
            return p.delka + " (" + p.doplnek + ")";
        case DruhProtokolu::Smernik:
            return p.smernik;
        case DruhProtokolu::Prevyseni:
            return p.prevyseni;
        case DruhProtokolu::Provazeni:
            return p.provazovani;
        case DruhProtokolu::Posun:
            return p.orientPosun;
        default:
            return {};
    }
}

Velicina VelicinaDruhu(DruhProtokolu druh) {
    switch (druh) {
        case DruhProtokolu::Smer:
            return Velicina::Smer;
        case DruhProtokolu::Zenit:
            return Velicina::Zenit;
        case DruhProtokolu::Delka:
            return Velicina::Delka;
        case DruhProtokolu::DoplnekDelka:
            return Velicina::DoplnekDelka;
        case DruhProtokolu::Smernik:
            return Velicina::DoplnekSmernik;
        case DruhProtokolu::Prevyseni:
            return Velicina::DoplnekPrevyseni;
        case DruhProtokolu::Provazeni:
            return Velicina::DoplnekProvazeni;
        default:
            return Velicina::Zadna;
    }
}

int VolbaProtokolu(uint8_t bajt, int posledni) {
    return std::min(static_cast<int>(bajt), posledni);
}

}  // namespace vertano
