#include "app/report_table.h"

#include <list>
#include <map>

#include "app/report_texts.h"

namespace velmar::editor {

namespace {

// Every row's key once, in the order the columns show them: a row one column hides goes
// where the columns that show it put it.
std::list<QString> lineOrder(const std::vector<std::vector<ReadRow>>& columns)
{
    std::list<QString> order;
    std::map<QString, std::list<QString>::iterator> placed;
    for (const auto& column : columns) {
        auto next = order.begin();
        for (const ReadRow& row : column) {
            const QString key = row.key();
            if (const auto found = placed.find(key); found != placed.end()) {
                next = std::next(found->second);
                continue;
            }
            placed[key] = order.insert(next, key);
        }
    }
    return order;
}

bool groupDiffers(const ReportLine& line, const std::vector<int>& group)
{
    for (const int column : group) {
        const ReportCell& first = line.cells[static_cast<size_t>(group.front())];
        const ReportCell& cell = line.cells[static_cast<size_t>(column)];
        if (cell.shown != first.shown || cellText(cell) != cellText(first))
            return true;
    }
    return false;
}

}  // namespace

QString partText(const ui::ShownPart& part)
{
    switch (part.kind) {
    case ui::ShownPart::Kind::Text: return part.text;
    case ui::ShownPart::Kind::Check: return part.checked ? texts::kChecked : texts::kUnchecked;
    case ui::ShownPart::Kind::NoChoice:
        return part.stored ? QString(texts::kNotInList).arg(*part.stored) : QString(texts::kNoChoice);
    }
    return {};
}

QString cellText(const ReportCell& cell)
{
    QStringList words;
    for (const ui::ShownPart& part : cell.parts)
        words << partText(part);
    return words.join(QLatin1Char(' '));
}

ReportTable tabulate(const std::vector<std::vector<ReadRow>>& columns, const std::vector<std::vector<int>>& compared)
{
    ReportTable table;
    std::map<QString, size_t> lineOf;
    for (const QString& key : lineOrder(columns)) {
        lineOf[key] = table.lines.size();
        table.lines.push_back({.cells = std::vector<ReportCell>(columns.size())});
    }
    for (size_t c = 0; c < columns.size(); ++c) {
        for (const ReadRow& row : columns[c]) {
            ReportLine& line = table.lines[lineOf.at(row.key())];
            // The first column that shows a row names it; a caption one set's page hides is
            // taken from another.
            if (line.path.empty())
                line = {row.path, row.shown.group, row.shown.caption, std::move(line.cells)};
            if (line.caption.isEmpty())
                line.caption = row.shown.caption;
            line.cells[c] = {true, row.shown.parts};
        }
    }
    table.differing.assign(compared.size(), 0);
    for (ReportLine& line : table.lines) {
        for (size_t g = 0; g < compared.size(); ++g) {
            if (groupDiffers(line, compared[g])) {
                line.differs = true;
                ++table.differing[g];
            }
        }
    }
    return table;
}

}  // namespace velmar::editor
