#pragma once

#include <functional>
#include <string>

namespace zk::bench {

// Seconds one call of fn takes: the median of several timed runs, each of
// which repeats fn until it has taken at least minSeconds.
double SecondsPerCall(const std::function<void()>& fn, double minSeconds = 0.2, int runs = 5);

// Times a and b alternately in the same process so that both see the same
// machine state, and returns seconds(a) / seconds(b).
double Ratio(const std::function<void()>& a, const std::function<void()>& b,
             double minSeconds = 0.2, int runs = 5);

// For calls of several milliseconds: times a and b once each, n times, the
// order changing every pair, and returns the median of the pairs' ratios
// seconds(a) / seconds(b). A machine whose speed drifts over seconds (a busy
// host) moves both calls of a pair alike, where it would move blocks of calls
// apart.
double PairedRatio(const std::function<void()>& a, const std::function<void()>& b, int n);

// Prints one line "BENCH <name> <value> <goal>" and flushes it.
void Report(const std::string& name, double value, const std::string& goal);

} // namespace zk::bench
