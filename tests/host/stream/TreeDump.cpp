#include "TreeDump.h"

#include "host/core/Collection.h"
#include "host/core/Strings.h"
#include "host/core/TreeNodes.h"
#include "host/stream/EventNames.h"
#include "host/stream/FormWriter.h"

namespace streamtest {

using namespace host;

namespace {

void DumpObject(const TObject& obj, const TComponent* self, const std::string& prefix, std::string& out, int depth);

void DumpNodes(const TTreeNode* n, const std::string& prefix, std::string& out) {
  for (int i = 0; n; n = n->GetNextSibling(), ++i) {
    const std::string p = prefix + "[" + std::to_string(i) + "]";
    DumpObject(*n, nullptr, p + ".", out, 1);
    DumpNodes(n->GetFirstChild(), p + ".Nodes", out);
  }
}

void DumpObject(const TObject& obj, const TComponent* self, const std::string& prefix, std::string& out, int depth) {
  if (depth > 10) return;
  for (const TPropInfo* p : GetPropInfos(&obj)) {
    const std::string name = prefix + p->Name;
    switch (p->Kind) {
      case tkClass: {
        TObject* v = GetObjectProp(&obj, p);
        if (!v) {
          out += name + "=nil\n";
        } else if (auto* c = As<TComponent>(v)) {
          out += name + "->" + c->Name() + "@" + (c->Owner() ? c->Owner()->Name() : std::string("-")) + "\n";
        } else if (auto* s = As<TStrings>(v)) {
          for (int i = 0; i < s->Count(); ++i) out += name + "[" + std::to_string(i) + "]=" + FormQuotedString(s->Get(i)) + "\n";
        } else if (auto* coll = As<TCollection>(v)) {
          for (int i = 0; i < coll->Count(); ++i)
            DumpObject(*coll->Items(i), nullptr, name + "[" + std::to_string(i) + "].", out, depth + 1);
        } else if (auto* nodes = As<TTreeNodes>(v)) {
          DumpNodes(nodes->GetFirstNode(), name, out);
        } else {
          DumpObject(*v, nullptr, name + ".", out, depth + 1);
        }
        break;
      }
      case tkMethod:
        if (self) out += name + "=" + GetEventHandlerName(self, p->Name) + "\n";
        break;
      case tkFloat:
        out += name + "=" + std::to_string(GetFloatProp(&obj, p)) + "\n";
        break;
      case tkString:
      case tkLString:
      case tkWString:
        out += name + "=" + FormQuotedString(GetStrProp(&obj, p)) + "\n";
        break;
      default:
        out += name + "=" + std::to_string(GetOrdProp(&obj, p)) + "\n";
    }
  }
}

void DumpComponent(const TComponent& c, const TComponent& root, std::string& out) {
  out += "component " + c.Name() + ": " + c.ClassName() + " owner=" + (c.Owner() ? c.Owner()->Name() : "-") +
         " parent=" + (c.GetParentComponent() ? c.GetParentComponent()->Name() : "-") + "\n";
  DumpObject(c, &c, "  ", out, 0);
  for (TComponent* owned : c.ComponentList()) DumpComponent(*owned, root, out);
}

}  // namespace

std::string DumpTree(const TComponent& Root) {
  std::string out;
  DumpComponent(Root, Root, out);
  return out;
}

}  // namespace streamtest
