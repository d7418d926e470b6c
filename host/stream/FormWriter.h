// Writes a component tree as a form file: stored properties that differ
// from their defaults (ancestors' properties first), nested objects as
// dotted paths, string lists, collections, tree nodes, references by name,
// event handler names, and the children each component hands out.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "host/core/Component.h"
#include "host/core/TreeNodes.h"

namespace host {

class TCollection;
class TStrings;

// A text in form-file notation: quoted runs with '' for a quote, control
// characters as #NNN, UTF-8 kept as it is. With MaxWidth > 0 a long text
// is cut into pieces (after line breaks and every MaxWidth characters) that
// the caller joins with " +" and a line break.
std::vector<std::string> FormStringPieces(std::string_view Text, std::size_t MaxWidth);
std::string FormQuotedString(std::string_view Text);

class TFormWriter {
public:
  std::string Write(const TComponent& Root);

  // Asked for each component reference that holds nothing: a name to write
  // instead ("OtherForm.Table1"), or empty to write nothing. The designer
  // keeps references into forms that are closed this way.
  using TMissingReference = std::function<std::string(const TObject& Object, const TPropInfo& Prop)>;
  void SetOnMissingReference(TMissingReference Value) { FOnMissingReference = std::move(Value); }

  // The name under which a reader inside the roots of Chain finds Target:
  // "Name", "Frame1.Name" or "OtherForm.Name"; empty when it has none.
  static std::string ReferencePath(const TComponent* Target, const std::vector<TComponent*>& Chain);
  // The class a form file names for the component: the declared one a form
  // or frame keeps in FormClassName ("TMainForm"), else its own class's.
  static std::string DeclaredClassName(const TComponent& Component);

private:
  void WriteComponent(TComponent& Component, const char* Keyword, int Depth);
  void WriteProperties(const TObject& Object, const TComponent* Component, const std::string& Prefix, int Depth);
  void WriteStrings(const TStrings& Strings, const std::string& Name, int Depth);
  void WriteCollection(const TCollection& Collection, const TComponent* Component, const std::string& Name,
                       int Depth);
  void WriteNodes(const TTreeNode* First, const std::string& Name, int Depth);
  void WriteString(std::string_view Text, int Depth);
  void Indent(int Depth);

  std::string FOut;
  std::vector<TComponent*> FChain;
  std::unordered_set<const TComponent*> FWritten;
  int FLevel = -1;
  int FNested = 0;
  TMissingReference FOnMissingReference;
};

}  // namespace host
