#pragma once

#include <vector>

#include "data/Tbod.h"
#include "matice/Real.h"

namespace vertano {

// The placing of a local system onto known points: a rotation and a translation
// in plan (no scale: the distances are already reduced to the level and the
// projection) and a shift in height.
struct LokalniUmisteni {
    Real natoceni = 0;  // rotation from the local to the known system [rad]
    Real posunX = 0;
    Real posunY = 0;
    Real posunZ = 0;
    // The scale the common points would ask for: a check, never applied.
    Real meritko = 1;
    // Per common point: left out of the fit as disagreeing with the others.
    std::vector<bool> vyloucen;
};

// Fits the points `lokalni` onto the same points `zname` (pairs by index). With
// three or more points, the pair of points whose fit leaves the smallest median
// misfit of all decides which points agree; a point off by more than
// max(0.1 m, 3 robust standard deviations, 2e-4 of the extent) is left out, so a
// wrong given point cannot turn a whole local system. The rotation and
// translation are the least-squares fit of the others, the height shift the
// median of their height differences. False when there are fewer than two
// points, or when they lie in one place in plan (nothing gives the rotation).
bool UmistitLokalniSystem(const std::vector<Tbod>& lokalni, const std::vector<Tbod>& zname,
                          LokalniUmisteni& umisteni);

// A local point in the known system.
Tbod Transformovat(const LokalniUmisteni& umisteni, const Tbod& lokalni);

}  // namespace vertano
