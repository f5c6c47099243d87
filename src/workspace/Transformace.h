#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/Interaction.h"
#include "matice/Real.h"

namespace vertano {

class Workspace;

// The commands that transform an adjusted network into the output system of the
// identical points: the transformation analysis prepares both methods, then the
// transformation with adjustment, the point-and-bearing transformation and its
// recalculation in the point-and-bearing window. They talk to the user only
// through the Interaction (busy stages, notifications in the current language,
// the non-convergence questions) and leave their results in the workspace:
// souradniceIdenticke (the pairs), modelTransformace and its outlier copy,
// prevodSVyrovnanim and prevodBodASmernik. Nothing is thrown.

// What the transformation analysis did.
struct VysledekAnalyzyTransformace {
    // The transformation analysis is current (WorkflowState): both
    // transformations may run.
    bool uspech = false;
    // The notification that stopped it (9, 10, 11, or 0 for a failure without a
    // number of its own); -1 when it did not stop. Already shown.
    int32_t oznameni = -1;
    int32_t pocetPar = 0;  // identical-point pairs found
    std::string chyba;     // English detail of a failure, when there is one
};

// What a transformation command did.
struct VysledekTransformace {
    // The transformation is current (WorkflowState).
    bool uspech = false;
    // It was current already; nothing was computed, the caller only shows it.
    bool jenZobrazeni = false;
    // The notification that stopped it (12-16, or 0); -1 when it did not stop or
    // the user answered "No" to a non-convergence question. Already shown.
    int32_t oznameni = -1;
    // The user declined to continue after non-convergence (1 robust, 2 plain).
    int32_t odmitnuto = 0;
    int32_t pocetIteraciRobustne = 0;
    int32_t pocetIteraci = 0;
    std::string chyba;  // English detail of a failure
};

// Checks the identical points of the output system (at least two, no duplicate
// numbers), pairs them with the points of the adjusted network, finds the
// default base and orientation pair and loads the adjusted network into both
// conversions. On a stop the pairs and every transformation model are cleared.
// Either way neither transformation (nor its report) is current afterwards.
VysledekAnalyzyTransformace AnalyzaTransformace(Workspace& ws, Interaction& interakce);

// Estimates the key from all pairs (robustly, rejecting outlying identical
// coordinates when any of the switches prepinac.vylucovatX/Y/Z is on) and
// transforms the network with it into prevodSVyrovnanim.
VysledekTransformace TransformaceSVyrovnanim(Workspace& ws, Interaction& interakce);

// Transforms the network by the default base and orientation pair of the
// analysis, with the output-system bearing between them, into prevodBodASmernik.
VysledekTransformace TransformaceBodASmernik(Workspace& ws, Interaction& interakce);

// The same with the base pair iStn and the orientation pair iCil (indices of the
// pairs, as the window's choices give them) and the output-system bearing
// `smernik` [rad], or, without one, the bearing between their output points.
// Computed whether or not the transformation was current; a failure (pairs
// that do not exist, the same pair twice, pairs that coincide in either system)
// shows notice 16 and leaves the transformed points as they were.
VysledekTransformace TransformaceBodASmernik(Workspace& ws, Interaction& interakce, int32_t iStn,
                                             int32_t iCil, std::optional<Real> smernik);

// The index of the first pair whose point number is `cislo`; -1 when none.
int32_t IndexPary(const Workspace& ws, const std::string& cislo);

// The inputs of the point-and-bearing window: the base and orientation pairs and
// the bearing as typed, in the angle display unit.
struct VstupBodASmernik {
    int32_t iStn = -1;
    int32_t iCil = -1;
    std::string smernik;
    bool operator==(const VstupBodASmernik&) const = default;
};

// The text of the bearing field after the user chose the base and the
// orientation pair: the output-system bearing between their output points in the
// angle display unit with presnost.uhel.hodnota decimals; empty when the pairs
// do not exist, are the same, or coincide in either system.
std::string SmernikVyberu(const Workspace& ws, int32_t iStn, int32_t iCil);

// What the transform button of the point-and-bearing window did.
struct VysledekPrepoctu {
    // The inputs differed from those of the last run, so the command ran.
    bool provedeno = false;
    // The network was transformed; the table shows prevodBodASmernik.souradnice.
    bool uspech = false;
    // The bearing is not a number: the field is emptied and gets the focus.
    bool neplatnySmernik = false;
    // The new text of the bearing field (the bearing reduced to [0, 2pi) in
    // display units, or empty).
    std::string smernik;
    int32_t oznameni = -1;  // 16 (or 0) when it failed; already shown
    std::string chyba;
};

// The transform button of the point-and-bearing window. It acts only when
// `vstup` differs from `posledni` (the inputs of the last run from the window,
// which it then remembers). A failed transformation (the same pair twice, or two
// pairs that coincide in either system) shows notice 16, leaves the transformed
// points and the drawing as they were and marks the transformation as not
// current. With `kresbaOtevrena` the drawing data take the transformed points.
VysledekPrepoctu PrepocetBodASmernik(Workspace& ws, Interaction& interakce,
                                     const VstupBodASmernik& vstup,
                                     std::optional<VstupBodASmernik>& posledni,
                                     bool kresbaOtevrena);

}  // namespace vertano
