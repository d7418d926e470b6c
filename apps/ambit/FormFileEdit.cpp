#include "apps/ambit/FormFileEdit.h"

#include <vector>

#include "host/core/CaseFold.h"
#include "host/stream/FormParser.h"
#include "runtime/AmbitUtils.h"

namespace ambit::cli {

namespace {

std::vector<std::string> SplitLines(std::string_view Text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < Text.size()) {
    const std::size_t end = Text.find('\n', start);
    lines.emplace_back(Text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

std::string Indent(const std::string& Line) { return Line.substr(0, Line.find_first_not_of(" \t")); }

// The words of a line, up to the first ':' or '=' (the rest is a value).
std::vector<std::string> Words(const std::string& Line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : Line) {
    if (c == ':' || c == '=' || c == '\'' || c == '(') break;
    if (c == ' ' || c == '\t' || c == '\r') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool OpensObject(const std::vector<std::string>& W) {
  return !W.empty() && (host::SameText(W[0], "object") || host::SameText(W[0], "inline") ||
                        host::SameText(W[0], "inherited"));
}

// A line that ends a list of strings: its quotes are balanced and it ends
// with ')'.
bool ClosesList(const std::string& Line) {
  std::size_t quotes = 0;
  for (char c : Line) quotes += c == '\'';
  std::string t = Line;
  while (!t.empty() && (t.back() == '\r' || t.back() == ' ')) t.pop_back();
  return quotes % 2 == 0 && !t.empty() && t.back() == ')';
}

std::string Quote(const std::string& Text) {
  std::string q = "'";
  for (char c : Text) q += c == '\'' ? std::string("''") : std::string(1, c);
  return q + "'";
}

}  // namespace

std::string AddStringListLine(std::string_view FormText, const std::string& FileName, const std::string& Component,
                              const std::string& Property, const std::string& Line) {
  std::vector<std::string> lines = SplitLines(FormText);
  const bool crlf = FormText.find("\r\n") != std::string_view::npos;
  const std::string cr = crlf ? "\r" : "";
  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size() && header == lines.size(); ++i) {
    const std::vector<std::string> w = Words(lines[i]);
    if (OpensObject(w) && w.size() >= 2 && host::SameText(w[1], Component)) header = i;
  }
  if (header == lines.size()) throw EAmbitError(FileName + " has no component " + Component + " to change");
  const std::string listName = Property + ".Strings";
  int depth = 0;
  std::size_t i = header + 1;
  for (; i < lines.size(); ++i) {
    const std::vector<std::string> w = Words(lines[i]);
    if (OpensObject(w)) ++depth;
    else if (w.size() == 1 && host::SameText(w[0], "end") && depth-- == 0) break;
    else if (depth == 0 && w.size() == 1 && host::SameText(w[0], listName)) break;
  }
  const std::string item = Quote(Line);
  if (i < lines.size() && !host::SameText(Words(lines[i])[0], "end")) {
    // "Languages.Strings = (" up to the line that closes it.
    const std::string open = lines[i];
    if (open.find("()") != std::string::npos) {
      lines[i] = open.substr(0, open.find("()")) + "(" + cr;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i) + 1, Indent(open) + "  " + item + ")" + cr);
    } else {
      std::size_t close = i + 1;
      while (close < lines.size() && !ClosesList(lines[close])) ++close;
      if (close == lines.size()) throw EAmbitError(FileName + ": the list " + listName + " of " + Component + " does not end");
      std::string& last = lines[close];
      const bool hadCr = !last.empty() && last.back() == '\r';
      if (hadCr) last.pop_back();
      while (!last.empty() && last.back() == ' ') last.pop_back();
      last.pop_back();  // the ')'
      if (last.find_first_not_of(" \t") == std::string::npos) {
        // The ')' stood on a line of its own (a hand edit): the item takes
        // that line, indented as the item before it.
        last = (close > i + 1 ? Indent(lines[close - 1]) : Indent(open) + "  ") + item + ")" + cr;
      } else {
        last += cr;
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(close) + 1, Indent(lines[close]) + item + ")" + cr);
      }
    }
  } else {
    const std::string indent = Indent(lines[header]) + "  ";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(header) + 1,
                 {indent + listName + " = (" + cr, indent + "  " + item + ")" + cr});
  }
  std::string text;
  for (std::size_t k = 0; k < lines.size(); ++k) text += lines[k] + (k + 1 < lines.size() ? "\n" : "");
  if (!FormText.empty() && FormText.back() == '\n') text += "\n";
  // What is written must read back.
  host::TFormParser(text, FileName).ParseRoot();
  return text;
}

}  // namespace ambit::cli
