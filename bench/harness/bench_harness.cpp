#include "bench_harness.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zk::bench {

namespace {

double TimedRun(const std::function<void()>& fn, double minSeconds)
{
    using Clock = std::chrono::steady_clock;
    long calls = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        fn();
        ++calls;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < minSeconds);
    return elapsed / static_cast<double>(calls);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ZK_BENCH_VERBOSE=1 shows both sides' median times, for comparing builds.
void ShowSides(const std::vector<double>& ta, const std::vector<double>& tb)
{
    if (std::getenv("ZK_BENCH_VERBOSE"))
        std::fprintf(stderr, "  a %.3f ms, b %.3f ms per call (medians)\n", Median(ta) * 1e3,
                     Median(tb) * 1e3);
}

} // namespace

double SecondsPerCall(const std::function<void()>& fn, double minSeconds, int runs)
{
    fn(); // warm-up: caches, lazy initialisation
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(TimedRun(fn, minSeconds));
    return Median(times);
}

double Ratio(const std::function<void()>& a, const std::function<void()>& b, double minSeconds,
             int runs)
{
    a();
    b();
    std::vector<double> ta, tb;
    for (int i = 0; i < runs; ++i) {
        ta.push_back(TimedRun(a, minSeconds));
        tb.push_back(TimedRun(b, minSeconds));
    }
    ShowSides(ta, tb);
    return Median(ta) / Median(tb);
}

double PairedRatio(const std::function<void()>& a, const std::function<void()>& b, int n)
{
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](const std::function<void()>& fn) {
        const auto start = Clock::now();
        fn();
        return std::chrono::duration<double>(Clock::now() - start).count();
    };
    a();
    b();
    std::vector<double> ratios;
    std::vector<double> ta, tb;
    for (int i = 0; i < n; ++i) {
        double sa = 0, sb = 0;
        if (i % 2 == 0) {
            sa = seconds(a);
            sb = seconds(b);
        } else {
            sb = seconds(b);
            sa = seconds(a);
        }
        ratios.push_back(sa / sb);
        ta.push_back(sa);
        tb.push_back(sb);
    }
    ShowSides(ta, tb);
    return Median(ratios);
}

void Report(const std::string& name, double value, const std::string& goal)
{
    std::printf("BENCH %s %.3g %s\n", name.c_str(), value, goal.c_str());
    std::fflush(stdout);
}

} // namespace zk::bench
