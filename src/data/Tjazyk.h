#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "data/Tnastaveni.h"

// The keys of every text table. Each key is a field of its record, so a window or
// report that asks for a text that does not exist fails to compile, and the lists
// let the tables and the tests visit every field without repeating the names.
// clang-format off
#define VERTANO_JAZYK_KLICE_FILTER(X) \
    X(typSuroveMereni) X(priponaSuroveMereni) X(typSouradnice) X(priponaSouradnice) \
    X(typProjekt) X(priponaProjekt) X(typMeritko) X(typDoplnek) X(typProtokol) X(priponaMeritko) \
    X(priponaDoplnek) X(priponaProtokol) X(typEtapa) X(priponaEtapa)

#define VERTANO_JAZYK_KLICE_POPIS(X) \
    X(stanovisko) X(cil) X(merene_veliciny) X(poradi) X(cislo) X(vyska) X(smer) X(zenit) \
    X(delka) X(delka2) X(mereni) X(mereni2) X(poloha) X(skupina) X(cisloSTN) X(vyskaSTN) \
    X(cisloCIL) X(vyskaCIL) X(smernik) X(prevyseni) X(poradiSkupina) X(bod) X(body) X(cisloBod) \
    X(x) X(y) X(z) X(souradnice) X(sigMereneVeliciny) X(sigJednotkovaAprior) X(vnitrniPresnost) \
    X(vnejsiPresnost) X(zadanaPresnost) X(pro) X(hodnota) X(rozdil) X(smerOdchylka) \
    X(uhloveVeliciny) X(delkoveVeliciny) X(radiany) X(grady) X(stupne) X(zobrazeni) \
    X(zaokrouhlovani) X(souradSystem) X(geodeticky) X(matematicky) X(zachovatVlozeneSouradnice) \
    X(vylouceniOdlehlych) X(vylucovatOdlehle) X(hladinaVyznamnosti) X(metodaRobustOdhadu) \
    X(iteracniVyrovnani) X(maxPocetIteraci) X(maxZmenaVahy) X(maxZmenaSourad) X(maxZmenaRotace) \
    X(mezniRozdilyMereni) X(mezniHodnotaMereni) X(pocetOdlehlych) X(pocetFixBodu) X(pocetVyrBodu) \
    X(pocetVyrPosun) X(pocetVyrmerni) X(pocetNadbytecnych) X(sigJednotkovaAposterior) X(oprava) \
    X(opravaNorm) X(opravaMezni) X(merenaHodnota) X(vyrovnanaHodnota) X(stredniHodnota) \
    X(vlozenaHodnota) X(vypoctenaHodnota) X(orientPosun) X(vyrovnana) X(poloosyElsoidu) \
    X(parametrOsy) X(komplexniZpracovani) X(verzeDatum) X(verzeCislo) X(zakladniInformace) \
    X(pocetTransBodu) X(parametryTransformace) X(transformacniKlic) X(translace) X(rotace) \
    X(parametryKlice) X(vyrovnaneHodnoty) X(smerodatneOdchylky) X(odchylky) X(pocetIdentBodu) \
    X(vyrovnaniSourIdentBodu) X(jednotSmerOdchylka) X(pocetVyrovSouradnic) \
    X(pocetNadbytecnychSour) X(apriorni) X(aposteriorni) X(transformovane) X(redukceDelek) \
    X(redukceZNadmorskeVysky) X(polomerReferencniKoule) X(redukceDoZobrazeni) \
    X(meritkovyKoeficient) X(meritkoveKoeficienty) X(typVyskoveHladiny) X(nulovaHladina) \
    X(stredniHladinaSite) X(hladinaVeVysce) X(vyrovnane) X(vyrovnany) X(barva) X(pozadi) \
    X(elipsyChyb) X(elipsaChyb) X(cernobily) X(prvky) X(sirka) X(text) X(velikost) X(krizek) \
    X(krouzek) X(meritkoElips) X(vse) X(osy) X(meritko) X(presnost) X(normalni) X(tucne) \
    X(doplnek) X(doplnkove) X(provazovani) X(sigDoplnkoveMereni) X(surova) \
    X(cisloNadbytecnosti) X(minimalniChyba) X(nekontrolovane) X(nekontrolovaneBody) \
    X(postranniBod) X(zavisiNaNekontrolovanych) \
    X(spojniceMereni) X(popisyMereni) X(styl) X(nepouzito)

