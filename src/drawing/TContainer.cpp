#include "drawing/TContainer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace {

QColor Barva(const BarvaRgb& b) {
    return QColor(b.r, b.g, b.b);
}

int Zaokrouhlit(Real v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::lround(std::clamp(v, Real{-1e9}, Real{1e9})));
}

// The picture with a margin that holds any symbol and any label that could
// show: a label sits right of and below its anchor and moves down by at most
// eight lines, so a point, a line or a label wholly outside neither shows nor
// pushes a label that shows. A large network zoomed in paints only what is near.
class Vyrez {
  public:
    Vyrez(const QImage& obrazek, int vyskaRadku) {
        constexpr double kSymbol = 128;  // the largest cross or circle and a wide pen
        constexpr double kPopis = 512;   // the widest label
        x0_ = -kSymbol - kPopis;
        y0_ = -kSymbol - 9.0 * vyskaRadku;
        x1_ = obrazek.width() + kSymbol;
        y1_ = obrazek.height() + kSymbol;
    }
    bool Obsahuje(double x, double y) const { return x >= x0_ && x <= x1_ && y >= y0_ && y <= y1_; }
    // A segment or a box from (ax, ay) to (bx, by) that lies wholly beyond one edge.
    bool Mimo(double ax, double ay, double bx, double by) const {
        return (ax < x0_ && bx < x0_) || (ax > x1_ && bx > x1_) || (ay < y0_ && by < y0_) ||
               (ay > y1_ && by > y1_);
    }

  private:
    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
};

// cos t and sin t of the 41 vertices of an ellipse outline, t = j pi / 20.
const std::array<std::array<Real, 2>, 41>& KruhElipsy() {
    static const std::array<std::array<Real, 2>, 41> kruh = [] {
        std::array<std::array<Real, 2>, 41> k{};
        for (int j = 0; j <= 40; ++j) {
            const Real t = j * kPi / 20;
            k[static_cast<size_t>(j)] = {std::cos(t), std::sin(t)};
        }
        return k;
    }();
    return kruh;
}

// A pen set again costs as much as a new one: the points of a large network
// mostly keep the pen of the one before.
void NastavitPero(QPainter& p, const QPen& pero) {
    if (p.pen() != pero) p.setPen(pero);
}

QPen Pero(const BarvaRgb& barva, int sirka) {
    QPen pero(Barva(barva));
    pero.setWidth(std::max(sirka, 1));
    pero.setCapStyle(Qt::FlatCap);
    pero.setJoinStyle(Qt::MiterJoin);
    return pero;
}

// A range of coordinates too small to divide by counts as 0.1 mm.
Real Rozsah(Real max, Real min) {
    const Real d = max - min;
    return std::fabs(d) <= 1e-4L ? Real{1e-4L} : d;
}

}  // namespace

void TContainer::NastavitVolby(const VolbyKresby& v) {
    TPaintSettings& s = PaintSettings;
    s.PenWidthP = v.tloustkaBod;
    s.PenWidthL = v.tloustkaMereni;
    s.PenWidthE = v.tloustkaElipsa;
    s.PenWidthA = v.tloustkaOsa;
    s.PenWidthS = v.tloustkaMeritko;
    s.ColorF = BarvaPalety(v.barvaFixBod);
    s.ColorA = BarvaPalety(v.barvaVyrBod);
    s.ColorL = BarvaPalety(v.barvaMereni);
    s.ColorB = BarvaPalety(v.barvaPozadi);
    s.ColorE = BarvaPalety(v.barvaElipsa);
    s.FontName = v.pismo;
    const QStringList rodiny = QFontDatabase::families();
    if (v.indexPisma >= 0 && v.indexPisma < rodiny.size())
        s.FontName = rodiny[v.indexPisma].toStdString();
    s.FontSize = v.velikostPisma;
    s.FontBold = v.tucne;
    s.PaintBody = v.kreslitBod;
    s.PaintMere = v.kreslitMereniLinie;
    s.PaintDesc = v.kreslitMereniPopis;
    s.PaintElips = v.kreslitElipsa;
    s.PaintAxes = v.kreslitOsa;
    s.PaintScale = v.kreslitMeritko;
    s.CrossSize = v.krizek;
    s.CircleSize = v.krouzek;
    s.Escale = v.zvetseni;
    if (data != nullptr)
        s.s0 = v.apriorni ? data->odchylkaJednotkovaAprior : data->odchylkaJednotkovaAposterior;
}

