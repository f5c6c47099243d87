#include "workspace/VystupyVyrovnani.h"

#include <algorithm>
#include <map>

#include "adjustment/OdlehleDruhy.h"
#include "adjustment/VysledekSite.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceText.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

// The coordinate files of the results are always XYZ, whatever format the user
// last saved given points in: the command line and the tests read them back so.
Tnastaveni NastaveniXYZ(const Workspace& ws) {
    Tnastaveni n = ws.nastaveni;
    n.souborVystup.typSouradnice = kFormatXYZ;
    return n;
}

}  // namespace

VysledekUvolneni UvolnitBody(Workspace& ws, const bool vse, const std::vector<std::string>& jmena) {
    VysledekUvolneni v;
    std::vector<Tbod>& body = ws.souradniceFixni.bod;
    for (const std::string& jmeno : jmena) {
        bool nalezen = false;
        for (const Tbod& b : body) nalezen = nalezen || (b.JePlny && b.cislo == jmeno);
        if (!nalezen) v.nenalezene.push_back(jmeno);
    }
    if (!vse && !v.nenalezene.empty()) {
        v.ok = false;
        return v;
    }
    v.nenalezene.clear();
    bool zmena = false;
    for (Tbod& b : body) {
        if (!b.JePlny || !b.JeFixni) continue;
        if (!vse && std::find(jmena.begin(), jmena.end(), b.cislo) == jmena.end()) continue;
        b.JeFixni = false;
        zmena = true;
    }
    if (zmena) ws.state.GivenPointsChanged();
    return v;
}

VysledekUvolneni FixovatOsy(Workspace& ws, const std::vector<std::string>& poloha,
                            const std::vector<std::string>& vyska) {
    VysledekUvolneni v;
    std::vector<Tbod>& body = ws.souradniceFixni.bod;
    const auto najit = [&body](const std::string& jmeno) -> Tbod* {
        for (Tbod& b : body) {
            if (b.JePlny && b.cislo == jmeno) return &b;
        }
        return nullptr;
    };
    for (const std::vector<std::string>* jmena : {&poloha, &vyska}) {
        for (const std::string& jmeno : *jmena) {
            if (najit(jmeno) == nullptr) v.nenalezene.push_back(jmeno);
        }
    }
    if (!v.nenalezene.empty()) {
        v.ok = false;
        return v;
    }
    const auto obsahuje = [](const std::vector<std::string>& v, const std::string& j) {
        return std::find(v.begin(), v.end(), j) != v.end();
    };
    bool zmena = false;
    for (const std::vector<std::string>* jmena : {&poloha, &vyska}) {
        for (const std::string& jmeno : *jmena) {
            Tbod& b = *najit(jmeno);
            const bool p = obsahuje(poloha, jmeno);
            const bool h = obsahuje(vyska, jmeno);
            const FixniOsy osy = p && h ? FixniOsy::Vse : p ? FixniOsy::Poloha : FixniOsy::Vyska;
            zmena = zmena || !b.JeFixni || b.fixniOsy != osy;
            b.JeFixni = true;
            b.fixniOsy = osy;
        }
    }
    if (zmena) ws.state.GivenPointsChanged();
    return v;
}

bool SestavitVysledky(const Workspace& ws, VysledkyVyrovnani& vysledky, RozsahZobrazeni rozsah) {
    vysledky = VysledkyVyrovnani{};
    if (!ws.state.Current(Step::Adjustment)) return false;
    const VysledekSite model = ws.modelVyrovnany.Vysledek();
    if (!ZobrazitVyrovnani(model, model.OdchylkaJednotkovaAprior(), vysledky.zobrazeni, rozsah)) {
        return false;
    }
    vysledky.souhrn = ShrnoutVyrovnani(ws);
    for (const Velicina typ : druhy::kPoradi) {
        for (const TmerenaVelicina& z : druhy::Vektor(ws.modelOdlehly, typ).zaznam) {
            if (z.jePlny && z.jeOdlehly) vysledky.odlehle.push_back({typ, z});
        }
    }
    return true;
}

CoordinateSaveReport UlozitVyrovnaneSouradnice(const Workspace& ws,
                                               const std::filesystem::path& cesta) {
    if (!ws.state.Current(Step::Adjustment)) {
        CoordinateSaveReport r;
        r.result = FileFailure(FileError::NothingToWrite, 0, 0);
        r.message = "Cannot save " + cesta.string() + ": the network is not adjusted";
        return r;
    }
    return UlozeniSouboru(ws.modelVyrovnany.Vysledek().Souradnice(), NastaveniXYZ(ws), cesta);
}

CoordinateSaveReport UlozitPribliznesouradnice(const Workspace& ws,
                                               const std::filesystem::path& cesta,
                                               std::vector<std::string>& radky) {
    const Tnastaveni n = NastaveniXYZ(ws);
    if (!cesta.empty()) return UlozeniSouboru(ws.souradnicePriblizne, n, cesta);
    CoordinateSaveReport r;
    r.result = UlozDoStringList(ws.souradnicePriblizne, radky);
    if (r.result.ok) r.result = WriteCoordinateFile(radky, n);
    r.ok = r.result.ok;
    if (!r.ok) {
        radky.clear();
        r.message =
            "The approximate coordinates cannot be written: " + DescribeCoordinateFailure(r.result);
    }
    return r;
}

VysvetleniPriblizne VysvetlitPriblizne(const Workspace& ws, const VysledekPriblizne& historie) {
    std::map<std::string, const PuvodBodu*> podleJmena;
    for (const PuvodBodu& p : historie.body) podleJmena[p.cislo] = &p;
    VysvetleniPriblizne v;
    for (const Tbod& b : ws.souradnicePriblizne.bod) {
        const auto it = podleJmena.find(b.cislo);
        if (b.JePlny && it != podleJmena.end() && it->second->jeUrcen && !it->second->jeZadany)
            v.urcene.push_back(*it->second);
    }
    v.lokalniSystemy = historie.lokalniSystemy;
    v.zpresneni = historie.zpresneni;
    v.neurcene = historie.neurcene;
    v.duvodyNeurcenych = historie.duvodyNeurcenych;
    v.duvodyNeurcenych.resize(v.neurcene.size(), DuvodNeurceni::Nedosazen);
    return v;
}

}  // namespace vertano
