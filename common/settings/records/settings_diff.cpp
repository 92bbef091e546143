#include "records/settings_diff.h"

#include <algorithm>

#include "field_catalog.h"

namespace velmar {

std::vector<FieldDifference> diffFields(const std::string& set, const FieldList& first, const FieldList& second)
{
    std::vector<FieldDifference> out;
    const std::size_t common = std::min(first.size(), second.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (first[i] == second[i])
            continue;
        if (first[i].name == second[i].name)
            out.push_back({set, first[i].name, first[i].value, second[i].value});
        else
            out.push_back({set, first[i].name + " / " + second[i].name, first[i].value, second[i].value});
    }
    // Lists of one shape never differ in length; should they, the surplus is a difference too.
    for (std::size_t i = common; i < first.size(); ++i)
        out.push_back({set, first[i].name, first[i].value, ""});
    for (std::size_t i = common; i < second.size(); ++i)
        out.push_back({set, second[i].name, "", second[i].value});
    return out;
}

std::vector<FieldDifference> diffRecordSets(const std::string& set, const SettingsRecordSet& first,
                                            const SettingsRecordSet& second)
{
    return diffFields(set, listFields(first), listFields(second));
}

std::vector<FieldDifference> diffImages(const DecodedImage& first, const DecodedImage& second, SettingsView view)
{
    std::vector<FieldDifference> out;
    for (std::size_t i = 0; i < first.sets.size(); ++i) {
        auto part = diffFields(first.sets[i].name, flattenFields("", listSet(view, first.sets[i])),
                               flattenFields("", listSet(view, second.sets[i])));
        out.insert(out.end(), part.begin(), part.end());
    }
    auto unit = diffFields("Unit", flattenFields("unit.", listUnitFields(first.unit)),
                           flattenFields("unit.", listUnitFields(second.unit)));
    out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

}  // namespace velmar