int TContainer::PocetBodu() const {
    if (data == nullptr) return 0;
    return std::clamp(data->pocetBodu, 0, static_cast<int32_t>(data->body.size()));
}

TDuoPoint TContainer::CalcCoordLimits() const {
    TDuoPoint d;
    const int n = PocetBodu();
    for (int i = 0; i < n; ++i) {
        const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
        if (i == 0) {
            d.Max = d.Min = {b.X, b.Y};
            continue;
        }
        d.Max = {std::max(d.Max[0], Real(b.X)), std::max(d.Max[1], Real(b.Y))};
        d.Min = {std::min(d.Min[0], Real(b.X)), std::min(d.Min[1], Real(b.Y))};
    }
    return d;
}

// The margins of the default view [px]: 25 around the network, and room for the
// axes cross in the top left corner, the scale bars along the bottom and the
// point numbers, which are written to the right of and below their points.
struct Okraje {
    int vlevo = 25;
    int nahore = 25;
    int vpravo = 25;
    int dole = 25;
};

Okraje OkrajePohledu(const TPaintSettings& s, const TgrafikaData* data, int pocetBodu) {
    Okraje o;
    if (s.PaintAxes) o.nahore = 65;
    if (s.PaintScale) o.dole = s.PaintElips ? 75 : 50;
    if (!s.PaintBody || data == nullptr) return o;
    QFont pismo(QString::fromStdString(s.FontName));
    pismo.setPointSize(std::max(s.FontSize, 1));
    pismo.setBold(s.FontBold);
    const QFontMetrics fm(pismo);
    int sirka = 0;
    for (int i = 0; i < pocetBodu; ++i)
        sirka = std::max(
            sirka,
            fm.horizontalAdvance(QString::fromStdString(data->body[static_cast<size_t>(i)].cislo)));
    const int znak = std::max(s.CrossSize, s.CircleSize) + 2;
    o.vpravo += znak + sirka;
    o.dole = std::max(o.dole, 25 + znak + fm.height());
    return o;
}

void TContainer::CalcDefView() {
    if (Bitmap == nullptr) return;
    const TDuoPoint d = CalcCoordLimits();
    const Okraje o = OkrajePohledu(PaintSettings, data, PocetBodu());
    // A picture too small for the margins falls back to the plain 25 pixels.
    const bool vejdeSe =
        Bitmap->width() - o.vlevo - o.vpravo >= 50 && Bitmap->height() - o.nahore - o.dole >= 50;
    const Okraje m = vejdeSe ? o : Okraje{};
    TransPar.Tx = (d.Max[0] + d.Min[0]) / 2;
    TransPar.Ty = (d.Max[1] + d.Min[1]) / 2;
    const Real mx = (Bitmap->width() - m.vlevo - m.vpravo) / Rozsah(d.Max[0], d.Min[0]);
    const Real my = (Bitmap->height() - m.nahore - m.dole) / Rozsah(d.Max[1], d.Min[1]);
    TransPar.m = my < mx ? my : mx;
    // The middle of the network goes to the middle of the area inside the margins.
    TransPar.txx = (m.vlevo - m.vpravo) / 2.0L;
    TransPar.tyy = (m.nahore - m.dole) / 2.0L;
}

