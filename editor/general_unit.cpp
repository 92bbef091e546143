// The General page's detection of the unit.
#include "general_page.h"
#include "texts.h"
#include "ui/busy.h"

namespace velmar::editor {

bool CGeneral::onUnit(const std::function<bool()>& operation)
{
    bool ok = false;
    ui::runKeepingWindowAlive([&] { ok = operation(); });
    return ok;
}

bool CGeneral::DetectAndIdentify()
{
    unitStatus_ = texts::kSearchingForUnits;
    showTexts();
    if (!onUnit([this] { return link_.DetectUnit(unitStatus_); })) {
        showTexts();
        return false;
    }
    unitStatus_ = texts::kUnitLocated;
    showTexts();
    bool identified = false;
    if (link_.model() == unitlink::UnitModel::UNKNOWN || link_.mode() != unitlink::UnitMode::Application) {
        unitStatus_ = texts::kNoUnitDetected;
    } else if (std::string ignored; onUnit([&] { return link_.OpenPort(ignored); })) {
        ModelKind kind = ModelKind::Undetected;
        onUnit([&] {
            link_.ReadFirmwareVersion(kind);
            return true;
        });
        store_.setModelKind(kind);
        unitStatus_ = unitlink::UnitLink::firmwareVersionText(kind, link_.firmwareVersion(), link_.firmwareSuffix());
        identified = kind != ModelKind::Undetected;
    } else {
        unitStatus_ = texts::kError;
    }
    showTexts();
    return identified;
}

void CGeneral::OnAutoDetect()
{
    updateData(true);
    if (DetectAndIdentify() && loadFromUnit_)
        RetrieveIntoSets();
}

}  // namespace velmar::editor
