#pragma once

// A setting's value as tools list, print and compare it, whichever view names it: a number,
// a text, a list by index or a record by member name.

#include <cstddef>
#include <string>
#include <vector>

namespace velmar {

struct FieldValue {
    enum class Kind { Integer, Text, List, Record };
    Kind kind = Kind::Integer;
    long long integer = 0;
    std::string text;
    std::vector<FieldValue> items;  // a List's entries, or a Record's members
    std::vector<std::string> keys;  // a Record's member names, one per item

    bool operator==(const FieldValue&) const = default;
};

FieldValue integerValue(long long v);
FieldValue textValue(std::string text);
FieldValue listValue(std::vector<FieldValue> items);

struct Field {
    const char* group;  // a heading for people
    const char* name;   // the field's name in its view
    FieldValue value;
};

// One row of a view's declaration: a field's name and how to read it from its owner.
template <typename Owner>
struct FieldEntry {
    const char* group;
    const char* name;
    FieldValue (*read)(const Owner&);
};

// The struct a pointer to member belongs to, for readers declared by member alone.
template <typename Pointer>
struct MemberOf;
template <typename Owner, typename T>
struct MemberOf<T Owner::*> {
    using Type = Owner;
};

template <typename Owner, std::size_t N>
std::vector<Field> listEntries(const FieldEntry<Owner> (&table)[N], const Owner& owner)
{
    std::vector<Field> out;
    out.reserve(N);
    for (const auto& entry : table)
        out.push_back({entry.group, entry.name, entry.read(owner)});
    return out;
}

template <typename Owner, std::size_t N>
FieldValue recordValue(const FieldEntry<Owner> (&table)[N], const Owner& owner)
{
    FieldValue f;
    f.kind = FieldValue::Kind::Record;
    for (const auto& entry : table) {
        f.keys.emplace_back(entry.name);
        f.items.push_back(entry.read(owner));
    }
    return f;
}

// "12", "text", "[1, 2, [3, 4]]", "{a: 1, b: 2}": one line for people.
std::string formatFieldValue(const FieldValue& value);

// One scalar a line, named as a path: "sourceName[2]", "timers.entry[0].timer[1].days".
struct NamedValue {
    std::string name;
    std::string value;  // as formatFieldValue writes it
    bool operator==(const NamedValue&) const = default;
};
using FieldList = std::vector<NamedValue>;

FieldList flattenFields(const std::string& prefix, const std::vector<Field>& fields);

}  // namespace velmar
