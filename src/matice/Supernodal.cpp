#include "matice/Supernodal.h"

#include <algorithm>
#include <new>

#include "matice/SparseLdlt.h"

// The symbolic half of the supernodal LDL^T: elimination tree, postorder,
// column counts, supernodes and the lists that tie them together.

namespace vertano {

namespace {

// Upper triangle of the permuted pattern by columns: for each position k the
// positions i < k with an entry (i, k); `up` is CSR-like by k.
struct UpperPattern {
    std::vector<int64_t> start;
    std::vector<int32_t> index;
};

UpperPattern Upper(const SparseSymmetric& N, const std::vector<int32_t>& perm) {
    const int32_t n = N.n;
    UpperPattern u;
    u.start.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int32_t j = 0; j < n; ++j) {
        for (int32_t p = N.start[j]; p < N.start[j + 1]; ++p) {
            const int32_t a = perm[N.row[p]];
            const int32_t b = perm[j];
            if (a != b) ++u.start[std::max(a, b) + 1];
        }
    }
    for (int32_t k = 0; k < n; ++k) u.start[k + 1] += u.start[k];
    u.index.assign(static_cast<std::size_t>(u.start[n]), 0);
    std::vector<int64_t> next(u.start.begin(), u.start.end() - 1);
    for (int32_t j = 0; j < n; ++j) {
        for (int32_t p = N.start[j]; p < N.start[j + 1]; ++p) {
            const int32_t a = perm[N.row[p]];
            const int32_t b = perm[j];
            if (a != b) u.index[next[std::max(a, b)]++] = std::min(a, b);
        }
    }
    return u;
}

std::vector<int32_t> EliminationTree(const UpperPattern& u, int32_t n) {
    std::vector<int32_t> parent(static_cast<std::size_t>(n), -1);
    std::vector<int32_t> ancestor(static_cast<std::size_t>(n), -1);
    for (int32_t k = 0; k < n; ++k) {
        for (int64_t p = u.start[k]; p < u.start[k + 1]; ++p) {
            int32_t i = u.index[p];
            while (i != -1 && i < k) {
                const int32_t next = ancestor[i];
                ancestor[i] = k;
                if (next == -1) parent[i] = k;
                i = next;
            }
        }
    }
    return parent;
}

// Position of each node in a postorder of the forest (children ascending).
std::vector<int32_t> Postorder(const std::vector<int32_t>& parent) {
    const auto n = static_cast<int32_t>(parent.size());
    std::vector<int32_t> head(static_cast<std::size_t>(n), -1);
    std::vector<int32_t> next(static_cast<std::size_t>(n), -1);
    for (int32_t j = n - 1; j >= 0; --j) {
        if (parent[j] >= 0) {
            next[j] = head[parent[j]];
            head[parent[j]] = j;
        }
    }
    std::vector<int32_t> rank(static_cast<std::size_t>(n), -1);
    std::vector<int32_t> stack;
    int32_t k = 0;
    for (int32_t root = 0; root < n; ++root) {
        if (parent[root] >= 0) continue;
        stack.push_back(root);
        while (!stack.empty()) {
            const int32_t top = stack.back();
            const int32_t child = head[top];
            if (child == -1) {
                stack.pop_back();
                rank[top] = k++;
            } else {
                head[top] = next[child];
                stack.push_back(child);
            }
        }
    }
    return rank;
}

// Entries of each column of L, the diagonal included, by the row subtrees.
std::vector<int32_t> ColumnCounts(const UpperPattern& u, const std::vector<int32_t>& parent) {
    const auto n = static_cast<int32_t>(parent.size());
    std::vector<int32_t> count(static_cast<std::size_t>(n), 1);
    std::vector<int32_t> mark(static_cast<std::size_t>(n), -1);
    for (int32_t k = 0; k < n; ++k) {
        mark[k] = k;
        for (int64_t p = u.start[k]; p < u.start[k + 1]; ++p) {
            for (int32_t i = u.index[p]; mark[i] != k; i = parent[i]) {
                ++count[i];
                mark[i] = k;
            }
        }
    }
    return count;
}

// Stored entries of a supernode block of `width` columns and `height` rows.
int64_t Trapezoid(int64_t width, int64_t height) {
    return width * height - width * (width - 1) / 2;
}

// Supernodes: fundamental ones (a column joins its only child when its count
// is one less), then a child merged into its parent where the columns are
// adjacent and the zeros that adds stay few. Returns the first column of each
// and one past the last.
std::vector<int32_t> Supernodes(const std::vector<int32_t>& parent,
                                const std::vector<int32_t>& count) {
    const auto n = static_cast<int32_t>(parent.size());
    std::vector<int32_t> children(static_cast<std::size_t>(n), 0);
    for (int32_t j = 0; j < n; ++j) {
        if (parent[j] >= 0) ++children[parent[j]];
    }
    std::vector<int32_t> first;
    for (int32_t j = 0; j < n; ++j) {
        const bool joins =
            j > 0 && parent[j - 1] == j && children[j] == 1 && count[j - 1] == count[j] + 1;
        if (!joins) first.push_back(j);
    }
    first.push_back(n);
    // Relaxation: the rules of a widely used sparse Cholesky code (merge
    // always up to 4 columns, up to 16 with under 80 % zeros, up to 48 with
    // under 10 %, any size with under 5 %).
    const auto fundamental = static_cast<int32_t>(first.size()) - 1;
    std::vector<int32_t> merged{0};
    int64_t zeros = 0;  // of the supernode being grown
    for (int32_t s = 0; s + 1 < fundamental + 1; ++s) {
        const int32_t f = merged.back();
        const int32_t last = first[s + 1] - 1;  // last column of the group so far
        if (s + 1 < fundamental && parent[last] == first[s + 1]) {
            // The group [f, first[s+1]) against the next fundamental supernode.
            const int64_t wg = first[s + 1] - f;
            const int64_t hg = wg + count[last] - 1;
            const int64_t wp = first[s + 2] - first[s + 1];
            const int64_t hp = count[first[s + 1]];
            const int64_t w = wg + wp;
            const int64_t h = wg + hp;
            const int64_t total = Trapezoid(w, h);
            const int64_t z = zeros + (total - Trapezoid(wg, hg) - Trapezoid(wp, hp));
            const double share = static_cast<double>(z) / static_cast<double>(total);
            if (w <= 4 || (w <= 16 && share < 0.8) || (w <= 48 && share < 0.1) || share < 0.05) {
                zeros = z;
                continue;
            }
        }
        merged.push_back(first[s + 1]);
        zeros = 0;
    }
    return merged;
}

}  // namespace

