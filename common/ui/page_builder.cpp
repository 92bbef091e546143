#include "ui/page_builder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "ui/control_host.h"

namespace velmar::ui {

ControlSpec gap(int span) { return ControlSpec{.kind = Kind::Gap, .span = span}; }

ControlSpec label(QString text, int id, int span)
{
    return ControlSpec{.kind = Kind::Label, .id = id, .text = std::move(text), .span = span};
}

ControlSpec button(int id, QString text, int span)
{
    return ControlSpec{.kind = Kind::Button, .id = id, .text = std::move(text), .span = span};
}

ControlSpec check(int id, QString text, int span)
{
    return ControlSpec{.kind = Kind::Check, .id = id, .text = std::move(text), .span = span};
}

ControlSpec captionedCheck(int id, QString caption)
{
    return ControlSpec{.kind = Kind::CaptionedCheck, .id = id, .text = std::move(caption), .span = 2};
}

ControlSpec radio(int id, QString text, int group)
{
    return ControlSpec{.kind = Kind::Radio, .id = id, .text = std::move(text), .radioGroup = group};
}

ControlSpec dropList(int id, QStringList items, int span)
{
    return ControlSpec{.kind = Kind::DropList, .id = id, .items = std::move(items), .span = span};
}

ControlSpec edit(int id, int maxLength) { return ControlSpec{.kind = Kind::Edit, .id = id, .maxLength = maxLength}; }

ControlSpec numberEdit(int id, int maxLength)
{
    return ControlSpec{.kind = Kind::NumberEdit, .id = id, .maxLength = maxLength};
}

ControlSpec slider(int id, int low, int high, int span)
{
    return ControlSpec{.kind = Kind::Slider, .id = id, .low = low, .high = high, .span = span};
}

RowSpec valueRow(QString caption, ValueRowIds ids, QString unit)
{
    ControlSpec value = edit(ids.edit, 6);
    return {label(std::move(caption), ids.label), slider(ids.slider), value, label(std::move(unit), ids.unit)};
}

namespace {

// Wide enough for "-63.5" and a little more; the edits of value pairs stay narrow.
constexpr int kValueEditChars = 7;

// Makes a caption part of its check box: a click on it toggles the box (a disabled box
// ignores it), and it is shown, hidden, enabled and disabled with the box.
class CaptionOfBox final : public QObject {
public:
    CaptionOfBox(QLabel& caption, QCheckBox& box) : QObject(&box), caption_(caption), box_(box)
    {
        caption.installEventFilter(this);
        box.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &caption_ && event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && caption_.rect().contains(mouse->position().toPoint()))
                box_.click();
        } else if (watched == &box_) {
            if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
                caption_.setVisible(!box_.isHidden());
            else if (event->type() == QEvent::EnabledChange)
                caption_.setEnabled(box_.isEnabled());
        }
        return false;
    }

private:
    QLabel& caption_;
    QCheckBox& box_;
};

QWidget* makeControl(const ControlSpec& decl, QWidget& parent)
{
    switch (decl.kind) {
    case Kind::Gap: return nullptr;
    case Kind::Label: return new QLabel(decl.text, &parent);
    case Kind::Button: {
        auto* b = new QPushButton(decl.text, &parent);
        b->setAutoDefault(false);
        return b;
    }
    case Kind::Check: return new QCheckBox(decl.text, &parent);
    case Kind::CaptionedCheck: return nullptr;  // two widgets: buildRows makes them
    case Kind::Radio: return new QRadioButton(decl.text, &parent);
    case Kind::DropList: {
        auto* c = new QComboBox(&parent);
        c->addItems(decl.items);
        c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        return c;
    }
    case Kind::Edit:
    case Kind::NumberEdit: {
        auto* e = new QLineEdit(&parent);
        if (decl.maxLength > 0) {
            e->setMaxLength(decl.maxLength);
            const int chars = std::max(decl.maxLength, kValueEditChars);
            e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12);
        }
        if (decl.kind == Kind::NumberEdit)
            e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
        return e;
    }
    case Kind::Slider: {
        auto* s = new QSlider(Qt::Horizontal, &parent);
        s->setRange(decl.low, decl.high);
        s->setMinimumWidth(120);
        return s;
    }
    }
    return nullptr;
}

