#include "host/stream/FormReader.h"

#include <cstdint>
#include <unordered_set>

#include "host/core/ClassRegistry.h"

namespace host {

namespace {
// A component whose children it owns itself (a frame) starts a new level of
// names: references inside it are looked up there first.
bool IsOwnerLevel(TComponent* c) { return c->GetChildOwner() == c; }

// Asks for the cache lines of Size bytes at P (a few at most: the
// properties of one object).
void PrefetchRange(const void* P, std::size_t Size) {
  constexpr std::size_t line = 64, most = 16 * line;
  const char* p = static_cast<const char*>(P);
  for (std::size_t k = 0; k < Size && k < most; k += line) __builtin_prefetch(p + k);
}

// Asks for the file text an object's names, property names and plain
// values are read from (one stretch, from its name to its last property),
// and for its strings, which may have been decoded elsewhere.
void PrefetchText(const TFormObject& Object) {
  const char* first = Object.Name.empty() ? Object.ClassName.data() : Object.Name.data();
  const auto from = reinterpret_cast<std::uintptr_t>(first);
  const auto to = Object.Props.empty() ? from : reinterpret_cast<std::uintptr_t>(Object.Props.back().Path.data());
  PrefetchRange(first, to > from ? to - from + 1 : 1);
  for (const TFormProperty& p : Object.Props)
    if (p.Value.Kind == TFormValueKind::String && !p.Value.Text.empty()) __builtin_prefetch(p.Value.Text.data());
}

const TPropInfo* FormClassNameProp(const TComponent& c) {
  const TPropInfo* p = GetPropInfo(&c, "FormClassName");
  return p && p->SetStr ? p : nullptr;
}
}  // namespace

TFormReader::TFormReader(std::string FileName, const TReadOptions& Options)
    : FFileName(std::move(FileName)), FOptions(Options) {}

void TFormReader::Fail(int Line, const std::string& Detail) const { throw EReadError(FFileName, Line, Detail); }

TComponent* TFormReader::CreateComponent(const TFormObject& Node, TComponent* Owner, bool IsRoot) {
  const TRegisteredClass* cls = FClasses.Find(Node.ClassName);
  bool declared = false;
  if (!cls && (IsRoot || Node.Kind == TFormObjectKind::Inline)) {
    // Forms and frames name their own classes (TMainForm); they are read
    // as the generic class, which keeps the declared name.
    cls = FindRegisteredClass(IsRoot ? FOptions.RootClass : FOptions.FrameClass);
    declared = true;
  }
  if (!cls || !cls->Create) Fail(Node.Line, "unknown class '" + std::string(Node.ClassName) + "'");
  TComponent* c = nullptr;
  try {
    c = cls->Create(Owner);
  } catch (const std::exception& e) {
    Fail(Node.Line, "cannot create " + std::string(Node.ClassName) + ": " + e.what());
  }
  if (!c) Fail(Node.Line, "cannot create " + std::string(Node.ClassName));
  FCreated.push_back(c);
  if (declared) {
    const TPropInfo* p = FormClassNameProp(*c);
    if (!p) Fail(Node.Line, "unknown class '" + std::string(Node.ClassName) + "'");
    p->SetStr(*c, std::string(Node.ClassName));
  }
  return c;
}

void TFormReader::BeginLoading(TComponent& Component) {
  Component.SetLoading(true);
  Component.SetReading(true);
  if (FOptions.Designing) Component.SetDesigning(true, false);
}

void TFormReader::NameComponent(TComponent& Component, const TFormObject& Node, bool UniqueInOwner) {
  if (Node.Name.empty()) return;
  std::string name(Node.Name);
  // A second copy of a form gets Name_1, Name_2, ... as its owner cannot
  // hold two components of one name.
  if (UniqueInOwner && Component.Owner() && IsValidIdent(name)) {
    for (int i = 1; Component.Owner()->FindComponent(name) != nullptr; ++i)
      name = std::string(Node.Name) + "_" + std::to_string(i);
  }
  try {
    Component.SetName(name);
  } catch (const std::exception& e) {
    Fail(Node.Line,
         "cannot name the " + std::string(Node.ClassName) + " '" + std::string(Node.Name) + "': " + e.what());
  }
}

TComponent* TFormReader::ReadRoot(const TFormTree& Tree, TComponent* Owner) {
  const TFormObject& Node = Tree.Root();
  TComponent* root = nullptr;
  try {
    if (Node.Kind == TFormObjectKind::Inherited) Fail(Node.Line, "expected 'object' for the root");
    root = CreateComponent(Node, Owner, true);
    NameComponent(*root, Node, true);
    FRoot = root;
    FRootFileName = Node.Name;
    Build(*root, Tree);
  } catch (...) {
    FreeCreated(nullptr);
    throw;
  }
  return root;
}

void TFormReader::ReadInto(TComponent& Root, const TFormTree& Tree) {
  const TFormObject& Node = Tree.Root();
  try {
    if (!SameText(Node.ClassName, Root.ClassName())) {
      const TPropInfo* p = FormClassNameProp(Root);
      if (!p) Fail(Node.Line, "expected class " + Root.ClassName() + " but found " + std::string(Node.ClassName));
      p->SetStr(Root, std::string(Node.ClassName));
    }
    NameComponent(Root, Node, false);
    Build(Root, Tree);
  } catch (...) {
    FreeCreated(&Root);
    Root.SetReading(false);
    Root.SetLoading(false);
    throw;
  }
}

void TFormReader::Build(TComponent& Root, const TFormTree& Tree) {
  const TFormObject& Node = Tree.Root();
  // The root owns what the file holds, but for what frames own: its name
  // index is made large enough at once instead of doubling on the way,
  // each time moving every name to a new place in memory.
  Root.ReserveNames(Tree.Objects() - 1);
  // The same for the reader's own lists of what it made.
  FLoaded.reserve(Tree.Objects());
  FLines.reserve(Tree.Objects());
  FCreated.reserve(Tree.Objects());
  BeginLoading(Root);
  FLoaded.push_back(&Root);
  FLines.push_back(Node.Line);
  FChains.push_back({&Root});
  FChain = 0;
  ReadProperties(Root, Node);
  ReadChildren(Root, Node, 0);
  Root.SetReading(false);
  ResolveFixups();
  if (FOptions.OnBindEvent)
    for (const TBinding& b : FBindings) FOptions.OnBindEvent(b.Instance, b.Event, b.Handler);
  if (FOptions.OnBeforeLoaded) {
    try {
      FOptions.OnBeforeLoaded(&Root);
    } catch (const std::exception& e) {
      Fail(Node.Line, e.what());
    }
  }
  CallLoaded();
}

void TFormReader::ReadChildren(TComponent& Component, const TFormObject& Node, std::size_t Chain) {
  // Building a component takes far longer than fetching memory. On a large
  // form the tree and the file text are long out of the cache by the time
  // the parse is over, so each round asks, one step further each, for what
  // the last round's fetches lead to: the node four places on, the
  // properties of the one three on, the text of the one after next, and
  // the name index slot of the next, whose name was fetched a round ago.
  const auto children = Node.Children;
  const std::size_t n = children.size();
  for (std::size_t i = 0; i < n && i < 4; ++i) __builtin_prefetch(children[i]);
  // The owner's name index, too large for the cache on such a form, is
  // asked for where the next child's name goes. ReadChild finds the same
  // owner for every child of this component.
  const TComponent* owner = n > 0 ? Component.GetChildOwner() : nullptr;
  if (!owner && n > 0) owner = FChains[Chain].back();
  for (std::size_t i = 0; i < n; ++i) {
    if (i + 4 < n) __builtin_prefetch(children[i + 4]);
    if (i + 3 < n) {
      const auto& props = children[i + 3]->Props;
      PrefetchRange(props.data(), props.size() * sizeof(props[0]));
    }
    if (i + 2 < n) PrefetchText(*children[i + 2]);
    if (i + 1 < n) owner->PrefetchName(children[i + 1]->Name);
    ReadChild(*children[i], Component, Chain);
  }
}

void TFormReader::ReadChild(const TFormObject& Node, TComponent& Parent, std::size_t Chain) {
  TComponent* owner = Parent.GetChildOwner();
  if (!owner) owner = FChains[Chain].back();
  TComponent* c = nullptr;
  if (Node.Kind == TFormObjectKind::Inherited) {
    c = owner->FindComponent(Node.Name);
    if (!c) Fail(Node.Line, "inherited component '" + std::string(Node.Name) + "' not found in " + owner->Name());
    if (!SameText(c->ClassName(), Node.ClassName))
      Fail(Node.Line, "inherited component '" + std::string(Node.Name) + "' is a " + c->ClassName() + ", not a " +
                           std::string(Node.ClassName));
  } else {
    c = CreateComponent(Node, owner, false);
  }
  BeginLoading(*c);
  FLoaded.push_back(c);
  FLines.push_back(Node.Line);
  if (Node.Kind != TFormObjectKind::Inherited) NameComponent(*c, Node, false);
  try {
    c->SetParentComponent(Parent.GetChildParent());
  } catch (const std::exception& e) {
    Fail(Node.Line, "cannot place " + std::string(Node.Name) + " into " + Parent.Name() + ": " + e.what());
  }
  std::size_t chain = Chain;
  if (Node.Kind == TFormObjectKind::Inline || IsOwnerLevel(c)) {
    std::vector<TComponent*> inner = FChains[Chain];
    inner.push_back(c);
    FChains.push_back(std::move(inner));
    chain = FChains.size() - 1;
  }
  FChain = chain;
  ReadProperties(*c, Node);
  ReadChildren(*c, Node, chain);
  c->SetReading(false);
}

void TFormReader::ReadProperties(TComponent& Component, const TFormObject& Node) {
  // Only an error message reads it: the component's own text, not a copy.
  const std::string& context = Component.Name().empty() ? Component.ClassName() : Component.Name();
  AssignProperties(Component, Node.Props, context);
}

TComponent* TFormReader::ResolveReference(const std::vector<TComponent*>& Roots, std::string_view Path) const {
  const std::size_t dot = Path.find('.');
  const std::string_view first = Path.substr(0, dot);
  TComponent* c = nullptr;
  for (auto it = Roots.rbegin(); it != Roots.rend() && !c; ++it) {
    c = (*it)->FindComponent(first);
    if (!c && (SameText((*it)->Name(), first) || (*it == FRoot && SameText(FRootFileName, first)))) c = *it;
  }
  if (!c) c = FindGlobalComponent(first);
  std::string_view rest = dot == std::string_view::npos ? std::string_view{} : Path.substr(dot + 1);
  while (c && !rest.empty()) {
    const std::size_t next = rest.find('.');
    c = c->FindComponent(rest.substr(0, next));
    rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next + 1);
  }
  return c;
}

