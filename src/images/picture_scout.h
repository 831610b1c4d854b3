#pragma once
// Looks ahead of the walk for the pictures that must be shrunk or re-encoded, and starts their
// work on the picture workers. A book's slow pictures (large photographs, plates near its end)
// are then under way while the walk is still writing the text before them, instead of holding
// up the book once the walk is over. What the walk embeds does not change: it plans every
// picture itself, and takes the work the scout started where there is one.

#include <atomic>
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
#include "images/picture_lookup.h"
#include "images/picture_plan.h"

namespace vellumar {

class PictureWorkers;

// A picture file as a src names it: the file, its identity and its size.
struct LocatedPicture {
    std::filesystem::path file;
    PictureFileKey key;
    long long size = 0;
};

// The regular file a src names (relative ones from baseFolder), or nothing.
std::optional<LocatedPicture> LocatePicture(std::string_view src, const std::filesystem::path& baseFolder,
                                            FolderListings* listings);

// Whether a src can only be a network address or a picture inside the document: nothing to
// look up on disk.
bool IsNetworkSource(std::string_view src);

class PictureScout : public std::enable_shared_from_this<PictureScout> {
public:
    PictureScout(ConversionOptions options, std::filesystem::path baseFolder, PictureWorkers& workers);

    // Looks the srcs up, in book order, in a job of its own on the workers.
    void lookAhead(std::vector<std::string> srcs);

    // The planned bytes of the picture file under `key`, for the walk: from the work the scout
    // started for it, or from `work` started now when the scout has not got there. The scout
    // keeps no hold on them, so they go as soon as the walk's binary element is made.
    std::shared_future<std::string> planned(const PictureFileKey& key, std::function<std::string()> work);

    // The conversion is over: work not yet begun is dropped, the look-ahead is waited for, and
    // the work it started is let go.
    void stop();

private:
    void scout(const std::vector<std::string>& srcs);
    // Starts `work` for the file under `key` unless its work was started (or taken) before.
    void start(const PictureFileKey& key, std::function<std::string()> work);

    const ConversionOptions m_options;
    const std::filesystem::path m_baseFolder;
    PictureWorkers& m_workers;
    std::mutex m_mutex;
    // Work started ahead of the walk; an empty future once the walk has taken it.
    std::map<PictureFileKey, std::shared_future<std::string>> m_work;
    // Shared with the work the scout starts, which may outlive it.
    std::shared_ptr<std::atomic<bool>> m_stopped = std::make_shared<std::atomic<bool>>(false);
    std::future<std::string> m_lookAhead;
};

}  // namespace vellumar
