#include "FormLocalFixture.h"

#include "host/controls/StdRegister.h"
#include "host/stream/FormStream.h"
#include "runtime/AmbitRegister.h"

namespace formlocal_test {

void RegisterTestClasses() {
  host::RegisterStandardControls();
  ambit::RegisterAmbitClasses();
}

std::unique_ptr<host::TComponent> ReadForm(const std::string& Text) {
  return host::ReadComponentText(Text, "test.dfm");
}

host::TComponent* Find(host::TComponent* Root, const std::string& Path) {
  host::TComponent* c = Root;
  std::size_t start = 0;
  while (c && start <= Path.size()) {
    const std::size_t dot = Path.find('.', start);
    const std::string part = Path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    c = c->FindComponent(part);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  if (!c) ADD_FAILURE() << "no component " << Path;
  return c;
}

std::string Str(host::TComponent* Root, const std::string& Path, const std::string& Prop) {
  host::TComponent* c = Path.empty() ? Root : Find(Root, Path);
  return c ? host::GetStrProp(c, Prop) : std::string("<missing>");
}

std::vector<std::string> Lines(const host::TStrings* Strings) {
  std::vector<std::string> out;
  for (int i = 0; i < Strings->Count(); ++i) out.push_back(Strings->Get(i));
  return out;
}

std::unique_ptr<ambit::TAmLanguageSource> FormLocalTest::MakeSource(
    const std::vector<std::pair<std::string, std::string>>& Languages) {
  auto src = std::make_unique<ambit::TAmLanguageSource>(nullptr);
  src->SetName("Source1");
  host::TStringList lines;
  for (const auto& [name, content] : Languages) {
    if (!content.empty()) ambit_test::WriteFile(FileOf(name), content);
    lines.Add(name + "=" + FileOf(name));
  }
  src->SetLanguages(&lines);
  src->SetActiveLanguage(-1);
  return src;
}

}  // namespace formlocal_test
