#include "SeznamVstupu.h"

#include <array>
#include <functional>

#include "CisloPole.h"
#include "DesktopTexts.h"
#include "Dialogy.h"
#include "FormatBunek.h"
#include "OknoCsv.h"
#include "Texty.h"
#include "data/SouradniceKontrola.h"
#include "exchange/Format.h"
#include "files/DoplnekSoubory.h"
#include "files/SouradniceSoubory.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/CislaOznameni.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/UpravyMereni.h"
#include "workspace/Vymena.h"
#include "workspace/VyrazeniMereni.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

std::string Cislo(const QString& text) {
    std::string s = S(text.trimmed());
    for (char& c : s) {
        if (c == ',') c = '.';
    }
    return s;
}

QString Jednotka_(const std::string& u) {
    return Q(u);
}

template <class T>
std::optional<T> Neprazdne(const QString& text, const std::optional<T>& hodnota) {
    return text.trimmed().isEmpty() ? std::nullopt : hodnota;
}

template <class Report>
QString ChybySouboru(const Report& r) {
    QString text;
    for (const auto& f : r.files) {
        if (!f.result.ok) text += "\n" + Q(f.message);
    }
    return text;
}

// The message of an add command; when files were registered, its "Protocol"
// button shows the workspace's report of the files added.
void UkazatPridani(QWidget* rodic, Dialogy& dialogy, Workspace& ws, const jazyk::Toznameni& o,
                   const QString& chyby, bool registrovano) {
    std::function<void()> protokol;
    if (registrovano) {
        const QString nadpis = Q(o.nadpis);
        protokol = [rodic, &dialogy, &ws, nadpis] {
            dialogy.Protokol(rodic, ws, nadpis, ws.protokolPridatSoubor.Radky());
        };
    }
    dialogy.Zprava(rodic, Q(o.nadpis), Q(o.text) + chyby, protokol);
}

// ---- point lists ----

class SeznamBoduOkna : public SeznamVstupu {
  public:
    SeznamBoduOkna(Workspace& ws, SeznamBodu druh)
        : SeznamVstupu(ws), druh_(druh), kopie_(Seznam(ws, druh)) {
        ZkontrolovatBody(ws_, druh_, kopie_);
    }

    bool Meritko() const { return druh_ == SeznamBodu::Meritko; }

    QString Nadpis() const override {
        const Tjazyk& j = ws_.jazyk;
        switch (druh_) {
            case SeznamBodu::Identicke:
                return Q(j.tlacitko.identickeBody) + " - " + Q(j.tlacitko.vystupniSystem2);
            case SeznamBodu::Meritko:
                return Q(j.popis.meritkoveKoeficienty);
            default:
                return Q(j.tlacitko.fixni) + " " + Male(j.popis.body);
        }
    }
    QString NazevMenu() const override {
        return Q(Meritko() ? ws_.jazyk.popis.meritkoveKoeficienty : ws_.jazyk.popis.souradnice);
    }
    QString Klic() const override { return "body" + QString::number(static_cast<int>(druh_)); }

    ModelSeznamu::Radky Radky() const override {
        ModelSeznamu::Radky r;
        r.pocet = [this] { return kopie_.Pocet(); };
        r.plny = [this](int i) { return Bod(i).JePlny; };
        r.chybny = [this](int i) { return Bod(i).MaKontrolu(); };
        return r;
    }

