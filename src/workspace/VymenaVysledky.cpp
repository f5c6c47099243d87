// The one place where the exchange reads the results of the adjustment: the
// results the workspace assembles for every export (SestavitVysledky), with the
// accuracy for the a priori unit standard deviation.
#include "workspace/Vymena.h"
#include "workspace/VystupyVyrovnani.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

exchange::VyrovnanyBod Bod(const Tbod& b) {
    exchange::VyrovnanyBod v;
    v.cislo = b.cislo;
    v.X = b.X;
    v.Y = b.Y;
    v.Z = b.Z;
    v.fixni = b.JeFixni;
    v.drziPolohu = !b.JeFixni && b.fixniOsy == FixniOsy::Poloha;
    v.drziVysku = !b.JeFixni && b.fixniOsy == FixniOsy::Vyska;
    if (!b.JeFixni) {
        v.sigX = b.Presnost().sig_X;
        v.sigY = b.Presnost().sig_Y;
        v.sigZ = b.Presnost().sig_Z;
        v.elipsaA = b.Presnost().elipsa.a_delka;
        v.elipsaB = b.Presnost().elipsa.b_delka;
        v.elipsaSmernik = b.Presnost().elipsa.a_smernik;
    }
    return v;
}

// After the evaluation mezniOprava holds the adjusted value and odchylkaOprava
// its deviation; a rejected observation keeps its test values there instead.
exchange::VyrovnaneMereni Mereni(Velicina typ, const TmerenaVelicina& z, bool odlehle) {
    exchange::VyrovnaneMereni m;
    m.druh = static_cast<exchange::DruhMereni>(KodVeliciny(typ));
    m.od = z.cislo_stn;
    m.k = z.cislo_cil;
    m.orientace = z.poradiPosun;
    m.hodnota = z.hodnota;
    m.zkresleni = z.zkresleni > 0 ? Real{z.zkresleni} : 1;
    m.odchylka = z.odchylka;
    m.oprava = z.oprava;
    m.normOprava = z.normOprava;
    m.odlehle = odlehle;
    if (!odlehle) {
        m.vyrovnana = z.mezniOprava;
        m.odchylkaVyrovnane = z.odchylkaOprava;
    }
    return m;
}

}  // namespace

bool VyrovnanaSitProVymenu(const Workspace& ws, exchange::VyrovnanaSit& sit) {
    sit = exchange::VyrovnanaSit{};
    VysledkyVyrovnani v;
    if (!SestavitVysledky(ws, v)) return false;
    for (const Tbod& b : v.zobrazeni.body) sit.body.push_back(Bod(b));
    for (size_t i = 0; i < v.zobrazeni.mereni.size(); ++i) {
        for (const TmerenaVelicina& z : v.zobrazeni.mereni[i])
            sit.mereni.push_back(Mereni(VelicinaZKodu(static_cast<int32_t>(i + 1)), z, false));
    }
    for (const OdlehleMereni& o : v.odlehle) sit.mereni.push_back(Mereni(o.typ, o.zaznam, true));
    sit.odchylkaJednotkova = v.souhrn.odchylkaJednotkovaAprior;
    sit.odchylkaJednotkovaAposteriorni = v.souhrn.odchylkaJednotkovaAposterior;
    sit.pocetNadbytecnych = v.souhrn.pocetNadbytecnych;
    // Types 0 and 2 (fixed points, or one point with a bearing, with distances)
    // take no condition.
    sit.podminkyDatumu =
        v.souhrn.typFixace != Fixace::PevnaSit && v.souhrn.typFixace != Fixace::BodSmernikDelky;
    return true;
}

}  // namespace vertano
