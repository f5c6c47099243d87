#pragma once

#include <cstdint>

#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"

namespace vertano {

// Reordering of sets and mirroring of one-face rows. These change only the order
// or number of rows; identification and checks are the caller's (see
// PrikazySkupin.h for the commands that do the whole job).

// Reverses every set that starts with face II (II: A, B; I: B, A becomes I: A, B;
// II: B, A). The sets keep their numbers. Counts the rows and sets reversed.
void UsporadejSkupinyDlePolohy(Tmereni& mereni, int32_t& pocetSerazenychMereni,
                               int32_t& pocetSerazenychSkupin);

// Finds sets in the simultaneous order among the rows that are in no set and
// rewrites each into the standard order (A I, A II, B II, B I becomes A I, B I;
// B II, A II). Rows already in a set are left where they are and never become
// part of a simultaneous set: a station that holds standard sets and a few
// stray rows keeps its sets. Every row of a station where a set was found gets
// jeZkontrolovano false, so that the next identification takes it in. Trailing
// empty rows are removed first. Counts the rows and sets rearranged.
void UsporadejSkupinyDlePrniDruhaZaSebou(Tmereni& mereni, int32_t& pocetSerazenychMereni,
                                         int32_t& pocetSerazenychSkupin);

// Adds after every full row outside a set a mirrored row in the other face, with
// the assumed face differences of `nastaveni.zrcadleni`, so that each pair shows
// exactly those differences whichever face was measured. A row without a
// distance stays without one. The stations that got rows are marked for
// identification and checks (jeZkontrolovano false); sets are not identified
// here. Trailing empty rows are removed first.
void ZrcadlitPoloha(Tmereni& mereni, int32_t& pocetPridanychZaznamu, const Tnastaveni& nastaveni);

// The mirror image of one row in the other face.
Tzaznam ZrcadlenyZaznam(const Tzaznam& zdroj, const nastaveni::Tmez& zrcadleni);

}  // namespace vertano
