// The conversions every Win32 call of ours goes through.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32_text.h"

namespace velmar::platform::win32 {
namespace {

TEST(Win32Text, Utf8AndUtf16RoundTripBeyondTheBasicPlane)
{
    const std::string utf8 = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8E\xB5";  // a, e acute, euro, a note (a surrogate pair)
    const std::wstring wide = widen(utf8);
    EXPECT_EQ(wide, std::wstring(L"a\u00E9\u20AC\xD83C\xDFB5"));
    EXPECT_EQ(narrow(wide), utf8);
    EXPECT_EQ(widen(""), L"");
}

TEST(Win32Text, ErrorTextsReadLikeTheOtherSystemsReasons)
{
    const std::string text = errorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '.');
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(errorText(0x2FFFFFFF), "system error 805306367");
}

}  // namespace
}  // namespace velmar::platform::win32
