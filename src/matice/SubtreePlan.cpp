#include "matice/SubtreePlan.h"

#include <algorithm>

namespace vertano::detail {

namespace {

// Splits tried at most; each moves one node into the top.
constexpr int32_t kMostSplits = 4096;

// Subtree roots dealt to the groups, the largest first to the one with the
// least work; returns the largest load.
double Deal(std::vector<int32_t> roots, const std::vector<double>& work, int groups,
            std::vector<int32_t>* group) {
    std::sort(roots.begin(), roots.end(), [&](int32_t a, int32_t b) {
        return work[a] > work[b] || (work[a] == work[b] && a < b);
    });
    std::vector<double> load(static_cast<std::size_t>(groups), 0);
    for (const int32_t root : roots) {
        const auto g = std::min_element(load.begin(), load.end()) - load.begin();
        load[g] += work[root];
        if (group != nullptr) (*group)[root] = static_cast<int32_t>(g);
    }
    return *std::max_element(load.begin(), load.end());
}

}  // namespace

SubtreePlan PlanSubtrees(const std::vector<int32_t>& parent, const std::vector<double>& own,
                         int groups) {
    const auto n = static_cast<int32_t>(parent.size());
    groups = std::max(groups, 1);
    std::vector<double> work(own);
    for (int32_t j = 0; j < n; ++j) {
        if (parent[j] >= 0) work[parent[j]] += work[j];
    }
    std::vector<std::vector<int32_t>> children(static_cast<std::size_t>(n) + 1);
    for (int32_t j = 0; j < n; ++j) children[parent[j] < 0 ? n : parent[j]].push_back(j);
    std::vector<int32_t> frontier = children[n];
    std::vector<int32_t> split;  // the roots moved into the top, in order
    double topWork = 0;
    double best = Deal(frontier, work, groups, nullptr);
    std::size_t bestSplits = 0;
    while (!frontier.empty() && static_cast<int32_t>(split.size()) < kMostSplits) {
        const auto big = std::max_element(frontier.begin(), frontier.end(),
                                          [&](int32_t a, int32_t b) { return work[a] < work[b]; });
        const int32_t root = *big;
        frontier.erase(big);
        frontier.insert(frontier.end(), children[root].begin(), children[root].end());
        split.push_back(root);
        topWork += own[root];
        if (topWork >= best) break;
        const double longest =
            topWork + (frontier.empty() ? 0 : Deal(frontier, work, groups, nullptr));
        if (longest < best) {
            best = longest;
            bestSplits = split.size();
        }
    }
    std::vector<char> isTop(static_cast<std::size_t>(n), 0);
    frontier = children[n];
    for (std::size_t k = 0; k < bestSplits; ++k) {
        const int32_t root = split[k];
        isTop[root] = 1;
        frontier.erase(std::find(frontier.begin(), frontier.end(), root));
        frontier.insert(frontier.end(), children[root].begin(), children[root].end());
    }
    std::vector<int32_t> group(static_cast<std::size_t>(n), -1);
    Deal(frontier, work, groups, &group);
    SubtreePlan plan;
    plan.groups.resize(static_cast<std::size_t>(groups));
    for (int32_t j = n - 1; j >= 0; --j) {
        if (isTop[j]) {
            plan.top.push_back(j);
            continue;
        }
        if (group[j] < 0) group[j] = group[parent[j]];
        plan.groups[group[j]].push_back(j);
    }
    for (auto& g : plan.groups) std::reverse(g.begin(), g.end());
    return plan;
}

}  // namespace vertano::detail
