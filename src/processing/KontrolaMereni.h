#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"

namespace vertano {

// The measurement checks: every row against plausibility limits (mezHodnota),
// every face pair against the face tolerances (mezPoloha), every pointing across
// sets against the set tolerances (mezSkupina). The outcome is kept as flags in
// the rows (Tzaznam::kontrola), counters in the list (Tmereni::kontrola) and, for
// the raw list, the error counts of Tchyby.

// Index of each check flag in Tzaznam::kontrola and Tmereni::kontrola.
namespace kontrola {
inline constexpr int kCilJeStanovisko = 0;  // counter: also full rows outside sets
inline constexpr int kVyskaStn = 1;         // counter: stations, not rows
inline constexpr int kVyskaCil = 2;
inline constexpr int kSmer = 3;
inline constexpr int kZenit = 4;
inline constexpr int kDelka = 5;
inline constexpr int kPolohaVyskaCil = 6;
inline constexpr int kPolohaSmer = 7;
inline constexpr int kPolohaZenit = 8;
inline constexpr int kPolohaDelka = 9;
inline constexpr int kSkupinaVyskaCil = 10;
inline constexpr int kSkupinaSmer = 11;
inline constexpr int kSkupinaZenit = 12;
inline constexpr int kSkupinaDelka = 13;
inline constexpr int kDelkaVJednePoloze = 14;
}  // namespace kontrola

// The check run of the raw list. Unless `vynutit` is set it runs only while
// prepinac.prehledChyb is on; otherwise it changes nothing. Every station with a
// row not yet checked gets the face, set and value checks as a whole and all its
// rows jeZkontrolovano; then the whole list is counted into its counters and the
// error counts of `chyby`. Sets must be identified (IdentifikujSkupiny) first.
void KontrolaMereni(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby, bool vynutit);

// Forgets which rows were checked, identifies the sets of every station and runs
// the check run whatever prehledChyb says: a complete, fresh check of the list.
void KontrolaVsehoMereni(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby);

// The check of a list of face means, set means or analysis results: the set and
// value checks on every station and the counting into the list's counters. The
// face flags (6-9, 14) are left as the rows carry them; jeZkontrolovano is not
// used.
void KontrolaOdvozenehoMereni(Tmereni& mereni, const Tnastaveni& nastaveni);

// The checks of one station range, for callers that assemble their own run.
void KontrolaPoloh(Tmereni& mereni, int32_t pocatek, int32_t konec, const Tnastaveni& nastaveni);
void KontrolaSkupin(Tmereni& mereni, int32_t pocatek, int32_t konec, const Tnastaveni& nastaveni);
void KontrolaHodnot(Tmereni& mereni, int32_t pocatek, int32_t konec, const Tnastaveni& nastaveni);

// Counts the flags of the whole list into mereni.kontrola. Counter 0 counts full
// rows outside a set and full rows with flag 0 (a row can count for both);
// counter 1 counts stations with a row with flag 1, once each; every other
// counter k the full rows with flag k.
void SpocitatKontroly(Tmereni& mereni);

// The error counts of the raw list in `chyby`, from the counters of `mereni`.
void ZapsatPocetChyb(const Tmereni& mereni, Tchyby& chyby);

// Some row of the list has flag k (false for k outside 0-14).
bool ObsahujeKontrolu(const Tmereni& mereni, int k);

// A full row that counts in the counters: its index, whether it is outside a set
// (counter 0) and the indices of its raised flags in ascending order.
struct ChybnyZaznam {
    int32_t index = 0;
    bool mimoSkupinu = false;
    std::vector<int> priznaky;
};

// Every full row outside a set or with a flag, in list order.
std::vector<ChybnyZaznam> ChybneZaznamy(const Tmereni& mereni);

}  // namespace vertano
