#pragma once
// The word-processor documents the program hands to LibreOffice, told apart by their
// extension and checked by their first bytes before LibreOffice is started.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vellumar {

enum class DocumentKind { Doc, Rtf, Docx, Odt };

// The kind an extension names (".doc", ".rtf", ".docx", ".odt", in any case); nullopt for
// every other file.
std::optional<DocumentKind> wordProcessorDocumentKind(const std::filesystem::path& path);

// How many leading bytes hasDocumentSignature needs to see.
inline constexpr std::size_t kDocumentSignatureSize = 8;

// Whether a file of that kind may start with these bytes: RTF begins with "{\rtf", .doc is
// an OLE2 compound file, .docx and .odt are ZIP archives. LibreOffice imports anything it
// cannot recognise as plain text and reports success, so this check is what refuses a
// file of random bytes.
bool hasDocumentSignature(DocumentKind kind, std::string_view head);

// Why a file of that kind failed the signature check, for the user.
std::string notADocumentReason(DocumentKind kind);

}  // namespace vellumar