T2DPoint TContainer::CalcPixCoordsXY(const T2DPoint& bod) const {
    const Real w = Bitmap != nullptr ? Bitmap->width() : 0;
    const Real h = Bitmap != nullptr ? Bitmap->height() : 0;
    return {(bod[0] - TransPar.Tx) * TransPar.m + w / 2 + TransPar.txx,
            (bod[1] - TransPar.Ty) * TransPar.m + h / 2 + TransPar.tyy};
}

T2DPoint TContainer::CalcPixCoords(int i) const {
    if (i < 0 || i >= PocetBodu()) return {};
    const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
    return CalcPixCoordsXY({b.X, b.Y});
}

T2DPoint TContainer::DeCalcPicCoords(const T2DPoint& pixel) const {
    const Real w = Bitmap != nullptr ? Bitmap->width() : 0;
    const Real h = Bitmap != nullptr ? Bitmap->height() : 0;
    return {(pixel[0] - w / 2 - TransPar.txx) / TransPar.m + TransPar.Tx,
            (pixel[1] - h / 2 - TransPar.tyy) / TransPar.m + TransPar.Ty};
}

void TContainer::Zoom(Real f) {
    if (Bitmap == nullptr || !(f > 0)) return;
    const T2DPoint stred = {static_cast<Real>(Zaokrouhlit(Bitmap->width() / 2.0L)),
                            static_cast<Real>(Zaokrouhlit(Bitmap->height() / 2.0L))};
    const T2DPoint bod = DeCalcPicCoords(stred);
    TransPar.m *= f;
    TransPar.txx = 0;
    TransPar.tyy = 0;
    const T2DPoint nyni = CalcPixCoordsXY(bod);
    TransPar.txx = stred[0] - nyni[0];
    TransPar.tyy = stred[1] - nyni[1];
}

void TContainer::Trans(int dx, int dy) {
    TransPar.txx += dx;
    TransPar.tyy += dy;
}

void TContainer::Vycentrovat(int i) {
    if (i < 0 || i >= PocetBodu()) return;
    const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
    TransPar.Tx = b.X;
    TransPar.Ty = b.Y;
    TransPar.txx = 0;
    TransPar.tyy = 0;
}

void TContainer::PaintAll() {
    if (Bitmap == nullptr || Bitmap->isNull()) return;
    sirkyPopisu_.clear();
    QPainter p(Bitmap);
    ClearBitmap(p);
    QFont pismo(QString::fromStdString(PaintSettings.FontName));
    pismo.setPointSize(std::max(PaintSettings.FontSize, 1));
    pismo.setBold(PaintSettings.FontBold);
    p.setFont(pismo);
    if (data == nullptr) return;
    if (PaintSettings.PaintMere) PaintMereni(p);
    if (PaintSettings.PaintElips) PaintElipses(p);
    if (PaintSettings.PaintBody) PaintPoints(p);
    if (PaintSettings.PaintAxes) PaintAxes(p);
    if (PaintSettings.PaintScale) PaintScale(p);
}

void TContainer::ClearBitmap(QPainter& p) const {
    p.fillRect(Bitmap->rect(), Barva(PaintSettings.ColorB));
}

void TContainer::Popis(QPainter& p, QPoint kotva, const std::string& text, ObsazenaMista& obsazene,
                       bool jenVolne) const {
    const QFontMetrics fm(p.font());
    const QString t = QString::fromStdString(text);
    // Measuring a text costs more than drawing it; a network repeats its
    // labels ("4:4:4") thousands of times.
    auto sirka = sirkyPopisu_.find(text);
    if (sirka == sirkyPopisu_.end())
        sirka = sirkyPopisu_.emplace(text, fm.horizontalAdvance(t)).first;
    QRect ram(kotva, QSize(sirka->second, fm.height()));
    bool volno = false;
    for (int posun = 0; posun < 8 && !volno; ++posun) {
        volno = obsazene.Volno(ram);
        if (!volno) ram.translate(0, fm.height());
    }
    if (!volno) {
        if (jenVolne) return;
        ram.translate(0, -fm.height());  // the last place tried
    }
    obsazene.Pridat(ram);
    p.drawText(QPoint(ram.left(), ram.top() + fm.ascent()), t);
}

