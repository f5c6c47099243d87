#include "drawing/TDXFwriter.h"

#include <utility>

#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

namespace {

// Layers of the point symbols (indices of TDXFwriterSit's layer table).
constexpr int kAdjMark = 2;
constexpr int kAdjNumber = 3;
constexpr int kAdjPoint = 1;
constexpr int kFixMark = 5;
constexpr int kFixNumber = 6;
constexpr int kFixPoint = 4;

// The code point of the UTF-8 sequence at `i` (advanced past it), or U+FFFD for a
// byte that does not start a valid sequence (advanced by one).
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int n = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    if ((b0 & 0xE0) == 0xC0) {
        n = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 3;
        cp = b0 & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<size_t>(n) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<size_t>(n) + 1;
    return cp;
}

}  // namespace

std::string DxfText(std::string_view utf8) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp >= 0x20 && cp < 0x7F && cp != '\\') {
            out += static_cast<char>(cp);
            continue;
        }
        std::string hex;
        for (char32_t v = cp; v != 0 || hex.size() < 4; v >>= 4)
            hex.insert(hex.begin(), kHex[v & 0xF]);
        out += "\\U+" + hex;
    }
    return out;
}

TDXFwriter::TDXFwriter() {
    DefineColors();
}

void TDXFwriter::DefineColors() {
    barvy = {"7", "26", "94", "52", "174", "214", "134", "252", "254", "1",
             "3", "2",  "5",  "6",  "4",   "7",   "103", "151", "41",  "253"};
}

bool TDXFwriter::fileopen() {
    lines_.clear();
    return true;
}

bool TDXFwriter::fileclose(std::string& chyba) {
    const bool ok = SaveTextFile(filename, lines_, chyba);
    lines_.clear();
    return ok;
}

void TDXFwriter::parval(std::string_view par, std::string_view val) {
    lines_.emplace_back(par);
    lines_.emplace_back(val);
}

void TDXFwriter::section() {
    parval("0", "SECTION");
}
void TDXFwriter::Seceof() {
    parval("0", "EOF");
}
void TDXFwriter::TablesStart() {
    parval("2", "TABLES");
}
void TDXFwriter::TableStart() {
    parval("0", "TABLE");
}
void TDXFwriter::TableEnd() {
    parval("0", "ENDTAB");
}
void TDXFwriter::LayerStart() {
    parval("2", "LAYER");
    parval("70", "10");
}
void TDXFwriter::Entities() {
    parval("2", "ENTITIES");
}
void TDXFwriter::EndSec() {
    parval("0", "ENDSEC");
}

void TDXFwriter::WriteViewPort() {
    TableStart();
    parval("2", "VPORT");
    parval("70", "1");
    parval("0", "VPORT");
    parval("2", "*ACTIVE");
    parval("70", "0");
    parval("10", "0.0");
    parval("20", "0.0");
    parval("11", "1.0");
    parval("21", "1.0");
    // The centre of the extents in drawing coordinates (x = -Y, y = -X).
    parval("12", FtSf(-(maxY + minY) / 2));
    parval("22", FtSf(-(maxX + minX) / 2));
    parval("13", "0.0");
    parval("23", "0.0");
    parval("14", "1.0");
    parval("24", "1.0");
    parval("15", "0.0");
    parval("25", "0.0");
    parval("16", "0.0");
    parval("26", "0.0");
    parval("36", "1.0");
    parval("17", "0.0");
    parval("27", "0.0");
    parval("37", "0.0");
    parval("40", FtSf(del));
    parval("41", "1.7");
    parval("42", "50.0");
    parval("43", "0.0");
    parval("44", "0.0");
    parval("50", "0.0");
    parval("51", "0.0");
    parval("71", "0");
    parval("72", "100");
    parval("73", "1");
    parval("74", "1");
    parval("75", "0");
    parval("76", "0");
    parval("77", "0");
    parval("78", "0");
    TableEnd();
}

void TDXFwriter::LType() {
    TableStart();
    parval("2", "LTYPE");
    parval("70", "2");
    parval("0", "LTYPE");
    parval("2", "CONTINUOUS");
    parval("70", "0");
    parval("3", "Solid line");
    parval("72", "65");
    parval("73", "0");
    parval("40", "0.0");
    parval("0", "LTYPE");
    parval("2", "ACAD_ISO03W100");
    parval("70", "0");
    parval("3", "ISO prerusovana __    __    __    __    __    _");
    parval("72", "65");
    parval("73", "2");
    parval("40", "30.0");
    parval("49", "12.0");
    parval("49", "-18");
    TableEnd();
}

