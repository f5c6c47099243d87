#include "TransformResults.h"

#include <cmath>
#include <vector>

#include "AdjustResults.h"
#include "JsonWriter.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceSoubory.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "transformation/IdentickeBody.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano::cli {

namespace {

const TmodelTransformacePrevod& Prevod(const Workspace& ws, bool bodASmernik) {
    return bodASmernik ? ws.prevodBodASmernik : ws.prevodSVyrovnanim;
}

// The key as X' = tx + X cos w - Y sin w, Y' = ty + X sin w + Y cos w, Z' = tz + Z,
// whichever method made it.
struct Klic {
    Real tx = 0;
    Real ty = 0;
    Real tz = 0;
    Real w = 0;
};

Klic SpolecnyKlic(const TtransformacniKlic& k, bool bodASmernik) {
    if (!bodASmernik) return {k.posunX, k.posunY, k.posunZ, k.rotaceZ};
    const Real c = std::cos(k.rotaceZ);
    const Real s = std::sin(k.rotaceZ);
    return {k.posunX + k.posunX2 * c - k.posunY2 * s, k.posunY + k.posunX2 * s + k.posunY2 * c,
            k.posunZ, k.rotaceZ};
}

// The transformed points with the accuracy of the network's a priori unit
// standard deviation; fixed points without deviations.
bool Body(const Workspace& ws, bool bodASmernik, std::vector<Tbod>& body) {
    if (!ZobrazitBody(Prevod(ws, bodASmernik).souradnice,
                      ws.modelVyrovnany.odchylkaJednotkovaAprior, body)) {
        return false;
    }
    for (Tbod& b : body) {
        if (b.JeFixni) b.sig_X = b.sig_Y = b.sig_Z = -1;
    }
    return true;
}

std::string Delka(const Session& s, Real metry, int extra = 0) {
    const Tnastaveni& n = s.ws.nastaveni;
    return FormatLength(metry, n.jednotky.souradnice, n.presnost.souradnice.hodnota + extra);
}

std::string Uhel(const Session& s, Real rad, int extra = 0) {
    const Tnastaveni& n = s.ws.nastaveni;
    return FormatAngle(rad, n.jednotky.uhel, n.presnost.uhel.hodnota + extra);
}

void Line(Session& s, const std::string& label, const std::string& value) {
    s.out << "  " << label << ": " << value << "\n";
}

std::string JednotkaDelky(const Session& s) {
    return " [" + s.ws.jazyk.popisJednotky.x_hodnota + "]";
}

std::string JednotkaUhlu(const Session& s) {
    return " [" + s.ws.jazyk.popisJednotky.smer_hodnota + "]";
}

// "n/total [share]".
std::string Podil(int32_t n, int32_t total) {
    const std::string share =
        total > 0 ? FormatFixed(static_cast<Real>(n) / static_cast<Real>(total), 3) : "-";
    return std::to_string(n) + "/" + std::to_string(total) + " [" + share + "]";
}

void PrintAdjustedKey(Session& s, const VysledekTransformace& v) {
    const Workspace& ws = s.ws;
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const TmodelTransformaceVyrovnani& m = ws.modelTransformace;
    const TmodelTransformaceVyrovnani& o = ws.modelTransformaceOdlehly;
    const TtransformacniKlic& k = ws.prevodSVyrovnanim.transformacniKlic;
    const Real s0 = m.odchylkaJednotkovaAprior;
    Line(s, p.pocetIdentBodu, std::to_string(PocetPar(ws.souradniceIdenticke)));
    Line(s, p.pocetOdlehych,
         o.pocetMereni >= 0 ? Podil(o.pocetMereni - m.pocetMereni, o.pocetMereni) : "-");
    Line(s, p.pocetVyrovSouradnic, std::to_string(m.pocetMereni));
    Line(s, p.pocetNadbytecnychSour, std::to_string(m.pocetNadbytecnych));
    Line(s, p.sigJednotkovaAprior, FormatFixed(m.odchylkaJednotkovaAprior, 3));
    Line(s, p.sigJednotkovaAposterior, FormatFixed(m.odchylkaJednotkovaAposterior, 3));
    Line(s, "Iterations",
         "robust " + std::to_string(v.pocetIteraciRobustne) + ", plain " +
             std::to_string(v.pocetIteraci));
    const std::string t = p.translace + " ";
    Line(s, t + p.x + JednotkaDelky(s),
         Delka(s, k.posunX) + " (sigma at the centroid " + Delka(s, s0 * k.sig_posunX, 2) + ")");
    Line(s, t + p.y + JednotkaDelky(s),
         Delka(s, k.posunY) + " (sigma at the centroid " + Delka(s, s0 * k.sig_posunY, 2) + ")");
    Line(s, t + p.z + JednotkaDelky(s),
         Delka(s, k.posunZ) + " (sigma " + Delka(s, s0 * k.sig_posunZ, 2) + ")");
    Line(s, p.rotace + JednotkaUhlu(s),
         Uhel(s, k.rotaceZ) + " (sigma " + Uhel(s, s0 * k.sig_rotaceZ, 2) + ")");
    Line(s, "Centroid X, Y" + JednotkaDelky(s),
         Delka(s, k.tezisteVstupX) + " " + Delka(s, k.tezisteVstupY));
}

void PrintPointBearingKey(Session& s) {
    const Workspace& ws = s.ws;
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const TmodelTransformacePrevod& m = ws.prevodBodASmernik;
    const TtransformacniKlic& k = m.transformacniKlic;
    const Klic klic = SpolecnyKlic(k, true);
    Line(s, p.pocetIdentBodu, std::to_string(m.pocetBoduIdentickych));
    Line(s, p.bod, m.identickeBodyVstup.bod[static_cast<size_t>(m.iStnAktualni)].cislo);
    Line(s, p.cil, m.identickeBodyVstup.bod[static_cast<size_t>(m.iCilAktualni)].cislo);
    Line(s, p.smernik + JednotkaUhlu(s), Uhel(s, k.smernik_vystup));
    const std::string t = p.translace + " ";
    Line(s, t + p.x + JednotkaDelky(s), Delka(s, klic.tx));
    Line(s, t + p.y + JednotkaDelky(s), Delka(s, klic.ty));
    Line(s, t + p.z + JednotkaDelky(s), Delka(s, klic.tz));
    Line(s, p.rotace + JednotkaUhlu(s), Uhel(s, klic.w));
}

void WriteKey(JsonWriter& w, const Workspace& ws, bool bodASmernik) {
    const TmodelTransformacePrevod& prevod = Prevod(ws, bodASmernik);
    const TtransformacniKlic& k = prevod.transformacniKlic;
    const Klic klic = SpolecnyKlic(k, bodASmernik);
    w.Key("key");
    w.BeginObject();
    w.Member("tx", klic.tx);
    w.Member("ty", klic.ty);
    w.Member("tz", klic.tz);
    w.Member("rotation", klic.w);
    if (bodASmernik) {
        w.Member("base",
                 prevod.identickeBodyVstup.bod[static_cast<size_t>(prevod.iStnAktualni)].cislo);
        w.Member("orientation",
                 prevod.identickeBodyVstup.bod[static_cast<size_t>(prevod.iCilAktualni)].cislo);
        w.Member("bearing_input", k.smernik_vstup);
        w.Member("bearing_output", k.smernik_vystup);
    } else {
        const Real s0 = ws.modelTransformace.odchylkaJednotkovaAprior;
        w.Member("sigma_tx", s0 * k.sig_posunX);
        w.Member("sigma_ty", s0 * k.sig_posunY);
        w.Member("sigma_tz", s0 * k.sig_posunZ);
        w.Member("sigma_rotation", s0 * k.sig_rotaceZ);
        w.Key("centroid");
        w.BeginObject();
        w.Member("x", k.tezisteVstupX);
        w.Member("y", k.tezisteVstupY);
        w.EndObject();
    }
    w.EndObject();
}

void WriteSummary(JsonWriter& w, const Workspace& ws, bool bodASmernik) {
    w.Key("summary");
    w.BeginObject();
    w.Member("pairs", PocetPar(ws.souradniceIdenticke));
    if (!bodASmernik) {
        const TmodelTransformaceVyrovnani& m = ws.modelTransformace;
        const TmodelTransformaceVyrovnani& o = ws.modelTransformaceOdlehly;
        w.Member("observations", m.pocetMereni);
        w.Member("redundancy", m.pocetNadbytecnych);
        w.Member("sigma0_apriori", m.odchylkaJednotkovaAprior);
        w.Member("sigma0_aposteriori", m.odchylkaJednotkovaAposterior);
        w.Member("iterations", m.pocetIteraci);
        w.Key("rejected");
        w.BeginObject();
        w.Member("x", std::max(o.pocetIdentickeXOdlehly, 0));
        w.Member("y", std::max(o.pocetIdentickeYOdlehly, 0));
        w.Member("z", std::max(o.pocetIdentickeZOdlehly, 0));
        w.EndObject();
    }
    w.EndObject();
}

const TsouradnicovaVelicina* Zaznam(const TvektorSouradnice& v, int32_t poradi) {
    for (const TsouradnicovaVelicina& z : v.zaznam) {
        if (z.jePlny && z.poradi == poradi) return &z;
    }
    return nullptr;
}

// The residual of one identical coordinate (transformed network point minus
// the given output coordinate): the adjustment's own when it kept the
// coordinate, the misfit with the final key when it rejected it or when the
// method has no adjustment.
void WriteIdenticalPoint(JsonWriter& w, const Workspace& ws, bool bodASmernik, int32_t k) {
    const Tbod& vstup = ws.souradniceIdenticke.bod[static_cast<size_t>(2 * k)];
    const Tbod& vystup = ws.souradniceIdenticke.bod[static_cast<size_t>(2 * k + 1)];
    const Klic klic = SpolecnyKlic(Prevod(ws, bodASmernik).transformacniKlic, bodASmernik);
    const Real c = std::cos(klic.w);
    const Real s = std::sin(klic.w);
    const Real nesoulad[3] = {klic.tx + vstup.X * c - vstup.Y * s - vystup.X,
                              klic.ty + vstup.X * s + vstup.Y * c - vystup.Y,
                              klic.tz + vstup.Z - vystup.Z};
    static const char* const kOsy[3] = {"x", "y", "z"};
    w.BeginObject();
    w.Member("name", vystup.cislo);
    w.Member("x", vystup.X);
    w.Member("y", vystup.Y);
    w.Member("z", vystup.Z);
    bool odlehle[3] = {false, false, false};
    w.Key("residuals");
    w.BeginObject();
    for (int i = 0; i < 3; ++i) {
        const int32_t typ = osa::kX + i;
        const TsouradnicovaVelicina* z =
            bodASmernik ? nullptr : Zaznam(ws.modelTransformace.Vektor(typ), k + 1);
        const TsouradnicovaVelicina* kopie =
            bodASmernik ? nullptr : Zaznam(ws.modelTransformaceOdlehly.Vektor(typ), k + 1);
        odlehle[i] = kopie != nullptr && kopie->jeOdlehly;
        w.Member(kOsy[i], z != nullptr ? z->oprava : nesoulad[i]);
    }
    w.EndObject();
    w.Key("outlier");
    if (bodASmernik) {
        w.Null();
    } else {
        w.BeginObject();
        for (int i = 0; i < 3; ++i) w.Member(kOsy[i], odlehle[i]);
        w.EndObject();
    }
    w.EndObject();
}

}  // namespace

