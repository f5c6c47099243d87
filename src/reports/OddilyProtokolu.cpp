#include "reports/OddilyProtokolu.h"

#include <utility>

#include "mereni/Text.h"

namespace vertano {

namespace {

using Prepinac = bool nastaveni::Tprotokol::*;

const std::vector<std::pair<std::string, Prepinac>>& Oddily() {
    using P = nastaveni::Tprotokol;
    static const std::vector<std::pair<std::string, Prepinac>> oddily = {
        {"A-01", &P::suroveMereni},
        {"A-02", &P::rozdilPoloh},
        {"A-03", &P::prumerPoloh},
        {"A-04", &P::prumerSkupin},
        {"B-01", &P::mereniKamen},
        {"B-02", &P::bodyFix},
        {"B-03", &P::sourPredVyr},
        {"B-04", &P::merPredVyr},
        {"B-05", &P::vnitrniPresnost},
        {"B-06", &P::vnejsiPresnost},
        {"C-01", &P::infoVyr},
        {"C-02", &P::sourVyr},
        {"C-03", &P::elipsVyr},
        {"C-04", &P::odlehleVyr},
        {"C-05", &P::merVyr},
        {"D-01", &P::bodyIdentTransSVyr},
        {"D-02", &P::infoBodyIdent},
        {"D-03", &P::infoTransKlicSVyr},
        {"D-04", &P::odlehleTrans},
        {"D-05", &P::sourVyrTrans},
        {"D-06", &P::sourTransSVyr},
        {"D-07", &P::elipTransSVyr},
        {"E-01", &P::bodyIdentTransBodSm},
        {"E-02", &P::infoTransKlicBodSm},
        {"E-03", &P::sourTransBodSm},
        {"E-04", &P::elipTransBodSm},
    };
    return oddily;
}

std::string VelkaPismena(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

}  // namespace

const std::vector<std::string>& KodyOddilu() {
    static const std::vector<std::string> kody = [] {
        std::vector<std::string> k;
        for (const auto& [kod, prepinac] : Oddily()) k.push_back(kod);
        return k;
    }();
    return kody;
}

void VsechnyOddily(nastaveni::Tprotokol& p) {
    for (const auto& [kod, prepinac] : Oddily()) p.*prepinac = true;
    p.bodyFixMeritko = 0;
    p.sourPredVyrMeritko = 0;
    p.merPredVyrOdchyl = 0;
    p.sourVyrPresnost = 2;
    p.elipsVyrPresnost = 2;
    p.merVyrPresnost = 2;
    p.bodyIdentTransSVyrOdchyl = 0;
    p.sourVyrTransPresnost = 2;
    p.sourTransSVyrPresnost = 2;
    p.elipTransSVyrPresnost = 2;
    p.sourTransBodSmPresnost = 2;
    p.elipTransBodSmPresnost = 2;
}

bool JeKodPridanychSouboru(std::string_view kod) {
    return VelkaPismena(Trim(kod)) == kKodPridanychSouboru;
}

void ZadneOddily(nastaveni::Tprotokol& p) {
    for (const auto& [kod, prepinac] : Oddily()) p.*prepinac = false;
}

bool ZapnoutOddil(std::string_view kod, nastaveni::Tprotokol& p) {
    const std::string k = VelkaPismena(Trim(kod));
    bool nalezen = false;
    for (const auto& [nazev, prepinac] : Oddily()) {
        if (nazev == k || (k.size() == 1 && nazev.front() == k.front())) {
            p.*prepinac = true;
            nalezen = true;
        }
    }
    return nalezen;
}

}  // namespace vertano
