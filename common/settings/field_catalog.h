#pragma once

// Every field of a settings set and of the unit-wide area by its name, with the value the
// store holds, for tools that list, export or compare settings.

#include <string>
#include <vector>

#include "settings_fields.h"

namespace velmar {

struct FieldValue {
    enum class Kind { Integer, Text, List };
    Kind kind = Kind::Integer;
    long long integer = 0;
    std::string text;
    std::vector<FieldValue> items;

    bool operator==(const FieldValue&) const = default;
};

struct Field {
    const char* group;  // a heading for people
    const char* name;   // the field's name in the store
    FieldValue value;
};

std::vector<Field> listSetFields(const SetFields& set);
std::vector<Field> listUnitFields(const UnitFields& unit);

// "12", "text", "[1, 2, [3, 4]]": one line for people.
std::string formatFieldValue(const FieldValue& value);

}  // namespace velmar
