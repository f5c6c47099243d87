#include "reports/ProtokolTransformace.h"

#include <algorithm>
#include <exception>

#include "reports/SekceProtokolu.h"
#include "reports/TextyProtokolu.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano {

namespace {

// One side of the pairs: the network points (vystup false) or the user's.
Tsouradnice Strana(const Tsouradnice& pary, bool vystup) {
    Tsouradnice s;
    const int32_t n = pary.PocetPlnychBodu() / 2;
    for (int32_t k = 0; k < n && 2 * k + 1 < pary.Pocet(); ++k)
        s.PridejBod(pary.bod[static_cast<std::size_t>(2 * k + (vystup ? 1 : 0))]);
    return s;
}

class Sestaveni {
  public:
    Sestaveni(Tprotokol& p, const VstupProtokoluTransformace& v, std::string vytvoreno)
        : p_(p),
          v_(v),
          j_(v.jazyk),
          n_(v.nastaveni),
          s_(v.nastaveni.protokol),
          vytvoreno_(std::move(vytvoreno)) {}

    void CastD() {
        p_.Clear();
        p_.Uvod(j_);
        if (!n_.ProtokolTransformaceSVyrovnanim(n_.VylucovatOdlehleTrans())) return;
        p_.Hlavicka(4, j_, vytvoreno_);
        const std::string nazev = j_.nadpis.zakladniInfoTransformaceSVyrovnanim + " - ";
        if (s_.bodyIdentTransSVyr)
            IdentickeBody("D", VolbaProtokolu(s_.bodyIdentTransSVyrOdchyl, 1) == 0 ? 3 : 1);
        if (s_.infoBodyIdent) {
            zapsatInfoIdentBody(p_, j_, n_, v_.odlehly, v_.model,
                                "D-02 " + nazev + j_.tlacitko.identickeBody);
        }
        if (s_.infoTransKlicSVyr) {
            zapsatInfoTransKlic(p_, j_, n_, v_.model, v_.prevodSVyrovnanim,
                                "D-03 " + nazev + j_.popis.transformacniKlic);
        }
        if (s_.odlehleTrans) Odlehle();
        if (s_.sourVyrTrans) VyrovnaneSouradnice();
        Transformovane("D", v_.prevodSVyrovnanim, s_.sourTransSVyr, s_.sourTransSVyrPresnost,
                       s_.elipTransSVyr, s_.elipTransSVyrPresnost);
    }

    void CastE() {
        p_.Clear();
        p_.Uvod(j_);
        if (!n_.ProtokolTransformaceBodSmernik()) return;
        p_.Hlavicka(5, j_, vytvoreno_);
        if (s_.bodyIdentTransBodSm) IdentickeBody("E", 1);
        if (s_.infoTransKlicBodSm) {
            zapsatInfoBodASmernik(p_, j_, n_, v_.prevodBodASmernik,
                                  "E-02 " + j_.nadpis.zakladniInfoTransformaceBodASmernik);
        }
        Transformovane("E", v_.prevodBodASmernik, s_.sourTransBodSm, s_.sourTransBodSmPresnost,
                       s_.elipTransBodSm, s_.elipTransBodSmPresnost);
    }

  private:
    // X-01-1 and X-01-2: both sides of the pairs; the output side of type
    // `typVystup` (1 coordinates, 3 with the deviations entered).
    void IdentickeBody(const std::string& cast, int typVystup) {
        const std::string nazev = j_.tlacitko.identickeBody + " - ";
        zapsatSouradnice(p_, Strana(v_.pary, false), v_.vyrovnany, n_, j_, 1,
                         cast + "-01-1 " + nazev + j_.tlacitko.vstupniSystem2);
        zapsatSouradnice(p_, Strana(v_.pary, true), v_.vyrovnany, n_, j_, typVystup,
                         cast + "-01-2 " + nazev + j_.tlacitko.vystupniSystem2);
    }

