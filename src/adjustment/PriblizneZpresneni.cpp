#include "adjustment/PriblizneZpresneni.h"

#include <metis.h>

#include <iostream>  // the METIS interface of Eigen reports through std::cerr

#include <Eigen/SparseCore>

#include <Eigen/MetisSupport>
#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <type_traits>
#include <unordered_map>
#include <variant>

#include "adjustment/PriblizneKonstrukce.h"
#include "matice/ElementaryFunctions.h"
#include "matice/SparseLdlt.h"
#include "matice/Supernodal.h"
#include "processing/MedianVektor.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

// Standard deviations of the plain fit, before the residuals tell the real
// ones: only their ratio matters, and these are those of an ordinary total
// station. They also cap the robust scales: in a small network a gross error
// spreads over the few measurements around it and would make the median
// residual, and with it the scale, as large as itself.
constexpr double kSigmaSmer = 1.5e-5;  // rad
constexpr double kSigmaDelka = 3e-3;   // m
constexpr double kSigmaVyska = 3e-3;   // m, plus kSigmaZenit per metre of sight
constexpr double kSigmaZenit = 2e-5;   // rad
// The robust scales are never taken below these, the noise of good set means:
// below it Huber's weights would treat every residual as a gross error, and
// the iterations would crawl towards the median solution instead of
// converging.
constexpr double kMinSigmaSmer = 5e-6;
constexpr double kMinSigmaDelka = 1e-3;
constexpr double kMinSigmaVyska = 1e-3;
// The loose tie of a computed point to where it started [m].
constexpr double kSigmaVychozi = 1e3;
// Huber's and Tukey's constants in robust standard deviations.
constexpr double kHuber = 2.0;
constexpr double kTukey = 4.685;
// What Tukey's weight leaves to a measurement it rejects: a point whose every
// measurement is rejected must still be determined by them.
constexpr double kMinVaha = 1e-6;
// A residual beyond this many robust standard deviations counts as a gross error.
constexpr double kHrubaChyba = 5.0;
// Iterations of each stage. Linearised at approximations that are metres off,
// the plain fit converges in two or three; Huber's weights halve what a gross
// error still pulls in each iteration; Tukey's, started from there, drop it.
constexpr int kMaxIteraciProste = 10;
constexpr int kMaxIteraciHuber = 8;
constexpr int kMaxIteraciTukey = 3;
// Converged when no point moves more than this in an iteration [m].
constexpr double kKonvergence = 1e-3;
// A step beyond this is not a correction of an approximation [m].
constexpr double kMaxKrok = 1e5;
// A point is taken from the median of its candidates only when a majority can
// outvote one wrong candidate.
constexpr std::size_t kMinKandidatu = 3;
// Rounds of medians between the plain and the robust fit: a point outvotes a
// wrong candidate from the positions and orientations of its neighbours, which
// the previous round has cleared of the same error.
constexpr int kKolMedianu = 2;

// How the measurements are weighted in one stage.
enum class Vahy { Proste, Huber, Tukey };

constexpr int MaxIteraci(const Vahy v) {
    return v == Vahy::Proste ? kMaxIteraciProste
                             : (v == Vahy::Huber ? kMaxIteraciHuber : kMaxIteraciTukey);
}

// The robust factor of a residual of x robust standard deviations.
double Vaha(const Vahy v, const double x) {
    const double a = std::fabs(x);
    switch (v) {
        case Vahy::Proste:
            return 1;
        case Vahy::Huber:
            return a <= kHuber ? 1.0 : kHuber / a;
        case Vahy::Tukey: {
            if (!(a < kTukey)) return kMinVaha;
            const double q = 1 - (a / kTukey) * (a / kTukey);
            return std::max(kMinVaha, q * q);
        }
    }
    return 1;
}

// Sparse normal equations built term by term and solved by a fill-reducing
// sparse LDL^T. Only the lower triangle is kept. One object serves every
// iteration of a fit: the pattern stays the same, so the ordering and the
// symbolic analysis are made once. Large systems are ordered by nested
// dissection, whose factor of a survey network is several times smaller than
// that of minimum degree (a 10,000-point network: seconds instead of
// minutes); small ones keep minimum degree.
class RidkeRovnice {
  public:
    RidkeRovnice(int n, int vlakna) : n_(n), vlakna_(vlakna), b_(Eigen::VectorXd::Zero(n)) {}

