#pragma once

#include <cstdint>
#include <vector>

namespace vertano::detail {

// The nodes of an elimination tree dealt among threads so that no thread
// waits for another: the nodes of `top` are done last, by one thread (from
// the last of the list), and each group is a set of whole subtrees below the
// top, independent of the other groups. A node depends only on its
// descendants, so the groups can run at the same time and the top after them.
//
// The top grows from the roots by splitting the subtree with the most work
// (the separators of a nested dissection are chains, so this walks down
// them); of the splits tried, the one with the least work on the longest path
// (the top plus the largest group) is kept.
struct SubtreePlan {
    std::vector<int32_t> top;                  // descending
    std::vector<std::vector<int32_t>> groups;  // each ascending (children before parents)
};

// parent[j] > j or -1 at a root; own[j] the work of node j itself.
[[nodiscard]] SubtreePlan PlanSubtrees(const std::vector<int32_t>& parent,
                                       const std::vector<double>& own, int groups);

}  // namespace vertano::detail
