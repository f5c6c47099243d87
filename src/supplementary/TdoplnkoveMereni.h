#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

class Tchyby;
class Tinfo;
class Tnastaveni;
class Tsouradnice;

// What the preparation did with the input rows of one kind.
struct DoplnekPripravaPocty {
    int32_t prevzato = 0;    // rows taken into the prepared list
    int32_t vynechano = 0;   // filled rows left out: a point is not in the network
    int32_t prekroceno = 0;  // taken rows whose comparison exceeded its limit
    int32_t vyrazeno = 0;    // filled rows switched off by the user
};

// Outcome of TdoplnkoveMereni::ZpracovaniDoVyrovnani.
struct DoplnekPripravaVysledek {
    bool ok = true;
    DruhDoplnku druh =
        DruhDoplnku::Zadny;  // kind of the row that failed (doplnek::k...), 0 when none
    int32_t radek = -1;      // its 0-based index in the input list
    std::string message;     // English; empty when ok
    std::array<DoplnekPripravaPocty, 4> pocty{};  // by kind, index doplnek::k... - 1

    const DoplnekPripravaPocty& Pocty(DruhDoplnku druh) const;
};

// The supplementary measurements: one list of rows per kind (see doplnek::k... for
// the meaning of a row of each kind), the clipboard of the input windows and, per
// kind, the row patterns the windows keep for selection by attributes and for
// search. Two instances live as long as the main window: the input container
// (edited, loaded, saved, stored in the project) and the prepared container
// (filled by ZpracovaniDoVyrovnani, read by the adjustment and the report).
class TdoplnkoveMereni {
  public:
    Tmereni smernik;
    Tmereni delka;
    Tmereni prevyseni;
    Tmereni provazeni;
    Tmereni schranka;
    Tzaznam atributyDelkaVyber;
    Tzaznam atributyDelkaVyhledani;
    Tzaznam atributySmernikVyber;
    Tzaznam atributySmernikVyhledani;
    Tzaznam atributyPrevyseniVyber;
    Tzaznam atributyPrevyseniVyhledani;
    Tzaznam atributyProvazeniVyber;
    Tzaznam atributyProvazeniVyhledani;

    TdoplnkoveMereni() { Create(0); }
    explicit TdoplnkoveMereni(int32_t pocet) { Create(pocet); }

    // Five empty lists with room for `pocet` rows each; the patterns become the
    // empty row.
    void Create(int32_t pocet);
    // Empties the four lists and the clipboard (rows and counters); the patterns
    // stay.
    void Clear();

    // Filled rows of the four kinds together.
    int32_t PocetMereni() const;

    // The list and the patterns of a kind (doplnek::k...); nullptr for an unknown
    // kind.
    Tmereni* Seznam(DruhDoplnku druh);
    const Tmereni* Seznam(DruhDoplnku druh) const;
    Tzaznam* AtributyVyber(DruhDoplnku druh);
    Tzaznam* AtributyVyhledani(DruhDoplnku druh);

    // Validity check of one list (see KontrolaDoplnku) and of all four in the
    // order bearing, distance, height difference, plumbing (the check when a
    // project is opened). The name is the one the rest of the program calls.
    void Kontrola(DruhDoplnku druh, const Tnastaveni& nastaveni, Tchyby& chyby);
    void KontrolaCelkova(const Tnastaveni& nastaveni, Tchyby& chyby);

    // Fills this (prepared) container from the input container for the adjustment.
    // P, the adjustment's point list, is `urcovane` followed by `fixni` (the order
    // in which the model builds its list, so indexes agree). Per kind in the order
    // distance, bearing, height difference, plumbing, every filled input row whose
    // two points are full points of P is copied with iStn/iCil := their indexes in
    // P, the distances reduced, and compared with the value computed from P:
    // zapracovaniPoloha [0] measured, [1] from coordinates, [2] difference, and
    // kontrola[0] := the difference exceeds the kind's limit (mezZeSouradnic);
    // the list's counter kontrola[0] counts those rows. Rows with a point outside
    // P are left out (counted in the result).
    //
    // The distance reduction takes each point's scale factor (Tbod::zkresleni) as
    // P carries it. On failure (a taken row that fails the validity check, a
    // point without a scale factor, an arithmetic fault) the four lists are
    // emptied and the result names the row. Whatever the outcome the flags
    // info.analyzaMereni.doplnek... say which input lists have a filled row.
    // `doplnekVstup` must be another object than this one.
    DoplnekPripravaVysledek ZpracovaniDoVyrovnani(const TdoplnkoveMereni& doplnekVstup,
                                                  const Tsouradnice& urcovane,
                                                  const Tsouradnice& fixni,
                                                  const Tnastaveni& nastaveni, Tinfo& info);
    // The same with the scale factors of the scale-factor list: every full point
    // of P takes its factor from `meritko`, or the basic scale distortion of the
    // settings when the list does not name it (as the network's own distances are
    // reduced).
    DoplnekPripravaVysledek ZpracovaniDoVyrovnani(const TdoplnkoveMereni& doplnekVstup,
                                                  const Tsouradnice& urcovane,
                                                  const Tsouradnice& fixni,
                                                  const Tsouradnice& meritko,
                                                  const Tnastaveni& nastaveni, Tinfo& info);

  private:
    DoplnekPripravaVysledek Pripravit(const TdoplnkoveMereni& vstup, const Tsouradnice& body,
                                      const Tnastaveni& nastaveni);
};

// The notification the raw-data analysis stops with when a kind's error counter
// is positive (18-21, first kind in the order distance, bearing, height
// difference, plumbing); 0 when every counter is 0.
int32_t OznameniChybDoplnku(const Tchyby& chyby);

// The warnings after the preparation: 22-25 for each kind of the prepared
// container whose list counts a row over its limit, in the order distance,
// bearing, height difference, plumbing.
std::vector<int32_t> OznameniPrekroceniDoplnku(const TdoplnkoveMereni& pripravene);

}  // namespace vertano