void TContainer::Txt(QPainter& p, int x, int y, const std::string& text) const {
    // No box of the background colour behind the text: it would cut the error
    // ellipses and the lines that pass under a point number.
    const QFontMetrics fm(p.font());
    p.drawText(QPoint(x, y + fm.ascent()), QString::fromStdString(text));
}

std::string TContainer::CreateMereStr(int i) const {
    if (data == nullptr || i < 0 || static_cast<size_t>(i) >= data->mereni.size()) return {};
    return PopisDvojice(data->mereni[static_cast<size_t>(i)]);
}

void TContainer::PaintMereni(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Pero(PaintSettings.ColorL, PaintSettings.PenWidthL));
    const int n = PocetBodu();
    const size_t pocet =
        std::min(static_cast<size_t>(std::max(data->pocetMereni, 0)), data->mereni.size());
    const Vyrez vyrez(*Bitmap, QFontMetrics(p.font()).height());
    for (size_t j = 0; j < pocet; ++j) {
        const TgrafikaZaznam& z = data->mereni[j];
        if (!z.JePlny || z.iStn < 0 || z.iStn >= n || z.iCil < 0 || z.iCil >= n) continue;
        const T2DPoint a = CalcPixCoords(z.iStn);
        const T2DPoint b = CalcPixCoords(z.iCil);
        const QPointF qa(static_cast<double>(a[0]), static_cast<double>(a[1]));
        const QPointF qb(static_cast<double>(b[0]), static_cast<double>(b[1]));
        if (vyrez.Mimo(qa.x(), qa.y(), qb.x(), qb.y())) continue;
        p.drawLine(qa, qb);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
    PaintZvlastni(p);
    if (PaintSettings.PaintDesc) {
        ObsazenaMista popisy;
        for (size_t j = 0; j < pocet; ++j) {
            const TgrafikaZaznam& z = data->mereni[j];
            if (!z.JePlny || z.iStn < 0 || z.iStn >= n || z.iCil < 0 || z.iCil >= n) continue;
            const T2DPoint a = CalcPixCoords(z.iStn);
            const T2DPoint b = CalcPixCoords(z.iCil);
            const QPoint kotva(Zaokrouhlit((a[0] + b[0]) / 2), Zaokrouhlit((a[1] + b[1]) / 2));
            if (!vyrez.Obsahuje(kotva.x(), kotva.y())) continue;
            Popis(p, kotva, CreateMereStr(static_cast<int>(j)), popisy, true);
        }
    }
    p.restore();
}

// An outlier as a dashed red line, an uncontrolled observation as a dashed
// orange one, both a pixel wider than the ordinary lines they lie on.
void TContainer::PaintZvlastni(QPainter& p) const {
    const int n = PocetBodu();
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const DruhSpojnice druh : {DruhSpojnice::Nekontrolovana, DruhSpojnice::Odlehla}) {
        QPen pero = Pero(druh == DruhSpojnice::Odlehla ? kBarvaOdlehle : kBarvaNekontrolovane,
                         PaintSettings.PenWidthL + 1);
        pero.setStyle(Qt::DashLine);
        p.setPen(pero);
        for (const ZvlastniSpojnice& z : zvlastniSpojnice) {
            if (z.druh != druh || z.iStn < 0 || z.iStn >= n || z.iCil < 0 || z.iCil >= n) continue;
            const T2DPoint a = CalcPixCoords(z.iStn);
            const T2DPoint b = CalcPixCoords(z.iCil);
            p.drawLine(QPointF(static_cast<double>(a[0]), static_cast<double>(a[1])),
                       QPointF(static_cast<double>(b[0]), static_cast<double>(b[1])));
        }
    }
    p.restore();
}

