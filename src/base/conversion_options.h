#pragma once
// The values of the "Settings" page that a conversion reads, as one plain snapshot.

namespace vellumar {

enum class TableMode { AsIs, ContentOnly, ConvertToImage };
enum class TableBorder { AsSource, Visible };

struct ConversionOptions {
    bool Resize = true;
    int MaxWidth = 580;
    int MaxHeight = 700;
    TableBorder tableBorder = TableBorder::Visible;
    TableMode tableMode = TableMode::AsIs;
    bool StraightenText = true;
    // 0-based index of the heading list ("H1" is 0, "H6" is 5); -1 when nothing is selected.
    int TitleLevel = 0;
    bool ShowTitleInfo = true;

    bool TablesToPictures() const { return tableMode == TableMode::ConvertToImage; }
    bool TablesContentOnly() const { return tableMode == TableMode::ContentOnly; }
};

}  // namespace vellumar
