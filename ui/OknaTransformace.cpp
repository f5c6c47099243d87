#include "OknaTransformace.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Dialogy.h"
#include "FormatBunek.h"
#include "OknaVysledku.h"
#include "OknoInformace.h"
#include "OknoKresby.h"
#include "OknoMatice.h"
#include "Texty.h"
#include "adjustment/VysledekSite.h"
#include "reports/ProtokolTransformace.h"
#include "reports/Tprotokol.h"
#include "transformation/TsouradnicovaVelicina.h"
#include "transformation/VysledekModeluTransformace.h"
#include "workspace/Protokoly.h"
#include "workspace/SeznamyVstupu.h"
#include "workspace/VystupySite.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano::ui {

namespace {

const TmodelTransformacePrevod& Prevod(const Workspace& ws, bool bodASmernik) {
    return bodASmernik ? ws.prevodBodASmernik : ws.prevodSVyrovnanim;
}

bool JeTransformovano(const Workspace& ws, bool bodASmernik) {
    return bodASmernik ? ws.state.Current(Step::PointAndBearing)
                       : ws.state.Current(Step::TransformationWithAdjustment);
}

// The transformed points for display, the deviations for the network's a
// priori or a posteriori unit standard deviation; empty when not current.
std::vector<Tbod> Transformovane(const Workspace& ws, bool bodASmernik, bool apriori) {
    std::vector<Tbod> body;
    if (!JeTransformovano(ws, bodASmernik)) return body;
    const VysledekSite m = ws.modelVyrovnany.Vysledek();
    const Real k = apriori ? m.OdchylkaJednotkovaAprior() : m.OdchylkaJednotkovaAposterior();
    if (!ZobrazitBody(Prevod(ws, bodASmernik).Souradnice(), k, body)) body.clear();
    return body;
}

QString NazevOsy(const Workspace& ws, Osa osa) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    return Q(ws.jazyk.tlacitko.souradnice2) + " " +
           Q(osa == Osa::X   ? p.x
             : osa == Osa::Y ? p.y
                             : p.z);
}

std::vector<TsouradnicovaVelicina> Plne(const TvektorSouradnice& v) {
    std::vector<TsouradnicovaVelicina> plne;
    for (const TsouradnicovaVelicina& z : v.zaznam) {
        if (z.jePlny) plne.push_back(z);
    }
    return plne;
}

using Vektor = std::shared_ptr<const std::vector<TsouradnicovaVelicina>>;

const TsouradnicovaVelicina& Prvek(const Vektor& v, int i) {
    return (*v)[static_cast<std::size_t>(i)];
}

// The X and Y axes in the order of the settings, then Z.
std::array<Osa, 3> Osy(const Tnastaveni& n) {
    return n.jednotky.poradiSouradnice == 1 ? std::array<Osa, 3>{Osa::Y, Osa::X, Osa::Z}
                                            : std::array<Osa, 3>{Osa::X, Osa::Y, Osa::Z};
}

std::vector<InfoSkupina> Bezpecne(const std::function<std::vector<InfoSkupina>()>& f) {
    try {
        return f();
    } catch (const std::exception&) {
        return {};  // a value that cannot be shown: an empty window, no crash
    }
}

}  // namespace

std::unique_ptr<OknoSeznamu> OknoIdentickychBodu(QWidget* rodic, Workspace& ws) {
    std::vector<Tbod> body;
    if (ws.state.Current(Step::TransformationAnalysis)) body = IdentickeVystup(ws).bod;
    return OknoBodu(rodic, ws, Q(ws.jazyk.nadpis.souradniceIdentickychBodu), std::move(body),
                    DruhSouradnic::Hodnoty);
}

std::unique_ptr<OknoSeznamu> OknoOdchylekTransformace(QWidget* rodic, Workspace& ws,
                                                      bool bodASmernik, bool apriori) {
    const jazyk::Tnadpis& n = ws.jazyk.nadpis;
    std::vector<Tbod> urcovane;
    for (const Tbod& b : Transformovane(ws, bodASmernik, apriori)) {
        if (b.JePlny && !b.JeFixni) urcovane.push_back(b);
    }
    return OknoBodu(rodic, ws,
                    Q(apriori ? n.smerOdchylkyApriorTransSour : n.smerOdchylkyAposteriorTransSour),
                    std::move(urcovane), DruhSouradnic::Odchylky);
}

