#include "office/document_kinds.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vellumar {

namespace {

struct KindInfo {
    DocumentKind kind;
    std::string_view extension;
    std::string_view signature;
    std::string_view description;
};

using namespace std::string_view_literals;

constexpr std::string_view kRtfSignature = "{\\rtf"sv;
constexpr std::string_view kOle2Signature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv;
constexpr std::string_view kZipSignature = "PK\x03\x04"sv;

constexpr std::array kKinds{
    KindInfo{DocumentKind::Doc, ".doc", kOle2Signature, "a Word 97-2003 document (.doc)"},
    KindInfo{DocumentKind::Rtf, ".rtf", kRtfSignature, "an RTF document"},
    KindInfo{DocumentKind::Docx, ".docx", kZipSignature, "a Word document (.docx)"},
    KindInfo{DocumentKind::Odt, ".odt", kZipSignature, "an OpenDocument text (.odt)"},
};

const KindInfo& infoOf(DocumentKind kind)
{
    return *std::find_if(kKinds.begin(), kKinds.end(), [kind](const KindInfo& k) { return k.kind == kind; });
}

}  // namespace

std::optional<DocumentKind> wordProcessorDocumentKind(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const KindInfo& k : kKinds)
        if (extension == k.extension) return k.kind;
    return std::nullopt;
}

bool hasDocumentSignature(DocumentKind kind, std::string_view head) { return head.starts_with(infoOf(kind).signature); }

std::string notADocumentReason(DocumentKind kind)
{
    return "the file is not " + std::string(infoOf(kind).description) + ", its content does not match its extension";
}

}  // namespace vellumar
