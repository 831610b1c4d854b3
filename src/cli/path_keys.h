#pragma once
// Names that tell whether two paths of a run lead to the same file: the file's own folder
// with every link in it followed, then its name. The folders of a batch are few, so each is
// resolved once; a path costs one lstat after that (a name that is itself a link is followed
// whole).

#include <map>
#include <mutex>
#include <string>

namespace vellumar::cli {

class PathKeys {
public:
    // The key of `path` (relative to the current folder); the file need not exist. A path
    // asked for again gets the key it got the first time.
    std::string keyOf(const std::string& path);

private:
    std::string newKey(const std::string& named);

    std::mutex m_mutex;
    std::string m_currentFolder;
    std::map<std::string, std::string, std::less<>> m_folders;  // folder as named -> resolved
    std::map<std::string, std::string, std::less<>> m_known;    // path as asked for -> key
};

}  // namespace vellumar::cli
