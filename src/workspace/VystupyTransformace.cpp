#include "workspace/VystupyTransformace.h"

#include <algorithm>
#include <cmath>

#include "adjustment/VysledekSite.h"
#include "files/SouradniceFormaty.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "transformation/IdentickeBody.h"
#include "transformation/VysledekModeluTransformace.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano {

namespace {

using Radky = std::vector<std::string>;

const TmodelTransformacePrevod& Prevod(const Workspace& ws, bool bodASmernik) {
    return bodASmernik ? ws.prevodBodASmernik : ws.prevodSVyrovnanim;
}

bool JeAktualni(const Workspace& ws, bool bodASmernik) {
    return bodASmernik ? ws.state.Current(Step::PointAndBearing)
                       : ws.state.Current(Step::TransformationWithAdjustment);
}

// The transformed points with the accuracy of the network's a priori unit
// standard deviation; fixed points without deviations.
bool Body(const Workspace& ws, bool bodASmernik, std::vector<Tbod>& body) {
    body.clear();
    if (!ZobrazitBody(Prevod(ws, bodASmernik).Souradnice(),
                      ws.modelVyrovnany.Vysledek().OdchylkaJednotkovaAprior(), body)) {
        return false;
    }
    for (Tbod& b : body) {
        if (b.JeFixni) b.SmazOdchylky();
    }
    return true;
}

const TsouradnicovaVelicina* Zaznam(const TvektorSouradnice& v, int32_t poradi) {
    for (const TsouradnicovaVelicina& z : v.zaznam) {
        if (z.jePlny && z.poradi == poradi) return &z;
    }
    return nullptr;
}

IdentickyBodVysledek IdentickyBod(const Workspace& ws, bool bodASmernik, const KlicTransformace& k,
                                  int32_t i) {
    const Tbod& vstup = ws.souradniceIdenticke.bod[static_cast<std::size_t>(2 * i)];
    const Tbod& vystup = ws.souradniceIdenticke.bod[static_cast<std::size_t>(2 * i + 1)];
    const Real c = std::cos(k.w);
    const Real s = std::sin(k.w);
    IdentickyBodVysledek b;
    b.cislo = vystup.cislo;
    b.X = vystup.X;
    b.Y = vystup.Y;
    b.Z = vystup.Z;
    b.oprava = {k.tx + vstup.X * c - vstup.Y * s - vystup.X,
                k.ty + vstup.X * s + vstup.Y * c - vystup.Y, k.tz + vstup.Z - vystup.Z};
    if (bodASmernik) return b;
    for (std::size_t a = 0; a < 3; ++a) {
        const Osa typ = static_cast<Osa>(KodOsy(Osa::X) + static_cast<int32_t>(a));
        const TsouradnicovaVelicina* z = Zaznam(ws.modelTransformace.Vektor(typ), i + 1);
        const TsouradnicovaVelicina* kopie = Zaznam(ws.modelTransformaceOdlehly.Vektor(typ), i + 1);
        if (z != nullptr) b.oprava[a] = z->oprava;
        b.odlehly[a] = kopie != nullptr && kopie->jeOdlehly;
    }
    return b;
}

void SVyrovnanim(const Workspace& ws, VysledkyTransformace& v) {
    const TmodelTransformaceVyrovnani& m = ws.modelTransformace;
    const TmodelTransformaceVyrovnani& o = ws.modelTransformaceOdlehly;
    const TtransformacniKlic& k = ws.prevodSVyrovnanim.TransformacniKlic();
    const Real s0 = m.Vysledek().OdchylkaJednotkovaAprior();
    v.sigTx = s0 * k.sig_posunX;
    v.sigTy = s0 * k.sig_posunY;
    v.sigTz = s0 * k.sig_posunZ;
    v.sigRotace = s0 * k.sig_rotaceZ;
    v.tezisteX = k.tezisteVstupX;
    v.tezisteY = k.tezisteVstupY;
    v.pocetMereni = m.Vysledek().PocetMereni();
    v.pocetNadbytecnych = m.Vysledek().PocetNadbytecnych();
    v.pocetIteraci = std::max(m.Vysledek().PocetIteraci(), 0);
    v.odchylkaJednotkovaAprior = m.Vysledek().OdchylkaJednotkovaAprior();
    v.odchylkaJednotkovaAposterior = m.Vysledek().OdchylkaJednotkovaAposterior();
    if (o.Vysledek().PocetMereni() < 0) return;
    v.testovane = o.Vysledek().PocetMereni();
    v.vyloucene = {std::max(o.Vysledek().PocetIdentickeXOdlehly(), 0),
                   std::max(o.Vysledek().PocetIdentickeYOdlehly(), 0),
                   std::max(o.Vysledek().PocetIdentickeZOdlehly(), 0)};
}

void BodASmernik(const Workspace& ws, VysledkyTransformace& v) {
    const TmodelTransformacePrevod& p = ws.prevodBodASmernik;
    const Tsouradnice& vstup = p.IdentickeBodyVstup();
    if (p.IStnAktualni() >= 0 && p.IStnAktualni() < vstup.Pocet())
        v.zakladna = vstup.bod[static_cast<std::size_t>(p.IStnAktualni())].cislo;
    if (p.ICilAktualni() >= 0 && p.ICilAktualni() < vstup.Pocet())
        v.orientace = vstup.bod[static_cast<std::size_t>(p.ICilAktualni())].cislo;
    v.smernikVstup = p.TransformacniKlic().smernik_vstup;
    v.smernikVystup = p.TransformacniKlic().smernik_vystup;
}

// ---- the summary ----

struct Format {
    const Workspace& ws;

