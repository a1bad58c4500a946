#pragma once
// The six sections of a form page, named by their texts wherever an operation takes a section.
#include <string>

enum class VySec { Topic, Head, FormHead, Text, FormFoot, Foot, Other };

inline VySec SecOf(const std::string& s) {
  if (s == "TEXT") return VySec::Text;
  if (s == "HEAD") return VySec::Head;
  if (s == "FOOT" || s == "TAIL") return VySec::Foot;
  if (s == "FORMHEAD") return VySec::FormHead;
  if (s == "FORMFOOT") return VySec::FormFoot;
  if (s == "TOPIC") return VySec::Topic;
  return VySec::Other;
}

// "FORMHEAD" and "FORMFOOT" are laid out as "TEXT" across the page.
inline bool IsTableSec(VySec s) {
  return s == VySec::Text || s == VySec::FormHead || s == VySec::FormFoot;
}
inline bool IsItemSec(VySec s) {
  return s == VySec::Head || s == VySec::Foot;
}
