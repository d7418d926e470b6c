// Feeds arbitrary bytes to the form reader (with the standard controls and
// a class of its own that has a property of every kind). Every input must either raise
// EReadError or give a tree whose written form reads back and writes to the
// same text again; nothing may crash, leak or overflow the stack. Parsed in
// two parts, split where the input's first byte says, it must give the
// same parse tree or fault as in one.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "host/controls/StdRegister.h"
#include "host/core/ClassRegistry.h"
#include "host/core/Collection.h"
#include "host/core/Graphics.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"
#include "host/stream/FormStream.h"
#include "tests/host/stream/ParseTreeDump.h"

using namespace host;

namespace {

enum TFuzzKind { fkOne, fkTwo, fkThree };
const TTypeInfo& TypeInfoOf(TFuzzKind*) {
  static const TTypeInfo info = MakeEnumInfo("TFuzzKind", {"fkOne", "fkTwo", "fkThree"});
  return info;
}

// One class with a property of every kind the reader handles, that also
// keeps whatever is read inside it (its own owner level when Frame is set).
class TFuzzThing : public TComponent {
  HOST_CLASS(TFuzzThing)
public:
  explicit TFuzzThing(TComponent* AOwner)
      : TComponent(AOwner),
        FColumns(std::make_unique<TListColumns>(this)),
        FNodes(std::make_unique<TTreeNodes>(this)) {}
  ~TFuzzThing() override { Destroying(); }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& v) { FCaption = v; }
  const std::string& FormClassName() const { return FFormClassName; }
  void SetFormClassName(const std::string& v) { FFormClassName = v; }
  int Count() const { return FCount; }
  void SetCount(int v) { FCount = v; }
  std::int64_t Big() const { return FBig; }
  void SetBig(std::int64_t v) { FBig = v; }
  double Ratio() const { return FRatio; }
  void SetRatio(double v) { FRatio = v; }
  char Letter() const { return FLetter; }
  void SetLetter(char v) { FLetter = v; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool v) { FFlag = v; }
  TFuzzKind Kind() const { return FKind; }
  void SetKind(TFuzzKind v) { FKind = v; }
  TSet<TFuzzKind> Kinds() const { return FKinds; }
  void SetKinds(TSet<TFuzzKind> v) { FKinds = v; }
  TComponent* Link() const { return FLink; }
  void SetLink(TComponent* v) {
    if (FLink) FLink->RemoveFreeNotification(this);
    FLink = v;
    if (v) v->FreeNotification(this);
  }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* v) { FFont->Assign(v); }
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* v) { FLines->Assign(v); }
  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* v) { FColumns->Assign(v); }
  TTreeNodes* Items() const { return FNodes.get(); }
  void SetItems(TTreeNodes* v) { FNodes->Assign(v); }
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent v) { FOnClick = std::move(v); }

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override {
    if (Root == this)
      for (TComponent* c : ComponentList()) Proc(c);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLink) FLink = nullptr;
  }

private:
  std::string FCaption, FFormClassName;
  int FCount = 0;
  std::int64_t FBig = 0;
  double FRatio = 0;
  char FLetter = 0;
  bool FFlag = false;
  TFuzzKind FKind = fkOne;
  TSet<TFuzzKind> FKinds;
  TComponent* FLink = nullptr;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>();
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TTreeNodes> FNodes;
  TNotifyEvent FOnClick;
};

