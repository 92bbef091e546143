// The settings pages end to end through unit_simulator (see pages_pty_fixture.h).
#include "pages_pty_fixture.h"

using velmar::test::PagesOnAPty;

TEST_F(PagesOnAPty, UnchangedSetsSaveAsTheUnitHasThemAndProgramBackUnchanged)
{
    EXPECT_EQ(changedFields(), std::set<std::string>{});
    EXPECT_TRUE(programmedBack());
}
