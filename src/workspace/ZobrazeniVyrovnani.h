#pragma once

#include <array>
#include <vector>

#include "adjustment/TmerenaVelicina.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "workspace/VyrovnaniSite.h"

namespace vertano {

// The results of an adjusted network as they are shown or written out. The model
// keeps every accuracy figure for a unit standard deviation of 1; a view of the
// results gives them for the unit standard deviation the user looks at (the a
// priori one, or the a posteriori one).
struct ZobrazeneVyrovnani {
    Real odchylkaJednotkova = 0;  // the unit standard deviation applied
    // Every full point of the model in its order (determined points first). A
    // determined point has sig_X, sig_Y, sig_Z, the semi-axes of its ellipse and
    // those of its ellipsoid scaled; a fixed point is copied as it is.
    std::vector<Tbod> body;
    // The full observations of each kind, index = Velicina - 1, with the
    // deviation of the adjusted value (odchylkaOprava) scaled.
    std::array<std::vector<TmerenaVelicina>, kPocetDruhuVelicin> mereni;
    // One full record per station occupation with the deviation of its
    // orientation (odchylka) scaled.
    std::vector<TmerenaVelicina> posuny;
};

// Appends the full points of a list (adjusted or transformed) to `body`, with the
// accuracy figures of every point that is not fixed (sig_X, sig_Y, sig_Z, the
// semi-axes of ellipse and ellipsoid) multiplied by k; false when one is not
// finite afterwards.
bool ZobrazitBody(const Tsouradnice& souradnice, Real k, std::vector<Tbod>& body);

// An observation as shown: its field `odchylka`, and the minimal detectable
// error and the move it causes where they are given, multiplied by k; false
// when one is not finite afterwards.
bool SkalovatMereni(TmerenaVelicina& z, StoredReal TmerenaVelicina::*odchylka, Real k);

// What ZobrazitVyrovnani copies. Without the observations (`mereni` left
// empty, every one of them still checked) a writer of a large network scales
// them one at a time with SkalovatMereni instead of holding them all twice.
enum class RozsahZobrazeni { Vse, BezMereni };

// Fills `vysledek` from the adjusted model for the unit standard deviation
// `odchylkaJednotkova`. False, with `vysledek` empty, when that deviation is not a
// finite number >= 0 or a scaled figure is not finite.
bool ZobrazitVyrovnani(const VysledekSite& model, Real odchylkaJednotkova,
                       ZobrazeneVyrovnani& vysledek, RozsahZobrazeni rozsah = RozsahZobrazeni::Vse);

// The weight coefficient matrix of the adjusted coordinates (cofactors of X, Y,
// Z of every determined point) as text, rows ending in CR LF. The whole block is
// computed for it, so it is made only on request and kept in the model; empty
// when the model has no determined point or the cofactors are not available.
const std::string& MaticeVahText(TmodelSite& model);
// Its order: the coordinates of the determined points. Above kVelkaMaticeVah the
// window asks before computing it (u^2 numbers of text).
int32_t RozmerMaticeVah(const VysledekSite& model);
inline constexpr int32_t kVelkaMaticeVah = 2000;
// The same text made column by column (its lower triangle only held), with its
// progress reported through the interaction: the columns of the cofactors,
// then the rows of the text. A stop requested through the interaction leaves
// the model as it was (no text kept) and sets `zruseno`; the text is then empty.
const std::string& MaticeVahText(TmodelSite& model, Interaction& interakce, bool& zruseno);

// The changes of the determined points: adjusted minus approximate X, Y, Z, in
// the order of the model, for every determined point of the model that the
// approximate list holds. A change that is not finite leaves its point out.
std::vector<Tbod> PrirustkySouradnic(const VysledekSite& model, const Tsouradnice& priblizne);

}  // namespace vertano
