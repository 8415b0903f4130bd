#include "app/recent_menu.h"

namespace {
std::string DoubleAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}
}  // namespace

std::vector<RecentMenuItem> RecentMenuItems(const IdList& recent, const GameList& list) {
  std::vector<RecentMenuItem> items;
  for (int32_t number : recent) {
    const GameEntry* entry = FindGameByNumber(list, number);
    if (!entry) continue;
    int k = static_cast<int>(items.size());
    std::string text = "&" + std::to_string(k + 1) + "  " + DoubleAmpersands(entry->title);
    if (!entry->info.empty()) text += " [" + DoubleAmpersands(entry->info) + "]";
    items.push_back({kRecentFirstId + k, number, text});
  }
  return items;
}
