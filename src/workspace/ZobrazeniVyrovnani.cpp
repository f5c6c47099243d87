#include "workspace/ZobrazeniVyrovnani.h"

#include <cmath>
#include <exception>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/VysledekSite.h"
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
    Tpresnost& p = b.UpravPresnost();
    bool ok = Skaluj(p.sig_X, k);
    ok = Skaluj(p.sig_Y, k) && ok;
    ok = Skaluj(p.sig_Z, k) && ok;
    ok = Skaluj(p.elipsa.a_delka, k) && ok;
    ok = Skaluj(p.elipsa.b_delka, k) && ok;
    ok = Skaluj(p.elipsoid.a_delka, k) && ok;
    ok = Skaluj(p.elipsoid.b_delka, k) && ok;
    return Skaluj(p.elipsoid.c_delka, k) && ok;
}

// The full records of `zdroj` scaled as SkalovatMereni does.
bool PlneSkalovane(const std::vector<TmerenaVelicina>& zdroj, StoredReal TmerenaVelicina::*odchylka,
                   Real k, std::vector<TmerenaVelicina>& cil) {
    cil.reserve(zdroj.size());
    for (const TmerenaVelicina& z : zdroj) {
        if (!z.jePlny) continue;
        cil.push_back(z);
        if (!SkalovatMereni(cil.back(), odchylka, k)) return false;
    }
    return true;
}

// Whether every full record of `zdroj` can be scaled; nothing is kept.
bool LzeSkalovat(const std::vector<TmerenaVelicina>& zdroj, StoredReal TmerenaVelicina::*odchylka,
                 Real k) {
    TmerenaVelicina c;
    for (const TmerenaVelicina& z : zdroj) {
        if (!z.jePlny) continue;
        c = z;
        if (!SkalovatMereni(c, odchylka, k)) return false;
    }
    return true;
}

bool Naplnit(const VysledekSite& model, Real k, RozsahZobrazeni rozsah, ZobrazeneVyrovnani& v) {
    if (!ZobrazitBody(model.Souradnice(), k, v.body)) return false;
    for (const Velicina typ : druhy::kPoradi) {
        const std::vector<TmerenaVelicina>& zdroj = druhy::Vektor(model, typ).zaznam;
        const bool ok = rozsah == RozsahZobrazeni::Vse
                            ? PlneSkalovane(zdroj, &TmerenaVelicina::odchylkaOprava, k,
                                            v.mereni[IndexVeliciny(typ)])
                            : LzeSkalovat(zdroj, &TmerenaVelicina::odchylkaOprava, k);
        if (!ok) return false;
    }
    return PlneSkalovane(model.Posun().zaznam, &TmerenaVelicina::odchylka, k, v.posuny);
}

}  // namespace

bool SkalovatMereni(TmerenaVelicina& z, StoredReal TmerenaVelicina::*odchylka, Real k) {
    if (!Skaluj(z.*odchylka, k)) return false;
    if (z.mdb > 0 && !Skaluj(z.mdb, k)) return false;
    return !(z.mdbPosun > 0) || Skaluj(z.mdbPosun, k);
}

bool ZobrazitBody(const Tsouradnice& souradnice, Real k, std::vector<Tbod>& body) {
    for (const Tbod& b : souradnice.bod) {
        if (!b.JePlny) continue;
        body.push_back(b);
        if (!SkalujBod(body.back(), k)) return false;
    }
    return true;
}

bool ZobrazitVyrovnani(const VysledekSite& model, Real odchylkaJednotkova,
                       ZobrazeneVyrovnani& vysledek, RozsahZobrazeni rozsah) {
    vysledek = ZobrazeneVyrovnani{};
    if (!std::isfinite(odchylkaJednotkova) || odchylkaJednotkova < 0) return false;
    vysledek.odchylkaJednotkova = odchylkaJednotkova;
    bool ok = false;
    try {
        const FpGuard guard;
        ok = Naplnit(model, odchylkaJednotkova, rozsah, vysledek) && guard.Ok();
    } catch (const std::exception&) {
        ok = false;  // out of memory on a huge network
    }
    if (!ok) vysledek = ZobrazeneVyrovnani{};
    return ok;
}

const std::string& MaticeVahText(TmodelSite& model) {
    if (model.Vysledek().KovariancniMaticeStr().empty() && RozmerMaticeVah(model) > 0) {
        try {
            model.KovariancniMaticeText();
        } catch (const std::exception&) {
            // Out of memory: no matrix to show (the text is emptied before it is made).
        }
    }
    return model.Vysledek().KovariancniMaticeStr();
}

const std::string& MaticeVahText(TmodelSite& model, Interaction& interakce, bool& zruseno) {
    zruseno = false;
    const std::string& hotovy = model.Vysledek().KovariancniMaticeStr();
    if (!hotovy.empty() || RozmerMaticeVah(model) == 0) return hotovy;
    try {
        zruseno = !model.KovariancniMaticeText([&](int64_t hotovo, int64_t celkem) {
            if (interakce.StopRequested()) return false;
            interakce.Progress(hotovo, celkem);
            return true;
        });
    } catch (const std::exception&) {
        // Out of memory: no matrix to show (the text is emptied before it is made).
    }
    return model.Vysledek().KovariancniMaticeStr();
}

int32_t RozmerMaticeVah(const VysledekSite& model) {
    return model.PocetSouradnicUrcovanych() > 0 ? model.PocetSouradnicUrcovanych() : 0;
}

std::vector<Tbod> PrirustkySouradnic(const VysledekSite& model, const Tsouradnice& priblizne) {
    std::vector<Tbod> zmeny;
    const auto indexy = IndexyCisel(priblizne, true);
    for (const Tbod& b : model.Souradnice().bod) {
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
