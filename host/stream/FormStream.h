// Reading and writing components as text form files: the entry points.
//
//   object MainForm: TMainForm            root: name and declared class
//     Caption = 'It''s'#13#10'ok'         quotes doubled, #NNN code points
//     Hint = 'a long text is cut ' +      '+' joins pieces across lines
//       'into pieces'
//     Left = -8                           integers, $hex, floats (1.5E-3)
//     Font.Style = [fsBold, fsItalic]     dotted paths into nested objects; sets
//     Menu = MainMenu1                    references by name, also
//     Source = DataForm.Table1            Form.Component and Frame.Component
//     OnClick = MainFormClick             event handler names, never run
//     object List1: TListBox              children, nested as GetChildren
//       Items.Strings = (                 hands them out
//         'Red'
//         'Green')
//     end
//     object Tree1: TTreeView
//       Items.Nodes = <                   tree nodes: items with their
//         item                            properties and nested Nodes
//           Text = 'Root'
//           Nodes = <
//             item
//               Text = 'Child'
//             end>
//         end>
//     end
//     object Columns1: TListView
//       Columns = <                       collections
//         item
//           Caption = 'Name'
//         end>
//     end
//     inline Frame1: TAddressFrame        a frame with its full content; it
//       object Street: TEdit              owns what is read inside it
//       end
//     end
//   end
//
// Also: "object TClass" for an unnamed component, "inherited Name: TClass"
// for a component the root already has (reading into an existing root).
// Text is UTF-8 inside the quotes. The lexer (FormLexer.h), the parser
// (FormParser.h), the reader (FormReader.h) and the writer (FormWriter.h)
// each live apart; this header is what callers use.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "host/core/Component.h"
#include "host/stream/FormLexer.h"

namespace host {

// Raised by the writer for a tree it cannot express as a form file.
class EWriteError : public Exception { using Exception::Exception; };

struct TReadOptions {
  // Reads in the designer's state: csDesigning is set on the root and on
  // every component read before any property is assigned.
  bool Designing = false;
  // The class created for a root whose declared class (TMainForm) is not
  // registered; it must publish FormClassName to keep the declared name.
  // Inline blocks of unknown classes use FrameClass likewise.
  std::string RootClass = "TForm";
  std::string FrameClass = "TFrame";
  // Called once per stored event handler name after the whole tree is read
  // and references are resolved, before Loaded: the place for an
  // application to connect its handlers. Reading itself runs no handler.
  std::function<void(TComponent* Instance, const std::string& Event, const std::string& Handler)> OnBindEvent;
  // Asked for a reference no loaded component answers (Instance is the
  // component or the nested object of Component that holds Prop): true
  // leaves the property empty and reads on, false fails the read. The
  // designer opens a form whose references lead into a closed form so.
  std::function<bool(TComponent* Component, TObject* Instance, const TPropInfo* Prop, const std::string& Path)>
      OnUnresolvedReference;
  // Called with the root once the tree is read and its references set,
  // before the first Loaded: the place to prepare what components look at
  // in Loaded (the folder their files are named relative to, say).
  std::function<void(TComponent* Root)> OnBeforeLoaded;
};

// Reads a root component from form text. FileName is used in messages.
// The result belongs to the caller. On any error nothing of the half-read
// tree remains and EReadError names the file, the line and the fault.
std::unique_ptr<TComponent> ReadComponentText(std::string_view Text, const std::string& FileName,
                                              const TReadOptions& Options = {});
// The same, with the root owned by Owner (which frees it).
TComponent* ReadComponentText(std::string_view Text, const std::string& FileName, TComponent& Owner,
                              const TReadOptions& Options = {});
std::unique_ptr<TComponent> ReadComponentFile(const std::string& FileName, const TReadOptions& Options = {});
TComponent* ReadComponentFile(const std::string& FileName, TComponent& Owner, const TReadOptions& Options = {});
// Reads into an existing root (the designer creates the form, the file
// fills it). On error the components created by this read are freed; the
// root itself stays, with whatever properties were assigned before.
void ReadComponentInto(TComponent& Root, std::string_view Text, const std::string& FileName,
                       const TReadOptions& Options = {});

// Writes Root and everything it hands out through GetChildren. The output
// is deterministic and reads back to the same tree and values.
std::string WriteComponentText(const TComponent& Root);
// Writes atomically (temporary file, then rename).
void WriteComponentFile(const TComponent& Root, const std::string& FileName);

// The whole content of a file; raises EFOpenError naming it when it cannot
// be read.
std::string ReadFileText(const std::string& FileName);

}  // namespace host