    std::vector<SloupecSeznamu> Sloupce() const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        std::vector<SloupecSeznamu> s;
        s.push_back({Q(p.bod), Q(p.cislo), 99, [this](int i) { return Q(Bod(i).cislo); },
                     [this](int i) { return Bod(i).kontrola[0] ? Znacka::Chyba : Znacka::Zadna; },
                     -1, true});
        if (Meritko()) {
            s.push_back(
                {QString(), Q(p.meritkovyKoeficient), 130,
                 [this, f](int i) { return f.Meritko(Bod(i).zkresleni); },
                 [this](int i) { return Bod(i).kontrola[1] ? Znacka::Chyba : Znacka::Zadna; }});
            return s;
        }
        const bool yx = ws_.nastaveni.jednotky.poradiSouradnice == 1;
        const int osy[3] = {yx ? 1 : 0, yx ? 0 : 1, 2};
        for (int k = 0; k < 3; ++k) {
            const int osa = osy[k];
            const QString nazev = Q(osa == 0 ? p.x : osa == 1 ? p.y : p.z);
            SloupecSeznamu c{Q(p.souradnice), nazev + Jednotka(u.x_hodnota), 130,
                             [this, f, osa](int i) {
                                 const Tbod& b = Bod(i);
                                 return f.Souradnice(osa == 0 ? b.X : osa == 1 ? b.Y : b.Z);
                             }};
            c.znacka = [this, k, osa](int i) {
                const Tbod& b = Bod(i);
                const bool chyba = b.kontrola[2] || (osa < 2 && b.kontrola[1]);
                if (chyba) return Znacka::Chyba;
                if (!b.JeFixni || druh_ != SeznamBodu::Fixni) return Znacka::Zadna;
                // A point fixed in plan or in height alone is marked in each
                // coordinate it holds, a fully fixed one in the first.
                const bool znacka = b.JeCastecneFixni() ? b.DrziOsu(osa) : k == 0;
                return znacka ? Znacka::Fixni : Znacka::Zadna;
            };
            s.push_back(std::move(c));
        }
        return s;
    }

    std::vector<AtributHledani> Atributy() const override {
        std::vector<AtributHledani> a;
        for (const SloupecSeznamu& s : Sloupce())
            a.push_back({s.nazev, AtributHledani::Druh::Cislo});
        a.front() = {Q(ws_.jazyk.popis.cisloBod), AtributHledani::Druh::Text};
        return a;
    }

    QString NadpisZaznamu(bool uprava) const override {
        return Q(uprava ? ws_.jazyk.nadpis.upravitBod : ws_.jazyk.nadpis.vlozitBod);
    }

    std::vector<PoleZaznamu> Pole(const Tvyber& vyber, bool uprava) const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        const int jediny = uprava ? vyber.Jediny() : -1;
        const Tbod* b = jediny >= 0 && jediny < kopie_.Pocet() ? &Bod(jediny) : nullptr;
        std::vector<PoleZaznamu> pole;
        // One number for several points would make duplicates.
        pole.push_back({Q(p.cisloBod), QString(), DruhPole::Jmeno, uprava && b == nullptr,
                        b != nullptr ? Q(b->cislo) : QString()});
        if (Meritko()) {
            pole.push_back({Q(p.meritkovyKoeficient), QString(), DruhPole::Cislo, false,
                            b != nullptr ? f.Meritko(b->zkresleni) : QString()});
            return pole;
        }
        const bool yx = ws_.nastaveni.jednotky.poradiSouradnice == 1;
        for (const int osa : {yx ? 1 : 0, yx ? 0 : 1, 2}) {
            const Real v = b == nullptr ? Real{0}
                           : osa == 0   ? Real(b->X)
                           : osa == 1   ? Real(b->Y)
                                        : Real(b->Z);
            pole.push_back({Q(osa == 0   ? p.x
                              : osa == 1 ? p.y
                                         : p.z),
                            Jednotka_(u.x_hodnota), DruhPole::Cislo, false,
                            b != nullptr ? f.Souradnice(v) : QString()});
        }
        return pole;
    }

    bool Zapsat(Tvyber& vyber, const std::vector<QString>& h, bool uprava) override {
        HodnotyBodu b;
        b.cislo = JmenoZTextu(h[0]);
        if (Meritko()) {
            b.zkresleni = Neprazdne(h[1], CisloZTextu(h[1]));
        } else {
            const bool yx = ws_.nastaveni.jednotky.poradiSouradnice == 1;
            std::optional<Real>* osy[3] = {yx ? &b.Y : &b.X, yx ? &b.X : &b.Y, &b.Z};
            for (int k = 0; k < 3; ++k) *osy[k] = SouradniceZTextu(h[1 + k], ws_.nastaveni);
        }
        return uprava ? UpravitBody(kopie_, vyber, b) : VlozitBod(kopie_, vyber, druh_, b);
    }

    QString OtazkaSmazani(int pocet) const override {
        return Q(ws_.jazyk.hlaseni.opravduSmazatBod) + QString::number(pocet) + ")";
    }
    bool Smazat(Tvyber& v) override { return SmazatBody(kopie_, v); }
    bool Kopirovat(const Tvyber& v) override { return KopirovatBody(ws_, kopie_, v) > 0; }
    bool Vyjmout(Tvyber& v) override { return VyjmoutBody(ws_, kopie_, v); }
    bool Vlozit(Tvyber& v) override { return VlozitSchrankuBodu(ws_, kopie_, v); }
    bool SchrankaPlna() const override {
        return ws_.nastaveni.schranka.souradnice_existuje && !ws_.schrankaSouradnice.bod.empty();
    }
    bool Posunout(Tvyber& v, bool nahoru) override { return PosunoutBod(kopie_, v, nahoru); }
    std::vector<std::pair<QString, int>> Razeni() const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        if (Meritko()) {
            return {{Q(p.cisloBod), Tsouradnice::kCislo},
                    {Q(p.meritkovyKoeficient), Tsouradnice::kZkresleni}};
        }
        const QString s = Q(ws_.jazyk.tlacitko.souradnice2) + " ";
        return {{Q(p.cisloBod), Tsouradnice::kCislo},
                {s + Q(p.x), Tsouradnice::kX},
                {s + Q(p.y), Tsouradnice::kY},
                {s + Q(p.z), Tsouradnice::kZ}};
    }
    bool Seradit(Tvyber& v, int kod) override { return SeraditBody(kopie_, v, kod); }
    bool PoradiJeZmenou() const override { return druh_ == SeznamBodu::Identicke; }

    bool Pridat(QWidget* rodic, Dialogy& dialogy) override {
        const DruhSouboru druh = Meritko() ? DruhSouboru::Meritko : DruhSouboru::Body;
        const std::vector<std::filesystem::path> cesty =
            dialogy.Otevrit(rodic, druh, true, ws_.nastaveni, ws_.jazyk);
        if (cesty.empty()) return false;
        // The command adds to the model's list: the copy goes there first and
        // comes back with the files.
        Tsouradnice& seznam = Seznam(ws_, druh_);
        seznam = kopie_;
        const int pred = seznam.PocetPlnychBodu();
        CoordinateLoadReport r;
        QString poznamky;
        switch (druh_) {
            case SeznamBodu::Meritko:
                r = PridatMeritka(ws_, cesty);
                break;
            case SeznamBodu::Identicke:
                r = PridatIdentickeBody(ws_, cesty);
                break;
            default:
                r = PridatZadaneAcsv(rodic, dialogy, cesty, poznamky);
                break;
        }
        kopie_ = seznam;
        const jazyk::Toznameni o = OznameniPridaniBodu(ws_, r, Meritko());
        UkazatPridani(rodic, dialogy, ws_, o, ChybySouboru(r) + poznamky, r.RegisteredFiles() > 0);
        return kopie_.PocetPlnychBodu() != pred;
    }

    void Ulozit(QWidget* rodic, Dialogy& dialogy) override {
        const DruhSouboru druh = Meritko() ? DruhSouboru::Meritko : DruhSouboru::Body;
        const std::filesystem::path cesta = dialogy.Ulozit(rodic, druh, ws_.nastaveni, ws_.jazyk);
        if (cesta.empty()) return;
        const CoordinateSaveReport r = Meritko()
                                           ? UlozeniSouboruMeritko(kopie_, ws_.nastaveni, cesta)
                                           : UlozeniSouboru(kopie_, ws_.nastaveni, cesta);
        if (!r.ok && !r.cancelled) OznamitChybuUlozeni(dialogy, rodic, ws_, r.message);
    }

    bool MaZamenu() const override { return !Meritko(); }
    bool MaFixaci() const override { return druh_ == SeznamBodu::Fixni; }
    bool ZamenitXY(const Tvyber& v) override { return vertano::ZamenitXY(kopie_, v); }
    bool Fixovat(const Tvyber& v, bool fixni) override { return FixovatBody(kopie_, v, fixni); }
    bool FixovatOsy(const Tvyber& v, FixniOsy osy) override {
        return FixovatOsyBodu(kopie_, v, osy);
    }
    void Zkontrolovat() override { ZkontrolovatBody(ws_, druh_, kopie_); }
    void Zavrit(bool zmeneno) override { ZapsatBody(ws_, druh_, kopie_, zmeneno); }

    std::any Snimek() const override { return kopie_; }
    void Vratit(const std::any& s) override {
        if (const auto* k = std::any_cast<Tsouradnice>(&s)) kopie_ = *k;
    }

  private:
    // Given points from files of the program's format and from CSV files, whose
    // layout the user chooses while seeing their first lines (cancelled: the
    // CSV files are not read). The notes of the CSV reader are added to
    // `poznamky`.
    CoordinateLoadReport PridatZadaneAcsv(QWidget* rodic, Dialogy& dialogy,
                                          const std::vector<std::filesystem::path>& cesty,
                                          QString& poznamky) {
        std::vector<std::filesystem::path> csv, nativni;
        for (const std::filesystem::path& c : cesty) {
            const bool jeCsv =
                exchange::FormatPodlePripony(c, exchange::Obsah::Body) == exchange::Format::Csv;
            (jeCsv ? csv : nativni).push_back(c);
        }
        CoordinateLoadReport r;
        if (!nativni.empty()) r = PridatZadaneBody(ws_, nativni);
        if (csv.empty() || r.stopped) return r;
        exchange::CsvVolby volby;
        if (ws_.nastaveni.jednotky.poradiSouradnice == 1) volby.poradi = "NYXZ";
        OknoCsv okno(rodic, csv.front(), volby, TextyPlochy(ws_.nastaveni.typJazyk),
                     Q(ws_.jazyk.tlacitko.zrusit));
        if (dialogy.Ukazat(okno) != QDialog::Accepted || !okno.Chyba().isEmpty()) return r;
        std::vector<std::string> texty;
        const CoordinateLoadReport c = PridatBodyCsv(ws_, csv, okno.Volby(), texty);
        r.files.insert(r.files.end(), c.files.begin(), c.files.end());
        r.stopped = c.stopped;
        for (const std::string& t : texty) poznamky += "\n" + Q(t);
        return r;
    }

    const Tbod& Bod(int i) const { return kopie_.bod[static_cast<std::size_t>(i)]; }

    SeznamBodu druh_;
    Tsouradnice kopie_;
};

