#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "matice/Real.h"

namespace vertano {

// A layer of the DXF layer table: its name in Czech (index 0) and English (1),
// the AutoCAD colour number and whether it is switched on.
struct TLayer {
    std::array<std::string, 2> name;
    std::string color = "7";
    bool visible = true;
};

// A writer of DXF group codes and values: the tables section (viewport, line
// types, layers) and the entities the drawing of a network uses (lines, circles,
// points, texts, polylines). The file has no header and no blocks: the oldest
// form of the format, which every CAD program reads.
//
// The output collects between fileopen and fileclose and reaches the disk through
// the safe writer, so a failed export never leaves half a file over an old one.
class TDXFwriter {
  public:
    std::string filename;
    Real Scale = 1;  // magnification of the error ellipses
    int lang = 0;    // language of the layer names: 0 Czech, 1 English
    std::vector<TLayer> layers;
    std::array<std::string, 20> barvy;  // AutoCAD colour of each palette index
    int layersnum = 0;
    Real PointSize = 0;  // size of point symbols and height of texts [m]
    Real maxX = 0;
    Real minX = 0;
    Real maxY = 0;
    Real minY = 0;
    Real del = 0;  // the larger extent

    TDXFwriter();
    virtual ~TDXFwriter() = default;

    // Starts an empty output; always succeeds (the file is written by fileclose).
    bool fileopen();
    // Saves the output to `filename`; false with the reason (English) when it
    // cannot.
    bool fileclose(std::string& chyba);

    // A group code and its value, each on its own line.
    void parval(std::string_view par, std::string_view val);

    void section();
    void Seceof();
    void TablesStart();
    void TableStart();
    void TableEnd();
    void LayerStart();
    void Entities();
    void EndSec();
    void LType();
    void WriteViewPort();
    void WriteLayers();
    void WriteTables();
    void Layer(std::string_view name, std::string_view color, std::string_view lineType);

    // Entities; coordinates already formatted, `layer` the name as written.
    void Line(const std::string& x1, const std::string& y1, const std::string& z1,
              const std::string& x2, const std::string& y2, const std::string& z2,
              const std::string& layer);
    void Circle(const std::string& x1, const std::string& y1, const std::string& z1,
                const std::string& r, const std::string& layer);
    void Point(const std::string& x1, const std::string& y1, const std::string& z1,
               const std::string& layer);
    void Text(const std::string& x1, const std::string& y1, const std::string& z1,
              const std::string& layer, const std::string& size, std::string_view txt);
    void PLineStart(const std::string& layer);
    void PLineVertex(const std::string& x1, const std::string& y1, const std::string& z1,
                     const std::string& layer);
    void PLineEnd();

    // The symbols of a determined and of a fixed point at the data coordinates
    // (x, y) = (X, Y), drawn at (-Y, -X) with the point number.
    void AdjPointPaint(Real x, Real y, std::string_view num);
    void FixPointPaint(Real x, Real y, std::string_view num);

    // A number as written: general notation, at most 15 significant digits, "."
    // always, an exponent below 0.00001 and from 1E15 on.
    static std::string FtSf(Real value);
    // The AutoCAD colour of a palette index; "7" outside the palette.
    const std::string& ConvertColor(int index) const;
    // The name of layer `index` in the language `lang`.
    const std::string& LayerName(int index) const;

    // The output so far, one group code or value per line.
    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    void DefineColors();
    void Symbol(Real x, Real y, std::string_view num, int markLayer, int numberLayer,
                int pointLayer, bool circle);

    std::vector<std::string> lines_;
};

// Text for a DXF value: printable ASCII stays; every other character (and every
// byte that is not valid UTF-8) becomes \U+XXXX, which CAD programs show as the
// character. A point number can thus neither break the pairs of lines nor be
// shown in the wrong code page.
std::string DxfText(std::string_view utf8);

}  // namespace vertano
