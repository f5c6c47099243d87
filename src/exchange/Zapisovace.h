#pragma once

#include <string>
#include <vector>

#include "exchange/VyrovnanaSit.h"
#include "files/FileResult.h"

namespace vertano::exchange {

// The writers of an adjusted network. Each makes the lines of a whole file or
// fails (nothing made) with the reason: a value that is not finite.

// The XML input of GNU Gama (gama-local) for checking the result there: axes
// "ne" (x = X north, y = Y east), clockwise angles in gon, deviations in cc and
// mm. The fixed points fixed, the determined points adjusted (constrained, in
// capitals, when the datum took conditions: a free network) with the adjusted
// coordinates as their approximate ones. The observations of the final
// adjustment as it used them: one cluster per orientation with the directions
// and, to the same targets, the zenith angles and slope distances of that
// occupation; supplementary bearings as azimuths and distances in clusters of
// their own, height differences as levelled ones, a plumbing tie as a vector
// (dx = dy = 0) whose height part has a deviation of 1 km. The values are turned
// into those of the plane the other program adjusts in (the scale of the
// projection taken out of the vertical), so that it gives the same coordinates.
// Rejected observations are left out.
FileResult ZapsatGama(const VyrovnanaSit& sit, std::vector<std::string>& radky);

// CSV of the adjusted points: name, X, Y, Z, fixed, sX, sY, sZ, the ellipse's
// semi-axes and bearing; with one of the separators and decimal marks of
// CsvVolby. Coordinates in metres, deviations and semi-axes in millimetres, the
// bearing in gon.
FileResult ZapsatCsvBody(const VyrovnanaSit& sit, char oddelovac, char desetinna,
                         std::vector<std::string>& radky);
// CSV of the observations: kind, station, target, value, adjusted value,
// residual, normalised residual, a priori and a posteriori deviation, outlier.
// Angles in gon and their residuals in mgon, lengths in metres and their
// residuals in millimetres.
FileResult ZapsatCsvMereni(const VyrovnanaSit& sit, char oddelovac, char desetinna,
                           std::vector<std::string>& radky);

// GeoJSON (RFC 7946) of the network: the points (Point, with their attributes),
// the observed lines (LineString, with the counts of each kind) and the error
// ellipses magnified `meritkoElips` times (Polygon of 72 vertices), all in the
// network's coordinates as [Y, X, Z] = [easting, northing, height].
FileResult ZapsatGeoJson(const VyrovnanaSit& sit, Real meritkoElips,
                         std::vector<std::string>& radky);

}  // namespace vertano::exchange