    // Forgets the terms added, keeping the analysis, for the next iteration.
    void Vynulovat() {
        b_.setZero();
        trojice_.clear();
    }

    // Adds w a a^T and w a l for a row a with k entries at `idx` (-1 = none).
    void Pridat(const int* idx, const double* a, int k, double w, double l) {
        for (int p = 0; p < k; ++p) {
            if (idx[p] < 0) continue;
            b_[idx[p]] += w * a[p] * l;
            for (int q = 0; q < k; ++q) {
                if (idx[q] < 0 || idx[q] > idx[p]) continue;
                trojice_.emplace_back(idx[p], idx[q], w * a[p] * a[q]);
            }
        }
    }

    bool Vyresit(Eigen::VectorXd& x) {
        Matice n(n_, n_);
        n.setFromTriplets(trojice_.begin(), trojice_.end());
        if (n_ >= kMetisOd) return VyresitVelkou(n, x);
        if (!StejnyVzor(n) && !Analyzovat(n)) return false;
        return std::visit(
            [&](auto& ldlt) {
                if constexpr (std::is_same_v<std::decay_t<decltype(ldlt)>, std::monostate>) {
                    return false;
                } else {
                    ldlt.factorize(n);
                    if (ldlt.info() != Eigen::Success) return false;
                    x = ldlt.solve(b_);
                    return ldlt.info() == Eigen::Success && x.allFinite();
                }
            },
            ldlt_);
    }

  private:
    using Matice = Eigen::SparseMatrix<double>;
    using LdltAmd = Eigen::SimplicialLDLT<Matice, Eigen::Lower, Eigen::AMDOrdering<int>>;
    using LdltMetis = Eigen::SimplicialLDLT<Matice, Eigen::Lower, Eigen::MetisOrdering<int>>;
    // From this many unknowns on, nested dissection pays for its analysis.
    static constexpr int kMetisOd = 2000;

    // A large system by the supernodal LDL^T in double precision, ordered by
    // nested dissection: its dense blocks grow with the separators of the
    // network, and it keeps the fits near-linear where the simplicial one
    // took most of the analysis (30,000 points).
    bool VyresitVelkou(const Matice& n, Eigen::VectorXd& x) {
        SparseSymmetric& N = soustava_;
        N.n = n_;
        N.start.assign(n.outerIndexPtr(), n.outerIndexPtr() + n_ + 1);
        N.row.assign(n.innerIndexPtr(), n.innerIndexPtr() + n.nonZeros());
        N.value.assign(n.valuePtr(), n.valuePtr() + n.nonZeros());
        if (plan_.n != n_ || !StejnyVzor(n)) {
            plan_ = SupernodalPlan{};
            Matice uplna(n_, n_);
            uplna = n.selfadjointView<Eigen::Lower>();
            Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> inverzni;
            Eigen::MetisOrdering<int> metis;
            metis(uplna, inverzni);
            if (inverzni.size() != n_) {
                Eigen::AMDOrdering<int> amd;
                amd(uplna, inverzni);
            }
            if (inverzni.size() != n_) return false;
            const Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> poradi =
                inverzni.inverse();
            const std::vector<int32_t> perm(poradi.indices().data(), poradi.indices().data() + n_);
            if (!PlanSupernodes(N, perm, plan_)) return false;
            vnejsi_.assign(n.outerIndexPtr(), n.outerIndexPtr() + n_ + 1);
            vnitrni_.assign(n.innerIndexPtr(), n.innerIndexPtr() + n.nonZeros());
        }
        // Like the simplicial factorisation, only a pivot that is not positive
        // stops it: the weak default weights keep every fit regular. The factor
        // and the blocks keep their storage for the next iteration.
        int32_t defekt = -1;
        if (!FactorSupernodal(plan_, N, 0, vlakna_, faktor_, defekt, FactorPrecision::Double,
                              &bloky_)) {
            return false;
        }
        Tvector z(b_.data(), b_.data() + n_);
        if (!faktor_.Solve(z)) return false;
        x.resize(n_);
        for (int i = 0; i < n_; ++i) x[i] = static_cast<double>(z[i]);
        return x.allFinite();
    }

    bool StejnyVzor(const Matice& n) const {
        return (plan_.n == n_ || !std::holds_alternative<std::monostate>(ldlt_)) &&
               std::equal(n.outerIndexPtr(), n.outerIndexPtr() + n_ + 1, vnejsi_.begin(),
                          vnejsi_.end()) &&
               std::equal(n.innerIndexPtr(), n.innerIndexPtr() + n.nonZeros(), vnitrni_.begin(),
                          vnitrni_.end());
    }

