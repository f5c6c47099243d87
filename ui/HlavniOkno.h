#pragma once

#include <QMainWindow>
#include <QPointer>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "Dialogy.h"
#include "InterakceOkna.h"
#include "OknoVstupu.h"
#include "Povoleni.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/VyrovnaniSite.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QThread;
class QToolBar;
class QUndoStack;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

class OknoVyrovnani;
class PruhPrace;
class TabulkaSurovych;
class WelcomePanel;
struct StepOutcome;

// The main window: the raw measurement table with its status line and the menus
// that drive the whole workflow. It computes nothing: each command calls the
// workspace and then refreshes the table, the menus and the status line.
// The raw-data analysis and the network adjustment run on a worker thread while
// the window shows their stage and stays responsive; their questions are asked
// here and answered before the worker goes on.
class HlavniOkno : public QMainWindow {
    Q_OBJECT

  public:
    HlavniOkno(Workspace& ws, Dialogy& dialogy, QWidget* rodic = nullptr);
    ~HlavniOkno() override;

    // Every action of the menus, by the purpose of its item.
    struct Akce {
        // Main
        QAction *pridat, *ulozitJako, *exportovat, *otevritProjekt, *ulozitProjekt;
        QAction *jazykCZ, *jazykEN, *jednotky, *kontrola, *zrcadleni, *redukce, *sit, *transformace,
            *protokol;
        QAction* zavrit;
        // Measurements
        QAction *noveMereni, *noveStanovisko, *upravit, *smazat, *najit, *najitDalsi,
            *najitPredchozi, *najitChybne, *posunNahoru, *posunDolu, *premistit, *kopirovat,
            *vyjmout, *vlozit, *vyradit, *zaradit;
        // Selection
        QAction *vybratVse, *zrusitVyber, *dleAtributu;
        QAction* vyberDle[9];
        // Identification
        QAction *zobrazPolohu, *zobrazSkupinu, *zrcadlit, *najitSkupiny, *seraditPolohy,
            *smazatMimoSkupiny, *rozdilPoloh, *prumerPoloh, *prumerSkupin, *kamenKamen;
        // Checking
        QAction *kontrolaHodnot, *kontrolaPoloh, *kontrolaSkupin, *kontrolaVse;
        // Supplement
        QAction* doplnek[4];  // slope distance, bearing, height difference, plumbing
        // Adjustment
        QAction *analyza, *fixniBody, *meritka, *predMereni, *predSouradnice, *rozdilFixni,
            *rozdilVse, *apriorni, *upravitPresnost, *vyrovnani;
        QAction* predDoplnek[4];
        QAction* rozdilDoplnek[4];
        QAction* vnitrni[3];
        QAction* vnejsi[3];
        QAction* oProgramu;
    };
    const Akce& Akce_() const { return a_; }
    const std::vector<QMenu*>& Menu() const { return menu_; }
    TabulkaSurovych& Tabulka() { return *tabulka_; }
    QLabel* StavVyberu() const { return vyber_; }
    QLabel* StavZpracovani() const { return zpracovani_; }
    const std::vector<QLabel*>& PocetChyb() const { return chyby_; }
    QPushButton* TlacitkoZastavit() const { return zastavit_; }
    // The busy line: stage, progress bar and Cancel.
    PruhPrace* Prubeh() const { return pruh_; }

    // ---- the desktop around the table ----
    // The welcome shown instead of an empty table while nothing is open.
    WelcomePanel* Uvitani() const { return uvitani_; }
    bool UvitaniViditelne() const;
    // "Main" / "Recent projects" (rebuilt as it opens).
    QMenu* PosledniProjekty() const { return posledni_; }
    // The toolbar of the main road: add, check, analyse, adjust, drawing,
    // report, save.
    QToolBar* Nastroje() const { return nastroje_; }
    // The outcome of the last step in the status bar, and its "Details" button
    // (shown when there is something to open).
    QLabel* Vysledek() const { return vysledek_; }
    QPushButton* Podrobnosti() const { return podrobnosti_; }
    // Files dropped onto the window or given otherwise: a project is opened
    // first (after the question about unsaved data), then raw measurement files
    // and networks are added, then point files (.txt) go to the given points;
    // anything else is named in a message.
    void OtevritSoubory(const QStringList& cesty);
    // A project of the recent list; a file that no longer exists is said so and
    // leaves the list.
    void OtevritNedavny(const QString& cesta);
    // The "Check" of the toolbar: the outcome of the checks, the first row in error.
    void PrikazZkontrolovat();
    // Undo and redo of the edits of the raw table (Ctrl+Z, Ctrl+Y): "Measurements"
    // starts with them. Adding files or opening a project empties the stack.
    QUndoStack* Zpet() const { return zpet_; }
    QAction* AkceZpet() const { return zpetAkce_; }
    QAction* AkceZnovu() const { return znovuAkce_; }

