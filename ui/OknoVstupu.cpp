#include "OknoVstupu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "DesktopTexts.h"
#include "Dialogy.h"
#include "Texty.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

// One edit of the working copy: the copy before and after it, and whether it
// then differed from the list. Pushing it does nothing (the edit is done).
class UpravaSeznamu : public QUndoCommand {
  public:
    using Vraceni = std::function<void(const std::any&, bool)>;
    UpravaSeznamu(Vraceni vratit, std::any pred, std::any po, bool predZmeneno, bool poZmeneno)
        : vratit_(std::move(vratit)),
          pred_(std::move(pred)),
          po_(std::move(po)),
          predZmeneno_(predZmeneno),
          poZmeneno_(poZmeneno) {}

    void undo() override {
        vratit_(pred_, predZmeneno_);
        provedeno_ = false;
    }
    void redo() override {
        if (provedeno_) return;
        vratit_(po_, poZmeneno_);
        provedeno_ = true;
    }

  private:
    Vraceni vratit_;
    std::any pred_;
    std::any po_;
    bool predZmeneno_;
    bool poZmeneno_;
    bool provedeno_ = true;
};

}  // namespace

OknoVstupu::OknoVstupu(QWidget* rodic, Workspace& ws, Dialogy& dialogy, VzoryHledani& vzory,
                       std::unique_ptr<SeznamVstupu> seznam)
    : OknoSeznamu(rodic, ws, seznam->Nadpis()),
      dialogy_(dialogy),
      vzory_(vzory),
      seznam_(std::move(seznam)) {
    NastavitDialogy(&dialogy_);
    setObjectName("oknoVstupu");
    Naplnit(seznam_->Radky(), seznam_->Sloupce());
    VytvoritMenu();
    connect(&Tabulka(), &Tabulka::vyberZmenen, this, &OknoVstupu::AktualizovatMenu);
    connect(this, &OknoSeznamu::kontextoveMenu, this, &OknoVstupu::AktualizovatMenu);
    connect(&Tabulka(), &Tabulka::dvojklik, this, [this] {
        if (Tabulka().Vyber().Pocet() > 0) {
            PrikazZaznam(true);
        } else if (seznam_->MaNovy()) {
            PrikazZaznam(false);
        }
    });
    AktualizovatMenu();
}

OknoVstupu::~OknoVstupu() {
    // The stack, destroyed with the children, reports its clearing: not here.
    if (zpet_ != nullptr) disconnect(zpet_, nullptr, this, nullptr);
}

