#pragma once

#include <cstdint>

#include "data/Interaction.h"
#include "data/Tchyby.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"

namespace vertano {

// The set commands of the raw-data window as whole jobs, for any front end: each
// changes the raw list, does the identification and checks that must follow, and
// returns the counts to show (a count above 0 means the list changed, which the
// workspace command records). The texts to show come from the Oznameni...
// functions in the language in force.

struct PocetSerazenych {
    int32_t mereni = 0;  // rows rearranged
    int32_t skupin = 0;  // sets rearranged
};

// "Find measurement sets": simultaneous-order sets among the rows outside sets are
// rewritten into the standard order (UsporadejSkupinyDlePrniDruhaZaSebou); when
// any were found the sets are identified and the check run follows.
PocetSerazenych NajitMerickeSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby);

// "Sort measurements according to positions": every set starting with face II is
// reversed (UsporadejSkupinyDlePolohy). Sets keep their numbers.
PocetSerazenych SeraditDlePoloh(Tmereni& mereni);

// "Mirror measurements outside the sets": ZrcadlitPoloha; returns the number of
// rows added. Sets are not identified.
int32_t ZrcadlitMimoSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni);

// Full rows outside a set: what "Delete measurements outside the sets" would
// delete.
int32_t PocetZaznamuMimoSkupiny(const Tmereni& mereni);

// "Delete measurements outside the sets" without asking: the stations holding such
// rows are marked unchecked, the rows go (SmazNezarazeneZaznamy, which renumbers
// the stations), the sets are identified and the check run follows. Returns the
// number of full rows deleted.
int32_t SmazatZaznamyMimoSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby);

// The same after asking the user (OtazkaSmazaniMimoSkupiny); 0 when the answer is
// "No" or there is nothing to delete.
int32_t SmazatZaznamyMimoSkupiny(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby,
                                 const Tjazyk& jazyk, Interaction& interakce);

// Title and text of the messages of these commands.
jazyk::Toznameni OznameniNalezeniSkupin(const Tjazyk& jazyk, PocetSerazenych pocet);
jazyk::Toznameni OznameniSerazeniDlePoloh(const Tjazyk& jazyk, PocetSerazenych pocet);
jazyk::Toznameni OznameniZrcadleni(const Tjazyk& jazyk, int32_t pocet);
jazyk::Toznameni OtazkaSmazaniMimoSkupiny(const Tjazyk& jazyk, int32_t pocet);

}  // namespace vertano
