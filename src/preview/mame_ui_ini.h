// MAME's ui.ini, read as MAME reads it: the folders of its pictures (titles,
// flyers, cabinets, ...) and of its information files (history.xml and the
// .dat files). MAME looks for ui.ini along its ini path; a missing file, or
// an option it does not set, means MAME's default.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct Settings;

// Option name -> value. MAME's lines are "name value", the value in double
// quotes when it holds a blank; '#' starts a comment.
using UiOptions = std::unordered_map<std::string, std::string>;
UiOptions ParseUiIni(std::string_view text);

// The first ui.ini along MAME's ini path (the `inipath` of All MAME Options,
// else MAME's ".;ini;ini/presets"), relative paths against MAME's folder;
// "" when there is none.
std::string FindUiIni(const Settings& settings);
UiOptions ReadMameUiOptions(const Settings& settings);

// The option's folders: the value (or `fallback` when ui.ini does not set
// it) split at ';', each relative to MAME's folder.
std::vector<std::string> UiFolders(const UiOptions& options, const char* name, std::string_view fallback,
                                   const Settings& settings);

// Where MAME looks for history.xml and the .dat files.
constexpr const char* kHistoryPathOption = "historypath";
constexpr const char* kHistoryPathDefault = "history;dats;.";
