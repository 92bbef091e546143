#include "app/report_html.h"

#include <algorithm>

#include "app/report_texts.h"

namespace velmar::editor {

namespace {

constexpr const char* kGrey = "#8a8a8a";
constexpr const char* kDifferingBackground = "#fff0b3";
constexpr const char* kHeadingBackgrounds[] = {"#d5dde9", "#e6ebf2", "#f0f3f7"};

QString escaped(const QString& text) { return text.toHtmlEscaped(); }

QString greyed(const QString& html) { return QStringLiteral("<span style=\"color:%1\">%2</span>").arg(kGrey, html); }

QString cellHtml(const ReportCell& cell)
{
    if (!cell.shown)
        return greyed(QStringLiteral("<i>%1</i>").arg(escaped(texts::kNotShown)));
    QStringList parts;
    for (const ui::ShownPart& part : cell.parts) {
        const QString text = escaped(partText(part));
        parts << (part.enabled ? text : greyed(text));
    }
    return parts.join(QLatin1Char(' '));
}

class Writer {
public:
    Writer(const ReportColumns& columns) : columns_(columns) {}

    QString document(const ReportHead& head, const ReportTable& table, bool differencesOnly)
    {
        html_ += QStringLiteral(
                     "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>%1</title></head>\n"
                     "<body style=\"font-family:sans-serif; font-size:10pt\">\n")
                     .arg(escaped(head.title));
        html_ += QStringLiteral("<h1>%1</h1>\n").arg(escaped(head.title));
        facts(head.factsTitle, head.facts);
        for (const QString& line : head.summary)
            html_ += QStringLiteral("<p>%1</p>\n").arg(escaped(line));
        const ReportLine* previous = nullptr;
        for (const ReportLine& line : table.lines) {
            if (differencesOnly && !line.differs)
                continue;
            const size_t same = previous ? commonDepth(previous->path, line.path) : 0;
            const bool newSection = !previous || same < line.path.size() || same < previous->path.size();
            // A table per page: the PDF lays out many short tables much faster than one long one
            // (and separate cell borders much faster than collapsed ones).
            if (same == 0) {
                if (previous)
                    html_ += QStringLiteral("</table>\n");
                openTable();
            }
            for (size_t depth = same; depth < line.path.size(); ++depth)
                heading(line.path[depth].title, depth);
            const bool newGroup = newSection || line.group != previous->group;
            // A box's title heads its rows, unless a heading or the row's caption says it already.
            const bool titled = line.group == line.caption ||
                                (!line.path.empty() && line.group == line.path.back().title);
            if (newGroup && !line.group.isEmpty() && !titled)
                groupHeading(line.group);
            row(line);
            previous = &line;
        }
        if (previous)
            html_ += QStringLiteral("</table>\n");
        html_ += QStringLiteral("</body></html>\n");
        return html_;
    }

private:
    static size_t commonDepth(const std::vector<ReportSection>& a, const std::vector<ReportSection>& b)
    {
        size_t depth = 0;
        while (depth < a.size() && depth < b.size() && a[depth].key == b[depth].key)
            ++depth;
        return depth;
    }

    int valueColumns() const
    {
        return static_cast<int>(columns_.columns.isEmpty() ? columns_.groups.size() : columns_.columns.size());
    }

    void facts(const QString& title, const std::vector<ReportFact>& facts)
    {
        html_ += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\">\n");
        qsizetype columns = 1;
        for (const ReportFact& fact : facts)
            columns = std::max(columns, fact.values.size() + 1);
        html_ += QStringLiteral("<tr><td colspan=\"%1\" bgcolor=\"%2\"><b>%3</b></td></tr>\n")
                     .arg(columns)
                     .arg(kHeadingBackgrounds[0], escaped(title));
        for (const ReportFact& fact : facts) {
            html_ += QStringLiteral("<tr><td><b>%1</b></td>").arg(escaped(fact.label));
            for (const QString& value : fact.values)
                html_ += QStringLiteral("<td>%1</td>").arg(escaped(value));
            html_ += QStringLiteral("</tr>\n");
        }
        html_ += QStringLiteral("</table>\n");
    }

    void openTable()
    {
        html_ += QStringLiteral(
            "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
            "style=\"border-style:solid; border-color:#b0b0b0; margin-top:8px\">\n");
        tableHead();
    }

    void tableHead()
    {
        const bool twoRows = !columns_.columns.isEmpty();
        const int span = twoRows ? valueColumns() / static_cast<int>(columns_.groups.size()) : 1;
        const QString rows = twoRows ? QStringLiteral(" rowspan=\"2\"") : QString();
        html_ += QStringLiteral("<thead><tr><th%1 width=\"2%\"></th><th%1 align=\"left\">%2</th>")
                     .arg(rows, escaped(texts::kSettingColumn));
        for (const QString& group : columns_.groups)
            html_ += QStringLiteral("<th colspan=\"%1\" align=\"left\">%2</th>").arg(span).arg(escaped(group));
        html_ += QStringLiteral("</tr>\n");
        if (twoRows) {
            html_ += QStringLiteral("<tr>");
            for (const QString& column : columns_.columns)
                html_ += QStringLiteral("<th align=\"left\">%1</th>").arg(escaped(column));
            html_ += QStringLiteral("</tr>\n");
        }
        html_ += QStringLiteral("</thead>\n");
    }

    void heading(const QString& title, size_t depth)
    {
        if (title.isEmpty())
            return;
        const size_t level = std::min(depth, std::size(kHeadingBackgrounds) - 1);
        html_ += QStringLiteral("<tr><td colspan=\"%1\" bgcolor=\"%2\"><b>%3</b></td></tr>\n")
                     .arg(valueColumns() + 2)
                     .arg(kHeadingBackgrounds[level], escaped(title));
    }

    void groupHeading(const QString& group)
    {
        html_ += QStringLiteral("<tr><td></td><td colspan=\"%1\"><i>%2</i></td></tr>\n")
                     .arg(valueColumns() + 1)
                     .arg(escaped(group));
    }

    void row(const ReportLine& line)
    {
        const QString background = line.differs ? QStringLiteral(" bgcolor=\"%1\"").arg(kDifferingBackground)
                                                : QString();
        // A caption is greyed with its controls: where no set's page lets them be changed.
        const bool enabled = std::any_of(line.cells.begin(), line.cells.end(), [](const ReportCell& cell) {
            return std::any_of(cell.parts.begin(), cell.parts.end(), [](const ui::ShownPart& p) { return p.enabled; });
        });
        const QString caption = escaped(line.caption);
        html_ += QStringLiteral("<tr%1><td align=\"center\">%2</td><td>%3</td>")
                     .arg(background, line.differs ? escaped(texts::kDiffersMark) : QString(),
                          enabled ? caption : greyed(caption));
        for (const ReportCell& cell : line.cells)
            html_ += QStringLiteral("<td>%1</td>").arg(cellHtml(cell));
        html_ += QStringLiteral("</tr>\n");
    }

    const ReportColumns& columns_;
    QString html_;
};

}  // namespace

QString reportHtml(const ReportHead& head, const ReportColumns& columns, const ReportTable& table, bool differencesOnly)
{
    return Writer(columns).document(head, table, differencesOnly);
}

}  // namespace velmar::editor
