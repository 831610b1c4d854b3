#include "pictures/base64.h"

#include "pixels/picture_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellumar {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Two output characters for every 12-bit value: one table lookup per half of a 3-byte group.
struct PairTable {
    std::array<char, 4096 * 2> chars{};
    constexpr PairTable()
    {
        for (int v = 0; v < 4096; ++v) {
            chars[static_cast<std::size_t>(v) * 2] = kAlphabet[v >> 6];
            chars[static_cast<std::size_t>(v) * 2 + 1] = kAlphabet[v & 63];
        }
    }
};
constexpr PairTable kPairs;

// Encodes whole groups of `in` (size a multiple of 3) into `out` (4/3 of it).
void encodeGroups(const std::uint8_t* in, std::size_t size, char* out)
{
    const char* pairs = kPairs.chars.data();
    std::size_t i = 0;
    // Two groups per step through one 64-bit load keep the loop short.
    for (; i + 8 <= size; i += 6, out += 8) {
        std::uint64_t word;
        std::memcpy(&word, in + i, 8);
        word = __builtin_bswap64(word);
        const auto a = static_cast<std::size_t>((word >> 52) & 0xFFF);
        const auto b = static_cast<std::size_t>((word >> 40) & 0xFFF);
        const auto c = static_cast<std::size_t>((word >> 28) & 0xFFF);
        const auto d = static_cast<std::size_t>((word >> 16) & 0xFFF);
        std::memcpy(out, pairs + a * 2, 2);
        std::memcpy(out + 2, pairs + b * 2, 2);
        std::memcpy(out + 4, pairs + c * 2, 2);
        std::memcpy(out + 6, pairs + d * 2, 2);
    }
    for (; i < size; i += 3, out += 4) {
        const std::uint32_t v = (std::uint32_t{in[i]} << 16) | (std::uint32_t{in[i + 1]} << 8) | in[i + 2];
        std::memcpy(out, pairs + (v >> 12) * 2, 2);
        std::memcpy(out + 2, pairs + (v & 0xFFF) * 2, 2);
    }
}

std::size_t encodedSize(std::size_t bytes) { return (bytes + 2) / 3 * 4; }

// Encodes a buffer whose size need not be a multiple of 3 (the tail gets padding).
void encodeTo(const std::uint8_t* in, std::size_t size, char* out)
{
    const std::size_t whole = size / 3 * 3;
    encodeGroups(in, whole, out);
    if (whole < size) {
        const std::array<char, 4> last = encodeBase64Group(in + whole, static_cast<int>(size - whole));
        std::memcpy(out + whole / 3 * 4, last.data(), 4);
    }
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads until `size` bytes or the end of the file; -1 on a read error.
long long readFully(int fd, std::uint8_t* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}

}  // namespace

std::array<char, 4> encodeBase64Group(const std::uint8_t* bytes, int realCount)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 3; ++i) v = (v << 8) | (i < realCount ? bytes[i] : 0u);
    std::array<char, 4> out{kAlphabet[(v >> 18) & 63], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63],
                            kAlphabet[v & 63]};
    for (int i = std::max(realCount, 0); i < 3; ++i) out[static_cast<std::size_t>(i) + 1] = '=';
    return out;
}

void appendBase64(std::string_view bytes, std::string& out)
{
    const std::size_t start = out.size();
    out.resize(start + encodedSize(bytes.size()));
    encodeTo(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out.data() + start);
}

std::string encodeBase64(std::string_view bytes)
{
    std::string out;
    appendBase64(bytes, out);
    return out;
}

std::string encodeFileBase64(const std::filesystem::path& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return {};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxPictureBytes) return {};

    std::string out;
    out.reserve(encodedSize(static_cast<std::size_t>(info.st_size)));
    // Whole chunks are multiples of 3 bytes, so only the last one can carry padding.
    constexpr std::size_t kChunk = 3 << 20;
    std::vector<std::uint8_t> buffer(std::min<std::size_t>(kChunk, static_cast<std::size_t>(info.st_size) + 3));
    for (;;) {
        const long long got = readFully(fd.get(), buffer.data(), buffer.size());
        if (got < 0) return {};
        const std::size_t start = out.size();
        out.resize(start + encodedSize(static_cast<std::size_t>(got)));
        encodeTo(buffer.data(), static_cast<std::size_t>(got), out.data() + start);
        if (static_cast<std::size_t>(got) < buffer.size()) break;
        if (out.size() / 4 * 3 > kMaxPictureBytes) return {};  // it grew past the limit while read
    }
    return out;
}

std::optional<std::string> decodeBase64(std::string_view text)
{
    static constexpr auto kValues = [] {
        std::array<signed char, 256> values{};
        values.fill(-1);
        for (int i = 0; i < 64; ++i) values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<signed char>(i);
        for (unsigned char c : {' ', '\t', '\r', '\n', '\f', '\v'}) values[c] = -2;
        values['='] = -3;
        return values;
    }();

    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    std::uint32_t bits = 0;
    int count = 0;
    int padding = 0;
    for (const char ch : text) {
        const signed char v = kValues[static_cast<unsigned char>(ch)];
        if (v == -2) continue;
        if (v == -3) {
            ++padding;
            continue;
        }
        if (v < 0 || padding > 0) return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        if (++count == 4) {
            out.push_back(static_cast<char>(bits >> 16));
            out.push_back(static_cast<char>(bits >> 8));
            out.push_back(static_cast<char>(bits));
            bits = 0;
            count = 0;
        }
    }
    switch (count) {
    case 0:
        if (padding != 0) return std::nullopt;
        break;
    case 2:
        if (padding != 0 && padding != 2) return std::nullopt;
        out.push_back(static_cast<char>(bits >> 4));
        break;
    case 3:
        if (padding > 1) return std::nullopt;
        out.push_back(static_cast<char>(bits >> 10));
        out.push_back(static_cast<char>(bits >> 2));
        break;
    default:
        return std::nullopt;
    }
    return out;
}

}  // namespace vellumar