#define VERTANO_JAZYK_KLICE_POPIS_JEDNOTKY(X) \
    X(delka_hodnota) X(delka_odchylka) X(smer_hodnota) X(smer_odchylka) X(x_hodnota) \
    X(x_odchylka)

#define VERTANO_JAZYK_KLICE_TLACITKO(X) \
    X(ok) X(ano) X(ne) X(novy) X(upravit) X(smazat) X(posunNahoru) X(posunDolu) X(posun) \
    X(presun) X(ukoncit) X(vycistit) X(vlozit) X(ukocitAVlozit) X(vybratVse) X(vybratSlozku) \
    X(vybratSoubor) X(zrusitVyber) X(hlavni) X(vyber) X(vybrat) X(identifikace) X(kontrola) \
    X(kontrolaVse) X(kontrolaZakladni) X(prehledChyb) X(rozdilPoloh) X(rozdilSkupin) \
    X(rozdilProtismer) X(prumerPoloh) X(prumerSkupin) X(kamenKamen) X(seradPoloha) \
    X(seradPrniDruhaZaSebou) X(smazZaznamyBezSkupiny) X(zrcadliZaznamyBezSkupiny) X(vyrovnani) \
    X(mereniPredVyrovnanim) X(souradnicePredVyrovnanim) X(velicinyPredVyrovnanim) \
    X(nastaveniVah) X(vyrovnaniSite) X(kopirovat) X(vyjmout) X(vlozit2) X(pridat) X(ulozit) \
    X(jako) X(vsechny) X(analyzovane) X(veliciny) X(exportovat) X(projekt) X(otevrit) X(zrusit) \
    X(nastaveni) X(Jazyk) X(jednotky) X(upravaMereni) X(smerOdchylkyAprior) \
    X(smerOdchylkyAposterior) X(elipsoidAprior) X(elipsoidAposterior) X(elipsoidy) \
    X(prirustkySour) X(informace) X(sit) X(vybratOdlehle) X(vybratChybne) X(odlehleHodnoty) \
    X(odlehle) X(presnostApriori) X(presnostAposteriori) X(seradit) X(podle) X(vystupniSystem1) \
    X(vystupniSystem2) X(vstupniSystem2) X(cisloBodu) X(souradnice2) X(transformace) \
    X(identickeBody) X(nalezene) X(bodASmernik) X(transformaceSVyrovnanim) X(transformovat) \
    X(opravy) X(kovariancniMatice) X(prehled) X(analyzaMereni) X(analyzaTransformace) \
    X(zpracovani) X(fixni) X(fixace) X(jeFixni) X(neniFixni) X(fixniPoloha) X(fixniVyska) X(rozdilMeziFixnimiBody) \
    X(rozdilMeziBodySite) X(zamenit) X(zBoduNaBod) X(meziBody) X(zBodu) X(doBodu) X(nastavit) \
    X(vychozi) X(kresba) X(dleAtributu) X(najit) X(dalsi) X(predchozi) X(chybne) X(podrobnosti) \
    X(zrcadleni) X(etapa) X(vyraditMereni) X(zaraditMereni)

#define VERTANO_JAZYK_KLICE_HLASENI(X) \
    X(nebylVybranZaznam) X(opravduSmazatZaznam) X(opravduSmazatOdchylky) \
    X(opravduSmazatOdchylkySour) X(presunVybranychZaznamu) X(pridaneSoubory) X(poceZaznamu) \
    X(ukoncitProgram) X(nebylVybranBod) X(opravduSmazatBod) X(pocetBodu) X(chybaPriVyrovnani) \
    X(chybaPriTransform) X(chybaPriZpracovani) X(oteritProjekt) X(chybaOtevritProjekt) \
    X(uspesneOtevrenProjekt) X(pocetNalezenychZaznamu) X(pocetZrcadlenychZaznamu) \
    X(pocetNalezenychSkupin) X(socasneMereniObouPoloh) X(chybaFixnichBodu) X(chybaVyrovnani) \
    X(chybaTransformace) X(chybaRobustnihoVyrovnani) X(chybaDetekceOdlehlych) \
    X(chybaVyhodnoceniMereni) X(apriorPresnostNeodpovida) X(nejmeneDvaBodyVlozeny) \
    X(nevhodnaKonfiguraceBodu) X(maloNadbytecnych) X(mereniObsahujeHrube) \
    X(prekrocenMezniRozdil) X(prekrocenMezniRozdilDoplnekDelka) \
    X(prekrocenMezniRozdilDoplnekSmernik) X(prekrocenMezniRozdilDoplnekPrevyseni) \
    X(prekrocenMezniRozdilDoplnekProvazeni) X(nekonvergujiciProces) X(opravduPokracovat) \
    X(seznamBezDuplicit) X(chybaVReseniNormalnichRovnic) X(chcetePokracovat) \
    X(chybaZpracovaniProtokolu) X(chybaIdentickychBodu) X(nejmeneDvaIdentikeBodyVlozeny) \
    X(seznamIdentickychBezDuplicit) X(identickeMusiOdpovidatSiti) X(identickeMusiMitDozdilneXY) \
    X(identickeObsahujiHrube) X(apriorPresnostIdentickcyhNeodpovida) \
    X(chybaVyhodnoceniTransformace) X(chybaMeritkovychKoeficientu) X(meritkoObsahujeChyby) \
    X(chybaDoplnkovehoMereni) X(chybaProtokol) X(doplnekDelkaObsahujeChyby) \
    X(doplnekSmernikObsahujeChyby) X(doplnekPrevyseniObsahujeChyby) \
    X(doplnekProvazeniObsahujeChyby) X(chybaPriUkladani)

