#pragma once

#include <QRect>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace vertano {

// The places the labels of a picture have taken, kept by square cells of
// pixels, so that a new label is compared only with those near it: a picture
// of tens of thousands of labels costs as many comparisons as labels, not
// their square. Every label that meets a place shares a cell with it, so the
// answer is the one a comparison with all of them gives.
class ObsazenaMista {
  public:
    // Whether `r` meets none of the places taken.
    [[nodiscard]] bool Volno(const QRect& r) const {
        bool volno = true;
        Bunky(r, [&](int64_t klic) {
            const auto it = bunky_.find(klic);
            if (it == bunky_.end()) return true;
            for (const QRect& o : it->second) {
                if (o.intersects(r)) {
                    volno = false;
                    return false;
                }
            }
            return true;
        });
        return volno;
    }

    void Pridat(const QRect& r) {
        Bunky(r, [&](int64_t klic) {
            bunky_[klic].push_back(r);
            return true;
        });
    }

  private:
    static constexpr int kBunka = 64;  // pixels

    static int64_t Dolu(int v) { return v >= 0 ? v / kBunka : -((-int64_t{v} - 1) / kBunka) - 1; }

    // visit(key) for every cell r covers, while it returns true.
    template <class Visit>
    static void Bunky(const QRect& r, const Visit& visit) {
        if (r.isEmpty()) return;
        for (int64_t x = Dolu(r.left()); x <= Dolu(r.right()); ++x) {
            for (int64_t y = Dolu(r.top()); y <= Dolu(r.bottom()); ++y) {
                if (!visit(x * 4294967311LL + y)) return;
            }
        }
    }

    std::unordered_map<int64_t, std::vector<QRect>> bunky_;
};

}  // namespace vertano
