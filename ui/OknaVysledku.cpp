#include "OknaVysledku.h"

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "FormatBunek.h"
#include "Texty.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/Spolehlivost.h"
#include "adjustment/VysledekSite.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano::ui {

namespace {

template <class T>
using Sdilene = std::shared_ptr<const std::vector<T>>;

template <class T>
ModelSeznamu::Radky RadkyVektoru(const Sdilene<T>& v) {
    ModelSeznamu::Radky r;
    r.pocet = [v] { return static_cast<int>(v->size()); };
    return r;
}

template <class T>
const T& Prvek(const Sdilene<T>& v, int i) {
    return (*v)[static_cast<std::size_t>(i)];
}

// The rows of observations: their station and target in the drawing.
ModelSeznamu::Radky RadkyMereni(const Sdilene<TmerenaVelicina>& v) {
    ModelSeznamu::Radky r = RadkyVektoru(v);
    r.body = [v](int i) {
        const TmerenaVelicina& z = Prvek(v, i);
        std::vector<std::string> body{z.cislo_stn};
        if (!z.cislo_cil.empty()) body.push_back(z.cislo_cil);
        return body;
    };
    return r;
}

bool JeUhlovy(Velicina typ) {
    return typ == Velicina::Smer || typ == Velicina::Zenit || typ == Velicina::DoplnekSmernik;
}

bool JeDoplnek(Velicina typ) {
    return typ >= Velicina::DoplnekDelka && typ <= Velicina::DoplnekProvazeni;
}

// "Point" / "Number".
SloupecSeznamu SloupecCisla(const Workspace& ws, std::function<QString(int)> text) {
    return {Q(ws.jazyk.popis.bod), Q(ws.jazyk.popis.cislo), 99, std::move(text), {}, -1, true};
}

// The X and Y columns in the order of the settings, then Z: index 0 X, 1 Y, 2 Z.
std::array<int, 3> PoradiOs(const Tnastaveni& n) {
    return n.jednotky.poradiSouradnice == 1 ? std::array<int, 3>{1, 0, 2}
                                            : std::array<int, 3>{0, 1, 2};
}

Real Osa(const Tbod& b, int osa, bool odchylka) {
    switch (osa) {
        case 0:
            return odchylka ? b.Presnost().sig_X : b.X;
        case 1:
            return odchylka ? b.Presnost().sig_Y : b.Y;
        default:
            return odchylka ? b.Presnost().sig_Z : b.Z;
    }
}

QString NazevOsy(const Workspace& ws, int osa) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    return Q(osa == 0 ? p.x : osa == 1 ? p.y : p.z);
}

// Standpoint serial number and number of an observation.
void SloupceJenStanoviska(const Workspace& ws, const Sdilene<TmerenaVelicina>& v, bool poradi,
                          std::vector<SloupecSeznamu>& s) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    if (poradi) {
        s.push_back({Q(p.stanovisko),
                     Q(p.poradi),
                     50,
                     [v](int i) { return FormatBunek::Cele(Prvek(v, i).poradi); },
                     {},
                     -1,
                     true});
    }
    s.push_back({Q(p.stanovisko),
                 Q(p.cislo),
                 99,
                 [v](int i) { return Q(Prvek(v, i).cislo_stn); },
                 {},
                 -1,
                 true});
}

// Standpoint serial number and number, target number of an observation.
void SloupceStanoviska(const Workspace& ws, const Sdilene<TmerenaVelicina>& v, bool poradi,
                       std::vector<SloupecSeznamu>& s) {
    SloupceJenStanoviska(ws, v, poradi, s);
    const jazyk::Tpopis& p = ws.jazyk.popis;
    s.push_back({Q(p.cil),
                 Q(p.cislo),
                 99,
                 [v](int i) { return Q(Prvek(v, i).cislo_cil); },
                 {},
                 -1,
                 false,
                 true});
}

std::vector<TmerenaVelicina> Plne(const TvektorMereni& v) {
    std::vector<TmerenaVelicina> plne;
    for (const TmerenaVelicina& z : v.zaznam) {
        if (z.jePlny) plne.push_back(z);
    }
    return plne;
}

