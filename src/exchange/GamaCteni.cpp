#include <expat.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "exchange/GamaSit.h"
#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"

namespace vertano::exchange {

namespace {

// No element of the format lies deeper than four levels; a little more is allowed.
constexpr size_t kMaxHloubka = 8;

struct Vychozi {
    std::optional<Real> smer, uhel, zenit, azimut;  // in the file's angular unit
    std::optional<Real> a, b, c;                    // distances: a + b D[km]^c [mm]
};

using Atributy = std::map<std::string, std::string>;

struct Kontext {
    XML_Parser parser = nullptr;
    GamaSit sit;
    std::vector<std::string> zasobnik;
    Vychozi vychozi;
    std::string odShluku;  // <obs from="...">
    std::optional<Real> vyskaOdShluku;
    FileResult chyba;
    bool zastaveno = false;
    // <vectors>: its vectors and the text of its <cov-mat>.
    std::vector<GamaMereni> vektory;
    std::string kovariance;
    int32_t dimenze = -1;
    int32_t pas = -1;

    int32_t Radek() const { return static_cast<int32_t>(XML_GetCurrentLineNumber(parser)); }

    void Zastavit(FileError e, std::string note, std::string detail = {}) {
        if (zastaveno) return;
        zastaveno = true;
        chyba = FileFailure(e, Radek(), Radek(), std::move(detail));
        chyba.note = std::move(note);
        XML_StopParser(parser, XML_FALSE);
    }
    void Poznamka(std::string text) { sit.poznamky.push_back({Radek(), std::move(text)}); }
};

bool Cislo(std::string_view text, Real& v) {
    const std::string_view t = Trim(text);
    if (t.find(',') != std::string_view::npos) return false;
    return ParseNumber(t, v) == NumberStatus::Ok;
}

// An angle "gon" or "d-m-s" (degrees, minutes, seconds joined by dashes, with an
// optional sign); `stupne` says which, for the unit of its deviation.
bool Uhel(std::string_view text, Real& radiany, bool& stupne) {
    std::string_view t = Trim(text);
    bool zaporny = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        zaporny = t.front() == '-';
        t.remove_prefix(1);
    }
    const size_t p1 = t.find('-');
    if (p1 == std::string_view::npos) {
        stupne = false;
        Real gon = 0;
        if (!Cislo(t, gon)) return false;
        radiany = (zaporny ? -gon : gon) * kPi / 200;
        return true;
    }
    stupne = true;
    const size_t p2 = t.find('-', p1 + 1);
    if (p2 == std::string_view::npos) return false;
    Real d = 0, m = 0, s = 0;
    if (!Cislo(t.substr(0, p1), d) || !Cislo(t.substr(p1 + 1, p2 - p1 - 1), m) ||
        !Cislo(t.substr(p2 + 1), s))
        return false;
    // Seconds of exactly 60 are a reading rounded up (59.996 written with two
    // decimals) and carry into the minute; anything beyond is no angle.
    if (d < 0 || m < 0 || m >= 60 || s < 0 || s > 60) return false;
    const Real deg = d + m / 60 + s / 3600;
    radiany = (zaporny ? -deg : deg) * kPi / 180;
    return true;
}

// An angular deviation: centesimal seconds (cc) for gon, arc seconds for degrees.
Real UhlovaOdchylka(Real hodnota, bool stupne) {
    return stupne ? hodnota / 3600 * kPi / 180 : hodnota / 10000 * kPi / 200;
}

Atributy Nacist(const XML_Char** attrs) {
    Atributy a;
    for (size_t i = 0; attrs[i] != nullptr && attrs[i + 1] != nullptr; i += 2)
        a[attrs[i]] = attrs[i + 1];
    return a;
}

// The quarter of an axis letter: n 0, e 1, s 2, w 3.
bool Smer(char c, int& ctvrt) {
    const std::string pismena = "nesw";
    const size_t i = pismena.find(c);
    if (i == std::string::npos) return false;
    ctvrt = static_cast<int>(i);
    return true;
}

bool Osy(const std::string& text, GamaOsy& osy, GamaOsy& velke) {
    static const char* const platne[] = {"xy", "XY", "z", "Z", "xyz", "XYZ", "xyZ", "XYz"};
    bool znamy = false;
    for (const char* p : platne) znamy = znamy || text == p;
    if (!znamy) return false;
    for (const char c : text) {
        if (c == 'x' || c == 'X') osy.xy = true;
        if (c == 'z' || c == 'Z') osy.z = true;
        if (c == 'X') velke.xy = true;
        if (c == 'Z') velke.z = true;
    }
    return true;
}

void Network(Kontext& k, const Atributy& a) {
    for (const auto& [klic, hodnota] : a) {
        if (klic == "axes-xy") {
            int x = 0, y = 0;
            if (hodnota.size() != 2 || !Smer(hodnota[0], x) || !Smer(hodnota[1], y) ||
                (x - y) % 2 == 0)
                return k.Zastavit(FileError::BadNumber,
                                  "axes-xy must be two of n, e, s, w at a right angle", hodnota);
            k.sit.osaX = x;
            k.sit.osaY = y;
        } else if (klic == "angles") {
            if (hodnota == "right-handed")
                k.sit.uhlyVpravo = true;
            else if (hodnota != "left-handed")
                return k.Zastavit(FileError::BadNumber,
                                  "angles must be left-handed or right-handed", hodnota);
        } else {
            k.Poznamka("attribute " + klic + " of <network> not used");
        }
    }
}

void PointsObservations(Kontext& k, const Atributy& a) {
    for (const auto& [klic, hodnota] : a) {
        std::optional<Real>* cil = nullptr;
        if (klic == "direction-stdev")
            cil = &k.vychozi.smer;
        else if (klic == "angle-stdev")
            cil = &k.vychozi.uhel;
        else if (klic == "zenith-angle-stdev")
            cil = &k.vychozi.zenit;
        else if (klic == "azimuth-stdev")
            cil = &k.vychozi.azimut;
        if (cil != nullptr) {
            Real v = 0;
            if (!Cislo(hodnota, v) || v <= 0)
                return k.Zastavit(FileError::BadNumber, klic + " is not a positive number",
                                  hodnota);
            *cil = v;
        } else if (klic == "distance-stdev") {
            const std::vector<std::string> t = Tokenize(hodnota);
            Real v[3] = {0, 0, 1};
            if (t.empty() || t.size() > 3)
                return k.Zastavit(FileError::BadNumber, "distance-stdev is a [b [c]]", hodnota);
            for (size_t i = 0; i < t.size(); ++i) {
                if (!Cislo(t[i], v[i]) || v[i] < 0)
                    return k.Zastavit(FileError::BadNumber, "distance-stdev is a [b [c]]", hodnota);
            }
            k.vychozi.a = v[0];
            k.vychozi.b = v[1];
            k.vychozi.c = v[2];
        } else if (klic != "xmlns") {
            k.Poznamka("attribute " + klic + " of <points-observations> not used");
        }
    }
}

void Point(Kontext& k, const Atributy& a) {
    GamaBod b;
    b.fileLine = k.Radek();
    for (const auto& [klic, hodnota] : a) {
        if (klic == "id") {
            b.id = std::string(Trim(hodnota));
        } else if (klic == "x" || klic == "y" || klic == "z") {
            Real v = 0;
            if (!Cislo(hodnota, v))
                return k.Zastavit(FileError::BadNumber, "coordinate " + klic, hodnota);
            (klic == "x" ? b.x : klic == "y" ? b.y : b.z) = v;
        } else if (klic == "fix") {
            GamaOsy velke;
            if (!Osy(hodnota, b.fix, velke))
                return k.Zastavit(FileError::BadNumber, "fix is one of xy, z, xyz (in any case)",
                                  hodnota);
        } else if (klic == "adj") {
            if (!Osy(hodnota, b.adj, b.omezene))
                return k.Zastavit(FileError::BadNumber,
                                  "adj is one of xy, XY, z, Z, xyz, XYZ, xyZ, XYz", hodnota);
        } else {
            k.Poznamka("attribute " + klic + " of <point> not used");
        }
    }
    if (b.id.empty()) return k.Zastavit(FileError::BadName, "a point without its id");
    if (!IsSingleToken(b.id))
        return k.Zastavit(FileError::UnwritableName,
                          "a point id with a blank or a control character", b.id);
    for (GamaBod& jiny : k.sit.body) {
        if (jiny.id != b.id) continue;
        // A point may be given in two tags; what both say must agree.
        const auto spojit = [&](std::optional<Real>& c, const std::optional<Real>& d) {
            if (!d) return true;
            if (c && *c != *d) return false;
            c = d;
            return true;
        };
        if (!spojit(jiny.x, b.x) || !spojit(jiny.y, b.y) || !spojit(jiny.z, b.z))
            return k.Zastavit(FileError::BadNumber, "point given twice with other coordinates",
                              b.id);
        jiny.fix.xy |= b.fix.xy;
        jiny.fix.z |= b.fix.z;
        jiny.adj.xy |= b.adj.xy;
        jiny.adj.z |= b.adj.z;
        jiny.omezene.xy |= b.omezene.xy;
        jiny.omezene.z |= b.omezene.z;
        return;
    }
    k.sit.body.push_back(std::move(b));
}

std::optional<Real> VychoziOdchylka(const Kontext& k, GamaDruh druh, Real hodnota, bool stupne) {
    const Vychozi& v = k.vychozi;
    const auto uhlova = [&](const std::optional<Real>& o) -> std::optional<Real> {
        if (!o) return std::nullopt;
        return UhlovaOdchylka(*o, stupne);
    };
    switch (druh) {
        case GamaDruh::Smer:
            return uhlova(v.smer);
        case GamaDruh::Uhel:
            return uhlova(v.uhel);
        case GamaDruh::Zenit:
            return uhlova(v.zenit);
        case GamaDruh::Azimut:
            return uhlova(v.azimut);
        case GamaDruh::Delka:
        case GamaDruh::SikmaDelka:
            if (!v.a) return std::nullopt;
            return (*v.a + *v.b * std::pow(std::fabs(hodnota) / 1000, *v.c)) / 1000;
        default:
            return std::nullopt;
    }
}

void Observation(Kontext& k, GamaDruh druh, const std::string& jmeno, const Atributy& a) {
    GamaMereni m;
    m.druh = druh;
    m.shluk = k.sit.pocetShluku;
    m.fileLine = k.Radek();
    m.od = k.odShluku;
    m.vyskaOd = k.vyskaOdShluku;
    const bool uhlovy = druh == GamaDruh::Smer || druh == GamaDruh::Zenit ||
                        druh == GamaDruh::Uhel || druh == GamaDruh::Azimut;
    bool stupne = false;
    bool maHodnotu = false;
    std::optional<Real> odchylka;
    for (const auto& [klic, hodnota] : a) {
        Real v = 0;
        if (klic == "from") {
            m.od = std::string(Trim(hodnota));
        } else if (klic == "to" || klic == "bs") {
            m.k = std::string(Trim(hodnota));
        } else if (klic == "fs") {
            m.k2 = std::string(Trim(hodnota));
        } else if (klic == "val") {
            if (!(uhlovy ? Uhel(hodnota, v, stupne) : Cislo(hodnota, v)))
                return k.Zastavit(FileError::BadNumber, "the value of <" + jmeno + ">", hodnota);
            m.hodnota = v;
            maHodnotu = true;
        } else if (klic == "stdev") {
            if (!Cislo(hodnota, v) || v <= 0)
                return k.Zastavit(FileError::BadNumber, "stdev is not a positive number", hodnota);
            odchylka = v;
        } else if (klic == "from_dh" || klic == "to_dh" || klic == "bs_dh" || klic == "fs_dh") {
            if (!Cislo(hodnota, v)) return k.Zastavit(FileError::BadNumber, klic, hodnota);
            (klic == "from_dh" ? m.vyskaOd : m.vyskaK) = v;
        } else {
            k.Poznamka("attribute " + klic + " of <" + jmeno + "> not used");
        }
    }
    if (!maHodnotu) return k.Zastavit(FileError::TooFewTokens, "<" + jmeno + "> without its value");
    if (m.od.empty() || m.k.empty())
        return k.Zastavit(FileError::BadName, "<" + jmeno + "> without its standpoint or target");
    for (const std::string* nazev : {&m.od, &m.k}) {
        if (!IsSingleToken(*nazev))
            return k.Zastavit(FileError::UnwritableName,
                              "a point id with a blank or a control character", *nazev);
    }
    if (druh == GamaDruh::Smer && m.od != k.odShluku)
        return k.Zastavit(FileError::BadName, "a direction from another standpoint than its <obs>",
                          m.od);
    if (odchylka) {
        m.odchylka = uhlovy ? UhlovaOdchylka(*odchylka, stupne) : *odchylka / 1000;
    } else {
        m.odchylka = VychoziOdchylka(k, druh, m.hodnota, stupne);
    }
    if (!m.odchylka)
        return k.Zastavit(
            FileError::TooFewTokens,
            "<" + jmeno + "> without stdev, and <points-observations> gives no default");
    // distance-stdev "a b c" may give 0 (a = 0 and a zero distance, or b = 0 too),
    // which would weigh the distance infinitely.
    if (!(*m.odchylka > 0) || !std::isfinite(*m.odchylka))
        return k.Zastavit(
            FileError::BadNumber,
            "<" + jmeno + "> gets a deviation that is not positive from distance-stdev",
            FormatGeneral(*m.odchylka * 1000) + " mm");
    k.sit.mereni.push_back(std::move(m));
}

void ObsCluster(Kontext& k, const Atributy& a) {
    ++k.sit.pocetShluku;
    k.odShluku.clear();
    k.vyskaOdShluku.reset();
    for (const auto& [klic, hodnota] : a) {
        if (klic == "from") {
            k.odShluku = std::string(Trim(hodnota));
        } else if (klic == "from_dh") {
            Real v = 0;
            if (!Cislo(hodnota, v)) return k.Zastavit(FileError::BadNumber, klic, hodnota);
            k.vyskaOdShluku = v;
        } else {
            k.Poznamka("attribute " + klic + " of <obs> not used");
        }
    }
}

// A vector of <vectors>: kept until the cluster ends, for its covariances.
void Vektor(Kontext& k, const Atributy& a) {
    GamaMereni m;
    m.druh = GamaDruh::Vektor;
    m.shluk = k.sit.pocetShluku;
    m.fileLine = k.Radek();
    bool d[3] = {false, false, false};
    for (const auto& [klic, hodnota] : a) {
        Real v = 0;
        if (klic == "from") {
            m.od = std::string(Trim(hodnota));
        } else if (klic == "to") {
            m.k = std::string(Trim(hodnota));
        } else if (klic == "dx" || klic == "dy" || klic == "dz") {
            if (!Cislo(hodnota, v)) return k.Zastavit(FileError::BadNumber, klic, hodnota);
            const int i = klic[1] - 'x';
            (i == 0 ? m.dx : i == 1 ? m.dy : m.dz) = v;
            d[i] = true;
        } else {
            k.Poznamka("attribute " + klic + " of <vec> not used");
        }
    }
    if (m.od.empty() || m.k.empty() || !d[0] || !d[1] || !d[2])
        return k.Zastavit(FileError::TooFewTokens, "<vec> needs from, to, dx, dy and dz");
    k.vektory.push_back(std::move(m));
}

bool Kovariance(Kontext& k, const Atributy& a) {
    for (const auto& [klic, hodnota] : a) {
        int32_t v = 0;
        if ((klic != "dim" && klic != "band") || !ParseInteger(Trim(hodnota), v) || v < 0) {
            k.Zastavit(FileError::BadNumber, "<cov-mat> takes dim and band", hodnota);
            return false;
        }
        (klic == "dim" ? k.dimenze : k.pas) = v;
    }
    k.kovariance.clear();
    return true;
}

// The only vectors the program keeps: plumbing ties, dx = dy = 0 with equal
// variances and the height left free (as the program writes them).
void Provazeni(Kontext& k) {
    const int32_t radek = k.vektory.empty() ? k.Radek() : k.vektory.front().fileLine;
    const auto odmitnout = [&] {
        k.Zastavit(FileError::Unsupported,
                   "vectors are taken only as plumbing ties: dx = dy = 0 with equal variances "
                   "and a variance of dz of 1e12 mm^2 or more, in a diagonal <cov-mat>");
        k.chyba.counter = k.chyba.fileLine = radek;
    };
    const std::vector<std::string> t = Tokenize(k.kovariance);
    const size_t n = k.vektory.size();
    if (n == 0 || k.pas != 0 || k.dimenze != static_cast<int32_t>(3 * n) || t.size() != 3 * n)
        return odmitnout();
    for (size_t i = 0; i < n; ++i) {
        Real v[3] = {0, 0, 0};
        for (size_t j = 0; j < 3; ++j)
            if (!Cislo(t[3 * i + j], v[j])) return odmitnout();
        GamaMereni m = k.vektory[i];
        if (m.dx != 0 || m.dy != 0 || !(v[0] > 0) || v[0] != v[1] || !(v[2] >= 1e12L))
            return odmitnout();
        m.odchylka = std::sqrt(v[0]) / 1000;
        k.sit.mereni.push_back(std::move(m));
    }
    k.vektory.clear();
}

bool Rodic(const Kontext& k, std::initializer_list<const char*> rodice) {
    const std::string rodic = k.zasobnik.empty() ? "" : k.zasobnik.back();
    for (const char* r : rodice)
        if (rodic == r) return true;
    return false;
}

void XMLCALL Zacatek(void* data, const XML_Char* name, const XML_Char** attrs) {
    Kontext& k = *static_cast<Kontext*>(data);
    const std::string jmeno = name;
    if (k.zasobnik.size() >= kMaxHloubka)
        return k.Zastavit(FileError::BadTag, "elements nested too deep", jmeno);
    const Atributy a = Nacist(attrs);
    const auto misto = [&](std::initializer_list<const char*> rodice) {
        if (Rodic(k, rodice)) return true;
        k.Zastavit(FileError::BadTag, "<" + jmeno + "> in the wrong place", jmeno);
        return false;
    };
    if (jmeno == "gama-local" || jmeno == "gama-xml") {
        if (!misto({""})) return;
    } else if (jmeno == "network") {
        if (!misto({"gama-local", "gama-xml"})) return;
        Network(k, a);
    } else if (jmeno == "description") {
        if (!misto({"network"})) return;
    } else if (jmeno == "parameters") {
        if (!misto({"network"})) return;
        if (!a.empty()) k.Poznamka("<parameters> not used: the program's settings apply");
    } else if (jmeno == "points-observations") {
        if (!misto({"network"})) return;
        PointsObservations(k, a);
    } else if (jmeno == "point") {
        if (!misto({"points-observations"})) return;
        Point(k, a);
    } else if (jmeno == "obs") {
        if (!misto({"points-observations"})) return;
        ObsCluster(k, a);
    } else if (jmeno == "height-differences") {
        if (!misto({"points-observations"})) return;
        ++k.sit.pocetShluku;
        k.odShluku.clear();
        k.vyskaOdShluku.reset();
    } else if (jmeno == "direction" || jmeno == "distance" || jmeno == "s-distance" ||
               jmeno == "z-angle" || jmeno == "angle" || jmeno == "azimuth") {
        if (!misto({"obs"})) return;
        const GamaDruh druh = jmeno == "direction"    ? GamaDruh::Smer
                              : jmeno == "distance"   ? GamaDruh::Delka
                              : jmeno == "s-distance" ? GamaDruh::SikmaDelka
                              : jmeno == "z-angle"    ? GamaDruh::Zenit
                              : jmeno == "angle"      ? GamaDruh::Uhel
                                                      : GamaDruh::Azimut;
        Observation(k, druh, jmeno, a);
    } else if (jmeno == "dh") {
        if (!misto({"obs", "height-differences"})) return;
        Observation(k, GamaDruh::Prevyseni, jmeno, a);
    } else if (jmeno == "vectors") {
        if (!misto({"points-observations"})) return;
        ++k.sit.pocetShluku;
        k.vektory.clear();
        k.kovariance.clear();
        k.dimenze = k.pas = -1;
    } else if (jmeno == "vec") {
        if (!misto({"vectors"})) return;
        Vektor(k, a);
    } else if (jmeno == "cov-mat" && Rodic(k, {"vectors"})) {
        if (!Kovariance(k, a)) return;
    } else if (jmeno == "coordinates") {
        return k.Zastavit(FileError::Unsupported,
                          "<coordinates>: observed coordinates are not taken", jmeno);
    } else if (jmeno == "cov-mat") {
        return k.Zastavit(
            FileError::Unsupported,
            "<cov-mat>: correlated observations are not taken (only standard deviations)", jmeno);
    } else {
        return k.Zastavit(FileError::BadTag, "<" + jmeno + "> is not an element of the format",
                          jmeno);
    }
    k.zasobnik.push_back(jmeno);
}

void XMLCALL Konec(void* data, const XML_Char* name) {
    Kontext& k = *static_cast<Kontext*>(data);
    if (!k.zasobnik.empty()) k.zasobnik.pop_back();
    if (std::string_view(name) == "vectors") Provazeni(k);
}

void XMLCALL Text(void* data, const XML_Char* s, int len) {
    Kontext& k = *static_cast<Kontext*>(data);
    if (!k.zasobnik.empty() && k.zasobnik.back() == "description") return;
    if (!k.zasobnik.empty() && k.zasobnik.back() == "cov-mat") {
        // Line ends separate the numbers as blanks do.
        for (int i = 0; i < len; ++i) k.kovariance += (s[i] == '\n' || s[i] == '\r') ? ' ' : s[i];
        return;
    }
    const std::string_view t(s, static_cast<size_t>(len));
    if (!Trim(t).empty())
        k.Zastavit(FileError::BadTag, "text where the format has none", std::string(t));
}

void XMLCALL Entita(void* data, const XML_Char* name, int, const XML_Char*, int, const XML_Char*,
                    const XML_Char*, const XML_Char*, const XML_Char*) {
    Kontext& k = *static_cast<Kontext*>(data);
    k.Zastavit(FileError::BadTag, "entity declarations are not accepted", name);
}

void XMLCALL Preskocena(void* data, const XML_Char* name, int) {
    Kontext& k = *static_cast<Kontext*>(data);
    k.Zastavit(FileError::BadTag, "a reference to an unknown entity", name);
}

class Parser {
  public:
    Parser() : k_() {
        k_.parser = XML_ParserCreate("UTF-8");
        XML_SetUserData(k_.parser, &k_);
        XML_SetElementHandler(k_.parser, Zacatek, Konec);
        XML_SetCharacterDataHandler(k_.parser, Text);
        XML_SetEntityDeclHandler(k_.parser, Entita);
        XML_SetSkippedEntityHandler(k_.parser, Preskocena);
        XML_SetParamEntityParsing(k_.parser, XML_PARAM_ENTITY_PARSING_NEVER);
    }
    ~Parser() { XML_ParserFree(k_.parser); }
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // False when the document stops being readable.
    bool Cast(std::string_view text, bool posledni) {
        if (k_.zastaveno) return false;
        // Pieces are bounded by the reader (64 KiB); a whole text is fed in steps too.
        constexpr size_t kKrok = size_t{1} << 20;
        do {
            const size_t n = std::min(text.size(), kKrok);
            const bool konec = posledni && n == text.size();
            if (XML_Parse(k_.parser, text.data(), static_cast<int>(n), konec ? 1 : 0) !=
                XML_STATUS_OK) {
                if (!k_.zastaveno) {
                    const auto radek = static_cast<int32_t>(XML_GetCurrentLineNumber(k_.parser));
                    k_.chyba = FileFailure(FileError::BadTag, radek, radek);
                    k_.chyba.note = std::string("not well-formed XML: ") +
                                    XML_ErrorString(XML_GetErrorCode(k_.parser));
                    k_.zastaveno = true;
                }
                return false;
            }
            text.remove_prefix(n);
        } while (!text.empty());
        return true;
    }