// The caption in the row's caption column, the box in the next one.
QCheckBox* addCaptionedCheck(const ControlSpec& decl, QWidget& parent, QGridLayout& grid, int row, int column)
{
    auto* caption = new QLabel(decl.text, &parent);
    auto* box = new QCheckBox(&parent);
    grid.addWidget(caption, row, column);
    grid.addWidget(box, row, column + 1, 1, std::max(1, decl.span - 1));
    new CaptionOfBox(*caption, *box);
    return box;
}

void buildRows(ControlHost& host, QWidget& parent, QGridLayout& grid, const GroupSpec& group,
               std::map<int, std::vector<int>>& radioGroups)
{
    for (int r = 0; r < static_cast<int>(group.rows.size()); ++r) {
        int column = 0;
        for (const ControlSpec& decl : group.rows[static_cast<size_t>(r)]) {
            if (decl.kind == Kind::CaptionedCheck) {
                host.registerControl(decl.id, addCaptionedCheck(decl, parent, grid, r, column));
                column += decl.span;
                continue;
            }
            if (QWidget* w = makeControl(decl, parent)) {
                grid.addWidget(w, r, column, 1, decl.span);
                if (decl.kind == Kind::Slider)
                    grid.setColumnStretch(column, 1);
                if (decl.id != kNoId)
                    host.registerControl(decl.id, w);
                if (decl.kind == Kind::Radio && decl.radioGroup != 0)
                    radioGroups[decl.radioGroup].push_back(decl.id);
            }
            column += decl.span;
        }
    }
}

}  // namespace

QVBoxLayout* buildPage(ControlHost& host, QWidget& parent, const PageSpec& decl)
{
    auto* layout = new QVBoxLayout(&parent);
    auto* page = new QGridLayout;
    std::map<int, std::vector<int>> radioGroups;
    for (const GroupSpec& group : decl.groups) {
        auto* grid = new QGridLayout;
        if (group.title.isEmpty() && group.id == kNoId) {
            buildRows(host, parent, *grid, group, radioGroups);
            page->addLayout(grid, group.row, group.column, group.rowSpan, group.columnSpan, Qt::AlignTop);
            continue;
        }
        auto* box = new QGroupBox(group.title, &parent);
        box->setLayout(grid);
        buildRows(host, *box, *grid, group, radioGroups);
        if (group.id != kNoId)
            host.registerControl(group.id, box);
        page->addWidget(box, group.row, group.column, group.rowSpan, group.columnSpan, Qt::AlignTop);
    }
    for (const auto& [number, ids] : radioGroups)
        host.addRadioGroup(ids);
    layout->addLayout(page);
    layout->addStretch(1);
    return layout;
}

void addDialogButtons(ControlHost& host, QWidget& parent, QVBoxLayout& layout, const QString& ok, const QString& cancel)
{
    auto* okButton = new QPushButton(ok, &parent);
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(cancel, &parent);
    cancelButton->setAutoDefault(false);
    auto* box = new QDialogButtonBox(&parent);
    box->addButton(okButton, QDialogButtonBox::AcceptRole);
    box->addButton(cancelButton, QDialogButtonBox::RejectRole);
    layout.addWidget(box);
    host.registerControl(kIdOk, okButton);
    host.registerControl(kIdCancel, cancelButton);
}

QLabel* buildMessageLayout(ControlHost& host, QWidget& parent, int textId, const QString& ok, int minimumWidth)
{
    auto* text = new QLabel(&parent);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setMinimumWidth(minimumWidth);
    auto* okButton = new QPushButton(ok, &parent);
    okButton->setDefault(true);
    auto* buttons = new QDialogButtonBox(&parent);
    buttons->setCenterButtons(true);
    buttons->addButton(okButton, QDialogButtonBox::AcceptRole);
    auto* layout = new QVBoxLayout(&parent);
    layout->addWidget(text, 1);
    layout->addWidget(buttons);
    host.registerControl(textId, text);
    host.registerControl(kIdOk, okButton);
    return text;
}

}  // namespace velmar::ui
