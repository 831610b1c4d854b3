#pragma once
// What the conversion fuzz targets share: the real picture and table-picture code set up once
// per process, and the oracle that every book they make must pass.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

#include "convert/body_writer.h"

namespace vellumar::fuzz {

// Inputs up to this size are tried unless the run is given its own -max_len.
constexpr std::size_t kMaxInputBytes = 64 * 1024;

// For LLVMFuzzerInitialize: adds "-max_len=65536" to the arguments when none is given.
void addDefaultMaxLen(int* argc, char*** argv);

// A folder made once per process that holds a few small pictures sources may name: a.png,
// b.jpg, wide.png (wider than the size limit, so it is shrunk) and broken.jpg (no picture).
const std::filesystem::path& pictureFolder();

// Converts `source` with the body writer in each table mode, with the real picture embedder
// over pictureFolder() and the real table pictures drawn with one font loaded per process,
// and aborts when a book is not well-formed XML or its UTF-8 form reads otherwise. A
// conversion that ends with a reported failure (an undecodable picture, a bad span value)
// makes no book and is fine.
void convertInEveryTableMode(std::string_view source, bool straighten, int titleLevel);

// The same through the conversion pipeline, as the window and vellumar-convert convert the
// source page's text.
void convertSourceInEveryTableMode(std::string_view sourceText, bool straighten, int titleLevel);

// Converts `source` into a complete book in each table mode, with the same pictures and table
// pictures, and aborts when a book does not pass the FB2 schema.
void convertCompleteInEveryTableMode(std::string_view source, bool straighten, int titleLevel);

// Aborts, printing the XML parser's complaint and the book, unless `book` is well-formed XML.
void checkWellFormed(std::string_view book);

}  // namespace vellumar::fuzz
