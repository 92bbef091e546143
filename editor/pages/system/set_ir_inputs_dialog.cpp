#include "pages/system/set_ir_inputs_dialog.h"

#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

ui::PageSpec pageLayout()
{
    ui::RowSpec header{ui::gap()};
    for (const char* title : kIrZoneTitles)
        header.push_back(ui::label(title));
    std::vector<ui::RowSpec> rows{header};
    for (int receiver = 0; receiver < kIrInputCount; ++receiver) {
        ui::RowSpec cells{ui::label(kIrReceiverLabels[receiver])};
        for (const int id : kIrBoxIds[receiver])
            cells.push_back(ui::check(id));
        rows.push_back(std::move(cells));
    }
    return {{{.rows = std::move(rows)}}};
}

}  // namespace

CSetIrInputsDlg::CSetIrInputsDlg(QWidget* parent, QString title) : ui::Dialog(parent), title_(std::move(title))
{
    setWindowTitle(kSetIrInputsTemplateCaption);
    QVBoxLayout* box = ui::buildPage(*this, *this, pageLayout());
    ui::addDialogButtons(*this, *this, *box, texts::kOk, texts::kCancel);
}

void CSetIrInputsDlg::onInitDialog()
{
    setWindowTitle(title_);
    ui::Dialog::onInitDialog();
}

void CSetIrInputsDlg::doDataExchange(ui::DataExchange& dx)
{
    if (!record_)
        return;
    for (int zone = 0; zone < kIrZoneCount; ++zone)
        for (int receiver = 0; receiver < kIrInputCount; ++receiver)
            ui::ddxCheck(dx, kIrBoxIds[receiver][zone],
                         record_->flag[static_cast<size_t>(zone * kIrInputCount + receiver)]);
}

}  // namespace velmar::editor
