#include "adjustment/PriblizneLokalni.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <utility>

#include "adjustment/LokalniUmisteni.h"
#include "adjustment/PriblizneKonstrukce.h"
#include "adjustment/PriblizneZpresneni.h"

namespace vertano {

namespace {

// Union-find over the points.
class Sjednoceni {
  public:
    explicit Sjednoceni(std::size_t n) : rodic_(n) { std::iota(rodic_.begin(), rodic_.end(), 0); }
    int32_t Koren(int32_t i) {
        while (rodic_[static_cast<std::size_t>(i)] != i) {
            auto& r = rodic_[static_cast<std::size_t>(i)];
            r = rodic_[static_cast<std::size_t>(r)];
            i = r;
        }
        return i;
    }
    void Spojit(int32_t a, int32_t b) {
        a = Koren(a);
        b = Koren(b);
        if (a != b) rodic_[static_cast<std::size_t>(std::max(a, b))] = std::min(a, b);
    }

  private:
    std::vector<int32_t> rodic_;
};

bool MaPolarniDelku(const Tzaznam& z) {
    return MaPouzitelnouDelku(z) && MaPouzitelnyZenit(z);
}

class LokalniSystemy {
  public:
    LokalniSystemy(SitPriblizne& sit, const PriblizneRadky& radky,
                   const std::vector<std::string>& cisla, const MoznostiPriblizne& moznosti,
                   VysledekPriblizne& vysledek)
        : sit_(sit),
          radky_(radky),
          cisla_(cisla),
          moznosti_(moznosti),
          vysledek_(vysledek),
          mapa_(cisla.size(), -1) {
        Pripravit();
    }

    void Spustit() {
        nicZnamo_ = true;
        for (std::size_t i = 0; i < cisla_.size(); ++i) {
            if (sit_.JeZnamyBod(static_cast<int32_t>(i))) nicZnamo_ = false;
        }
        for (int32_t k = Dalsi(); k >= 0; k = Dalsi()) Zkusit(k);
    }

  private:
    struct Obsazeni {
        int32_t stn = -1;
        int32_t pocetCilu = 0;  // distinct targets with a distance
        std::vector<int32_t> radky;
        bool zkouseno = false;
    };

    void Pripravit() {
        Sjednoceni s(cisla_.size());
        const std::vector<Tzaznam>& r = radky_.radky;
        for (const Tzaznam& z : r) s.Spojit(z.iStn, z.iCil);
        komponenta_.resize(cisla_.size());
        for (std::size_t i = 0; i < cisla_.size(); ++i) {
            komponenta_[i] = s.Koren(static_cast<int32_t>(i));
        }
        radkyKomponenty_.resize(cisla_.size());
        bodyKomponenty_.resize(cisla_.size());
        for (std::size_t i = 0; i < cisla_.size(); ++i) {
            bodyKomponenty_[static_cast<std::size_t>(komponenta_[i])].push_back(
                static_cast<int32_t>(i));
        }
        obsazeni_.resize(radky_.puvodniPoradi.size());
        for (std::size_t i = 0; i < r.size(); ++i) {
            const auto ii = static_cast<int32_t>(i);
            radkyKomponenty_[static_cast<std::size_t>(
                                 komponenta_[static_cast<std::size_t>(r[i].iStn)])]
                .push_back(ii);
            Obsazeni& o = obsazeni_[static_cast<std::size_t>(r[i].poradi - 1)];
            o.stn = r[i].iStn;
            o.radky.push_back(ii);
        }
        for (Obsazeni& o : obsazeni_) {
            std::vector<int32_t> cile;
            for (const int32_t i : o.radky) {
                const Tzaznam& z = r[static_cast<std::size_t>(i)];
                if (MaPolarniDelku(z)) cile.push_back(z.iCil);
            }
            std::sort(cile.begin(), cile.end());
            o.pocetCilu =
                static_cast<int32_t>(std::unique(cile.begin(), cile.end()) - cile.begin());
        }
        poradi_.resize(obsazeni_.size());
        std::iota(poradi_.begin(), poradi_.end(), 0);
        std::stable_sort(poradi_.begin(), poradi_.end(), [this](int32_t a, int32_t b) {
            return obsazeni_[static_cast<std::size_t>(a)].pocetCilu >
                   obsazeni_[static_cast<std::size_t>(b)].pocetCilu;
        });
    }

