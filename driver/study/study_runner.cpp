#include "study_runner.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <map>
#include <mutex>
#include <ostream>
#include <string>
#include <system_error>
#include <thread>

#include "base/failure.h"
#include "data/cell_failure.h"
#include "driver/session.h"
#include "study_figures.h"
#include "study_table.h"

namespace tgsim {
namespace {

using Clock = std::chrono::steady_clock;

struct FinishedPoint {
    std::string row;
    std::optional<double> figure;
    bool failed = false;
};

// The steps on a session of the point's own, then its figures.
FinishedPoint runPoint(const std::vector<Step>& steps, const StudyOptions& study, std::uint64_t point,
                       std::optional<std::size_t> pictureFigure) {
    PointRow row;
    row.point = point;
    std::uint8_t pssOrder = 0;  // of the point's session, for naming a failing cell
    try {
        Session session;
        const std::vector<std::uint64_t> indices = study.indices(point);
        for (const Step& step : steps) {
            pssOrder = session.record().pssOrder;
            if (step.sweep < 0) {
                runStep(session, step, nullptr);
                continue;
            }
            const auto sweep = static_cast<std::size_t>(step.sweep);
            Step edit = step;
            edit.text = study.sweeps[sweep].text(indices[sweep]);
            runStep(session, edit, nullptr);
        }
        pssOrder = session.record().pssOrder;
        row.figures = figuresOfPoint(session, study.modes, row.message);
    } catch (const std::exception& failure) {
        row.failed = true;
        row.message = reportedMessage(failure, pssOrder);
        row.figures = {};
    }
    FinishedPoint finished{tableRow(study, row), std::nullopt, row.failed};
    if (pictureFigure) finished.figure = row.figures[*pictureFigure];
    return finished;
}

// What the threads share: the next point to take and the finished rows not yet written.
struct PointQueue {
    std::atomic<std::uint64_t> next{0};  // index among the shard's points
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable finishedOne;
    std::map<std::uint64_t, FinishedPoint> finished;  // by index among the shard's points
    std::exception_ptr fault;                         // a thread that could not go on
};

void work(const std::vector<Step>& steps, const StudyOptions& study, std::uint64_t count,
          std::optional<std::size_t> pictureFigure, PointQueue& queue) {
    try {
        for (std::uint64_t j; !queue.stop && (j = queue.next++) < count;) {
            FinishedPoint point = runPoint(steps, study, study.shard.index + j * study.shard.count, pictureFigure);
            const std::lock_guard<std::mutex> lock(queue.mutex);
            queue.finished.emplace(j, std::move(point));
            queue.finishedOne.notify_one();
        }
    } catch (...) {
        const std::lock_guard<std::mutex> lock(queue.mutex);
        if (!queue.fault) queue.fault = std::current_exception();
        queue.stop = true;
        queue.finishedOne.notify_one();
    }
}

// Sets the stop flag when the writer leaves, before the threads are joined.
struct StopOnExit {
    PointQueue& queue;
    ~StopOnExit() { queue.stop = true; }
};

std::string clockText(Clock::duration duration) {
    const long long seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

// "study: 120/1000 points, 00:00:03 elapsed, about 00:00:20 left", rewritten in place.
class StudyProgress {
public:
    explicit StudyProgress(std::ostream* out) : out_(out) {}
    ~StudyProgress() {
        if (shown_) *out_ << '\n' << std::flush;
    }
    void show(std::uint64_t done, std::uint64_t total) {
        if (!out_) return;
        const Clock::time_point now = Clock::now();
        if (done < total && now - lastShown_ < std::chrono::milliseconds(250)) return;
        lastShown_ = now;
        shown_ = true;
        const Clock::duration elapsed = now - start_;
        *out_ << "\rstudy: " << done << '/' << total << " points, " << clockText(elapsed) << " elapsed";
        if (done > 0 && done < total) {
            const double share = static_cast<double>(total - done) / static_cast<double>(done);
            *out_ << ", about " << clockText(std::chrono::duration_cast<Clock::duration>(elapsed * share)) << " left";
        }
        *out_ << "   " << std::flush;
    }

private:
    std::ostream* out_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastShown_{};
    bool shown_ = false;
};

// Starts up to `wanted` threads. A system that refuses more (a limit on threads or on address
// space, as batch schedulers set) leaves the study to the threads that did start, with a note;
// none at all is a Failure.
template <class Start>
void startThreads(std::uint64_t wanted, std::vector<std::jthread>& threads, std::ostream* notes, Start start) {
    for (std::uint64_t t = 0; t < wanted; ++t) {
        try {
            threads.push_back(start());
        } catch (const std::system_error& error) {
            if (threads.empty()) throw Failure(std::string("Cannot start a thread for the study: ") + error.what());
            if (notes)
                *notes << "tgsim-cli: " << threads.size() << " of " << wanted
                       << " threads could be started; the study runs on those (" << error.what() << ")\n";
            return;
        }
    }
}

}  // namespace

unsigned coreCount() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return static_cast<unsigned>(CPU_COUNT(&set));
    return std::max(1u, std::thread::hardware_concurrency());
}

StudySummary writeStudyTable(const std::vector<Step>& steps, const StudyOptions& study, std::ostream& table,
                             const StudyRunOptions& options) {
    const std::uint64_t total = study.pointCount();
    StudySummary summary;
    summary.points = total > study.shard.index ? (total - study.shard.index - 1) / study.shard.count + 1 : 0;
    std::optional<std::size_t> pictureFigure;
    if (options.picture) pictureFigure = figureIndex(study.figureName());

    table << tableHeader(study);
    StudyProgress progress(options.progress);
    PointQueue queue;
    const unsigned jobs = options.jobs ? options.jobs : study.jobs ? study.jobs : coreCount();
    std::vector<std::jthread> threads;
    const StopOnExit stopOnExit{queue};
    startThreads(std::min<std::uint64_t>(jobs, summary.points), threads, options.notes, [&] {
        return std::jthread(work, std::cref(steps), std::cref(study), summary.points, pictureFigure, std::ref(queue));
    });

    for (std::uint64_t written = 0; written < summary.points;) {
        std::vector<FinishedPoint> ready;
        {
            std::unique_lock<std::mutex> lock(queue.mutex);
            queue.finishedOne.wait_for(lock, std::chrono::milliseconds(250),
                                       [&] { return queue.fault || queue.finished.count(written); });
            if (queue.fault) std::rethrow_exception(queue.fault);
            for (auto it = queue.finished.begin(); it != queue.finished.end() && it->first == written + ready.size();)
                ready.push_back(std::move(it->second)), it = queue.finished.erase(it);
        }
        for (FinishedPoint& point : ready) {
            table << point.row;
            if (point.failed) ++summary.failed;
            if (options.picture) options.picture->add(study.shard.index + written * study.shard.count, point.figure);
            ++written;
        }
        progress.show(written, summary.points);
    }
    return summary;
}

}  // namespace tgsim
