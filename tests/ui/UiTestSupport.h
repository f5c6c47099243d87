#pragma once

#include <QString>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Dialogy.h"
#include "Tabulka.h"
#include "workspace/Simulace.h"

namespace vertano {
class Workspace;
}

namespace vertano::ui::test {

// Dialogs answered from a script: every message and question is recorded, the
// answers and the chosen files are taken from the queues in order.
class SkriptDialogy : public Dialogy {
  public:
    void Zprava(QWidget* rodic, const QString& nadpis, const QString& text,
                const std::function<void()>& protokol) override;
    bool Potvrzeni(QWidget* rodic, const QString& nadpis, const QString& text) override;
    std::vector<std::filesystem::path> Otevrit(QWidget* rodic, DruhSouboru druh, bool vice,
                                               Tnastaveni& nastaveni, const Tjazyk& jazyk) override;
    std::filesystem::path Ulozit(QWidget* rodic, DruhSouboru druh, Tnastaveni& nastaveni,
                                 const Tjazyk& jazyk) override;
    void Protokol(QWidget* rodic, Workspace& ws, const QString& nadpis,
                  const std::vector<std::string>& radky) override;
    // Records the window's title and hands it to `priOkne` (which may drive it
    // and close it) instead of waiting for a person; returns `vysledekOkna`.
    int Ukazat(QDialog& okno) override;
    // Shows the window as the program does (not modal), records its title and
    // hands it to `priOkne`.
    void UkazatVedle(QDialog& okno) override;

    std::vector<QString> zpravy;  // "title: text"
    std::vector<QString> otazky;  // "title: text"
    // Every question asked from the thread of the windows.
    bool otazkyVeVlaknuOken = true;
    // The report windows shown: title and lines.
    std::vector<std::pair<QString, std::vector<std::string>>> protokoly;
    // Called while a question is open, before it is answered.
    std::function<void()> priOtazce;
    std::deque<bool> odpovedi;  // then `vychoziOdpoved`
    bool vychoziOdpoved = false;
    std::deque<std::vector<std::filesystem::path>> otevreni;
    std::deque<std::filesystem::path> ulozeni;
    // The titles of the program's windows shown, in order.
    std::vector<QString> okna;
    std::function<void(QDialog&)> priOkne;
    int vysledekOkna = 0;
    // Called while a message with the "Protocol" button is open, in its place.
    std::function<void(const std::function<void()>&)> protokol;
};

// A network generated as the simulator makes it, loaded as the window holds it:
// raw rows identified and checked, given points checked.
SimulovanaSit Sit(SimulaceTvar tvar, int pocetBodu, int pocetZadanych, uint64_t seed = 1);
void Nacist(Workspace& ws, const SimulovanaSit& sit);

// The example network of examples/ as the window holds it after "Add ..." of
// its raw file, its given points, its four supplementary files and its
// identical points of the second system; with
// `vyrovnat` also analysed and adjusted (default settings otherwise). False
// when a step failed.
bool PripravitPriklad(Workspace& ws, bool vyrovnat);

// The rows selected in a table, the middle of a row's fourth cell, and a move
// to a row with the left button held and the keys `m` down, sent where the
// window system sends it: to the viewport that took the press (QTest's own
// move carries no keys).
QList<int> Vybrane(const Tabulka& t);
QPoint Stred(const Tabulka& t, int radek);
void Tah(Tabulka& t, int radek, Qt::KeyboardModifiers m);

// The title as the window system shows it: "[*]" becomes "*" while the window
// has unsaved changes and disappears otherwise.
QString ZobrazenyNadpis(const QWidget& okno);

// A file of the repository (examples/...).
std::filesystem::path Zdroj(const std::string& relativni);
// The folder of the screenshots (created when missing).
QString SlozkaSnimku();

}  // namespace vertano::ui::test