    // Whether an occupation can still find something: its station or a target
    // it measured a distance to is unknown. Once false it stays false (points
    // only become known), so the walk through the order never goes back.
    bool MaCoHledat(const Obsazeni& o) const {
        if (o.pocetCilu == 0 || o.stn < 0) return false;
        if (!sit_.JeZnamyBod(o.stn)) return true;
        for (const int32_t i : o.radky) {
            const Tzaznam& z = radky_.radky[static_cast<std::size_t>(i)];
            if (MaPolarniDelku(z) && !sit_.JeZnamyBod(z.iCil)) return true;
        }
        return false;
    }

    int32_t Dalsi() {
        for (; kurzor_ < poradi_.size(); ++kurzor_) {
            const int32_t k = poradi_[kurzor_];
            const Obsazeni& o = obsazeni_[static_cast<std::size_t>(k)];
            if (!o.zkouseno && MaCoHledat(o)) return k;
        }
        return -1;
    }

    // The rows of the part of occupation k, numbered locally; the row that
    // starts the local system in `zacatek` (local) and `zacatekSit` (as in sit).
    PriblizneRadky LokalniRadky(int32_t k, std::vector<std::string>& cisla, Tzaznam& zacatek,
                                Tzaznam& zacatekSit) {
        const Obsazeni& o = obsazeni_[static_cast<std::size_t>(k)];
        const auto c = static_cast<std::size_t>(komponenta_[static_cast<std::size_t>(o.stn)]);
        for (const int32_t i : bodyKomponenty_[c]) {
            mapa_[static_cast<std::size_t>(i)] = static_cast<int32_t>(cisla.size());
            cisla.push_back(cisla_[static_cast<std::size_t>(i)]);
        }
        PriblizneRadky lok;
        std::unordered_map<int32_t, int32_t> poradi;
        bool maZacatek = false;
        for (const int32_t i : radkyKomponenty_[c]) {
            const Tzaznam& puvodni = radky_.radky[static_cast<std::size_t>(i)];
            Tzaznam z = puvodni;
            z.iStn = mapa_[static_cast<std::size_t>(z.iStn)];
            z.iCil = mapa_[static_cast<std::size_t>(z.iCil)];
            const auto [it, novy] =
                poradi.try_emplace(z.poradi, static_cast<int32_t>(lok.puvodniPoradi.size()) + 1);
            if (novy) {
                lok.puvodniPoradi.push_back(
                    radky_.puvodniPoradi[static_cast<std::size_t>(z.poradi - 1)]);
            }
            z.poradi = it->second;
            if (!maZacatek && puvodni.poradi == k + 1 && MaPolarniDelku(z)) {
                zacatek = z;
                zacatekSit = puvodni;
                maZacatek = true;
            }
            lok.radky.push_back(std::move(z));
        }
        return lok;
    }