int64_t SupernodalPlan::FactorEntries() const {
    int64_t total = 0;
    for (int32_t s = 0; s < Supernodes(); ++s) total += Trapezoid(Width(s), Height(s)) - Width(s);
    return total;
}

bool PlanSupernodes(const SparseSymmetric& N, const std::vector<int32_t>& order,
                    SupernodalPlan& plan) {
    const int32_t n = N.n;
    plan = SupernodalPlan{};
    if (static_cast<int32_t>(order.size()) != n) return false;
    try {
        {
            std::vector<char> seen(static_cast<std::size_t>(n), 0);
            for (const int32_t p : order) {
                if (p < 0 || p >= n || seen[p]) return false;
                seen[p] = 1;
            }
        }
        // The order postordered: same fill, supernodes adjacent.
        std::vector<int32_t> perm = order;
        {
            const std::vector<int32_t> rank = Postorder(EliminationTree(Upper(N, perm), n));
            for (int32_t& p : perm) p = rank[p];
        }
        const UpperPattern u = Upper(N, perm);
        const std::vector<int32_t> parent = EliminationTree(u, n);
        const std::vector<int32_t> count = ColumnCounts(u, parent);
        plan.n = n;
        plan.perm = perm;
        plan.inverse.assign(static_cast<std::size_t>(n), 0);
        for (int32_t i = 0; i < n; ++i) plan.inverse[perm[i]] = i;
        plan.first = Supernodes(parent, count);
        const int32_t S = plan.Supernodes();
        std::vector<int32_t> owner(static_cast<std::size_t>(n), 0);
        for (int32_t s = 0; s < S; ++s) {
            for (int32_t c = plan.first[s]; c < plan.first[s + 1]; ++c) owner[c] = s;
        }
        plan.parent.assign(static_cast<std::size_t>(S), -1);
        for (int32_t s = 0; s < S; ++s) {
            const int32_t p = parent[plan.first[s + 1] - 1];
            if (p >= 0) plan.parent[s] = owner[p];
        }
        // Rows of each supernode: its columns, the entries of N below them and
        // the rows of its children below it.
        std::vector<std::vector<int32_t>> childrenOf(static_cast<std::size_t>(S));
        for (int32_t s = 0; s < S; ++s) {
            if (plan.parent[s] >= 0) childrenOf[plan.parent[s]].push_back(s);
        }
        // Lower pattern of the permuted matrix by column: the transpose of u.
        std::vector<int64_t> lowStart(static_cast<std::size_t>(n) + 1, 0);
        for (int32_t k = 0; k < n; ++k) {
            for (int64_t p = u.start[k]; p < u.start[k + 1]; ++p) ++lowStart[u.index[p] + 1];
        }
        for (int32_t k = 0; k < n; ++k) lowStart[k + 1] += lowStart[k];
        std::vector<int32_t> low(static_cast<std::size_t>(lowStart[n]));
        {
            std::vector<int64_t> next(lowStart.begin(), lowStart.end() - 1);
            for (int32_t k = 0; k < n; ++k) {
                for (int64_t p = u.start[k]; p < u.start[k + 1]; ++p) low[next[u.index[p]]++] = k;
            }
        }
        plan.rowStart.assign(static_cast<std::size_t>(S) + 1, 0);
        std::vector<int32_t> mark(static_cast<std::size_t>(n), -1);
        std::vector<int32_t> list;
        for (int32_t s = 0; s < S; ++s) {
            const int32_t f = plan.first[s];
            const int32_t l = plan.first[s + 1];
            list.clear();
            for (int32_t c = f; c < l; ++c) {
                list.push_back(c);
                mark[c] = s;
            }
            const auto add = [&](int32_t r) {
                if (r >= l && mark[r] != s) {
                    mark[r] = s;
                    list.push_back(r);
                }
            };
            for (int32_t c = f; c < l; ++c) {
                for (int64_t p = lowStart[c]; p < lowStart[c + 1]; ++p) add(low[p]);
            }
            for (const int32_t t : childrenOf[s]) {
                for (int64_t p = plan.rowStart[t]; p < plan.rowStart[t + 1]; ++p) add(plan.rows[p]);
            }
            std::sort(list.begin() + (l - f), list.end());
            plan.rows.insert(plan.rows.end(), list.begin(), list.end());
            plan.rowStart[s + 1] = static_cast<int64_t>(plan.rows.size());
        }
        plan.block.assign(static_cast<std::size_t>(S) + 1, 0);
        for (int32_t s = 0; s < S; ++s) {
            plan.block[s + 1] = plan.block[s] + int64_t{plan.Width(s)} * plan.Height(s);
        }
        // Which supernodes each one updates, and the work of each.
        plan.work.assign(static_cast<std::size_t>(S), 0);
        plan.updateStart.assign(static_cast<std::size_t>(S) + 1, 0);
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<int64_t> next(plan.updateStart.begin(), plan.updateStart.end() - 1);
            for (int32_t k = 0; k < S; ++k) {
                const int32_t h = plan.Height(k);
                const int32_t* r = plan.rows.data() + plan.rowStart[k];
                for (int32_t p = plan.Width(k); p < h;) {
                    const int32_t j = owner[r[p]];
                    int32_t q = p;
                    while (q < h && r[q] < plan.first[j + 1]) ++q;
                    if (pass == 0) {
                        ++plan.updateStart[j + 1];
                        plan.work[j] += static_cast<double>(h - p) * (q - p) * plan.Width(k);
                    } else {
                        plan.updates[next[j]++] = {k, p, q};
                    }
                    p = q;
                }
            }
            if (pass == 0) {
                for (int32_t s = 0; s < S; ++s) plan.updateStart[s + 1] += plan.updateStart[s];
                plan.updates.resize(static_cast<std::size_t>(plan.updateStart[S]));
            }
        }
        for (int32_t s = 0; s < S; ++s) {
            plan.work[s] += static_cast<double>(plan.Height(s)) * plan.Width(s) * plan.Width(s);
        }
        // Where each entry of N lands: visited supernode by supernode, so that
        // one map of rows to their place in the block serves.
        plan.entry.assign(N.row.size(), 0);
        std::vector<int64_t> entryStart(static_cast<std::size_t>(S) + 1, 0);
        for (int32_t j = 0; j < n; ++j) {
            for (int32_t p = N.start[j]; p < N.start[j + 1]; ++p) {
                ++entryStart[owner[std::min(perm[N.row[p]], perm[j])] + 1];
            }
        }
        for (int32_t s = 0; s < S; ++s) entryStart[s + 1] += entryStart[s];
        std::vector<std::pair<int32_t, int32_t>> entries(N.row.size());  // (entry, column of N)
        {
            std::vector<int64_t> next(entryStart.begin(), entryStart.end() - 1);
            for (int32_t j = 0; j < n; ++j) {
                for (int32_t p = N.start[j]; p < N.start[j + 1]; ++p) {
                    entries[next[owner[std::min(perm[N.row[p]], perm[j])]]++] = {p, j};
                }
            }
        }
        std::vector<int32_t> local(static_cast<std::size_t>(n), -1);
        for (int32_t s = 0; s < S; ++s) {
            for (int64_t p = plan.rowStart[s]; p < plan.rowStart[s + 1]; ++p) {
                local[plan.rows[p]] = static_cast<int32_t>(p - plan.rowStart[s]);
            }
            const int32_t w = plan.Width(s);
            for (int64_t e = entryStart[s]; e < entryStart[s + 1]; ++e) {
                const auto [p, j] = entries[e];
                const int32_t a = std::max(perm[N.row[p]], perm[j]);
                const int32_t c = std::min(perm[N.row[p]], perm[j]);
                plan.entry[p] = plan.block[s] + int64_t{local[a]} * w + (c - plan.first[s]);
            }
        }
    } catch (const std::bad_alloc&) {
        plan = SupernodalPlan{};
        return false;
    }
    return true;
}

}  // namespace vertano
