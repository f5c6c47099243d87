#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/ValueBox.h"
#include "matice/Real.h"
#include "matice/StoredReal.h"

namespace vertano {

// Error ellipsoid of a point: length [m], bearing [rad] and zenith angle [rad] of
// each of the three semi-axes.
struct Telipsoid {
    StoredReal a_delka = 0;
    StoredReal a_smernik = 0;
    StoredReal a_zenit = 0;
    StoredReal b_delka = 0;
    StoredReal b_smernik = 0;
    StoredReal b_zenit = 0;
    StoredReal c_delka = 0;
    StoredReal c_smernik = 0;
    StoredReal c_zenit = 0;
};

// Which coordinates of a given point the adjustment holds: all three (the
// default, and the only choice of older files), X and Y only (a point known in
// plan, its height determined), or Z only (a benchmark, its position
// determined). For a determined point of the adjustment (JeFixni false) Poloha
// and Vyska hold those coordinates and Vse holds none.
enum class FixniOsy : uint8_t { Vse = 0, Poloha = 1, Vyska = 2 };

// Plane error ellipse of a point: semi-axes [m] and bearing of the major axis [rad].
struct Telipsa {
    StoredReal a_delka = 0;
    StoredReal b_delka = 0;
    StoredReal a_smernik = 0;
};

// The accuracy of a point: standard deviations of its coordinates [m] and its
// error ellipsoid and ellipse. Given and identical points may carry the
// deviations; only results carry the rest. -1 marks a length that is not given.
struct Tpresnost {
    StoredReal sig_X = -1;
    StoredReal sig_Y = -1;
    StoredReal sig_Z = -1;
    Telipsoid elipsoid{.a_delka = -1, .b_delka = -1, .c_delka = -1};
    Telipsa elipsa{.a_delka = -1, .b_delka = -1};
};

// One point of a coordinate list. The same record serves given points, identical
// points, scale factors and adjustment results; each list uses the fields it needs.
// Lengths in metres, angles in radians; -1 marks a deviation or scale factor that
// is not given (anything <= 0 counts as not given).
//
// A file may hold a million points, so the values are kept without the padding
// of the extended format (StoredReal: exact Reals in 10 bytes instead of 16),
// and the accuracy, which most points of a file do not have, is kept outside
// the record until it is set (a million scale factors would otherwise carry
// 150 MB of blank deviations and ellipses).
struct Tbod {
    static constexpr int kPocetKontrol = 4;

    int32_t soubor = 0;  // ID of the file entry in Tinfo, 0 = not from a file
    int32_t poradi = 0;  // ordinal number of the point in its list
    std::string cislo;   // point number, compared as an exact string
    StoredReal X = 0;
    StoredReal Y = 0;
    StoredReal Z = 0;
    StoredReal zkresleni = 0;  // scale factor of the projection at the point
    bool JePlny = false;       // false marks an empty slot of the list
    bool JeFixni = false;      // coordinates are not unknowns of the adjustment
    bool JeAktiv = false;      // kept for the project file; nothing sets it
    FixniOsy fixniOsy = FixniOsy::Vse;
    // [0] duplicate number; [1] another point with the same X and Y (coordinate
    // lists) or scale factor out of range (scale-factor lists); [2] another point
    // with the same X, Y and Z; [3] unused.
    std::array<bool, kPocetKontrol> kontrola{};
    ValueBox<Tpresnost> presnost;  // blank (Tpresnost{}) until set

    // A default-constructed point is the record of a grown list; Prazdny() is
    // the blank point that new points, failed searches and the error counters
    // start from.
    static Tbod Prazdny();

    // Deviations and ellipses; blank where none were set.
    const Tpresnost& Presnost() const { return presnost.Get(); }
    // The same to change (sets them blank first where there were none).
    Tpresnost& UpravPresnost() { return presnost.Set(); }
    // The standard deviations back to not given; the ellipses stay.
    void SmazOdchylky() {
        if (!presnost.HasValue()) return;
        Tpresnost& p = presnost.Set();
        p.sig_X = p.sig_Y = p.sig_Z = -1;
    }

    bool MaKontrolu() const;
    // Fixed in plan only or in height only.
    bool JeCastecneFixni() const { return fixniOsy != FixniOsy::Vse; }
    // Whether coordinate `osa` (0 X, 1 Y, 2 Z) is held where the point is
    // partly fixed.
    bool DrziOsu(int osa) const {
        return (fixniOsy == FixniOsy::Poloha && osa < 2) ||
               (fixniOsy == FixniOsy::Vyska && osa == 2);
    }
};

inline Tbod Tbod::Prazdny() {
    Tbod b;
    b.zkresleni = -1;
    return b;
}

inline bool Tbod::MaKontrolu() const {
    for (const bool k : kontrola) {
        if (k) return true;
    }
    return false;
}

}  // namespace vertano
