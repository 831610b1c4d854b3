#pragma once
// Where vellumar-convert writes its messages and results: standard output and standard error
// themselves, or a record kept in memory (one INPUT's messages while several are converted at
// once). Plain byte writes: the program needs no locale and no formatting beyond numbers.

#include <charconv>
#include <concepts>
#include <string>
#include <string_view>

namespace vellumar::cli {

class TextOutput {
public:
    virtual ~TextOutput() = default;
    virtual void write(std::string_view bytes) = 0;
    // Sends on what is held back, if anything is.
    virtual void flush() {}
    // False once a write has failed (a closed pipe, a full disk).
    virtual bool good() const { return true; }

    TextOutput& operator<<(std::string_view text)
    {
        write(text);
        return *this;
    }
    TextOutput& operator<<(const char* text) { return *this << std::string_view(text); }
    TextOutput& operator<<(const std::string& text) { return *this << std::string_view(text); }
    TextOutput& operator<<(char c) { return *this << std::string_view(&c, 1); }
    template <std::integral Number>
        requires(!std::same_as<Number, char> && !std::same_as<Number, bool>)
    TextOutput& operator<<(Number number)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        return *this << std::string_view(digits, static_cast<std::size_t>(end - digits));
    }
};

// Writes to a descriptor a line at a time: each whole line goes out with the write that ends
// it, in one system call, and what follows the last line break waits for the next one (or for
// flush(), or the end of the run).
class DescriptorOutput : public TextOutput {
public:
    explicit DescriptorOutput(int fd) : m_fd(fd) {}
    ~DescriptorOutput() override { flush(); }
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    void write(std::string_view bytes) override;
    void flush() override;
    bool good() const override { return !m_failed; }

private:
    void put(std::string_view bytes);

    int m_fd;
    bool m_failed = false;
    std::string m_pending;
};

// Keeps what is written, for tests and for text put together before it is shown.
class StringOutput : public TextOutput {
public:
    void write(std::string_view bytes) override { m_text.append(bytes); }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// Standard error on a terminal: a progress line (one ended by '\r' instead of '\n') stays at
// the bottom, rewritten in place by the next one, and the other lines are printed above it.
// A batch of hundreds of books then takes one line of the screen, warnings still all shown.
class InPlaceProgressOutput : public TextOutput {
public:
    // `columns` is the terminal's width: a longer line would wrap, and '\r' goes back only to
    // the start of its last row.
    InPlaceProgressOutput(TextOutput& terminal, std::size_t columns) : m_terminal(terminal), m_columns(columns) {}
    void write(std::string_view bytes) override;
    void flush() override { m_terminal.flush(); }
    bool good() const override { return m_terminal.good(); }
    // Leaves the progress line shown, if any, on the screen with its line ended.
    void finish();

private:
    TextOutput& m_terminal;
    std::size_t m_columns;
    std::string m_partial;   // what came after the last line's end
    std::string m_progress;  // the progress line on the screen, or empty
};

// The program's standard output and standard error.
TextOutput& standardOutput();
TextOutput& standardError();

}  // namespace vellumar::cli
