#include "base/page_warmer.h"

#include <gtest/gtest.h>

#include <string>

namespace vellumar {
namespace {

// The warmer makes pages while the buffer is being filled: what is written before, during
// and after it runs must all stay, at either end of the buffer and inside it.
TEST(PageWarmer, LeavesWhatIsWrittenAsItIs)
{
    for (const std::size_t size : {std::size_t{4096}, std::size_t{9} << 20, (std::size_t{24} << 20) + 123}) {
        std::string out;
        out.reserve(size);
        out.append(size / 3, 'a');
        {
            const PageWarmer warmer(out.data(), size);
            while (out.size() < size) out.push_back(static_cast<char>('b' + out.size() % 7));
        }
        ASSERT_EQ(out.size(), size);
        EXPECT_EQ(out.find_first_not_of('a'), size / 3) << size;
        std::size_t wrong = 0;
        for (std::size_t i = size / 3; i < size; ++i) wrong += out[i] != static_cast<char>('b' + i % 7);
        EXPECT_EQ(wrong, 0u) << size;
    }
}

}  // namespace
}  // namespace vellumar