void TFormReader::ResolveFixups() {
  for (const TFixup& f : FFixups) {
    TComponent* target = ResolveReference(FChains[f.Chain], f.Path);
    if (!target && FOptions.OnUnresolvedReference &&
        FOptions.OnUnresolvedReference(f.Component, f.Instance, f.Prop, f.Path))
      continue;
    if (!target) {
      std::string detail = f.Context + ": unresolved reference '" + f.Path + "'";
      // Naming another form that is not there is the usual cause: say so.
      const std::size_t dot = f.Path.find('.');
      if (dot != std::string::npos && !ResolveReference(FChains[f.Chain], std::string_view(f.Path).substr(0, dot)))
        detail += "; no form " + f.Path.substr(0, dot) + " is loaded: read its form file before this one";
      Fail(f.Line, detail);
    }
    try {
      f.Prop->SetObj(*f.Instance, target);
    } catch (const std::exception& e) {
      Fail(f.Line, f.Context + ": " + e.what());
    }
  }
}

void TFormReader::CallLoaded() {
  // Loaded may look at the components read after it, so every reference is
  // in place before the first call.
  for (std::size_t i = 0; i < FLoaded.size(); ++i) {
    // On a large form the components read first are long out of the cache:
    // ask for the ones a few calls ahead (their class table and state).
    if (i + 4 < FLoaded.size()) FLoaded[i + 4]->PrefetchState();
    TComponent* c = FLoaded[i];
    try {
      c->Loaded();
    } catch (const EReadError&) {
      throw;
    } catch (const std::exception& e) {
      Fail(FLines[i], (c->Name().empty() ? c->ClassName() : c->Name()) + ": " + e.what());
    }
    // An override that forgot the base must not leave the component loading.
    c->SetLoading(false);
  }
}

void TFormReader::FreeCreated(TComponent* Keep) {
  // Components owned by what is freed go with it; free only the top-most
  // ones, newest first, and never one already taken with its owner.
  const std::unordered_set<TComponent*> created(FCreated.begin(), FCreated.end());
  std::vector<TComponent*> top;
  for (TComponent* c : FCreated) {
    bool nested = false;
    for (TComponent* o = c->Owner(); o && !nested; o = o->Owner()) nested = created.count(o) != 0;
    if (!nested) top.push_back(c);
  }
  // What the read found rather than made stays, and must not stay loading.
  for (TComponent* c : FLoaded)
    if (created.count(c) == 0) {
      c->SetReading(false);
      c->SetLoading(false);
    }
  for (auto it = top.rbegin(); it != top.rend(); ++it)
    if (*it != Keep) delete *it;
  FCreated.clear();
  FLoaded.clear();
}

}  // namespace host
