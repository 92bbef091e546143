#pragma once

// Answers the modal dialogs a test brings up, in order, and keeps what each one said.
#include <QAbstractButton>
#include <QLabel>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/file_dialog.h"

namespace velmar::test {

struct ShownDialog {
    std::string title;
    std::string text;  // the labels' texts, joined by newlines
};

class ModalScript {
public:
    using Answer = std::function<void(ui::Dialog&)>;

    ModalScript()
    {
        ui::Dialog::setModalHook([this](ui::Dialog& d) {
            shown.push_back({d.windowTitle().toStdString(), labelsOf(d)});
            if (answers_.empty())
                return;  // left open: the dialog is cancelled
            const Answer answer = answers_.front();
            answers_.pop_front();
            answer(d);
        });
        ui::setFilePromptHook([this](const ui::FileDialogRequest& request) -> std::optional<QString> {
            fileRequests.push_back(request);
            if (files_.empty())
                return std::nullopt;
            const auto file = files_.front();
            files_.pop_front();
            return file;
        });
    }
    ~ModalScript()
    {
        ui::Dialog::setModalHook({});
        ui::setFilePromptHook({});
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The next dialog gets its button with this id clicked.
    ModalScript& click(int id)
    {
        answers_.push_back([id](ui::Dialog& d) {
            if (auto* b = d.controlAs<QAbstractButton>(id))
                b->click();
        });
        return *this;
    }
    // The next file dialog is answered with this path, or cancelled with nullopt.
    ModalScript& file(std::optional<QString> path)
    {
        files_.push_back(std::move(path));
        return *this;
    }

    std::vector<ShownDialog> shown;
    std::vector<ui::FileDialogRequest> fileRequests;

private:
    static std::string labelsOf(const QWidget& d)
    {
        std::string text;
        for (const QLabel* label : d.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            if (!text.empty())
                text += '\n';
            text += label->text().toStdString();
        }
        return text;
    }
    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> files_;
};

}  // namespace velmar::test
