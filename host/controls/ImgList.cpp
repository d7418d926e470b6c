#include "host/controls/ImgList.h"

#include "host/controls/RgbaImage.h"

namespace host {

const TClass& TImageList::StaticClass() {
  static const TClass cls = TClassBuilder<TImageList>("TImageList", &TComponent::StaticClass())
                                .Prop("Count", &TImageList::Count)
                                .Stored(false)
                                .Prop("Height", &TImageList::Height, &TImageList::SetHeight)
                                .Default(16)
                                .Prop("Width", &TImageList::Width, &TImageList::SetWidth)
                                .Default(16)
                                .Prop("OnChange", &TImageList::OnChange, &TImageList::SetOnChange)
                                .Build();
  return cls;
}
const TClass& TImageList::ClassType() const { return StaticClass(); }

// A new size drops the pictures, as the host does: they were made for the old one.
void TImageList::SetWidth(int Value) {
  if (Value <= 0 || FWidth == Value) return;
  FWidth = Value;
  FImages.clear();
  Changed();
}

void TImageList::SetHeight(int Value) {
  if (Value <= 0 || FHeight == Value) return;
  FHeight = Value;
  FImages.clear();
  Changed();
}

int TImageList::Add(const TRgbaImage& Image) { return Add(EncodePng(Image)); }

int TImageList::Add(std::vector<std::uint8_t> Data) {
  FImages.push_back(std::move(Data));
  Changed();
  return Count() - 1;
}

void TImageList::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format("List index out of bounds (%d)", {Index}));
}

const std::vector<std::uint8_t>& TImageList::Image(int Index) const {
  CheckIndex(Index);
  return FImages[static_cast<std::size_t>(Index)];
}

void TImageList::Replace(int Index, std::vector<std::uint8_t> Data) {
  CheckIndex(Index);
  FImages[static_cast<std::size_t>(Index)] = std::move(Data);
  Changed();
}

void TImageList::Delete(int Index) {
  CheckIndex(Index);
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Changed();
}

void TImageList::Changed() {
  if (FOnChange && !IsDestroying()) FOnChange(this);
}

}  // namespace host
