#include "workspace/ZobrazeniVyrovnani.h"

#include <cmath>
#include <exception>

#include "adjustment/OdlehleDruhy.h"
#include "matice/FpGuard.h"

namespace vertano {

namespace {

bool Skaluj(Real& hodnota, Real k) {
    hodnota *= k;
    return std::isfinite(hodnota);
}

bool Skaluj(StoredReal& pole, Real k) {
    Real hodnota = pole;
    const bool ok = Skaluj(hodnota, k);
    pole = hodnota;
    return ok;
}

bool SkalujBod(Tbod& b, Real k) {
    if (b.JeFixni) return true;
    bool ok = Skaluj(b.sig_X, k);
    ok = Skaluj(b.sig_Y, k) && ok;
    ok = Skaluj(b.sig_Z, k) && ok;
    ok = Skaluj(b.elipsa.a_delka, k) && ok;
    ok = Skaluj(b.elipsa.b_delka, k) && ok;
    ok = Skaluj(b.elipsoid.a_delka, k) && ok;
    ok = Skaluj(b.elipsoid.b_delka, k) && ok;
    return Skaluj(b.elipsoid.c_delka, k) && ok;
}

// The full records of `zdroj`, the field `odchylka` of each scaled, and the
// minimal detectable error with the move it causes where they are given.
bool PlneSkalovane(const std::vector<TmerenaVelicina>& zdroj, Real TmerenaVelicina::*odchylka,
                   Real k, std::vector<TmerenaVelicina>& cil) {
    cil.reserve(zdroj.size());
    for (const TmerenaVelicina& z : zdroj) {
        if (!z.jePlny) continue;
        cil.push_back(z);
        TmerenaVelicina& c = cil.back();
        if (!Skaluj(c.*odchylka, k)) return false;
        if (c.mdb > 0 && !Skaluj(c.mdb, k)) return false;
        if (c.mdbPosun > 0 && !Skaluj(c.mdbPosun, k)) return false;
    }
    return true;
}

bool Naplnit(const Tmodel2& model, Real k, ZobrazeneVyrovnani& v) {
    if (!ZobrazitBody(model.souradnice, k, v.body)) return false;
    for (const int32_t typ : druhy::kPoradi) {
        if (!PlneSkalovane(druhy::Vektor(model, typ).zaznam, &TmerenaVelicina::odchylkaOprava, k,
                           v.mereni[static_cast<size_t>(typ - 1)])) {
            return false;
        }
    }
    return PlneSkalovane(model.posun.zaznam, &TmerenaVelicina::odchylka, k, v.posuny);
}

}  // namespace

bool ZobrazitBody(const Tsouradnice& souradnice, Real k, std::vector<Tbod>& body) {
    for (const Tbod& b : souradnice.bod) {
        if (!b.JePlny) continue;
        body.push_back(b);
        if (!SkalujBod(body.back(), k)) return false;
    }
    return true;
}

bool ZobrazitVyrovnani(const Tmodel2& model, Real odchylkaJednotkova,
                       ZobrazeneVyrovnani& vysledek) {
    vysledek = ZobrazeneVyrovnani{};
    if (!std::isfinite(odchylkaJednotkova) || odchylkaJednotkova < 0) return false;
    vysledek.odchylkaJednotkova = odchylkaJednotkova;
    bool ok = false;
    try {
        const FpGuard guard;
        ok = Naplnit(model, odchylkaJednotkova, vysledek) && guard.Ok();
    } catch (const std::exception&) {
        ok = false;  // out of memory on a huge network
    }
    if (!ok) vysledek = ZobrazeneVyrovnani{};
    return ok;
}

const std::string& MaticeVahText(Tmodel2& model) {
    if (model.kovariancniMaticeStr.empty() && RozmerMaticeVah(model) > 0) {
        try {
            model.KovariancniMatice2str();
        } catch (const std::exception&) {
            model.kovariancniMaticeStr.clear();  // out of memory: no matrix to show
        }
    }
    return model.kovariancniMaticeStr;
}

int32_t RozmerMaticeVah(const Tmodel2& model) {
    return model.pocetSouradnicUrcovanych > 0 ? model.pocetSouradnicUrcovanych : 0;
}

std::vector<Tbod> PrirustkySouradnic(const Tmodel2& model, const Tsouradnice& priblizne) {
    std::vector<Tbod> zmeny;
    const auto indexy = IndexyCisel(priblizne, true);
    for (const Tbod& b : model.souradnice.bod) {
        if (!b.JePlny || b.JeFixni) continue;
        const auto it = indexy.find(b.cislo);
        if (it == indexy.end()) continue;
        const Tbod& p = priblizne.bod[it->second];
        Tbod z = b;
        z.X = b.X - p.X;
        z.Y = b.Y - p.Y;
        z.Z = b.Z - p.Z;
        if (std::isfinite(z.X) && std::isfinite(z.Y) && std::isfinite(z.Z)) zmeny.push_back(z);
    }
    return zmeny;
}

}  // namespace vertano
