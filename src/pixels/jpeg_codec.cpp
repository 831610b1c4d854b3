#include "pixels/jpeg_codec.h"

#include "pixels/picture_error.h"
#include "pixels/picture_file.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace vellumar {

namespace {

// A progressive JPEG can repeat scans without end; real pictures use a dozen or so.
constexpr int kMaxScans = 1000;
// libjpeg-turbo has no backing store: asking for more memory than this is an error.
constexpr long kMaxJpegMemory = 1L << 30;

// The error manager jumps back to the setjmp of the function that drives libjpeg, which then
// cleans up and reports; libjpeg's default handler would exit the process.
struct JpegErrorManager {
    jpeg_error_mgr pub{};
    std::jmp_buf jump{};
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void onJpegError(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    if (manager->message[0] == '\0') (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings are silent, except those that mean the picture is cut short or its data is
// damaged: those are errors, so a broken picture is reported instead of embedded half grey.
void onJpegMessage(j_common_ptr cinfo, int level)
{
    if (level != -1) return;
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC: onJpegError(cinfo);
    default: break;
    }
}

void installErrorManager(JpegErrorManager& manager)
{
    jpeg_std_error(&manager.pub);
    manager.pub.error_exit = onJpegError;
    manager.pub.emit_message = onJpegMessage;
}

void onProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) {
        auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
        std::snprintf(manager->message, sizeof manager->message, "more than %d scans", kMaxScans);
        std::longjmp(manager->jump, 1);
    }
}

// Everything that must outlive a longjmp lives here, outside the frame that calls setjmp.
struct JpegDecodeJob {
    std::string_view data;
    int reduction = 1;
    bool headerOnly = false;
    PictureSize size;
    RgbImage* out = nullptr;
    std::vector<JSAMPLE> cmykRow;
    bool tooLarge = false;
    bool outOfMemory = false;
    jpeg_decompress_struct cinfo{};
    JpegErrorManager errors;
    jpeg_progress_mgr progress{};
};

void cmykToRgb(const JSAMPLE* cmyk, std::uint8_t* rgb, int width, bool inverted)
{
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const int ink = inverted ? cmyk[c] : 255 - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
        }
    }
}

// Only plain data and job-owned objects are touched across the setjmp.
bool runDecode(JpegDecodeJob& job)
{
    jpeg_decompress_struct& cinfo = job.cinfo;
    installErrorManager(job.errors);
    cinfo.err = &job.errors.pub;
    if (setjmp(job.errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxJpegMemory;
    job.progress.progress_monitor = onProgress;
    cinfo.progress = &job.progress;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(job.data.data()), static_cast<unsigned long>(job.data.size()));
    jpeg_read_header(&cinfo, TRUE);
    job.size = {static_cast<int>(std::min<JDIMENSION>(cinfo.image_width, 0x7FFFFFFF)),
                static_cast<int>(std::min<JDIMENSION>(cinfo.image_height, 0x7FFFFFFF))};
    if (cinfo.image_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
        cinfo.image_height > static_cast<JDIMENSION>(kMaxPictureSide) ||
        static_cast<long long>(cinfo.image_width) * cinfo.image_height > kMaxPicturePixels) {
        job.tooLarge = true;
    }
    if (job.headerOnly || job.tooLarge) {
        jpeg_destroy_decompress(&cinfo);
        return true;
    }

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned int>(job.reduction);
    jpeg_calc_output_dimensions(&cinfo);
    try {
        *job.out = RgbImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
        if (cmyk) job.cmykRow.resize(static_cast<std::size_t>(cinfo.output_width) * 4);
    } catch (const std::bad_alloc&) {
        job.outOfMemory = true;
    }
    if (job.outOfMemory) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW row = cmyk ? job.cmykRow.data() : job.out->row(y);
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk) cmykToRgb(job.cmykRow.data(), job.out->row(y), job.out->width, cinfo.saw_Adobe_marker);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

std::string decodeFailure(const JpegDecodeJob& job)
{
    if (job.outOfMemory) return "out of memory";
    return job.errors.message[0] != '\0' ? job.errors.message : "not a JPEG file";
}

// Compressed output grows in a std::string; the setjmp frame never holds the string itself.
struct StringDestination {
    jpeg_destination_mgr pub{};
    std::string* out = nullptr;
    bool outOfMemory = false;
};

void onInitDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    try {
        dest->out->resize(std::max<std::size_t>(dest->out->capacity(), 65536));
    } catch (const std::bad_alloc&) {
        dest->outOfMemory = true;
    }
    if (dest->outOfMemory) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = reinterpret_cast<JOCTET*>(dest->out->data());
    dest->pub.free_in_buffer = dest->out->size();
}

