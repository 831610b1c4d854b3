#pragma once
// Looks ahead of the walk at a book's pictures. On the picture workers it finds their files,
// reads their headers and plans them, so that the walk's thread, which writes the whole text,
// spends no time on the files; and it starts the work of the pictures that must be shrunk or
// re-encoded, so that a book's slow pictures (large photographs, plates near its end) are
// under way while the walk is still writing the text before them. What the walk embeds does
// not change: what it takes from the scout is what it would have found itself.

#include <atomic>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/conversion_options.h"
#include "pictures/picture_plan.h"
#include "pictures/picture_preparation.h"

namespace vellumar {

class PictureWorkers;

class PictureScout : public std::enable_shared_from_this<PictureScout> {
public:
    PictureScout(ConversionOptions options, std::filesystem::path baseFolder, PictureWorkers& workers);

    // Prepares the srcs' pictures (PreparePicture), in book order, in a job of its own on the
    // workers, and starts the work of those that must be shrunk or re-encoded. Srcs the scout
    // was given before are passed by, so it can be told of a source's pictures while it is
    // cleaned and again by the walk. Called by the walk's thread only.
    void lookAhead(std::vector<std::string> srcs);

    // The prepared picture of a src given to lookAhead. When the job has not got to it yet,
    // the walk claims it and has nothing: it prepares the picture itself rather than wait,
    // and the job passes it by. Nothing as well for a src the job was not given or that was
    // taken before. Called by the walk's thread only.
    std::optional<PreparedPicture> take(std::string_view src);

    // The planned bytes of the picture file under `key`, for the walk: from the work the scout
    // started for it, or from `work` started now when the scout has not got there. The scout
    // keeps no hold on them, so they go as soon as the walk's binary element is made.
    std::shared_future<std::string> planned(const PictureFileKey& key, std::function<std::string()> work,
                                            std::size_t weight);

    // The conversion is over: work not yet begun is dropped, the look-ahead is waited for, and
    // the work it started is let go.
    void stop();

private:
    // Who prepares a src: nobody yet, the look-ahead job, or the walk.
    enum class Claim : unsigned char { Open, Scout, Walk };
    struct Preparation {
        std::string src;
        std::promise<PreparedPicture> result;
        std::atomic<Claim> claim = Claim::Open;
    };
    struct Expected {
        Preparation* preparation;  // owned by the look-ahead's job
        std::future<PreparedPicture> result;
    };

    void scout(std::deque<Preparation>& preparations);
    // Keeps the head of a prepared picture for the walk, or lets it go.
    void hold(PreparedPicture& prepared);
    // Starts `work` for the file under `key` unless its work was started (or taken) before.
    void start(const PictureFileKey& key, std::function<std::string()> work, std::size_t weight);

    const ConversionOptions m_options;
    const std::filesystem::path m_baseFolder;
    PictureWorkers& m_workers;
    std::mutex m_mutex;
    // Work started ahead of the walk; an empty future once the walk has taken it.
    std::map<PictureFileKey, std::shared_future<std::string>> m_work;
    // Shared with the work the scout starts, which may outlive it.
    std::shared_ptr<std::atomic<bool>> m_stopped = std::make_shared<std::atomic<bool>>(false);
    // The look-ahead jobs, waited for when the conversion is over.
    std::vector<std::future<std::string>> m_lookAheads;
    // The bytes of the heads held for the walk; past a limit, heads are let go.
    std::atomic<std::size_t> m_heldBytes = 0;
    // The walk's side of the preparations, by src; the walk's thread alone uses it.
    std::map<std::string, Expected, std::less<>> m_prepared;
    // Kept for the walk's pointers, which may outlive the jobs.
    std::vector<std::shared_ptr<std::deque<Preparation>>> m_preparations;
};

}  // namespace vellumar
