#include "host/stream/FormStream.h"

#include "host/core/FileIO.h"
#include "host/stream/FormParser.h"
#include "host/stream/FormReader.h"
#include "host/stream/FormWriter.h"

namespace host {

std::string ReadFileText(const std::string& FileName) {
  std::string data;
  if (!ReadRegularFile(FileName, data)) throw EFOpenError("Cannot open file \"" + FileName + "\": it does not exist");
  return data;
}

namespace {
TComponent* ReadRoot(std::string_view Text, const std::string& FileName, TComponent* Owner,
                     const TReadOptions& Options) {
  // The whole file is parsed before the first component exists, so
  // syntax errors never leave anything to clean up.
  TFormParser parser(Text, FileName);
  const TFormTree tree = parser.ParseRoot();
  TFormReader reader(FileName, Options);
  return reader.ReadRoot(tree, Owner);
}
}  // namespace

std::unique_ptr<TComponent> ReadComponentText(std::string_view Text, const std::string& FileName,
                                              const TReadOptions& Options) {
  return std::unique_ptr<TComponent>(ReadRoot(Text, FileName, nullptr, Options));
}

TComponent* ReadComponentText(std::string_view Text, const std::string& FileName, TComponent& Owner,
                              const TReadOptions& Options) {
  return ReadRoot(Text, FileName, &Owner, Options);
}

std::unique_ptr<TComponent> ReadComponentFile(const std::string& FileName, const TReadOptions& Options) {
  return ReadComponentText(ReadFileText(FileName), FileName, Options);
}

TComponent* ReadComponentFile(const std::string& FileName, TComponent& Owner, const TReadOptions& Options) {
  return ReadComponentText(ReadFileText(FileName), FileName, Owner, Options);
}

void ReadComponentInto(TComponent& Root, std::string_view Text, const std::string& FileName,
                       const TReadOptions& Options) {
  TFormParser parser(Text, FileName);
  const TFormTree tree = parser.ParseRoot();
  TFormReader reader(FileName, Options);
  reader.ReadInto(Root, tree);
}

std::string WriteComponentText(const TComponent& Root) {
  TFormWriter writer;
  return writer.Write(Root);
}

void WriteComponentFile(const TComponent& Root, const std::string& FileName) {
  WriteFileAtomic(FileName, WriteComponentText(Root));
}

}  // namespace host
