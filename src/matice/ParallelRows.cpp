#include "matice/ParallelRows.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace vertano {

namespace {

// Boundaries 1..t-1: each range takes rows from where the previous one ended
// while its cost is below `limit` and rows remain; boundary t is n.
template <typename Cost>
TindexVector TakeWhileBelow(int n, int t, double limit, Cost cost) {
    TindexVector split(t + 1, 0);
    int row = 0;
    for (int k = 1; k < t; ++k) {
        double sum = 0;
        while (sum < limit && row < n) sum += cost(row++);
        split[k] = row;
    }
    split[t] = n;
    return split;
}

bool WellFormed(const TindexVector& split) {
    if (split.size() < 2 || split[0] < 0) return false;
    return std::is_sorted(split.begin(), split.end());
}

// Completion reports of the workers; the waiting thread reads them.
class Completion {
  public:
    explicit Completion(int workers) : workers_(workers) {}

    void Report(bool ok) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++pocetVlaknoHotovo_;
            allOk_ = allOk_ && ok;
        }
        done_.notify_one();
    }

    // Waits until every worker has reported, calling hook between waits.
    bool Wait(const WaitHook& hook) {
        std::unique_lock<std::mutex> lock(mutex_);
        const auto jeVlaknoHotovo = [this] { return pocetVlaknoHotovo_ == workers_; };
        bool hookUsable = static_cast<bool>(hook);
        while (!jeVlaknoHotovo()) {
            if (!hookUsable) {
                done_.wait(lock, jeVlaknoHotovo);
                break;
            }
            if (done_.wait_for(lock, std::chrono::milliseconds(20), jeVlaknoHotovo)) break;
            lock.unlock();
            hookUsable = CallHook(hook);
            lock.lock();
        }
        return allOk_;
    }

  private:
    // A hook that throws is not called again; the computation goes on, and the
    // workers are always waited for, since they use the caller's matrices.
    static bool CallHook(const WaitHook& hook) {
        try {
            hook();
            return true;
        } catch (...) {
            return false;
        }
    }

    std::mutex mutex_;
    std::condition_variable done_;
    const int workers_;
    int pocetVlaknoHotovo_ = 0;
    bool allOk_ = true;
};

bool RunBody(const RowRangeBody& body, int pocatek, int konec) {
    try {
        return body(pocatek, konec);
    } catch (...) {
        return false;
    }
}

}  // namespace

int ClampThreadCount(int requested, int rows) {
    const int t = std::clamp(requested, 1, kMaxThreads);
    return std::max(1, std::min(t, rows));
}

TindexVector SplitTriangular(int n, int& threads) {
    threads = ClampThreadCount(threads, n);
    const std::int64_t square = static_cast<std::int64_t>(n) * n;
    const double limit = std::ceil(static_cast<double>(square) / 2 / threads);
    return TakeWhileBelow(n, threads, limit, [n](int row) { return static_cast<double>(n - row); });
}

TindexVector SplitEven(int n, int& threads) {
    threads = ClampThreadCount(threads, n);
    const int rows = std::max(n, 0);
    const int q = rows / threads;
    const int r = rows % threads;
    TindexVector split(threads + 1, 0);
    for (int k = 1; k <= threads; ++k) split[k] = split[k - 1] + q + (k <= r ? 1 : 0);
    return split;
}

TindexVector SplitBalanced(int n, int& threads, const std::function<double(int row)>& cost) {
    threads = ClampThreadCount(threads, n);
    double total = 0;
    for (int row = 0; row < n; ++row) total += cost(row);
    return TakeWhileBelow(std::max(n, 0), threads, total / threads, cost);
}

bool RunRowRanges(const TindexVector& split, const RowRangeBody& body, const WaitHook& hook) {
    if (!WellFormed(split) || !body) return false;
    const int ranges = static_cast<int>(split.size()) - 1;
    if (ranges == 1) return RunBody(body, split[0], split[1] - 1);

    std::vector<int> work;
    for (int k = 0; k < ranges; ++k) {
        if (split[k + 1] > split[k]) work.push_back(k);
    }
    Completion completion(static_cast<int>(work.size()));
    std::vector<std::thread> threads;
    std::vector<int> notStarted;
    threads.reserve(work.size());
    for (const int k : work) {
        const int pocatek = split[k];
        const int konec = split[k + 1] - 1;
        try {
            threads.emplace_back([&body, &completion, pocatek, konec] {
                completion.Report(RunBody(body, pocatek, konec));
            });
        } catch (...) {
            notStarted.push_back(k);
        }
    }
    for (const int k : notStarted) completion.Report(RunBody(body, split[k], split[k + 1] - 1));
    const bool ok = completion.Wait(hook);
    for (std::thread& t : threads) t.join();
    return ok;
}

bool RunRowRangesHere(const TindexVector& split, const RowRangeBody& body) {
    if (!WellFormed(split) || !body) return false;
    const int ranges = static_cast<int>(split.size()) - 1;
    std::vector<int> work;
    for (int k = 0; k < ranges; ++k) {
        if (split[k + 1] > split[k]) work.push_back(k);
    }
    if (work.empty()) return RunBody(body, split[0], split[1] - 1);
    // Each worker writes only its own slot, and the slots are read after the
    // joins, so no lock is needed.
    std::vector<char> ok(work.size(), 0);
    std::vector<std::thread> threads;
    std::vector<std::size_t> notStarted;
    for (std::size_t w = 1; w < work.size(); ++w) {
        const int pocatek = split[work[w]];
        const int konec = split[work[w] + 1] - 1;
        try {
            threads.emplace_back(
                [&body, &ok, w, pocatek, konec] { ok[w] = RunBody(body, pocatek, konec); });
        } catch (...) {
            notStarted.push_back(w);
        }
    }
    ok[0] = RunBody(body, split[work[0]], split[work[0] + 1] - 1);
    for (const std::size_t w : notStarted) {
        ok[w] = RunBody(body, split[work[w]], split[work[w] + 1] - 1);
    }
    for (std::thread& t : threads) t.join();
    return std::all_of(ok.begin(), ok.end(), [](char c) { return c != 0; });
}

}  // namespace vertano
