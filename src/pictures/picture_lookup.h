#pragma once
// Finding the file a picture's src names, the way the page's author saw it work: the src is
// windows-1251 text inside the program while file names on disk are UTF-8 (or, for files
// made on this machine from windows-1251 names, those very bytes); pages made on Windows
// write "\" between folders and care nothing for letter case; URLs escape spaces as "%20";
// some pages name their pictures by "file:" URLs.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

// The paths a src may stand for, the most literal first, no two alike: the src as written,
// with "\" read as "/", without its "file:" scheme and host, with percent escapes decoded,
// and each of these with windows-1251 letters (and numeric character references) as UTF-8.
std::vector<std::string> pictureFileSpellings(std::string_view src);

// Folder listings read while matching without regard to case, kept for one conversion so that
// many missing pictures in one large folder read it once: folded name -> names in that folder.
using FolderListings = std::map<std::filesystem::path, std::multimap<std::string, std::string>>;

// A regular file on disk: its path, its identity (device and inode) and its size.
struct FoundPictureFile {
    std::filesystem::path path;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
};

// The regular file the src names, relative ones taken from baseFolder (the current folder
// when empty): the first spelling that names a file exactly, else the first that does when
// each part of the path is matched without regard to letter case (Latin, accented Latin and
// Cyrillic letters). An empty path when there is none.
std::filesystem::path findPictureFile(std::string_view src, const std::filesystem::path& baseFolder,
                                      FolderListings* listings = nullptr);
// The same, with the file's identity and size, from the one look at the file that found it.
std::optional<FoundPictureFile> lookUpPictureFile(std::string_view src, const std::filesystem::path& baseFolder,
                                                  FolderListings* listings = nullptr);

// The name with its letters lower-cased, for comparing file names without regard to case:
// read as UTF-8 where it is valid, byte by byte (ASCII letters only) where it is not.
std::string foldFileNameCase(std::string_view name);

}  // namespace vellumar