// ---- supplementary measurements ----

class SeznamDoplnkuOkna : public SeznamVstupu {
  public:
    SeznamDoplnkuOkna(Workspace& ws, DruhDoplnku druh) : SeznamVstupu(ws), druh_(druh) {
        if (const Tmereni* s = ws.doplnekVstup.Seznam(druh)) kopie_ = *s;
        ZkontrolovatDoplnky(ws_, druh_, kopie_);
    }

    bool Uhel() const { return druh_ == DruhDoplnku::Smernik; }
    bool Delka() const { return druh_ == DruhDoplnku::Delka; }
    bool Provazeni() const { return druh_ == DruhDoplnku::Provazeni; }

    QString NazevDruhu() const { return Q(doplnek::NazevDruhu(ws_.jazyk, druh_)); }

    QString Nadpis() const override { return Q(ws_.jazyk.popis.doplnek) + " - " + NazevDruhu(); }
    QString NazevMenu() const override { return Q(ws_.jazyk.popis.mereni); }
    QString Klic() const override { return "doplnek" + QString::number(KodDruhu(druh_)); }

    ModelSeznamu::Radky Radky() const override {
        ModelSeznamu::Radky r;
        r.pocet = [this] { return static_cast<int>(kopie_.zaznam.size()); };
        r.plny = [this](int i) { return Radek(i).JePlny(); };
        r.chybny = [this](int i) { return Radek(i).MaKontrolu(); };
        return r;
    }

