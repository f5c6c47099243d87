#include "workspace/ZobrazeniVyrovnani.h"

#include <cmath>
#include <exception>

#include "adjustment/KofaktoryText.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/SolverOwner.h"
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

// The full records of `zdroj` scaled as SkalovatMereni does.
bool PlneSkalovane(const std::vector<TmerenaVelicina>& zdroj, Real TmerenaVelicina::*odchylka,
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
bool LzeSkalovat(const std::vector<TmerenaVelicina>& zdroj, Real TmerenaVelicina::*odchylka,
                 Real k) {
    TmerenaVelicina c;
    for (const TmerenaVelicina& z : zdroj) {
        if (!z.jePlny) continue;
        c = z;
        if (!SkalovatMereni(c, odchylka, k)) return false;
    }
    return true;
}

bool Naplnit(const Tmodel2& model, Real k, RozsahZobrazeni rozsah, ZobrazeneVyrovnani& v) {
    if (!ZobrazitBody(model.souradnice, k, v.body)) return false;
    for (const int32_t typ : druhy::kPoradi) {
        const std::vector<TmerenaVelicina>& zdroj = druhy::Vektor(model, typ).zaznam;
        const bool ok = rozsah == RozsahZobrazeni::Vse
                            ? PlneSkalovane(zdroj, &TmerenaVelicina::odchylkaOprava, k,
                                            v.mereni[static_cast<size_t>(typ - 1)])
                            : LzeSkalovat(zdroj, &TmerenaVelicina::odchylkaOprava, k);
        if (!ok) return false;
    }
    return PlneSkalovane(model.posun.zaznam, &TmerenaVelicina::odchylka, k, v.posuny);
}

}  // namespace

bool SkalovatMereni(TmerenaVelicina& z, Real TmerenaVelicina::*odchylka, Real k) {
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

bool ZobrazitVyrovnani(const Tmodel2& model, Real odchylkaJednotkova, ZobrazeneVyrovnani& vysledek,
                       RozsahZobrazeni rozsah) {
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

namespace {

// The lower triangle of the leading n x n block of the cofactors, a column at a
// time; false when they are not available, it would not fit, or a stop was
// requested (`zruseno`).
bool TrojuhelnikKofaktoru(const Tmodel2& model, int32_t n, Interaction& interakce, bool& zruseno,
                          Tmatrix& Q) {
    // Three times the block must fit, as for the whole block of the model.
    if (model.Solver().Sparse() != nullptr && !HustaSeVejde(n)) return false;
    Q.resize(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) Q[static_cast<std::size_t>(i)].assign(i + 1, 0);
    return model.KofaktoroveSloupce(n, [&](int32_t j, const Tvector& sloupec) {
        if (interakce.StopRequested()) {
            zruseno = true;
            return false;
        }
        interakce.Progress(j, 2 * static_cast<int64_t>(n));
        for (int32_t i = j; i < n; ++i)
            Q[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                sloupec[static_cast<std::size_t>(i)];
        return true;
    });
}

}  // namespace

const std::string& MaticeVahText(Tmodel2& model, Interaction& interakce, bool& zruseno) {
    zruseno = false;
    std::string& hotovy = model.kovariancniMaticeStr;
    const int32_t n = RozmerMaticeVah(model);
    if (!hotovy.empty() || n == 0) return hotovy;
    try {
        Tmatrix Q;
        if (!TrojuhelnikKofaktoru(model, n, interakce, zruseno, Q)) return hotovy;
        std::string text = KofaktoryText(Q, n, [&](int32_t i) {
            if (interakce.StopRequested()) {
                zruseno = true;
                return false;
            }
            interakce.Progress(n + static_cast<int64_t>(i), 2 * static_cast<int64_t>(n));
            return true;
        });
        if (!zruseno) hotovy = std::move(text);
    } catch (const std::exception&) {
        hotovy.clear();  // out of memory: no matrix to show
    }
    return hotovy;
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
