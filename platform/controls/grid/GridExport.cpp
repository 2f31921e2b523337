#include "platform/controls/grid/GridExport.h"

#include <fstream>
#include <string_view>
#include <vector>

namespace tw::grid {

namespace gridexport_detail {

// Markup-escaped text. Control characters XML cannot hold at all become
// U+FFFD so the file always parses.
void AppendEscaped(std::string& out, std::string_view text)
{
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append("&quot;"); break;
        default:
            if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out.append("\xEF\xBF\xBD");
            else
                out.push_back(c);
        }
    }
}

std::vector<int> FieldsOfColumns(const GridModel& model)
{
    std::vector<int> fields;
    for (int c : model.Columns().VisibleIndexes())
        fields.push_back(model.FieldOfColumn(c));
    return fields;
}

}  // namespace gridexport_detail

std::string GridExport::Text(const GridModel& model)
{
    std::vector<int> rows(size_t(model.Dataset().RowCount()));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = int(i);
    return model.TabSeparated(rows, true);
}

std::string GridExport::Html(const GridModel& model)
{
    using gridexport_detail::AppendEscaped;
    std::string out = "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>Rows</title></head>\n<body>\n"
                      "<table border=\"1\" cellspacing=\"0\">\n<tr>";
    for (int c : model.Columns().VisibleIndexes()) {
        out.append("<th>");
        AppendEscaped(out, model.Columns().Item(c)->caption);
        out.append("</th>");
    }
    out.append("</tr>\n");
    const std::vector<int> fields = gridexport_detail::FieldsOfColumns(model);
    for (int row = 0; row < model.Dataset().RowCount(); ++row) {
        out.append("<tr>");
        for (int field : fields) {
            out.append("<td>");
            AppendEscaped(out, model.Dataset().Text(row, field));
            out.append("</td>");
        }
        out.append("</tr>\n");
    }
    out.append("</table>\n</body>\n</html>\n");
    return out;
}

std::string GridExport::Xml(const GridModel& model)
{
    using gridexport_detail::AppendEscaped;
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rows>\n  <columns>\n";
    for (int c : model.Columns().VisibleIndexes()) {
        const GridColumn& column = *model.Columns().Item(c);
        out.append("    <column name=\"");
        AppendEscaped(out, column.name);
        out.append("\" field=\"");
        AppendEscaped(out, column.fieldName);
        out.append("\" caption=\"");
        AppendEscaped(out, column.caption);
        out.append("\"/>\n");
    }
    out.append("  </columns>\n");
    const std::vector<int> fields = gridexport_detail::FieldsOfColumns(model);
    for (int row = 0; row < model.Dataset().RowCount(); ++row) {
        out.append("  <row>");
        for (int field : fields) {
            if (model.Dataset().IsNull(row, field)) {
                out.append("<cell null=\"true\"/>");
                continue;
            }
            out.append("<cell>");
            AppendEscaped(out, model.Dataset().Text(row, field));
            out.append("</cell>");
        }
        out.append("</row>\n");
    }
    out.append("</rows>\n");
    return out;
}

bool GridExport::WriteFile(const std::string& path, const std::string& contents)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return file && file.write(contents.data(), std::streamsize(contents.size())) && file.flush();
}

}  // namespace tw::grid
