#pragma once

#include <array>
#include <cstdint>

#include "adjustment/MereniMeziBody.h"
#include "adjustment/Tvaha.h"
#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"

namespace vertano {

// Outer precision of directions from closed triangles of mutual directions.
//
// A triangle of points i < j < k (point order) is formed when all six directions
// between them were measured. Its vertices are i (targets j, k), k (targets i, j)
// and j (targets k, i); their direction lists are numbered 1..6, and every
// station occupation of a vertex is one orientation unknown. The triangle is
// adjusted on the condition that its three angles sum to pi; its unit standard
// deviation is sqrt(v'v / r) with r = directions - (6 + occupations) + 4.

// The rows of one triangle prepared for the adjustment (soubor = direction
// number, skupina = occupation through the triangle, smer brought next to the
// other values of its list), or why it cannot be formed.
enum class StavTrojuhelniku { Sestaven, Nepouzitelny, Chyba };
StavTrojuhelniku SestavitTrojuhelnik(const MereniMeziBody& sit, const std::array<int32_t, 3>& body,
                                     Tmereni& radky);

// Fills `vysledek` from the cleared state:
// - odchylkaTrojuhelnik: per triangle poradi = its number, skupina = r,
//   vyska_stn = its unit standard deviation, cislo_stn / cislo_cil = its first
//   two points;
// - cislaTrojuhelnik: the three point names of each triangle, in the same order;
// - mereniTrojuhelnik: the triangle's directions: skupina = direction number,
//   soubor = triangle number, smer in [0, 2pi), sig_smer = the deviation,
//   vaha_delka = the adjusted direction, vaha_smer = its residual, smernik = r,
//   vaha_zenit = the limit sqrt(r / 2m) * tolerance (m directions), poloha =
//   whether the residual is within it;
// - odchylkaCelkova: skupina = number of triangles, vyska_stn = the triangle
//   deviations pooled by r (left -1 without triangles).
// A triangle whose adjustment fails has nothing to annotate its rows from: it is
// left out of the lists and the pooling and the next one takes its number.
// False on a direction that is not a finite number or an arithmetic fault; the
// result is then the cleared state.
bool VypocetVnejsiPresnostiSmer(const MereniMeziBody& sit, const nastaveni::Tmez& mezProtismer,
                                TvnejsiPresnost& vysledek);

}  // namespace vertano
