// The component palette: a tab per palette page in registration order, a
// button per class in its page's order. A click arms the class for the
// next click on a form (which places it there); a double-click adds it to
// the selected form or container at once.
#pragma once

#include <QTabWidget>
#include <functional>
#include <string>

class QAbstractButton;
class QButtonGroup;

namespace host {
class TClass;
}

namespace ambit::studio {

class TPaletteBar : public QTabWidget {
public:
  explicit TPaletteBar(QWidget* Parent = nullptr);

  // Builds the pages again from the registrations (after packages loaded).
  void Reload();
  // The class the next click on a form places (null: the pointer).
  const host::TClass* Armed() const { return FArmed; }
  // Back to the pointer (a component was placed, or the user gave up).
  void Disarm();

  // Told when a class is armed (or null when disarmed), and when one is
  // double-clicked to be added at once.
  void SetOnArmed(std::function<void(const host::TClass*)> Handler) { FOnArmed = std::move(Handler); }
  void SetOnAdd(std::function<void(const host::TClass&)> Handler) { FOnAdd = std::move(Handler); }

  // The button of a class (null when it is on no page).
  QAbstractButton* ButtonOf(const std::string& ClassName) const;

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  void Arm(const host::TClass* Class);

  QButtonGroup* FGroup = nullptr;
  const host::TClass* FArmed = nullptr;
  std::function<void(const host::TClass*)> FOnArmed;
  std::function<void(const host::TClass&)> FOnAdd;
};

}  // namespace ambit::studio