    bool Analyzovat(const Matice& n) {
        ldlt_ = std::monostate{};
        bool ok = false;
        if (n_ >= kMetisOd) {
            // METIS leaves the permutation empty when it fails.
            LdltMetis& metis = ldlt_.emplace<LdltMetis>();
            metis.analyzePattern(n);
            ok = metis.info() == Eigen::Success && metis.permutationP().size() == n_;
        }
        if (!ok) {
            LdltAmd& amd = ldlt_.emplace<LdltAmd>();
            amd.analyzePattern(n);
            ok = amd.info() == Eigen::Success;
        }
        if (!ok) {
            ldlt_ = std::monostate{};
            return false;
        }
        vnejsi_.assign(n.outerIndexPtr(), n.outerIndexPtr() + n_ + 1);
        vnitrni_.assign(n.innerIndexPtr(), n.innerIndexPtr() + n.nonZeros());
        return true;
    }

    int n_;
    int vlakna_;  // of the supernodal factorisation, whose bits do not depend on them
    Eigen::VectorXd b_;
    std::vector<Eigen::Triplet<double>> trojice_;
    std::variant<std::monostate, LdltAmd, LdltMetis> ldlt_;
    SupernodalPlan plan_;       // of a large system
    SparseSymmetric soustava_;  // its last matrix
    LdltFactor faktor_;         // and factor
    SupernodalRoom bloky_;
    std::vector<int> vnejsi_;   // the pattern analysed: column starts
    std::vector<int> vnitrni_;  // and rows
};

// 1.4826 times the median of |values| (the standard deviation of normal
// values), within [minimum, maximum]; the maximum for no values.
double RobustniSigma(std::vector<double> hodnoty, double minimum, double maximum) {
    if (hodnoty.empty()) return maximum;
    for (double& h : hodnoty) h = std::fabs(h);
    const auto stred = hodnoty.begin() + static_cast<std::ptrdiff_t>(hodnoty.size() / 2);
    std::nth_element(hodnoty.begin(), stred, hodnoty.end());
    return std::clamp(1.4826 * *stred, minimum, maximum);
}

bool MaHodnotu(const std::vector<Tbod>& body, int32_t i) {
    return i >= 0 && static_cast<std::size_t>(i) < body.size() &&
           body[static_cast<std::size_t>(i)].JePlny;
}

enum class Druh : uint8_t { Smer, Delka };

struct Pozorovani {
    int32_t stn = 0;
    int32_t cil = 0;
    int32_t orientace = -1;  // unknown of the occupation (directions)
    Druh druh = Druh::Smer;
    Real hodnota = 0;   // direction, or horizontal distance
    double oprava = 0;  // measured minus computed
};

// The fit in plan: X, Y of the computed points and one orientation per
// occupation with a direction.
// The caller asked the refinement to stop.
bool Zruseno(const std::function<bool()>& zrusit, ZpresneniPriblizne& v) {
    if (!zrusit || !zrusit()) return false;
    v.chyba = "the refinement was stopped";
    return true;
}

class PolohovaUloha {
  public:
    PolohovaUloha(const std::vector<Tzaznam>& radky, std::vector<Tbod>& body,
                  const std::vector<RoleBodu>& role, const std::function<bool()>& zrusit,
                  int vlakna)
        : body_(body), role_(role), vychozi_(body), zrusit_(zrusit), vlakna_(vlakna) {
        Sestavit(radky);
    }

    bool Spustit(ZpresneniPriblizne& v) {
        if (pocetBodu_ == 0 && orientace_.empty()) return true;
        OrientaceZMedianu();
        if (!Iterovat(Vahy::Proste, v)) return false;
        // The plain fit has removed the drift but spread each gross error over
        // its neighbours. Medians of all sights put every orientation and every
        // well-measured point back where the majority has it, so the residuals
        // the robust weights start from show the gross errors in full.
        for (int kolo = 0; kolo < kKolMedianu; ++kolo) {
            OrientaceZMedianu();
            BodyZMedianu();
        }
        OrientaceZMedianu();
        if (!Iterovat(Vahy::Huber, v) || !Iterovat(Vahy::Tukey, v)) return false;
        SpocistOpravy();
        for (const Pozorovani& p : poz_) {
            if (std::fabs(p.oprava) > kHrubaChyba * Sigma(p, Vahy::Tukey)) ++v.pocetPotlacenych;
        }
        return true;
    }

