#include <cctype>

#include "apps/ambit/exchange/Exchange.h"
#include "host/core/CaseFold.h"

namespace ambit::exchange {

namespace {

struct TLanguage {
  const char* Code;
  const char* English;
  const char* Native;
};

// The languages of most user interfaces; a name not here gets a
// private-use code, which every XLIFF and PO tool accepts.
constexpr TLanguage kLanguages[] = {
    {"ar", "Arabic", "العربية"},      {"bg", "Bulgarian", "Български"}, {"ca", "Catalan", "Català"},
    {"cs", "Czech", "Čeština"},       {"da", "Danish", "Dansk"},         {"de", "German", "Deutsch"},
    {"el", "Greek", "Ελληνικά"},      {"en", "English", "English"},      {"es", "Spanish", "Español"},
    {"et", "Estonian", "Eesti"},      {"fa", "Persian", "فارسی"},        {"fi", "Finnish", "Suomi"},
    {"fr", "French", "Français"},     {"he", "Hebrew", "עברית"},         {"hi", "Hindi", "हिन्दी"},
    {"hr", "Croatian", "Hrvatski"},   {"hu", "Hungarian", "Magyar"},     {"id", "Indonesian", "Bahasa Indonesia"},
    {"it", "Italian", "Italiano"},    {"ja", "Japanese", "日本語"},      {"ko", "Korean", "한국어"},
    {"lt", "Lithuanian", "Lietuvių"}, {"lv", "Latvian", "Latviešu"},     {"nb", "Norwegian", "Norsk"},
    {"nl", "Dutch", "Nederlands"},    {"pl", "Polish", "Polski"},        {"pt", "Portuguese", "Português"},
    {"ro", "Romanian", "Română"},     {"ru", "Russian", "Русский"},      {"sk", "Slovak", "Slovenčina"},
    {"sl", "Slovenian", "Slovenščina"}, {"sr", "Serbian", "Српски"},     {"sv", "Swedish", "Svenska"},
    {"th", "Thai", "ไทย"},            {"tr", "Turkish", "Türkçe"},       {"uk", "Ukrainian", "Українська"},
    {"vi", "Vietnamese", "Tiếng Việt"}, {"zh", "Chinese", "中文"},
};

}  // namespace

std::string LanguageCode(const std::string& Name) {
  for (const TLanguage& l : kLanguages)
    if (host::SameText(Name, l.English) || host::SameText(Name, l.Native) || host::SameText(Name, l.Code))
      return l.Code;
  // "x-" and up to eight letters or digits of the name.
  std::string code = "x-";
  for (char c : Name)
    if (std::isalnum(static_cast<unsigned char>(c)) && code.size() < 10)
      code += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return code.size() > 2 ? code : "x-unknown";
}

}  // namespace ambit::exchange
