#include "AdjustResults.h"

#include <array>
#include <map>
#include <string>
#include <vector>

#include "JsonWriter.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "data/FixniOsy.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/SouhrnVyrovnaniText.h"
#include "workspace/VyrazeniMereni.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/VystupyVyrovnani.h"
#include "workspace/Workspace.h"

namespace vertano::cli {

namespace {

void WriteEllipsoid(JsonWriter& w, const Telipsoid& e) {
    const std::array<std::array<Real, 3>, 3> axes = {{{e.a_delka, e.a_smernik, e.a_zenit},
                                                      {e.b_delka, e.b_smernik, e.b_zenit},
                                                      {e.c_delka, e.c_smernik, e.c_zenit}}};
    w.BeginArray();
    for (const auto& axis : axes) {
        w.BeginObject();
        w.Member("length", axis[0]);
        w.Member("bearing", axis[1]);
        w.Member("zenith", axis[2]);
        w.EndObject();
    }
    w.EndArray();
}

void WriteSummary(JsonWriter& w, const SouhrnVyrovnani& s) {
    w.Key("summary");
    w.BeginObject();
    w.Member("unknowns", s.pocetNeznamych);
    w.Member("observations", s.pocetMereni);
    w.Member("redundancy", s.pocetNadbytecnych);
    w.Member("sigma0_apriori", s.odchylkaJednotkovaAprior);
    w.Member("sigma0_aposteriori", s.odchylkaJednotkovaAposterior);
    w.Member("iterations", s.pocetIteraci);
    w.Member("datum_type", DatumKey(s.typFixace));
    w.Member("weight_source", WeightSourceKey(s.typVah));
    w.Key("outliers");
    w.BeginObject();
    for (const Velicina typ : druhy::kPoradi)
        w.Member(ObservationKindKey(typ), s.odlehle[IndexVeliciny(typ)]);
    w.EndObject();
    // Only where there are such coordinates (points fixed in plan or height alone).
    if (!s.neurceneSouradnice.empty()) {
        w.Key("not_determined");
        w.BeginArray();
        for (const std::string& c : s.neurceneSouradnice) {
            const size_t mezera = c.rfind(' ');
            w.BeginObject();
            w.Member("point", c.substr(0, mezera));
            w.Member("axis", c.substr(mezera + 1));
            w.EndObject();
        }
        w.EndArray();
    }
    w.EndObject();
}

void WritePoints(JsonWriter& w, const ZobrazeneVyrovnani& v) {
    w.Key("points");
    w.BeginArray();
    for (const Tbod& b : v.body) WritePoint(w, b);
    w.EndArray();
}

void BeginObservation(JsonWriter& w, Velicina typ, const TmerenaVelicina& z) {
    w.BeginObject();
    w.Member("kind", ObservationKindKey(typ));
    w.Member("station", z.cislo_stn);
    w.Member("target", z.cislo_cil);
    w.Member("value", z.hodnota);
    w.Member("residual", z.oprava);
    w.Member("normalised_residual", z.normOprava);
}

// A figure that is -1 when it does not exist.
void MemberOrNull(JsonWriter& w, std::string_view key, Real value) {
    w.Key(key);
    if (value < 0) {
        w.Null();
    } else {
        w.Number(value);
    }
}

// The observations of the model as shown (see SkalovatMereni), one at a time:
// a large network's are not held twice. Every one was checked to scale when
// the results were made.
template <class Write>
void ForEachShown(const VysledekSite& model, Real k, const Write& write) {
    TmerenaVelicina z;
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& zdroj : druhy::Vektor(model, typ).zaznam) {
            if (!zdroj.jePlny) continue;
            z = zdroj;
            if (SkalovatMereni(z, &TmerenaVelicina::odchylkaOprava, k)) write(typ, z);
        }
    }
}

