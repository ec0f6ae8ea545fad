// What an action raised of the program's own errors, as one comparable text: "EClass: message",
// or "" when it returned.
#pragma once

#include <string>

#include "base/Errors.h"

template <typename TAction>
std::string Raised(TAction action) {
  try {
    action();
    return "";
  } catch (const Exception& e) {
    return e.ClassName() + ": " + e.Message();
  }
}
