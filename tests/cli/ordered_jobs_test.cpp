#include "cli/ordered_jobs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

namespace vellumar::cli {
namespace {

// Jobs that take varied times, write to both streams in several pieces, fail now and then and
// record the order in which they reach their turn.
struct Trial {
    std::string streams;  // err and out written into one stream, to see their interleaving
    bool allSucceeded = false;
    std::vector<std::size_t> turnOrder;
};

Trial runTrial(std::size_t count, unsigned threads)
{
    Trial trial;
    std::mutex mutex;
    StringOutput both;
    trial.allSucceeded = runJobsInOrder(count, threads, both, both, [&](std::size_t i, TextOutput& err, TextOutput& out, JobTurns& turns) {
        std::mt19937 random(static_cast<unsigned>(i * 7919));
        err << "[" << i << "/" << count << "] job\n";
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        out << "output of " << i << ";";
        err << "warning: " << i << "\n";
        turns.waitForEarlier(i);
        {
            const std::lock_guard lock(mutex);
            trial.turnOrder.push_back(i);
        }
        if (i % 5 == 3) {
            err << "failed " << i << "\n";
            return false;
        }
        out << "end " << i << "\n";
        return true;
    });
    trial.streams = both.text();
    return trial;
}

TEST(OrderedJobs, ManyThreadsReadAsOneAfterAnother)
{
    const Trial inTurn = runTrial(23, 1);
    for (unsigned threads : {2u, 4u, 16u}) {
        SCOPED_TRACE(threads);
        const Trial parallel = runTrial(23, threads);
        EXPECT_EQ(parallel.streams, inTurn.streams);
        EXPECT_EQ(parallel.allSucceeded, inTurn.allSucceeded);
        EXPECT_EQ(parallel.turnOrder, inTurn.turnOrder);
    }
    EXPECT_FALSE(inTurn.allSucceeded);
    EXPECT_NE(inTurn.streams.find("[1/23] job\noutput of 1;warning: 1\nend 1\n[2/23]"), std::string::npos);
    EXPECT_TRUE(runTrial(3, 4).allSucceeded);
    EXPECT_TRUE(runTrial(0, 4).allSucceeded);
}

TEST(OrderedJobs, AJobThatThrowsCountsAsFailedAndTheRestGoOn)
{
    StringOutput err;
    StringOutput out;
    const bool all = runJobsInOrder(4, 3, err, out, [](std::size_t i, TextOutput& e, TextOutput&, JobTurns&) -> bool {
        e << i;
        if (i == 1) throw std::runtime_error("unexpected");
        return true;
    });
    EXPECT_FALSE(all);
    EXPECT_EQ(err.text(), "0123");
}

// A job waits only for the earlier jobs that matter to it: job 1 finishes while job 0 waits for
// it, and job 2 waits for job 0 alone.
TEST(OrderedJobs, AJobWaitsOnlyForTheEarlierOnesThatMatter)
{
    std::mutex mutex;
    std::condition_variable changed;
    bool secondDone = false;
    std::vector<std::size_t> finished;
    StringOutput err;
    StringOutput out;
    const bool all = runJobsInOrder(3, 3, err, out, [&](std::size_t i, TextOutput& e, TextOutput&, JobTurns& turns) {
        e << i;
        if (i == 0) {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return secondDone; });
        } else if (i == 1) {
            turns.waitForEarlierWhere(1, [](std::size_t) { return false; });
            const std::lock_guard lock(mutex);
            finished.push_back(i);
            secondDone = true;
            changed.notify_all();
            return true;
        } else {
            turns.waitForEarlierWhere(2, [](std::size_t earlier) { return earlier == 0; });
        }
        const std::lock_guard lock(mutex);
        finished.push_back(i);
        return true;
    });
    EXPECT_TRUE(all);
    EXPECT_EQ(err.text(), "012");
    ASSERT_EQ(finished.size(), 3u);
    EXPECT_EQ(finished.back(), 2u);
    EXPECT_EQ(finished.front(), 1u);
}

}  // namespace
}  // namespace vellumar::cli