ZobrazeneVyrovnani Zobrazene(const Workspace& ws, bool apriori) {
    const VysledekSite m = ws.modelVyrovnany.Vysledek();
    ZobrazeneVyrovnani v;
    if (!ws.state.Current(Step::Adjustment)) return v;
    ZobrazitVyrovnani(m, apriori ? m.OdchylkaJednotkovaAprior() : m.OdchylkaJednotkovaAposterior(),
                      v);
    return v;
}

std::vector<Tbod> Urcovane(const std::vector<Tbod>& body) {
    std::vector<Tbod> urcovane;
    for (const Tbod& b : body) {
        if (b.JePlny && !b.JeFixni) urcovane.push_back(b);
    }
    return urcovane;
}

}  // namespace

QString NazevDruhu(const Workspace& ws, Velicina typ) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    switch (typ) {
        case Velicina::Delka:
            return Q(p.delka);
        case Velicina::Smer:
            return Q(p.smer);
        case Velicina::Zenit:
            return Q(p.zenit);
        case Velicina::DoplnekDelka:
            return Q(p.delka) + " (" + Male(p.doplnek) + ")";
        case Velicina::DoplnekSmernik:
            return Q(p.smernik);
        case Velicina::DoplnekPrevyseni:
            return Q(p.prevyseni);
        case Velicina::DoplnekProvazeni:
            return Q(p.provazovani);
        default:
            return {};
    }
}