    std::vector<SloupecSeznamu> Sloupce() const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        const auto priznak = [this](int k) {
            return [this, k](int i) {
                return Radek(i).kontrola[static_cast<std::size_t>(k)] ? Znacka::Chyba
                                                                      : Znacka::Zadna;
            };
        };
        std::vector<SloupecSeznamu> s;
        s.push_back({QString(),
                     Q(p.poradi),
                     50,
                     [this](int i) { return FormatBunek::Cele(Radek(i).poradi); },
                     {},
                     -1,
                     true});
        s.push_back({Q(p.stanovisko), Q(p.cislo), 99,
                     [this](int i) { return Q(Radek(i).cislo_stn); }, priznak(0), -1, true});
        if (Delka()) {
            s.push_back({Q(p.stanovisko), Q(p.vyska) + Jednotka(u.delka_hodnota), 80,
                         [this, f](int i) { return f.Delka(Radek(i).vyska_stn); }, priznak(1)});
        }
        // A measurement switched off (by the command line or a project) says so.
        s.push_back({Q(p.cil), Q(p.cislo), 99,
                     [this](int i) {
                         const Tzaznam& z = Radek(i);
                         return z.jeVyrazeno
                                    ? Q(z.cislo_cil + " (" + ws_.jazyk.popis.nepouzito + ")")
                                    : Q(z.cislo_cil);
                     },
                     priznak(0)});
        if (Delka()) {
            s.push_back({Q(p.cil), Q(p.vyska) + Jednotka(u.delka_hodnota), 80,
                         [this, f](int i) { return f.Delka(Radek(i).vyska_cil); }, priznak(2)});
        }
        const QString druh = NazevDruhu();
        if (!Provazeni()) {
            const bool uhel = Uhel();
            s.push_back(
                {druh, Q(p.merenaHodnota) + Jednotka(uhel ? u.smer_hodnota : u.delka_hodnota), 130,
                 [this, f, uhel](int i) { return f.Hodnota(uhel, Radek(i).delka); }, priznak(3)});
        }
        const bool uhel = Uhel();
        s.push_back({druh, Q(p.smerOdchylka) + Jednotka(uhel ? u.smer_odchylka : u.delka_odchylka),
                     130, [this, f, uhel](int i) { return f.Odchylka(uhel, Radek(i).sig_delka); }});
        return s;
    }

    std::vector<AtributHledani> Atributy() const override {
        std::vector<AtributHledani> a;
        for (const SloupecSeznamu& s : Sloupce()) {
            const bool jmeno = s.nazev == Q(ws_.jazyk.popis.cislo);
            a.push_back({(s.skupina.isEmpty() ? QString() : s.skupina + " - ") + s.nazev,
                         jmeno ? AtributHledani::Druh::Text : AtributHledani::Druh::Cislo});
        }
        a.front().druh = AtributHledani::Druh::Cele;
        return a;
    }

    QString NadpisZaznamu(bool uprava) const override {
        return Q(uprava ? ws_.jazyk.nadpis.upravitMereni : ws_.jazyk.nadpis.vlozitMereni) + " - " +
               NazevDruhu();
    }

    std::vector<PoleZaznamu> Pole(const Tvyber& vyber, bool uprava) const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        const int jediny = uprava ? vyber.Jediny() : -1;
        const Tzaznam* z = jediny >= 0 && jediny < static_cast<int>(kopie_.zaznam.size())
                               ? &Radek(jediny)
                               : nullptr;
        const auto text = [z](auto&& hodnota) { return z != nullptr ? hodnota(*z) : QString(); };
        std::vector<PoleZaznamu> pole;
        pole.push_back({Q(p.cisloSTN), QString(), DruhPole::Jmeno, false,
                        text([](const Tzaznam& r) { return Q(r.cislo_stn); })});
        if (Delka()) {
            pole.push_back({Q(p.vyskaSTN), Q(u.delka_hodnota), DruhPole::Cislo, false,
                            text([&f](const Tzaznam& r) { return f.Delka(r.vyska_stn); })});
        }
        pole.push_back({Q(p.cisloCIL), QString(), DruhPole::Jmeno, false,
                        text([](const Tzaznam& r) { return Q(r.cislo_cil); })});
        if (Delka()) {
            pole.push_back({Q(p.vyskaCIL), Q(u.delka_hodnota), DruhPole::Cislo, false,
                            text([&f](const Tzaznam& r) { return f.Delka(r.vyska_cil); })});
        }
        const bool uhel = Uhel();
        if (!Provazeni()) {
            pole.push_back(
                {NazevDruhu(), Q(uhel ? u.smer_hodnota : u.delka_hodnota), DruhPole::Cislo, false,
                 text([&f, uhel](const Tzaznam& r) { return f.Hodnota(uhel, r.delka); })});
        }
        // The deviation may stay empty: the kind's deviation of the settings.
        PoleZaznamu odchylka{
            Q(p.smerOdchylka), Q(uhel ? u.smer_odchylka : u.delka_odchylka), DruhPole::Cislo, false,
            text([&f, uhel](const Tzaznam& r) { return f.Odchylka(uhel, r.sig_delka); })};
        pole.push_back(odchylka);
        return pole;
    }

    bool Zapsat(Tvyber& vyber, const std::vector<QString>& h, bool uprava) override {
        const Tnastaveni& n = ws_.nastaveni;
        HodnotyDoplnku d;
        std::size_t i = 0;
        d.cisloStn = JmenoZTextu(h[i++]);
        if (Delka()) d.vyskaStn = DelkaZTextu(h[i++], n);
        d.cisloCil = JmenoZTextu(h[i++]);
        if (Delka()) d.vyskaCil = DelkaZTextu(h[i++], n);
        if (!Provazeni()) d.hodnota = Uhel() ? UhelZTextu(h[i++], n) : DelkaZTextu(h[i++], n);
        d.odchylka = Uhel() ? OdchylkaUhluZTextu(h[i], n) : OdchylkaDelkyZTextu(h[i], n);
        return uprava ? UpravitDoplnky(kopie_, vyber, druh_, d)
                      : VlozitDoplnek(kopie_, vyber, druh_, d);
    }

    QString OtazkaSmazani(int pocet) const override {
        return Q(ws_.jazyk.hlaseni.opravduSmazatZaznam) + QString::number(pocet) + ")";
    }
    bool Smazat(Tvyber& v) override { return SmazatDoplnky(kopie_, v); }
    bool Kopirovat(const Tvyber& v) override { return KopirovatDoplnky(ws_, kopie_, v) > 0; }
    bool Vyjmout(Tvyber& v) override { return VyjmoutDoplnky(ws_, kopie_, v); }
    bool Vlozit(Tvyber& v) override { return VlozitSchrankuDoplnku(ws_, kopie_, v); }
    bool SchrankaPlna() const override {
        return ws_.nastaveni.schranka.mereniDoplnek_existuje &&
               !ws_.doplnekVstup.schranka.zaznam.empty();
    }
    bool Posunout(Tvyber& v, bool nahoru) override { return PosunoutDoplnek(kopie_, v, nahoru); }
    bool MaVyrazeni() const override { return true; }
    bool Vyradit(const Tvyber& v, bool vyradit) override {
        std::vector<int32_t> radky;
        for (std::size_t i = 0; i < v.hromadny.size(); ++i) {
            if (v.hromadny[i]) radky.push_back(static_cast<int32_t>(i));
        }
        return NastavitVyrazeniDoplnku(kopie_, radky, vyradit) > 0;
    }
    std::vector<std::pair<QString, int>> Razeni() const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        std::vector<std::pair<QString, int>> r = {{Q(p.cisloSTN), 5}, {Q(p.cisloCIL), 6}};
        if (!Provazeni()) r.emplace_back(NazevDruhu(), 9);
        return r;
    }
    bool Seradit(Tvyber& v, int kod) override { return SeraditDoplnky(kopie_, v, kod); }

    bool Pridat(QWidget* rodic, Dialogy& dialogy) override {
        const std::vector<std::filesystem::path> cesty =
            dialogy.Otevrit(rodic, DruhSouboru::Doplnek, true, ws_.nastaveni, ws_.jazyk);
        if (cesty.empty()) return false;
        Tmereni* seznam = ws_.doplnekVstup.Seznam(druh_);
        if (seznam == nullptr) return false;
        *seznam = kopie_;
        const int32_t pred = seznam->PocetPlnychZaznamu();
        const SupplementaryLoadReport r = PridatDoplnky(ws_, druh_, cesty);
        kopie_ = *seznam;
        const jazyk::Toznameni o = OznameniPridaniDoplnku(r, ws_.jazyk);
        UkazatPridani(rodic, dialogy, ws_, o, ChybySouboru(r), r.RegisteredFiles() > 0);
        return kopie_.PocetPlnychZaznamu() != pred;
    }

    void Ulozit(QWidget* rodic, Dialogy& dialogy) override {
        const std::filesystem::path cesta =
            dialogy.Ulozit(rodic, DruhSouboru::Doplnek, ws_.nastaveni, ws_.jazyk);
        if (cesta.empty()) return;
        TdoplnkoveMereni d;
        if (Tmereni* s = d.Seznam(druh_)) *s = kopie_;
        const SupplementarySaveReport r = UlozeniSouboruDoplnek(d, druh_, ws_.nastaveni, cesta);
        if (!r.ok && !r.cancelled) OznamitChybuUlozeni(dialogy, rodic, ws_, r.message);
    }

    void Zkontrolovat() override { ZkontrolovatDoplnky(ws_, druh_, kopie_); }
    void Zavrit(bool zmeneno) override { ZapsatDoplnky(ws_, druh_, kopie_, zmeneno); }

    std::any Snimek() const override { return kopie_; }
    void Vratit(const std::any& s) override {
        if (const auto* k = std::any_cast<Tmereni>(&s)) kopie_ = *k;
    }

  private:
    const Tzaznam& Radek(int i) const { return kopie_.zaznam[static_cast<std::size_t>(i)]; }

    DruhDoplnku druh_;
    Tmereni kopie_;
};