    void Zkusit(const int32_t k) {
        Obsazeni& o = obsazeni_[static_cast<std::size_t>(k)];
        o.zkouseno = true;
        std::vector<std::string> cisla;
        Tzaznam zacatek, zacatekSit;
        PriblizneRadky lok = LokalniRadky(k, cisla, zacatek, zacatekSit);
        const std::vector<Tzaznam> radky = lok.radky;
        const auto c = static_cast<std::size_t>(komponenta_[static_cast<std::size_t>(o.stn)]);
        const std::vector<int32_t>& body = bodyKomponenty_[c];

        VysledekPriblizne pomocny;
        SitPriblizne lokalni(cisla, std::move(lok), pomocny);
        Tsouradnice pocatek;
        Tbod b = Tbod::Prazdny();
        b.cislo = cisla_[static_cast<std::size_t>(o.stn)];
        b.X = b.Y = b.Z = 0;
        b.JePlny = true;
        pocatek.PridejBod(b);
        lokalni.VlozitZname(pocatek);
        lokalni.ZalozitOrientaci(zacatek);
        lokalni.Propagovat();
        Tsouradnice souradnice;
        lokalni.Vystup(souradnice);
        if (moznosti_.zpresnit) {
            std::vector<RoleBodu> role(cisla.size(), RoleBodu::Urcovany);
            role[static_cast<std::size_t>(mapa_[static_cast<std::size_t>(o.stn)])] =
                RoleBodu::Drzeny;
            ZpresneniPriblizne z;
            ZpresnitPriblizne(radky, souradnice.bod, role, z, {}, moznosti_.vlakna);
        }
        for (const int32_t i : body) mapa_[static_cast<std::size_t>(i)] = -1;

        LokalniSystemPriblizne info;
        info.poradiStanoviska = radky_.puvodniPoradi[static_cast<std::size_t>(k)];
        info.cisloStn = cisla_[static_cast<std::size_t>(o.stn)];
        info.pocetCilu = o.pocetCilu;
        Umistit(body, souradnice, zacatekSit, info);
        if (!info.jeUmisten) {
            // Another start in the same points would grow the same system.
            const std::vector<int32_t>& radkyCasti = radkyKomponenty_[c];
            for (std::size_t j = 0; j < radky.size(); ++j) {
                if (!souradnice.bod[static_cast<std::size_t>(radky[j].iStn)].JePlny) continue;
                const Tzaznam& z = radky_.radky[static_cast<std::size_t>(radkyCasti[j])];
                obsazeni_[static_cast<std::size_t>(z.poradi - 1)].zkouseno = true;
            }
            return;
        }
        nicZnamo_ = false;
        sit_.Propagovat();
    }

    // Fits the local `souradnice` (points `body` of the part, in order) onto the
    // known points and hands the new points to sit.
    void Umistit(const std::vector<int32_t>& body, const Tsouradnice& souradnice,
                 const Tzaznam& zacatek, LokalniSystemPriblizne& info) {
        std::vector<Tbod> lokalni, zname;
        std::vector<int32_t> spolecne;
        for (std::size_t j = 0; j < body.size(); ++j) {
            const Tbod& l = souradnice.bod[j];
            if (!l.JePlny) continue;
            ++info.pocetBodu;
            if (!sit_.JeZnamyBod(body[j])) continue;
            lokalni.push_back(l);
            zname.push_back(sit_.PolohaBodu(body[j]));
            spolecne.push_back(body[j]);
        }
        LokalniUmisteni u;
        if (nicZnamo_) {
            info.jeBezZnamych = true;
        } else if (!UmistitLokalniSystem(lokalni, zname, u)) {
            info.duvod = lokalni.empty() ? DuvodNeurceni::BezSpojeni : DuvodNeurceni::JedenSpolecny;
            for (const int32_t i : spolecne) {
                info.spolecne.push_back(SpolecnyBod{cisla_[static_cast<std::size_t>(i)]});
            }
            vysledek_.lokalniSystemy.push_back(std::move(info));
            return;
        }
        info.jeUmisten = true;
        info.natoceni = u.natoceni;
        info.posunX = u.posunX;
        info.posunY = u.posunY;
        info.posunZ = u.posunZ;
        info.meritko = u.meritko;
        for (std::size_t p = 0; p < spolecne.size(); ++p) {
            const Tbod t = Transformovat(u, lokalni[p]);
            SpolecnyBod s{cisla_[static_cast<std::size_t>(spolecne[p])], zname[p].X - t.X,
                          zname[p].Y - t.Y, zname[p].Z - t.Z, u.vyloucen[p]};
            info.spolecne.push_back(std::move(s));
        }
        const auto index = static_cast<int32_t>(vysledek_.lokalniSystemy.size());
        for (std::size_t j = 0; j < body.size(); ++j) {
            const Tbod& l = souradnice.bod[j];
            if (!l.JePlny || sit_.JeZnamyBod(body[j])) continue;
            if (sit_.PridatZLokalnihoSystemu(body[j], Transformovat(u, l), index, zacatek)) {
                ++info.pocetUrcenych;
            }
        }
        vysledek_.lokalniSystemy.push_back(std::move(info));
    }

