#pragma once

#include <cstdint>
#include <vector>

#include "data/Tbod.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceNahoda.h"

namespace vertano::simulace {

// The true points of a generated network and the choices made on them.

struct Rozvrzeni {
    Tsouradnice body;    // full points named 4001, 4002, ... in layout order
    int32_t horni = -1;  // the plumbing pair: the upper point, -1 when none
    int32_t dolni = -1;  // and the point straight below it (always the last)
};

// The layout of the (complete) parameters. Coordinates are rounded to 0.1 mm, so
// that a coordinate file written with four decimals holds them exactly.
Rozvrzeni VytvoritRozvrzeni(const SimulaceParametry& p, SimulaceNahoda& nahoda);

// Finds the nearest neighbours of points in plan. The points are kept sorted by
// X, so that a search looks only at the strip of points that can still be
// nearer than those found: a large network costs far less than the square of its
// points.
class HledaniSousedu {
  public:
    // `body` must outlive the search.
    explicit HledaniSousedu(const Tsouradnice& body);

    // The `pocet` points nearest to point `i` in plan, nearer ones first, leaving
    // out points closer than `minimum` in plan (a point straight above or below
    // cannot be sighted). Equal distances go to the lower index, so the choice
    // does not depend on the sorting algorithm of the library.
    std::vector<int32_t> Nejblizsi(int32_t i, int32_t pocet, Real minimum) const;

  private:
    const Tsouradnice& body_;
    std::vector<int32_t> podleX_;  // point indices by X, then index
    std::vector<int32_t> pozice_;  // place of each point in podleX_
};

// `pocet` points spread over the network (each next one the farthest in plan from
// those already chosen, starting with the first point), never `vynechat`; in
// ascending order.
std::vector<int32_t> VybratRozlozene(const Tsouradnice& body, int32_t pocet, int32_t vynechat);

// `pocet` of the indices 0 ... celkem-1 drawn at random, in ascending order;
// all of them when pocet is 0 or not below celkem.
std::vector<int32_t> VybratNahodne(int32_t celkem, int32_t pocet, SimulaceNahoda& nahoda);

}  // namespace vertano::simulace
