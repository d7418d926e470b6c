// The commands of the ambit program. Each command lives in its own source
// file and is listed once in the table of Commands.cpp.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ambit::cli {

// Exit codes: 0 done, 1 the work failed (missing file, malformed form),
// 2 the command line was wrong.
constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

struct TCommand {
  const char* Name;
  const char* Summary;  // one line for the program's help
  const char* Help;     // the command's --help text
  int (*Run)(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
};

const std::vector<TCommand>& Commands();
const TCommand* FindCommand(const std::string& Name);

// Commands, one per source file.
int RunTree(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const TreeHelp;
int RunShow(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const ShowHelp;
int RunTemplate(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const TemplateHelp;
int RunRender(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const RenderHelp;
int RunStats(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const StatsHelp;
int RunCheck(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const CheckHelp;
int RunExport(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const ExportHelp;
int RunImport(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const ImportHelp;
int RunPseudo(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err);
extern const char* const PseudoHelp;

}  // namespace ambit::cli