    std::string Delka(Real metry, int navic = 0) const {
        const Tnastaveni& n = ws.nastaveni;
        return FormatLength(metry, n.jednotky.souradnice, n.presnost.souradnice.hodnota + navic);
    }
    std::string Uhel(Real rad, int navic = 0) const {
        const Tnastaveni& n = ws.nastaveni;
        return FormatAngle(rad, n.jednotky.uhel, n.presnost.uhel.hodnota + navic);
    }
    std::string JednotkaDelky() const { return " [" + ws.jazyk.popisJednotky.x_hodnota + "]"; }
    std::string JednotkaUhlu() const { return " [" + ws.jazyk.popisJednotky.smer_hodnota + "]"; }
};

void Line(Radky& r, const std::string& label, const std::string& value) {
    r.push_back("  " + label + ": " + value);
}

// "n/total [share]".
std::string Podil(int32_t n, int32_t total) {
    const std::string share =
        total > 0 ? FormatFixed(static_cast<Real>(n) / static_cast<Real>(total), 3) : "-";
    return std::to_string(n) + "/" + std::to_string(total) + " [" + share + "]";
}

void KlicSVyrovnanim(Radky& r, const Format& f, const VysledkyTransformace& v,
                     const VysledekTransformace& beh) {
    const jazyk::Tpopis& p = f.ws.jazyk.popis;
    const int32_t vyloucenych = v.vyloucene[0] + v.vyloucene[1] + v.vyloucene[2];
    Line(r, p.pocetOdlehlych, v.testovane > 0 ? Podil(vyloucenych, v.testovane) : "-");
    // Which coordinates: the surveyor must look at those points.
    std::string ktere;
    for (const IdentickyBodVysledek& b : v.identicke) {
        static const char* const kOsy[3] = {"X", "Y", "Z"};
        for (std::size_t a = 0; a < 3; ++a) {
            if (b.odlehly[a]) ktere += (ktere.empty() ? "" : ", ") + b.cislo + " " + kOsy[a];
        }
    }
    if (!ktere.empty()) Line(r, "  " + f.ws.jazyk.tlacitko.odlehleHodnoty, ktere);
    Line(r, p.pocetVyrovSouradnic, std::to_string(v.pocetMereni));
    Line(r, p.pocetNadbytecnychSour, std::to_string(v.pocetNadbytecnych));
    Line(r, p.sigJednotkovaAprior, FormatFixed(v.odchylkaJednotkovaAprior, 3));
    Line(r, p.sigJednotkovaAposterior, FormatFixed(v.odchylkaJednotkovaAposterior, 3));
    Line(r, "Iterations",
         "robust " + std::to_string(beh.pocetIteraciRobustne) + ", plain " +
             std::to_string(v.pocetIteraci));
    const std::string t = p.translace + " ";
    const std::string u = f.JednotkaDelky();
    Line(r, t + p.x + u,
         f.Delka(v.klic.tx) + " (sigma at the centroid " + f.Delka(v.sigTx, 2) + ")");
    Line(r, t + p.y + u,
         f.Delka(v.klic.ty) + " (sigma at the centroid " + f.Delka(v.sigTy, 2) + ")");
    Line(r, t + p.z + u, f.Delka(v.klic.tz) + " (sigma " + f.Delka(v.sigTz, 2) + ")");
    Line(r, p.rotace + f.JednotkaUhlu(),
         f.Uhel(v.klic.w) + " (sigma " + f.Uhel(v.sigRotace, 2) + ")");
    Line(r, "Centroid X, Y" + u, f.Delka(v.tezisteX) + " " + f.Delka(v.tezisteY));
}

void KlicBodSmernik(Radky& r, const Format& f, const VysledkyTransformace& v) {
    const jazyk::Tpopis& p = f.ws.jazyk.popis;
    Line(r, p.bod, v.zakladna);
    Line(r, p.cil, v.orientace);
    Line(r, p.smernik + f.JednotkaUhlu(), f.Uhel(v.smernikVystup));
    const std::string t = p.translace + " ";
    const std::string u = f.JednotkaDelky();
    Line(r, t + p.x + u, f.Delka(v.klic.tx));
    Line(r, t + p.y + u, f.Delka(v.klic.ty));
    Line(r, t + p.z + u, f.Delka(v.klic.tz));
    Line(r, p.rotace + f.JednotkaUhlu(), f.Uhel(v.klic.w));
}

}  // namespace

