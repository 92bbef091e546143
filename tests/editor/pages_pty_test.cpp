// The settings pages end to end through unit_simulator (see pages_pty_fixture.h).
#include "pages/system/displays_timeout_page.h"
#include "pages_pty_fixture.h"
#include "pages/system/triggers_ir_rs232_page.h"

using namespace velmar::editor;
using namespace velmar::test;

namespace {

// A QRX 20: the one model whose brightness levels the displays page edits.
class Qrx20PagesOnAPty : public PagesOnAPty {
protected:
    Qrx20PagesOnAPty() : PagesOnAPty("QRX 20", "qrx20") {}
};

}  // namespace

TEST_F(Qrx20PagesOnAPty, TriggersAndDisplaysChangesReachTheFileAndTheUnit)
{
    auto& triggers = showPage<CTriggersIRRS232>(9);
    chooseItem(triggers, kIdBaudRate, 6);
    script.check(1184).click(velmar::ui::kIdOk);  // "Set Trigger 1": "MAIN" "CD:"
    clickControl(triggers, kIdSetTrigger1);

    auto& displays = showPage<CDisplaysTimeout>(10);
    typeText(displays, kIdHighEdit, "13");
    chooseItem(displays, kIdZone2OsColor, 2);

    EXPECT_EQ(changedFields(),
              (std::set<std::string>{"Current:triggers.baudRate", "Current:triggers.trigger[0].flag[1]",
                                     "Current:displays.brightHigh", "Current:displays.zone2OsColor"}));
    EXPECT_TRUE(programmedBack());
}