    // The enabling of every item from the state; evaluated when a menu opens and
    // after every command, so that the shortcuts follow it too.
    void AktualizovatMenu();
    // Captions of the title, menus, table and status line in the language in force.
    void NastavitTexty();
    // The table, status line and menus after the data changed.
    void Obnovit();

    // A long command (analysis, adjustment) is running on its worker thread.
    bool Bezi() const { return vlakno_ != nullptr; }
    // Processes events until the running long command has finished (tests).
    void PockatNaKonec();
    // The files to add as "Add ..." reads them (also used at start-up).
    void PridatSoubory(const std::vector<std::filesystem::path>& cesty);
    // A network of another program (the XML format of GNU Gama), with its message.
    void ImportovatSitOkna(const std::filesystem::path& cesta);
    // Arguments of the command line the program cannot open (start-up).
    void OznamitNeznameArgumenty(const QStringList& argumenty);

    // The commands of the menus (public for the tests and the start-up).
    void PrikazPridat();
    void PrikazUlozitJako();
    void PrikazExportovat();
    void PrikazJazyk(uint8_t typJazyk);
    void PrikazSmazat();
    // Switches the selected rows off (not used by the adjustment) or on again.
    void PrikazVyradit(bool vyradit);
    void PrikazKopirovat();
    void PrikazVyjmout();
    void PrikazVlozit();
    void PrikazPosunout(bool nahoru);
    void PrikazNajitChybne();
    void PrikazNajit(bool dopredu);
    void PrikazVybratDle(VyberDle pravidlo);
    void PrikazAnalyza();
    void PrikazVyrovnani();
    void PrikazNastaveni(int ktere);
    // The adjustment window over the current adjusted network, opened beside
    // this one (not modal) or raised when it is open; null when closed.
    void OtevritOknoVyrovnani();
    OknoVyrovnani* Vyrovnani() const;
    void PrikazOtevritProjekt();
    void PrikazUlozitProjekt();
    // Opens a project without asking (start-up, or after "Open project ..." was
    // confirmed): a file that cannot be read changes nothing and is named with the
    // reason; success is announced with the counts when `ohlasitUspech` is set.
    void OtevritProjekt(const std::filesystem::path& cesta, bool ohlasitUspech = true);

    // The record window of the raw list: 1 new station, 2 new row, 3 edit.
    void PrikazZaznam(int rezim);
    // The find window ("Find ...") or selection by attributes.
    void PrikazHledat(bool vyber);
    void PrikazPremistit();
    // The list windows of the menus and the result windows of the analysis.
    void OtevritSeznam(std::unique_ptr<SeznamVstupu> seznam);
    void Ukazat(std::unique_ptr<OknoSeznamu> okno);

    // The search patterns of "Find next" and "Find previous" and of the
    // selection by attributes (the find window stores them).
    VzorHledani vzorHledani;
    VzorHledani vzorVyberu;
    // Those of the list windows.
    VzoryHledani vzorySeznamu;

  signals:
    // A long command has finished and the window shows its outcome.
    void dokonceno();

  protected:
    void closeEvent(QCloseEvent* udalost) override;
    void showEvent(QShowEvent* udalost) override;
    void dragEnterEvent(QDragEnterEvent* udalost) override;
    void dropEvent(QDropEvent* udalost) override;