#define VERTANO_JAZYK_KLICE_NADPIS(X) \
    X(varovani) X(vlozitStanovisko) X(vlozitMereni) X(upravitMereni) X(presunoutMereni) \
    X(zpracovaniMereni) X(pridatSurovaMereni) X(ulozitSurovaMereni) X(pridatBody) X(ulozitBody) \
    X(vlozitBod) X(upravitBod) X(smerOdchylkyApriorVyrSour) X(smerOdchylkyAposteriorVyrSour) \
    X(elipsoidApriorVyrSour) X(elipsoidAposteriorVyrSour) X(smerOdchylkyApriorTransSour) \
    X(smerOdchylkyAposteriorTransSour) X(elipsoidApriorTransSour) X(elipsoidAposterioTransSour) \
    X(prirustkyVyrSour) X(zakladniInfoOvyrovnani) X(vyrovMereniSodchylkaApriori) \
    X(vyrovMereniSodchylkaAposteriori) X(vyrovOrientPosunSodchylkaApriori) \
    X(vyrovOrientPosunSodchylkaAposteriori) X(vyrovDoplnekSodchylkaApriori) \
    X(vyrovDoplnekSodchylkaAposteriori) X(vyrovIdentSodchylkaApriori) \
    X(vyrovIdentSodchylkaAposteriori) X(vyrovIdentBodu) X(oProgramu) X(chyba) \
    X(souradniceIdentickychBodu) X(vyrovnaneSouradniceBodu) X(transfromovaneSouradniceBodu) \
    X(zakladniInfoTransformaceBodASmernik) X(souradniceIdentickychBoduVystup) \
    X(zakladniInfoTransformaceSVyrovnanim) X(kovariancniMaticeVyrSour) \
    X(kovariancniMaticeTransSour) X(opravyIdentickychBodu) X(rozdilDelkeMerenychAZeSouradnic) \
    X(rozdilDelkeMerenychAZeFixnichSouradnic)

#define VERTANO_JAZYK_KLICE_PROTOKOL(X) \
    X(kontakt) X(protokol1) X(vytvoreno) X(legenda) X(data) X(serioveCislo) \
    X(sMeritkovymiKoeficienty) X(bezMeritkovychKoeficientu) X(seSmerodatnymiOdchylkami) \
    X(bezSmerodatnychOdchylek) X(nazevSouboru) X(poradiChybnehoRadku) X(souborPridan)
// clang-format on

