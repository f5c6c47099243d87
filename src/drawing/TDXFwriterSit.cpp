#include "drawing/TDXFwriterSit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"

namespace vertano {

namespace {

size_t PocetBodu(const TgrafikaData& d) {
    return static_cast<size_t>(
        std::clamp<int64_t>(d.pocetBodu, 0, static_cast<int64_t>(d.body.size())));
}

size_t PocetZaznamu(const TgrafikaData& d) {
    return static_cast<size_t>(
        std::clamp<int64_t>(d.pocetMereni, 0, static_cast<int64_t>(d.mereni.size())));
}

bool PlatnyZaznam(const TgrafikaData& d, const TgrafikaZaznam& z) {
    const auto n = static_cast<int32_t>(PocetBodu(d));
    return z.JePlny && z.iStn >= 0 && z.iStn < n && z.iCil >= 0 && z.iCil < n;
}

// Values that are not finite would give entities no CAD program reads.
bool KonecnaData(const TgrafikaData& d) {
    for (size_t i = 0; i < PocetBodu(d); ++i) {
        const TgrafikaBod& b = d.body[i];
        for (const Real v : {b.X, b.Y, b.a_delka, b.b_delka, b.a_smernik})
            if (!std::isfinite(v)) return false;
    }
    return std::isfinite(d.odchylkaJednotkovaAprior) &&
           std::isfinite(d.odchylkaJednotkovaAposterior);
}

}  // namespace

TDXFwriterSit::TDXFwriterSit() {
    DefineLayers();
}

void TDXFwriterSit::DefineLayers() {
    layersnum = dxfVrstva::kPocet;
    layers = {
        {{"0", "0"}, "7", true},
        {{"BodVyr_Bod", "PointAdj_Point"}, "3", true},
        {{"BodVyr_Znak", "PointAdj_Mark"}, "3", true},
        {{"BodVyr_Cislo", "PointAdj_Number"}, "3", true},
        {{"BodFix_Bod", "PointFix_Point"}, "2", true},
        {{"BodFix_Znak", "PointFix_Mark"}, "2", true},
        {{"BodFix_Cislo", "PointFix_Number"}, "2", true},
        {{"Mereni_Linie", "Meas_Line"}, "9", true},
        {{"Mereni_Popis", "Meas_Descr"}, "9", true},
        {{"ElipsaChyb_Apri", "ErrElips_Apri"}, "1", true},
        {{"ElipsaChyb_Apos", "ErrElips_Apos"}, "5", true},
        {{"Nekontrolovane", "Uncontrolled"}, "1", true},
    };
}

void TDXFwriterSit::PointSizeCalc() {
    const size_t n = PocetBodu(*data);
    maxX = minX = n > 0 ? Real(data->body[0].X) : Real{0};
    maxY = minY = n > 0 ? Real(data->body[0].Y) : Real{0};
    for (size_t i = 0; i < n; ++i) {
        const TgrafikaBod& b = data->body[i];
        maxX = std::max(maxX, Real(b.X));
        minX = std::min(minX, Real(b.X));
        maxY = std::max(maxY, Real(b.Y));
        minY = std::min(minY, Real(b.Y));
    }
    const Real dX = maxX - minX;
    const Real dY = maxY - minY;
    del = dY > dX ? dY : dX;
    PointSize = 0.005L * del;
}

void TDXFwriterSit::WritePoints() {
    const size_t n = PocetBodu(*data);
    for (size_t i = 0; i < n; ++i) {
        const TgrafikaBod& b = data->body[i];
        if (b.JeFixni)
            FixPointPaint(b.X, b.Y, b.cislo);
        else
            AdjPointPaint(b.X, b.Y, b.cislo);
        if (b.fixniOsy != FixniOsy::Vse) PartlyFixedMark(b.X, b.Y, b.fixniOsy);
        if (b.jeNekontrolovany) UncontrolledMark(b.X, b.Y);
    }
}

// On the layer of the fixed points' marks: a triangle around a point fixed in
// plan alone, a diamond around one fixed in height alone.
void TDXFwriterSit::PartlyFixedMark(Real x, Real y, FixniOsy osy) {
    const Real u = -y;
    const Real v = -x;
    const Real p = 1.3L * PointSize;
    const std::string z = "0";
    const std::string& vrstva = LayerName(dxfVrstva::kFixZnak);
    PLineStart(vrstva);
    if (osy == FixniOsy::Poloha) {
        for (const auto& [du, dv] :
             {std::pair{Real(0), 1.5L * p}, {1.3L * p, -p}, {-1.3L * p, -p}, {Real(0), 1.5L * p}})
            PLineVertex(FtSf(u + du), FtSf(v + dv), z, vrstva);
    } else {
        for (const auto& [du, dv] :
             {std::pair{Real(0), p}, {p, Real(0)}, {Real(0), -p}, {-p, Real(0)}, {Real(0), p}})
            PLineVertex(FtSf(u + du), FtSf(v + dv), z, vrstva);
    }
    PLineEnd();
}

// A square around the symbol: no other point is drawn with one.
void TDXFwriterSit::UncontrolledMark(Real x, Real y) {
    const Real u = -y;
    const Real v = -x;
    const Real p = 1.5L * PointSize;
    const std::string z = "0";
    const std::string& vrstva = LayerName(dxfVrstva::kNekontrolovany);
    PLineStart(vrstva);
    for (const auto& [du, dv] : {std::pair{-p, -p}, {p, -p}, {p, p}, {-p, p}, {-p, -p}})
        PLineVertex(FtSf(u + du), FtSf(v + dv), z, vrstva);
    PLineEnd();
}

void TDXFwriterSit::WriteMeasLines() {
    for (size_t j = 0; j < PocetZaznamu(*data); ++j) {
        const TgrafikaZaznam& z = data->mereni[j];
        if (!PlatnyZaznam(*data, z)) continue;
        const TgrafikaBod& a = data->body[static_cast<size_t>(z.iStn)];
        const TgrafikaBod& b = data->body[static_cast<size_t>(z.iCil)];
        Line(FtSf(-a.Y), FtSf(-a.X), "0", FtSf(-b.Y), FtSf(-b.X), "0",
             LayerName(dxfVrstva::kMereniLinie));
    }
}

void TDXFwriterSit::WriteMeasDescr() {
    for (size_t j = 0; j < PocetZaznamu(*data); ++j) {
        const TgrafikaZaznam& z = data->mereni[j];
        if (!PlatnyZaznam(*data, z)) continue;
        const TgrafikaBod& a = data->body[static_cast<size_t>(z.iStn)];
        const TgrafikaBod& b = data->body[static_cast<size_t>(z.iCil)];
        const Real x = (a.X + b.X) / 2;
        const Real y = (a.Y + b.Y) / 2;
        Text(FtSf(-y), FtSf(-x), "0", LayerName(dxfVrstva::kMereniPopis), FtSf(PointSize),
             CreateMereStr(static_cast<int>(j)));
    }
}

void TDXFwriterSit::Ellipse(int i, int vrstva) {
    const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
    const Real s = vrstva == dxfVrstva::kElipsaApri ? data->odchylkaJednotkovaAprior
                                                    : data->odchylkaJednotkovaAposterior;
    const std::string& layer = LayerName(vrstva);
    PLineStart(layer);
    for (int j = 0; j <= 40; ++j) {
        const auto [X, Y] = VrcholElipsy(b, j, s, Scale);
        PLineVertex(FtSf(-Y), FtSf(-X), "0", layer);
    }
    PLineEnd();
}

void TDXFwriterSit::WriteEllipses() {
    const size_t n = PocetBodu(*data);
    for (size_t i = 0; i < n; ++i) {
        if (data->body[i].JeFixni) continue;
        Ellipse(static_cast<int>(i), dxfVrstva::kElipsaApri);
        Ellipse(static_cast<int>(i), dxfVrstva::kElipsaApos);
    }
}

void TDXFwriterSit::WriteDrawing() {
    section();
    Entities();
    WritePoints();
    WriteMeasLines();
    WriteMeasDescr();
    WriteEllipses();
    EndSec();
}

std::string TDXFwriterSit::CreateMereStr(int i) const {
    if (data == nullptr || i < 0 || static_cast<size_t>(i) >= data->mereni.size()) return {};
    return PopisDvojice(data->mereni[static_cast<size_t>(i)]);
}

bool TDXFwriterSit::createdxf(std::string& chyba) {
    if (data == nullptr || PocetBodu(*data) == 0) {
        chyba = "Cannot save " + filename + ": the drawing has no point";
        return false;
    }
    if (!fileopen()) {
        chyba = "Cannot save " + filename;
        return false;
    }
    if (!KonecnaData(*data) || !std::isfinite(Scale)) {
        chyba = "Cannot save " + filename + ": a value of the drawing is not a number";
        return false;
    }
    const FpGuard guard;
    PointSizeCalc();
    const bool nekontrolovane = std::any_of(
        data->body.begin(), data->body.begin() + static_cast<std::ptrdiff_t>(PocetBodu(*data)),
        [](const TgrafikaBod& b) { return b.jeNekontrolovany; });
    layersnum = nekontrolovane ? dxfVrstva::kNekontrolovany + 1 : dxfVrstva::kPocet;
    WriteTables();
    WriteDrawing();
    Seceof();
    return fileclose(chyba);
}

bool ExportovatDXF(const TgrafikaData& data, bool souradnicovySystem, const VolbyKresby& volby,
                   int jazyk, const std::filesystem::path& cesta, std::string& chyba) {
    TgrafikaData kopie;
    kopie.KopirujDXF(data, souradnicovySystem);
    TDXFwriterSit w;
    w.ConnectData(kopie);
    using namespace dxfVrstva;
    const auto barvy = [&](int od, int po, uint8_t paleta, bool viditelna) {
        for (int k = od; k <= po; ++k) {
            w.layers[static_cast<size_t>(k)].color = w.ConvertColor(paleta);
            w.layers[static_cast<size_t>(k)].visible = viditelna;
        }
    };
    barvy(kVyrBod, kVyrCislo, volby.barvaVyrBod, volby.kreslitBod);
    barvy(kFixBod, kFixCislo, volby.barvaFixBod, volby.kreslitBod);
    barvy(kMereniLinie, kMereniLinie, volby.barvaMereni, volby.kreslitMereniLinie);
    barvy(kMereniPopis, kMereniPopis, volby.barvaMereni, volby.kreslitMereniPopis);
    barvy(kElipsaApri, kElipsaApri, volby.barvaElipsa, volby.kreslitElipsa && volby.apriorni);
    barvy(kElipsaApos, kElipsaApos, volby.barvaElipsa, volby.kreslitElipsa && !volby.apriorni);
    w.Scale = volby.zvetseni;
    w.lang = jazyk == 1 ? 1 : 0;
    const std::string zvetseni = "_" + FormatGeneral(volby.zvetseni);
    for (const int k : {kElipsaApri, kElipsaApos})
        w.layers[static_cast<size_t>(k)].name[static_cast<size_t>(w.lang)] += zvetseni;
    w.filename = cesta.string();
    return w.createdxf(chyba);
}

}  // namespace vertano
