#pragma once
// Checking an FB2 book: is it well-formed XML, and is it valid against the FictionBook 2.0
// schema (data/schema/FictionBook.xsd with its genre, link and language companions)? Every
// problem carries the line it was found on (1-based; 0 when the problem has no line). A book that
// is not well-formed gets its first such error only: what the parser says after it follows from it.
//
// The header the converter writes has no genre and no author in title-info, which the schema
// requires. Those two are reported as warnings of their own, and the schema check then goes on
// as if they were there, so adding them by hand clears the warning and nothing else appears.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vellumar {

enum class ProblemSeverity { Error, Warning };

struct BookProblem {
    int line = 0;
    ProblemSeverity severity = ProblemSeverity::Error;
    std::string message;  // UTF-8, without the schema's namespace in element names

    bool operator==(const BookProblem&) const = default;
};

struct BookCheckResult {
    bool wellFormed = false;
    // False when the schema could not be read (its problem is then among the problems); the
    // book was checked for well-formedness only.
    bool schemaChecked = false;
    // True when the book was not checked past its DTD: it declares more entities than a book
    // needs, or ones that would make it many times its size.
    bool refused = false;
    std::vector<BookProblem> problems;  // in the order of their lines
};

// Checks `bytes` (a whole FB2 document, any encoding its XML declaration names) against the
// schema file `schema`. Never throws for a bad book; a missing or broken schema is a problem of
// the result.
BookCheckResult checkFb2Book(std::string_view bytes, const std::filesystem::path& schema);

// The schema's main file: "schema/FictionBook.xsd" beside the program, else in
// "../share/vellumar/schema/" from the program's folder (where `cmake --install` puts it).
// The first of them when neither exists.
std::filesystem::path findFb2Schema(const std::filesystem::path& programFolder);

}  // namespace vellumar
