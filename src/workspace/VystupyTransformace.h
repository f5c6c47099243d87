#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Tbod.h"
#include "files/SouradniceSoubory.h"
#include "matice/Real.h"
#include "workspace/Transformace.h"

namespace vertano {

class Workspace;
struct TtransformacniKlic;

// The results of a transformation as the front ends hand them out (the command
// line's summary, JSON document and point file). `bodASmernik` chooses the
// point-and-bearing transformation, otherwise the transformation with
// adjustment. They only read the workspace.

// The key of either method in one form: X' = tx + X cos w - Y sin w,
// Y' = ty + X sin w + Y cos w, Z' = tz + Z.
struct KlicTransformace {
    Real tx = 0;
    Real ty = 0;
    Real tz = 0;
    Real w = 0;
};
KlicTransformace SpolecnyKlic(const TtransformacniKlic& klic, bool bodASmernik);

// One identical pair: the user's point (output system), the residual of each
// coordinate (the transformed network point minus it; for a coordinate the
// adjustment kept, its residual in the adjustment) and whether the adjustment
// rejected it.
struct IdentickyBodVysledek {
    std::string cislo;
    Real X = 0;
    Real Y = 0;
    Real Z = 0;
    std::array<Real, 3> oprava{};
    std::array<bool, 3> odlehly{};
};

struct VysledkyTransformace {
    bool bodASmernik = false;
    KlicTransformace klic;
    // Point and bearing: the base and orientation point numbers and the bearings
    // from one to the other in the input and the output system.
    std::string zakladna;
    std::string orientace;
    Real smernikVstup = 0;
    Real smernikVystup = 0;
    // With adjustment: the standard deviations of the key for the a priori unit
    // standard deviation of the transformation (the translations' at the centroid
    // of the input identical points) and that centroid.
    Real sigTx = 0;
    Real sigTy = 0;
    Real sigTz = 0;
    Real sigRotace = 0;
    Real tezisteX = 0;
    Real tezisteY = 0;
    int32_t pocetPar = 0;
    int32_t pocetMereni = 0;  // identical coordinates kept
    int32_t pocetNadbytecnych = 0;
    int32_t pocetIteraci = 0;
    Real odchylkaJednotkovaAprior = -1;
    Real odchylkaJednotkovaAposterior = -1;
    std::array<int32_t, 3> vyloucene{};  // rejected X, Y, Z coordinates
    int32_t testovane = 0;               // coordinates the rejection saw (0: none ran)
    std::vector<IdentickyBodVysledek> identicke;
    // The transformed points, determined first, with the accuracy figures for the
    // a priori unit standard deviation of the network adjustment; fixed points
    // without deviations.
    std::vector<Tbod> body;
};

// False when the transformation is not current or a figure cannot be scaled.
bool SestavitVysledkyTransformace(const Workspace& ws, bool bodASmernik,
                                  VysledkyTransformace& vysledky);

// The summary: the title (the method's name), then "  label: value" lines in
// the language in force (labels the tables do not have are English), lengths
// and angles in the display units. Empty when the transformation is not current.
std::vector<std::string> RadkySouhrnuTransformace(const Workspace& ws, bool bodASmernik,
                                                  const VysledekTransformace& vysledek);

// Writes the transformed points as XYZ in the coordinate unit, the determined
// points with their standard deviations after the coordinates (a file that loads
// again as identical points). Nothing is written when the transformation is not
// current.
CoordinateSaveReport UlozitTransformovaneSouradnice(const Workspace& ws, bool bodASmernik,
                                                    const std::filesystem::path& cesta);

}  // namespace vertano
