// Finding and cutting <port> elements in MAME cfg text without an XML parser.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct PortElement {
  bool found = false;   // an opening tag of the wanted type
  bool closed = false;  // its end was found
  size_t match = 0;     // position of "<port"
  size_t end = 0;       // just past "</port>" (or past "/>" for an empty element)
};

// Whether the content of a port element is only <newseq> elements and text.
bool HoldsOnlySequences(std::string_view content);

// The first `<port type="TYPE"` at or after `from`. A self-closing tag is a
// whole (empty) element; otherwise the element ends with the next "</port>",
// unless another port opens first or other tags come in between, in which
// case it counts as unclosed so that nothing else is taken for its content.
PortElement FindPortElement(const std::string& text, std::string_view type, size_t from);

// The bytes to remove for an element: from the spaces and tabs in front of
// it to its end plus one following CR and then one LF.
std::pair<size_t, size_t> ElementCutRange(const std::string& text, const PortElement& el);

// `text` without the given ranges (they may overlap or come in any order).
std::string CutRanges(const std::string& text, std::vector<std::pair<size_t, size_t>> ranges);
