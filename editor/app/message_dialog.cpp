#include "app/message_dialog.h"

#include <QLabel>

#include "app/texts.h"
#include "ui/page_builder.h"

namespace velmar::editor {

CMessageDlg::CMessageDlg(QString text, QWidget* parent) : ui::Dialog(parent), text_(std::move(text))
{
    setWindowTitle(texts::kMessageCaption);
    ui::buildMessageLayout(*this, *this, kMessageTextId, texts::kOk, 260);
}

void CMessageDlg::doDataExchange(ui::DataExchange& dx) { ui::ddxText(dx, kMessageTextId, text_); }

}  // namespace velmar::editor
