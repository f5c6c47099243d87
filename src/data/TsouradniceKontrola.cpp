#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"

namespace vertano {

namespace {

constexpr int kDuplicita = 0;
constexpr int kTotozneVRovine = 1;
constexpr int kMimoRozsah = 1;
constexpr int kTotozneVProstoru = 2;

// Flags every full point whose number some other record (full or not) also has;
// returns how many were flagged. The records are sorted by number through their
// indices, which a list of a million points holds in 4 MB (a table of the
// numbers would take fifteen times that).
int KontrolaDuplicit(std::vector<Tbod>& body) {
    std::vector<uint32_t> poradi(body.size());
    for (std::size_t i = 0; i < body.size(); ++i) poradi[i] = static_cast<uint32_t>(i);
    std::ranges::sort(poradi,
                      [&](uint32_t a, uint32_t b) { return body[a].cislo < body[b].cislo; });
    int pocet = 0;
    for (std::size_t zacatek = 0; zacatek < poradi.size();) {
        std::size_t konec = zacatek + 1;
        while (konec < poradi.size() && body[poradi[konec]].cislo == body[poradi[zacatek]].cislo)
            ++konec;
        const bool vice = konec - zacatek > 1;
        for (std::size_t j = zacatek; j < konec; ++j) {
            Tbod& b = body[poradi[j]];
            if (!b.JePlny) continue;
            b.kontrola[kDuplicita] = vice;
            if (vice) ++pocet;
        }
        zacatek = konec;
    }
    return pocet;
}

// Flags with `flag` every full point that shares its position with another full
// point, comparing Z too when `sZ`; returns how many were flagged. Sorting by
// position finds the groups in n log n, so long lists stay quick to edit.
int KontrolaTotoznosti(std::vector<Tbod>& body, int flag, bool sZ) {
    const auto klic = [sZ](const Tbod& b) {
        return std::array<Real, 3>{b.X, b.Y, sZ ? Real(b.Z) : Real{0}};
    };
    std::vector<uint32_t> plne;  // 4 bytes a point: a list of a million stays small
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (!body[i].JePlny) continue;
        body[i].kontrola[static_cast<std::size_t>(flag)] = false;
        const auto k = klic(body[i]);
        // A coordinate that is not a number equals nothing, not even itself.
        if (std::ranges::none_of(k, [](Real v) { return std::isnan(v); }))
            plne.push_back(static_cast<uint32_t>(i));
    }
    std::ranges::sort(plne, [&](uint32_t a, uint32_t b) { return klic(body[a]) < klic(body[b]); });
    int pocet = 0;
    for (std::size_t zacatek = 0; zacatek < plne.size();) {
        std::size_t konec = zacatek + 1;
        while (konec < plne.size() && klic(body[plne[konec]]) == klic(body[plne[zacatek]])) ++konec;
        if (konec - zacatek > 1) {
            for (std::size_t j = zacatek; j < konec; ++j) {
                body[plne[j]].kontrola[static_cast<std::size_t>(flag)] = true;
            }
            pocet += static_cast<int>(konec - zacatek);
        }
        zacatek = konec;
    }
    return pocet;
}

}  // namespace

void KontrolaSouradnic(Tsouradnice& souradnice, uint8_t bodyVstup, Tchyby& chyby) {
    if (bodyVstup != kBodyVstupFixni && bodyVstup != kBodyVstupIdenticke) return;
    const int duplicity = KontrolaDuplicit(souradnice.bod);
    const int vProstoru = KontrolaTotoznosti(souradnice.bod, kTotozneVProstoru, true);
    const int vRovine = KontrolaTotoznosti(souradnice.bod, kTotozneVRovine, false);

    Tbod pocty = Tbod::Prazdny();
    pocty.X = duplicity;
    pocty.Y = vProstoru;
    pocty.Z = vRovine - vProstoru;  // points that coincide in plan only
    if (bodyVstup == kBodyVstupFixni) {
        chyby.souradniceFixniPocetChyb = pocty;
        chyby.souradniceFixniCekovyPocetChyb = duplicity + vProstoru;
    } else {
        chyby.souradniceTransformaceVstupPocetChyb = pocty;
        chyby.souradniceTransformaceVstupCekovyPocetChyb = duplicity;
    }
}

void KontrolaMeritka(Tsouradnice& meritko, const Tnastaveni& nastaveni, Tchyby& chyby) {
    const Real min = nastaveni.mezMaxVstup.hodnota_zkresleniMin;
    const Real max = nastaveni.mezMaxVstup.hodnota_zkresleniMax;
    const int duplicity = KontrolaDuplicit(meritko.bod);
    int mimoRozsah = 0;
    for (Tbod& b : meritko.bod) {
        if (!b.JePlny) continue;
        // Written so that a factor that is not a number falls outside the range.
        b.kontrola[kMimoRozsah] = !(min < b.zkresleni && b.zkresleni < max);
        if (b.kontrola[kMimoRozsah]) ++mimoRozsah;
    }
    Tbod pocty = Tbod::Prazdny();
    pocty.X = duplicity;
    pocty.Y = mimoRozsah;
    chyby.souradniceMeritkoPocetChyb = pocty;
    chyby.souradniceMeritkoCekovyPocetChyb = duplicity + mimoRozsah;
}

}  // namespace vertano
