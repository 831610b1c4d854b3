#pragma once
// The values of the "Settings" page that a conversion reads, as one plain snapshot.

namespace vellumar {

enum class TableMode { AsIs, ContentOnly, ConvertToImage };
enum class TableBorder { AsSource, Visible };

struct ConversionOptions {
    bool resize = true;
    int maxWidth = 580;
    int maxHeight = 700;
    TableBorder tableBorder = TableBorder::Visible;
    TableMode tableMode = TableMode::AsIs;
    bool straightenText = true;
    // 0-based index of the heading list ("H1" is 0, "H6" is 5); -1 when nothing is selected.
    int titleLevel = 0;
    bool showTitleInfo = true;

    bool tablesToPictures() const { return tableMode == TableMode::ConvertToImage; }
    bool tablesContentOnly() const { return tableMode == TableMode::ContentOnly; }
};

}  // namespace vellumar
