#pragma once
// Ringdown figures of a sampled signal: the dominant oscillation in a time window, fitted by the
// matrix-pencil method as a sum of damped exponentials.
//
// The window's samples are averaged in blocks of at least kShortestBlock seconds, and of as
// many samples as keep the blocks to at most kMostBlocks. A block mean of a damped exponential is
// the same exponential (its amplitude scaled by a known factor), so averaging changes neither
// frequency nor damping; it cuts what lies above the blocks' Nyquist frequency: 25 Hz for
// windows up to 60 s, kMostBlocks / (2 * window length) beyond (5 Hz for a 300 s window). Blocks
// of 20 ms also cancel a ripple of 50 Hz and its harmonics. The samples must be evenly spaced in
// time, as a run's rows are.
#include <span>
#include <string>

#include "core/model/parameter_record.h"

namespace tgsim {

inline constexpr double kShortestBlock = 0.02;  // s
inline constexpr int kMostBlocks = 3000;

struct RingdownResult {
    // false: the window holds no oscillation, and the four figures below are 0. An oscillation
    // is a pair of complex modes of at least one cycle per window, with a damping ratio below
    // 0.9999, that carries at least 1 % of the window's variance about its mean.
    bool oscillation = false;
    double frequencyHz = 0;
    double dampingRatio = 0;
    double amplitude = 0;     // of the oscillation at the window's first sample, in the signal's unit
    double fitQuality = 0;    // share of the window's variance about its mean that the fit explains
    double from = 0, to = 0;  // the times of the window's first and last sample
};

// The dominant oscillation (the one with the most energy in the window) of y(t) over the
// samples with from <= t <= to. t ascending and evenly spaced; t and y of the same length.
// Refuses with a Failure: lengths that differ, from >= to, fewer than 20 samples in the
// window or fewer than 20 blocks (a window shorter than 20 * kShortestBlock when the steps are
// finer), times that do not advance or are not evenly spaced, values not finite.
RingdownResult ringdown(std::span<const double> t, std::span<const double> y, double from, double to);

// The refusal of a window from..to that holds `count` samples, fewer than a fit needs.
std::string tooFewSamplesMessage(double from, double to, std::size_t count);

struct RingdownWindow {
    double from = 0, to = 0;
};

// The window a run's ringdown is read in by default: from the last event of the record's
// scenario that falls within the run (scenarioEventTimes) to the run's end; from the run's
// start when no event falls within it.
RingdownWindow defaultRingdownWindow(const TParametry& record, double runStart, double runEnd);

}  // namespace tgsim