    SitPriblizne& sit_;
    const PriblizneRadky& radky_;
    const std::vector<std::string>& cisla_;
    const MoznostiPriblizne& moznosti_;
    VysledekPriblizne& vysledek_;
    std::vector<int32_t> komponenta_;  // per point: the root of its connected part
    std::vector<std::vector<int32_t>> radkyKomponenty_;
    std::vector<std::vector<int32_t>> bodyKomponenty_;
    std::vector<Obsazeni> obsazeni_;  // by dense occupation number - 1
    std::vector<int32_t> poradi_;     // occupations in the order they are tried
    std::size_t kurzor_ = 0;
    std::vector<int32_t> mapa_;  // point -> local number during a trial, else -1
    bool nicZnamo_ = false;
};

}  // namespace

void DoplnitLokalnimiSystemy(SitPriblizne& sit, const PriblizneRadky& radky,
                             const std::vector<std::string>& cislaBodu,
                             const MoznostiPriblizne& moznosti, VysledekPriblizne& vysledek) {
    if (!moznosti.lokalniSystemy || cislaBodu.empty()) return;
    LokalniSystemy(sit, radky, cislaBodu, moznosti, vysledek).Spustit();
}

void UrcitDuvodyNeurceni(const PriblizneRadky& radky, VysledekPriblizne& vysledek) {
    const std::size_t n = vysledek.body.size();
    const auto urcen = [&](int32_t i) {
        return vysledek.body[static_cast<std::size_t>(i)].jeUrcen;
    };
    Sjednoceni s(n);
    for (const Tzaznam& z : radky.radky) {
        if (!urcen(z.iStn) && !urcen(z.iCil)) s.Spojit(z.iStn, z.iCil);
    }
    struct Cast {
        bool maDelku = false;
        int32_t prvniZnamy = -1;
        bool vice = false;  // two or more determined points
    };
    std::vector<Cast> casti(n);
    const auto dotek = [&](Cast& c, int32_t znamy) {
        if (c.prvniZnamy < 0) {
            c.prvniZnamy = znamy;
        } else if (c.prvniZnamy != znamy) {
            c.vice = true;
        }
    };
    for (const Tzaznam& z : radky.radky) {
        const bool stn = urcen(z.iStn), cil = urcen(z.iCil);
        if (stn && cil) continue;
        Cast& c = casti[static_cast<std::size_t>(s.Koren(stn ? z.iCil : z.iStn))];
        c.maDelku = c.maDelku || MaPouzitelnouDelku(z);
        if (stn) dotek(c, z.iStn);
        if (cil) dotek(c, z.iCil);
    }
    vysledek.duvodyNeurcenych.clear();
    for (std::size_t i = 0; i < n; ++i) {
        PuvodBodu& p = vysledek.body[i];
        if (p.jeUrcen) {
            p.duvod = DuvodNeurceni::Zadny;
            continue;
        }
        const Cast& c = casti[static_cast<std::size_t>(s.Koren(static_cast<int32_t>(i)))];
        if (c.prvniZnamy < 0) {
            p.duvod = DuvodNeurceni::BezSpojeni;
        } else if (!c.maDelku) {
            p.duvod = DuvodNeurceni::BezDelky;
        } else if (!c.vice) {
            p.duvod = DuvodNeurceni::JedenSpolecny;
        } else {
            p.duvod = DuvodNeurceni::Nedosazen;
        }
        vysledek.duvodyNeurcenych.push_back(p.duvod);
    }
}

}  // namespace vertano
