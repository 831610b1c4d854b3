#pragma once
// Looks the pictures of a document up ahead of the walk, and starts the work of those that must
// be shrunk or re-encoded on the picture workers. A book's slow pictures (large photographs, plates near its end)
// are then under way while the walk is still writing the text before them, instead of holding
// up the book once the walk is over; and the walk finds each file already looked up. What the walk
// embeds does not change: it takes what the scout found where the scout got there first, and
// otherwise looks the picture up itself, as it would without a scout.

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

// What the scout found out about one src: its file, and (when it could read and plan it
// without an error) the file's start and the plan made from it.
struct ScoutedPicture {
    LocatedPicture located;
    std::optional<std::string> head;
    PicturePlan plan;
};

class PictureScout : public std::enable_shared_from_this<PictureScout> {
public:
    PictureScout(ConversionOptions options, std::filesystem::path baseFolder, PictureWorkers& workers);

    // Looks the srcs up, in book order, in a job of its own on the workers.
    void lookAhead(std::vector<std::string> srcs);

    // What the scout found for src, once: nothing when it has not got there, or found no file.
    std::optional<ScoutedPicture> take(const std::string& src);

    // The planned bytes of the picture file under `key`: from the work the scout started for it,
    // or from `work` started now when the scout has not got there.
    std::shared_future<std::string> planned(const PictureFileKey& key, std::function<std::string()> work);

    // The conversion is over: work not yet begun is dropped, the look-ahead is waited for, and
    // what the scout found is let go.
    void stop();

private:
    void scout(const std::vector<std::string>& srcs);

    const ConversionOptions m_options;
    const std::filesystem::path m_baseFolder;
    PictureWorkers& m_workers;
    std::mutex m_mutex;
    std::map<PictureFileKey, std::shared_future<std::string>> m_work;
    std::map<std::string, ScoutedPicture> m_found;
    // Shared with the work the scout starts, which may outlive it.
    std::shared_ptr<std::atomic<bool>> m_stopped = std::make_shared<std::atomic<bool>>(false);
    std::future<std::string> m_lookAhead;
};

}  // namespace vellumar
