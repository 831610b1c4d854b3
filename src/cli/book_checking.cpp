#include "cli/book_checking.h"

#include <exception>
#include <system_error>

#include "checking/book_check.h"
#include "files/file_io.h"
#include "files/zip_archive.h"

namespace vellumar::cli {

namespace {

// A book has no size limit of a source; a whole FB2 with its pictures may be large.
constexpr std::size_t kMaxBookBytes = std::size_t{1} << 31;

}  // namespace

int checkBooks(const std::vector<std::string>& files, const std::filesystem::path& schema, TextOutput& out,
               TextOutput& err)
{
    int status = 0;
    for (const std::string& file : files) {
        std::string bytes;
        try {
            bytes = readFileBytes(file, kMaxBookBytes);
        } catch (const std::exception& error) {
            err << "vellumar-convert: " << error.what() << '\n';
            status = 1;
            continue;
        }
        // A .fb2.zip is checked as the book it holds; its problems' lines are the book's.
        if (looksLikeZip(bytes)) {
            try {
                bytes = unzipBook(bytes, kMaxBookBytes);
            } catch (const ZipError& error) {
                err << "vellumar-convert: " << file << ": " << error.what() << '\n';
                status = 1;
                continue;
            }
        }
        const BookCheckResult result = checkFb2Book(bytes, schema);
        int errors = 0;
        int warnings = 0;
        for (const BookProblem& problem : result.problems) {
            const bool isError = problem.severity == ProblemSeverity::Error;
            ++(isError ? errors : warnings);
            out << file << ':' << problem.line << ": " << (isError ? "error: " : "warning: ") << problem.message << '\n';
        }
        out << file << ": ";
        if (!result.wellFormed)
            out << "not well-formed XML\n";
        else if (result.refused)
            out << "well-formed, not checked\n";
        else
            out << "well-formed, " << (result.schemaChecked ? (errors == 0 ? "valid FB2" : "not valid FB2") : "not checked against the schema")
                << ", " << errors << (errors == 1 ? " error, " : " errors, ") << warnings
                << (warnings == 1 ? " warning\n" : " warnings\n");
        if (!result.wellFormed || result.refused) status = 1;
    }
    return status;
}

std::filesystem::path runningProgramFolder(const char* argv0)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) return self.parent_path();
    return std::filesystem::absolute(argv0 ? argv0 : ".", error).parent_path();
}

}  // namespace vellumar::cli
