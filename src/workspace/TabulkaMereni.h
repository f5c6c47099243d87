#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"

namespace vertano {

class Workspace;

// The rules of the raw measurement table that every front end shares: what a
// cell shows, the multi-row selection, the commands on the selected rows and
// finding. A window only turns mouse and keys into these calls and repaints.

// The eight columns of the raw table.
namespace sloupec {
inline constexpr int kPoradi = 0;
inline constexpr int kCisloStn = 1;
inline constexpr int kVyskaStn = 2;
inline constexpr int kCisloCil = 3;
inline constexpr int kVyskaCil = 4;
inline constexpr int kSmer = 5;
inline constexpr int kZenit = 6;
inline constexpr int kDelka = 7;
inline constexpr int kPocet = 8;
}  // namespace sloupec

// The text of a cell in the display units of the settings, rounded to their
// decimals; an empty row shows nothing. A row without a distance shows "0".
std::string TextBunky(const Tzaznam& z, int sloupec, const Tnastaveni& nastaveni);

// The selection of a table: one flag per row of the list and the current row
// (-1 for none).
struct Tvyber {
    std::vector<bool> hromadny;
    int32_t aktualni = -1;

    // One flag per row; rows beyond the list are dropped, new ones unselected.
    void Velikost(std::size_t pocet) { hromadny.resize(pocet, false); }
    int32_t Pocet() const;
    // The first selected row, -1 for none.
    int32_t Prvni() const;
    // The only selected row, -1 unless exactly one row is selected.
    int32_t Jediny() const;
    void Zrusit();
};

// Selection rules of the table (mouse and keys) ------------------------------

// Every full row selected (empty rows never are).
void VybratVse(const Tmereni& mereni, Tvyber& vyber);
// Empty rows are never selected.
void OdznacitPrazdne(const Tmereni& mereni, Tvyber& vyber);

// The selections by station or target: rows sharing the named values with the
// single selected row are added to the selection (nothing is deselected).
enum class VyberDle {
    Stanovisko,          // same station name
    StanoviskoPoradi,    // same station occupation (poradi)
    StanoviskoSkupina,   // same occupation and set
    Cil,                 // same target name
    CilPoradi,           // same occupation and target
    CilSkupina,          // same occupation, target and set
    CilPoloha,           // same occupation, target and face
    StanoviskoCil,       // same station and target names
    StanoviskoCilOboje,  // the same pair in either direction
};
// False (nothing done) unless exactly one row is selected.
bool VybratDle(const Tmereni& mereni, Tvyber& vyber, VyberDle pravidlo);

// The commands on the selected rows ---------------------------------------------
// Each changes the raw list of the workspace, identifies the sets again, runs the
// check run and marks the raw-data analysis and the adjustment report (which
// shows the raw list) as no longer current.

// Copies the selected rows into the internal clipboard and returns them as the
// text of the system clipboard: one line per row ending in CR LF, the eight
// cells separated by TAB as the table shows them. Nothing selected: nothing
// happens and the text is empty.
std::string KopirovatVybrane(Workspace& ws, const Tvyber& vyber);
// The selected rows go into the internal clipboard and out of the list; the
// system clipboard is not touched.
bool VyjmoutVybrane(Workspace& ws, Tvyber& vyber);
// Pastes the internal clipboard: before the single selected row, into its
// station; with no row selected, after the last station as new stations. With
// two or more rows selected, or an empty clipboard, nothing happens (false).
bool VlozitSchranku(Workspace& ws, Tvyber& vyber);
// Deletes the selected rows; the current row becomes the first of them.
bool SmazatVybrane(Workspace& ws, Tvyber& vyber);
// Moves the single selected row up or down within its station; it stays selected
// and becomes the current row. False when nothing moved.
bool PosunoutVybrany(Workspace& ws, Tvyber& vyber, bool nahoru);

// The identification and check run that follow every change of the raw list.
void ZkontrolovatPoZmene(Workspace& ws);

// Finding -----------------------------------------------------------------------

// The next full row after `od` with a check flag or outside every set, going on
// from the first row up to `od`; -1 when there is none.
int32_t NajitChybny(const Tmereni& mereni, int32_t od);

// Comparisons of the find patterns: the row's value on the left.
enum class Porovnani { Zadne, Rovno, Vetsi, Mensi, VetsiRovno, MensiRovno, Ruzne, Obsahuje };

// One attribute of a pattern: a number (in the display unit of its column) or a
// text, with the comparison; inactive with Porovnani::Zadne.
struct PodminkaVzoru {
    Porovnani porovnani = Porovnani::Zadne;
    Real cislo = 0;
    std::string text;
};

// The pattern of the find windows on the raw list: the serial number, station,
// station height, face (0 any, 1 I, 2 II), target, target height, direction,
// zenith angle, distance and set number.
struct VzorHledani {
    PodminkaVzoru poradi;
    PodminkaVzoru cisloStn;
    PodminkaVzoru vyskaStn;
    int poloha = 0;
    PodminkaVzoru cisloCil;
    PodminkaVzoru vyskaCil;
    PodminkaVzoru smer;
    PodminkaVzoru zenit;
    PodminkaVzoru delka;
    PodminkaVzoru skupina;

    bool JeAktivni() const;
};

// One condition on the text of a cell as a table shows it: a number column
// compares the value the text shows (so reals are compared as displayed), a
// text column the text itself. An inactive condition always holds; a number
// column whose text is no number never meets an active one.
bool SplnujePodminku(const std::string& text, const PodminkaVzoru& p, bool cislo);

// A full row meets every active condition of the pattern. Reals are compared as
// the table shows them (display unit, displayed decimals); "Obsahuje" compares
// texts ignoring the letter case.
bool OdpovidaVzoru(const Tzaznam& z, const VzorHledani& vzor, const Tnastaveni& nastaveni);
// The first matching row after `od` (dopredu) or before it; -1 when none.
int32_t NajitDleVzoru(const Tmereni& mereni, const VzorHledani& vzor, const Tnastaveni& nastaveni,
                      int32_t od, bool dopredu);
// Every matching full row selected, every other deselected; the number selected.
int32_t VybratDleVzoru(const Tmereni& mereni, const VzorHledani& vzor, const Tnastaveni& nastaveni,
                       Tvyber& vyber);

}  // namespace vertano