// ---- a-priori deviations of the prepared measurements ----

// The editors of a-priori deviations: values of rows that exist elsewhere, so
// no clipboard, no order, no files and no checks of their own.
class SeznamOdchylek : public SeznamVstupu {
  public:
    using SeznamVstupu::SeznamVstupu;
    bool MaSchranku() const override { return false; }
    bool Posunout(Tvyber&, bool) override { return false; }
    bool MaSoubory() const override { return false; }
    bool Pridat(QWidget*, Dialogy&) override { return false; }
    void Ulozit(QWidget*, Dialogy&) override {}
    void Zkontrolovat() override {}
};

class SeznamOdchylekOkna : public SeznamOdchylek {
  public:
    explicit SeznamOdchylekOkna(Workspace& ws) : SeznamOdchylek(ws), kopie_(ws.mereniVyrovnani) {}

    QString Nadpis() const override { return Q(ws_.jazyk.tlacitko.smerOdchylkyAprior); }
    QString NazevMenu() const override { return Q(ws_.jazyk.popis.mereni); }
    QString Klic() const override { return "odchylky"; }

    ModelSeznamu::Radky Radky() const override {
        ModelSeznamu::Radky r;
        r.pocet = [this] { return static_cast<int>(kopie_.zaznam.size()); };
        r.plny = [this](int i) { return Radek(i).JePlny(); };
        r.zaznam = [this](int i) { return &Radek(i); };
        return r;
    }

