// The basic-information sections of the transformation reports (D-02, D-03,
// E-02).

#include <array>
#include <vector>

#include "reports/FormatCisel.h"
#include "reports/InfoSekce.h"
#include "reports/ProtokolTransformace.h"
#include "reports/TextyProtokolu.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano {

namespace {

std::string Pocet(int32_t n) {
    return CeleCislo(n < 0 ? 0 : n);
}

// X before Y, or Y before X as the settings order them.
bool YPredX(const Tnastaveni& n) {
    return n.jednotky.poradiSouradnice == 1;
}

// Rows of X and Y in the coordinate order of the settings.
void PridatXY(std::vector<InfoRadek>& r, const Tnastaveni& n, InfoRadek x, InfoRadek y) {
    if (YPredX(n)) std::swap(x, y);
    r.push_back(std::move(x));
    r.push_back(std::move(y));
}

const std::string& Pismeno(const Tjazyk& j, Osa typ) {
    return typ == Osa::X ? j.popis.x : typ == Osa::Y ? j.popis.y : j.popis.z;
}

int32_t PocetOsy(const TmodelTransformaceVyrovnani& m, Osa typ) {
    return typ == Osa::X   ? m.Vysledek().PocetIdentickeX()
           : typ == Osa::Y ? m.Vysledek().PocetIdentickeY()
                           : m.Vysledek().PocetIdentickeZ();
}

bool Vylucovat(const Tnastaveni& n, Osa typ) {
    const nastaveni::Tprepinac& p = n.prepinac;
    return typ == Osa::X ? p.vylucovatX : typ == Osa::Y ? p.vylucovatY : p.vylucovatZ;
}

// Rows 1-6: the rejection of outliers; "-" unless it is on, rows 4-6 also where
// their coordinate's switch is off.
std::vector<InfoRadek> RadkyOdlehlych(const Tjazyk& j, const Tnastaveni& n,
                                      const TmodelTransformaceVyrovnani& c,
                                      const TmodelTransformaceVyrovnani& t) {
    const jazyk::Tpopis& p = j.popis;
    const bool zapnuto = n.VylucovatOdlehleTrans() && c.Vysledek().PocetMereni() >= 0;
    std::vector<InfoRadek> r = {{p.metodaRobustOdhadu + ":", "-"},
                                {p.hladinaVyznamnosti + ":", "-"},
                                {p.pocetOdlehlych + ":", "-"}};
    if (zapnuto) {
        const int32_t typ = KodOdhadu(n.transformace.typOdhadu);
        if (typ >= 1 && static_cast<std::size_t>(typ) <= j.typOdhadu.size())
            r[0].hodnota = j.typOdhadu[static_cast<std::size_t>(typ - 1)];
        r[1].hodnota = TextHladiny(n.transformace.rizikoOdlehlost);
        r[2].hodnota = Pomer(c.Vysledek().PocetMereni() - t.Vysledek().PocetMereni(),
                             c.Vysledek().PocetMereni());
    }
    std::array<InfoRadek, 3> osy;
    for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
        InfoRadek& radek = osy[static_cast<std::size_t>(KodOsy(typ) - 1)];
        radek.popis = p.souradnice + " " + Pismeno(j, typ) + ":";
        radek.hodnota = zapnuto && Vylucovat(n, typ)
                            ? Pomer(PocetOsy(c, typ) - PocetOsy(t, typ), PocetOsy(c, typ))
                            : "-";
    }
    PridatXY(r, n, osy[0], osy[1]);
    r.push_back(osy[2]);
    return r;
}

