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
