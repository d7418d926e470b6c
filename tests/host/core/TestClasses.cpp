#include "tests/host/core/TestClasses.h"

using namespace host;

namespace hosttest {

const TTypeInfo& TypeInfoOf(TKind*) {
  static const TTypeInfo info = MakeEnumInfo("TKind", {"kA", "kB", "kC"});
  return info;
}

const TClass& TSample::StaticClass() {
  static const TClass cls = TClassBuilder<TSample>("TSample", &TComponent::StaticClass())
                                .Prop("Caption", &TSample::Caption, &TSample::SetCaption)
                                .Prop("Hint", &TSample::Hint, &TSample::SetHint)
                                .Prop("Count", &TSample::Count, &TSample::SetCount)
                                .Default(3)
                                .Prop("Kind", &TSample::Kind, &TSample::SetKind)
                                .Default(kB)
                                .Prop("Kinds", &TSample::Kinds, &TSample::SetKinds)
                                .Default(0)
                                .Prop("Letter", &TSample::Letter, &TSample::SetLetter)
                                .Prop("Flag", &TSample::Flag, &TSample::SetFlag)
                                .Default(false)
                                .Prop("Ratio", &TSample::Ratio, &TSample::SetRatio)
                                .Prop("Big", &TSample::Big, &TSample::SetBig)
                                .Prop("Font", &TSample::Font, &TSample::SetFont)
                                .Prop("Items", &TSample::Items, &TSample::SetItems)
                                .Prop("Columns", &TSample::Columns, &TSample::SetColumns)
                                .Prop("Buddy", &TSample::Buddy, &TSample::SetBuddy)
                                .Prop("OnClick", &TSample::OnClick, &TSample::SetOnClick)
                                .Prop("Note", &TSample::Note, &TSample::SetNote)
                                .Stored([](const TSample& s) { return s.Note() != "transient"; })
                                .Prop("Summary", &TSample::Summary)
                                .Build();
  return cls;
}
const TClass& TSample::ClassType() const { return StaticClass(); }

const TClass& TSampleChild::StaticClass() {
  static const TClass cls = TClassBuilder<TSampleChild>("TSampleChild", &TSample::StaticClass())
                                .Prop("Extra", &TSampleChild::Extra, &TSampleChild::SetExtra)
                                .Prop("Hint", &TSampleChild::Hint, &TSampleChild::SetHint)
                                .Kind(tkString)
                                .Build();
  return cls;
}
const TClass& TSampleChild::ClassType() const { return StaticClass(); }

const TClass& TRecorder::StaticClass() {
  static const TClass cls = TClassBuilder<TRecorder>("TRecorder", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TRecorder::ClassType() const { return StaticClass(); }

TRecorder::TRecorder(TComponent* AOwner, std::string Tag, TLog* Log)
    : TComponent(AOwner), FTag(std::move(Tag)), FLog(Log) {}

TRecorder::~TRecorder() {
  if (FLog) FLog->Lines.push_back(FTag + " destroyed");
}

void TRecorder::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  Seen.emplace_back(AComponent, Operation);
  if (Operation == opRemove && AComponent == Watched) {
    Watched = nullptr;
    if (FLog) FLog->Lines.push_back(FTag + " lost watched");
  }
}

void TRecorder::Loaded() {
  TComponent::Loaded();
  ++LoadedCalls;
}

}  // namespace hosttest