// Rows 7-13: the adjustment of the identical coordinates.
std::vector<InfoRadek> RadkyVyrovnani(const Tjazyk& j, const Tnastaveni& n,
                                      const TmodelTransformaceVyrovnani& t) {
    const jazyk::Tpopis& p = j.popis;
    std::vector<InfoRadek> r = {
        {p.sigJednotkovaAprior + ":", TriDesetinna(t.Vysledek().OdchylkaJednotkovaAprior())},
        {p.sigJednotkovaAposterior + ":",
         TriDesetinna(t.Vysledek().OdchylkaJednotkovaAposterior())},
        {p.pocetVyrovSouradnic + ":", Pocet(t.Vysledek().PocetMereni())}};
    const auto radek = [&](Osa typ) {
        return InfoRadek{p.souradnice + " " + Pismeno(j, typ) + ":", Pocet(PocetOsy(t, typ))};
    };
    PridatXY(r, n, radek(Osa::X), radek(Osa::Y));
    r.push_back(radek(Osa::Z));
    r.push_back({p.pocetNadbytecnychSour + ":", Pocet(t.Vysledek().PocetNadbytecnych())});
    return r;
}

InfoRadek Text(const std::string& text) {
    return {text, "", true};
}

// "label [unit]:".
std::string Popis(const std::string& nazev, const std::string& jednotka) {
    return nazev + " [" + jednotka + "]:";
}

}  // namespace

std::vector<InfoSkupina> InfoIdentBody(const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                                       const TmodelTransformaceVyrovnani& modelOdlehly,
                                       const TmodelTransformaceVyrovnani& modelVyrovnany) {
    const TmodelTransformaceVyrovnani& t = modelVyrovnany;
    if (t.Vysledek().PocetMereni() < 0) return {};
    const jazyk::Tpopis& p = jazyk.popis;
    return {{p.zakladniInformace,
             {{p.pocetIdentBodu + ":", Pocet(t.Vysledek().PocetSouradnicIdentickych() / 3)}}},
            {p.vylouceniOdlehlych, RadkyOdlehlych(jazyk, nastaveni, modelOdlehly, t)},
            {p.vyrovnaniSourIdentBodu, RadkyVyrovnani(jazyk, nastaveni, t)}};
}

void zapsatInfoIdentBody(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                         const TmodelTransformaceVyrovnani& modelOdlehly,
                         const TmodelTransformaceVyrovnani& modelVyrovnany,
                         const std::string& nadpis) {
    const std::vector<InfoSkupina> s =
        InfoIdentBody(jazyk, nastaveni, modelOdlehly, modelVyrovnany);
    if (!s.empty()) ZapsatInfo(protokol, nadpis, s);
}

std::vector<InfoSkupina> InfoTransKlic(
    const Tjazyk& jazyk, const Tnastaveni& nastaveni,
    const TmodelTransformaceVyrovnani& modelTransformaceVyrovnany,
    const TmodelTransformacePrevod& ModelTransformaceSVyrovnanim) {
    const TmodelTransformaceVyrovnani& t = modelTransformaceVyrovnany;
    const TmodelTransformacePrevod& prevod = ModelTransformaceSVyrovnanim;
    const TtransformacniKlic& k = prevod.TransformacniKlic();
    if (!k.jePlny) return {};
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    // a priori : a posteriori
    const auto obe = [&](Real cofactor, bool uhel) {
        const Real a = t.Vysledek().OdchylkaJednotkovaAprior() * cofactor;
        const Real b = t.Vysledek().OdchylkaJednotkovaAposterior() * cofactor;
        return uhel ? f.UhelOdchylka(a) + " : " + f.UhelOdchylka(b)
                    : f.SouradniceOdchylka(a) + " : " + f.SouradniceOdchylka(b);
    };
    std::vector<InfoRadek> klic = {Text(p.vyrovnaneHodnoty + ":"), Text(p.translace + ":")};
    PridatXY(klic, nastaveni, {Popis(p.x, u.souradnice), f.Souradnice(k.posunX)},
             {Popis(p.y, u.souradnice), f.Souradnice(k.posunY)});
    klic.push_back({Popis(p.z, u.souradnice), f.Souradnice(k.posunZ)});
    klic.push_back({Popis(p.rotace, u.uhel), f.Uhel(k.rotaceZ)});
    klic.push_back(Text(""));
    klic.push_back(
        Text(p.apriorni + "/" + p.aposteriorni + " " + MalaPismena(p.smerodatneOdchylky) + ":"));
    klic.push_back(Text(p.translace + ":"));
    PridatXY(klic, nastaveni, {Popis(p.x, u.souradniceOdchylka), obe(k.sig_posunX, false)},
             {Popis(p.y, u.souradniceOdchylka), obe(k.sig_posunY, false)});
    klic.push_back({Popis(p.z, u.souradniceOdchylka), obe(k.sig_posunZ, false)});
    klic.push_back({Popis(p.rotace, u.uhelOdchylka), obe(k.sig_rotaceZ, true)});
    return {{p.zakladniInformace,
             {{p.pocetTransBodu + ":", Pocet(prevod.PocetBodu())},
              {p.pocetFixBodu + ":", Pocet(prevod.PocetBoduFixnich())},
              {p.pocetVyrBodu + ":", Pocet(prevod.PocetBoduUrcovanych())}}},
            {p.parametryKlice, klic}};
}

