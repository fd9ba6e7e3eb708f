#pragma once
// Which string identifier of a language data file belongs to which component
// name or text key. Identifiers below 2000 replace a caption, 2000-2999 a
// text (or a list's lines), 3000-3999 a hint.
#include <span>

struct TResourceRow {
    const char *Name;  // component name or text key
    int ID;            // string identifier in the language data
};

// All rows in their fixed order; a row's "Key" is its index + 1.
std::span<const TResourceRow> ResourceMap();