    FileResult Vysledek(GamaSit& sit) {
        if (k_.zastaveno) return k_.chyba;
        if (k_.sit.body.empty() && k_.sit.mereni.empty())
            return NotedFailure(FileError::TooFewLines, 0, 0,
                                "no <gama-local> network in the file");
        sit = std::move(k_.sit);
        FileResult ok;
        ok.counter = static_cast<int32_t>(sit.mereni.size());
        return ok;
    }

  private:
    Kontext k_;
};

}  // namespace

FileResult ReadGamaText(std::string_view text, GamaSit& sit) {
    sit = GamaSit{};
    Parser p;
    p.Cast(text, true);
    return p.Vysledek(sit);
}

FileResult ReadGamaStream(const TextStream& text, GamaSit& sit) {
    sit = GamaSit{};
    Parser p;
    std::string message;
    const bool precteno =
        text.ForEachPiece([&](std::string_view kus) { return p.Cast(kus, false); }, message);
    if (precteno) p.Cast({}, true);
    FileResult r = p.Vysledek(sit);
    if (!precteno && r.ok) return NotedFailure(FileError::CannotOpen, 0, 0, message);
    if (!message.empty()) return NotedFailure(FileError::CannotOpen, 0, 0, message);
    return r;
}

}  // namespace vertano::exchange
