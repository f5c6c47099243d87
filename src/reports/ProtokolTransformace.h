#pragma once

#include <string>

#include "adjustment/TmodelSite.h"
#include "data/Tinfo.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "reports/CasProtokolu.h"
#include "reports/InfoSekce.h"
#include "reports/Tprotokol.h"
#include "transformation/TmodelTransformacePrevod.h"
#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

// Everything the two transformation reports read, as the workspace keeps it.
struct VstupProtokoluTransformace {
    const Tnastaveni& nastaveni;
    const Tjazyk& jazyk;
    // The pairs of identical points: entry 2k the network point, 2k + 1 the
    // user's point in the output system.
    const Tsouradnice& pary;
    const TmodelTransformaceVyrovnani& model;    // the final transformation model
    const TmodelTransformaceVyrovnani& odlehly;  // its outlier copy
    const TmodelTransformacePrevod& prevodSVyrovnanim;
    const TmodelTransformacePrevod& prevodBodASmernik;
    const TmodelSite& vyrovnany;  // the adjusted network (its unit standard deviations)
};

// The report of the transformation with adjustment (part D: identical points in
// both systems, basic information about the identical points and the key,
// outlying identical coordinates, adjusted identical coordinates, transformed
// coordinates and ellipsoids), each section only under its switch of
// nastaveni.protokol and with data. Any failure leaves `protokol` empty (`duvod`
// says why); the result is also stored in `vytvoreno`.
bool zapsatTransformaceSVyrovnanim(Tprotokol& protokol, const VstupProtokoluTransformace& vstup,
                                   const Hodiny& hodiny, bool& vytvoreno,
                                   std::string* duvod = nullptr);

// The report of the point-and-bearing transformation (part E: identical points,
// basic information, transformed coordinates and ellipsoids).
bool zapsatTransformaceNaBodASmernik(Tprotokol& protokol, const VstupProtokoluTransformace& vstup,
                                     const Hodiny& hodiny, bool& vytvoreno,
                                     std::string* duvod = nullptr);

// Section D-02: the number of identical points, the rejection of outliers
// (estimator, level, rejected coordinates per axis, counted against the outlier
// copy, which keeps the counts from before the rejection) and the adjustment of
// the identical coordinates.
void zapsatInfoIdentBody(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                         const TmodelTransformaceVyrovnani& modelOdlehly,
                         const TmodelTransformaceVyrovnani& modelVyrovnany,
                         const std::string& nadpis);

// Section D-03: the numbers of points and the key with its a priori / a
// posteriori standard deviations.
void zapsatInfoTransKlic(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                         const TmodelTransformaceVyrovnani& modelTransformaceVyrovnany,
                         const TmodelTransformacePrevod& ModelTransformaceSVyrovnanim,
                         const std::string& nadpis);

// Section E-02: the base and orientation points, the bearing, the numbers of
// points and the key.
void zapsatInfoBodASmernik(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                           const TmodelTransformacePrevod& modelTransformaceBodASmernik,
                           const std::string& nadpis);

// The label and value groups of those three sections, for the windows that show
// them; empty when the section would write nothing. They format the numbers,
// so a value that is not finite throws ChybaProtokolu as the writers do.
std::vector<InfoSkupina> InfoIdentBody(const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                                       const TmodelTransformaceVyrovnani& modelOdlehly,
                                       const TmodelTransformaceVyrovnani& modelVyrovnany);
std::vector<InfoSkupina> InfoTransKlic(
    const Tjazyk& jazyk, const Tnastaveni& nastaveni,
    const TmodelTransformaceVyrovnani& modelTransformaceVyrovnany,
    const TmodelTransformacePrevod& ModelTransformaceSVyrovnanim);
std::vector<InfoSkupina> InfoBodASmernik(
    const Tjazyk& jazyk, const Tnastaveni& nastaveni,
    const TmodelTransformacePrevod& modelTransformaceBodASmernik);

// The identical coordinates of a vector flagged as outliers, with their test
// values; nothing when none is flagged.
void zapsatOdlehleSour(Tprotokol& protokol, const TvektorSouradnice& mereni,
                       const Tnastaveni& nastaveni, const Tjazyk& jazyk, const std::string& nadpis);

// The adjusted identical coordinates of a vector with their deviations of the
// accuracy type `typPresnost` (1 a priori, 2 a posteriori, 3 both) and
// residuals; the title gets its accuracy suffix.
void zapsatVyrSour(Tprotokol& protokol, const TvektorSouradnice& mereni,
                   const TmodelTransformaceVyrovnani& model, const Tnastaveni& nastaveni,
                   const Tjazyk& jazyk, int typPresnost, const std::string& nadpis);

// The report on the last `pocetSouboru` files of a file list: legend, data and
// a table of serial number, file name, "Ok" or "-", and the line that refused
// the file. No header lines. Replaces the contents of `protokol`.
bool zapsatPridatSoubor(Tprotokol& protokol, const Tjazyk& jazyk, const info::Tsoubory& soubory,
                        int pocetSouboru);

}  // namespace vertano
