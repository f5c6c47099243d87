#include "reports/OddilyProtokolu.h"

#include <utility>

#include "mereni/Text.h"

namespace vertano {

namespace {

using Prepinac = bool nastaveni::Tprotokol::*;

const std::vector<std::pair<std::string, Prepinac>>& Oddily() {
    using P = nastaveni::Tprotokol;
    static const std::vector<std::pair<std::string, Prepinac>> oddily = {
        {"A-01", &P::suroveMereni},   {"A-02", &P::rozdilPoloh}, {"A-03", &P::prumerPoloh},
        {"A-04", &P::prumerSkupin},   {"B-01", &P::mereniKamen}, {"B-02", &P::bodyFix},
        {"B-03", &P::sourPredVyr},    {"B-04", &P::merPredVyr},  {"B-05", &P::vnitrniPresnost},
        {"B-06", &P::vnejsiPresnost}, {"C-01", &P::infoVyr},     {"C-02", &P::sourVyr},
        {"C-03", &P::elipsVyr},       {"C-04", &P::odlehleVyr},  {"C-05", &P::merVyr},
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
