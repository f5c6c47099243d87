#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "data/Tsouradnice.h"
#include "drawing/TgrafikaData.h"
#include "matice/Konstanty.h"

namespace vertano {

bool TgrafikaData::PrepsatSouradnice(const Tsouradnice& souradnice, bool typ) {
    chyba.clear();
    const auto n = static_cast<std::size_t>(PocetPlatnychBodu());
    if (static_cast<std::size_t>(souradnice.Pocet()) < n) {
        chyba = "The coordinate list has fewer points than the drawing";
        return false;
    }
    // Written into a copy first: a list that does not fit must leave the drawing
    // as it was, not half rewritten.
    std::vector<TgrafikaBod> nove(body.begin(), body.begin() + static_cast<std::ptrdiff_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        const Tbod& b = souradnice.bod[i];
        TgrafikaBod& g = nove[i];
        // The caller promises the same points in the same order; a mismatch would
        // draw coordinates under the wrong numbers.
        if (b.cislo != g.cislo) {
            chyba = "The point " + g.cislo + " of the drawing is " + b.cislo +
                    " in the coordinate list";
            return false;
        }
        g.X = typ ? b.X : b.Y;
        g.Y = typ ? b.Y : b.X;
        g.JeFixni = b.JeFixni;
        g.fixniOsy = b.fixniOsy;
        if (!b.JeFixni)
            g.a_smernik =
                typ ? Real(b.Presnost().elipsa.a_smernik) : kPi / 2 - b.Presnost().elipsa.a_smernik;
        if (!std::isfinite(g.X) || !std::isfinite(g.Y) || !std::isfinite(g.a_smernik)) {
            chyba = "The point " + g.cislo + " has a coordinate or a bearing that is not a number";
            return false;
        }
    }
    std::move(nove.begin(), nove.end(), body.begin());
    return true;
}

}  // namespace vertano
