#include <gtest/gtest.h>
#include "host/core/Collection.h"
#include "host/core/Component.h"
#include "host/core/IniFiles.h"
#include "host/core/TreeNodes.h"
using namespace host;
namespace demo {
enum TKind { kA, kB, kC };
const TTypeInfo& TypeInfoOf(TKind*) { static const TTypeInfo i = MakeEnumInfo("TKind", {"kA","kB","kC"}); return i; }
class TDemo : public TComponent {
  HOST_CLASS(TDemo)
public:
  using TComponent::TComponent;
  TKind Kind() const { return FKind; } void SetKind(TKind k) { FKind = k; }
  TSet<TKind> Kinds() const { return FKinds; } void SetKinds(TSet<TKind> k) { FKinds = k; }
  char Ch() const { return FCh; } void SetCh(char c) { FCh = c; }
  bool Flag() const { return FFlag; } void SetFlag(bool b) { FFlag = b; }
  double Ratio() const { return FRatio; } void SetRatio(double d) { FRatio = d; }
  TFont* Font() const { return FFont.get(); } void SetFont(TFont* f) { FFont->Assign(f); }
  TComponent* Ref() const { return FRef; } void SetRef(TComponent* c) { FRef = c; }
  const TNotifyEvent& OnClick() const { return FOnClick; } void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  std::int64_t Big() const { return FBig; } void SetBig(std::int64_t v) { FBig = v; }
private:
  TKind FKind = kA; TSet<TKind> FKinds; char FCh = 'x'; bool FFlag = false; double FRatio = 0;
  std::unique_ptr<TFont> FFont = std::make_unique<TFont>(); TComponent* FRef = nullptr; TNotifyEvent FOnClick; std::int64_t FBig = 0;
};
const TClass& TDemo::StaticClass() {
  static const TClass cls = TClassBuilder<TDemo>("TDemo", &TComponent::StaticClass())
    .Prop("Kind", &TDemo::Kind, &TDemo::SetKind).Default(kA)
    .Prop("Kinds", &TDemo::Kinds, &TDemo::SetKinds).Default(0)
    .Prop("Ch", &TDemo::Ch, &TDemo::SetCh)
    .Prop("Flag", &TDemo::Flag, &TDemo::SetFlag).Default(false)
    .Prop("Ratio", &TDemo::Ratio, &TDemo::SetRatio)
    .Prop("Font", &TDemo::Font, &TDemo::SetFont)
    .Prop("Ref", &TDemo::Ref, &TDemo::SetRef)
    .Prop("OnClick", &TDemo::OnClick, &TDemo::SetOnClick)
    .Prop("Big", &TDemo::Big, &TDemo::SetBig)
    .Build();
  return cls;
}
const TClass& TDemo::ClassType() const { return StaticClass(); }
}
TEST(Smoke, Builds) {
  demo::TDemo d(nullptr);
  EXPECT_EQ(d.ClassName(), "TDemo");
  EXPECT_EQ(GetPropInfos(&d).size(), 11u);
  SetOrdProp(&d, "kinds", StringToSet(GetPropInfo(&d, "Kinds"), "[kA,kC]"));
  EXPECT_EQ(SetToString(GetPropInfo(&d, "Kinds"), GetOrdProp(&d, "Kinds")), "[kA,kC]");
  EXPECT_EQ(GetPropInfo(&d, "big")->Kind, tkInt64);
  EXPECT_EQ(GetPropInfo(&d, "Font")->PropClass, &TFont::StaticClass());
  TTreeNodes n; auto* a = n.AddChild(nullptr, "a"); n.AddChild(a, "a1"); n.AddChild(nullptr, "b");
  EXPECT_EQ(n.Item(2)->Text(), "b");
  TListColumns cols(nullptr); cols.Add()->SetCaption("x"); EXPECT_EQ(cols.Items(0)->Caption(), "x");
  TDBGridColumns g(nullptr); g.Add()->Title()->SetCaption("t"); EXPECT_EQ(GetStrProp(GetObjectProp(g.Items(0), "Title"), "Caption"), "t");
}
