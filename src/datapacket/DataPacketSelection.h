#pragma once
// The selection a data-packet table understands: two integer fields, each equal to a
// decimal integer, as in "NODE_LEVEL = 3 and PARENT_ID = 17".
#include <optional>
#include <string_view>
#include <vector>

#include "datapacket/DataPacketFields.h"

namespace orvelin {

struct SelectionCondition {
    int firstField = 0;
    int firstValue = 0;
    int secondField = 0;
    int secondValue = 0;
};

// Blank text is no condition. Blanks around the tokens are free and "and" may be written in
// any case; any other text throws Error, as does a field that is unknown or not an integer.
std::optional<SelectionCondition> ParseSelection(std::wstring_view text, const std::vector<FieldDef>& fields);

}  // namespace orvelin
