#pragma once
// Picture ids in the book and the content types written for them.

#include <set>
#include <string>
#include <string_view>

namespace vellumar {

// The part of the path after its first "/" (the whole path when it has none):
// Book_files/Image001.JPG -> Image001.JPG, a/b/c.png -> b/c.png. Letter case is kept.
std::string pictureIdFromPath(std::string_view path);

// "jpeg" for an id ending in ".jpg" or ".jpeg", "png" for ".png", otherwise empty (such a
// picture is not embedded). The extension is compared exactly: pass a lower-cased id.
std::string pictureContentType(std::string_view id);

// The extension of the path's last segment with its dot ("" when it has none); "/" and "\"
// both separate segments: "a/b.JPG" -> ".JPG", "a.b/c" -> "".
std::string_view pathExtension(std::string_view path);

// The ids given out in one book, so that no two binary elements share one.
class PictureIdSet {
public:
    // `id` itself when it is free, else the first free of id~2, id~3, ... (the number goes
    // before the extension: x.jpg -> x~2.jpg). Ids of the form "table" + number + ".png" stay
    // free for the table pictures. Characters that would break the XML attribute become "_".
    std::string claim(std::string_view id);
    void clear() { m_used.clear(); }
    // Ids that are XML IDs (complete books): every character but ASCII letters, digits, ".",
    // "-" and "_" becomes "_", "_" goes before a first character that cannot start one, and
    // a taken id is followed by "_2", "_3", ... instead.
    void useXmlIds(bool on) { m_xmlIds = on; }

private:
    std::set<std::string, std::less<>> m_used;
    bool m_xmlIds = false;
};

}  // namespace vellumar