    std::vector<SloupecSeznamu> Sloupce() const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        const QString skupina = Q(p.smerOdchylka);
        return {
            {QString(),
             Q(p.poradi),
             50,
             [this](int i) { return FormatBunek::Cele(Radek(i).poradi); },
             {},
             sloupec::kPoradi,
             true},
            {Q(p.stanovisko),
             Q(p.cislo),
             99,
             [this](int i) { return Q(Radek(i).cislo_stn); },
             {},
             sloupec::kCisloStn,
             true},
            {Q(p.cil),
             Q(p.cislo),
             99,
             [this](int i) { return Q(Radek(i).cislo_cil); },
             {},
             sloupec::kCisloCil},
            {skupina, Q(p.smer) + Jednotka(u.smer_odchylka), 130,
             [this, f](int i) { return f.UhelOdchylka(Radek(i).sig_smer); }},
            {skupina, Q(p.zenit) + Jednotka(u.smer_odchylka), 130,
             [this, f](int i) { return f.UhelOdchylka(Radek(i).sig_zenit); }},
            {skupina, Q(p.delka) + Jednotka(u.delka_odchylka), 130,
             [this, f](int i) {
                 return Radek(i).MaDelku() ? f.DelkaOdchylka(Radek(i).sig_delka) : QString();
             }},
        };
    }

    std::vector<AtributHledani> Atributy() const override {
        std::vector<AtributHledani> a;
        for (const SloupecSeznamu& s : Sloupce())
            a.push_back({s.nazev, AtributHledani::Druh::Cislo});
        a[0].druh = AtributHledani::Druh::Cele;
        a[0].nazev = Q(ws_.jazyk.popis.poradi);
        a[1] = {Q(ws_.jazyk.popis.cisloSTN), AtributHledani::Druh::Text};
        a[2] = {Q(ws_.jazyk.popis.cisloCIL), AtributHledani::Druh::Text};
        return a;
    }

    bool MaNovy() const override { return false; }
    QString NadpisZaznamu(bool) const override {
        return Q(ws_.jazyk.tlacitko.upravit) + " - " + Q(ws_.jazyk.tlacitko.smerOdchylkyAprior);
    }

    std::vector<PoleZaznamu> Pole(const Tvyber& vyber, bool) const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        const int jediny = vyber.Jediny();
        const Tzaznam* z = jediny >= 0 && jediny < static_cast<int>(kopie_.zaznam.size())
                               ? &Radek(jediny)
                               : nullptr;
        return {{Q(p.smer), Q(u.smer_odchylka), DruhPole::Cislo, false,
                 z != nullptr ? f.UhelOdchylka(z->sig_smer) : QString()},
                {Q(p.zenit), Q(u.smer_odchylka), DruhPole::Cislo, false,
                 z != nullptr ? f.UhelOdchylka(z->sig_zenit) : QString()},
                {Q(p.delka), Q(u.delka_odchylka), DruhPole::Cislo, false,
                 z != nullptr && z->MaDelku() ? f.DelkaOdchylka(z->sig_delka) : QString()}};
    }

    bool Zapsat(Tvyber& vyber, const std::vector<QString>& h, bool) override {
        const Tnastaveni& n = ws_.nastaveni;
        HodnotyOdchylek o;
        o.smer = OdchylkaUhluZTextu(h[0], n);
        o.zenit = OdchylkaUhluZTextu(h[1], n);
        o.delka = OdchylkaDelkyZTextu(h[2], n);
        return UpravitOdchylky(kopie_, vyber, o);
    }

    QString OtazkaSmazani(int pocet) const override {
        return Q(ws_.jazyk.hlaseni.opravduSmazatOdchylky) + QString::number(pocet) + ")";
    }
    bool Smazat(Tvyber& v) override { return SmazatOdchylky(kopie_, v); }
    void Zavrit(bool zmeneno) override { ZapsatOdchylky(ws_, kopie_, zmeneno); }

    std::any Snimek() const override { return kopie_; }
    void Vratit(const std::any& s) override {
        if (const auto* k = std::any_cast<Tmereni>(&s)) kopie_ = *k;
    }

  private:
    const Tzaznam& Radek(int i) const { return kopie_.zaznam[static_cast<std::size_t>(i)]; }

    Tmereni kopie_;
};

