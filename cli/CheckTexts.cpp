#include "CheckTexts.h"

#include <array>

#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano::cli {

namespace {

using Text = std::string;
using Popis = const Text jazyk::Tpopis::*;
using Tlacitko = const Text jazyk::Ttlacitko::*;

struct RawName {
    Tlacitko group;
    Popis column;
};

// By flag index; the groups follow the "Checking" menu: values, faces, sets.
constexpr std::array<RawName, Tzaznam::kPocetKontrol> kRawNames = {{
    {&jazyk::Ttlacitko::kontrolaZakladni, &jazyk::Tpopis::cisloCIL},
    {&jazyk::Ttlacitko::kontrolaZakladni, &jazyk::Tpopis::vyskaSTN},
    {&jazyk::Ttlacitko::kontrolaZakladni, &jazyk::Tpopis::vyskaCIL},
    {&jazyk::Ttlacitko::kontrolaZakladni, &jazyk::Tpopis::smer},
    {&jazyk::Ttlacitko::kontrolaZakladni, &jazyk::Tpopis::zenit},
    {&jazyk::Ttlacitko::kontrolaZakladni, &jazyk::Tpopis::delka},
    {&jazyk::Ttlacitko::rozdilPoloh, &jazyk::Tpopis::vyskaCIL},
    {&jazyk::Ttlacitko::rozdilPoloh, &jazyk::Tpopis::smer},
    {&jazyk::Ttlacitko::rozdilPoloh, &jazyk::Tpopis::zenit},
    {&jazyk::Ttlacitko::rozdilPoloh, &jazyk::Tpopis::delka},
    {&jazyk::Ttlacitko::rozdilSkupin, &jazyk::Tpopis::vyskaCIL},
    {&jazyk::Ttlacitko::rozdilSkupin, &jazyk::Tpopis::smer},
    {&jazyk::Ttlacitko::rozdilSkupin, &jazyk::Tpopis::zenit},
    {&jazyk::Ttlacitko::rozdilSkupin, &jazyk::Tpopis::delka},
    // Distance measured in one face only: told apart from flag 9 by the face.
    {&jazyk::Ttlacitko::rozdilPoloh, &jazyk::Tpopis::delka},
}};

Text Joined(const Text& group, const Text& item) {
    return group + " - " + item;
}

// The column each supplementary counter looks at, by kind; nullptr where the
// kind has no such counter.
std::array<Popis, 4> SupplementaryColumns(DruhDoplnku kind) {
    switch (kind) {
        case DruhDoplnku::Delka:
            return {&jazyk::Tpopis::cisloCIL, &jazyk::Tpopis::vyskaSTN, &jazyk::Tpopis::vyskaCIL,
                    &jazyk::Tpopis::delka};
        case DruhDoplnku::Smernik:
            return {&jazyk::Tpopis::cisloCIL, nullptr, nullptr, &jazyk::Tpopis::smernik};
        case DruhDoplnku::Prevyseni:
            return {&jazyk::Tpopis::cisloCIL, nullptr, nullptr, &jazyk::Tpopis::prevyseni};
        case DruhDoplnku::Provazeni:
            return {&jazyk::Tpopis::cisloCIL, nullptr, nullptr, nullptr};
    }
    return {nullptr, nullptr, nullptr, nullptr};
}

}  // namespace

std::string RawCheckName(const Tjazyk& jazyk, int k) {
    if (k < 0 || k >= Tzaznam::kPocetKontrol) return {};
    const RawName& n = kRawNames[static_cast<size_t>(k)];
    Text name = Joined(jazyk.tlacitko.*n.group, jazyk.popis.*n.column);
    if (k == kontrola::kDelkaVJednePoloze) name += " (" + jazyk.popis.poloha + ")";
    return name;
}

std::string OutsideSetName(const Tjazyk& jazyk) {
    return Joined(jazyk.tlacitko.identifikace, jazyk.popis.skupina);
}

std::string SupplementaryCheckName(const Tjazyk& jazyk, DruhDoplnku kind, int k) {
    if (k < 0 || k > 3) return {};
    const Popis column = SupplementaryColumns(kind)[static_cast<size_t>(k)];
    return column == nullptr ? Text{} : jazyk.popis.*column;
}

std::vector<CountLine> RawCheckCounts(const Tjazyk& jazyk, const PoctyChyb& pocty) {
    std::vector<CountLine> lines;
    lines.push_back({OutsideSetName(jazyk), pocty.mimoSkupiny});
    // The first counter holds both; the flag alone is counted apart.
    lines.push_back({RawCheckName(jazyk, 0), pocty.cilJeStanovisko});
    for (int k = 1; k < Tzaznam::kPocetKontrol; ++k)
        lines.push_back({RawCheckName(jazyk, k), pocty.kontrola[static_cast<size_t>(k)]});
    return lines;
}

std::string RowFlagNames(const Tjazyk& jazyk, const ChybnyZaznam& zaznam) {
    Text names = zaznam.mimoSkupinu ? OutsideSetName(jazyk) : Text{};
    for (const int k : zaznam.priznaky)
        names += (names.empty() ? "" : "; ") + RawCheckName(jazyk, k);
    return names;
}

}  // namespace vertano::cli