// After the evaluation mezniOprava holds the adjusted value and odchylkaOprava
// the deviation of it.
void WriteObservations(JsonWriter& w, const VysledekSite& model, Real k) {
    w.Key("observations");
    w.BeginArray();
    ForEachShown(model, k, [&w](Velicina typ, const TmerenaVelicina& z) {
        BeginObservation(w, typ, z);
        w.Member("adjusted", z.mezniOprava);
        w.Member("sigma_adjusted", z.odchylkaOprava);
        MemberOrNull(w, "redundancy", z.redundance);
        MemberOrNull(w, "mdb", z.mdb);
        MemberOrNull(w, "mdb_shift", z.mdbPosun);
        w.EndObject();
    });
    w.EndArray();
}

// Whether the uncontrolled observation `z` puts point `b` at risk: it moves the
// point, or the point is a side shot that it observes.
bool Ohrozuje(const TmerenaVelicina& z, const NekontrolovanyBod& b) {
    if (!z.jeNekontrolovane) return false;
    const bool stanovisko = z.cislo_stn == b.cislo;
    const bool cil = z.cislo_cil == b.cislo;
    if (b.duvod == DuvodNekontrolovanosti::PostranniBod) return stanovisko || cil;
    return (stanovisko && z.zavisiStanovisko) || (cil && z.zavisiCil);
}

struct NekontrolovanaVelicina {
    Velicina typ = Velicina::Zadna;
    TmerenaVelicina z;
};

// The points a gross error in whose measurements cannot be found: the side
// shots and the points that uncontrolled observations move, each with the
// uncontrolled observations behind it. Only the uncontrolled observations are
// held, indexed by the points they join, so that a large network is not
// walked once per point.
void WriteUncontrolled(JsonWriter& w, const VysledkyVyrovnani& v, const VysledekSite& model,
                       Real k) {
    std::vector<NekontrolovanaVelicina> nekontrolovane;
    std::map<std::string, std::vector<size_t>> podleBodu;
    if (!v.souhrn.nekontrolovaneBody.empty()) {
        ForEachShown(model, k, [&](Velicina typ, const TmerenaVelicina& z) {
            if (!z.jeNekontrolovane) return;
            const size_t i = nekontrolovane.size();
            nekontrolovane.push_back({typ, z});
            podleBodu[z.cislo_stn].push_back(i);
            if (z.cislo_cil != z.cislo_stn) podleBodu[z.cislo_cil].push_back(i);
        });
    }
    w.Key("uncontrolled");
    w.BeginArray();
    for (const NekontrolovanyBod& b : v.souhrn.nekontrolovaneBody) {
        w.BeginObject();
        w.Member("point", b.cislo);
        w.Member("reason", b.duvod == DuvodNekontrolovanosti::PostranniBod
                               ? "side_shot"
                               : "depends_on_uncontrolled");
        w.Key("observations");
        w.BeginArray();
        const auto it = podleBodu.find(b.cislo);
        if (it != podleBodu.end()) {
            for (const size_t i : it->second) {
                const NekontrolovanaVelicina& n = nekontrolovane[i];
                if (!Ohrozuje(n.z, b)) continue;
                w.BeginObject();
                w.Member("kind", ObservationKindKey(n.typ));
                w.Member("station", n.z.cislo_stn);
                w.Member("target", n.z.cislo_cil);
                MemberOrNull(w, "redundancy", n.z.redundance);
                w.EndObject();
            }
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
}

// The rejected observations keep their test values, which are in metres and
// radians already.
void WriteOutliers(JsonWriter& w, const std::vector<OdlehleMereni>& outliers) {
    w.Key("outliers");
    w.BeginArray();
    for (const OdlehleMereni& o : outliers) {
        BeginObservation(w, o.typ, o.zaznam);
        w.Member("sigma_residual", o.zaznam.odchylkaOprava);
        w.Member("limit", o.zaznam.mezniOprava);
        w.EndObject();
    }
    w.EndArray();
}

void WriteOrientations(JsonWriter& w, const ZobrazeneVyrovnani& v) {
    w.Key("orientations");
    w.BeginArray();
    for (const TmerenaVelicina& z : v.posuny) {
        w.BeginObject();
        w.Member("occupation", z.poradi);
        w.Member("station", z.cislo_stn);
        w.Member("value", z.hodnota);
        w.Member("sigma", z.odchylka);
        w.EndObject();
    }
    w.EndArray();
}

// The measurements the user switched off: kept in their lists, not adjusted.
// Written only when there are some, so that a run without them gives the
// document it always gave.
void WriteSwitchedOff(JsonWriter& w, const Workspace& ws) {
    const auto any = [](const Tmereni& m) { return PocetVyrazenych(m.zaznam) > 0; };
    bool some = any(ws.suroveMereni);
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani)
        some = some || any(*ws.doplnekVstup.Seznam(druh));
    if (!some) return;
    w.Key("switched_off");
    w.BeginArray();
    const auto rows = [&w](const Tmereni& m, std::string_view kind) {
        for (size_t i = 0; i < m.zaznam.size(); ++i) {
            const Tzaznam& z = m.zaznam[i];
            if (!z.JePlny() || !z.jeVyrazeno) continue;
            w.BeginObject();
            w.Member("kind", kind);
            w.Member("row", static_cast<int32_t>(i + 1));
            w.Member("station", z.cislo_stn);
            w.Member("target", z.cislo_cil);
            w.EndObject();
        }
    };
    rows(ws.suroveMereni, "raw");
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        rows(*ws.doplnekVstup.Seznam(druh), ObservationKindKey(doplnek::TypVeliciny(druh)));
    }
    w.EndArray();
}

}  // namespace