KlicTransformace SpolecnyKlic(const TtransformacniKlic& k, bool bodASmernik) {
    if (!bodASmernik) return {k.posunX, k.posunY, k.posunZ, k.rotaceZ};
    const Real c = std::cos(k.rotaceZ);
    const Real s = std::sin(k.rotaceZ);
    return {k.posunX + k.posunX2 * c - k.posunY2 * s, k.posunY + k.posunX2 * s + k.posunY2 * c,
            k.posunZ, k.rotaceZ};
}

bool SestavitVysledkyTransformace(const Workspace& ws, bool bodASmernik, VysledkyTransformace& v) {
    v = VysledkyTransformace{};
    if (!JeAktualni(ws, bodASmernik) || !Body(ws, bodASmernik, v.body)) {
        v = VysledkyTransformace{};
        return false;
    }
    v.bodASmernik = bodASmernik;
    v.klic = SpolecnyKlic(Prevod(ws, bodASmernik).TransformacniKlic(), bodASmernik);
    v.pocetPar = PocetPar(ws.souradniceIdenticke);
    for (int32_t i = 0; i < v.pocetPar; ++i)
        v.identicke.push_back(IdentickyBod(ws, bodASmernik, v.klic, i));
    if (bodASmernik) {
        BodASmernik(ws, v);
    } else {
        SVyrovnanim(ws, v);
    }
    return true;
}

std::vector<std::string> RadkySouhrnuTransformace(const Workspace& ws, bool bodASmernik,
                                                  const VysledekTransformace& beh) {
    VysledkyTransformace v;
    if (!SestavitVysledkyTransformace(ws, bodASmernik, v)) return {};
    const Tjazyk& j = ws.jazyk;
    const Format f{ws};
    Radky r = {bodASmernik ? j.tlacitko.bodASmernik : j.tlacitko.transformaceSVyrovnanim};
    Line(r, j.popis.pocetIdentBodu, std::to_string(v.pocetPar));
    if (bodASmernik) {
        KlicBodSmernik(r, f, v);
    } else {
        KlicSVyrovnanim(r, f, v, beh);
    }
    Line(r, j.popis.pocetTransBodu, std::to_string(v.body.size()));
    return r;
}

CoordinateSaveReport UlozitTransformovaneSouradnice(const Workspace& ws, bool bodASmernik,
                                                    const std::filesystem::path& cesta) {
    VysledkyTransformace v;
    if (!SestavitVysledkyTransformace(ws, bodASmernik, v)) {
        CoordinateSaveReport r;
        r.message =
            "The transformation is not current, or an accuracy figure of it is not a "
            "number; " +
            cesta.string() + " was not written";
        return r;
    }
    Tsouradnice seznam;
    seznam.bod = std::move(v.body);
    Tnastaveni nastaveni = ws.nastaveni;
    nastaveni.souborVystup.typSouradnice = kFormatXYZ;
    return UlozeniSouboruSOdchylkami(seznam, nastaveni, cesta);
}

}  // namespace vertano
