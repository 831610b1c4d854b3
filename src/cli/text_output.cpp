#include "cli/text_output.h"

#include <unistd.h>

#include <cerrno>

namespace vellumar::cli {

void DescriptorOutput::write(std::string_view bytes)
{
    // A piece without a line break waits, unless it is large (a book written to standard output).
    constexpr std::size_t kHeldAtMost = 4096;
    std::size_t cut = bytes.rfind('\n');
    cut = cut == std::string_view::npos ? 0 : cut + 1;
    if (m_pending.size() + bytes.size() >= kHeldAtMost) cut = bytes.size();
    if (cut == 0) {
        m_pending.append(bytes);
        return;
    }
    if (!m_pending.empty() && cut < kHeldAtMost) {
        m_pending.append(bytes.substr(0, cut));
        put(m_pending);
        m_pending.clear();
    } else {
        // A large piece is not copied behind what is held: the two go out one after the other.
        flush();
        put(bytes.substr(0, cut));
    }
    m_pending.append(bytes.substr(cut));
}

void DescriptorOutput::flush()
{
    if (m_pending.empty()) return;
    put(m_pending);
    m_pending.clear();
}

void DescriptorOutput::put(std::string_view bytes)
{
    while (!bytes.empty() && !m_failed) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            m_failed = true;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void InPlaceProgressOutput::write(std::string_view bytes)
{
    // The ANSI sequence that clears the rest of the line: a shorter line leaves nothing behind.
    constexpr std::string_view kClearToEnd = "\x1b[K";
    m_partial.append(bytes);
    std::size_t start = 0;
    for (std::size_t end = m_partial.find_first_of("\r\n"); end != std::string::npos;
         start = end + 1, end = m_partial.find_first_of("\r\n", start)) {
        std::string line = m_partial.substr(start, end - start);
        if (m_partial[end] == '\r') {
            // Cut to the width, not inside a UTF-8 character.
            if (m_columns > 1 && line.size() >= m_columns) {
                std::size_t cut = m_columns - 1;
                while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
                line.resize(cut);
            }
            m_progress = line;
            m_terminal << '\r' << line << kClearToEnd;
        } else if (!m_progress.empty()) {
            m_terminal << '\r' << kClearToEnd << line << '\n' << m_progress;
        } else {
            m_terminal << line << '\n';
        }
    }
    m_partial.erase(0, start);
    m_terminal.flush();
}

void InPlaceProgressOutput::finish()
{
    if (!m_partial.empty()) write("\n");
    if (!m_progress.empty()) m_terminal << '\n';
    m_progress.clear();
    m_terminal.flush();
}

TextOutput& standardOutput()
{
    static DescriptorOutput output(STDOUT_FILENO);
    return output;
}

TextOutput& standardError()
{
    static DescriptorOutput output(STDERR_FILENO);
    return output;
}

}  // namespace vellumar::cli
