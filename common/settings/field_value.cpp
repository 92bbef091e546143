#include "field_value.h"

namespace velmar {

FieldValue integerValue(long long v)
{
    FieldValue f;
    f.integer = v;
    return f;
}

FieldValue textValue(std::string text)
{
    FieldValue f;
    f.kind = FieldValue::Kind::Text;
    f.text = std::move(text);
    return f;
}

FieldValue listValue(std::vector<FieldValue> items)
{
    FieldValue f;
    f.kind = FieldValue::Kind::List;
    f.items = std::move(items);
    return f;
}

std::string formatFieldValue(const FieldValue& v)
{
    switch (v.kind) {
    case FieldValue::Kind::Integer: return std::to_string(v.integer);
    case FieldValue::Kind::Text: return '"' + v.text + '"';
    case FieldValue::Kind::List:
    case FieldValue::Kind::Record: break;
    }
    const bool record = v.kind == FieldValue::Kind::Record;
    std::string out = record ? "{" : "[";
    for (std::size_t i = 0; i < v.items.size(); ++i) {
        if (i)
            out += ", ";
        if (record)
            out += v.keys[i] + ": ";
        out += formatFieldValue(v.items[i]);
    }
    return out + (record ? "}" : "]");
}

namespace {

void flattenValue(FieldList& out, const std::string& name, const FieldValue& value)
{
    switch (value.kind) {
    case FieldValue::Kind::Integer:
    case FieldValue::Kind::Text: out.push_back({name, formatFieldValue(value)}); return;
    case FieldValue::Kind::List:
        for (std::size_t i = 0; i < value.items.size(); ++i)
            flattenValue(out, name + "[" + std::to_string(i) + "]", value.items[i]);
        return;
    case FieldValue::Kind::Record:
        for (std::size_t i = 0; i < value.items.size(); ++i)
            flattenValue(out, name + "." + value.keys[i], value.items[i]);
        return;
    }
}

}  // namespace

FieldList flattenFields(const std::string& prefix, const std::vector<Field>& fields)
{
    FieldList out;
    for (const auto& f : fields)
        flattenValue(out, prefix + f.name, f.value);
    return out;
}

}  // namespace velmar
