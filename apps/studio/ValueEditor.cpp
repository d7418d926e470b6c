#include "apps/studio/ValueEditor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QToolButton>
#include <functional>

#include "host/design/ObjectInspector.h"

namespace ambit::studio {

using namespace host;

namespace {

QString ToQ(const std::string& S) { return QString::fromStdString(S); }

// A drop-down whose entries are asked for each time it opens.
class TValueList : public QComboBox {
public:
  TValueList(std::function<std::vector<std::string>()> Values, QWidget* Parent)
      : QComboBox(Parent), FValues(std::move(Values)) {}
  void showPopup() override {
    const QString text = currentText();
    {
      QSignalBlocker block(this);
      clear();
      for (const std::string& v : FValues()) addItem(ToQ(v));
      const int at = findText(text, Qt::MatchFixedString);
      setCurrentIndex(at);
      if (at < 0) setEditText(text);
    }
    QComboBox::showPopup();
  }

private:
  std::function<std::vector<std::string>()> FValues;
};

}  // namespace

TValueEditor::TValueEditor(TObjectInspector& Model, std::string Path, QWidget* Parent)
    : QWidget(Parent), FModel(Model), FPath(std::move(Path)) {
  setObjectName("ValueEditor");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const int row = Row();
  const bool readOnly = row >= 0 && FModel.ReadOnly(row);
  if (row >= 0 && FModel.HasValueList(row)) {
    FList = new TValueList([this] { return Row() >= 0 ? FModel.GetValues(Row()) : std::vector<std::string>(); }, this);
    FList->setObjectName("ValueList");
    FList->setEditable(true);
    FList->setInsertPolicy(QComboBox::NoInsert);
    FEdit = FList->lineEdit();
    layout->addWidget(FList, 1);
    connect(FList, &QComboBox::activated, this, [this](int Index) { Commit(FList->itemText(Index)); });
  } else {
    FEdit = new QLineEdit(this);
    FEdit->setFrame(false);
    layout->addWidget(FEdit, 1);
  }
  FEdit->setObjectName("ValueEdit");
  FEdit->setReadOnly(readOnly);
  if (!readOnly) connect(FEdit, &QLineEdit::editingFinished, this, [this] { Commit(FEdit->text()); });
  if (row >= 0 && FModel.HasDialog(row)) {
    FEllipsis = new QToolButton(this);
    FEllipsis->setObjectName("EllipsisButton");
    FEllipsis->setText("...");
    FEllipsis->setFixedWidth(22);
    layout->addWidget(FEllipsis);
    connect(FEllipsis, &QToolButton::clicked, this, [this] { RunDialog(); });
  }
  Refresh();
}

TValueEditor::~TValueEditor() = default;

int TValueEditor::Row() const { return FRetired ? -1 : FModel.FindRow(FPath); }

void TValueEditor::Retire() { FRetired = true; }

void TValueEditor::Refresh() {
  const int row = Row();
  if (row < 0 || FCommitting) return;
  if (FEdit->hasFocus() && FEdit->isModified()) return;
  QSignalBlocker block(FEdit);
  FEdit->setText(ToQ(FModel.Value(row)));
  FEdit->setModified(false);
  FEdit->setCursorPosition(0);
}

void TValueEditor::Commit(const QString& Text) {
  const int row = Row();
  if (row < 0 || FCommitting || FModel.ReadOnly(row)) return;
  FEdit->setModified(false);
  if (Text.toStdString() == FModel.Value(row)) return;
  // An error message runs a nested loop, in which the inspector may let
  // go of this editor.
  const QPointer<TValueEditor> self(this);
  FCommitting = true;
  FModel.SetValue(row, Text.toStdString());
  if (!self) return;
  FCommitting = false;
  // Refused texts give way to the value the property kept.
  Refresh();
}

void TValueEditor::RunDialog() {
  const int row = Row();
  if (row < 0) return;
  const QPointer<TValueEditor> self(this);
  FModel.Edit(row);
  if (self) Refresh();
}

}  // namespace ambit::studio
