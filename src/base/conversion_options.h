#pragma once
// The values of the "Settings" page that a conversion reads, as one plain snapshot.

#include <string>

namespace vellumar {

enum class TableMode { AsIs, ContentOnly, ConvertToImage };
enum class TableBorder { AsSource, Visible };
// The encoding a book is written in: windows-1251 with references for what it lacks, or UTF-8
// with every character as itself.
enum class OutputEncoding { Windows1251, Utf8 };

// The title level chosen from the book's own headings at conversion time.
inline constexpr int kTitleLevelAuto = -2;

struct ConversionOptions {
    bool resize = true;
    int maxWidth = 580;
    int maxHeight = 700;
    TableBorder tableBorder = TableBorder::Visible;
    TableMode tableMode = TableMode::AsIs;
    bool straightenText = true;
    // 0-based index of the heading list ("H1" is 0, "H6" is 5); -1 when nothing is selected;
    // kTitleLevelAuto to let the book's headings decide.
    int titleLevel = 0;
    bool showTitleInfo = true;
    OutputEncoding outputEncoding = OutputEncoding::Windows1251;
    // The book is saved as NAME.fb2.zip, its one entry NAME.fb2.
    bool zipBook = false;
    // "Complete book": notes, nested sections, links, cover and metadata, a schema-valid book.
    bool complete = false;
    std::string genre = {};      // complete books only; empty means the default genre
    std::string coverFile = {};  // complete books only; a picture file for the cover, or empty

    bool tablesToPictures() const { return tableMode == TableMode::ConvertToImage; }
    bool tablesContentOnly() const { return tableMode == TableMode::ContentOnly; }
};

}  // namespace vellumar
