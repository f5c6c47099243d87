#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>

#include "NastaveniDialogy.h"
#include "Texty.h"
#include "workspace/Workspace.h"
#include "workspace/ZmenyNastaveni.h"

namespace vertano::ui {

namespace {

QStringList Cisla(int od, int po) {
    QStringList polozky;
    for (int i = od; i <= po; ++i) polozky << QString::number(i);
    return polozky;
}

// The axes of the coordinate system: geodetic X up (north) and Y to the right,
// mathematical X to the right and Y up.
QPixmap Osy(bool geodeticky, const QFont& pismo) {
    const int velikost = 72;
    QPixmap obrazek(velikost, velikost);
    obrazek.fill(Qt::white);
    QPainter p(&obrazek);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(pismo);
    p.setPen(QPen(Qt::black, 2));
    const QPoint pocatek(16, velikost - 16);
    const QPoint nahoru(16, 8);
    const QPoint vpravo(velikost - 8, velikost - 16);
    p.drawLine(pocatek, nahoru);
    p.drawLine(pocatek, vpravo);
    p.drawLine(nahoru, nahoru + QPoint(-4, 7));
    p.drawLine(nahoru, nahoru + QPoint(4, 7));
    p.drawLine(vpravo, vpravo + QPoint(-7, -4));
    p.drawLine(vpravo, vpravo + QPoint(-7, 4));
    const QFontMetrics fm(pismo);
    p.drawText(QPoint(24, 8 + fm.ascent()), geodeticky ? "X" : "Y");
    p.drawText(QPoint(velikost - 8 - fm.horizontalAdvance("X"), velikost - 16 - 6),
               geodeticky ? "Y" : "X");
    return obrazek;
}

}  // namespace

NastaveniJednotkyOkno::NastaveniJednotkyOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws,
                    Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.tlacitko.jednotky)) {
    nastaveni::Tjednotky& j = ws_.nastaveni.jednotky;
    nastaveni::Tpresnost& p = ws_.nastaveni.presnost;
    const jazyk::Tpopis& t = ws_.jazyk.popis;
    const QStringList uhly = {"rad/mrad", "gon/mgon", "deg/mdeg", "dms/sec"};
    const QStringList delky = {"m/mm", "ft/pt"};
    Nadpis(Q(ws_.jazyk.tlacitko.jednotky));
    Vyber(Q(t.uhloveVeliciny), "jednotky.uhel", uhly, j.uhel,
          [&j](int i) { j.uhel = static_cast<uint8_t>(i); });
    Vyber(Q(t.delkoveVeliciny), "jednotky.delka", delky, j.delka,
          [&j](int i) { j.delka = static_cast<uint8_t>(i); });
    Vyber(Q(t.souradnice), "jednotky.souradnice", delky, j.souradnice,
          [&j](int i) { j.souradnice = static_cast<uint8_t>(i); });
    Nadpis(Q(t.zaokrouhlovani) + " (" + Q(t.hodnota) + "/" + Q(t.smerOdchylka) + ")");
    const QStringList desetiny = Cisla(0, 10);
    const auto bajt = [](uint8_t& pole) {
        return [&pole](int i) { pole = static_cast<uint8_t>(i); };
    };
    DvaVybery(Q(t.uhloveVeliciny), "presnost.uhel.hodnota", "presnost.uhel.odchylka", desetiny,
              p.uhel.hodnota, p.uhel.odchylka, bajt(p.uhel.hodnota), bajt(p.uhel.odchylka));
    DvaVybery(Q(t.delkoveVeliciny), "presnost.delka.hodnota", "presnost.delka.odchylka", desetiny,
              p.delka.hodnota, p.delka.odchylka, bajt(p.delka.hodnota), bajt(p.delka.odchylka));
    DvaVybery(Q(t.souradnice), "presnost.souradnice.hodnota", "presnost.souradnice.odchylka",
              desetiny, p.souradnice.hodnota, p.souradnice.odchylka, bajt(p.souradnice.hodnota),
              bajt(p.souradnice.odchylka));
    Vyber(Q(t.meritkovyKoeficient), "presnost.meritko", Cisla(0, 14), p.meritko, bajt(p.meritko));
    Nadpis(Q(t.souradSystem));
    QComboBox* system =
        Vyber(Q(t.souradSystem), "jednotky.souradnicovySystem", {Q(t.geodeticky), Q(t.matematicky)},
              j.souradnicovySystem ? 0 : 1, [&j](int i) { j.souradnicovySystem = i == 0; });
    auto* osy = new QLabel(this);
    osy->setObjectName("osy");
    osy->setPixmap(Osy(j.souradnicovySystem, font()));
    Widget(osy);
    connect(system, &QComboBox::currentIndexChanged, osy,
            [this, osy](int i) { osy->setPixmap(Osy(i == 0, font())); });
    Nadpis(Q(t.zobrazeni));
    Vyber(Q(t.souradnice), "jednotky.poradiSouradnice", {"XYZ", "YXZ"}, j.poradiSouradnice,
          bajt(j.poradiSouradnice));
    Dokoncit();
}

void NastaveniJednotkyOkno::PoUlozeni(unsigned) {
    PoZmeneJednotek(ws_);
}

}  // namespace vertano::ui