  private:
    void VytvoritMenu();
    void VytvoritKontextoveMenu();
    void VytvoritStavovyRadek(QWidget* hlavni);
    void NastavitPrepinace();
    void AktualizovatStav();
    void Zaneprazdneni(bool zapnout);
    // `meniMereni`: the worker changes the raw list, which the table meanwhile
    // shows from a copy; a worker that only reads it leaves the table on it.
    void SpustitNaPozadi(std::function<void(Interaction&, const Cekani&)> prace,
                         std::function<void()> potom, bool meniMereni = true);
    void Zprava(const QString& nadpis, const QString& text,
                const std::function<void()>& protokol = {});
    bool Potvrzeni(const QString& nadpis, const QString& text);
    void ZobrazitProtokol(const QString& nadpis, const std::vector<std::string>& radky);
    void PrepnoutSkupiny(bool zapnout);
    void NastavitKontrolu(int ktera, bool zapnout);
    void PoZmeneMereni();
    // The adjustment window closes (with its result windows) before anything
    // recomputes the adjusted network and once a command has ended it; a
    // change of language or units opens it again in them.
    void ZavritOknoVyrovnani();
    void ObnovitOknoVyrovnani();
    // The desktop: welcome, recent projects, toolbar, status bar, title mark.
    void VytvoritPlochu();
    void NastavitTextyPlochy();
    void NaplnitPosledni();
    void AktualizovatNastroje(bool zaneprazdneno);
    void AktualizovatUvitani();
    void AktualizovatNadpis();
    void UkazatVysledek(const StepOutcome& vysledek, std::function<void()> podrobnosti = {});
    void UkazatVysledekKontrol();
    // A message with the details of a stopped step; none when there are none.
    std::function<void()> DetailZpravy(const QString& nadpis, const QString& text);
    void PridatBody(const std::vector<std::filesystem::path>& cesty);
    // After the raw files were read: the outcome, the checks and the message.
    void PoPridani(const VysledekPridaniSurovych& v);
    void UlozitRozlozeni();
    // Runs an edit of the raw rows and puts it on the undo stack under the
    // caption of its menu item, when it changed anything.
    void ZaznamenatUpravu(const QAction* prikaz, const std::function<void()>& uprava);
    void VytvoritZpet();
    void AktualizovatZpet();

    Workspace& ws_;
    Dialogy& dialogy_;
    Akce a_{};
    std::vector<QMenu*> menu_;
    std::vector<QMenu*> podmenu_;
    QMenu* kontextove_ = nullptr;
    TabulkaSurovych* tabulka_ = nullptr;
    QLabel* vyber_ = nullptr;
    QLabel* zpracovani_ = nullptr;
    QPushButton* zastavit_ = nullptr;
    PruhPrace* pruh_ = nullptr;
    std::vector<QLabel*> chyby_;
    InterakceOkna* interakce_ = nullptr;
    QThread* vlakno_ = nullptr;
    std::atomic<bool> zastavitPozadano_{false};
    // What the table shows while a worker changes the real list.
    std::unique_ptr<Tmereni> snimek_;
    // The rows of the last file report ("Protocol" of the added-files message).
    std::vector<std::string> protokolSouboru_;
    bool prvniZobrazeni_ = true;
    QPointer<OknoVyrovnani> oknoVyrovnani_;

    QStackedWidget* stred_ = nullptr;
    WelcomePanel* uvitani_ = nullptr;
    // The user asked for the table while nothing is open.
    bool bezUvitani_ = false;
    QMenu* posledni_ = nullptr;
    QToolBar* nastroje_ = nullptr;
    // Toolbar items and the menu items they stand for (null: their own rule).
    std::vector<std::pair<QAction*, QAction*>> nastrojeAkce_;
    QAction *nastrojKontrola_ = nullptr, *nastrojKresba_ = nullptr, *nastrojProtokol_ = nullptr;
    QLabel* vysledek_ = nullptr;
    QPushButton* podrobnosti_ = nullptr;
    std::function<void()> podrobnostiAkce_;
    QUndoStack* zpet_ = nullptr;
    QAction *zpetAkce_ = nullptr, *znovuAkce_ = nullptr;
};

}  // namespace vertano::ui
