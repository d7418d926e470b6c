#include "apps/ambit/TreePrinter.h"

#include <ostream>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/core/Collection.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"
#include "host/stream/FormWriter.h"

namespace ambit::cli {

using namespace host;

namespace {

class TPrinter {
public:
  TPrinter(const TComponent& Form, std::ostream& Out) : FForm(Form), FOut(Out) {}

  void Component(TComponent& C, TComponent* Root, int Depth) {
    if (!FSeen.insert(&C).second || Depth > 200) return;
    Line(Depth) << (C.Name().empty() ? "(unnamed)" : C.Name()) << ": " << DeclaredClass(C);
    if (&C != &FForm && C.Owner() != &FForm && C.Owner()) FOut << " (owner " << C.Owner()->Name() << ")";
    FOut << "\n";
    Texts(C, std::string(), Depth + 1, 0, &C);
    // Children as the form file holds them; a frame hands out what it owns.
    TComponent* inner = C.GetChildOwner() == &C ? &C : Root;
    std::vector<TComponent*> children;
    C.GetChildren([&](TComponent* child) { children.push_back(child); }, inner);
    for (TComponent* child : children)
      if (child) Component(*child, inner, Depth + 1);
  }

private:
  std::ostream& Line(int Depth) { return FOut << std::string(static_cast<std::size_t>(Depth) * 2, ' '); }

  static std::string DeclaredClass(const TComponent& C) { return TFormWriter::DeclaredClassName(C); }

  // Texts a control shows but does not store come from its action.
  static const TComponent* LinkedAction(const TComponent* C) {
    const TPropInfo* p = C ? GetPropInfo(C, "Action") : nullptr;
    return p ? As<TComponent>(GetObjectProp(C, p)) : nullptr;
  }

  void Texts(const TObject& Obj, const std::string& Prefix, int Depth, int Nesting, const TComponent* Self = nullptr) {
    if (Nesting > 8) return;
    const TComponent* action = LinkedAction(Self);
    for (const TPropInfo* p : GetPropInfos(&Obj)) {
      if (p->Name == "FormClassName" || p->Name == "Name") continue;
      const bool stored = IsStoredProp(&Obj, p);
      const std::string name = Prefix + p->Name;
      switch (p->Kind) {
        case tkString:
        case tkLString:
        case tkWString: {
          if (!stored && !action) break;
          const std::string v = GetStrProp(&Obj, p);
          if (v.empty()) break;
          Line(Depth) << name << " = " << FormQuotedString(v);
          if (!stored) FOut << "  (from " << action->Name() << ")";
          FOut << "\n";
          break;
        }
        case tkClass: {
          if (!stored) break;
          TObject* v = GetObjectProp(&Obj, p);
          if (!v || Is<TComponent>(v)) break;
          if (auto* s = As<TStrings>(v)) {
            if (s->Count() == 0) break;
            Line(Depth) << name << ":\n";
            for (int i = 0; i < s->Count(); ++i) Line(Depth + 1) << FormQuotedString(s->Get(i)) << "\n";
          } else if (auto* coll = As<TCollection>(v)) {
            for (int i = 0; i < coll->Count(); ++i)
              Texts(*coll->Items(i), name + "[" + std::to_string(i) + "].", Depth, Nesting + 1);
          } else if (auto* nodes = As<TTreeNodes>(v)) {
            if (nodes->Count() == 0) break;
            Line(Depth) << name << ":\n";
            Nodes(nodes->GetFirstNode(), Depth + 1);
          } else {
            Texts(*v, name + ".", Depth, Nesting + 1);
          }
          break;
        }
        default:
          break;
      }
    }
  }

  void Nodes(const TTreeNode* First, int Depth) {
    for (const TTreeNode* n = First; n; n = n->GetNextSibling()) {
      Line(Depth) << FormQuotedString(n->Text()) << "\n";
      if (n->HasChildren() && Depth < 200) Nodes(n->GetFirstChild(), Depth + 1);
    }
  }

  const TComponent& FForm;
  std::ostream& FOut;
  std::unordered_set<const TComponent*> FSeen;
};

}  // namespace

void PrintComponentTree(const TComponent& Form, std::ostream& Out) {
  TComponent& form = const_cast<TComponent&>(Form);
  TPrinter(Form, Out).Component(form, &form, 0);
}

}  // namespace ambit::cli