  private:
    void Sestavit(const std::vector<Tzaznam>& radky) {
        neznama_.assign(body_.size(), -1);
        std::unordered_map<int32_t, int32_t> obsazeni;
        const auto neznama = [&](int32_t i) {
            const auto u = static_cast<std::size_t>(i);
            if (role_[u] == RoleBodu::Drzeny || neznama_[u] >= 0) return;
            neznama_[u] = pocetBodu_;
            pocetBodu_ += 2;
        };
        for (const Tzaznam& z : radky) {
            if (!MaHodnotu(body_, z.iStn) || !MaHodnotu(body_, z.iCil) || z.iStn == z.iCil) {
                continue;
            }
            const bool smer = MaPouzitelnySmer(z);
            const bool delka = MaPouzitelnouDelku(z) && MaPouzitelnyZenit(z);
            if (!smer && !delka) continue;
            neznama(z.iStn);
            neznama(z.iCil);
            if (smer) {
                const auto [it, novy] =
                    obsazeni.try_emplace(z.poradi, static_cast<int32_t>(orientace_.size()));
                if (novy) orientace_.push_back(0);
                poz_.push_back(Pozorovani{z.iStn, z.iCil, it->second, Druh::Smer, z.smer});
            }
            if (delka) {
                poz_.push_back(
                    Pozorovani{z.iStn, z.iCil, -1, Druh::Delka, z.delka * std::sin(z.zenit)});
            }
            if (smer && delka) polarni_.push_back(poz_.size() - 2);
        }
    }

    const Tbod& B(int32_t i) const { return body_[static_cast<std::size_t>(i)]; }

    // Each orientation from all its sights at once: the median of bearing minus
    // direction, the samples kept next to the first one across the zero bearing.
    void OrientaceZMedianu() {
        std::vector<std::vector<Real>> vzorky(orientace_.size());
        for (const Pozorovani& p : poz_) {
            if (p.druh != Druh::Smer) continue;
            Real smernik = 0;
            if (!SmernikBodu(B(p.stn), B(p.cil), smernik)) continue;
            std::vector<Real>& v = vzorky[static_cast<std::size_t>(p.orientace)];
            const Real posun = Normalise(smernik - p.hodnota);
            v.push_back(v.empty() ? posun : Unwrap(posun, v.front()));
        }
        for (std::size_t k = 0; k < vzorky.size(); ++k) {
            if (!vzorky[k].empty()) orientace_[k] = DolniMedian(vzorky[k]);
        }
    }

    // Every computed point with enough polar candidates (from the oriented
    // stations that measured it, and back from its own oriented occupations) to
    // the median of them, coordinate by coordinate.
    void BodyZMedianu() {
        std::vector<std::vector<Real>> kx(body_.size()), ky(body_.size());
        for (const std::size_t i : polarni_) {
            const Pozorovani& smer = poz_[i];
            const Real s = poz_[i + 1].hodnota;
            const Real sigma = orientace_[static_cast<std::size_t>(smer.orientace)] + smer.hodnota;
            const Real dx = s * std::cos(sigma), dy = s * std::sin(sigma);
            const auto stn = static_cast<std::size_t>(smer.stn);
            const auto cil = static_cast<std::size_t>(smer.cil);
            kx[cil].push_back(body_[stn].X + dx);
            ky[cil].push_back(body_[stn].Y + dy);
            kx[stn].push_back(body_[cil].X - dx);
            ky[stn].push_back(body_[cil].Y - dy);
        }
        for (std::size_t i = 0; i < body_.size(); ++i) {
            if (neznama_[i] < 0 || kx[i].size() < kMinKandidatu) continue;
            body_[i].X = DolniMedian(kx[i]);
            body_[i].Y = DolniMedian(ky[i]);
        }
    }