int TContainer::BodNaPixelu(int x, int y, int tolerance) const {
    int nejblizsi = -1;
    Real nejmensi = static_cast<Real>(tolerance) * tolerance;
    for (int i = 0; i < PocetBodu(); ++i) {
        const T2DPoint px = CalcPixCoords(i);
        const Real dx = px[0] - x;
        const Real dy = px[1] - y;
        const Real d = dx * dx + dy * dy;
        if (std::isfinite(d) && d <= nejmensi) {
            nejmensi = d;
            nejblizsi = i;
        }
    }
    return nejblizsi;
}

TElipse TContainer::CalcElipse(int i, Real m, Real s0) const {
    TElipse e{};
    if (i < 0 || i >= PocetBodu()) return e;
    const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
    for (int j = 0; j <= 40; ++j) {
        const auto [x, y] = VrcholElipsy(b, j, s0, m);
        e[static_cast<size_t>(2 * j)] = x;
        e[static_cast<size_t>(2 * j + 1)] = y;
    }
    return e;
}

void TContainer::PaintElipse(QPainter& p, int i) const {
    if (i < 0 || i >= PocetBodu()) return;
    const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
    // The vertices of CalcElipse, the point on the axes turned by the bearing
    // rather than through an angle of its own: two sines instead of eighty.
    const Real k = PaintSettings.s0 * PaintSettings.Escale;
    const Real ca = std::cos(b.a_smernik);
    const Real sa = std::sin(b.a_smernik);
    const T2DPoint stred = CalcPixCoordsXY({b.X, b.Y});
    const double polomer =
        static_cast<double>(std::max(std::fabs(b.a_delka), std::fabs(b.b_delka)) * k * TransPar.m);
    const double x = static_cast<double>(stred[0]), y = static_cast<double>(stred[1]);
    const Vyrez vyrez(*Bitmap, 0);
    if (!std::isfinite(polomer) || vyrez.Mimo(x - polomer, y - polomer, x + polomer, y + polomer))
        return;
    const auto& kruh = KruhElipsy();
    std::array<QPointF, 41> obrys;
    for (size_t j = 0; j < kruh.size(); ++j) {
        const Real u = b.a_delka * kruh[j][0];
        const Real v = b.b_delka * kruh[j][1];
        const T2DPoint px =
            CalcPixCoordsXY({b.X + (u * ca - v * sa) * k, b.Y + (u * sa + v * ca) * k});
        obrys[j] = QPointF(static_cast<double>(px[0]), static_cast<double>(px[1]));
    }
    p.drawPolyline(obrys.data(), static_cast<int>(obrys.size()));
}

void TContainer::PaintElipses(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Pero(PaintSettings.ColorE, PaintSettings.PenWidthE));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < PocetBodu(); ++i) {
        if (!data->body[static_cast<size_t>(i)].JeFixni) PaintElipse(p, i);
    }
    p.restore();
}

std::pair<Real, Real> TContainer::CalcExtremeElipse() const {
    Real nejvetsi = 0;
    Real nejmensi = 0;
    bool prvni = true;
    for (int i = 0; i < PocetBodu(); ++i) {
        const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
        if (b.JeFixni) continue;
        const Real a = std::max(b.a_delka, b.b_delka);
        const Real c = std::min(b.a_delka, b.b_delka);
        nejvetsi = prvni ? a : std::max(nejvetsi, a);
        nejmensi = prvni ? c : std::min(nejmensi, c);
        prvni = false;
    }
    return {nejvetsi, nejmensi};
}

QPoint TContainer::PPF(QPainter& p, int x, int y) const {
    const int c = PaintSettings.CrossSize;
    const int r = PaintSettings.CircleSize;
    NastavitPero(p, Pero(PaintSettings.ColorF, PaintSettings.PenWidthP));
    // The circle first, filled with the background, then the cross over it: the
    // centre of a fixed point is marked like that of any other point.
    p.setBrush(Barva(PaintSettings.ColorB));
    p.drawEllipse(QPoint(x, y), r, r);
    p.setBrush(Qt::NoBrush);
    p.drawLine(x, y - c, x, y + c);
    p.drawLine(x - c, y, x + c, y);
    return {x + std::max(c, r) + 2, y + r + 1};
}

