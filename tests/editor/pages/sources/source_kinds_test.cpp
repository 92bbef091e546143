#include <gtest/gtest.h>
#include <set>
#include <string>

#include "pages/sources/source_kinds.h"

using namespace velmar;
using namespace velmar::editor;

TEST(SourceKinds, EveryUnitSourceHasOneButtonAndPage6Label)
{
    std::set<int> sources;
    int id = 1078;
    for (const SourceButton& b : sourceButtons()) {
        EXPECT_EQ(b.id, id++) << b.caption;
        sources.insert(b.source);
        EXPECT_EQ(sourceButtonOf(b.source), &b);
    }
    EXPECT_EQ(sources, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(std::string(sourceButtonOf(kTunerSource)->caption), "FM/AM");
    EXPECT_EQ(std::string(sourceButtonOf(kTunerSource)->levelLabel), "FMAM:");
    EXPECT_EQ(std::string(sourceButtonOf(8)->levelLabel), "2 CH:");
    EXPECT_EQ(sourceButtonOf(10), nullptr);
}

TEST(SourceKinds, NamesTakeOnlyWhatTheDisplayShows)
{
    for (const char32_t c : {U' ', U'A', U'z', U'/', U'~', U'0'})
        EXPECT_TRUE(isNameCharacter(c)) << static_cast<int>(c);
    for (const char32_t c : {U'\0', U'\t', U'\x7F', U'\xE9', U'\x20AC'})
        EXPECT_FALSE(isNameCharacter(c)) << static_cast<int>(c);
    // Characters of two or more bytes never reach the store's byte copy; the length is six.
    EXPECT_EQ(sourceNameFrom(U"Caf\u00E9 Bar"), "Caf Ba");
    EXPECT_EQ(sourceNameFrom(U"\u20AC\u20AC\u20AC\u20AC\u20AC\u20AC\u20ACA"), "A");
    EXPECT_EQ(sourceNameFrom(U"BluRay"), "BluRay");
}
