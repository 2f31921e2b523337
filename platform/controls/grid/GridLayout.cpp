#include "platform/controls/grid/GridLayout.h"

#include <charconv>
#include <map>

namespace tw::grid {

namespace gridlayout_detail {

struct Token {
    std::string key;    // before '=', or the word itself
    std::string value;  // after '=', or the quoted text
    bool quoted = false;
    bool hasValue = false;
};

// Splits a line into words, quoted strings ("" for a quote) and key=value pairs.
bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error)
{
    size_t at = 0;
    auto readQuoted = [&](std::string& out) {
        ++at;
        for (; at < line.size(); ++at) {
            if (line[at] != '"') {
                out.push_back(line[at]);
                continue;
            }
            if (at + 1 < line.size() && line[at + 1] == '"') {
                out.push_back('"');
                ++at;
                continue;
            }
            ++at;
            return true;
        }
        error = "a quoted text is not closed";
        return false;
    };
    while (at < line.size()) {
        if (line[at] == ' ' || line[at] == '\t' || line[at] == '\r') {
            ++at;
            continue;
        }
        if (line[at] == '#')
            break;
        Token token;
        if (line[at] == '"') {
            token.quoted = true;
            if (!readQuoted(token.value))
                return false;
            tokens.push_back(std::move(token));
            continue;
        }
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '=' && line[at] != '\r')
            token.key.push_back(line[at++]);
        if (at < line.size() && line[at] == '=') {
            ++at;
            token.hasValue = true;
            if (at < line.size() && line[at] == '"') {
                token.quoted = true;
                if (!readQuoted(token.value))
                    return false;
            } else {
                while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r')
                    token.value.push_back(line[at++]);
            }
        }
        tokens.push_back(std::move(token));
    }
    return true;
}

bool Number(const std::string& text, int& value)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

const std::map<std::string, EditorKind>& EditorNames()
{
    static const std::map<std::string, EditorKind> names{
        {"text", EditorKind::Text},         {"mask", EditorKind::Mask},         {"button", EditorKind::Button},
        {"date", EditorKind::Date},         {"check", EditorKind::Check},       {"spin", EditorKind::Spin},
        {"picklist", EditorKind::PickList}, {"image", EditorKind::Image},       {"memo", EditorKind::Memo},
        {"time", EditorKind::Time},         {"lookup", EditorKind::Lookup},     {"currency", EditorKind::Currency},
        {"hyperlink", EditorKind::Hyperlink},
    };
    return names;
}

const std::map<std::string, FieldType>& FieldTypeNames()
{
    static const std::map<std::string, FieldType> names{
        {"text", FieldType::Text}, {"string", FieldType::String}, {"boolean", FieldType::Boolean}, {"flag", FieldType::Flag}};
    return names;
}

// One column option; false with error set when it is not one.
bool ColumnOption(const Token& token, GridColumn& column, std::string& error)
{
    const std::string& key = token.key;
    int number = 0;
    if (key == "hidden" && !token.hasValue) {
        column.visible = false;
        return true;
    }
    if (key == "readonly" && !token.hasValue) {
        column.editable = false;
        return true;
    }
    if (!token.hasValue) {
        error = "unknown column option '" + key + "'";
        return false;
    }
    if (key == "caption")
        column.caption = token.value;
    else if (key == "field")
        column.fieldName = token.value;
    else if (key == "mask")
        column.mask = token.value;
    else if (key == "checked")
        column.checkedText = token.value;
    else if (key == "unchecked")
        column.uncheckedText = token.value;
    else if (key == "editor") {
        auto kind = EditorNames().find(token.value);
        if (kind == EditorNames().end()) {
            error = "unknown editor '" + token.value + "'";
            return false;
        }
        column.editor = kind->second;
    } else if ((key == "width" || key == "increment" || key == "rows") && Number(token.value, number) && number > 0) {
        (key == "width" ? column.width : key == "increment" ? column.spinIncrement : column.dropDownRows) = number;
    } else {
        error = "bad column option '" + key + "=" + token.value + "'";
        return false;
    }
    return true;
}

bool Statement(const std::vector<Token>& tokens, GridLayout& layout, std::string& error)
{
    const std::string& word = tokens[0].key;
    auto quotedAt = [&](size_t i) { return i < tokens.size() && tokens[i].quoted && !tokens[i].hasValue; };
    int number = 0;
    if (word == "dataset" && tokens.size() == 2 && Number(tokens[1].key, number)) {
        layout.datasetType = number;
        return true;
    }
    if (word == "key" && (tokens.size() == 1 || (tokens.size() == 2 && quotedAt(1)))) {
        layout.keyField = tokens.size() == 2 ? tokens[1].value : "";
        return true;
    }
    if (word == "band" && tokens.size() == 2 && Number(tokens[1].key, number)) {
        layout.bandWidths.push_back(number);
        return true;
    }
    if (word == "field" && quotedAt(1) && (tokens.size() == 3 || tokens.size() == 4)) {
        auto type = FieldTypeNames().find(tokens[2].key);
        if (type == FieldTypeNames().end()) {
            error = "unknown field type '" + tokens[2].key + "'";
            return false;
        }
        int size = 0;
        if (tokens.size() == 4 && !Number(tokens[3].key, size)) {
            error = "a field size is a number";
            return false;
        }
        layout.fields.push_back({tokens[1].value, type->second, size});
        return true;
    }
    if (word == "column" && quotedAt(1)) {
        GridColumn column;
        column.name = column.caption = tokens[1].value;
        for (size_t i = 2; i < tokens.size(); ++i) {
            if (!ColumnOption(tokens[i], column, error))
                return false;
        }
        layout.columns.push_back(std::move(column));
        return true;
    }
    error = "not a layout statement: '" + word + "'";
    return false;
}

}  // namespace gridlayout_detail

std::optional<GridLayout> GridLayout::Parse(std::string_view text, std::string& error)
{
    using namespace gridlayout_detail;
    GridLayout layout;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::vector<Token> tokens;
        std::string problem;
        if (!Tokenize(line, tokens, problem) || (!tokens.empty() && !Statement(tokens, layout, problem))) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            return std::nullopt;
        }
    }
    return layout;
}

void GridLayout::ApplyTo(GridModel& model) const
{
    model.Close();
    model.Dataset().ClearFields();
    for (const FieldDef& field : fields)
        model.Dataset().AddField(field);
    model.Columns().Destroy();
    for (const GridColumn& column : columns)
        model.Columns().Add(column);
    model.Changed();
}

}  // namespace tw::grid