QPoint TContainer::PPA(QPainter& p, int x, int y) const {
    const int c = PaintSettings.CrossSize;
    NastavitPero(p, Pero(PaintSettings.ColorA, PaintSettings.PenWidthP));
    p.drawLine(x, y - c, x, y + c);
    p.drawLine(x - c, y, x + c, y);
    return {x + 2, y + 1};
}

void TContainer::PaintPoints(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics fm(p.font());
    const Vyrez vyrez(*Bitmap, fm.height());
    ObsazenaMista popisy;
    for (int i = 0; i < PocetBodu(); ++i) {
        const TgrafikaBod& b = data->body[static_cast<size_t>(i)];
        const T2DPoint px = CalcPixCoords(i);
        const int x = Zaokrouhlit(px[0]);
        const int y = Zaokrouhlit(px[1]);
        if (!vyrez.Obsahuje(x, y)) continue;
        Popis(p, b.JeFixni ? PPF(p, x, y) : PPA(p, x, y), b.cislo, popisy);
        if (b.fixniOsy != FixniOsy::Vse) PaintPartlyFixed(p, x, y, b.fixniOsy);
        if (b.jeNekontrolovany) PaintUncontrolled(p, x, y);
    }
    p.restore();
}

// In the colour of the fixed points: a triangle around a point fixed in plan
// alone, a diamond around one fixed in height alone.
void TContainer::PaintPartlyFixed(QPainter& p, int x, int y, FixniOsy osy) const {
    const int a = std::max(PaintSettings.CrossSize, PaintSettings.CircleSize) + 2;
    p.setPen(Pero(PaintSettings.ColorF, PaintSettings.PenWidthP));
    p.setBrush(Qt::NoBrush);
    if (osy == FixniOsy::Poloha) {
        const QPoint v[] = {{x, y - a - a / 2}, {x + a + a / 3, y + a}, {x - a - a / 3, y + a}};
        p.drawPolygon(v, 3);
    } else {
        const QPoint v[] = {{x, y - a - 1}, {x + a + 1, y}, {x, y + a + 1}, {x - a - 1, y}};
        p.drawPolygon(v, 4);
    }
}

