// Access keys (Alt and a letter) for the labels and buttons of one window,
// marked the platform's way: "&" before the letter, "&&" for a plain "&".
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Gives each text an access key of its own: one of its letters or digits
// (ASCII, compared without case), never one of `reserved` (in capitals),
// never the same for two texts. As many texts as possible get a key; when
// there are not enough, the later texts go without (a text without one
// keeps its words). Keys are taken from the first letters of words where
// that can be, earlier texts first. The results are in the order of `texts`.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts, std::string_view reserved);