const TClass& TFuzzThing::StaticClass() {
  static const TClass cls = TClassBuilder<TFuzzThing>("TFuzzThing", &TComponent::StaticClass())
                                .Prop("Caption", &TFuzzThing::Caption, &TFuzzThing::SetCaption)
                                .Prop("FormClassName", &TFuzzThing::FormClassName, &TFuzzThing::SetFormClassName)
                                .Stored(false)
                                .Prop("Count", &TFuzzThing::Count, &TFuzzThing::SetCount).Default(0)
                                .Prop("Big", &TFuzzThing::Big, &TFuzzThing::SetBig).Default(0)
                                .Prop("Ratio", &TFuzzThing::Ratio, &TFuzzThing::SetRatio)
                                .Prop("Letter", &TFuzzThing::Letter, &TFuzzThing::SetLetter).Default(0)
                                .Prop("Flag", &TFuzzThing::Flag, &TFuzzThing::SetFlag).Default(false)
                                .Prop("Kind", &TFuzzThing::Kind, &TFuzzThing::SetKind).Default(fkOne)
                                .Prop("Kinds", &TFuzzThing::Kinds, &TFuzzThing::SetKinds).Default(0)
                                .Prop("Link", &TFuzzThing::Link, &TFuzzThing::SetLink)
                                .Prop("Font", &TFuzzThing::Font, &TFuzzThing::SetFont)
                                .Prop("Lines", &TFuzzThing::Lines, &TFuzzThing::SetLines)
                                .Prop("Columns", &TFuzzThing::Columns, &TFuzzThing::SetColumns)
                                .Prop("Items", &TFuzzThing::Items, &TFuzzThing::SetItems)
                                .Prop("OnClick", &TFuzzThing::OnClick, &TFuzzThing::SetOnClick)
                                .Build();
  return cls;
}
const TClass& TFuzzThing::ClassType() const { return StaticClass(); }

// The same class under a second name, whose children it owns itself.
class TFuzzFrame : public TFuzzThing {
  HOST_CLASS(TFuzzFrame)
public:
  using TFuzzThing::TFuzzThing;
  TComponent* GetChildOwner() override { return this; }
};
const TClass& TFuzzFrame::StaticClass() {
  static const TClass cls = TClassBuilder<TFuzzFrame>("TFuzzFrame", &TFuzzThing::StaticClass()).Build();
  return cls;
}
const TClass& TFuzzFrame::ClassType() const { return StaticClass(); }

TReadOptions Options() {
  TReadOptions o;
  o.RootClass = "TFuzzThing";
  o.FrameClass = "TFuzzFrame";
  return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static const bool registered = [] {
    // The real controls too: their setters, Loaded and streaming hooks
    // meet the same arbitrary input.
    RegisterStandardControls();
    RegisterClass<TFuzzThing>();
    RegisterClass<TFuzzFrame>();
    return true;
  }();
  (void)registered;
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  const std::string whole = streamtest::ParseOutcome(text, {.ParallelFrom = std::string_view::npos});
  // The first byte says where the second part begins; the second, below
  // 16, after how many items it stops, else it stops where the first part
  // finds it.
  const std::size_t from = Size > 0 ? Data[0] * Size / 256 : 0;
  const std::size_t items = Size > 1 && Data[1] < 16 ? Data[1] : std::string_view::npos;
  if (streamtest::ParseOutcome(text, {.ParallelFrom = 0, .SplitFrom = from, .SecondPartItems = items}) != whole) {
    std::fprintf(stderr, "two parts split from %zu (items %zu) read otherwise than one\n", from, items);
    std::abort();
  }
  std::unique_ptr<TComponent> root;
  try {
    root = ReadComponentText(text, "fuzz.dfm", Options());
  } catch (const EReadError&) {
    return 0;
  }
  std::string once;
  try {
    once = WriteComponentText(*root);
  } catch (const EWriteError&) {
    return 0;
  }
  root.reset();
  // What was written must read back and write to the same text.
  std::unique_ptr<TComponent> again;
  try {
    again = ReadComponentText(once, "written.dfm", Options());
  } catch (const EReadError& e) {
    std::fprintf(stderr, "written form does not read back: %s\n%s\n", e.what(), once.c_str());
    std::abort();
  }
  if (WriteComponentText(*again) != once) {
    std::fprintf(stderr, "writing is not stable:\n%s\n", once.c_str());
    std::abort();
  }
  return 0;
}
