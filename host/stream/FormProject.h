// A project: the form files of an application in creation order, read one
// after the other so that each form can refer to the components of the
// forms before it ("OtherForm.Table1").
//
// The project file is INI text:
//
//   [Project]
//   Title=Ambit Sample
//   [Forms]
//   MainForm=MainForm.dfm
//   OptionsForm=OptionsForm.dfm
//
// Each line of [Forms] names a form and its file, relative to the project
// file's folder; the order of the lines is the order of creation. Other
// keys of [Project] are settings for the programs that open the project.
// An optional [Units] section lists the project's units without a form the
// same way (UnitName=File); programs that only load forms pass them by.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/core/Component.h"
#include "host/core/Strings.h"
#include "host/stream/FormStream.h"

namespace host {

struct TProjectForm {
  std::string Name;      // as the project lists it
  std::string FileName;  // resolved against the project's folder
};

class TFormProject {
public:
  TFormProject() = default;
  ~TFormProject();
  TFormProject(const TFormProject&) = delete;
  TFormProject& operator=(const TFormProject&) = delete;

  // Reads a project file; raises EFOpenError when it cannot be read and
  // EReadError (naming the file and line) for a malformed [Forms] line.
  static std::unique_ptr<TFormProject> LoadFromFile(const std::string& FileName);
  // A project of loose form files, in the order given.
  static std::unique_ptr<TFormProject> FromFormFiles(const std::vector<std::string>& FileNames);

  const std::string& FileName() const { return FFileName; }
  const std::string& Title() const { return FTitle; }
  // A key of the [Project] section; empty when the project does not set it.
  std::string Setting(std::string_view Key) const;
  const std::vector<TProjectForm>& FormFiles() const { return FFormFiles; }
  // The units without a form, in the order listed.
  const std::vector<TProjectForm>& UnitFiles() const { return FUnitFiles; }

  // Reads every form in order. With an Owner the forms belong to it (an
  // application); otherwise the project keeps them and frees them, newest
  // first, when it goes. While the project lives its forms are found by
  // name from other form files. A failing file raises its EReadError; the
  // forms read before it stay loaded.
  void LoadForms(TComponent* Owner = nullptr, const TReadOptions& Options = {});
  const std::vector<TComponent*>& Forms() const { return FForms; }
  // The loaded form of that name (ignoring case), or null.
  TComponent* FindForm(std::string_view Name) const;

private:
  void Watch();

  std::string FFileName;
  std::string FTitle;
  TStringList FSettings;
  std::vector<TProjectForm> FFormFiles;
  std::vector<TProjectForm> FUnitFiles;
  std::vector<TComponent*> FForms;
  std::vector<std::unique_ptr<TComponent>> FOwned;
  // Notices forms freed by someone else, so that FForms never dangles.
  std::unique_ptr<TComponent> FWatcher;
  int FLookupId = 0;
};

}  // namespace host