namespace vertano {
namespace jazyk {

#define VERTANO_JAZYK_POLE(klic) T klic{};
#define VERTANO_JAZYK_NAVSTEVA(klic) f(#klic, a.klic, b.klic);

// A text record whose fields all have the type T: std::string for the texts in
// force, a pair of alternatives for the built-in tables. Spolu visits the same
// field of two records side by side as f(key, a.field, b.field).
#define VERTANO_JAZYK_ZAZNAM(Jmeno, KLICE)               \
    template <class T>                                   \
    struct Jmeno {                                       \
        KLICE(VERTANO_JAZYK_POLE)                        \
        template <class A, class B, class F>             \
        static constexpr void Spolu(A& a, B& b, F&& f) { \
            KLICE(VERTANO_JAZYK_NAVSTEVA)                \
        }                                                \
    };

VERTANO_JAZYK_ZAZNAM(Filter, VERTANO_JAZYK_KLICE_FILTER)
VERTANO_JAZYK_ZAZNAM(Popis, VERTANO_JAZYK_KLICE_POPIS)
VERTANO_JAZYK_ZAZNAM(PopisJednotky, VERTANO_JAZYK_KLICE_POPIS_JEDNOTKY)
VERTANO_JAZYK_ZAZNAM(Tlacitko, VERTANO_JAZYK_KLICE_TLACITKO)
VERTANO_JAZYK_ZAZNAM(Hlaseni, VERTANO_JAZYK_KLICE_HLASENI)
VERTANO_JAZYK_ZAZNAM(Nadpis, VERTANO_JAZYK_KLICE_NADPIS)
VERTANO_JAZYK_ZAZNAM(Protokol, VERTANO_JAZYK_KLICE_PROTOKOL)

#undef VERTANO_JAZYK_ZAZNAM
#undef VERTANO_JAZYK_NAVSTEVA
#undef VERTANO_JAZYK_POLE

// File-dialog filters ("description|mask|description|mask") and the default
// extensions of each file kind.
using Tfilter = Filter<std::string>;
// Labels of columns, fields and dialog items.
using Tpopis = Popis<std::string>;
// Unit names shown beside values: lengths, angles and coordinates, each as a value
// unit and a deviation unit.
using TpopisJednotky = PopisJednotky<std::string>;
// Menu items and buttons.
using Ttlacitko = Tlacitko<std::string>;
// The message catalogue.
using Thlaseni = Hlaseni<std::string>;
// Window and message titles.
using Tnadpis = Nadpis<std::string>;
// Words of report headers (not the report switches of the settings, nor the report
// builder, which share the name).
using Tprotokol = Protokol<std::string>;

// Calls f(key, text) for every field of a text record.
template <class Zaznam, class F>
constexpr void ProKazdyText(Zaznam& zaznam, F&& f) {
    std::remove_const_t<Zaznam>::Spolu(zaznam, zaznam,
                                       [&](const char* klic, auto& text, auto&) { f(klic, text); });
}

// The drawing export offers the same file types in both languages; the extension
// of each type follows its index.
inline constexpr std::string_view kFilterGrafika =
    "PNG|*.png|BMP|*.bmp|JPEG|*.jpg|AutoCAD DXF|*.dxf";
inline constexpr std::string_view kPriponyGrafika[] = {".png", ".bmp", ".jpg", ".dxf"};

// A notification ready to show: title and text in the language in force.
struct Toznameni {
    std::string nadpis;
    std::string text;
};

}  // namespace jazyk

// Every user-visible text in the language in force. Windows, reports and messages
// take their words from here, so switching the language only means refilling it.
class Tjazyk {
  public:
    jazyk::Tfilter filter;
    jazyk::Tpopis popis;
    jazyk::TpopisJednotky popisJednotky;
    jazyk::Ttlacitko tlacitko;
    jazyk::Thlaseni hlaseni;
    jazyk::Tnadpis nadpis;
    std::vector<std::string> typOdhadu;  // robust estimators, 1-based by their code
    jazyk::Tprotokol protokol;

    // Refills every text for the language, units and input formats of the
    // settings. Called at start, after the language, a unit or an input format has
    // changed, and after a project has been opened. A code outside its range
    // selects nothing: the fields it governs keep their previous texts.
    void Default(const Tnastaveni& nastaveni);

    // Title and text of a notification number; an unknown number gives the
    // generic error.
    jazyk::Toznameni Oznameni(int32_t cislo) const;

    // Calls f(group, key, text) for every text of the seven records (the
    // estimator names are a list and are not visited).
    template <class F>
    void ProKazdyText(F&& f) const {
        Navstivit("filter", filter, f);
        Navstivit("popis", popis, f);
        Navstivit("popisJednotky", popisJednotky, f);
        Navstivit("tlacitko", tlacitko, f);
        Navstivit("hlaseni", hlaseni, f);
        Navstivit("nadpis", nadpis, f);
        Navstivit("protokol", protokol, f);
    }

  private:
    template <class Zaznam, class F>
    static void Navstivit(const char* skupina, const Zaznam& zaznam, F& f) {
        jazyk::ProKazdyText(
            zaznam, [&](const char* klic, const std::string& text) { f(skupina, klic, text); });
    }
};

}  // namespace vertano