    void Odlehle() {
        const nastaveni::Tprepinac& s = n_.prepinac;
        const std::string nazev = j_.tlacitko.odlehleHodnoty + " - " +
                                  j_.nadpis.souradniceIdentickychBoduVystup + " (" +
                                  MalaPismena(j_.tlacitko.souradnice2) + " ";
        const struct {
            bool vylucovat;
            const TvektorSouradnice& vektor;
            const std::string& pismeno;
        } osy[] = {{s.vylucovatX, v_.odlehly.Vysledek().IdentickeX(), j_.popis.x},
                   {s.vylucovatY, v_.odlehly.Vysledek().IdentickeY(), j_.popis.y},
                   {s.vylucovatZ, v_.odlehly.Vysledek().IdentickeZ(), j_.popis.z}};
        int k = 0;
        for (const auto& o : osy) {
            ++k;
            if (!o.vylucovat) continue;
            zapsatOdlehleSour(p_, o.vektor, n_, j_,
                              "D-04-" + std::to_string(k) + " " + nazev + o.pismeno + ")");
        }
    }

    void VyrovnaneSouradnice() {
        const std::string nazev = j_.nadpis.vyrovIdentBodu + " - " + j_.tlacitko.souradnice2 + " ";
        const int typ = VolbaProtokolu(s_.sourVyrTransPresnost, 2) + 1;
        const struct {
            const TvektorSouradnice& vektor;
            const std::string& pismeno;
        } osy[] = {{v_.model.Vysledek().IdentickeX(), j_.popis.x},
                   {v_.model.Vysledek().IdentickeY(), j_.popis.y},
                   {v_.model.Vysledek().IdentickeZ(), j_.popis.z}};
        int k = 0;
        for (const auto& o : osy) {
            ++k;
            zapsatVyrSour(p_, o.vektor, v_.model, n_, j_, typ,
                          "D-05-" + std::to_string(k) + " " + nazev + o.pismeno);
        }
    }

    // X-06/X-07 (D) or X-03/X-04 (E): the transformed points and their
    // ellipsoids, with the deviations of the network adjustment.
    void Transformovane(const std::string& cast, const TmodelTransformacePrevod& prevod,
                        bool souradnice, uint8_t presnostSouradnic, bool elipsoidy,
                        uint8_t presnostElipsoidu) {
        const bool d = cast == "D";
        const std::string nazev = j_.popis.transformovane + " ";
        if (souradnice) {
            zapsatSouradnice(
                p_, prevod.Souradnice(), v_.vyrovnany, n_, j_,
                VolbaProtokolu(presnostSouradnic, 2) + 4,
                cast + (d ? "-06 " : "-03 ") + nazev + MalaPismena(j_.popis.souradnice));
        }
        if (elipsoidy) {
            zapsatElipsoid(
                p_, prevod.Souradnice(), v_.vyrovnany, n_, j_,
                VolbaProtokolu(presnostElipsoidu, 2) + 1,
                cast + (d ? "-07 " : "-04 ") + nazev + MalaPismena(j_.tlacitko.elipsoidy));
        }
    }

    Tprotokol& p_;
    const VstupProtokoluTransformace& v_;
    const Tjazyk& j_;
    const Tnastaveni& n_;
    const nastaveni::Tprotokol& s_;
    const std::string vytvoreno_;
};

template <class Cast>
bool Sestavit(Tprotokol& protokol, const VstupProtokoluTransformace& vstup, const Hodiny& hodiny,
              bool& vytvoreno, std::string* duvod, Cast cast) {
    vytvoreno = false;
    if (duvod != nullptr) duvod->clear();
    try {
        const CasProtokolu cas = hodiny ? hodiny() : MistniCas();
        Sestaveni s(protokol, vstup, TextCasu(cas, vstup.nastaveni.typJazyk));
        (s.*cast)();
        vytvoreno = true;
    } catch (const std::exception& e) {
        // A report is all or nothing: half a report would pass for a whole one.
        protokol.Clear();
        if (duvod != nullptr) *duvod = e.what();
    }
    return vytvoreno;
}

}  // namespace

bool zapsatTransformaceSVyrovnanim(Tprotokol& protokol, const VstupProtokoluTransformace& vstup,
                                   const Hodiny& hodiny, bool& vytvoreno, std::string* duvod) {
    return Sestavit(protokol, vstup, hodiny, vytvoreno, duvod, &Sestaveni::CastD);
}

bool zapsatTransformaceNaBodASmernik(Tprotokol& protokol, const VstupProtokoluTransformace& vstup,
                                     const Hodiny& hodiny, bool& vytvoreno, std::string* duvod) {
    return Sestavit(protokol, vstup, hodiny, vytvoreno, duvod, &Sestaveni::CastE);
}

}  // namespace vertano
