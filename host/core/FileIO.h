// Whole files in and out: reading regular files only (a named pipe or a
// device would block or never end), and rewriting a file so that it is
// always whole, one writer at a time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace host {

// What identifies one version of a file on disk: every rewrite makes a new
// file (a new inode), and an edit in place changes the times.
struct TFileStamp {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::int64_t Size = 0;
  std::int64_t Modified = 0;  // nanoseconds
  std::int64_t Changed = 0;   // nanoseconds
  bool operator==(const TFileStamp&) const = default;
};

// Reads the whole file into Data. False when the file does not exist.
// Raises EFOpenError for anything but a regular file (a folder, a named
// pipe, a device, a socket: the message says which) and when the file
// cannot be read. Stamp, when given, identifies the version read.
bool ReadRegularFile(const std::string& FileName, std::string& Data, TFileStamp* Stamp = nullptr);

// One rewrite of a file. While it lives, it holds an exclusive advisory
// lock on the file's folder that every rewrite through this class takes,
// so writers of one folder take turns and each sees what the one before
// wrote. Symbolic links are followed: the file they name is replaced and
// the link stays. The first rewrite of a file in a process removes, under
// the lock, the temporary files of that file that rewrites killed half-way
// left in the folder (no rewrite runs while the lock is held, so each one
// found is dead).
class TFileRewrite {
public:
  explicit TFileRewrite(const std::string& FileName);
  ~TFileRewrite();
  TFileRewrite(const TFileRewrite&) = delete;
  TFileRewrite& operator=(const TFileRewrite&) = delete;

  // The file now on disk: false when there is none. Raises EFCreateError
  // when the name holds something other than a regular file, which a
  // rewrite would turn into one.
  bool Current(TFileStamp& Stamp) const;
  // Reads the file now on disk (false when there is none).
  bool ReadCurrent(std::string& Data, TFileStamp& Stamp) const;
  // Replaces the file with Data: written into a temporary file beside it
  // (unnamed where the file system allows), flushed to disk and renamed
  // over the old one. Keeps the mode (and the owner where allowed);
  // refuses a file without write permission. Raises EFCreateError, leaving
  // the old file whole and no temporary file, when anything fails; the
  // message says what to do about a full disk. Returns the new file's stamp.
  TFileStamp Commit(std::string_view Data);

private:
  void RemoveStaleTemporaries() const;

  std::string FFileName;  // as the caller named it, for messages
  std::string FTarget;    // links followed
  std::string FFolder;
  std::string FBase;      // the target's name within its folder
  int FFolderFd = -1;
};

// A rewrite of FileName with Data (a TFileRewrite committed at once).
void WriteFileAtomic(const std::string& FileName, std::string_view Data);

}  // namespace host
