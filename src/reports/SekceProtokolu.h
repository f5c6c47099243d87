#pragma once

#include <cstdint>
#include <string>

#include "adjustment/Tvahy.h"
#include "adjustment/TvektorMereni.h"
#include "adjustment/VysledekSite.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"
#include "reports/TextyProtokolu.h"
#include "reports/Tprotokol.h"

namespace vertano {

// The section writers of the reports. Each turns one data list into one section
// (title, legend, column legend, table) in the units and decimals of the
// settings and the words of the language, and writes nothing at all when the
// list has no data for it. A value that cannot be reported throws
// ChybaProtokolu; the report builders catch it.

// Measurements grouped by station. Types: 1 raw measurements (with instrument
// and target heights), 2 face differences or means and the marked-point values,
// 3 set means, 4 measurements before the adjustment with their standard
// deviations (the kinds' a-priori deviations of `vahy` as notes).
void zapsatMereni(Tprotokol& protokol, const Tmereni& mereni, const Tvahy& vahy,
                  const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ,
                  const std::string& nadpis);

// One kind of supplementary measurement, numbered 1, 2, ...: types 1 slope
// distances, 2 bearings, 3 height differences, 4 plumbing ties.
void zapsatDoplnek(Tprotokol& protokol, const Tmereni& mereni, const Tnastaveni& nastaveni,
                   const Tjazyk& jazyk, int typ, const std::string& nadpis);

// Points numbered 1, 2, ... in the coordinate order of the settings. Types: 1
// coordinates, 2 with scale factors ("-" for the default factor), 3 with the
// deviations of the input, 4 / 5 / 6 with the a-priori / a-posteriori / both
// deviations of the adjustment (`model` gives the unit standard deviations;
// fixed points show "-"). Types 4-6 append the accuracy suffix to the title.
void zapsatSouradnice(Tprotokol& protokol, const Tsouradnice& souradnice, const VysledekSite& model,
                      const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ,
                      const std::string& nadpis);

// Error ellipsoids, three rows (axes a, b, c) per point: length, bearing and
// zenith angle of each semi-axis. Types 1 a priori, 2 a posteriori, 3 both.
void zapsatElipsoid(Tprotokol& protokol, const Tsouradnice& souradnice, const VysledekSite& model,
                    const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ,
                    const std::string& nadpis);

// Internal and external precision of directions (typ 1), zenith angles (2) and
// slope distances (3), with the deviation for the network after the table.
void zapsatVnitrniPresnost(Tprotokol& protokol, const Tvahy& vahy, const Tnastaveni& nastaveni,
                           const Tjazyk& jazyk, int typ, const std::string& nadpis);
void zapsatVnejsiPresnost(Tprotokol& protokol, const Tvahy& vahy, const Tnastaveni& nastaveni,
                          const Tjazyk& jazyk, int typ, const std::string& nadpis);

// The observations of a vector flagged as outliers, with their test values;
// `druh` is a report kind from Smer to Provazeni.
void zapsatOdlehleMer(Tprotokol& protokol, const TvektorMereni& mereni, const Tnastaveni& nastaveni,
                      const Tjazyk& jazyk, DruhProtokolu druh, const std::string& nadpis);

// Adjusted observations of a report kind with the accuracy type `typ` (1 a
// priori, 2 a posteriori, 3 both), the title getting its accuracy suffix.
void zapsatVyrMer(Tprotokol& protokol, const TvektorMereni& mereni, const VysledekSite& model,
                  const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ, DruhProtokolu druh,
                  const std::string& nadpis);

}  // namespace vertano
