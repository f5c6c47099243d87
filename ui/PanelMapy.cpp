#include "PanelMapy.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <array>

#include "DesktopTexts.h"
#include "FormatBunek.h"
#include "OknaVysledku.h"
#include "Texty.h"
#include "drawing/TContainer.h"
#include "workspace/MapaSite.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

QColor Barva(const BarvaRgb& b) {
    return QColor(b.r, b.g, b.b);
}

// A sample of a line or a mark of the map for the legend.
QLabel* Vzorek(QWidget* rodic, const QColor& barva, Qt::PenStyle styl, bool ctverec) {
    QPixmap p(28, 14);
    p.fill(Qt::white);
    QPainter malir(&p);
    QPen pero(barva, 2, styl);
    malir.setPen(pero);
    if (ctverec) {
        malir.drawRect(8, 1, 11, 11);
    } else {
        malir.drawLine(1, 7, 27, 7);
    }
    malir.end();
    auto* l = new QLabel(rodic);
    l->setPixmap(p);
    return l;
}

QString Html(const QString& text) {
    return text.toHtmlEscaped();
}

bool JeUhel(Velicina typ) {
    return typ == Velicina::Smer || typ == Velicina::Zenit || typ == Velicina::DoplnekSmernik;
}

}  // namespace

PanelMapy::PanelMapy(QWidget* rodic, const Workspace& ws) : QWidget(rodic), ws_(ws) {
    setObjectName("panelMapy");
    const DesktopTexts& d = TextyPlochy(ws_.nastaveni.typJazyk);
    auto* sloupec = new QVBoxLayout(this);
    sloupec->setContentsMargins(0, 0, 0, 0);

    auto* radek = new QHBoxLayout;
    hledani_ = new QLineEdit(this);
    hledani_->setObjectName("hledaniBodu");
    hledani_->setPlaceholderText(d.findPointHint);
    hledani_->setClearButtonEnabled(true);
    najit_ = new QPushButton(d.findPoint, this);
    najit_->setAutoDefault(false);
    radek->addWidget(hledani_, 1);
    radek->addWidget(najit_);
    sloupec->addLayout(radek);
    zprava_ = new QLabel(this);
    zprava_->setObjectName("zpravaHledani");
    zprava_->setStyleSheet("color: #c00000;");
    zprava_->setWordWrap(true);
    zprava_->hide();
    sloupec->addWidget(zprava_);

    auto* skupina = new QGroupBox(d.details, this);
    auto* s = new QVBoxLayout(skupina);
    informace_ = new QTextBrowser(skupina);
    informace_->setObjectName("informaceBodu");
    informace_->setOpenLinks(false);
    s->addWidget(informace_);
    sloupec->addWidget(skupina, 1);

    auto* legenda = new QGroupBox(d.legend, this);
    auto* g = new QGridLayout(legenda);
    g->setVerticalSpacing(2);
    const auto polozka = [&](int r, QLabel* vzorek, const QString& text) {
        g->addWidget(vzorek, r, 0);
        g->addWidget(new QLabel(text, legenda), r, 1);
    };
    polozka(0, Vzorek(legenda, Barva(kBarvaOdlehle), Qt::DashLine, false), d.legendOutlier);
    polozka(1, Vzorek(legenda, Barva(kBarvaNekontrolovane), Qt::DashLine, false),
            d.legendUncontrolled);
    polozka(2, Vzorek(legenda, QColor(255, 0, 0), Qt::SolidLine, true), d.legendSideShot);
    polozka(3, Vzorek(legenda, QColor(255, 0, 255), Qt::SolidLine, false), d.legendSelected);
    g->setColumnStretch(1, 1);
    sloupec->addWidget(legenda);

    connect(najit_, &QPushButton::clicked, this, [this] { emit hledat(hledani_->text()); });
    connect(hledani_, &QLineEdit::returnPressed, this, [this] { emit hledat(hledani_->text()); });
    Vychozi();
}

void PanelMapy::ZacitHledani() {
    hledani_->setFocus(Qt::ShortcutFocusReason);
    hledani_->selectAll();
}

void PanelMapy::NastavitZpravu(const QString& text) {
    zprava_->setText(text);
    zprava_->setVisible(!text.isEmpty());
}

void PanelMapy::Vychozi() {
    informace_->setHtml("<p>" + Html(TextyPlochy(ws_.nastaveni.typJazyk).mapHint) + "</p>");
}

void PanelMapy::ZobrazitRadek(const QString& popis) {
    const DesktopTexts& d = TextyPlochy(ws_.nastaveni.typJazyk);
    QString html =
        "<p><b>" + Html(d.selectedRows) + "</b></p><table cellspacing='0' cellpadding='1'>";
    for (const QString& radek : popis.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype dvojtecka = radek.lastIndexOf(": ");
        html += "<tr><td>" + Html(radek.left(dvojtecka)) + "</td><td align='right'>&nbsp;" +
                Html(radek.mid(dvojtecka + 2)) + "</td></tr>";
    }
    informace_->setHtml(html + "</table>");
}

