#include "app/save_prompt_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/texts.h"

namespace velmar::editor {

CSavePromptDlg::CSavePromptDlg(QString text, QWidget* parent) : ui::Dialog(parent), text_(std::move(text))
{
    setWindowTitle(texts::kMessageCaption);
    auto* label = new QLabel(texts::kSavePromptTemplate, this);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    auto* buttons = new QDialogButtonBox(this);
    buttons->setCenterButtons(true);
    const struct {
        int id;
        const char* text;
    } table[] = {{kSavePromptYes, texts::kYes},
                 {kSavePromptSaveAs, texts::kSaveAsShort},
                 {kSavePromptNo, texts::kNo},
                 {kSavePromptCancel, texts::kCancel}};
    for (const auto& b : table) {
        auto* button = new QPushButton(b.text, this);
        button->setAutoDefault(false);
        buttons->addButton(button, QDialogButtonBox::ActionRole);
        registerControl(b.id, button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label, 1);
    layout->addWidget(buttons);
    registerControl(kSavePromptTextId, label);
    // Yes and Save As.. close the box as OK does, remembering which it was.
    for (const int id : {kSavePromptYes, kSavePromptSaveAs}) {
        onCommand(id, ui::Notify::Clicked, [this, id] {
            result_ = id;
            onOK();
        });
    }
}

void CSavePromptDlg::doDataExchange(ui::DataExchange& dx) { ui::ddxText(dx, kSavePromptTextId, text_); }

int CSavePromptDlg::Ask()
{
    result_ = 1;
    const int ended = doModal();
    return result_ == 1 ? ended : result_;
}

}  // namespace velmar::editor