boolean onEmptyOutput(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    const std::size_t used = dest->out->size();
    try {
        dest->out->resize(used * 2);
    } catch (const std::bad_alloc&) {
        dest->outOfMemory = true;
    }
    if (dest->outOfMemory) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->pub.next_output_byte = reinterpret_cast<JOCTET*>(dest->out->data() + used);
    dest->pub.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

void onTermDestination(j_compress_ptr cinfo)
{
    auto* dest = reinterpret_cast<StringDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->pub.free_in_buffer);
}

struct JpegEncodeJob {
    const RgbImage* image = nullptr;
    int quality = 90;
    jpeg_compress_struct cinfo{};
    JpegErrorManager errors;
    StringDestination destination;
};

bool runEncode(JpegEncodeJob& job)
{
    jpeg_compress_struct& cinfo = job.cinfo;
    installErrorManager(job.errors);
    cinfo.err = &job.errors.pub;
    if (setjmp(job.errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    job.destination.pub.init_destination = onInitDestination;
    job.destination.pub.empty_output_buffer = onEmptyOutput;
    job.destination.pub.term_destination = onTermDestination;
    cinfo.dest = &job.destination.pub;
    cinfo.image_width = static_cast<JDIMENSION>(job.image->width);
    cinfo.image_height = static_cast<JDIMENSION>(job.image->height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(job.image->row(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

PictureSize readJpegSize(std::string_view data, std::string_view name)
{
    JpegDecodeJob job;
    job.data = data;
    job.headerOnly = true;
    if (data.size() < 3 || static_cast<unsigned char>(data[0]) != 0xFF || static_cast<unsigned char>(data[1]) != 0xD8)
        throw pictureDecodeError(name, "not a JPEG file");
    if (!runDecode(job)) throw pictureDecodeError(name, decodeFailure(job));
    checkPictureSize(job.size.width, job.size.height, name);
    return job.size;
}

RgbImage decodeJpeg(std::string_view data, std::string_view name, int reduction)
{
    if (data.size() < 3 || static_cast<unsigned char>(data[0]) != 0xFF || static_cast<unsigned char>(data[1]) != 0xD8)
        throw pictureDecodeError(name, "not a JPEG file");
    RgbImage result;
    JpegDecodeJob job;
    job.data = data;
    job.reduction = reduction == 2 || reduction == 4 || reduction == 8 ? reduction : 1;
    job.out = &result;
    if (!runDecode(job)) throw pictureDecodeError(name, decodeFailure(job));
    checkPictureSize(job.size.width, job.size.height, name);
    return result;
}

std::string encodeJpeg(const RgbImage& image, int quality)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3)
        throw PictureError("cannot encode a JPEG picture: the picture has no pixels");
    std::string out;
    out.reserve(image.pixels.size() / 8 + 4096);
    JpegEncodeJob job;
    job.image = &image;
    job.quality = std::clamp(quality, 1, 100);
    job.destination.out = &out;
    if (!runEncode(job))
        throw PictureError(std::string("cannot encode a JPEG picture: ") +
                           (job.errors.message[0] != '\0' ? job.errors.message : "out of memory"));
    return out;
}

void writeJpeg(const RgbImage& image, const std::filesystem::path& path, int quality)
{
    writePictureFile(path, encodeJpeg(image, quality));
}

}  // namespace vellumar
