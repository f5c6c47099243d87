#include "OknaAnalyzy.h"

#include <QLabel>

#include "FormatBunek.h"
#include "Texty.h"
#include "adjustment/Tvahy.h"
#include "mereni/Velicina.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

using Seznam = std::shared_ptr<const Tmereni>;

const Tzaznam& Radek(const Seznam& s, int i) {
    return s->zaznam[static_cast<std::size_t>(i)];
}

ModelSeznamu::Radky RadkySeznamu(const Seznam& s, bool jakoSurove) {
    ModelSeznamu::Radky r;
    r.pocet = [s] { return static_cast<int>(s->zaznam.size()); };
    r.plny = [s](int i) { return Radek(s, i).JePlny(); };
    if (jakoSurove) r.zaznam = [s](int i) { return &Radek(s, i); };
    return r;
}

// "Standpoint" serial number and number, "Target" number of a measurement row.
std::vector<SloupecSeznamu> SloupceStanoviska(const Workspace& ws, const Seznam& s, bool poradi) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    std::vector<SloupecSeznamu> c;
    if (poradi) {
        c.push_back({Q(p.stanovisko),
                     Q(p.poradi),
                     50,
                     [s](int i) { return FormatBunek::Cele(Radek(s, i).poradi); },
                     {},
                     sloupec::kPoradi,
                     true});
    }
    c.push_back({Q(p.stanovisko),
                 Q(p.cislo),
                 99,
                 [s](int i) { return Q(Radek(s, i).cislo_stn); },
                 {},
                 poradi ? sloupec::kCisloStn : -1,
                 true});
    c.push_back({Q(p.cil),
                 Q(p.cislo),
                 99,
                 [s](int i) { return Q(Radek(s, i).cislo_cil); },
                 {},
                 poradi ? sloupec::kCisloCil : -1});
    return c;
}

QString NazevKontroly(Velicina typ, const Workspace& ws) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    return Q(typ == Velicina::Delka ? p.delka : typ == Velicina::Smer ? p.smer : p.zenit);
}

Real Hodnota(const Tzaznam& z, Velicina typ) {
    return typ == Velicina::Delka ? z.delka : typ == Velicina::Smer ? z.smer : z.zenit;
}

const Tvaha* Vaha(const Workspace& ws, Velicina typ) {
    switch (typ) {
        case Velicina::Delka:
            return &ws.vahy.delka;
        case Velicina::Smer:
            return &ws.vahy.smer;
        case Velicina::Zenit:
            return &ws.vahy.zenit;
        default:
            return nullptr;
    }
}

QString NazevDoplnku(const Workspace& ws, DruhDoplnku druh) {
    return Q(doplnek::NazevDruhu(ws.jazyk, druh));
}

// "Supplementary measurements - Bearing".
QString NadpisDoplnku(const Workspace& ws, const QString& nazev) {
    return Q(ws.jazyk.popis.doplnkove) + " " + Male(ws.jazyk.popis.mereni) + " - " + nazev;
}

