#pragma once

#include <string>
#include <string_view>

// How a reader information text is classified and where its model name sits.
// Application firmware: VAN=<VAN company>_<serial>_<certification version>_
// <reader version>_<model name>. Boot loader: a text holding "_BIOS".

// The old DE-635 boot loader: its text starts with "DE-635_BIOS" and it takes the
// typed model name without any check.
bool IsDe635BootLoaderInfo(std::string_view info);

// Any other boot loader: "_BIOS" somewhere after the first character.
bool IsBootLoaderInfo(std::string_view info);

// An application firmware of the RIVI network: the text starts with "VAN=RIVI".
bool IsRiviNetworkInfo(std::string_view info);

// The model name of an application firmware: four times, the text up to and
// including its first "_" is dropped (a step without "_" changes nothing).
std::string ModelNameFromInfo(std::string_view info);

// The typed model name without leading and trailing white space.
std::string TrimmedModelName(std::string_view typed);

// The length a typed boot-loader model name must have, in bytes.
inline constexpr std::size_t kModelNameLength = 12;
