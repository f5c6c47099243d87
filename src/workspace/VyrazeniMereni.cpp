#include "workspace/VyrazeniMereni.h"

#include "supplementary/DoplnekDruh.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

bool Odpovida(const VzorVyrazeni& vzor, const Tzaznam& z) {
    return z.JePlny() && OdpovidaJmenuVzoru(vzor.stanovisko, z.cislo_stn) &&
           OdpovidaJmenuVzoru(vzor.cil, z.cislo_cil);
}

// Calls f(row, is supplementary) for every full row of the raw and supplementary lists.
template <class F>
void ProKazdyRadek(Workspace& ws, F&& f) {
    for (Tzaznam& z : ws.suroveMereni.zaznam) f(z, false);
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        for (Tzaznam& z : ws.doplnekVstup.Seznam(druh)->zaznam) f(z, true);
    }
}

// The stations with a row switched on or off are checked again: what the row
// no longer gives must not hold the analysis back, nor be missed when it is back.
void ZnovuZkontrolovat(Workspace& ws) {
    std::vector<Tzaznam>& zaznam = ws.suroveMereni.zaznam;
    std::size_t od = 0;
    while (od < zaznam.size()) {
        std::size_t po = od + 1;
        while (po < zaznam.size() && zaznam[po].poradi == zaznam[od].poradi) ++po;
        bool zmena = false;
        for (std::size_t i = od; i < po; ++i) zmena = zmena || zaznam[i].jeVyrazeno;
        if (zmena) {
            for (std::size_t i = od; i < po; ++i) zaznam[i].jeZkontrolovano = false;
        }
        od = po;
    }
    ZkontrolovatPoZmene(ws);
}

}  // namespace

VysledekVyrazeni VyraditMereni(Workspace& ws, const std::vector<VzorVyrazeni>& vzory) {
    VysledekVyrazeni v;
    for (const VzorVyrazeni& vzor : vzory) {
        bool nalezen = false;
        ProKazdyRadek(ws, [&](Tzaznam& z, bool) { nalezen = nalezen || Odpovida(vzor, z); });
        if (!nalezen) v.nenalezene.push_back(vzor.text);
    }
    if (!v.nenalezene.empty()) {
        v.ok = false;
        return v;
    }
    ProKazdyRadek(ws, [&](Tzaznam& z, bool doplnek) {
        if (z.jeVyrazeno) return;
        for (const VzorVyrazeni& vzor : vzory) {
            if (!Odpovida(vzor, z)) continue;
            z.jeVyrazeno = true;
            ++(doplnek ? v.doplnku : v.surovych);
            break;
        }
    });
    if (v.surovych > 0) {
        ZnovuZkontrolovat(ws);
    } else if (v.doplnku > 0) {
        ws.state.MeasurementsChanged();
    }
    return v;
}

int32_t NastavitVyrazeniRadku(Workspace& ws, const std::vector<int32_t>& radky, bool vyradit) {
    int32_t zmeneno = 0;
    std::vector<Tzaznam>& zaznam = ws.suroveMereni.zaznam;
    for (const int32_t i : radky) {
        if (i < 0 || static_cast<std::size_t>(i) >= zaznam.size()) continue;
        Tzaznam& z = zaznam[static_cast<std::size_t>(i)];
        if (!z.JePlny() || z.jeVyrazeno == vyradit) continue;
        z.jeVyrazeno = vyradit;
        ++zmeneno;
        // The whole station of the row is checked again.
        for (Tzaznam& r : zaznam) {
            if (r.poradi == z.poradi) r.jeZkontrolovano = false;
        }
    }
    if (zmeneno > 0) ZkontrolovatPoZmene(ws);
    return zmeneno;
}

int32_t NastavitVyrazeniDoplnku(Tmereni& seznam, const std::vector<int32_t>& radky, bool vyradit) {
    int32_t zmeneno = 0;
    for (const int32_t i : radky) {
        if (i < 0 || static_cast<std::size_t>(i) >= seznam.zaznam.size()) continue;
        Tzaznam& z = seznam.zaznam[static_cast<std::size_t>(i)];
        if (!z.JePlny() || z.jeVyrazeno == vyradit) continue;
        z.jeVyrazeno = vyradit;
        ++zmeneno;
    }
    return zmeneno;
}

int32_t PocetVyrazenychMereni(const Workspace& ws) {
    int32_t n = PocetVyrazenych(ws.suroveMereni.zaznam);
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        n += PocetVyrazenych(ws.doplnekVstup.Seznam(druh)->zaznam);
    }
    return n;
}

int32_t PocetVyrazenych(const std::vector<Tzaznam>& radky) {
    int32_t n = 0;
    for (const Tzaznam& z : radky) n += z.JePlny() && z.jeVyrazeno ? 1 : 0;
    return n;
}

}  // namespace vertano
