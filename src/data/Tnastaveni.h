#pragma once

#include <cstdint>

#include "data/Odhad.h"
#include "data/ZdrojVah.h"
#include "matice/Real.h"

namespace vertano {

// The records of the settings. Some names (Tsoubor, Tprotokol) are also used by
// other modules for other records, so the settings keep theirs in a namespace.
namespace nastaveni {

struct Tjednotky {
    uint8_t uhel = 0;                 // 0 rad, 1 gon, 2 deg, 3 D.MMSS
    uint8_t delka = 0;                // 0 m, 1 international foot
    uint8_t souradnice = 0;           // as delka
    bool souradnicovySystem = false;  // true geodetic axes, false mathematical
    uint8_t poradiSouradnice = 0;     // 0 X then Y, 1 Y then X
};

struct Tzaokrouhleni {
    uint8_t hodnota = 0;   // decimals of values
    uint8_t odchylka = 0;  // decimals of standard deviations
};

struct Tpresnost {
    Tzaokrouhleni uhel;
    Tzaokrouhleni delka;
    Tzaokrouhleni souradnice;
    uint8_t meritko = 0;
};

// Format codes of the last files read or written, per file kind.
struct Tsoubor {
    uint8_t typSuroveMereni = 0;  // 0 MTX, 1 ASC
    uint8_t typSouradnice = 0;    // 0 XYZ, 1 YXZ
    uint8_t typProjekt = 0;
    uint8_t typMeritko = 0;
    uint8_t typDoplnek = 0;
    uint8_t typProtokol = 0;
    uint8_t typGrafika = 0;  // 0 PNG, 1 BMP, 2 JPEG, 3 DXF
    uint8_t typEtapa = 0;
};

struct Tokno {
    uint8_t suroveMereni = 0;
    uint8_t polohaDalekohledu = 0;
    uint8_t souradnice = 0;
    uint8_t odlehleHodnotyVyrovnani = 0;
    uint8_t odlehleHodnotyTransformace = 0;
    uint8_t vyrovnaneSouradniceTransformace = 0;
    uint8_t vyrovnaneMereni = 0;
    uint8_t vyrovnanyOrientPosun = 0;
    uint8_t vypocetVnitrniPresnosti = 0;
    uint8_t vypocetVnejsiPresnosti = 0;
    uint8_t elipsoidChyb = 0;
    uint8_t souradniceVstup = 0;
    uint8_t odchylkyVstup = 0;
    uint8_t kovariancniMatice = 0;
    uint8_t bodyVstup = 0;
    uint8_t grafika = 0;
    uint8_t doplnek = 0;
    uint8_t protokol = 0;
    uint8_t atributyVyberu = 0;
};

struct Tprepinac {
    bool zobrazPolohu = false;
    bool zobrazSkupinu = false;
    bool kontrolaHodnot = false;
    bool kontrolaRozdilPoloh = false;
    bool kontrolaRozdilSkupin = false;
    bool kontrolaVSE = false;
    bool prehledChyb = false;
    bool zachovatSouradnice = false;
    bool vylucovatSmer = false;
    bool vylucovatZenit = false;
    bool vylucovatDelka = false;
    bool vylucovatDoplnekDelka = false;
    bool vylucovatDoplnekSmernik = false;
    bool vylucovatDoplnekPrevyseni = false;
    bool vylucovatDoplnekProvazeni = false;
    bool vylucovatX = false;
    bool vylucovatY = false;
    bool vylucovatZ = false;
};

// A set of limits; each Tmez field of the settings uses only some of them.
struct Tmez {
    Real rozdil_delka = 0;
    Real rozdil_smer = 0;
    Real rozdil_zenit = 0;
    Real rozdil_prevyseni = 0;
    Real rozdil_provazeni = 0;
    Real hodnota_delka = 0;
    Real hodnota_vyskaSTN = 0;
    Real hodnota_vyskaCIL = 0;
    Real hodnota_prevyseni = 0;
    Real hodnota_polomerMin = 0;
    Real hodnota_polomerMax = 0;
    Real hodnota_zkresleniMin = 0;
    Real hodnota_zkresleniMax = 0;
    Real hodnota_hladinaMin = 0;
    Real hodnota_hladinaMax = 0;
};

// The smallest significance level of the outlier test, exclusive: below it the
// quantile of the test is beyond what the normal quantile gives reliably. The
// one bound of every way a level enters (the settings dialog, the command
// line, a project file).
inline constexpr Real kNejmensiHladinaVyznamnosti = 1e-8L;

struct Tvyrovnani {
    Real odchylka_zadanaSmer = 0;
    Real odchylka_zadanaZenit = 0;
    Real odchylka_zadanaDelka = 0;
    Real odchylkaJednotkovaApriorni = 0;
    ZdrojVah typVah = ZdrojVah::Neurcen;
    Real rizikoOdlehlost = 0;
    Odhad typOdhadu = Odhad::Neurcen;
    bool vylucovatOdlehle = false;
    uint8_t maxPocetIteraci = 0;
    Real maxZmenaVahy = 0;
    Real maxPrirustek = 0;
};

struct Tdoplnek {
    Real odchylka_smernik = 0;
    Real odchylka_delka = 0;
    Real odchylka_prevyseni = 0;
    Real odchylka_provazeni = 0;
};

struct Tschranka {
    bool suroveMereni_existuje = false;
    bool souradnice_existuje = false;
    bool mereniDoplnek_existuje = false;
};

struct TredukceMereni {
    Real polomerRefPlochy = 0;
    Real zakladniZkresleni = 0;
    uint8_t typHladiny = 0;  // 0 zero level, 1 mean level of the network, 2 vyskaHladiny
    Real vyskaHladiny = 0;
};

struct Tgrafika {
    uint8_t barvaFixBod = 0;
    uint8_t barvaVyrBod = 0;
    uint8_t barvaMereni = 0;
    uint8_t barvaElipsa = 0;
    uint8_t barvaPozadi = 0;
    bool kreslitBod = false;
    bool kreslitMereniLinie = false;
    bool kreslitMereniPopis = false;
    bool kreslitElipsa = false;
    bool kreslitOsa = false;
    bool kreslitMeritko = false;
    uint8_t tloustkaBod = 0;
    uint8_t tloustkaMereni = 0;
    uint8_t tloustkaElipsa = 0;
    uint8_t tloustkaOsa = 0;
    uint8_t tloustkaMeritko = 0;
    int16_t textFont = 0;
    uint8_t textVelikost = 0;
    uint8_t textRez = 0;
    uint8_t krizek = 0;
    uint8_t krouzek = 0;
    uint8_t zvetseniElipsa = 0;
    bool presnost = false;
};

// Which report sections are written: Booleans switch a section, Bytes (the names
// ending in Meritko, Odchyl, Presnost) choose its variant.
struct Tprotokol {
    bool suroveMereni = false;
    bool rozdilPoloh = false;
    bool prumerPoloh = false;
    bool prumerSkupin = false;
    bool mereniKamen = false;
    bool bodyFix = false;
    uint8_t bodyFixMeritko = 0;
    bool sourPredVyr = false;
    uint8_t sourPredVyrMeritko = 0;
    bool merPredVyr = false;
    uint8_t merPredVyrOdchyl = 0;
    bool vnitrniPresnost = false;
    bool vnejsiPresnost = false;
    bool infoVyr = false;
    bool sourVyr = false;
    uint8_t sourVyrPresnost = 0;
    bool elipsVyr = false;
    uint8_t elipsVyrPresnost = 0;
    bool odlehleVyr = false;
    bool merVyr = false;
    uint8_t merVyrPresnost = 0;
    bool bodyIdentTransSVyr = false;
    uint8_t bodyIdentTransSVyrOdchyl = 0;
    bool infoBodyIdent = false;
    bool infoTransKlicSVyr = false;
    bool sourVyrTrans = false;
    uint8_t sourVyrTransPresnost = 0;
    bool odlehleTrans = false;
    bool sourTransSVyr = false;
    uint8_t sourTransSVyrPresnost = 0;
    bool elipTransSVyr = false;
    uint8_t elipTransSVyrPresnost = 0;
    bool bodyIdentTransBodSm = false;
    bool infoTransKlicBodSm = false;
    bool sourTransBodSm = false;
    uint8_t sourTransBodSmPresnost = 0;
    bool elipTransBodSm = false;
    uint8_t elipTransBodSmPresnost = 0;
};

}  // namespace nastaveni

// All user-adjustable settings. Limits and precisions are kept in internal units
// (radians, metres); Default computes them from fixed display values, whatever
// units are in force.
class Tnastaveni {
  public:
    nastaveni::Tjednotky jednotky;
    nastaveni::Tpresnost presnost;
    nastaveni::Tsoubor souborVstup;
    nastaveni::Tsoubor souborVystup;
    nastaveni::Tokno okno;
    uint8_t typJazyk = 0;  // 0 Czech, 1 English
    nastaveni::Tprepinac prepinac;
    nastaveni::Tmez mezPoloha;
    nastaveni::Tmez mezSkupina;
    nastaveni::Tmez mezProtismer;
    nastaveni::Tmez mezZeSouradnic;
    nastaveni::Tmez mezHodnota;
    nastaveni::Tmez zrcadleni;
    nastaveni::Tvyrovnani vyrovnani;
    nastaveni::Tvyrovnani transformace;
    nastaveni::Tdoplnek doplnek;
    nastaveni::Tschranka schranka;
    nastaveni::TredukceMereni redukceMereni;
    uint8_t pocetVlaknaVse = 0;
    nastaveni::Tmez mezMaxVstup;
    nastaveni::Tgrafika grafika;
    nastaveni::Tprotokol protokol;

    // Defaults in internal units; okno, both typEtapa codes, schranka and
    // transformace.typVah are left as they are.
    void Default();
    void Nastavitprepinac(bool vstup);
    void NastavitPrepinaceKontrola(bool vstup);
    bool VylucovatOdlehle() const;
    bool VylucovatOdlehleTrans() const;

    // Whether a report chapter has any content to write.
    bool ProtokolSuroveMereni() const;
    bool ProtokolPredVyrovnanim() const;
    bool ProtokolVyrovnani(bool jsouOdlehle) const;
    bool ProtokolTransformaceSVyrovnanim(bool jsouOdlehle) const;
    bool ProtokolTransformaceBodSmernik() const;
};

// Number of logical processors, 0 when the system cannot tell; clamped to a byte
// as the setting stores it (256 and more processors give 255).
uint8_t PocetProcesoru();

}  // namespace vertano