    // Linearised row of observation p: unknown indices, coefficients and the
    // reduced observation (measured minus computed).
    bool Radek(const Pozorovani& p, int (&idx)[5], double (&a)[5], double& l) const {
        const Tbod& s = B(p.stn);
        const Tbod& c = B(p.cil);
        const Real dx = c.X - s.X;
        const Real dy = c.Y - s.Y;
        const Real h2 = dx * dx + dy * dy;
        if (!(h2 > 0)) return false;
        const int is = neznama_[static_cast<std::size_t>(p.stn)];
        const int ic = neznama_[static_cast<std::size_t>(p.cil)];
        idx[0] = is;
        idx[1] = is < 0 ? -1 : is + 1;
        idx[2] = ic;
        idx[3] = ic < 0 ? -1 : ic + 1;
        idx[4] = -1;
        a[4] = 0;
        if (p.druh == Druh::Smer) {
            const Real vypocteno =
                Atan2(dy, dx) - orientace_[static_cast<std::size_t>(p.orientace)];
            l = static_cast<double>(NormaliseSigned(p.hodnota - vypocteno));
            a[0] = static_cast<double>(dy / h2);
            a[1] = static_cast<double>(-dx / h2);
            a[4] = -1;
            idx[4] = pocetBodu_ + p.orientace;
        } else {
            const Real h = std::sqrt(h2);
            l = static_cast<double>(p.hodnota - h);
            a[0] = static_cast<double>(-dx / h);
            a[1] = static_cast<double>(-dy / h);
        }
        a[2] = -a[0];
        a[3] = -a[1];
        return true;
    }

    double Sigma(const Pozorovani& p, const Vahy vahy) const {
        if (p.druh == Druh::Smer) return vahy == Vahy::Proste ? kSigmaSmer : sigmaSmer_;
        return vahy == Vahy::Proste ? kSigmaDelka : sigmaDelka_;
    }

    bool Iterovat(const Vahy vahy, ZpresneniPriblizne& v) {
        const int n = pocetBodu_ + static_cast<int>(orientace_.size());
        for (int iterace = 0; iterace < MaxIteraci(vahy); ++iterace) {
            if (Zruseno(zrusit_, v)) return false;
            SpocistOpravy();
            // The scale follows the residuals: as the gross errors stop pulling,
            // the good residuals shrink, and so does the influence left to a
            // gross error.
            if (vahy != Vahy::Proste) RobustniMeritka();
            RidkeRovnice& r = Rovnice(n);
            for (const Pozorovani& p : poz_) {
                int idx[5];
                double a[5];
                double l = 0;
                if (!Radek(p, idx, a, l)) continue;
                const double s = Sigma(p, vahy);
                r.Pridat(idx, a, 5, Vaha(vahy, l / s) / (s * s), l);
            }
            PridatVychozi(r);
            Eigen::VectorXd dx;
            if (!r.Vyresit(dx)) {
                v.chyba = "the refinement in plan has no solution";
                return false;
            }
            double krok = 0;
            for (std::size_t i = 0; i < body_.size(); ++i) {
                const int k = neznama_[i];
                if (k < 0) continue;
                body_[i].X += dx[k];
                body_[i].Y += dx[k + 1];
                krok = std::max(krok, std::hypot(dx[k], dx[k + 1]));
            }
            for (std::size_t k = 0; k < orientace_.size(); ++k) {
                orientace_[k] += dx[pocetBodu_ + static_cast<int>(k)];
            }
            ++v.pocetIteraci;
            if (!(krok < kMaxKrok)) {
                v.chyba = "the refinement in plan diverged";
                return false;
            }
            if (krok < kKonvergence) break;
        }
        return true;
    }

    // The equations of the fit, emptied for the next iteration; kept so that
    // the iterations share one analysis.
    RidkeRovnice& Rovnice(int n) {
        if (!rovnice_) rovnice_.emplace(n, vlakna_);
        rovnice_->Vynulovat();
        return *rovnice_;
    }

    void PridatVychozi(RidkeRovnice& r) const {
        const double w = 1.0 / (kSigmaVychozi * kSigmaVychozi);
        const double jedna = 1.0;
        for (std::size_t i = 0; i < body_.size(); ++i) {
            const int k = neznama_[i];
            if (k < 0) continue;
            r.Pridat(&k, &jedna, 1, w, static_cast<double>(vychozi_[i].X - body_[i].X));
            const int k1 = k + 1;
            r.Pridat(&k1, &jedna, 1, w, static_cast<double>(vychozi_[i].Y - body_[i].Y));
        }
    }

    void SpocistOpravy() {
        for (Pozorovani& p : poz_) {
            int idx[5];
            double a[5];
            double l = 0;
            p.oprava = Radek(p, idx, a, l) ? l : 0;
        }
    }

