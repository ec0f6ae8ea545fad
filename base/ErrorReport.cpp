// The texts of the two error reports.
#include "base/ErrorReport.h"

#include <cstdio>

std::string ApplicationTitle(const std::string& exeFileName) {
  std::string title = exeFileName.substr(0, exeFileName.find('.'));
  for (size_t i = 1; i < title.size(); ++i)
    if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
  return title;
}

std::string FatalReportText(const std::string& className, const std::string& moduleFileName,
                            uintptr_t address, const std::string& message) {
  char hex[2 * sizeof(uintptr_t) + 1];
  std::snprintf(hex, sizeof hex, "%0*llX", static_cast<int>(2 * sizeof(uintptr_t)),
                static_cast<unsigned long long>(address));
  std::string text = message;
  if (text.empty() || text.back() != '.') text += '.';
  return "Exception " + className + " in Modul " + moduleFileName + " bei " + hex + ".\r\n" + text + "\r\n";
}
