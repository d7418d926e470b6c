// TImageList: the pictures that menus, tool bars, tree and list views show
// by index. The model keeps each picture as encoded image data (PNG, say);
// the widgetset decodes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/Component.h"
#include "host/core/Events.h"

namespace host {

class TRgbaImage;

class TImageList : public TComponent {
  HOST_CLASS(TImageList)
public:
  explicit TImageList(TComponent* AOwner) : TComponent(AOwner) {}

  int Width() const { return FWidth; }
  void SetWidth(int Value);
  int Height() const { return FHeight; }
  void SetHeight(int Value);
  int Count() const { return static_cast<int>(FImages.size()); }

  // Appends a picture and returns its index.
  int Add(std::vector<std::uint8_t> Data);
  // The same for a picture made in code (stored as PNG).
  int Add(const TRgbaImage& Image);
  // Raises EListError for an index out of range.
  const std::vector<std::uint8_t>& Image(int Index) const;
  void Replace(int Index, std::vector<std::uint8_t> Data);
  void Delete(int Index);
  void Clear();

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

private:
  void CheckIndex(int Index) const;
  void Changed();

  int FWidth = 16;
  int FHeight = 16;
  std::vector<std::vector<std::uint8_t>> FImages;
  TNotifyEvent FOnChange;
};

}  // namespace host
