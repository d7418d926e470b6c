// The application and the screen: the forms in creation order, the
// widgetset and dialogs service in use, the message loop hooks and the
// screen's hint, menu and icon fonts.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/controls/Forms.h"
#include "host/controls/Peer.h"
#include "host/core/Component.h"
#include "host/core/Graphics.h"

namespace host {

class IDialogs;

class TApplication : public TComponent {
  HOST_CLASS(TApplication)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // The widgetset that shows forms (not owned); null: headless.
  TWidgetSet* WidgetSet() const { return FWidgetSet; }
  void SetWidgetSet(TWidgetSet* Value);
  // The dialogs service: the one installed last, else the widgetset's,
  // else the headless one that never blocks.
  IDialogs& Dialogs() const;
  // Installs a service (not owned; null restores the default) and returns
  // the one installed before.
  IDialogs* SetDialogs(IDialogs* Value);

  // Creates a form owned by the application and fires its OnCreate; the
  // first form created this way becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    AddCreatedForm(form);
    return form;
  }
  // The same for a form made elsewhere (read from a form file, say).
  void AddCreatedForm(TCustomForm* Form);
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Value) { FMainForm = Value; }

  // The full path of the running program's executable; empty when the
  // system does not tell.
  std::string ExeName() const;
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // The hint of the control under the mouse, as the peers report it.
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value) { FShowHint = Value; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value) { FBiDiMode = Value; }

  // Frees released forms, then lets the widgetset handle pending events.
  void ProcessMessages();
  // Shows the main form and runs the widgetset's loop until Terminate;
  // headless it returns at once.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Clears Terminated, so that tests can run one application after another.
  void ResetTerminated() { FTerminated = false; }

  // Deferred freeing of forms (Release, caFree).
  void ReleaseForm(TCustomForm* Form);
  void CancelRelease(TCustomForm* Form);

  const TNotifyEvent& OnHint() const { return FOnHint; }
  void SetOnHint(TNotifyEvent Value) { FOnHint = std::move(Value); }

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TWidgetSet* FWidgetSet = nullptr;
  IDialogs* FDialogs = nullptr;
  std::unique_ptr<IDialogs> FHeadless;
  TCustomForm* FMainForm = nullptr;
  std::string FTitle;
  std::string FHint;
  bool FShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FTerminated = false;
  std::vector<TCustomForm*> FReleased;
  TNotifyEvent FOnHint;
};

class TScreen : public TComponent {
  HOST_CLASS(TScreen)
public:
  // Registers the global look-up of forms by name.
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  // Every living form, in creation order.
  int FormCount() const { return static_cast<int>(FForms.size()); }
  // Raises EListError for an index out of range.
  TCustomForm* Forms(int Index) const;
  // The form of that name, ignoring case; null when none.
  TCustomForm* FindForm(std::string_view Name) const;
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TControl* ActiveControl() const;

  TFont* HintFont() const { return FHintFont.get(); }
  void SetHintFont(const TFont* Value) { FHintFont->Assign(Value); }
  TFont* MenuFont() const { return FMenuFont.get(); }
  void SetMenuFont(const TFont* Value) { FMenuFont->Assign(Value); }
  TFont* IconFont() const { return FIconFont.get(); }
  void SetIconFont(const TFont* Value) { FIconFont->Assign(Value); }

  // The desktop size in pixels (the widgetset sets the real one).
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetSize(int AWidth, int AHeight);

  // Fired after one of the three fonts changed.
  const TNotifyEvent& OnFontsChanged() const { return FOnFontsChanged; }
  void SetOnFontsChanged(TNotifyEvent Value) { FOnFontsChanged = std::move(Value); }

  // Internal: forms register themselves while they live.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);

private:
  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  std::unique_ptr<TFont> FHintFont;
  std::unique_ptr<TFont> FMenuFont;
  std::unique_ptr<TFont> FIconFont;
  int FWidth = 1920;
  int FHeight = 1080;
  int FLookupId = 0;
  TNotifyEvent FOnFontsChanged;
};

// The process-wide instances, created on first use and kept until the
// process ends.
TApplication* Application();
TScreen* Screen();

}  // namespace host
