#pragma once

// Answers the modal dialogs and property sheets a test brings up, in order, nested ones
// included, and keeps what each one said. Controls of a dialog can be set before it is
// answered: script.check(1187).type(1197, "12").click(ui::kIdOk).
#include <QAbstractButton>
#include <QLabel>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "control_driver.h"
#include "ui/dialog.h"
#include "ui/file_dialog.h"
#include "ui/modal_hook.h"
#include "ui/property_sheet.h"

namespace velmar::test {

struct ShownDialog {
    std::string title;
    std::string text;  // the labels' texts, joined by newlines
};

class ModalScript {
public:
    using Answer = std::function<void(QDialog&)>;

    ModalScript()
    {
        ui::setModalWindowHook([this](QDialog& d) {
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
        ui::setModalWindowHook({});
        ui::setFilePromptHook({});
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // The controls of a dialog, or of a sheet's shown page; null for anything else.
    static ui::ControlHost* hostOf(QDialog& d)
    {
        if (auto* dialog = dynamic_cast<ui::Dialog*>(&d))
            return dialog;
        if (auto* sheet = dynamic_cast<ui::PropertySheet*>(&d))
            return sheet->activePage();
        return nullptr;
    }

    // Steps on the next window, run when it is answered.
    ModalScript& check(int id, bool on = true)
    {
        return step([id, on](ui::ControlHost& h) { setChecked(h, id, on); });
    }
    ModalScript& type(int id, const QString& text)
    {
        return step([id, text](ui::ControlHost& h) { typeText(h, id, text); });
    }
    ModalScript& choose(int id, int index)
    {
        return step([id, index](ui::ControlHost& h) { chooseItem(h, id, index); });
    }
    // Any look or change at the next window's controls before it is answered.
    ModalScript& step(std::function<void(ui::ControlHost&)> action)
    {
        steps_.push_back(std::move(action));
        return *this;
    }

    // The next window (after its steps) gets its button with this id clicked; for a sheet,
    // ui::kIdOk and ui::kIdCancel are its own OK and Cancel, other ids its shown page's.
    ModalScript& click(int id)
    {
        return answer([id](QDialog& d) {
            auto* sheet = dynamic_cast<ui::PropertySheet*>(&d);
            if (sheet && id == ui::kIdOk)
                sheet->pressOk();
            else if (sheet && id == ui::kIdCancel)
                sheet->pressCancel();
            else if (ui::ControlHost* host = hostOf(d))
                clickControl(*host, id);
        });
    }
    // The next window is answered by this function (after its steps).
    ModalScript& answer(Answer then)
    {
        answers_.push_back([steps = std::move(steps_), then = std::move(then)](QDialog& d) {
            if (ui::ControlHost* host = hostOf(d))
                for (const auto& s : steps)
                    s(*host);
            then(d);
        });
        steps_.clear();
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
    std::vector<std::function<void(ui::ControlHost&)>> steps_;
    std::deque<std::optional<QString>> files_;
};

}  // namespace velmar::test
