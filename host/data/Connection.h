// TCustomConnection and TTableDataSet: what every database back end shares
// (the back ends publish the properties, in their own order).
// A connection knows the tables that name it, so that closing it closes them
// and destroying it lets them go; a table follows its connection's removal.
#pragma once

#include <string>
#include <vector>

#include "host/data/DataSet.h"

namespace host {

class TTableDataSet;

class TCustomConnection : public TComponent {
  HOST_CLASS(TCustomConnection)
public:
  ~TCustomConnection() override;

  // Refuses every write (the database itself stays as it is); changing it
  // closes the connection.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  virtual bool Connected() const = 0;
  // While loading only remembered; Loaded connects.
  void SetConnected(bool Value);
  void Open() { SetConnected(true); }
  // Closes the tables that use this connection first.
  void Close() { SetConnected(false); }

  void Loaded() override;

  // Tables register themselves so that closing the connection closes them.
  void AttachTable(TTableDataSet* Table);
  void DetachTable(TTableDataSet* Table);

protected:
  explicit TCustomConnection(TComponent* AOwner) : TComponent(AOwner) {}
  virtual void DoConnect() = 0;
  // Called after every table of the connection is closed.
  virtual void DoDisconnect() = 0;

private:
  bool FReadOnly = false;
  bool FStreamedConnected = false;
  std::vector<TTableDataSet*> FTables;
};

// A dataset over one named table of a connection.
class TTableDataSet : public TDataSet {
  HOST_CLASS(TTableDataSet)
public:
  ~TTableDataSet() override;

  const std::string& TableName() const { return FTableName; }
  void SetTableName(const std::string& Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  explicit TTableDataSet(TComponent* AOwner) : TDataSet(AOwner) {}
  TCustomConnection* ConnectionBase() const { return FConnection; }
  void SetConnectionBase(TCustomConnection* Value);

private:
  friend class TCustomConnection;  // lets its tables go when destroyed
  TCustomConnection* FConnection = nullptr;
  std::string FTableName;
};

}  // namespace host
