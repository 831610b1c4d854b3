#include "libreoffice/office_documents.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "files/temp_folder.h"
#include "pixels/png_codec.h"
#include "office/child_process.h"

namespace vellumar::testing {

namespace fs = std::filesystem;

namespace {

std::string hex(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

}  // namespace

std::string rtfBook()
{
    RgbImage red(8, 6, 0);
    for (int y = 0; y < red.height; ++y)
        for (int x = 0; x < red.width; ++x) red.row(y)[x * 3] = 255;
    const std::string heading = "\\pard\\plain\\s1\\outlinelevel0\\b\\fs32 ";
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0\n"
           "{\\fonttbl{\\f0\\froman Times New Roman;}}\n"
           "{\\stylesheet{\\s0 Normal;}{\\s1\\outlinelevel0\\b\\fs32 heading 1;}}\n" +
           heading + "\\u1043?\\u1083?\\u1072?\\u1074?\\u1072? \\u1087?\\u1077?\\u1088?\\u1074?\\u1072?\\u1103?\\par\n" +
           "\\pard\\plain Plain {\\b bold} and {\\i italic}, \\'c4\\'e0.\\par\n"
           "\\pard\\plain {\\pict\\pngblip\\picw8\\pich6\\picwgoal120\\pichgoal90 " +
           hex(encodePng(red)) + "}\\par\n" + heading + "Two\\par\n\\pard\\plain The end.\\par\n}\n";
}

fs::path makeWithLibreOffice(const fs::path& source, const std::string& format, const fs::path& folder)
{
    static const std::map<std::string, std::string> filters = {
        {"doc", "MS Word 97"}, {"docx", "MS Word 2007 XML"}, {"odt", "writer8"}, {"rtf", "Rich Text Format"}};
    TempFolder work;
    ChildProcessRun run;
    run.arguments = {"/bin/sh", "-c",
                     "exec soffice --headless --norestore \"-env:UserInstallation=file://$1/profile\" "
                     "--convert-to \"$2\" --outdir \"$3\" \"$4\"",
                     "sh", work.path().string(), format + ":" + filters.at(format), folder.string(), source.string()};
    run.stdoutFile = work.file("out");
    run.stderrFile = work.file("err");
    runChildProcess(run);
    const fs::path made = folder / (source.stem().string() + "." + format);
    if (!fs::exists(made)) ADD_FAILURE() << "LibreOffice made no " << made << ": " << fileBytes(run.stderrFile);
    return made;
}

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace vellumar::testing
