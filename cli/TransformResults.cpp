#include "TransformResults.h"

#include "AdjustResults.h"
#include "JsonWriter.h"
#include "workspace/VystupyTransformace.h"

namespace vertano::cli {

namespace {

void WriteSummary(JsonWriter& w, const VysledkyTransformace& v) {
    w.Key("summary");
    w.BeginObject();
    w.Member("pairs", v.pocetPar);
    if (!v.bodASmernik) {
        w.Member("observations", v.pocetMereni);
        w.Member("redundancy", v.pocetNadbytecnych);
        w.Member("sigma0_apriori", v.odchylkaJednotkovaAprior);
        w.Member("sigma0_aposteriori", v.odchylkaJednotkovaAposterior);
        w.Member("iterations", v.pocetIteraci);
        w.Key("rejected");
        w.BeginObject();
        w.Member("x", v.vyloucene[0]);
        w.Member("y", v.vyloucene[1]);
        w.Member("z", v.vyloucene[2]);
        w.EndObject();
    }
    w.EndObject();
}

void WriteKey(JsonWriter& w, const VysledkyTransformace& v) {
    w.Key("key");
    w.BeginObject();
    w.Member("tx", v.klic.tx);
    w.Member("ty", v.klic.ty);
    w.Member("tz", v.klic.tz);
    w.Member("rotation", v.klic.w);
    if (v.bodASmernik) {
        w.Member("base", v.zakladna);
        w.Member("orientation", v.orientace);
        w.Member("bearing_input", v.smernikVstup);
        w.Member("bearing_output", v.smernikVystup);
    } else {
        w.Member("sigma_tx", v.sigTx);
        w.Member("sigma_ty", v.sigTy);
        w.Member("sigma_tz", v.sigTz);
        w.Member("sigma_rotation", v.sigRotace);
        w.Key("centroid");
        w.BeginObject();
        w.Member("x", v.tezisteX);
        w.Member("y", v.tezisteY);
        w.EndObject();
    }
    w.EndObject();
}

void WriteIdentical(JsonWriter& w, const IdentickyBodVysledek& b, bool bodASmernik) {
    static const char* const kAxes[3] = {"x", "y", "z"};
    w.BeginObject();
    w.Member("name", b.cislo);
    w.Member("x", b.X);
    w.Member("y", b.Y);
    w.Member("z", b.Z);
    w.Key("residuals");
    w.BeginObject();
    for (std::size_t a = 0; a < 3; ++a) w.Member(kAxes[a], b.oprava[a]);
    w.EndObject();
    w.Key("outlier");
    if (bodASmernik) {
        w.Null();
    } else {
        w.BeginObject();
        for (std::size_t a = 0; a < 3; ++a) w.Member(kAxes[a], b.odlehly[a]);
        w.EndObject();
    }
    w.EndObject();
}

}  // namespace

std::vector<std::string> TransformJson(const Workspace& ws, bool bodASmernik) {
    VysledkyTransformace v;
    if (!SestavitVysledkyTransformace(ws, bodASmernik, v)) return {};
    JsonWriter w;
    w.BeginObject();
    w.Member("method", bodASmernik ? "point-bearing" : "adjustment");
    WriteSummary(w, v);
    WriteKey(w, v);
    w.Key("identical");
    w.BeginArray();
    for (const IdentickyBodVysledek& b : v.identicke) WriteIdentical(w, b, bodASmernik);
    w.EndArray();
    w.Key("points");
    w.BeginArray();
    for (const Tbod& b : v.body) WritePoint(w, b);
    w.EndArray();
    w.EndObject();
    return w.TakeLines();
}

}  // namespace vertano::cli
