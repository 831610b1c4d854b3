#include "images/picture_scout.h"

#include <sys/stat.h>

#include <utility>

#include "base/ascii_case.h"
#include "images/picture_error.h"
#include "images/picture_file.h"
#include "images/picture_ids.h"
#include "images/picture_workers.h"

namespace vellumar {

namespace fs = std::filesystem;

std::optional<LocatedPicture> LocatePicture(std::string_view src, const fs::path& baseFolder,
                                            FolderListings* listings)
{
    LocatedPicture located;
    located.file = FindPictureFile(src, baseFolder, listings);
    struct stat info {};
    if (located.file.empty() || ::stat(located.file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    located.key = PictureFileKey{static_cast<unsigned long long>(info.st_dev),
                                 static_cast<unsigned long long>(info.st_ino), AsciiLower(PathExtension(src))};
    located.size = static_cast<long long>(info.st_size);
    return located;
}

bool IsNetworkSource(std::string_view src)
{
    const std::size_t first = src.find_first_not_of(" \t\r\n\f");
    if (first == std::string_view::npos) return false;
    const std::string start = AsciiLower(src.substr(first, 8));
    return start.starts_with("http:") || start.starts_with("https:") || start.starts_with("ftp:") ||
           start.starts_with("//");
}

PictureScout::PictureScout(ConversionOptions options, fs::path baseFolder, PictureWorkers& workers)
    : m_options(std::move(options)), m_baseFolder(std::move(baseFolder)), m_workers(workers)
{
}

void PictureScout::lookAhead(std::vector<std::string> srcs)
{
    m_lookAhead = m_workers.run([self = shared_from_this(), srcs = std::move(srcs)] {
        self->scout(srcs);
        return std::string();
    });
}

std::shared_future<std::string> PictureScout::planned(const PictureFileKey& key, std::function<std::string()> work)
{
    const std::lock_guard lock(m_mutex);
    std::shared_future<std::string>& entry = m_work[key];
    if (entry.valid()) return std::exchange(entry, {});
    return m_workers.run(std::move(work)).share();
}

void PictureScout::start(const PictureFileKey& key, std::function<std::string()> work)
{
    const std::lock_guard lock(m_mutex);
    if (!m_work.contains(key)) m_work.emplace(key, m_workers.run(std::move(work)).share());
}

void PictureScout::stop()
{
    *m_stopped = true;
    if (m_lookAhead.valid()) m_lookAhead.wait();
    m_lookAhead = {};  // its job holds the scout
    const std::lock_guard lock(m_mutex);
    m_work.clear();
}

void PictureScout::scout(const std::vector<std::string>& srcs)
{
    FolderListings listings;
    for (const std::string& src : srcs) {
        if (*m_stopped) return;
        if (IsNetworkSource(src) || AsciiLower(src.substr(0, 5)) == "data:") continue;
        try {
            const std::optional<LocatedPicture> located = LocatePicture(src, m_baseFolder, &listings);
            if (!located) continue;
            {
                const std::lock_guard lock(m_mutex);
                if (m_work.contains(located->key)) continue;
            }
            const std::optional<std::string> head = ReadPictureFileStart(located->file, kPictureHeaderBytes);
            if (!head) continue;
            const PicturePlan plan = PlanPicture(*head, std::get<2>(located->key), src, m_options);
            if (plan.work == PictureWork::AsIs) continue;
            start(located->key,
                  [stopped = m_stopped, file = located->file, plan, options = m_options, name = src]() -> std::string {
                      if (*stopped) return {};
                      return CarryOutPlan(ReadPlannedPicture(file, name), plan, options, name);
                  });
        } catch (const PictureError&) {
            // The walk meets the picture and reports it in its place.
        }
    }
}

}  // namespace vellumar
