#include "ui/shown_rows.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <map>
#include <set>

#include "ui/control_host.h"
#include "ui/data_exchange.h"

namespace velmar::ui {

namespace {

struct Cell {
    int column;
    QWidget* widget;
};

// A layout's items in the order they stand: a grid's by row, then column.
std::vector<QLayoutItem*> itemsInOrder(QLayout& layout)
{
    std::vector<std::pair<std::pair<int, int>, QLayoutItem*>> items;
    auto* grid = qobject_cast<QGridLayout*>(&layout);
    for (int i = 0; i < layout.count(); ++i) {
        int row = i, column = 0, rowSpan = 0, columnSpan = 0;
        if (grid)
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        items.push_back({{row, column}, layout.itemAt(i)});
    }
    std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QLayoutItem*> ordered;
    for (const auto& item : items)
        ordered.push_back(item.second);
    return ordered;
}

// A grid of controls, as against a grid of boxes and grids.
bool holdsControls(QLayout& layout)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (item->layout() || qobject_cast<QGroupBox*>(item->widget()))
            return false;
    }
    return true;
}

QString joined(const QString& caption, const QString& more)
{
    return caption.isEmpty() ? more : more.isEmpty() ? caption : caption + QLatin1Char(' ') + more;
}

class Reader {
public:
    Reader(const ControlHost& host, const ReadFilter& filter, const QWidget& root)
        : host_(host), filter_(filter), root_(root)
    {
    }

    std::vector<ShownRow> read()
    {
        if (QLayout* layout = root_.layout())
            readLayout(*layout, {}, true);
        return std::move(rows_);
    }

private:
    void readLayout(QLayout& layout, const QString& group, bool visible)
    {
        if (auto* grid = qobject_cast<QGridLayout*>(&layout); grid && holdsControls(layout)) {
            readGrid(*grid, group, visible);
            return;
        }
        for (QLayoutItem* item : itemsInOrder(layout)) {
            if (QLayout* inner = item->layout()) {
                readLayout(*inner, group, visible);
            } else if (auto* box = qobject_cast<QGroupBox*>(item->widget()); box && box->layout()) {
                const QString title = box->title().isEmpty() ? group : box->title();
                readLayout(*box->layout(), title, visible && box->isVisibleTo(&root_));
            }
        }
    }