// ---- a-priori deviations of the identical points ----

class SeznamOdchylekBoduOkna : public SeznamOdchylek {
  public:
    explicit SeznamOdchylekBoduOkna(Workspace& ws)
        : SeznamOdchylek(ws), kopie_(IdentickeVystup(ws)) {}

    QString Nadpis() const override { return Q(ws_.jazyk.tlacitko.smerOdchylkyAprior); }
    QString NazevMenu() const override { return Q(ws_.jazyk.popis.souradnice); }
    QString Klic() const override { return "odchylkyBodu"; }

    ModelSeznamu::Radky Radky() const override {
        ModelSeznamu::Radky r;
        r.pocet = [this] { return kopie_.Pocet(); };
        r.plny = [this](int i) { return Bod(i).JePlny; };
        return r;
    }

    std::vector<SloupecSeznamu> Sloupce() const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        std::vector<SloupecSeznamu> s;
        s.push_back(
            {Q(p.bod), Q(p.cislo), 99, [this](int i) { return Q(Bod(i).cislo); }, {}, -1, true});
        for (const int osa : Osy()) {
            s.push_back({Q(p.smerOdchylka),
                         Q(osa == 0   ? p.x
                           : osa == 1 ? p.y
                                      : p.z) +
                             Jednotka(u.x_odchylka),
                         130, [this, f, osa](int i) {
                             const Tbod& b = Bod(i);
                             return f.SouradniceOdchylka(osa == 0   ? b.Presnost().sig_X
                                                         : osa == 1 ? b.Presnost().sig_Y
                                                                    : b.Presnost().sig_Z);
                         }});
        }
        return s;
    }

    std::vector<AtributHledani> Atributy() const override {
        std::vector<AtributHledani> a;
        for (const SloupecSeznamu& s : Sloupce())
            a.push_back({s.nazev, AtributHledani::Druh::Cislo});
        a.front() = {Q(ws_.jazyk.popis.cisloBod), AtributHledani::Druh::Text};
        return a;
    }

    bool MaNovy() const override { return false; }
    QString NadpisZaznamu(bool) const override {
        return Q(ws_.jazyk.tlacitko.upravit) + " - " + Q(ws_.jazyk.tlacitko.smerOdchylkyAprior);
    }

    std::vector<PoleZaznamu> Pole(const Tvyber& vyber, bool) const override {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
        const FormatBunek f(ws_.nastaveni);
        const int jediny = vyber.Jediny();
        const Tbod* b = jediny >= 0 && jediny < kopie_.Pocet() ? &Bod(jediny) : nullptr;
        std::vector<PoleZaznamu> pole;
        for (const int osa : Osy()) {
            const Real v = b == nullptr ? Real{-1}
                           : osa == 0   ? Real(b->Presnost().sig_X)
                           : osa == 1   ? Real(b->Presnost().sig_Y)
                                        : Real(b->Presnost().sig_Z);
            pole.push_back({Q(osa == 0   ? p.x
                              : osa == 1 ? p.y
                                         : p.z),
                            Q(u.x_odchylka), DruhPole::Cislo, false, f.SouradniceOdchylka(v)});
        }
        return pole;
    }

    bool Zapsat(Tvyber& vyber, const std::vector<QString>& h, bool) override {
        HodnotyOdchylekBodu o;
        const std::array<int, 3> osy = Osy();
        for (std::size_t k = 0; k < 3; ++k) {
            const std::optional<Real> c = CisloZTextu(h[k]);
            std::optional<Real> m;
            if (c) m = DeviationToMetres(*c, ws_.nastaveni.jednotky.souradnice);
            (osy[k] == 0 ? o.X : osy[k] == 1 ? o.Y : o.Z) = m;
        }
        return UpravitOdchylkyBodu(kopie_, vyber, o);
    }

    QString OtazkaSmazani(int pocet) const override {
        return Q(ws_.jazyk.hlaseni.opravduSmazatOdchylkySour) + QString::number(pocet) + ")";
    }
    bool Smazat(Tvyber& v) override { return SmazatOdchylkyBodu(kopie_, v); }
    void Zavrit(bool zmeneno) override { ZapsatOdchylkyIdentickych(ws_, kopie_, zmeneno); }

    std::any Snimek() const override { return kopie_; }
    void Vratit(const std::any& s) override {
        if (const auto* k = std::any_cast<Tsouradnice>(&s)) kopie_ = *k;
    }

  private:
    std::array<int, 3> Osy() const {
        const bool yx = ws_.nastaveni.jednotky.poradiSouradnice == 1;
        return {yx ? 1 : 0, yx ? 0 : 1, 2};
    }
    const Tbod& Bod(int i) const { return kopie_.bod[static_cast<std::size_t>(i)]; }

    Tsouradnice kopie_;
};

}  // namespace