// A precision window over one annotated list.
std::unique_ptr<OknoSeznamu> OknoPresnosti(QWidget* rodic, Workspace& ws, Velicina typ,
                                           bool vnitrni) {
    const Tvaha* vaha = Vaha(ws, typ);
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const QString nadpis =
        Q(vnitrni ? p.vnitrniPresnost : p.vnejsiPresnost) + " - " + NazevKontroly(typ, ws);
    Tmereni seznam;
    Real celkova = -1;
    if (vaha != nullptr && ws.state.Current(Step::Analysis)) {
        // The lists refer to the set means they were computed from; while the
        // analysis is current those are the workspace's.
        const AnotovaneRadky& radky =
            vnitrni ? vaha->vnitrniPresnost.mereniSkupina : vaha->vnejsiPresnost.mereniTrojuhelnik;
        seznam = radky.Zaznamy(ws.mereniVyrovnani);
        celkova = vnitrni ? vaha->vnitrniPresnost.odchylkaCelkova.vyska_stn
                          : vaha->vnejsiPresnost.odchylkaCelkova.vyska_stn;
    }
    // The last row is always blank, below the last measurement.
    seznam.PridejPrazdnyZaznam();
    const Seznam s = std::make_shared<const Tmereni>(std::move(seznam));
    const FormatBunek f(ws.nastaveni);
    const bool uhel = typ != Velicina::Delka;
    const QString hodnota = Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota);
    const QString odchylka = Jednotka(uhel ? u.smer_odchylka : u.delka_odchylka);
    const QString druh = NazevKontroly(typ, ws);
    // The residual is red where it exceeds its limit.
    const auto mimoMez = [s](int i) { return Radek(s, i).poloha ? Znacka::Zadna : Znacka::Chyba; };
    std::vector<SloupecSeznamu> c = SloupceStanoviska(ws, s, true);
    for (SloupecSeznamu& x : c) x.surovy = -1;
    c.push_back({druh, Q(p.merenaHodnota) + hodnota, 130,
                 [s, f, uhel, typ](int i) { return f.Hodnota(uhel, Hodnota(Radek(s, i), typ)); }});
    c.push_back({druh, Q(p.oprava) + hodnota, 130,
                 [s, f, uhel](int i) { return f.Hodnota(uhel, Radek(s, i).vaha_smer); }, mimoMez});
    const QString pro = Q(p.smerOdchylka) + " " + Q(p.pro);
    if (vnitrni) {
        c.push_back({pro, Male(p.cil) + odchylka, 130,
                     [s, f, uhel](int i) { return f.Odchylka(uhel, Radek(s, i).sig_delka); }});
        c.push_back({pro, Male(p.stanovisko) + odchylka, 130,
                     [s, f, uhel](int i) { return f.Odchylka(uhel, Radek(s, i).sig_smer); }});
    } else {
        // One deviation per pair or triangle.
        c.push_back({QString(), Q(p.smerOdchylka) + odchylka, 130,
                     [s, f, uhel](int i) { return f.Odchylka(uhel, Radek(s, i).sig_smer); }});
    }
    ModelSeznamu::Radky r = RadkySeznamu(s, false);
    r.chybny = [s](int i) { return !Radek(s, i).poloha; };
    int vMezi = 0;
    for (const Tzaznam& z : s->zaznam) vMezi += z.JePlny() && z.poloha ? 1 : 0;
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    okno->Naplnit(std::move(r), std::move(c), ChybneRadky::Chybne);
    okno->NastavitStav(" " + QString::number(vMezi) + " / " +
                       QString::number(s->PocetPlnychZaznamu()));
    okno->PridatPopisDole(
            " " + Q(p.smerOdchylka) + " " + Q(p.pro) + " " + Male(ws.jazyk.tlacitko.sit) + " [" +
            Q(uhel ? u.smer_odchylka : u.delka_odchylka) + "]: " + f.Odchylka(uhel, celkova))
        ->setObjectName("celkova");
    return okno;
}

}  // namespace

