#include "bench_data.h"

#include <array>

namespace vellumar::bench {

std::string generateHtmlBook(std::size_t bytes)
{
    static const std::array<const char*, 6> sentences = {
        "The keeper climbed the stairs &mdash; all one hundred and twelve of them &ndash; before dawn. ",
        "<b>Nothing</b> moved on the water, and the lamp burned <i>steadily</i> behind its glass. ",
        "&laquo;Tomorrow,&raquo; she said, &quot;the supply boat will come, or it will not.&quot; ",
        "He wrote the weather into the log: wind NNE, sea calm, visibility &gt; 10&nbsp;miles. ",
        "\xd0\xee\xe1\xe5\xf0\xf2 & \xcc\xe0\xf0\xe8\xff \xe6\xe4\xe0\xeb\xe8 \xeb\xee\xe4\xea\xf3 \xf3 \xef\xf0\xe8\xf1\xf2\xe0\xed\xe8. ",
        "The gulls<br>circled twice and were gone &hellip; ",
    };
    std::string html = "<html>\r\n<head><title>The Keeper</title></head>\r\n<body>\r\n";
    html.reserve(bytes + 4096);
    std::size_t chapter = 0;
    std::size_t sentence = 0;
    while (html.size() < bytes) {
        ++chapter;
        html += "<h1>Chapter " + std::to_string(chapter) + "</h1>\r\n";
        for (int p = 0; p < 40 && html.size() < bytes; ++p) {
            if (p == 10) html += "<h2>A pause</h2>\r\n";
            if (p == 20) html += "<ul>\r\n<li>rope</li>\r\n<li>oil &amp; wick</li>\r\n<li>bread</li>\r\n</ul>\r\n";
            html += "<p>";
            for (int s = 0; s < 5; ++s) html += sentences[sentence++ % sentences.size()];
            html += "</p>\r\n";
        }
    }
    html += "</body>\r\n</html>\r\n";
    return html;
}

}  // namespace vellumar::bench