// A red square around the symbol of a side shot or of a point depending on
// uncontrolled observations: a gross error in its measurements cannot be found.
void TContainer::PaintUncontrolled(QPainter& p, int x, int y) const {
    const int a = std::max(PaintSettings.CrossSize, PaintSettings.CircleSize) + 3;
    p.setPen(Pero(BarvaRgb{255, 0, 0}, PaintSettings.PenWidthP + 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(x - a, y - a, 2 * a, 2 * a);
}

BarvaRgb TContainer::BarvaOsy() const {
    const BarvaRgb& b = PaintSettings.ColorB;
    const int svetlost = (std::max({b.r, b.g, b.b}) + std::min({b.r, b.g, b.b})) / 2;
    return svetlost > 126 ? BarvaPalety(barva::kCerna) : BarvaPalety(barva::kBila);
}

void TContainer::PaintAxes(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Pero(BarvaOsy(), PaintSettings.PenWidthA));
    p.drawLine(10, 10, 50, 10);
    p.drawLine(35, 5, 50, 10);
    p.drawLine(35, 15, 50, 10);
    p.drawLine(10, 10, 10, 50);
    p.drawLine(5, 35, 10, 50);
    p.drawLine(15, 35, 10, 50);
    const bool geodeticky = PaintSettings.AxesType;
    Txt(p, 55, 10 - QFontMetrics(p.font()).height() / 2, geodeticky ? "+X" : "+Y");
    Txt(p, 10 - QFontMetrics(p.font()).horizontalAdvance("+") / 2, 55, geodeticky ? "+Y" : "+X");
    p.restore();
}

void TContainer::ScaleBar(QPainter& p, int y0, Real pixelyNaJednotku, Real faktor,
                          const std::string& jednotka) const {
    const int x0 = 15;
    const int w = Bitmap->width();
    const int petina = Zaokrouhlit(w / 5.0L);
    Real s = (w / 5.0L) / pixelyNaJednotku;
    if (!std::isfinite(s) || s < 1) s = 1;
    s = Pow10(static_cast<int>(std::lround(Log(s) / Log(10))));
    int g = Zaokrouhlit(s * pixelyNaJednotku);
    while (g > petina) {
        s = static_cast<Real>(static_cast<int64_t>(std::llround(s)) / 2);
        g = Zaokrouhlit(s * pixelyNaJednotku);
    }
    p.drawLine(x0, y0 - 5, x0, y0 + 5);
    p.drawLine(x0, y0, x0 + g, y0);
    p.drawLine(x0 + g, y0 + 5, x0 + g, y0 - 5);
    for (int i = 1; i <= 4; ++i) {
        const int x = x0 + Zaokrouhlit(g * i / 5.0L);
        p.drawLine(x, y0 - 5, x, y0 + 5);
    }
    if (s != 0) {
        const QFontMetrics fm(p.font());
        Txt(p, x0 + g + 5, y0 - fm.height() / 2, FormatGeneral(s * faktor) + " " + jednotka);
    }
}

void TContainer::PaintScale(QPainter& p) const {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Pero(BarvaOsy(), PaintSettings.PenWidthS));
    const bool stopy = PaintSettings.UnitType == 1;
    const Real k = stopy ? 1 / 0.3048L : 1;
    const int y0 = Bitmap->height() - 15;
    ScaleBar(p, y0, TransPar.m / k, 1, stopy ? "ft" : "m");
    if (PaintSettings.PaintElips) {
        const Real r = stopy ? 0.001L / 0.3048L * 864 : 1;
        Real px = TransPar.m / r * PaintSettings.Escale / 1000;
        Real faktor = 1;
        if (CalcExtremeElipse().first * r < 0.001L) {
            px /= 10;
            faktor = 0.1L;
        }
        ScaleBar(p, y0 - 25, px, faktor, stopy ? "pt" : "mm");
    }
    p.restore();
}

bool JeFormatObrazku(const std::string& cesta) {
    const std::string s = AsciiLower(cesta);
    for (const char* pripona : {".png", ".bmp", ".jpg", ".jpeg"}) {
        const std::string p(pripona);
        if (s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0) return true;
    }
    return false;
}

bool UlozitObrazek(const QImage& obrazek, const std::string& cesta, std::string& chyba) {
    const std::string s = AsciiLower(cesta);
    const auto konci = [&](const char* p) {
        const std::string x(p);
        return s.size() >= x.size() && s.compare(s.size() - x.size(), x.size(), x) == 0;
    };
    const char* format = konci(".png")                     ? "png"
                         : konci(".bmp")                   ? "bmp"
                         : konci(".jpg") || konci(".jpeg") ? "jpeg"
                                                           : nullptr;
    if (format == nullptr) {
        chyba = "Cannot save " + cesta + ": the extension must be .png, .bmp or .jpg";
        return false;
    }
    if (obrazek.isNull()) {
        chyba = "Cannot save " + cesta + ": there is no picture";
        return false;
    }
    QByteArray bajty;
    QBuffer buffer(&bajty);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter zapis(&buffer, format);
    const QImage rgb = obrazek.convertToFormat(QImage::Format_RGB888);
    if (!zapis.write(rgb)) {
        chyba = "Cannot save " + cesta + ": " + zapis.errorString().toStdString();
        return false;
    }
    return SaveBinaryFile(
        cesta, std::string_view(bajty.constData(), static_cast<size_t>(bajty.size())), chyba);
}

}  // namespace vertano
