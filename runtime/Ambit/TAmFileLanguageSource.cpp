#include "runtime/Ambit.h"

namespace ambit {

const host::TClass& TAmFileLanguageSource::StaticClass() {
  static const host::TClass cls =
      host::TClassBuilder<TAmFileLanguageSource>("TAmFileLanguageSource", &TAmCustomLanguageSource::StaticClass())
          .Build();
  return cls;
}
const host::TClass& TAmFileLanguageSource::ClassType() const { return StaticClass(); }

TAmFileLanguageSource::TAmFileLanguageSource(host::TComponent* AOwner) : TAmCustomLanguageSource(AOwner) {}

std::string TAmFileLanguageSource::GetLanguageFile(int Index) const {
  std::string value = GetLanguageValue(Index);
  if (value.empty()) return value;
  if (FOnGetFileName) FOnGetFileName(Self(), value);
  return value;
}

void TAmFileLanguageSource::Assign(const host::TPersistent* Source) {
  TAmCustomLanguageSource::Assign(Source);
  // The file-name hook belongs to whoever installed it and is not copied.
  if (const auto* src = host::As<TAmFileLanguageSource>(Source)) FDefaultFileExt = src->FDefaultFileExt;
}

}  // namespace ambit