void PrintTransformSummary(Session& s, bool bodASmernik, const VysledekTransformace& vysledek) {
    const Tjazyk& j = s.ws.jazyk;
    s.out << (bodASmernik ? j.tlacitko.bodASmernik : j.tlacitko.transformaceSVyrovnanim) << "\n";
    if (bodASmernik) {
        PrintPointBearingKey(s);
    } else {
        PrintAdjustedKey(s, vysledek);
    }
    Line(s, j.popis.pocetTransBodu, std::to_string(Prevod(s.ws, bodASmernik).pocetBodu));
}

std::string TransformJson(const Workspace& ws, bool bodASmernik) {
    std::vector<Tbod> body;
    if (!Body(ws, bodASmernik, body)) return {};
    JsonWriter w;
    w.BeginObject();
    w.Member("method", bodASmernik ? "point-bearing" : "adjustment");
    WriteSummary(w, ws, bodASmernik);
    WriteKey(w, ws, bodASmernik);
    w.Key("identical");
    w.BeginArray();
    for (int32_t k = 0; k < PocetPar(ws.souradniceIdenticke); ++k)
        WriteIdenticalPoint(w, ws, bodASmernik, k);
    w.EndArray();
    w.Key("points");
    w.BeginArray();
    for (const Tbod& b : body) WritePoint(w, b);
    w.EndArray();
    w.EndObject();
    return w.Text();
}

bool WriteTransformedPoints(const Workspace& ws, bool bodASmernik, const std::string& path,
                            std::string& error) {
    std::vector<Tbod> body;
    if (!Body(ws, bodASmernik, body)) {
        error = "an accuracy figure of the transformed points is not a number; " + path +
                " not written";
        return false;
    }
    Tsouradnice seznam;
    seznam.bod = std::move(body);
    Tnastaveni nastaveni = ws.nastaveni;
    nastaveni.souborVystup.typSouradnice = kFormatXYZ;
    const CoordinateSaveReport r = UlozeniSouboruSOdchylkami(seznam, nastaveni, path);
    error = r.ok ? std::string() : r.message;
    return r.ok;
}

}  // namespace vertano::cli