std::unique_ptr<OknoSeznamu> OknoElipsoiduTransformace(QWidget* rodic, Workspace& ws,
                                                       bool bodASmernik, bool apriori) {
    const jazyk::Tnadpis& n = ws.jazyk.nadpis;
    return OknoElipsoidu(rodic, ws,
                         Q(apriori ? n.elipsoidApriorTransSour : n.elipsoidAposterioTransSour),
                         Transformovane(ws, bodASmernik, apriori));
}

std::unique_ptr<OknoSeznamu> OknoOpravIdentickych(QWidget* rodic, Workspace& ws, bool odlehle) {
    const Tjazyk& j = ws.jazyk;
    Tsouradnice opravy;
    const TmodelTransformaceVyrovnani& o = ws.modelTransformaceOdlehly;
    if (ws.state.Current(Step::TransformationWithAdjustment)) {
        if (odlehle) {
            o.OpravyOdlehle2Souradnice(opravy);
        } else {
            ws.modelTransformace.OpravyVyrovnane2Souradnice(opravy, o,
                                                            ws.nastaveni.VylucovatOdlehleTrans());
        }
    }
    // A rejected coordinate: deviation 0 (outliers) or -2 (all residuals).
    const Real zamitnuta = odlehle ? 0 : -2;
    const auto body = std::make_shared<const std::vector<Tbod>>(opravy.bod);
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = j.popis;
    const jazyk::TpopisJednotky& u = j.popisJednotky;
    std::vector<SloupecSeznamu> s;
    s.push_back({Q(p.bod),
                 Q(p.cislo),
                 99,
                 [body](int i) { return Q((*body)[static_cast<std::size_t>(i)].cislo); },
                 {},
                 -1,
                 true});
    for (const Osa osa : Osy(ws.nastaveni)) {
        const auto hodnota = [osa](const Tbod& b) {
            return osa == Osa::X ? b.X : osa == Osa::Y ? b.Y : b.Z;
        };
        const auto odchylka = [osa](const Tbod& b) {
            return osa == Osa::X   ? b.Presnost().sig_X
                   : osa == Osa::Y ? b.Presnost().sig_Y
                                   : b.Presnost().sig_Z;
        };
        s.push_back({Q(p.oprava), NazevOsy(ws, osa) + Jednotka(u.x_odchylka), 130,
                     [body, f, hodnota](int i) {
                         return f.SouradniceRozdil(hodnota((*body)[static_cast<std::size_t>(i)]));
                     },
                     [body, odchylka, zamitnuta](int i) {
                         return odchylka((*body)[static_cast<std::size_t>(i)]) == zamitnuta
                                    ? Znacka::Chyba
                                    : Znacka::Zadna;
                     }});
    }
    ModelSeznamu::Radky r;
    r.pocet = [body] { return static_cast<int>(body->size()); };
    r.plny = [body](int i) { return (*body)[static_cast<std::size_t>(i)].JePlny; };
    r.chybny = [body, zamitnuta](int i) {
        const Tbod& b = (*body)[static_cast<std::size_t>(i)];
        return b.Presnost().sig_X == zamitnuta || b.Presnost().sig_Y == zamitnuta ||
               b.Presnost().sig_Z == zamitnuta;
    };
    const QString nadpis =
        odlehle ? Q(j.tlacitko.odlehleHodnoty) + " - " + Q(j.nadpis.opravyIdentickychBodu)
                : Q(j.nadpis.opravyIdentickychBodu);
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    okno->Naplnit(std::move(r), std::move(s), ChybneRadky::Odlehle);
    const auto n = [](int32_t x) { return QString::number(std::max(x, 0)); };
    if (odlehle) {
        okno->NastavitStav(" [" + n(o.Vysledek().PocetIdentickeXOdlehly()) + ", " +
                           n(o.Vysledek().PocetIdentickeYOdlehly()) + ", " +
                           n(o.Vysledek().PocetIdentickeZOdlehly()) + "] / " +
                           n(o.Vysledek().PocetIdentickeX()));
    } else {
        const TmodelTransformaceVyrovnani& m = ws.modelTransformace;
        okno->NastavitStav(
            " [" + n(m.Vysledek().PocetIdentickeX()) + ", " + n(m.Vysledek().PocetIdentickeY()) +
            ", " + n(m.Vysledek().PocetIdentickeZ()) + "] / " + n(o.Vysledek().PocetIdentickeX()));
    }
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoVyrovnanychIdentickych(QWidget* rodic, Workspace& ws, Osa osa,
                                                        bool apriori) {
    const Tjazyk& j = ws.jazyk;
    const TmodelTransformaceVyrovnani& m = ws.modelTransformace;
    std::vector<TsouradnicovaVelicina> v;
    if (ws.state.Current(Step::TransformationWithAdjustment)) v = Plne(m.Vektor(osa));
    const Real k = apriori ? m.Vysledek().OdchylkaJednotkovaAprior()
                           : m.Vysledek().OdchylkaJednotkovaAposterior();
    const Vektor s = std::make_shared<const std::vector<TsouradnicovaVelicina>>(std::move(v));
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = j.popis;
    const jazyk::TpopisJednotky& u = j.popisJednotky;
    const QString skupina = NazevOsy(ws, osa);
    std::vector<SloupecSeznamu> c;
    c.push_back(
        {Q(p.bod), Q(p.cislo), 99, [s](int i) { return Q(Prvek(s, i).cislo); }, {}, -1, true});
    c.push_back({skupina, Q(p.vyrovnanaHodnota) + Jednotka(u.x_hodnota), 130,
                 [s, f](int i) { return f.Souradnice(Prvek(s, i).mezniOprava); }});
    c.push_back({skupina, Q(p.smerOdchylka) + Jednotka(u.x_odchylka), 130, [s, f, k](int i) {
                     return f.SouradniceOdchylka(k * Prvek(s, i).odchylkaOprava);
                 }});
    c.push_back({skupina, Q(p.oprava) + Jednotka(u.x_odchylka), 130,
                 [s, f](int i) { return f.SouradniceRozdil(Prvek(s, i).oprava); }});
    c.push_back({skupina, Q(p.opravaNorm), 110,
                 [s](int i) { return FormatBunek::Statistika(Prvek(s, i).normOprava); }});
    ModelSeznamu::Radky r;
    r.pocet = [s] { return static_cast<int>(s->size()); };
    const jazyk::Tnadpis& n = j.nadpis;
    auto okno = std::make_unique<OknoSeznamu>(
        rodic, ws,
        Q(apriori ? n.vyrovIdentSodchylkaApriori : n.vyrovIdentSodchylkaAposteriori) + " - " +
            skupina);
    okno->Naplnit(std::move(r), std::move(c));
    okno->NastavitStav(" " + QString::number(s->size()));
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoOdlehlychIdentickych(QWidget* rodic, Workspace& ws, Osa osa) {
    const Tjazyk& j = ws.jazyk;
    std::vector<TsouradnicovaVelicina> v;
    if (ws.state.Current(Step::TransformationWithAdjustment))
        v = Plne(ws.modelTransformaceOdlehly.Vektor(osa));
    const Vektor s = std::make_shared<const std::vector<TsouradnicovaVelicina>>(std::move(v));
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = j.popis;
    const jazyk::TpopisJednotky& u = j.popisJednotky;
    const QString skupina = NazevOsy(ws, osa);
    const auto odlehly = [s](int i) {
        return Prvek(s, i).jeOdlehly ? Znacka::Chyba : Znacka::Zadna;
    };
    const QString jednotka = Jednotka(u.x_hodnota);
    std::vector<SloupecSeznamu> c;
    c.push_back(
        {Q(p.bod), Q(p.cislo), 99, [s](int i) { return Q(Prvek(s, i).cislo); }, {}, -1, true});
    c.push_back({skupina, Q(p.vlozenaHodnota) + jednotka, 130,
                 [s, f](int i) { return f.Souradnice(Prvek(s, i).hodnota); }, odlehly});
    c.push_back({skupina, Q(p.oprava) + jednotka, 130,
                 [s, f](int i) { return f.Souradnice(Prvek(s, i).oprava); }, odlehly});
    c.push_back({skupina, Q(p.opravaMezni) + jednotka, 130,
                 [s, f](int i) { return f.Souradnice(Prvek(s, i).mezniOprava); }, odlehly});
    c.push_back({skupina, Q(p.opravaNorm), 110,
                 [s](int i) { return FormatBunek::Statistika(Prvek(s, i).normOprava); }, odlehly});
    ModelSeznamu::Radky r;
    r.pocet = [s] { return static_cast<int>(s->size()); };
    r.chybny = [s](int i) { return Prvek(s, i).jeOdlehly; };
    int pocet = 0;
    for (const TsouradnicovaVelicina& z : *s) pocet += z.jeOdlehly ? 1 : 0;
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws,
                                              Q(j.tlacitko.odlehleHodnoty) + " - " +
                                                  Q(j.nadpis.souradniceIdentickychBoduVystup) +
                                                  " - " + skupina);
    okno->Naplnit(std::move(r), std::move(c), ChybneRadky::Odlehle);
    okno->NastavitStav(" " + QString::number(pocet) + " / " + QString::number(s->size()));
    return okno;
}

OknoTransformace::OknoTransformace(QWidget* rodic, Workspace& ws, Dialogy& dialogy,
                                   Interaction& interakce, bool bodASmernik)
    : OknoSeznamu(rodic, ws,
                  Q(bodASmernik ? ws.jazyk.tlacitko.bodASmernik
                                : ws.jazyk.tlacitko.transformaceSVyrovnanim) +
                      " - " + Q(ws.jazyk.nadpis.transfromovaneSouradniceBodu)),
      dialogy_(dialogy),
      interakce_(interakce),
      bodASmernik_(bodASmernik) {
    NastavitDialogy(&dialogy_);
    setObjectName(bodASmernik ? "oknoBodASmernik" : "oknoTransformace");
    NaplnitTabulku();
    VytvoritMenu();
    if (bodASmernik_) VytvoritVolby();
    AktualizovatMenu();
}

void OknoTransformace::NaplnitTabulku() {
    std::vector<Tbod> body;
    if (JeTransformovano(ws_, bodASmernik_)) {
        for (const Tbod& b : Prevod(ws_, bodASmernik_).Souradnice().bod) {
            if (b.JePlny) body.push_back(b);
        }
    }
    std::unique_ptr<OknoSeznamu> vzor =
        OknoBodu(nullptr, ws_, QString(), std::move(body), DruhSouradnic::Hodnoty);
    const int pocet = vzor->Model().PocetZaznamu();
    Naplnit({[pocet] { return pocet; }, {}, {}, {}, {}}, vzor->Model().Sloupce());
    NastavitStav(" " + QString::number(pocet));
}

void OknoTransformace::VytvoritMenu() {
    const Tjazyk& j = ws_.jazyk;
    const jazyk::Ttlacitko& t = j.tlacitko;
    const jazyk::Tpopis& p = j.popis;
    const auto menu = [this](const QString& nazev) {
        menu_.push_back(PridatMenu(nazev, [this] { AktualizovatMenu(); }));
        return menu_.back();
    };

    QMenu* m = menu(Q(t.transformace));
    if (bodASmernik_) {
        a_.infoKlic = PridatAkci(m, Q(t.informace), [this] { Informace(true); });
        a_.infoIdenticke = a_.infoKlic;
    } else {
        QMenu* info = m->addMenu(Q(t.informace));
        a_.infoIdenticke = PridatAkci(info, Q(t.identickeBody), [this] { Informace(false); });
        a_.infoKlic = PridatAkci(info, Q(p.parametryTransformace), [this] { Informace(true); });
    }
    a_.kresba = PridatAkci(m, Q(t.kresba), [this] { OtevritKresbu(); });
    a_.protokol = PridatAkci(m, Q(j.protokol.protokol1), [this] { PrikazProtokol(); });
    a_.ulozitEtapu = PridatAkci(m, Q(t.ulozit) + " " + Q(t.jako) + " " + Q(t.etapa) + " ...",
                                [this] { PrikazUlozitEtapu(); });
    m->addSeparator();
    a_.zavrit = PridatAkci(m, Q(t.ukoncit), [this] { reject(); });

    const std::array<Osa, 3> osy = Osy(ws_.nastaveni);
    if (!bodASmernik_) {
        m = menu(Q(t.identickeBody));
        for (const bool apriori : {true, false}) {
            QMenu* pod = m->addMenu(Q(apriori ? t.presnostApriori : t.presnostAposteriori));
            for (std::size_t k = 0; k < 3; ++k) {
                const Osa osa = osy[k];
                (apriori ? a_.apriori : a_.aposteriori)[KodOsy(osa) - 1] =
                    PridatAkci(pod, NazevOsy(ws_, osa), [this, osa, apriori] {
                        Ukazat(OknoVyrovnanychIdentickych(this, ws_, osa, apriori));
                    });
            }
        }
        a_.opravy =
            PridatAkci(m, Q(t.opravy), [this] { Ukazat(OknoOpravIdentickych(this, ws_, false)); });

        m = menu(Q(t.odlehleHodnoty));
        for (std::size_t k = 0; k < 3; ++k) {
            const Osa osa = osy[k];
            a_.odlehle[KodOsy(osa) - 1] = PridatAkci(m, NazevOsy(ws_, osa), [this, osa] {
                Ukazat(OknoOdlehlychIdentickych(this, ws_, osa));
            });
        }
        m->addSeparator();
        a_.odlehleOpravy =
            PridatAkci(m, Q(t.opravy), [this] { Ukazat(OknoOpravIdentickych(this, ws_, true)); });
    }

    m = menu(Q(p.souradnice));
    const bool bs = bodASmernik_;
    a_.odchylkyApriori = PridatAkci(m, Q(t.smerOdchylkyAprior), [this, bs] {
        Ukazat(OknoOdchylekTransformace(this, ws_, bs, true));
    });
    a_.odchylkyAposteriori = PridatAkci(m, Q(t.smerOdchylkyAposterior), [this, bs] {
        Ukazat(OknoOdchylekTransformace(this, ws_, bs, false));
    });
    m->addSeparator();
    a_.elipsoidyApriori = PridatAkci(m, Q(t.elipsoidAprior), [this, bs] {
        Ukazat(OknoElipsoiduTransformace(this, ws_, bs, true));
    });
    a_.elipsoidyAposteriori = PridatAkci(m, Q(t.elipsoidAposterior), [this, bs] {
        Ukazat(OknoElipsoiduTransformace(this, ws_, bs, false));
    });
    m->addSeparator();
    a_.matice = PridatAkci(m, Q(t.kovariancniMatice), [this] { PrikazMatice(); });
}

void OknoTransformace::VytvoritVolby() {
    const Tjazyk& j = ws_.jazyk;
    const TmodelTransformacePrevod& m = ws_.prevodBodASmernik;
    auto* radek = new QHBoxLayout;
    radek->addWidget(new QLabel(Q(j.popis.bod) + ":", this));
    bod_ = new QComboBox(this);
    radek->addWidget(bod_);
    radek->addWidget(new QLabel(Q(j.popis.cil) + ":", this));
    cil_ = new QComboBox(this);
    radek->addWidget(cil_);
    for (const Tbod& b : m.IdentickeBodyVstup().bod) {
        bod_->addItem(Q(b.cislo));
        cil_->addItem(Q(b.cislo));
    }
    bod_->setCurrentIndex(m.IStnAktualni());
    cil_->setCurrentIndex(m.ICilAktualni());
    radek->addWidget(
        new QLabel(Q(j.popis.smernik) + " [" + Q(j.popisJednotky.smer_hodnota) + "]:", this));
    smernik_ = new QLineEdit(this);
    smernik_->setObjectName("smernik");
    smernik_->setAlignment(Qt::AlignRight);
    smernik_->setText(FormatBunek(ws_.nastaveni).Uhel(m.TransformacniKlic().smernik_vystup));
    radek->addWidget(smernik_, 1);
    transformovat_ = new QPushButton(Q(j.tlacitko.transformovat), this);
    transformovat_->setAutoDefault(false);
    radek->addWidget(transformovat_);
    sloupec_->addLayout(radek);
    // Choosing a point gives the bearing between the two points in the output
    // system; the button transforms.
    const auto vybrano = [this] {
        smernik_->setText(Q(SmernikVyberu(ws_, bod_->currentIndex(), cil_->currentIndex())));
    };
    connect(bod_, &QComboBox::activated, this, vybrano);
    connect(cil_, &QComboBox::activated, this, vybrano);
    connect(transformovat_, &QPushButton::clicked, this, &OknoTransformace::PrikazTransformovat);
    connect(smernik_, &QLineEdit::returnPressed, this, &OknoTransformace::PrikazTransformovat);
    // The inputs the window opened with are those of the transformation shown.
    posledni_ = VstupBodASmernik{bod_->currentIndex(), cil_->currentIndex(), S(smernik_->text())};
}

void OknoTransformace::AktualizovatMenu() {
    const bool platna = JeTransformovano(ws_, bodASmernik_);
    const nastaveni::Tprepinac& p = ws_.nastaveni.prepinac;
    a_.kresba->setEnabled(platna);
    a_.ulozitEtapu->setEnabled(platna);
    if (!bodASmernik_) {
        const bool vylucovat[3] = {p.vylucovatX, p.vylucovatY, p.vylucovatZ};
        for (int k = 0; k < 3; ++k) a_.odlehle[k]->setEnabled(platna && vylucovat[k]);
        a_.odlehleOpravy->setEnabled(platna && (p.vylucovatX || p.vylucovatY || p.vylucovatZ));
        // The whole menu goes off with its items.
        menu_[2]->setEnabled(platna && (p.vylucovatX || p.vylucovatY || p.vylucovatZ));
    }
}

void OknoTransformace::Ukazat(std::unique_ptr<OknoSeznamu> okno) {
    // Rows selected in the result are highlighted in an open drawing.
    connect(okno.get(), &OknoSeznamu::vyberMapy, this, [this](const VyberMapy& vyber) {
        if (kresba_ != nullptr) kresba_->ZvyraznitVyber(vyber);
    });
    okno->NastavitDialogy(&dialogy_);
    dialogy_.Ukazat(*okno);
}

void OknoTransformace::Informace(bool klic) {
    const Tjazyk& j = ws_.jazyk;
    std::vector<InfoSkupina> skupiny;
    if (JeTransformovano(ws_, bodASmernik_)) {
        skupiny = Bezpecne([&]() -> std::vector<InfoSkupina> {
            if (bodASmernik_) return InfoBodASmernik(j, ws_.nastaveni, ws_.prevodBodASmernik);
            if (klic)
                return InfoTransKlic(j, ws_.nastaveni, ws_.modelTransformace,
                                     ws_.prevodSVyrovnanim);
            return InfoIdentBody(j, ws_.nastaveni, ws_.modelTransformaceOdlehly,
                                 ws_.modelTransformace);
        });
    }
    const QString nadpis = Q(bodASmernik_ ? j.nadpis.zakladniInfoTransformaceBodASmernik
                                          : j.nadpis.zakladniInfoTransformaceSVyrovnanim);
    OknoInformace okno(this, nadpis, Q(j.tlacitko.kopirovat), skupiny);
    dialogy_.Ukazat(okno);
}

void OknoTransformace::PrikazProtokol() {
    Zaneprazdneni(true);
    const VysledekProtokolu v = bodASmernik_ ? ProtokolTransformaceBodASmernik(ws_, interakce_)
                                             : ProtokolTransformaceSVyrovnanim(ws_, interakce_);
    Zaneprazdneni(false);
    if (!v.uspech) return;
    const Tprotokol& p = bodASmernik_ ? ws_.protokolTransBodASmer : ws_.protokolTransSVyr;
    dialogy_.Protokol(this, ws_,
                      Q(ws_.jazyk.protokol.protokol1) + " - " +
                          Q(bodASmernik_ ? ws_.jazyk.tlacitko.bodASmernik
                                         : ws_.jazyk.tlacitko.transformaceSVyrovnanim),
                      p.Radky());
}

void OknoTransformace::PrikazMatice() {
    TmodelTransformacePrevod& m = bodASmernik_ ? ws_.prevodBodASmernik : ws_.prevodSVyrovnanim;
    const int n = std::max(0, 3 * m.PocetBoduUrcovanych());
    if (n > kVelkaMaticeVah && !dialogy_.Potvrzeni(this, Q(ws_.jazyk.nadpis.varovani),
                                                   OtazkaVelkeMatice(ws_.nastaveni.typJazyk, n)))
        return;
    Zaneprazdneni(true);
    if (m.KovariancniMaticeStr().empty() && n > 0 && JeTransformovano(ws_, bodASmernik_)) {
        try {
            m.KovariancniMaticeText();
        } catch (const std::exception&) {
            // No matrix to show: the text is written only when it was made.
        }
    }
    const QString text =
        JeTransformovano(ws_, bodASmernik_) ? Q(m.KovariancniMaticeStr()) : QString();
    Zaneprazdneni(false);
    OknoMatice okno(this, Q(ws_.jazyk.nadpis.kovariancniMaticeTransSour), text, n);
    dialogy_.Ukazat(okno);
}

void OknoTransformace::PrikazTransformovat() {
    if (!bodASmernik_) return;
    const VstupBodASmernik vstup{bod_->currentIndex(), cil_->currentIndex(), S(smernik_->text())};
    // While it runs everything but the label is off, and the button says so.
    const QString text = transformovat_->text();
    for (QWidget* w : std::initializer_list<QWidget*>{bod_, cil_, smernik_, transformovat_})
        w->setEnabled(false);
    transformovat_->setText(Q(ws_.jazyk.tlacitko.zpracovani) + " ...");
    Zaneprazdneni(true);
    const VysledekPrepoctu v = PrepocetBodASmernik(ws_, interakce_, vstup, posledni_, false);
    Zaneprazdneni(false);
    transformovat_->setText(text);
    for (QWidget* w : std::initializer_list<QWidget*>{bod_, cil_, smernik_, transformovat_})
        w->setEnabled(true);
    if (!v.provedeno) return;
    smernik_->setText(Q(v.smernik));
    if (v.neplatnySmernik) smernik_->setFocus();
    NaplnitTabulku();
    AktualizovatMenu();
    if (kresba_ != nullptr) kresba_->ObnovitData();
}

DruhVysledku OknoTransformace::VysledekKresby() const {
    return bodASmernik_ ? DruhVysledku::BodASmernik : DruhVysledku::TransformaceSVyrovnanim;
}

void OknoTransformace::PrikazUlozitEtapu() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::Etapa, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    if (!PotvrditVelikostEtapy(dialogy_, this, ws_, VysledekKresby())) return;
    Zaneprazdneni(true);
    const VysledekUlozeni v = ZapsatEtapuSite(ws_, cesta, VysledekKresby());
    Zaneprazdneni(false);
    if (!v.uspech) OznamitChybuUlozeni(dialogy_, this, ws_, v.chyba);
}

void OknoTransformace::OtevritKresbu() {
    if (kresba_ == nullptr) {
        kresba_ = new OknoKresby(this, ws_, dialogy_, VysledekKresby());
        kresba_->setAttribute(Qt::WA_DeleteOnClose);
    }
    kresba_->show();
    kresba_->raise();
    kresba_->activateWindow();
}

void OknoTransformace::done(int vysledek) {
    if (kresba_ != nullptr) kresba_->close();
    OknoSeznamu::done(vysledek);
}

}  // namespace vertano::ui
