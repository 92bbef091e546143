#include "message_dlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "texts.h"

namespace velmar::editor {

CMessageDlg::CMessageDlg(QString text, QWidget* parent) : ui::Dialog(parent), text_(std::move(text))
{
    setWindowTitle(texts::kMessageCaption);
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMinimumWidth(260);
    auto* ok = new QPushButton(texts::kOk, this);
    ok->setDefault(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label, 1);
    layout->addWidget(buttons);
    registerControl(kMessageTextId, label);
    registerControl(ui::kIdOk, ok);
}

void CMessageDlg::doDataExchange(ui::DataExchange& dx)
{
    ui::ddxText(dx, kMessageTextId, text_);
}

}  // namespace velmar::editor
