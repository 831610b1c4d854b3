#include "html/tokenizer.h"

#include <gtest/gtest.h>

namespace vellumar {
namespace {

TEST(Tokenizer, EmptyBufferGivesNoItems)
{
    THTMLParser parser;
    parser.Parse();
    EXPECT_EQ(parser.ItemCount(), 0);
}

}  // namespace
}  // namespace vellumar
