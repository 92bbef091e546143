#include "pages/speakers/bass_peak_level_dialog.h"

#include <QSlider>
#include <QVBoxLayout>

#include "pages/speakers/speaker_texts.h"
#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {
constexpr double kHalfDecibels = 2.0, kLowestDb = -63.5;
}

CBassPeakLevelDlg::CBassPeakLevelDlg(int& bassPeak, const int& thxUltra2Sub, QWidget* parent)
    : ui::Dialog(parent), bassPeak_(bassPeak), thxUltra2Sub_(thxUltra2Sub), pairs_(*this)
{
    setWindowTitle(texts::kBassPeakCaption);
    const ui::ValueRowIds level{.slider = kIdBassPeakSlider, .edit = kIdBassPeakEdit};
    ui::GroupSpec group{
        .rows = {ui::valueRow(texts::kCurrentLevel, level, texts::kDb), {ui::label(texts::kNaWithThx, ui::kNoId, 4)}}};
    QVBoxLayout* layout = ui::buildPage(*this, *this, ui::PageSpec{{group}});
    ui::addDialogButtons(*this, *this, *layout, texts::kOk, texts::kCancel);
    level_.Attach(kIdBassPeakSlider, kIdBassPeakEdit, controlAs<QSlider>(kIdBassPeakSlider));
    pairs_.add(level_);
}

void CBassPeakLevelDlg::onInitDialog()
{
    level_.SetScale(kHalfDecibels, 0);
    level_.SetLimits(kLowestDb, 0);
    level_.SetPosition(bassPeak_);
    if (thxUltra2Sub_)
        enableControls(false, {kIdBassPeakEdit, kIdBassPeakSlider});
    updateData(false);
}

void CBassPeakLevelDlg::doDataExchange(ui::DataExchange& dx)
{
    pairs_.exchange(dx);
    if (dx.saving())
        bassPeak_ = level_.GetPosition();
}

void CBassPeakLevelDlg::onHScroll(int code, int, QSlider* bar) { pairs_.onHScroll(code, bar); }

}  // namespace velmar::editor
