// Access keys (Alt and a letter) for the labels and buttons of one window,
// marked the platform's way: "&" before the letter, "&&" for a plain "&".
#pragma once
#include <string>
#include <string_view>
#include <vector>

// Gives each text an access key of its own: one of its letters or digits
// (ASCII, compared without case), never one of `reserved`, never the same
// for two texts. The first letters of words are preferred, and earlier
// texts keep their preferred keys unless a later text could have none
// otherwise; as many texts as possible get a key, and a text left without
// one keeps its words. The results are in the order of `texts`.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts, std::string_view reserved);
