#include "platform/base/CString.h"

#include <gtest/gtest.h>

TEST(CString, CopiesShareUntilWritten)
{
    CString a("hello");
    CString b = a;
    EXPECT_TRUE(a.SharesBufferWith(b));
    b.SetAt(0, 'j');
    EXPECT_FALSE(a.SharesBufferWith(b));
    EXPECT_EQ(a, "hello");
    EXPECT_EQ(b, "jello");
}
