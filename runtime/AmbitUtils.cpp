#include "runtime/AmbitUtils.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "host/core/Collection.h"
#include "host/core/Component.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"

namespace ambit {

namespace {

inline unsigned char Code(char c) { return static_cast<unsigned char>(c); }

constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;

// The high bits of the bytes of W below 32 and of those equal to Quote's
// (Quotes: Quote in every byte); the lowest one marked is always a true one.
inline std::uint64_t SpecialBytes(std::uint64_t W, std::uint64_t Quotes) {
  const std::uint64_t q = W ^ Quotes;
  return ((W - kOnes * 32) & ~W & kHighs) | ((q - kOnes) & ~q & kHighs);
}

// Where the run of plain characters (neither control characters nor Quote)
// that starts at I ends: eight bytes a round, as most texts are all plain.
std::size_t PlainRunEnd(std::string_view S, std::size_t I, char Quote) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t quotes = kOnes * Code(Quote);
    for (; I + 8 <= S.size(); I += 8) {
      std::uint64_t w;
      std::memcpy(&w, S.data() + I, 8);
      const std::uint64_t hit = SpecialBytes(w, quotes);
      if (hit) return I + static_cast<std::size_t>(std::countr_zero(hit)) / 8;
    }
  }
  while (I < S.size() && Code(S[I]) >= 32 && S[I] != Quote) ++I;
  return I;
}

// The decimal digits of Code, most significant first; how many.
int CodeDigits(unsigned char code, char (&digits)[3]) {
  const int n = code >= 100 ? 3 : code >= 10 ? 2 : 1;
  for (int i = n - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + code % 10);
    code = static_cast<unsigned char>(code / 10);
  }
  return n;
}

void AppendCode(std::string& out, unsigned char code) {
  char digits[3];
  out.append(digits, static_cast<std::size_t>(CodeDigits(code, digits)));
}

// The encoding of S under a quote of code 32 or more, handed piece by piece
// to Out (Put a character, Run a plain run, Code an escape's digits), so
// that writing it and comparing with it are one walk. Stops, false, as
// soon as Out refuses a piece.
template <class Out>
bool EncodeQuoted(Out& out, std::string_view S, char Quote, char Escape) {
  // Runs of plain characters go in whole; only quotes and control
  // characters are written one by one. Control means the last thing
  // written stood for a control character, so quoting must reopen.
  if (!out.Put(Quote)) return false;
  bool control = false;
  std::size_t i = 0;
  while (i < S.size()) {
    const std::size_t j = PlainRunEnd(S, i, Quote);
    if (j == i) {
      const char c = S[i++];
      if (c == Quote) {
        if ((control && !out.Put(Quote)) || !out.Put(Quote) || !out.Put(Quote)) return false;
        control = false;
      } else {
        if ((!control && !out.Put(Quote)) || !out.Put(Escape) || !out.Code(Code(c))) return false;
        control = true;
      }
      continue;
    }
    if ((control && !out.Put(Quote)) || !out.Run(S.substr(i, j - i))) return false;
    control = false;
    i = j;
  }
  return (!control || out.Put(Quote)) && out.Put(Quote);
}

struct TEncodedAppender {
  std::string& Text;
  bool Put(char c) {
    Text.push_back(c);
    return true;
  }
  bool Run(std::string_view S) {
    Text.append(S);
    return true;
  }
  bool Code(unsigned char c) {
    AppendCode(Text, c);
    return true;
  }
};

// Follows an encoded text along the walk; At is how far it matched.
struct TEncodedMatcher {
  std::string_view Text;
  std::size_t At = 0;
  bool Put(char c) {
    if (At >= Text.size() || Text[At] != c) return false;
    ++At;
    return true;
  }
  bool Run(std::string_view S) {
    if (Text.size() - At < S.size() || std::memcmp(Text.data() + At, S.data(), S.size()) != 0) return false;
    At += S.size();
    return true;
  }
  bool Code(unsigned char c) {
    char digits[3];
    return Run(std::string_view(digits, static_cast<std::size_t>(CodeDigits(c, digits))));
  }
};

