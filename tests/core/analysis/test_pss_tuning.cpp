// The proposed stabilizer setting against the swing it is meant to damp: the modal analysis and
// the ringdown of a simulated torque pulse, without stabilizer, with the set loaded ("PSS 2A -
// D.O." or the single-input set) and with the proposal.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/analysis/pss_tuning.h"
#include "core/model/derived_constants.h"
#include "core/analysis/modal_analysis.h"
#include "core/analysis/ringdown.h"
#include "operating_points.h"

namespace tgsim {
namespace {

using testing::RunInputs;

// The record with the setting's values in the stabilizer's fields, derived as the grid is read.
RecordWithSetting readerFor(const TParametry& record) {
    return [record](const PssSetting& s) {
        TParametry r = record;
        r.kw = s.kw;
        if (r.pssOrder == kPss2aOrder) {
            r.T1 = s.stages[0].lead, r.T2 = s.stages[0].lag, r.T3 = s.stages[1].lead, r.T4 = s.stages[1].lag;
            computePss2aCoefficients(r);
        } else {
            r.T2 = s.stages[0].lag, r.T4 = s.stages[1].lag;
            computeSingleInputCoefficients(r, 2.0);  // the built-in set's T0
        }
        return r;
    };
}

// The damping ratio of the speed's swing after a 3 % torque pulse of 0,1 s.
double ringdownDamping(const TParametry& record, const State& initial) {
    const testing::Trace speed = testing::speedAfterTorquePulse({record, initial}, 0.03, 0.1, 8.0);
    const RingdownResult swing = ringdown(speed.t, speed.y, 0.5, 8.0);
    EXPECT_TRUE(swing.oscillation);
    return swing.dampingRatio;
}

TEST(PssTuning, ProposalDampsTheSwingBetterThanNoneAndTheSetLoaded) {
    for (int stabilizer : {1, testing::kSingleInputOn}) {
        for (int set : {1, 4, 6}) {
            const std::string what = "set " + std::to_string(set) + (stabilizer == 1 ? ", PSS2A" : ", single-input");
            const RunInputs in = testing::networkPoint(set, 0.5, 0.3, stabilizer);
            const PssProposal p = proposePssSetting(in.record, in.initialState, readerFor(in.record));
            EXPECT_GE(p.withProposed.dampingRatio, 0.2) << what;
            EXPECT_GT(p.withProposed.dampingRatio, p.withoutStabilizer.dampingRatio) << what;
            EXPECT_GT(p.withProposed.dampingRatio, p.withBefore.dampingRatio) << what;
            EXPECT_LE(p.largestRealPart, 0.0) << what;
            EXPECT_TRUE(p.instabilityFound) << what;
            EXPECT_NEAR(std::fabs(p.proposed.kw) * 3.0 / p.instabilityGain, 1.0, 0.05) << what;

            TParametry off = in.record;
            off.pssOn = "NIE";
            const double after = ringdownDamping(readerFor(in.record)(p.proposed), in.initialState);
            EXPECT_GT(after, ringdownDamping(off, in.initialState)) << what;
            EXPECT_GT(after, ringdownDamping(in.record, in.initialState)) << what;
            RecordProperty(what, "swing damping ratio " + std::to_string(p.withoutStabilizer.dampingRatio) +
                                     " without, " + std::to_string(p.withBefore.dampingRatio) + " with the set, " +
                                     std::to_string(p.withProposed.dampingRatio) + " proposed; ringdown " +
                                     std::to_string(after));
        }
    }
}

}  // namespace
}  // namespace tgsim