void TDXFwriter::Layer(std::string_view name, std::string_view color, std::string_view lineType) {
    parval("0", "LAYER");
    parval("2", name);
    parval("70", "0");
    parval("62", color);
    parval("6", lineType);
}

void TDXFwriter::WriteLayers() {
    TableStart();
    LayerStart();
    for (int i = 0; i < layersnum && i < static_cast<int>(layers.size()); ++i) {
        const TLayer& l = layers[static_cast<size_t>(i)];
        // A negative colour switches the layer off.
        Layer(LayerName(i), l.visible ? l.color : "-" + l.color, "CONTINUOUS");
    }
    TableEnd();
    EndSec();
}

void TDXFwriter::WriteTables() {
    section();
    TablesStart();
    WriteViewPort();
    LType();
    WriteLayers();
}

void TDXFwriter::Line(const std::string& x1, const std::string& y1, const std::string& z1,
                      const std::string& x2, const std::string& y2, const std::string& z2,
                      const std::string& layer) {
    parval("0", "LINE");
    parval("8", layer);
    parval("10", x1);
    parval("20", y1);
    parval("30", z1);
    parval("11", x2);
    parval("21", y2);
    parval("31", z2);
}

void TDXFwriter::Circle(const std::string& x1, const std::string& y1, const std::string& z1,
                        const std::string& r, const std::string& layer) {
    parval("0", "CIRCLE");
    parval("8", layer);
    parval("10", x1);
    parval("20", y1);
    parval("30", z1);
    parval("40", r);
}

void TDXFwriter::Point(const std::string& x1, const std::string& y1, const std::string& z1,
                       const std::string& layer) {
    parval("0", "POINT");
    parval("8", layer);
    parval("10", x1);
    parval("20", y1);
    parval("30", z1);
}

void TDXFwriter::Text(const std::string& x1, const std::string& y1, const std::string& z1,
                      const std::string& layer, const std::string& size, std::string_view txt) {
    parval("0", "TEXT");
    parval("1", DxfText(txt));
    parval("40", size);
    parval("8", layer);
    parval("10", x1);
    parval("20", y1);
    parval("30", z1);
}

void TDXFwriter::PLineStart(const std::string& layer) {
    parval("0", "POLYLINE");
    parval("8", layer);
    parval("66", "1");
    parval("10", "0.0");
    parval("20", "0.0");
    parval("30", "0.0");
    parval("70", "8");
}

void TDXFwriter::PLineVertex(const std::string& x1, const std::string& y1, const std::string& z1,
                             const std::string& layer) {
    parval("0", "VERTEX");
    parval("8", layer);
    parval("10", x1);
    parval("20", y1);
    parval("30", z1);
}

void TDXFwriter::PLineEnd() {
    parval("0", "SEQEND");
}

void TDXFwriter::Symbol(Real x, Real y, std::string_view num, int markLayer, int numberLayer,
                        int pointLayer, bool circle) {
    const Real u = -y;
    const Real v = -x;
    const Real p = PointSize;
    const std::string z = "0";
    const std::string& mark = LayerName(markLayer);
    Line(FtSf(u), FtSf(v - p), z, FtSf(u), FtSf(v + p), z, mark);
    Line(FtSf(u - p), FtSf(v), z, FtSf(u + p), FtSf(v), z, mark);
    if (circle) Circle(FtSf(u), FtSf(v), z, FtSf(0.7L * p), mark);
    Text(FtSf(u + p), FtSf(v + p), z, LayerName(numberLayer), FtSf(p), num);
    Point(FtSf(u), FtSf(v), z, LayerName(pointLayer));
}

void TDXFwriter::AdjPointPaint(Real x, Real y, std::string_view num) {
    Symbol(x, y, num, kAdjMark, kAdjNumber, kAdjPoint, false);
}

void TDXFwriter::FixPointPaint(Real x, Real y, std::string_view num) {
    Symbol(x, y, num, kFixMark, kFixNumber, kFixPoint, true);
}

std::string TDXFwriter::FtSf(Real value) {
    // A negative zero is written as "0".
    return FormatGeneral(value == 0 ? Real{0} : value);
}

const std::string& TDXFwriter::ConvertColor(int index) const {
    static const std::string kBlack = "7";
    if (index < 0 || index >= static_cast<int>(barvy.size())) return kBlack;
    return barvy[static_cast<size_t>(index)];
}

const std::string& TDXFwriter::LayerName(int index) const {
    static const std::string kNone = "0";
    if (index < 0 || index >= static_cast<int>(layers.size())) return kNone;
    return layers[static_cast<size_t>(index)].name[lang == 1 ? 1 : 0];
}

}  // namespace vertano
