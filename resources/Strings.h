#pragma once

// String resources by id; an id without a string gives the empty text, as an
// absent string resource loads as empty.
const char* LoadResourceString(int id);
