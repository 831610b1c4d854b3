#pragma once
// How the body writer hands pictures and collected tables to the picture code.

#include <string>
#include <string_view>

#include "base/text_pieces.h"

namespace vellumar {

class PictureSink {
public:
    virtual ~PictureSink() = default;
    // A new conversion starts: forget every picture of the previous one.
    virtual void beginConversion() {}
    // One `src` value of an "img" tag: appends the image reference (if any) to body and the
    // binary element (if any) to binaries. Throws when a picture exists but cannot be decoded.
    virtual void embedPicture(std::string_view src, std::string& body, std::string& binaries) = 0;
    // The walk is over: finish the binary elements still being made. Gives the book's binaries
    // in order, as pieces: the text the walk appended to (unchanged since), cut where each
    // element goes, and the elements themselves, which are not copied again. Throws the first
    // failure in book order.
    virtual TextPieces completeBinaries(std::string binaries)
    {
        TextPieces pieces;
        pieces.push_back(std::move(binaries));
        return pieces;
    }
    // The conversion ended (also after a failure): remove whatever temporary files it made.
    virtual void endConversion() {}
};

// Ends the picture code's work for a conversion on every way out, also when it throws.
class PictureConversionScope {
public:
    explicit PictureConversionScope(PictureSink& pictures) : m_pictures(pictures) { m_pictures.beginConversion(); }
    ~PictureConversionScope() { m_pictures.endConversion(); }
    PictureConversionScope(const PictureConversionScope&) = delete;
    PictureConversionScope& operator=(const PictureConversionScope&) = delete;

private:
    PictureSink& m_pictures;
};

// What became of a table handed over as a picture.
enum class TableOutcome {
    Picture,  // its reference stands in the body (with a binary element when a picture was made)
    Text,     // it cannot be drawn (too large): the body gets its text, as in "Content only"
};

class TablePictureSink {
public:
    virtual ~TablePictureSink() = default;
    // One collected table (its HTML, from "<html>" to "</html>") as picture number `number`:
    // appends its binary element (if a picture was made) to binaries. A table too large to
    // draw adds nothing, is reported to the user, and comes back as TableOutcome::Text.
    virtual TableOutcome embedTablePicture(int number, std::string_view tableHtml, std::string& binaries) = 0;
};

// Embeds nothing: pictures and table pictures leave no trace in the book.
class NoPictures : public PictureSink, public TablePictureSink {
public:
    void embedPicture(std::string_view, std::string&, std::string&) override {}
    TableOutcome embedTablePicture(int, std::string_view, std::string&) override { return TableOutcome::Picture; }
};

}  // namespace vellumar