// Whether Encoded is S's encoded form and that is S itself between two
// Quotes (of code 32 or more): S holds no Quote and no control character.
inline bool SamePlain(std::string_view S, std::string_view Encoded, char Quote) {
  if (Encoded.size() != S.size() + 2 || Encoded.front() != Quote || Encoded.back() != Quote)
    return false;
  const char* inner = Encoded.data() + 1;
  const std::size_t n = S.size();
  std::size_t i = 0;
  // One pass compares and looks for what encoding would change.
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t quotes = kOnes * Code(Quote);
    auto same = [&](std::size_t at) {
      std::uint64_t w, e;
      std::memcpy(&w, S.data() + at, 8);
      std::memcpy(&e, inner + at, 8);
      return w == e && SpecialBytes(w, quotes) == 0;
    };
    for (; i + 8 <= n; i += 8)
      if (!same(i)) return false;
    // The last bytes in one word that overlaps the words before.
    if (i < n && n >= 8) return same(n - 8);
  }
  for (; i < n; ++i)
    if (S[i] != inner[i] || Code(S[i]) < 32 || S[i] == Quote) return false;
  return true;
}

// A code of an escape run: a decimal with optional leading blanks and sign,
// exactly what the host's StrToInt accepts; anything else is no code.
std::optional<int> ParseCode(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i >= s.size()) return std::nullopt;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > INT_MAX || v < INT_MIN) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace

std::string GetEncodedString(std::string_view S, char Quote, char Escape) {
  std::string out;
  AppendEncodedString(out, S, Quote, Escape);
  return out;
}

namespace {
// IsEncodingOf for a text that is not plain, out of line: the plain one,
// by far the most common, then needs no registers saved.
[[gnu::noinline]] bool IsQuotedEncodingOf(std::string_view S, std::string_view Encoded, char Quote, char Escape) {
  if (Code(Quote) < 32) return GetEncodedString(S, Quote, Escape) == Encoded;
  TEncodedMatcher matcher{Encoded};
  return EncodeQuoted(matcher, S, Quote, Escape) && matcher.At == Encoded.size();
}
}  // namespace

bool IsEncodingOf(std::string_view S, std::string_view Encoded, char Quote, char Escape) {
  // Only a plain text encodes in two more characters than it has: a quote
  // adds one more, a control character at least two.
  if (Encoded.size() == S.size() + 2 && Code(Quote) >= 32) return SamePlain(S, Encoded, Quote);
  return Encoded.size() >= S.size() + 2 && IsQuotedEncodingOf(S, Encoded, Quote, Escape);
}

void AppendEncodedString(std::string& out, std::string_view S, char Quote, char Escape) {
  out.reserve(out.size() + S.size() + 8);
  if (Code(Quote) >= 32) {
    TEncodedAppender appender{out};
    EncodeQuoted(appender, S, Quote, Escape);
    return;
  }
  // A quote below code 32 (never the suite's own) takes the literal walk
  // over the quoted text, character by character.
  unsigned char prev = 255;
  auto put = [&](unsigned char c) {
    if (c >= 32) {
      if (prev < 32) out.push_back(Quote);
      out.push_back(static_cast<char>(c));
    } else {
      if (prev >= 32) out.push_back(Quote);
      out.push_back(Escape);
      AppendCode(out, c);
    }
    prev = c;
  };
  put(Code(Quote));
  for (char c : S) {
    put(Code(c));
    if (c == Quote) put(Code(Quote));
  }
  put(Code(Quote));
}

std::string GetDecodedString(std::string_view S, char Quote, char Escape) {
  std::string out;
  AppendDecodedString(out, S, Quote, Escape);
  return out;
}

void AppendDecodedString(std::string& out, std::string_view S, char Quote, char Escape) {
  if (S.size() < 2 || S[0] != Quote) {
    out.append(S);
    return;
  }
  out.reserve(out.size() + S.size());
  std::size_t i = 1;
  for (;;) {
    // Inside a quoted segment: the text up to the next quote goes in whole.
    for (;;) {
      const std::size_t q = S.find(Quote, i);
      if (q == std::string_view::npos) {
        out.append(S.substr(i));
        return;
      }
      out.append(S.substr(i, q - i));
      i = q + 1;
      if (i < S.size() && S[i] == Quote) {
        out.push_back(Quote);
        ++i;
        continue;
      }
      break;
    }
    if (i >= S.size() || S[i] != Escape) return;
    // An escape run reaches up to the quote that reopens the text; without
    // one the rest is not a run and is taken literally.
    const std::size_t runEnd = S.find(Quote, i + 1);
    if (runEnd == std::string_view::npos) {
      out.append(S.substr(i + 1));
      return;
    }
    std::string_view run = S.substr(i + 1, runEnd - (i + 1));
    for (;;) {
      const std::size_t e = run.find(Escape);
      if (auto code = ParseCode(run.substr(0, e))) out.push_back(static_cast<char>(*code & 0xFF));
      if (e == std::string_view::npos) break;
      run.remove_prefix(e + 1);
    }
    i = runEnd + 1;
  }
}