    void RobustniMeritka() {
        std::vector<double> smery, delky;
        for (const Pozorovani& p : poz_) {
            (p.druh == Druh::Smer ? smery : delky).push_back(p.oprava);
        }
        sigmaSmer_ = RobustniSigma(std::move(smery), kMinSigmaSmer, kSigmaSmer);
        sigmaDelka_ = RobustniSigma(std::move(delky), kMinSigmaDelka, kSigmaDelka);
    }

    std::vector<Tbod>& body_;
    const std::vector<RoleBodu>& role_;
    const std::vector<Tbod> vychozi_;
    std::vector<int32_t> neznama_;  // per point: its X unknown (Y follows), or -1
    int32_t pocetBodu_ = 0;         // unknowns of the points; orientations follow
    std::vector<Real> orientace_;
    std::vector<Pozorovani> poz_;
    // Rows with a direction and a distance: index of the direction in poz_,
    // the distance follows it.
    std::vector<std::size_t> polarni_;
    double sigmaSmer_ = kSigmaSmer;
    double sigmaDelka_ = kSigmaDelka;
    std::optional<RidkeRovnice> rovnice_;
    const std::function<bool()>& zrusit_;
    int vlakna_;
};

// The fit of the heights: Z of the computed points from the height differences
// of the zenith angles (with the slope distance, or with the horizontal distance
// of the refined plan where no distance was measured). Linear: one solution per
// set of weights.
class VyskovaUloha {
  public:
    VyskovaUloha(const std::vector<Tzaznam>& radky, std::vector<Tbod>& body,
                 const std::vector<RoleBodu>& role, const std::function<bool()>& zrusit, int vlakna)
        : body_(body), vychozi_(body), zrusit_(zrusit), vlakna_(vlakna) {
        Sestavit(radky, role);
    }

    bool Spustit(ZpresneniPriblizne& v) {
        if (pocet_ == 0) return true;
        if (Zruseno(zrusit_, v) || !Vyresit(Vahy::Proste, v)) return false;
        VyskyZMedianu();
        for (const Vahy vahy : {Vahy::Huber, Vahy::Tukey}) {
            for (int iterace = 0; iterace < MaxIteraci(vahy); ++iterace) {
                if (Zruseno(zrusit_, v)) return false;
                std::vector<double> normovane;
                for (const Prevyseni& p : prev_) normovane.push_back(Oprava(p) / p.sigma);
                meritko_ = RobustniSigma(std::move(normovane), kMinSigmaVyska / kSigmaVyska, 1.0);
                const std::vector<Tbod> pred = body_;
                if (!Vyresit(vahy, v)) return false;
                double krok = 0;
                for (std::size_t i = 0; i < body_.size(); ++i) {
                    krok = std::max(krok, static_cast<double>(std::fabs(body_[i].Z - pred[i].Z)));
                }
                if (krok < kKonvergence) break;
            }
        }
        return true;
    }

  private:
    struct Prevyseni {
        int32_t stn = 0;
        int32_t cil = 0;
        Real hodnota = 0;  // Z target - Z station
        double sigma = 0;
    };

    void Sestavit(const std::vector<Tzaznam>& radky, const std::vector<RoleBodu>& role) {
        neznama_.assign(body_.size(), -1);
        for (const Tzaznam& z : radky) {
            if (!MaHodnotu(body_, z.iStn) || !MaHodnotu(body_, z.iCil) || z.iStn == z.iCil ||
                !MaPouzitelnyZenit(z) || !(z.zkresleniDelky > 0)) {
                continue;
            }
            Prevyseni p{z.iStn, z.iCil, 0, 0};
            Real delka = z.delka;
            if (MaPouzitelnouDelku(z)) {
                p.hodnota = z.delka * std::cos(z.zenit) / z.zkresleniDelky;
            } else {
                const Real h = VodorovnaVzdalenost(B(z.iStn), B(z.iCil));
                if (!VyskaZeZenitu(0, h, z.zenit, z.zkresleniDelky, p.hodnota)) continue;
                delka = h;
            }
            if (!std::isfinite(p.hodnota)) continue;
            p.sigma = kSigmaVyska + kSigmaZenit * static_cast<double>(delka);
            for (const int32_t i : {z.iStn, z.iCil}) {
                const auto u = static_cast<std::size_t>(i);
                if (role[u] != RoleBodu::Drzeny && neznama_[u] < 0) neznama_[u] = pocet_++;
            }
            prev_.push_back(p);
        }
    }