void WritePoint(JsonWriter& w, const Tbod& b) {
    w.BeginObject();
    w.Member("name", b.cislo);
    w.Member("x", b.X);
    w.Member("y", b.Y);
    w.Member("z", b.Z);
    w.Member("fixed", b.JeFixni);
    // Only for a point fixed in plan or in height alone, which the adjustment
    // determines in its other coordinates.
    if (!b.JeFixni && b.JeCastecneFixni()) w.Member("fixed_axes", SlovoFixnichOs(b.fixniOsy));
    const bool accuracy = !b.JeFixni;
    for (const auto& [key, value] : {std::pair{"sx", b.Presnost().sig_X},
                                     {"sy", b.Presnost().sig_Y},
                                     {"sz", b.Presnost().sig_Z}}) {
        w.Key(key);
        accuracy ? w.Number(value) : w.Null();
    }
    w.Key("ellipse");
    if (accuracy) {
        w.BeginObject();
        w.Member("a", b.Presnost().elipsa.a_delka);
        w.Member("b", b.Presnost().elipsa.b_delka);
        w.Member("bearing", b.Presnost().elipsa.a_smernik);
        w.EndObject();
    } else {
        w.Null();
    }
    w.Key("ellipsoid");
    accuracy ? WriteEllipsoid(w, b.Presnost().elipsoid) : w.Null();
    w.EndObject();
}

bool AdjustmentJsonResults(const Workspace& ws, VysledkyVyrovnani& v) {
    return SestavitVysledky(ws, v, RozsahZobrazeni::BezMereni);
}

bool WriteAdjustmentJson(const Workspace& ws, const VysledkyVyrovnani& v,
                         const JsonWriter::LineSink& sink) {
    const Real k = v.zobrazeni.odchylkaJednotkova;
    JsonWriter w(sink);
    w.BeginObject();
    WriteSummary(w, v.souhrn);
    WritePoints(w, v.zobrazeni);
    WriteObservations(w, ws.modelVyrovnany, k);
    WriteUncontrolled(w, v, ws.modelVyrovnany, k);
    WriteOutliers(w, v.odlehle);
    WriteOrientations(w, v.zobrazeni);
    WriteSwitchedOff(w, ws);
    w.EndObject();
    w.Finish();
    return w.Ok();
}

std::vector<std::string> AdjustmentJson(const Workspace& ws) {
    VysledkyVyrovnani v;
    if (!AdjustmentJsonResults(ws, v)) return {};
    std::vector<std::string> lines;
    WriteAdjustmentJson(ws, v, [&lines](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

}  // namespace vertano::cli
