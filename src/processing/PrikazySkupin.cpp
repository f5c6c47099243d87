#include "processing/PrikazySkupin.h"

#include <algorithm>
#include <string>

#include "mereni/Text.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/RozsahyZaznamu.h"
#include "processing/UsporadaniSkupin.h"

namespace vertano {

namespace {

std::string TextNalezenych(const Tjazyk& jazyk, PocetSerazenych pocet) {
    return jazyk.hlaseni.pocetNalezenychZaznamu + FormatInteger(pocet.mereni) + " (" +
           jazyk.hlaseni.pocetNalezenychSkupin + FormatInteger(pocet.skupin) + ")";
}

}  // namespace

PocetSerazenych NajitMerickeSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby) {
    PocetSerazenych pocet;
    UsporadejSkupinyDlePrniDruhaZaSebou(mereni, pocet.mereni, pocet.skupin);
    if (pocet.mereni > 0) {
        IdentifikujSkupiny(mereni);
        KontrolaMereni(mereni, nastaveni, chyby, false);
    }
    return pocet;
}

PocetSerazenych SeraditDlePoloh(Tmereni& mereni) {
    PocetSerazenych pocet;
    UsporadejSkupinyDlePolohy(mereni, pocet.mereni, pocet.skupin);
    return pocet;
}

int32_t ZrcadlitMimoSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni) {
    int32_t pocet = 0;
    ZrcadlitPoloha(mereni, pocet, nastaveni);
    return pocet;
}

int32_t PocetZaznamuMimoSkupiny(const Tmereni& mereni) {
    return mereni.PocetPlnychZaznamu() - mereni.PocetZarazenychZaznamuDoSkupin();
}

int32_t SmazatZaznamyMimoSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby) {
    const bool nejaky = std::any_of(mereni.zaznam.begin(), mereni.zaznam.end(),
                                    [](const Tzaznam& z) { return !z.JeVeSkupine(); });
    if (!nejaky) return 0;
    const int32_t pocet = PocetZaznamuMimoSkupiny(mereni);
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni)) {
        const auto od = mereni.zaznam.begin() + s.pocatek;
        const auto po = mereni.zaznam.begin() + s.konec + 1;
        if (std::all_of(od, po, [](const Tzaznam& z) { return z.JeVeSkupine(); })) continue;
        std::for_each(od, po, [](Tzaznam& z) { z.jeZkontrolovano = false; });
    }
    mereni.SmazNezarazeneZaznamy();
    IdentifikujSkupiny(mereni);
    KontrolaMereni(mereni, nastaveni, chyby, false);
    return pocet;
}

int32_t SmazatZaznamyMimoSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby,
                                 const Tjazyk& jazyk, Interaction& interakce) {
    const int32_t pocet = PocetZaznamuMimoSkupiny(mereni);
    if (pocet == 0) return 0;
    const jazyk::Toznameni otazka = OtazkaSmazaniMimoSkupiny(jazyk, pocet);
    if (!interakce.Ask(otazka.nadpis, otazka.text)) return 0;
    return SmazatZaznamyMimoSkupiny(mereni, nastaveni, chyby);
}

jazyk::Toznameni OznameniNalezeniSkupin(const Tjazyk& jazyk, PocetSerazenych pocet) {
    return {jazyk.tlacitko.seradPrniDruhaZaSebou + " - " + jazyk.hlaseni.socasneMereniObouPoloh,
            TextNalezenych(jazyk, pocet)};
}

jazyk::Toznameni OznameniSerazeniDlePoloh(const Tjazyk& jazyk, PocetSerazenych pocet) {
    return {jazyk.tlacitko.seradPoloha + " (II-I > I-II)", TextNalezenych(jazyk, pocet)};
}

jazyk::Toznameni OznameniZrcadleni(const Tjazyk& jazyk, int32_t pocet) {
    return {jazyk.tlacitko.zrcadliZaznamyBezSkupiny,
            jazyk.hlaseni.pocetZrcadlenychZaznamu + FormatInteger(pocet)};
}

jazyk::Toznameni OtazkaSmazaniMimoSkupiny(const Tjazyk& jazyk, int32_t pocet) {
    return {jazyk.nadpis.varovani, jazyk.hlaseni.opravduSmazatZaznam + FormatInteger(pocet) + ")"};
}

}  // namespace vertano
