#pragma once
// Names for the documents LibreOffice converts in one start, and what it writes for them:
// "NAME.html" and picture files "NAME_html_HASH.png" that the HTML refers to by name.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

// Chooses, for the copy of each document, a name without extension that is unique in the
// run: the stem of its HTML target when it is plain (ASCII letters, digits, '-', '_', '.', '~'),
// else "documentN". Plain names keep the pictures' <img src> free of escapes, which the
// picture embedding does not undo, and no name holds "_html_", so a picture file belongs
// to exactly one document.
class StemChooser {
public:
    std::string choose(const std::filesystem::path& htmlTarget);

private:
    std::set<std::string> m_used;
    int m_counter = 0;
};

// Where a document's linked (not embedded) pictures may come from: its own folder and below.
// LibreOffice read a private copy of the document, so a link relative to the document is
// taken back to the document's real folder.
struct LinkedPictures {
    std::filesystem::path documentFolder;  // absolute
    std::filesystem::path copyFolder;      // where the copy LibreOffice read lies
    std::filesystem::path outputFolder;    // where LibreOffice wrote the HTML

    // Points every <img src> of the HTML LibreOffice wrote (for the copy named `stem`) that
    // links a file in the document's folder tree at that file, relative to `htmlFolder`, and
    // takes out the pictures linked from anywhere else (another folder of the user's, the
    // system), returning a warning for each.
    std::vector<std::string> relink(std::string& html, const std::filesystem::path& htmlFolder,
                                    const std::string& stem) const;
};

// The files of LibreOffice's output folder.
class OutputFiles {
public:
    explicit OutputFiles(const std::filesystem::path& folder);

    // Whether LibreOffice wrote a non-empty "stem.html".
    bool hasHtml(const std::string& stem) const;
    // Copies "stem.html" to `htmlTarget` (replacing a file there) and its pictures into the
    // target's folder, pictures first, each file written whole. A picture never replaces a
    // file: one of the same bytes is used as it is, else it takes the name "NAME~2.png" (the
    // first free one) and the HTML's src follows. Throws FileError naming the file that could not be
    // written; the files this call had created are then removed again.
    // Pictures the document links are relinked or left out as `linked` says; the warnings for
    // those left out are returned.
    std::vector<std::string> deliver(const std::string& stem, const std::filesystem::path& htmlTarget,
                                     const LinkedPictures& linked) const;

private:
    struct PicturePlace {
        std::string name;
        bool mustWrite;
    };
    static PicturePlace placeForPicture(const std::filesystem::path& folder, const std::string& name,
                                        std::string_view bytes);

    std::filesystem::path m_folder;
    std::vector<std::string> m_names;
};

}  // namespace vellumar
