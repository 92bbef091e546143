#pragma once

#include "pages/bound_value_pair.h"

namespace velmar::editor {

// A bound pair's scale (positions per displayed unit) and its range in displayed units.
struct PairRange {
    double scale = 1.0;
    double low = 0.0;
    double high = 0.0;
    bool operator==(const PairRange&) const = default;
};

// SetScale (offset 0) and SetLimits; the position is set by the caller.
inline void applyRange(CBoundValueDlg& pair, const PairRange& range)
{
    pair.SetScale(range.scale, 0.0);
    pair.SetLimits(range.low, range.high);
}

}  // namespace velmar::editor
