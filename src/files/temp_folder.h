#pragma once
// A private temporary folder for the files one run makes (shrunk pictures, table pictures).
// Created on first use, removed with everything in it when the object goes away, or when the
// run is interrupted (see interrupt_cleanup.h).

#include <filesystem>
#include <optional>
#include <string_view>

#include "files/interrupt_cleanup.h"

namespace vellumar {

class TempFolder {
public:
    TempFolder() = default;
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    // The folder, created (mode 0700, under $TMPDIR or /tmp) when first asked for.
    // Throws std::runtime_error naming the folder when it cannot be created.
    const std::filesystem::path& path();
    // path() / name.
    std::filesystem::path file(std::string_view name);
    // Removes the folder and its content now; the next path() makes a new one.
    void clear();

private:
    std::filesystem::path m_path;
    std::optional<InterruptCleanup> m_registration;
};

}  // namespace vellumar