void OknoVstupu::VytvoritMenu() {
    const Tjazyk& j = ws_.jazyk;
    const jazyk::Ttlacitko& t = j.tlacitko;
    QMenuBar* lista = Menu();
    const auto menu = [this, lista](const QString& nazev) {
        QMenu* m = lista->addMenu(nazev);
        connect(m, &QMenu::aboutToShow, this, &OknoVstupu::AktualizovatMenu);
        menu_.push_back(m);
        return m;
    };
    const auto akce = [this](QMenu* m, const QString& text, const QKeySequence& klavesa,
                             auto&& prikaz) {
        QAction* a = m->addAction(text);
        if (!klavesa.isEmpty()) {
            a->setShortcut(klavesa);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        connect(a, &QAction::triggered, this, prikaz);
        return a;
    };
    const QKeySequence zadna;
    using K = QKeySequence;

    QMenu* m = menu(Q(t.hlavni));
    a_.pridat = akce(m, Okno(t.pridat), zadna, [this] {
        Spustit([this] { return seznam_->Pridat(this, dialogy_); });
        Naplnit(seznam_->Radky(), seznam_->Sloupce());
        // Files registered in the project are not taken back by undo.
        zpet_->clear();
        AktualizovatMenu();
    });
    a_.ulozit = akce(m, Q(t.ulozit) + " " + Q(t.jako) + " ...", zadna,
                     [this] { seznam_->Ulozit(this, dialogy_); });
    m->addSeparator();
    a_.zavrit = akce(m, Q(t.ukoncit), zadna, [this] { reject(); });

    m = menu(seznam_->NazevMenu());
    zpet_ = new QUndoStack(this);
    // The stack moves its index only after a step has been undone or redone.
    connect(zpet_, &QUndoStack::indexChanged, this, &OknoVstupu::AktualizovatMenu);
    a_.zpet = akce(m, QString(), K(Qt::CTRL | Qt::Key_Z), [this] {
        if (zpet_->canUndo()) zpet_->undo();
    });
    a_.znovu = akce(m, QString(), K(Qt::CTRL | Qt::Key_Y), [this] {
        if (zpet_->canRedo()) zpet_->redo();
    });
    m->addSeparator();
    a_.novy = akce(m, Okno(t.novy), K(Qt::Key_Insert), [this] { PrikazZaznam(false); });
    a_.upravit = akce(m, Okno(t.upravit), K(Qt::CTRL | Qt::Key_B), [this] { PrikazZaznam(true); });
    a_.smazat = akce(m, Q(t.smazat), K(Qt::Key_Delete), [this] { PrikazSmazat(); });
    m->addSeparator();
    a_.najit = akce(m, Okno(t.najit), K(Qt::CTRL | Qt::Key_F3), [this] { PrikazNajit(false); });
    a_.najitDalsi = akce(m, Q(t.najit) + " " + Male(t.dalsi), K(Qt::Key_F3),
                         [this] { PrikazNajitDalsi(true); });
    a_.najitPredchozi = akce(m, Q(t.najit) + " " + Male(t.predchozi), K(Qt::SHIFT | Qt::Key_F3),
                             [this] { PrikazNajitDalsi(false); });
    a_.najitChybne = akce(m, Q(t.najit) + " " + Male(t.chybne), K(Qt::Key_F2),
                          [this] { Tabulka().NajitChybny(); });
    m->addSeparator();
    QMenu* posun = m->addMenu(Q(t.posun));
    a_.nahoru = akce(posun, Q(t.posunNahoru), K(Qt::CTRL | Qt::Key_N), [this] {
        Spustit([this] { return seznam_->Posunout(Tabulka().Vyber(), true); },
                seznam_->PoradiJeZmenou());
    });
    a_.dolu = akce(posun, Q(t.posunDolu), K(Qt::CTRL | Qt::Key_M), [this] {
        Spustit([this] { return seznam_->Posunout(Tabulka().Vyber(), false); },
                seznam_->PoradiJeZmenou());
    });
    razeni_ = m->addMenu(Q(t.seradit) + " " + Q(t.podle) + " ...");
    for (const auto& [nazev, kod] : seznam_->Razeni()) {
        const int k = kod;
        akce(razeni_, nazev, zadna, [this, k] { PrikazSeradit(k); });
    }
    razeni_->menuAction()->setVisible(!seznam_->Razeni().empty());
    m->addSeparator();
    a_.kopirovat = akce(m, Q(t.kopirovat), K(Qt::CTRL | Qt::Key_C), [this] {
        Kopirovat();
        seznam_->Kopirovat(Tabulka().Vyber());
        AktualizovatMenu();
    });
    a_.vyjmout = akce(m, Q(t.vyjmout), K(Qt::CTRL | Qt::Key_X), [this] {
        Kopirovat();
        Spustit([this] { return seznam_->Vyjmout(Tabulka().Vyber()); });
    });
    a_.vlozit = akce(m, Q(t.vlozit2), K(Qt::CTRL | Qt::Key_V),
                     [this] { Spustit([this] { return seznam_->Vlozit(Tabulka().Vyber()); }); });
    m->addSeparator();
    a_.zamenit = akce(m, Q(t.zamenit) + " X-Y", zadna, [this] {
        Spustit([this] { return seznam_->ZamenitXY(Tabulka().Vyber()); });
    });
    a_.vyradit = akce(m, Q(t.vyraditMereni), zadna, [this] {
        Spustit([this] { return seznam_->Vyradit(Tabulka().Vyber(), true); });
    });
    a_.zaradit = akce(m, Q(t.zaraditMereni), zadna, [this] {
        Spustit([this] { return seznam_->Vyradit(Tabulka().Vyber(), false); });
    });
    fixace_ = m->addMenu(Q(t.fixace));
    a_.fixni = akce(fixace_, Q(t.jeFixni), zadna, [this] {
        Spustit([this] { return seznam_->Fixovat(Tabulka().Vyber(), true); });
    });
    a_.nefixni = akce(fixace_, Q(t.neniFixni), zadna, [this] {
        Spustit([this] { return seznam_->Fixovat(Tabulka().Vyber(), false); });
    });
    akce(fixace_, Q(t.fixniPoloha), zadna, [this] {
        Spustit([this] { return seznam_->FixovatOsy(Tabulka().Vyber(), FixniOsy::Poloha); });
    });
    akce(fixace_, Q(t.fixniVyska), zadna, [this] {
        Spustit([this] { return seznam_->FixovatOsy(Tabulka().Vyber(), FixniOsy::Vyska); });
    });
    a_.zamenit->setVisible(seznam_->MaZamenu());
    fixace_->menuAction()->setVisible(seznam_->MaFixaci());
    a_.vyradit->setVisible(seznam_->MaVyrazeni());
    a_.zaradit->setVisible(seznam_->MaVyrazeni());
    a_.novy->setVisible(seznam_->MaNovy());
    a_.pridat->setVisible(seznam_->MaSoubory());
    a_.ulozit->setVisible(seznam_->MaSoubory());
    a_.vyjmout->setVisible(seznam_->MaSchranku());
    a_.vlozit->setVisible(seznam_->MaSchranku());

    m = menu(Q(t.vyber));
    a_.vybratVse =
        akce(m, Q(t.vybratVse), K(Qt::CTRL | Qt::Key_A), [this] { Tabulka().VybratVse(); });
    a_.zrusitVyber =
        akce(m, Q(t.zrusitVyber), K(Qt::CTRL | Qt::Key_D), [this] { Tabulka().ZrusitVyber(); });
    m->addSeparator();
    a_.dleAtributu = akce(m, Okno(t.dleAtributu), zadna, [this] { PrikazNajit(true); });

    auto* kontext = new QMenu(this);
    for (QAction* a : {a_.novy, a_.upravit, a_.smazat}) kontext->addAction(a);
    kontext->addSeparator();
    kontext->addAction(a_.nahoru);
    kontext->addAction(a_.dolu);
    kontext->addSeparator();
    for (QAction* a : {a_.kopirovat, a_.vyjmout, a_.vlozit}) kontext->addAction(a);
    if (seznam_->MaVyrazeni()) {
        kontext->addSeparator();
        kontext->addAction(a_.vyradit);
        kontext->addAction(a_.zaradit);
    }
    NahraditKontextoveMenu(kontext);
}

void OknoVstupu::AktualizovatMenu() {
    const Tvyber& v = Tabulka().Vyber();
    const int vybrano = v.Pocet();
    const ModelSeznamu& model = Model();
    int plne = 0;
    bool chybne = false;
    for (int r = 0; r < model.PocetZaznamu(); ++r) {
        plne += model.JePlny(r) ? 1 : 0;
        chybne = chybne || model.JeChybny(r);
    }
    const DesktopTexts& texty = TextyPlochy(ws_.nastaveni.typJazyk);
    a_.zpet->setText(texty.undo);
    a_.znovu->setText(texty.redo);
    a_.zpet->setEnabled(zpet_->canUndo());
    a_.znovu->setEnabled(zpet_->canRedo());
    a_.novy->setEnabled(seznam_->MaNovy());
    a_.upravit->setEnabled(vybrano > 0);
    a_.smazat->setEnabled(vybrano > 0);
    a_.najit->setEnabled(plne > 0);
    a_.najitDalsi->setEnabled(plne > 0);
    a_.najitPredchozi->setEnabled(plne > 0);
    a_.najitChybne->setEnabled(chybne);
    a_.nahoru->setEnabled(vybrano == 1);
    a_.dolu->setEnabled(vybrano == 1);
    razeni_->setEnabled(plne > 1);
    a_.kopirovat->setEnabled(vybrano > 0);
    a_.vyjmout->setEnabled(vybrano > 0 && seznam_->MaSchranku());
    a_.vlozit->setEnabled(seznam_->SchrankaPlna() && vybrano <= 1);
    a_.zamenit->setEnabled(vybrano > 0);
    fixace_->setEnabled(vybrano > 0);
    a_.vyradit->setEnabled(vybrano > 0);
    a_.zaradit->setEnabled(vybrano > 0);
    a_.vybratVse->setEnabled(plne > 0);
    a_.zrusitVyber->setEnabled(plne > 0);
    a_.dleAtributu->setEnabled(plne > 0);
}

void OknoVstupu::Spustit(const std::function<bool()>& prikaz, bool jeZmenou) {
    std::any pred = seznam_->Snimek();
    const bool predZmeneno = zmeneno_;
    Zaneprazdneni(true);
    const bool zmena = prikaz();
    if (zmena) {
        if (jeZmenou) zmeneno_ = true;
        seznam_->Zkontrolovat();
        if (pred.has_value()) {
            zpet_->push(new UpravaSeznamu([this](const std::any& s, bool z) { Vratit(s, z); },
                                          std::move(pred), seznam_->Snimek(), predZmeneno,
                                          zmeneno_));
        }
    }
    Zaneprazdneni(false);
    Obnovit();
    const int aktualni = Tabulka().Vyber().aktualni;
    if (zmena && aktualni >= 0) Tabulka().NastavitAktualni(aktualni);
    AktualizovatMenu();
    Tabulka().setFocus();
}

void OknoVstupu::Vratit(const std::any& snimek, bool zmeneno) {
    seznam_->Vratit(snimek);
    zmeneno_ = zmeneno;
    seznam_->Zkontrolovat();
    Tabulka().ZrusitVyber();
    Obnovit();
    AktualizovatMenu();
}

void OknoVstupu::PrikazZaznam(bool uprava) {
    if (uprava && Tabulka().Vyber().Pocet() == 0) return;
    if (!uprava && !seznam_->MaNovy()) return;
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    const OknoZaznamu::Texty texty{Q(t.ukoncit), Q(t.vycistit), Q(t.vlozit), Q(t.ukocitAVlozit)};
    OknoZaznamu okno(this, seznam_->NadpisZaznamu(uprava), texty,
                     seznam_->Pole(Tabulka().Vyber(), uprava), uprava);
    okno.vlozit = [this, uprava](const std::vector<QString>& hodnoty) {
        bool zmena = false;
        Spustit([&] {
            zmena = seznam_->Zapsat(Tabulka().Vyber(), hodnoty, uprava);
            return zmena;
        });
        return zmena;
    };
    okno.naplnit = [this, uprava] {
        std::vector<QString> h;
        for (const PoleZaznamu& p : seznam_->Pole(Tabulka().Vyber(), uprava))
            h.push_back(p.hodnota);
        return h;
    };
    dialogy_.Ukazat(okno);
}

void OknoVstupu::PrikazSmazat() {
    const int pocet = Tabulka().Vyber().Pocet();
    if (pocet == 0) return;
    if (!dialogy_.Potvrzeni(this, Q(ws_.jazyk.nadpis.varovani), seznam_->OtazkaSmazani(pocet)))
        return;
    Spustit([this] { return seznam_->Smazat(Tabulka().Vyber()); });
    Tabulka().Vyber().Zrusit();
    Obnovit();
}

bool OknoVstupu::Odpovida(int radek, const VzorAtributu& vzor) const {
    const std::vector<AtributHledani> atributy = seznam_->Atributy();
    const ModelSeznamu& model = Model();
    for (std::size_t s = 0; s < vzor.size() && s < atributy.size(); ++s) {
        const bool cislo = atributy[s].druh != AtributHledani::Druh::Text;
        if (!SplnujePodminku(S(model.Text(radek, static_cast<int>(s))), vzor[s], cislo))
            return false;
    }
    return true;
}

void OknoVstupu::PrikazNajit(bool vyber) {
    auto& [najit, vybrat] = vzory_.seznamy[seznam_->Klic()];
    VzorAtributu& vzor = vyber ? vybrat : najit;
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    OknoHledani okno(this, vyber ? Q(t.vyber) + " " + Male(t.dleAtributu) : Q(t.najit),
                     vyber ? Q(t.vybrat) : Q(t.najit), Q(t.ukoncit), seznam_->Atributy(), vzor);
    if (dialogy_.Ukazat(okno) != QDialog::Accepted) return;
    ui::Tabulka& tab = Tabulka();
    const ModelSeznamu& model = Model();
    if (!vyber) {
        // The find window goes on from the first row; "Find next" does not.
        PrikazNajitDalsi(true, true);
        return;
    }
    Tvyber& v = tab.Vyber();
    v.Velikost(static_cast<std::size_t>(model.PocetZaznamu()));
    for (int r = 0; r < model.PocetZaznamu(); ++r)
        v.hromadny[static_cast<std::size_t>(r)] = model.JePlny(r) && Odpovida(r, vzor);
    Obnovit();
    if (v.Prvni() >= 0) tab.NastavitAktualni(v.Prvni());
    AktualizovatMenu();
}

void OknoVstupu::PrikazNajitDalsi(bool dopredu, bool dokola) {
    const auto it = vzory_.seznamy.find(seznam_->Klic());
    if (it == vzory_.seznamy.end()) return;
    const VzorAtributu& vzor = it->second.first;
    if (std::none_of(vzor.begin(), vzor.end(),
                     [](const PodminkaVzoru& p) { return p.porovnani != Porovnani::Zadne; }))
        return;
    const ModelSeznamu& model = Model();
    const int n = model.PocetZaznamu();
    if (n == 0) return;
    const int od = Tabulka().AktualniRadek();
    for (int k = 1; k <= n; ++k) {
        const int r = dopredu ? std::max(od, -1) + k : od - k;
        if (r < 0 || (r >= n && !dokola)) break;
        // Round the end, up to the current row.
        if (r >= n && r % n > od) break;
        if (r >= n) {
            const int z = r % n;
            if (model.JePlny(z) && Odpovida(z, vzor)) {
                Tabulka().NastavitAktualni(z);
                return;
            }
            continue;
        }
        if (model.JePlny(r) && Odpovida(r, vzor)) {
            Tabulka().NastavitAktualni(r);
            return;
        }
    }
}

void OknoVstupu::PrikazSeradit(int kod) {
    Spustit([this, kod] { return seznam_->Seradit(Tabulka().Vyber(), kod); },
            seznam_->PoradiJeZmenou());
}

void OknoVstupu::done(int vysledek) {
    if (!zavreno_) {
        zavreno_ = true;
        seznam_->Zavrit(zmeneno_);
    }
    OknoSeznamu::done(vysledek);
}

}  // namespace vertano::ui
