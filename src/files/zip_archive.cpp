#include "files/zip_archive.h"

#include <libdeflate.h>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "base/ascii_case.h"

namespace vellumar {

namespace {

// libdeflate's level 6, its default: about what zlib's default gives, in a fraction of the time.
constexpr int kDeflateLevel = 6;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Source = std::unique_ptr<zip_source_t, SourceFreer>;
using EntryFile = std::unique_ptr<zip_file_t, FileCloser>;

[[noreturn]] void fail(std::string_view what, zip_error_t* error)
{
    std::string message(what);
    if (error) message.append(": ").append(zip_error_strerror(error));
    throw ZipError(message);
}

// A source reading `bytes` in place; it must outlive the source.
Source bufferSource(std::string_view bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (!source) fail("cannot read the zip archive", &error);
    return Source(source);
}

// The whole content of `source`, an archive just written into it.
std::string sourceBytes(zip_source_t* source)
{
    zip_stat_t stat;
    if (zip_source_stat(source, &stat) < 0 || !(stat.valid & ZIP_STAT_SIZE) || zip_source_open(source) < 0)
        fail("cannot make the zip archive", zip_source_error(source));
    std::string bytes(stat.size, '\0');
    const zip_int64_t read = zip_source_read(source, bytes.data(), bytes.size());
    zip_source_close(source);
    if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size)
        fail("cannot make the zip archive", zip_source_error(source));
    return bytes;
}

bool endsWithFb2(std::string_view name)
{
    return name.size() > 4 && equalsNoCase(name.substr(name.size() - 4), ".fb2");
}

// The index of the book's entry, or a ZipError saying why there is none.
zip_uint64_t bookEntry(zip_t* archive)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count <= 0) throw ZipError("the zip archive is empty");
    if (count == 1) return 0;
    zip_int64_t found = -1;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(archive, static_cast<zip_uint64_t>(i), 0);
        if (!name || !endsWithFb2(name)) continue;
        if (found >= 0) throw ZipError("the zip archive holds more than one .fb2 book");
        found = i;
    }
    if (found < 0) throw ZipError("the zip archive holds no .fb2 book");
    return static_cast<zip_uint64_t>(found);
}

// An entry's data deflated (raw deflate, as a zip holds it), with what libzip needs to know
// to copy it as it is: the sizes and the check sum of the text it stands for.
struct DeflatedEntry {
    std::string deflated;
    zip_uint64_t size = 0;
    zip_uint32_t crc = 0;
    time_t modified = 0;
    std::size_t readFrom = 0;
};

DeflatedEntry deflateEntry(std::span<const std::string_view> pieces)
{
    DeflatedEntry entry;
    std::string text;
    for (std::string_view piece : pieces) {
        entry.crc = libdeflate_crc32(entry.crc, piece.data(), piece.size());
        entry.size += piece.size();
    }
    text.reserve(entry.size);
    for (std::string_view piece : pieces) text.append(piece);
    std::unique_ptr<libdeflate_compressor, void (*)(libdeflate_compressor*)> compressor(
        libdeflate_alloc_compressor(kDeflateLevel), &libdeflate_free_compressor);
    if (!compressor) throw ZipError("cannot make the zip archive: out of memory");
    entry.deflated.resize(libdeflate_deflate_compress_bound(compressor.get(), text.size()));
    const std::size_t used = libdeflate_deflate_compress(compressor.get(), text.data(), text.size(),
                                                         entry.deflated.data(), entry.deflated.size());
    if (used == 0) throw ZipError("cannot make the zip archive: the book could not be deflated");
    entry.deflated.resize(used);
    entry.modified = std::time(nullptr);
    return entry;
}