std::unique_ptr<OknoSeznamu> OknoJednePolohy(QWidget* rodic, Workspace& ws,
                                             RezimJednePolohy rezim) {
    const Tjazyk& j = ws.jazyk;
    const jazyk::Ttlacitko& t = j.tlacitko;
    QString nadpis;
    switch (rezim) {
        case RezimJednePolohy::RozdilPoloh:
            nadpis = Q(t.rozdilPoloh) + " [II-I]";
            break;
        case RezimJednePolohy::PrumerPoloh:
            nadpis = Q(t.prumerPoloh) + " [I/II]";
            break;
        case RezimJednePolohy::KamenKamen:
            nadpis = Q(t.kamenKamen);
            break;
        case RezimJednePolohy::PredVyrovnanim:
            nadpis = Q(t.mereniPredVyrovnanim);
            break;
        case RezimJednePolohy::PrumerSkupin:
            nadpis = Q(t.prumerSkupin);
            break;
        case RezimJednePolohy::RozdilFixni:
            nadpis = Q(j.nadpis.rozdilDelkeMerenychAZeFixnichSouradnic);
            break;
        case RezimJednePolohy::RozdilVse:
            nadpis = Q(j.nadpis.rozdilDelkeMerenychAZeSouradnic);
            break;
    }
    SeznamJednePolohy v = VytvoritSeznamJednePolohy(ws, rezim);
    const std::string stav = v.stav;
    const Seznam s = std::make_shared<const Tmereni>(std::move(v.seznam));
    const jazyk::Tpopis& p = j.popis;
    const jazyk::TpopisJednotky& u = j.popisJednotky;
    const Tnastaveni& n = ws.nastaveni;
    std::vector<SloupecSeznamu> c = SloupceStanoviska(ws, s, true);
    ChybneRadky chybne = ChybneRadky::Chybne;
    const bool rozdily =
        rezim == RezimJednePolohy::RozdilFixni || rezim == RezimJednePolohy::RozdilVse;
    if (!rozdily) {
        const QString skupina = Q(p.merene_veliciny);
        const std::pair<int, QString> sloupce[3] = {
            {sloupec::kSmer, Q(p.smer) + Jednotka(u.smer_hodnota)},
            {sloupec::kZenit, Q(p.zenit) + Jednotka(u.smer_hodnota)},
            {sloupec::kDelka, Q(p.delka) + Jednotka(u.delka_hodnota)}};
        for (const auto& [k, nazev] : sloupce) {
            const int kk = k;
            c.push_back({skupina,
                         nazev,
                         130,
                         [s, &n, kk](int i) { return Q(TextBunky(Radek(s, i), kk, n)); },
                         {},
                         kk});
        }
    } else {
        const FormatBunek f(n);
        const QString skupina = Q(p.delka);
        const QString jednotka = Jednotka(u.delka_hodnota);
        const QString nazvy[3] = {Q(p.merenaHodnota), Q(p.vypoctenaHodnota), Q(p.rozdil)};
        for (std::size_t k = 0; k < 3; ++k) {
            SloupecSeznamu x{skupina, nazvy[k] + jednotka, 130, [s, f, k](int i) {
                                 return f.Delka(Radek(s, i).zapracovaniPoloha[k]);
                             }};
            if (k == 2) {
                x.znacka = [s](int i) {
                    return Radek(s, i).kontrola[0] ? Znacka::Chyba : Znacka::Zadna;
                };
            }
            c.push_back(std::move(x));
        }
    }
    ModelSeznamu::Radky r = RadkySeznamu(s, true);
    r.chybny = [s, rozdily](int i) {
        const Tzaznam& z = Radek(s, i);
        return rozdily ? z.kontrola[0] : z.MaKontrolu();
    };
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    okno->Naplnit(std::move(r), std::move(c), chybne);
    okno->NastavitStav(Q(stav));
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoVnitrniPresnosti(QWidget* rodic, Workspace& ws, Velicina typ) {
    return OknoPresnosti(rodic, ws, typ, true);
}

std::unique_ptr<OknoSeznamu> OknoVnejsiPresnosti(QWidget* rodic, Workspace& ws, Velicina typ) {
    return OknoPresnosti(rodic, ws, typ, false);
}

std::unique_ptr<OknoSeznamu> OknoDoplnkuPredVyrovnanim(QWidget* rodic, Workspace& ws,
                                                       DruhDoplnku druh) {
    const Tmereni* zdroj = ws.doplnekZpracovany.Seznam(druh);
    const Seznam s = std::make_shared<const Tmereni>(
        zdroj != nullptr && ws.state.Current(Step::Analysis) ? *zdroj : Tmereni{});
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const FormatBunek f(ws.nastaveni);
    const bool uhel = druh == DruhDoplnku::Smernik;
    const QString nazev = NazevDoplnku(ws, druh);
    std::vector<SloupecSeznamu> c = SloupceStanoviska(ws, s, false);
    if (druh != DruhDoplnku::Provazeni) {
        c.push_back({nazev, Q(p.merenaHodnota) + Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota),
                     130, [s, f, uhel](int i) { return f.Hodnota(uhel, Radek(s, i).delka); }});
    }
    c.push_back({nazev, Q(p.smerOdchylka) + Jednotka(uhel ? u.smer_odchylka : u.delka_odchylka),
                 130, [s, f, uhel](int i) { return f.Odchylka(uhel, Radek(s, i).sig_delka); }});
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, NadpisDoplnku(ws, nazev));
    okno->Naplnit(RadkySeznamu(s, false), std::move(c));
    okno->NastavitStav(" " + QString::number(s->PocetPlnychZaznamu()));
    okno->PridatPopisDole(" " + Q(p.sigDoplnkoveMereni) + " [" +
                          Q(uhel ? u.smer_odchylka : u.delka_odchylka) +
                          "]: " + f.Odchylka(uhel, doplnek::OdchylkaDruhu(druh, ws.nastaveni)));
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoDoplnkuRozdil(QWidget* rodic, Workspace& ws, DruhDoplnku druh) {
    const Tmereni* zdroj = ws.doplnekZpracovany.Seznam(druh);
    const Seznam s = std::make_shared<const Tmereni>(
        zdroj != nullptr && ws.state.Current(Step::Analysis) ? *zdroj : Tmereni{});
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const FormatBunek f(ws.nastaveni);
    const bool uhel = druh == DruhDoplnku::Smernik;
    const QString nazev = NazevDoplnku(ws, druh);
    const QString jednotka = Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota);
    std::vector<SloupecSeznamu> c = SloupceStanoviska(ws, s, false);
    const QString nazvy[3] = {Q(p.merenaHodnota), Q(p.vypoctenaHodnota), Q(p.rozdil)};
    for (std::size_t k = 0; k < 3; ++k) {
        SloupecSeznamu x{nazev, nazvy[k] + jednotka, 130, [s, f, uhel, k](int i) {
                             return f.Hodnota(uhel, Radek(s, i).zapracovaniPoloha[k]);
                         }};
        if (k == 2) {
            x.znacka = [s](int i) {
                return Radek(s, i).kontrola[0] ? Znacka::Chyba : Znacka::Zadna;
            };
        }
        c.push_back(std::move(x));
    }
    ModelSeznamu::Radky r = RadkySeznamu(s, false);
    r.chybny = [s](int i) { return Radek(s, i).kontrola[0]; };
    int nad = 0;
    for (const Tzaznam& z : s->zaznam) nad += z.JePlny() && z.kontrola[0] ? 1 : 0;
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, NadpisDoplnku(ws, nazev));
    okno->Naplnit(std::move(r), std::move(c), ChybneRadky::Chybne);
    okno->NastavitStav(" " + QString::number(nad) + " / " +
                       QString::number(s->PocetPlnychZaznamu()));
    return okno;
}

}  // namespace vertano::ui
