#include "records/settings_view.h"

#include "field_catalog.h"
#include "records/record_fields.h"

namespace velmar {

std::vector<Field> listSet(SettingsView view, const DecodedSet& set)
{
    return view == SettingsView::Store ? listSetFields(set.fields) : listRecordFields(set.records);
}

}  // namespace velmar
