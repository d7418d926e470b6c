#include "host/data/Connection.h"

#include <algorithm>

namespace host {

const TClass& TCustomConnection::StaticClass() {
  static const TClass cls = TClassBuilder<TCustomConnection>("TCustomConnection", &TComponent::StaticClass()).Build();
  return cls;
}
const TClass& TCustomConnection::ClassType() const { return StaticClass(); }

const TClass& TTableDataSet::StaticClass() {
  static const TClass cls = TClassBuilder<TTableDataSet>("TTableDataSet", &TDataSet::StaticClass()).Build();
  return cls;
}
const TClass& TTableDataSet::ClassType() const { return StaticClass(); }

TCustomConnection::~TCustomConnection() {
  // The back end's destructor has closed the connection; tables outliving
  // it must not reach for it again.
  for (TTableDataSet* t : std::vector<TTableDataSet*>(FTables)) t->SetConnectionBase(nullptr);
}

void TCustomConnection::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  Close();
  FReadOnly = Value;
}

void TCustomConnection::SetConnected(bool Value) {
  if (IsLoading()) {
    FStreamedConnected = Value;
    return;
  }
  if (Value == Connected()) return;
  if (Value) {
    DoConnect();
  } else {
    for (TTableDataSet* t : std::vector<TTableDataSet*>(FTables)) t->Close();
    DoDisconnect();
  }
}

void TCustomConnection::Loaded() {
  TComponent::Loaded();
  if (FStreamedConnected) SetConnected(true);
}

void TCustomConnection::AttachTable(TTableDataSet* Table) {
  if (std::find(FTables.begin(), FTables.end(), Table) == FTables.end()) FTables.push_back(Table);
}

void TCustomConnection::DetachTable(TTableDataSet* Table) {
  FTables.erase(std::remove(FTables.begin(), FTables.end(), Table), FTables.end());
}

TTableDataSet::~TTableDataSet() {
  if (FConnection) FConnection->DetachTable(this);
}

void TTableDataSet::SetConnectionBase(TCustomConnection* Value) {
  if (Value == FConnection) return;
  Close();
  if (FConnection) {
    FConnection->DetachTable(this);
    FConnection->RemoveFreeNotification(this);
  }
  FConnection = Value;
  InvalidateFieldDefs();
  if (FConnection) {
    FConnection->AttachTable(this);
    FConnection->FreeNotification(this);
  }
}

void TTableDataSet::SetTableName(const std::string& Value) {
  if (Value == FTableName) return;
  CheckInactive();
  FTableName = Value;
  InvalidateFieldDefs();
}

void TTableDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FConnection) {
    // The connection has closed this table already.
    FConnection = nullptr;
    InvalidateFieldDefs();
  }
}

}  // namespace host
