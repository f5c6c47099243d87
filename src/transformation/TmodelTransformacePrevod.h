#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "data/Tsouradnice.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"
#include "transformation/TtransformacniKlic.h"

namespace vertano {

class VysledekSite;

// The adjusted network transformed into the output system, with the cofactor
// matrix of its determined coordinates: by the key of the transformation
// adjustment or by point and bearing. Two instances exist: the conversion of the
// transformation with adjustment and the point-and-bearing one.
//
// The determined points come first in the network's point list and the fixed
// points after them, so the cofactor matrix covers the first
// pocetBoduUrcovanych points (X, Y, Z of each). The uncertainty of the key is
// not propagated.
//
// A transformation that fails changes nothing: the points, the matrix and the
// key in use stay those of the last transformation that succeeded.
class TmodelTransformacePrevod {
  public:
    // ---- the result, read-only ----
    [[nodiscard]] int32_t PocetBodu() const { return pocetBodu; }
    [[nodiscard]] int32_t PocetBoduFixnich() const { return pocetBoduFixnich; }
    [[nodiscard]] int32_t PocetBoduUrcovanych() const { return pocetBoduUrcovanych; }
    [[nodiscard]] int32_t PocetBoduIdentickych() const { return pocetBoduIdentickych; }
    // Pair k's input-system and output-system point at index k.
    [[nodiscard]] const Tsouradnice& IdentickeBodyVstup() const { return identickeBodyVstup; }
    [[nodiscard]] const Tsouradnice& IdentickeBodyVystup() const { return identickeBodyVystup; }
    // The network's points, transformed, with their accuracy.
    [[nodiscard]] const Tsouradnice& Souradnice() const { return souradnice; }
    // Cofactors of the determined coordinates, and their text once made.
    [[nodiscard]] const Tmatrix& KovariancniMatice() const { return kovariancniMatice; }
    [[nodiscard]] const std::string& KovariancniMaticeStr() const { return kovariancniMaticeStr; }
    [[nodiscard]] const TtransformacniKlic& TransformacniKlic() const { return transformacniKlic; }
    // The base and orientation pair in use, and the default ones of the check.
    [[nodiscard]] int32_t IStnAktualni() const { return iStnAktualni; }
    [[nodiscard]] int32_t ICilAktualni() const { return iCilAktualni; }
    [[nodiscard]] int32_t IStnPocatek() const { return iStnPocatek; }
    [[nodiscard]] int32_t ICilPocatek() const { return iCilPocatek; }
    // Why the last operation failed (English).
    [[nodiscard]] const std::string& Chyba() const { return chyba; }
    // The reason of a failure found by the caller (for the messages of a run).
    void NastavitChybu(std::string text) { chyba = std::move(text); }

    void Create() { Clear(); }
    void Clear() { *this = TmodelTransformacePrevod(); }

    // The network of an adjusted and evaluated model: its points without empty
    // points at the end, the three counts and the leading block of its cofactor
    // matrix; the identical points and the default pair stay. False (the network
    // part empty) when the model has no point or its cofactor matrix is smaller
    // than its determined coordinates.
    bool Nacist(const VysledekSite& model);
    // Pair k of the pair list into index k of the two identical-point lists.
    void NacistIdentickeBody(const Tsouradnice& pary);
    // The default base and orientation pair (iStnPocatek, iCilPocatek): the
    // first two pairs whose input points and whose output points do not coincide.
    bool KontrolaIdentickychBodu();

    // Transforms the model's points and cofactors with the key of the
    // transformation adjustment (unreduced translations), then the standard
    // deviations, error ellipsoids and ellipses of the determined points.
    bool TransformaceSVyrovnanim(const VysledekSite& model, const TtransformacniKlic& klic);
    // The same by point and bearing: base pair iStn, orientation pair iCil and the
    // bearing `smernik` from the base to the orientation point in the output
    // system. False when the pairs do not exist, are the same or coincide in
    // either system.
    bool TransformaceBodASmernik(const VysledekSite& model, int32_t iStn, int32_t iCil,
                                 Real smernik);

    void KovariancniMaticeText();

  private:
    int32_t pocetBodu = -1;
    int32_t pocetBoduFixnich = -1;
    int32_t pocetBoduUrcovanych = -1;
    int32_t pocetBoduIdentickych = -1;
    Tsouradnice identickeBodyVstup;   // pair k's input-system point at index k
    Tsouradnice identickeBodyVystup;  // pair k's output-system point at index k
    Tsouradnice souradnice;           // the network's points, transformed in place
    Tmatrix kovariancniMatice;        // cofactors of the determined coordinates
    std::string kovariancniMaticeStr;
    TtransformacniKlic transformacniKlic;
    int32_t iStnAktualni = -1;  // base pair in use
    int32_t iCilAktualni = -1;  // orientation pair in use
    int32_t iStnPocatek = -1;   // default base pair found by the check
    int32_t iCilPocatek = -1;   // default orientation pair found by the check
    std::string chyba;          // why the last operation failed (English)

    // Points and cofactors of the model by X' = posunX + (X + dX) cos w -
    // (Y + dY) sin w, Y' likewise, Z' = posunZ + Z; committed only on success.
    bool Transformovat(const VysledekSite& model, const TtransformacniKlic& klic, Real dX, Real dY);
};

}  // namespace vertano