std::unique_ptr<SeznamVstupu> SeznamVstupuOdchylekBodu(Workspace& ws) {
    return std::make_unique<SeznamOdchylekBoduOkna>(ws);
}

std::unique_ptr<SeznamVstupu> SeznamVstupuBodu(Workspace& ws, SeznamBodu druh) {
    return std::make_unique<SeznamBoduOkna>(ws, druh);
}

std::unique_ptr<SeznamVstupu> SeznamVstupuDoplnku(Workspace& ws, DruhDoplnku druh) {
    return std::make_unique<SeznamDoplnkuOkna>(ws, druh);
}

std::unique_ptr<SeznamVstupu> SeznamVstupuOdchylek(Workspace& ws) {
    return std::make_unique<SeznamOdchylekOkna>(ws);
}

namespace {

// A number typed in a display unit, read by `cteni` into internal units.
template <class Cteni>
std::optional<Real> ZTextu(const QString& text, const Cteni& cteni) {
    Real v = 0;
    if (text.trimmed().isEmpty() || !CisloZTextu(text)) return std::nullopt;
    if (cteni(Cislo(text), v) != NumberStatus::Ok) return std::nullopt;
    return v;
}

}  // namespace

std::optional<Real> DelkaZTextu(const QString& text, const Tnastaveni& nastaveni) {
    return ZTextu(
        text, [&](const auto& c, Real& v) { return ParseLength(c, nastaveni.jednotky.delka, v); });
}

std::optional<Real> UhelZTextu(const QString& text, const Tnastaveni& nastaveni) {
    return ZTextu(
        text, [&](const auto& c, Real& v) { return ParseAngle(c, nastaveni.jednotky.uhel, v); });
}

std::optional<Real> SouradniceZTextu(const QString& text, const Tnastaveni& nastaveni) {
    return ZTextu(text, [&](const auto& c, Real& v) {
        return ParseLength(c, nastaveni.jednotky.souradnice, v);
    });
}

std::optional<Real> OdchylkaDelkyZTextu(const QString& text, const Tnastaveni& nastaveni) {
    const std::optional<Real> c = CisloZTextu(text);
    if (!c) return std::nullopt;
    return DeviationToMetres(*c, nastaveni.jednotky.delka);
}

std::optional<Real> OdchylkaUhluZTextu(const QString& text, const Tnastaveni& nastaveni) {
    const std::optional<Real> c = CisloZTextu(text);
    if (!c) return std::nullopt;
    return DeviationToRadians(*c, nastaveni.jednotky.uhel);
}

std::optional<std::string> JmenoZTextu(const QString& text) {
    const std::string jmeno = OrezatJmeno(S(text));
    if (jmeno.empty()) return std::nullopt;
    return jmeno;
}

}  // namespace vertano::ui
