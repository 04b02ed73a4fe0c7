// The byte buffer each thread lends for reading and building files.
#include <gtest/gtest.h>

#include "core/file_io.h"

TEST(BorrowedBytes, TheNextLoanGetsTheMemoryBackEmpty)
{
    const uint8_t* first = nullptr;
    {
        BorrowedBytes loan;
        loan.bytes().assign(100000, 0xAB);
        first = loan.bytes().data();
    }
    BorrowedBytes next;
    EXPECT_TRUE(next.bytes().empty());
    EXPECT_GE(next.bytes().capacity(), 100000u);
    next.bytes().resize(100000);
    EXPECT_EQ(next.bytes().data(), first);
}

TEST(BorrowedBytes, ALoanInsideALoanHasItsOwnBuffer)
{
    BorrowedBytes outer;
    outer.bytes().assign(5000, 1);
    {
        BorrowedBytes inner;
        EXPECT_TRUE(inner.bytes().empty());
        inner.bytes().assign(5000, 2);
        EXPECT_NE(inner.bytes().data(), outer.bytes().data());
    }
    EXPECT_EQ(outer.bytes()[4999], 1);
}

TEST(BorrowedBytes, AVeryLargeBufferIsNotKept)
{
    {
        BorrowedBytes loan;
        loan.bytes().resize(kKeptBufferBytes + 1);
    }
    BorrowedBytes next;
    EXPECT_LE(next.bytes().capacity(), kKeptBufferBytes);
}