std::unique_ptr<OknoSeznamu> OknoBodu(QWidget* rodic, Workspace& ws, const QString& nadpis,
                                      std::vector<Tbod> seznam, DruhSouradnic druh) {
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    const auto body = std::make_shared<const std::vector<Tbod>>(std::move(seznam));
    const FormatBunek f(ws.nastaveni);
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const bool odchylky = druh == DruhSouradnic::Odchylky;
    const QString jednotka = Jednotka(odchylky ? u.x_odchylka : u.x_hodnota);
    const QString skupina =
        Q(odchylky ? ws.jazyk.popis.smerodatneOdchylky : ws.jazyk.popis.souradnice);
    // The side shots and the points that depend on uncontrolled observations
    // of the adjusted network: a gross error in their measurements cannot be
    // found, so their numbers are red.
    const auto nekontrolovane = std::make_shared<std::set<std::string>>();
    if (ws.state.Current(Step::Adjustment)) {
        for (const NekontrolovanyBod& b : NekontrolovaneBody(ws.modelVyrovnany))
            nekontrolovane->insert(b.cislo);
    }
    std::vector<SloupecSeznamu> s;
    s.push_back(SloupecCisla(ws, [body](int i) { return Q(Prvek(body, i).cislo); }));
    if (!nekontrolovane->empty()) {
        s.back().znacka = [body, nekontrolovane](int i) {
            return nekontrolovane->count(Prvek(body, i).cislo) > 0 ? Znacka::Chyba : Znacka::Zadna;
        };
    }
    const std::array<int, 3> osy = PoradiOs(ws.nastaveni);
    for (std::size_t k = 0; k < 3; ++k) {
        const int osa = osy[k];
        SloupecSeznamu c{skupina, NazevOsy(ws, osa) + jednotka, 130,
                         [body, f, osa, odchylky](int i) {
                             const Tbod& b = Prvek(body, i);
                             if (odchylky && b.JeFixni) return QString();
                             return odchylky ? f.SouradniceOdchylka(Osa(b, osa, true))
                                             : f.Souradnice(Osa(b, osa, false));
                         }};
        // The mark of a fixed point sits in its first coordinate cell; a point
        // fixed in plan or in height alone has it in each coordinate it holds.
        c.znacka = [body, osa, k](int i) {
            const Tbod& b = Prvek(body, i);
            if (b.JeFixni && !b.JeCastecneFixni()) return k == 0 ? Znacka::Fixni : Znacka::Zadna;
            return b.DrziOsu(osa) ? Znacka::Fixni : Znacka::Zadna;
        };
        s.push_back(std::move(c));
    }
    ModelSeznamu::Radky r = RadkyVektoru(body);
    r.plny = [body](int i) { return Prvek(body, i).JePlny; };
    r.body = [body](int i) { return std::vector<std::string>{Prvek(body, i).cislo}; };
    okno->Naplnit(std::move(r), std::move(s));
    QString stav = " " + QString::number(body->size());
    if (!nekontrolovane->empty()) {
        stav += "   " + Q(ws.jazyk.popis.nekontrolovaneBody) + ": " +
                QString::number(static_cast<qlonglong>(nekontrolovane->size()));
    }
    okno->NastavitStav(stav);
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoPribliznychSouradnic(QWidget* rodic, Workspace& ws) {
    std::vector<Tbod> body;
    for (const Tsouradnice* seznam : {&ws.souradnicePriblizne, &ws.souradniceFixniVyrovnani}) {
        for (const Tbod& b : seznam->bod) {
            if (b.JePlny) body.push_back(b);
        }
    }
    return OknoBodu(rodic, ws, Q(ws.jazyk.tlacitko.souradnicePredVyrovnanim), std::move(body),
                    DruhSouradnic::Hodnoty);
}

std::unique_ptr<OknoSeznamu> OknoOdchylekSouradnic(QWidget* rodic, Workspace& ws, bool apriori) {
    const jazyk::Tnadpis& n = ws.jazyk.nadpis;
    return OknoBodu(rodic, ws,
                    Q(apriori ? n.smerOdchylkyApriorVyrSour : n.smerOdchylkyAposteriorVyrSour),
                    Urcovane(Zobrazene(ws, apriori).body), DruhSouradnic::Odchylky);
}

std::unique_ptr<OknoSeznamu> OknoPrirustku(QWidget* rodic, Workspace& ws) {
    std::vector<Tbod> zmeny;
    if (ws.state.Current(Step::Adjustment))
        zmeny = PrirustkySouradnic(ws.modelVyrovnany, ws.souradnicePriblizne);
    return OknoBodu(rodic, ws, Q(ws.jazyk.nadpis.prirustkyVyrSour), std::move(zmeny),
                    DruhSouradnic::Prirustky);
}

std::unique_ptr<OknoSeznamu> OknoElipsoidu(QWidget* rodic, Workspace& ws, const QString& nadpis,
                                           const std::vector<Tbod>& body) {
    struct Osa {
        std::string cislo;
        Real delka, smernik, zenit;
    };
    std::vector<Osa> osy;
    for (const Tbod& b : body) {
        if (!b.JePlny || b.JeFixni) continue;
        const Telipsoid& e = b.Presnost().elipsoid;
        osy.push_back({b.cislo, e.a_delka, e.a_smernik, e.a_zenit});
        osy.push_back({b.cislo, e.b_delka, e.b_smernik, e.b_zenit});
        osy.push_back({b.cislo, e.c_delka, e.c_smernik, e.c_zenit});
    }
    const auto v = std::make_shared<const std::vector<Osa>>(std::move(osy));
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const QString osyElipsoidu = Q(p.poloosyElsoidu);
    std::vector<SloupecSeznamu> s;
    s.push_back(SloupecCisla(ws, [v](int i) { return Q(Prvek(v, i).cislo); }));
    s.push_back({osyElipsoidu, Q(p.delka2) + Jednotka(u.x_odchylka), 130,
                 [v, f](int i) { return f.SouradniceOdchylka(Prvek(v, i).delka); }});
    s.push_back({osyElipsoidu, Q(p.smernik) + Jednotka(u.smer_hodnota), 130,
                 [v, f](int i) { return f.Uhel(Prvek(v, i).smernik); }});
    s.push_back({osyElipsoidu, Q(p.zenit) + Jednotka(u.smer_hodnota), 130,
                 [v, f](int i) { return f.Uhel(Prvek(v, i).zenit); }});
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    ModelSeznamu::Radky r = RadkyVektoru(v);
    r.body = [v](int i) { return std::vector<std::string>{Prvek(v, i).cislo}; };
    okno->Naplnit(std::move(r), std::move(s));
    okno->NastavitStav(" " + QString::number(v->size() / 3));
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoElipsoiduVyrovnani(QWidget* rodic, Workspace& ws, bool apriori) {
    const jazyk::Tnadpis& n = ws.jazyk.nadpis;
    return OknoElipsoidu(rodic, ws,
                         Q(apriori ? n.elipsoidApriorVyrSour : n.elipsoidAposteriorVyrSour),
                         Zobrazene(ws, apriori).body);
}

std::unique_ptr<OknoSeznamu> OknoVyrovnanychMereni(QWidget* rodic, Workspace& ws, Velicina typ,
                                                   bool apriori) {
    const jazyk::Tnadpis& n = ws.jazyk.nadpis;
    const bool doplnek = JeDoplnek(typ);
    QString nadpis;
    if (doplnek) {
        nadpis = Q(apriori ? n.vyrovDoplnekSodchylkaApriori : n.vyrovDoplnekSodchylkaAposteriori);
    } else {
        nadpis = Q(apriori ? n.vyrovMereniSodchylkaApriori : n.vyrovMereniSodchylkaAposteriori);
    }
    nadpis += " - " + NazevDruhu(ws, typ);
    std::vector<TmerenaVelicina> mereni;
    if (typ != Velicina::Zadna) mereni = Zobrazene(ws, apriori).mereni[IndexVeliciny(typ)];
    const auto v = std::make_shared<const std::vector<TmerenaVelicina>>(std::move(mereni));
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const bool uhel = JeUhlovy(typ);
    const QString jednotka = Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota);
    const QString odchylka = Jednotka(uhel ? u.smer_odchylka : u.delka_odchylka);
    const QString druh = NazevDruhu(ws, typ);
    std::vector<SloupecSeznamu> s;
    SloupceStanoviska(ws, v, !doplnek, s);
    s.push_back({druh, Q(p.vyrovnanaHodnota) + jednotka, 130,
                 [v, f, uhel](int i) { return f.Hodnota(uhel, Prvek(v, i).mezniOprava); }});
    s.push_back({druh, Q(p.smerOdchylka) + odchylka, 130,
                 [v, f, uhel](int i) { return f.Odchylka(uhel, Prvek(v, i).odchylkaOprava); }});
    s.push_back({druh, Q(p.oprava) + jednotka, 130,
                 [v, f, uhel](int i) { return f.Hodnota(uhel, Prvek(v, i).oprava); }});
    s.push_back({druh, Q(p.opravaNorm), 110,
                 [v](int i) { return FormatBunek::Statistika(Prvek(v, i).normOprava); }});
    // The reliability of each observation where the evaluation gives it; an
    // uncontrolled observation (a gross error in it cannot be found) is red.
    const bool spolehlivost = std::any_of(
        v->begin(), v->end(), [](const TmerenaVelicina& z) { return z.redundance >= 0; });
    int nekontrolovane = 0;
    for (const TmerenaVelicina& z : *v) nekontrolovane += z.jeNekontrolovane ? 1 : 0;
    if (spolehlivost) {
        const auto znacka = [v](int i) {
            return Prvek(v, i).jeNekontrolovane ? Znacka::Chyba : Znacka::Zadna;
        };
        s.push_back({druh, Q(p.cisloNadbytecnosti), 110,
                     [v](int i) { return FormatBunek::Statistika(Prvek(v, i).redundance); },
                     znacka});
        s.push_back({druh, Q(p.minimalniChyba) + odchylka, 130,
                     [v, f, uhel](int i) { return f.Odchylka(uhel, Prvek(v, i).mdb); }, znacka});
    }
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    okno->Naplnit(RadkyMereni(v), std::move(s));
    QString stav = " " + QString::number(v->size());
    if (nekontrolovane > 0)
        stav += "   " + Q(p.nekontrolovane) + ": " + QString::number(nekontrolovane);
    okno->NastavitStav(stav);
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoPosunu(QWidget* rodic, Workspace& ws, bool apriori) {
    const jazyk::Tnadpis& n = ws.jazyk.nadpis;
    const QString nadpis =
        Q(apriori ? n.vyrovOrientPosunSodchylkaApriori : n.vyrovOrientPosunSodchylkaAposteriori);
    const auto v =
        std::make_shared<const std::vector<TmerenaVelicina>>(Zobrazene(ws, apriori).posuny);
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    std::vector<SloupecSeznamu> s;
    SloupceJenStanoviska(ws, v, true, s);
    s.push_back({Q(p.orientPosun), Q(p.vyrovnanaHodnota) + Jednotka(u.smer_hodnota), 130,
                 [v, f](int i) { return f.Uhel(Prvek(v, i).hodnota); }});
    s.push_back({Q(p.orientPosun), Q(p.smerOdchylka) + Jednotka(u.smer_odchylka), 130,
                 [v, f](int i) { return f.UhelOdchylka(Prvek(v, i).odchylka); }});
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    okno->Naplnit(RadkyMereni(v), std::move(s));
    okno->NastavitStav(" " + QString::number(v->size()));
    return okno;
}

std::unique_ptr<OknoSeznamu> OknoOdlehlych(QWidget* rodic, Workspace& ws, Velicina typ) {
    const bool doplnek = JeDoplnek(typ);
    QString druh = NazevDruhu(ws, typ);
    if (doplnek && typ != Velicina::DoplnekDelka) druh += " (" + Male(ws.jazyk.popis.doplnek) + ")";
    const QString nadpis = Q(ws.jazyk.tlacitko.odlehleHodnoty) + " - " + druh;
    std::vector<TmerenaVelicina> mereni;
    if (ws.state.Current(Step::Adjustment) && typ != Velicina::Zadna)
        mereni = Plne(druhy::Vektor(ws.modelOdlehly, typ));
    const auto v = std::make_shared<const std::vector<TmerenaVelicina>>(std::move(mereni));
    const FormatBunek f(ws.nastaveni);
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const bool uhel = JeUhlovy(typ);
    const QString jednotka = Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota);
    const auto odlehly = [v](int i) {
        return Prvek(v, i).jeOdlehly ? Znacka::Chyba : Znacka::Zadna;
    };
    const QString skupina = NazevDruhu(ws, typ);
    std::vector<SloupecSeznamu> s;
    SloupceStanoviska(ws, v, !doplnek, s);
    s.push_back({skupina, Q(p.merenaHodnota) + jednotka, 130,
                 [v, f, uhel](int i) { return f.Hodnota(uhel, Prvek(v, i).hodnota); }, odlehly});
    s.push_back({skupina, Q(p.oprava) + jednotka, 130,
                 [v, f, uhel](int i) { return f.Hodnota(uhel, Prvek(v, i).oprava); }, odlehly});
    s.push_back({skupina, Q(p.opravaMezni) + jednotka, 130,
                 [v, f, uhel](int i) { return f.Hodnota(uhel, Prvek(v, i).mezniOprava); },
                 odlehly});
    s.push_back({skupina, Q(p.opravaNorm), 110,
                 [v](int i) { return FormatBunek::Statistika(Prvek(v, i).normOprava); }, odlehly});
    ModelSeznamu::Radky r = RadkyMereni(v);
    r.chybny = [v](int i) { return Prvek(v, i).jeOdlehly; };
    int pocetOdlehlych = 0;
    for (const TmerenaVelicina& z : *v) pocetOdlehlych += z.jeOdlehly ? 1 : 0;
    auto okno = std::make_unique<OknoSeznamu>(rodic, ws, nadpis);
    okno->Naplnit(std::move(r), std::move(s), ChybneRadky::Odlehle);
    okno->NastavitStav(" " + QString::number(pocetOdlehlych) + " / " + QString::number(v->size()));
    return okno;
}

}  // namespace vertano::ui
