#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/Poznamky.h"
#include "files/FileResult.h"
#include "matice/Real.h"
#include "matice/StoredReal.h"
#include "mereni/TextovySoubor.h"

namespace vertano::exchange {

// The network of a file in the XML input format of GNU Gama (gama-local), as the
// file says it, before anything is mapped onto this program's lists: angles in
// radians in the sense and axes of the file, lengths in metres, standard
// deviations in radians and metres (none when the file gives none).

// The axes of a coordinate, per point: fixed, adjusted, adjusted as a
// constraint of a free network (written in capitals after adj).
struct GamaOsy {
    bool xy = false;
    bool z = false;
};

struct GamaBod {
    std::string id;
    std::optional<Real> x, y, z;
    GamaOsy fix;
    GamaOsy adj;
    GamaOsy omezene;  // constrained (capitals in adj)
    int32_t fileLine = 0;
};

enum class GamaDruh {
    Smer,        // direction (cluster orientation)
    Delka,       // horizontal distance
    SikmaDelka,  // slope distance
    Zenit,       // zenith angle
    Uhel,        // angle bs -> fs
    Azimut,      // azimuth (bearing)
    Prevyseni,   // levelled height difference
    Vektor,      // coordinate differences
    Souradnice,  // observed coordinates
};

struct GamaMereni {
    GamaDruh druh = GamaDruh::Smer;
    int32_t shluk = 0;  // the cluster (<obs>, <height-differences>, ...), from 1
    std::string od, k;  // standpoint and target (angles: backsight)
    std::string k2;     // angles: foresight
    // Kept in 10 bytes each (a network may hold a million observations): the
    // record takes about three times its line of the file.
    StoredReal hodnota = 0;
    std::optional<StoredReal> odchylka;
    std::optional<StoredReal> vyskaOd, vyskaK;  // from_dh, to_dh
    StoredReal dx = 0, dy = 0, dz = 0;          // vectors
    int32_t fileLine = 0;
};

struct GamaSit {
    // The axes: the direction of +x and of +y as quarters clockwise from north
    // (0 n, 1 e, 2 s, 3 w).
    int osaX = 0;
    int osaY = 1;
    bool uhlyVpravo = false;  // angles="right-handed": counter-clockwise
    std::vector<GamaBod> body;
    std::vector<GamaMereni> mereni;
    int32_t pocetShluku = 0;
    std::vector<Poznamka> poznamky;
};

// Reads the document with expat, piece by piece (the text is decoded already:
// UTF-8 whatever the declaration says). Refused, with the line and the reason:
// XML that is not well formed, an entity declaration or a reference to an
// entity that is not one of XML's own (no entity is ever expanded, no external
// one ever read), nesting deeper than the format has, an element the format
// does not have in that place, text where none belongs, a value that is not a
// number, a point named twice with other coordinates, an observation without
// its standard deviation when the file gives no default for its kind, vectors
// other than plumbing ties (dx = dy = 0 with equal variances, the height free:
// a variance of dz of 1e12 mm^2 or more, with a diagonal <cov-mat>).
// Elements and attributes the program has no use for are listed as notes.
FileResult ReadGamaText(std::string_view text, GamaSit& sit);
FileResult ReadGamaStream(const TextStream& text, GamaSit& sit);

}  // namespace vertano::exchange