std::string ExtractQuotedString(std::string_view S, char Quote) {
  if (S.size() < 2 || S[0] != Quote) return std::string(S);
  return host::AnsiExtractQuotedStr(S, Quote);
}

std::string GetFullName(const host::TPersistent* Obj, const host::TComponent* Root) {
  if (!Obj) return {};
  const auto* comp = host::As<host::TComponent>(Obj);
  if (!comp) return Root ? Root->Name() : std::string();
  // A component of the root's own (the usual case) is named alone.
  if (comp == Root || comp->Owner() == Root) return comp->Name();
  // One walk checks the owners and measures the name, a second writes the
  // owners' names from the back.
  std::size_t size = comp->Name().size();
  const host::TComponent* owner = comp->Owner();
  for (; owner && owner != Root; owner = owner->Owner()) {
    if (owner->Name().empty()) return {};
    size += owner->Name().size() + 1;
  }
  if (!owner && Root) return {};
  std::string result(size, '.');
  std::size_t end = size - comp->Name().size();
  result.replace(end, comp->Name().size(), comp->Name());
  for (owner = comp->Owner(); owner && owner != Root; owner = owner->Owner()) {
    end -= owner->Name().size() + 1;
    result.replace(end, owner->Name().size(), owner->Name());
  }
  return result;
}

std::string GetFullPropName(const host::TPersistent* Obj, const host::TComponent* Root, std::string_view PropName) {
  if (host::Trim(PropName).empty()) return {};
  if (Obj == Root) return std::string(PropName);
  std::string full = GetFullName(Obj, Root);
  if (full.empty()) return {};
  full += '.';
  full += PropName;
  return full;
}

namespace {

template <class Text>
std::string CaptionsOf(int count, Text text) {
  host::TStringList list;
  for (int i = 0; i < count; ++i) list.Add(text(i));
  return list.CommaText();
}

// Sets item i from list item i inside the container's update bracket,
// which is closed also when a setter raises.
template <class Container, class SetText>
void SetCaptions(Container* items, int count, std::string_view Value, SetText set) {
  host::TStringList list;
  list.SetCommaText(Value);
  const int n = std::min(count, list.Count());
  items->BeginUpdate();
  try {
    for (int i = 0; i < n; ++i) set(i, list.Get(i));
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

}  // namespace

std::string GetTreeNodesCaptions(const host::TTreeNodes* Nodes) {
  if (!Nodes) return {};
  return CaptionsOf(Nodes->Count(), [&](int i) { return Nodes->Item(i)->Text(); });
}

std::string GetListColumnsCaptions(const host::TListColumns* Columns) {
  if (!Columns) return {};
  return CaptionsOf(Columns->Count(), [&](int i) { return Columns->Items(i)->Caption(); });
}

std::string GetDBGridColumnsCaptions(const host::TDBGridColumns* Columns) {
  if (!Columns) return {};
  return CaptionsOf(Columns->Count(), [&](int i) { return Columns->Items(i)->Title()->Caption(); });
}

void SetTreeNodesCaptions(host::TTreeNodes* Nodes, std::string_view Value) {
  if (!Nodes) return;
  SetCaptions(Nodes, Nodes->Count(), Value, [&](int i, const std::string& s) { Nodes->Item(i)->SetText(s); });
}

void SetListColumnsCaptions(host::TListColumns* Columns, std::string_view Value) {
  if (!Columns) return;
  SetCaptions(Columns, Columns->Count(), Value,
              [&](int i, const std::string& s) { Columns->Items(i)->SetCaption(s); });
}

void SetDBGridColumnsCaptions(host::TDBGridColumns* Columns, std::string_view Value) {
  if (!Columns) return;
  SetCaptions(Columns, Columns->Count(), Value,
              [&](int i, const std::string& s) { Columns->Items(i)->Title()->SetCaption(s); });
}

void SetStrings(host::TStrings* Strings, std::string_view Value) {
  if (!Strings) return;
  host::TStringList items;
  items.SetCommaText(Value);
  const int n = items.Count();
  Strings->BeginUpdate();
  try {
    while (Strings->Count() > n) Strings->Delete(n);
    for (int i = 0; i < n; ++i) {
      if (i < Strings->Count())
        Strings->Put(i, items.Get(i));
      else
        Strings->Add(items.Get(i));
    }
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

}  // namespace ambit
