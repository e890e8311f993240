// SPDX-License-Identifier: MIT
// The guide document the program is delivered with: on the very first start it is copied to the
// per-user data directory, where the user may change it, and opened.
#pragma once

#include <string>

namespace rn {

inline constexpr const char* kSampleDirectoryName = "sample";

// Copies the directory `source` to `target` unless something exists at `target` already, and returns
// the first *.Rnote file (by name) of `target`; empty when there is none, or no `source` (a program
// delivered without the guide shows none). The copy is made under a temporary name beside `target`
// and renamed only once it is complete, so an interrupted copy never stands at `target`. A copy that
// fails is removed and reported with the "cannot create" error box.
std::string PlaceSampleGuide(const std::string& source, const std::string& target);

// PlaceSampleGuide from the installed data directory's sample to the per-user data directory's.
std::string PlaceDeliveredSampleGuide();

// The status text when there is no guide to place: where it was looked for (UTF-8).
std::string MissingGuideText();

}  // namespace rn
