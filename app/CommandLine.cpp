// Splitting and parsing of the host's command line.
#include "app/CommandLine.h"

#include "base/IntSyntax.h"

namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads one word starting at p (after separators are skipped); advances p past it.
std::string NextWord(const char*& p) {
  while (*p != '\0' && IsSeparator(*p)) ++p;
  std::string word;
  bool quoted = false;
  while (*p != '\0' && (quoted || !IsSeparator(*p))) {
    if (*p == '"')
      quoted = !quoted;
    else
      word += *p;
    ++p;
  }
  return word;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
  std::vector<std::string> args;
  if (commandLine == nullptr) return args;
  const char* p = commandLine;
  NextWord(p);  // the program's own path
  for (;;) {
    while (*p != '\0' && IsSeparator(*p)) ++p;
    if (*p == '\0') break;
    args.push_back(NextWord(p));
  }
  return args;
}

TParsedCommandLine ParseArguments(const std::vector<std::string>& args,
                                  const std::function<int32_t()>& foregroundWindow) {
  TParsedCommandLine result;
  if (args.empty()) {
    result.Mode = smConfig;
    return result;
  }
  std::string word = args[0];
  for (char& c : word)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');

  if (auto handle = TryStrToInt(word)) {
    result.Window = *handle;
    result.Mode = smPreview;
    return result;
  }

  size_t start = 0;
  while (start < word.size() && (word[start] == ' ' || word[start] == '/' || word[start] == '-')) ++start;
  word.erase(0, start);
  // Nothing left (a lone "/", say): no mode is named, and the configuration dialog opens.
  if (word.empty()) return result;

  std::string handleText;
  if (word.size() >= 2 && word[1] == ':')
    handleText = word.substr(2);
  else if (args.size() >= 2)
    handleText = args[1];

  switch (word[0]) {
    case 'A':
      result.Window = StrToInt(handleText);
      result.Mode = smPassword;
      break;
    case 'C':
      result.Window = handleText.empty() ? foregroundWindow() : StrToInt(handleText);
      result.Mode = smConfig;
      break;
    case 'L':
    case 'P':
      result.Window = StrToInt(handleText);
      result.Mode = smPreview;
      break;
    case 'S':
      result.Mode = smSaver;
      break;
    default:
      break;
  }
  return result;
}
