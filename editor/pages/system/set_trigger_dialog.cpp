#include "pages/system/set_trigger_dialog.h"

#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

namespace {

ui::PageSpec pageLayout()
{
    ui::RowSpec header{ui::gap()};
    for (const char* title : kTriggerColumnTitles)
        header.push_back(ui::label(title));
    std::vector<ui::RowSpec> rows{header};
    for (int row = 0; row < kTriggerRowCount; ++row) {
        ui::RowSpec cells{ui::label(kTriggerRowLabels[row])};
        for (const int id : kTriggerBoxIds[row])
            cells.push_back(id ? ui::check(id) : ui::gap());
        rows.push_back(std::move(cells));
    }
    return {{{.rows = std::move(rows)}}};
}

}  // namespace

CSetTriggerDlg::CSetTriggerDlg(QWidget* parent, QString title) : ui::Dialog(parent), title_(std::move(title))
{
    setWindowTitle(kSetTriggerTemplateCaption);
    QVBoxLayout* box = ui::buildPage(*this, *this, pageLayout());
    ui::addDialogButtons(*this, *this, *box, texts::kOk, texts::kCancel);
}

void CSetTriggerDlg::onInitDialog()
{
    ui::Dialog::onInitDialog();
    setWindowTitle(title_);
}

void CSetTriggerDlg::doDataExchange(ui::DataExchange& dx)
{
    if (!record_)
        return;
    for (int column = 0; column < kTriggerColumnCount; ++column)
        for (int row = 0; row < kTriggerRowCount; ++row)
            if (const int id = kTriggerBoxIds[row][column])
                ui::ddxCheck(dx, id, record_->flag[static_cast<size_t>(column * kTriggerRowCount + row)]);
}

}  // namespace velmar::editor