void zapsatInfoTransKlic(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                         const TmodelTransformaceVyrovnani& modelTransformaceVyrovnany,
                         const TmodelTransformacePrevod& ModelTransformaceSVyrovnanim,
                         const std::string& nadpis) {
    const std::vector<InfoSkupina> s =
        InfoTransKlic(jazyk, nastaveni, modelTransformaceVyrovnany, ModelTransformaceSVyrovnanim);
    if (!s.empty()) ZapsatInfo(protokol, nadpis, s);
}

std::vector<InfoSkupina> InfoBodASmernik(
    const Tjazyk& jazyk, const Tnastaveni& nastaveni,
    const TmodelTransformacePrevod& modelTransformaceBodASmernik) {
    const TmodelTransformacePrevod& m = modelTransformaceBodASmernik;
    const TtransformacniKlic& k = m.TransformacniKlic();
    const Tsouradnice& vstup = m.IdentickeBodyVstup();
    if (!k.jePlny || m.IStnAktualni() < 0 || m.ICilAktualni() < 0 ||
        m.IStnAktualni() >= vstup.Pocet() || m.ICilAktualni() >= vstup.Pocet()) {
        return {};
    }
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    std::vector<InfoRadek> klic;
    PridatXY(klic, nastaveni, {Popis(p.x, u.souradnice), f.Souradnice(k.posunX + k.posunX2)},
             {Popis(p.y, u.souradnice), f.Souradnice(k.posunY + k.posunY2)});
    klic.push_back({Popis(p.z, u.souradnice), f.Souradnice(k.posunZ)});
    klic.push_back({Popis(p.rotace, u.uhel), f.Uhel(k.rotaceZ)});
    return {{p.zakladniInformace,
             {{p.bod + ":", vstup.bod[static_cast<std::size_t>(m.IStnAktualni())].cislo},
              {p.cil + ":", vstup.bod[static_cast<std::size_t>(m.ICilAktualni())].cislo},
              {Popis(p.smernik, u.uhel), f.Uhel(k.smernik_vystup)},
              {p.pocetTransBodu + ":", Pocet(m.PocetBodu())},
              {p.pocetFixBodu + ":", Pocet(m.PocetBoduFixnich())},
              {p.pocetVyrBodu + ":", Pocet(m.PocetBoduUrcovanych())}}},
            {p.parametryKlice, klic}};
}

void zapsatInfoBodASmernik(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                           const TmodelTransformacePrevod& modelTransformaceBodASmernik,
                           const std::string& nadpis) {
    const std::vector<InfoSkupina> s =
        InfoBodASmernik(jazyk, nastaveni, modelTransformaceBodASmernik);
    if (!s.empty()) ZapsatInfo(protokol, nadpis, s);
}

}  // namespace vertano