    const Tbod& B(int32_t i) const { return body_[static_cast<std::size_t>(i)]; }

    // As in plan: a well-measured point to the median of its candidates.
    void VyskyZMedianu() {
        std::vector<std::vector<Real>> kz(body_.size());
        for (const Prevyseni& p : prev_) {
            kz[static_cast<std::size_t>(p.cil)].push_back(B(p.stn).Z + p.hodnota);
            kz[static_cast<std::size_t>(p.stn)].push_back(B(p.cil).Z - p.hodnota);
        }
        for (std::size_t i = 0; i < body_.size(); ++i) {
            if (neznama_[i] >= 0 && kz[i].size() >= kMinKandidatu) body_[i].Z = DolniMedian(kz[i]);
        }
    }

    double Oprava(const Prevyseni& p) const {
        return static_cast<double>(p.hodnota - (B(p.cil).Z - B(p.stn).Z));
    }

    bool Vyresit(const Vahy vahy, ZpresneniPriblizne& v) {
        if (!rovnice_) rovnice_.emplace(pocet_, vlakna_);
        RidkeRovnice& r = *rovnice_;
        r.Vynulovat();
        for (const Prevyseni& p : prev_) {
            const int idx[2] = {neznama_[static_cast<std::size_t>(p.stn)],
                                neznama_[static_cast<std::size_t>(p.cil)]};
            const double a[2] = {-1, 1};
            const double l = Oprava(p);
            const double s = vahy == Vahy::Proste ? p.sigma : p.sigma * meritko_;
            r.Pridat(idx, a, 2, Vaha(vahy, l / s) / (s * s), l);
        }
        const double w = 1.0 / (kSigmaVychozi * kSigmaVychozi);
        const double jedna = 1.0;
        for (std::size_t i = 0; i < body_.size(); ++i) {
            const int k = neznama_[i];
            if (k >= 0) r.Pridat(&k, &jedna, 1, w, static_cast<double>(vychozi_[i].Z - body_[i].Z));
        }
        Eigen::VectorXd dz;
        if (!r.Vyresit(dz)) {
            v.chyba = "the refinement of the heights has no solution";
            return false;
        }
        for (std::size_t i = 0; i < body_.size(); ++i) {
            if (neznama_[i] < 0) continue;
            if (!(std::fabs(dz[neznama_[i]]) < kMaxKrok)) {
                v.chyba = "the refinement of the heights diverged";
                return false;
            }
            body_[i].Z += dz[neznama_[i]];
        }
        return true;
    }

    std::vector<Tbod>& body_;
    const std::vector<Tbod> vychozi_;
    std::vector<int32_t> neznama_;
    int32_t pocet_ = 0;
    std::vector<Prevyseni> prev_;
    double meritko_ = 1;                   // robust scale of the standardised residuals
    std::optional<RidkeRovnice> rovnice_;  // kept across the iterations
    const std::function<bool()>& zrusit_;
    int vlakna_;
};

}  // namespace

bool ZpresnitPriblizne(const std::vector<Tzaznam>& radky, std::vector<Tbod>& body,
                       const std::vector<RoleBodu>& role, ZpresneniPriblizne& vysledek,
                       const std::function<bool()>& zrusit, int vlakna) {
    vysledek = ZpresneniPriblizne{};
    if (role.size() != body.size()) {
        vysledek.chyba = "the roles do not fit the points";
        return false;
    }
    try {
        std::vector<Tbod> zpresnene = body;
        if (!PolohovaUloha(radky, zpresnene, role, zrusit, vlakna).Spustit(vysledek)) return false;
        if (!VyskovaUloha(radky, zpresnene, role, zrusit, vlakna).Spustit(vysledek)) return false;
        for (std::size_t i = 0; i < body.size(); ++i) {
            const Tbod& z = zpresnene[i];
            if (!std::isfinite(z.X) || !std::isfinite(z.Y) || !std::isfinite(z.Z)) {
                vysledek.chyba = "the refinement gave a coordinate that is no number";
                return false;
            }
            vysledek.maxPosun =
                std::max(vysledek.maxPosun, VodorovnaVzdalenost(body[i], zpresnene[i]));
        }
        body = std::move(zpresnene);
        vysledek.jeProvedeno = true;
        return true;
    } catch (const std::exception& e) {
        vysledek.chyba = e.what();
        return false;
    }
}

}  // namespace vertano
