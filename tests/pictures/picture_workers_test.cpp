#include "pictures/picture_workers.h"

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <vector>

namespace vellumar {
namespace {

// With both workers held, jobs queue up; one worker let go then takes them one at a time.
TEST(PictureWorkers, HeavierJobsStartFirstAndTheRestInTurn)
{
    PictureWorkers workers(2);
    std::promise<void> releaseFirst, releaseSecond;
    std::shared_future<void> first = releaseFirst.get_future().share();
    std::shared_future<void> second = releaseSecond.get_future().share();
    std::promise<void> bothHeld[2];
    auto hold = [&](int i, std::shared_future<void> until) {
        return workers.run([&bothHeld, i, until] {
            bothHeld[i].set_value();
            until.wait();
            return std::string();
        });
    };
    std::future<std::string> heldFirst = hold(0, first);
    std::future<std::string> heldSecond = hold(1, second);
    bothHeld[0].get_future().wait();
    bothHeld[1].get_future().wait();

    std::mutex mutex;
    std::vector<std::string> order;
    std::vector<std::future<std::string>> done;
    struct Job {
        const char* name;
        std::size_t weight;
    };
    for (const Job job : {Job{"light 1", 0}, Job{"small picture", 5}, Job{"light 2", 0}, Job{"large picture", 9},
                          Job{"another small picture", 5}, Job{"light 3", 0}})
        done.push_back(workers.run(
            [&mutex, &order, name = job.name] {
                const std::lock_guard lock(mutex);
                order.emplace_back(name);
                return std::string();
            },
            job.weight));
    releaseFirst.set_value();
    for (std::future<std::string>& job : done) job.wait();
    releaseSecond.set_value();
    heldFirst.wait();
    heldSecond.wait();
    EXPECT_EQ(order, (std::vector<std::string>{"large picture", "small picture", "another small picture", "light 1",
                                               "light 2", "light 3"}));
}

}  // namespace
}  // namespace vellumar
