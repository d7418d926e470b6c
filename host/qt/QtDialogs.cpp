#include "host/qt/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <map>

#include "host/controls/Application.h"
#include "host/controls/Forms.h"
#include "host/qt/QtConvert.h"
#include "host/qt/QtFormPeer.h"
#include "host/qt/QtWidgetSet.h"

namespace host::qt {

namespace {

// Hears the destruction of the modal form, which a handler may free
// while the loop runs.
class TFormWatch : public TComponent {
public:
  explicit TFormWatch(TCustomForm* Form) : TComponent(nullptr), FForm(Form) { Form->FreeNotification(this); }
  ~TFormWatch() override {
    if (FForm) FForm->RemoveFreeNotification(this);
  }
  TCustomForm* Form() const { return FForm; }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FForm) FForm = nullptr;
  }

private:
  TCustomForm* FForm;
};

QString TitleOf(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    default: return ToQ(Application()->Title());
  }
}

QMessageBox::Icon IconOf(TMsgDlgType Type) {
  switch (Type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
  }
}

QMessageBox::StandardButton StandardOf(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes: return QMessageBox::Yes;
    case mbNo: return QMessageBox::No;
    case mbOK: return QMessageBox::Ok;
    case mbCancel: return QMessageBox::Cancel;
    case mbAbort: return QMessageBox::Abort;
    case mbRetry: return QMessageBox::Retry;
    case mbIgnore: return QMessageBox::Ignore;
    case mbAll: return QMessageBox::NoButton;  // no standard one: a button of its own
    case mbNoToAll: return QMessageBox::NoToAll;
    case mbYesToAll: return QMessageBox::YesToAll;
    case mbHelp: return QMessageBox::Help;
    case mbClose: return QMessageBox::Close;
  }
  return QMessageBox::NoButton;
}

}  // namespace

QWidget* TQtDialogs::DialogParent() {
  if (TCustomForm* form = Screen()->ActiveForm())
    if (auto* peer = dynamic_cast<TQtFormPeer*>(form->Peer())) return peer->Window();
  return QApplication::activeWindow();
}

TModalResult TQtDialogs::MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  if (Buttons.Empty()) Buttons = TMsgDlgButtons{mbOK};
  QMessageBox box(IconOf(DlgType), TitleOf(DlgType), MultiLine(Msg), QMessageBox::NoButton, DialogParent());
  box.setWindowModality(Qt::ApplicationModal);
  if (Application()->BiDiMode() == bdRightToLeft) box.setLayoutDirection(Qt::RightToLeft);
  std::map<QAbstractButton*, TMsgDlgBtn> buttons;
  for (TMsgDlgBtn b : {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,
                       mbClose}) {
    if (!Buttons.Contains(b)) continue;
    QAbstractButton* button = b == mbAll ? box.addButton(QStringLiteral("&All"), QMessageBox::AcceptRole)
                                         : box.addButton(StandardOf(b));
    buttons[button] = b;
  }
  // Escape and the close box give the most cancel-like answer, as the
  // headless service does.
  const TModalResult cancelLike = CancelLikeResult(Buttons);
  for (auto& [button, b] : buttons)
    if (ModalResultOf(b) == cancelLike) box.setEscapeButton(button);
  box.exec();
  auto it = buttons.find(box.clickedButton());
  return it == buttons.end() ? cancelLike : ModalResultOf(it->second);
}

TModalResult TQtDialogs::ShowModal(TCustomForm* Form) {
  Form->BeginModal();
  TFormWatch watch(Form);
  ++FModalLevel;
  try {
    QEventLoop loop;
    // Each pass waits for events and handles them; whatever sets the modal
    // result (a button, the close box, a timer, a script) is an event.
    while (watch.Form() && !Form->ModalFinished()) {
      if (!Form->Peer()) {
        // Nothing shows the form (no peer): nobody can answer it.
        Form->SetModalResult(mrCancel);
        continue;
      }
      loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
  } catch (...) {
    --FModalLevel;
    if (watch.Form()) Form->EndModal();
    throw;
  }
  --FModalLevel;
  if (!watch.Form()) return mrCancel;
  return Form->EndModal();
}

QStringList TQtDialogs::NameFilters(const std::string& Filter) {
  QStringList result;
  const QStringList parts = ToQ(Filter).split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    patterns = patterns.trimmed();
    const QString name = parts[i].trimmed();
    // Qt reads the patterns from the last parentheses of the name; a name
    // that already ends in them needs nothing more.
    if (name.endsWith(QStringLiteral("(%1)").arg(patterns)))
      result << name;
    else
      result << QStringLiteral("%1 (%2)").arg(name, patterns);
  }
  return result;
}

bool TQtDialogs::OpenFile(TOpenDialog* Dialog) {
  QFileDialog dialog(DialogParent(), ToQ(Dialog->Title()), ToQ(Dialog->InitialDir()));
  // Qt's own dialog: the same on every desktop, and scriptable in tests.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  const TOpenOptions options = Dialog->Options();
  if (options.Contains(ofAllowMultiSelect))
    dialog.setFileMode(QFileDialog::ExistingFiles);
  else if (options.Contains(ofFileMustExist))
    dialog.setFileMode(QFileDialog::ExistingFile);
  else
    dialog.setFileMode(QFileDialog::AnyFile);
  if (options.Contains(ofForceShowHidden)) dialog.setFilter(dialog.filter() | QDir::Hidden);
  const QStringList filters = NameFilters(Dialog->Filter());
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const int index = Dialog->FilterIndex() - 1;
    if (index >= 0 && index < filters.size()) dialog.selectNameFilter(filters[index]);
  }
  if (!Dialog->DefaultExt().empty()) dialog.setDefaultSuffix(ToQ(Dialog->DefaultExt()));
  if (!Dialog->FileName().empty()) dialog.selectFile(ToQ(Dialog->FileName()));
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return false;
  Dialog->Files()->Clear();
  for (const QString& f : files) Dialog->Files()->Add(FromQ(f));
  Dialog->SetFileName(FromQ(files.front()));
  const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
  if (chosen >= 0) Dialog->SetFilterIndex(chosen + 1);
  return true;
}

}  // namespace host::qt