void PanelMapy::ZobrazitBod(const QString& cislo, const BodMapy* bod) {
    const DesktopTexts& d = TextyPlochy(ws_.nastaveni.typJazyk);
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
    QString html = "<p><b style='font-size:large'>" + Html(cislo) + "</b>";
    if (bod == nullptr) {
        informace_->setHtml(html + "</p><p>" + Html(d.noResults) + "</p>");
        return;
    }
    const Tbod& b = bod->bod;
    if (b.JeFixni) html += " &nbsp;(" + Html(d.fixedPoint) + ")";
    html += "</p>";
    if (bod->jeNekontrolovany) html += "<p style='color:#c00000'>" + Html(d.sideShot) + "</p>";
    const FormatBunek f(ws_.nastaveni);
    // The coordinates in the order of the settings, each with its deviation.
    const bool yPrvni = ws_.nastaveni.jednotky.poradiSouradnice == 1;
    struct Osa {
        QString nazev;
        Real hodnota, odchylka;
    };
    const Osa x{Q(p.x), b.X, b.Presnost().sig_X};
    const Osa y{Q(p.y), b.Y, b.Presnost().sig_Y};
    const Osa z{Q(p.z), b.Z, b.Presnost().sig_Z};
    html += "<table cellspacing='0' cellpadding='1'><tr><td></td><td align='right'>" +
            Html(Q(p.souradnice)) + Html(Jednotka(u.x_hodnota)) +
            "</td><td align='right'>&nbsp;&sigma;" + Html(Jednotka(u.x_odchylka)) + "</td></tr>";
    for (const Osa& o : yPrvni ? std::array<Osa, 3>{y, x, z} : std::array<Osa, 3>{x, y, z}) {
        html += "<tr><td><b>" + Html(o.nazev) + "</b></td><td align='right'>&nbsp;" +
                f.Souradnice(o.hodnota) + "</td><td align='right'>&nbsp;" +
                (b.JeFixni ? QString() : f.SouradniceOdchylka(o.odchylka)) + "</td></tr>";
    }
    html += "</table>";
    if (!b.JeFixni) {
        html += "<p><b>" + Html(d.ellipse) + "</b><br>" + d.semiAxisA + " = " +
                f.SouradniceOdchylka(b.Presnost().elipsa.a_delka) + Html(Jednotka(u.x_odchylka)) +
                ", &nbsp;" + d.semiAxisB + " = " +
                f.SouradniceOdchylka(b.Presnost().elipsa.b_delka) + Html(Jednotka(u.x_odchylka)) +
                "<br>" + Html(d.bearingA) + " = " + f.Uhel(b.Presnost().elipsa.a_smernik) +
                Html(Jednotka(u.smer_hodnota)) + "</p>";
    }
    if (bod->mereni.empty()) {
        informace_->setHtml(html);
        return;
    }
    // Grouped by kind, the unit in the kind's line: the rows stay short enough
    // for the panel.
    html += "<p><b>" + Html(d.observations) + "</b></p><table cellspacing='0' cellpadding='1'>";
    // v the residual, v/σv the normed residual (Normed residual in the tables).
    html +=
        "<tr><td></td><td align='right'>&nbsp;v</td><td align='right' nowrap>&nbsp;v/&sigma;"
        "<sub>v</sub></td><td></td></tr>";
    Velicina druh = Velicina::Zadna;
    for (const MereniBodu& m : bod->mereni) {
        const TmerenaVelicina& z = m.z;
        const bool uhel = JeUhel(z.typ);
        if (z.typ != druh) {
            druh = z.typ;
            html += "<tr><td colspan='4'><i>" + Html(NazevDruhu(ws_, z.typ)) +
                    Html(Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota)) + "</i></td></tr>";
        }
        const QString smer =
            Q(z.cislo_stn) + (z.cislo_cil.empty() ? QString() : " → " + Q(z.cislo_cil));
        QString znacka;
        QString barva;
        if (m.jeOdlehle) {
            znacka = d.outlier;
            barva = " style='color:#c00000'";
        } else if (z.jeNekontrolovane) {
            znacka = d.uncontrolled;
            barva = " style='color:#c06000'";
        }
        html += "<tr" + barva + "><td nowrap>" + Html(smer) + "</td><td align='right'>&nbsp;" +
                f.Hodnota(uhel, z.oprava) + "</td><td align='right'>&nbsp;" +
                FormatBunek::Statistika(z.normOprava) + "</td><td>&nbsp;" + Html(znacka) +
                "</td></tr>";
    }
    informace_->setHtml(html + "</table>");
}

}  // namespace vertano::ui