    void readGrid(QGridLayout& grid, const QString& group, bool visible)
    {
        // Every grid counts, shown or not, so that the keys stay where they are.
        const int ordinal = grids_++;
        std::map<int, std::vector<Cell>> rows;
        for (int i = 0; i < grid.count(); ++i) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid.getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
            if (QWidget* w = grid.itemAt(i)->widget())
                rows[row].push_back({column, w});
        }
        for (auto& [row, cells] : rows)
            std::sort(cells.begin(), cells.end(), [](const Cell& a, const Cell& b) { return a.column < b.column; });
        if (!visible)
            return;
        const std::map<int, QString> headings = columnHeadings(rows);
        QString caption;
        for (const auto& [row, cells] : rows) {
            if (!headings.empty() && row == rows.begin()->first)
                continue;
            std::vector<Cell> shown;
            std::copy_if(cells.begin(), cells.end(), std::back_inserter(shown),
                         [this](const Cell& c) { return c.widget->isVisibleTo(&root_); });
            if (shown.empty())
                continue;
            // A row that starts with a gap stands under the row above; one that starts with
            // anything else but a shown label (its caption hidden) has no caption.
            auto first = shown.begin();
            if (auto* label = qobject_cast<QLabel*>(first->widget)) {
                caption = label->text();
                ++first;
            } else if (cells.front().column == 0) {
                caption.clear();
            }
            const QString key = QStringLiteral("%1.%2").arg(ordinal).arg(row);
            readRow(key, group, caption.isEmpty() ? group : caption, headings, first, shown.end());
        }
    }

    // Headings stand over the columns in a first row of labels whose first cell is empty.
    static std::map<int, QString> columnHeadings(const std::map<int, std::vector<Cell>>& rows)
    {
        std::map<int, QString> headings;
        if (rows.size() < 2)
            return headings;
        const std::vector<Cell>& first = rows.begin()->second;
        for (const Cell& cell : first) {
            auto* label = qobject_cast<QLabel*>(cell.widget);
            if (!label || cell.column == 0)
                return {};
            headings[cell.column] = label->text();
        }
        return headings;
    }

    void readRow(const QString& key, const QString& group, const QString& caption,
                 const std::map<int, QString>& headings, std::vector<Cell>::const_iterator from,
                 std::vector<Cell>::const_iterator to)
    {
        ShownRow row{key, group, caption, {}};
        for (auto it = from; it != to; ++it) {
            QWidget* w = it->widget;
            if (qobject_cast<QSlider*>(w))
                continue;
            if (auto* label = qobject_cast<QLabel*>(w)) {
                row.parts.push_back({.text = label->text(), .enabled = label->isEnabled(), .id = host_.controlId(w)});
                continue;
            }
            if (skipped(w))
                continue;
            auto* check = qobject_cast<QCheckBox*>(w);
            const auto heading = headings.find(it->column);
            if ((check && !check->text().isEmpty()) || heading != headings.end()) {
                // A row of its own, captioned by its row and its own text or column heading.
                const QString own = heading != headings.end() ? heading->second : check->text();
                ShownRow alone{QStringLiteral("%1.%2").arg(key).arg(it->column), group, joined(caption, own), {}};
                if (addPart(alone, *w))
                    keep(std::move(alone));
                continue;
            }
            addPart(row, *w);
        }
        keep(std::move(row));
    }

    bool skipped(const QWidget* w) const
    {
        const int id = host_.controlId(w);
        return std::find(filter_.skip.begin(), filter_.skip.end(), id) != filter_.skip.end();
    }

    // False when there is nothing to add: a radio group already read.
    bool addPart(ShownRow& row, QWidget& w)
    {
        ShownPart part{.enabled = w.isEnabled(), .id = host_.controlId(&w)};
        if (auto* combo = qobject_cast<QComboBox*>(&w)) {
            if (combo->currentIndex() >= 0)
                part.text = combo->currentText();
            else
                part = {.kind = ShownPart::Kind::NoChoice,
                        .stored = unshownValue(combo),
                        .enabled = part.enabled,
                        .id = part.id};
        } else if (auto* edit = qobject_cast<QLineEdit*>(&w)) {
            part.text = edit->text();
        } else if (auto* check = qobject_cast<QCheckBox*>(&w)) {
            part.kind = ShownPart::Kind::Check;
            part.checked = check->isChecked();
        } else if (auto* radio = qobject_cast<QRadioButton*>(&w)) {
            if (!radioGroupPart(*radio, part))
                return false;
        } else if (auto* button = qobject_cast<QAbstractButton*>(&w)) {
            part.text = button->text();
        } else {
            return false;
        }
        row.parts.push_back(part);
        return true;
    }

    // The choice of the radio's whole group, once per group.
    bool radioGroupPart(QRadioButton& radio, ShownPart& part)
    {
        const QList<QAbstractButton*> buttons = radio.group() ? radio.group()->buttons()
                                                              : QList<QAbstractButton*>{&radio};
        if (!radiosRead_.insert(buttons.front()).second)
            return false;
        part.enabled = std::any_of(buttons.begin(), buttons.end(),
                                   [](const QAbstractButton* b) { return b->isEnabled(); });
        const auto checked = std::find_if(buttons.begin(), buttons.end(),
                                          [](const QAbstractButton* b) { return b->isChecked(); });
        if (checked != buttons.end()) {
            part.text = (*checked)->text();
            part.id = host_.controlId(*checked);
        } else {
            part.kind = ShownPart::Kind::NoChoice;
            part.stored = unshownValue(buttons.front());
            part.id = host_.controlId(buttons.front());
        }
        return true;
    }

    void keep(ShownRow row)
    {
        if (row.parts.empty())
            return;
        if (!filter_.only.empty()) {
            const bool listed = std::any_of(row.parts.begin(), row.parts.end(), [this](const ShownPart& p) {
                return std::find(filter_.only.begin(), filter_.only.end(), p.id) != filter_.only.end();
            });
            if (!listed)
                return;
        }
        rows_.push_back(std::move(row));
    }

    const ControlHost& host_;
    const ReadFilter& filter_;
    const QWidget& root_;
    int grids_ = 0;
    std::set<const QAbstractButton*> radiosRead_;
    std::vector<ShownRow> rows_;
};

}  // namespace

std::vector<ShownRow> readShownRows(const ControlHost& host, const ReadFilter& filter)
{
    return Reader(host, filter, host.widget()).read();
}

}  // namespace velmar::ui