// libzip's view of a DeflatedEntry: data already compressed with deflate.
zip_int64_t deflatedEntrySource(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto& entry = *static_cast<DeflatedEntry*>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        entry.readFrom = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const std::size_t count = std::min<std::size_t>(length, entry.deflated.size() - entry.readFrom);
        std::memcpy(data, entry.deflated.data() + entry.readFrom, count);
        entry.readFrom += count;
        return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        if (length < sizeof(zip_stat_t)) return -1;
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_MTIME |
                      ZIP_STAT_ENCRYPTION_METHOD;
        stat->size = entry.size;
        stat->comp_size = entry.deflated.size();
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->crc = entry.crc;
        stat->mtime = entry.modified;
        stat->encryption_method = ZIP_EM_NONE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR: {
        zip_error_t error;
        zip_error_init_with_code(&error, ZIP_ER_INTERNAL);
        return zip_error_to_data(&error, data, length);
    }
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        return -1;
    }
}

}  // namespace

std::string zipOneFile(std::string_view entryName, std::span<const std::string_view> pieces)
{
    zip_error_t error;
    zip_error_init(&error);
    // The archive is written into a buffer source, kept past the archive's close to be read.
    Source target(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!target) fail("cannot make the zip archive", &error);
    Archive archive(zip_open_from_source(target.get(), ZIP_TRUNCATE, &error));
    if (!archive) fail("cannot make the zip archive", &error);
    zip_source_keep(target.get());

    // The entry's data comes deflated already (libdeflate is several times as fast as the zlib
    // libzip would use); libzip writes it as it is.
    DeflatedEntry entry = deflateEntry(pieces);
    zip_source_t* content = zip_source_function_create(&deflatedEntrySource, &entry, &error);
    if (!content) fail("cannot make the zip archive", &error);
    const std::string name(entryName);
    if (zip_file_add(archive.get(), name.c_str(), content, ZIP_FL_ENC_GUESS) < 0) {
        zip_source_free(content);
        fail("cannot make the zip archive", zip_get_error(archive.get()));
    }
    if (zip_close(archive.get()) < 0) fail("cannot make the zip archive", zip_get_error(archive.get()));
    archive.release();  // zip_close freed it
    return sourceBytes(target.get());
}

bool looksLikeZip(std::string_view bytes) { return bytes.starts_with(std::string_view("PK\x03\x04", 4)); }

std::string unzipBook(std::string_view zipBytes, std::size_t limit)
{
    Source source = bufferSource(zipBytes);
    zip_error_t error;
    zip_error_init(&error);
    Archive archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
    if (!archive) fail("not a readable zip archive", &error);
    source.release();  // the archive owns it now

    const zip_uint64_t index = bookEntry(archive.get());
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), index, 0, &stat) < 0)
        fail("not a readable zip archive", zip_get_error(archive.get()));
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        throw ZipError("the book in the zip archive is encrypted");
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > limit)
        throw ZipError("the book in the zip archive is larger than " + std::to_string(limit) + " bytes");

    EntryFile file(zip_fopen_index(archive.get(), index, 0));
    if (!file) fail("cannot unpack the book in the zip archive", zip_get_error(archive.get()));
    // Read to the limit and one byte past it whatever the header says: a forged size cannot make
    // the book larger than the limit.
    const std::size_t claimed = (stat.valid & ZIP_STAT_SIZE) ? static_cast<std::size_t>(stat.size) : 65536;
    std::string book(std::min(claimed, limit) + 1, '\0');
    std::size_t used = 0;
    for (;;) {
        if (used == book.size()) {
            if (used > limit)
                throw ZipError("the book in the zip archive is larger than " + std::to_string(limit) + " bytes");
            book.resize(std::min(used * 2, limit + 1));
        }
        const zip_int64_t got = zip_fread(file.get(), book.data() + used, book.size() - used);
        if (got < 0) fail("cannot unpack the book in the zip archive", zip_file_get_error(file.get()));
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    book.resize(used);
    return book;
}

std::string zipEntryName(std::string_view zipName, std::string_view fallback)
{
    const std::size_t slash = zipName.find_last_of('/');
    std::string_view name = slash == std::string_view::npos ? zipName : zipName.substr(slash + 1);
    if (name.size() > 4 && equalsNoCase(name.substr(name.size() - 4), ".zip")) name.remove_suffix(4);
    return endsWithFb2(name) ? std::string(name) : std::string(fallback);
}

}  // namespace vellumar
