// The Page-Exit tags of the pages, made by the session's own text functions: the cross-fade and a
// reveal of any number, 23 included (the session writes it only after a random draw).
#pragma once

#include <cstdint>
#include <string>

#include "session/PageText.h"

inline const std::string FadeTag = ChooseExitMeta(23);

inline std::string RevealTag(int32_t pattern) {
  std::string tag = ChooseExitMeta(0);
  return tag.replace(tag.rfind("0)>"), 1, std::to_string(pattern));
}
