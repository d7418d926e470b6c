#include "host/core/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <unordered_set>
#include <cerrno>
#include <climits>
#include <cstring>

#include "host/core/SysUtils.h"

namespace host {

namespace {

const char* KindOf(mode_t Mode) {
  if (S_ISDIR(Mode)) return "a folder";
  if (S_ISFIFO(Mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(Mode)) return "a character device";
  if (S_ISBLK(Mode)) return "a block device";
  if (S_ISSOCK(Mode)) return "a socket";
  return "no regular file";
}

TFileStamp StampOf(const struct stat& St) {
  TFileStamp s;
  s.Device = St.st_dev;
  s.Inode = St.st_ino;
  s.Size = St.st_size;
  s.Modified = static_cast<std::int64_t>(St.st_mtim.tv_sec) * 1000000000 + St.st_mtim.tv_nsec;
  s.Changed = static_cast<std::int64_t>(St.st_ctim.tv_sec) * 1000000000 + St.st_ctim.tv_nsec;
  return s;
}

[[noreturn]] void OpenError(const std::string& FileName, int Err) {
  throw EFOpenError(Format("Cannot open file \"%s\". %s", {FileName, std::strerror(Err)}));
}

[[noreturn]] void NotRegular(const std::string& FileName, mode_t Mode, bool Writing) {
  const std::string what =
      Format("\"%s\": it is %s, not a regular file; name a regular file instead", {FileName, KindOf(Mode)});
  if (Writing) throw EFCreateError("Cannot write " + what);
  throw EFOpenError("Cannot read " + what);
}

[[noreturn]] void CreateError(const std::string& FileName, int Err) {
  throw EFCreateError(Format("Cannot create file \"%s\". %s", {FileName, std::strerror(Err)}));
}

// A failed write leaves the old file in place, which is worth saying: the
// user only has to make room and save again.
[[noreturn]] void WriteError(const std::string& FileName, int Err) {
  if (Err == ENOSPC || Err == EDQUOT)
    throw EFCreateError(Format("Cannot write file \"%s\": the disk is full (%s). The file keeps its previous "
                               "content; free some space and save again.",
                               {FileName, std::strerror(Err)}));
  throw EFCreateError(Format("Cannot write file \"%s\". %s", {FileName, std::strerror(Err)}));
}

std::string DirName(const std::string& Path) {
  const std::size_t slash = Path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : Path.substr(0, slash);
}

// Follows symbolic links to the file they name, also when that file does not
// exist yet, so that a rewrite replaces the file and keeps the link.
std::string ResolveLinks(const std::string& FileName) {
  std::string path = FileName;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
    const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n <= 0) return path;
    link.resize(static_cast<std::size_t>(n));
    path = link.front() == '/' ? link : DirName(path) + "/" + link;
  }
  return path;  // a loop: the rename reports it
}

// The temporary files of a rewrite are ".NAME.tmpPID_N": short and hidden,
// so a long file name still fits the folder's name limit.
std::string TemporaryPrefix(std::string Base) {
  if (Base.size() > 100) Base.resize(100);
  return "." + Base + ".tmp";
}

bool IsTemporaryOf(std::string_view Entry, std::string_view Prefix) {
  if (Entry.substr(0, Prefix.size()) != Prefix) return false;
  Entry.remove_prefix(Prefix.size());
  const std::size_t underscore = Entry.find('_');
  if (underscore == 0 || underscore == std::string_view::npos || underscore + 1 == Entry.size()) return false;
  for (std::size_t i = 0; i < Entry.size(); ++i)
    if (i != underscore && (Entry[i] < '0' || Entry[i] > '9')) return false;
  return true;
}

}  // namespace

bool ReadRegularFile(const std::string& FileName, std::string& Data, TFileStamp* Stamp) {
  // Checked before opening: opening a named pipe waits for a writer, and
  // opening some devices does something.
  struct stat st{};
  if (::stat(FileName.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return false;
    OpenError(FileName, errno);
  }
  if (!S_ISREG(st.st_mode)) NotRegular(FileName, st.st_mode, false);
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return false;
    OpenError(FileName, errno);
  }
  struct Closer {
    int Fd;
    ~Closer() { ::close(Fd); }
  } closer{fd};
  // The name may have been replaced since the check.
  if (::fstat(fd, &st) != 0) OpenError(FileName, errno);
  if (!S_ISREG(st.st_mode)) NotRegular(FileName, st.st_mode, false);
  std::string data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  char chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      // A read that failed half-way must not pass for a short file: the
      // next rewrite would write the truncated content over the whole one.
      throw EFOpenError(Format("Cannot read file \"%s\". %s", {FileName, std::strerror(errno)}));
    }
    data.append(chunk, static_cast<std::size_t>(n));
  }
  Data = std::move(data);
  if (Stamp) *Stamp = StampOf(st);
  return true;
}

// ---- TFileRewrite ----

TFileRewrite::TFileRewrite(const std::string& FileName) : FFileName(FileName) {
  if (FileName.empty()) CreateError(FileName, ENOENT);
  FTarget = ResolveLinks(FileName);
  FFolder = DirName(FTarget);
  const std::size_t slash = FTarget.rfind('/');
  FBase = slash == std::string::npos ? FTarget : FTarget.substr(slash + 1);
  // Without the lock (a folder that cannot be opened, a file system
  // without locks) the rewrite still goes on: it stays whole, only turns
  // between writers are not kept. A missing folder is reported by Commit.
  FFolderFd = ::open(FFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (FFolderFd < 0) return;
  while (::flock(FFolderFd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ::close(FFolderFd);
      FFolderFd = -1;
      return;
    }
  }
  RemoveStaleTemporaries();
}

TFileRewrite::~TFileRewrite() {
  if (FFolderFd >= 0) ::close(FFolderFd);  // releases the lock
}

void TFileRewrite::RemoveStaleTemporaries() const {
  // Once per file and process: a killed rewrite leaves at most a name that
  // lived for the moment of its rename, and reading a large folder before
  // every one of a save's many rewrites would cost more than it finds.
  static std::mutex mutex;
  static std::unordered_set<std::string> cleaned;
  {
    const std::lock_guard<std::mutex> lock(mutex);
    if (!cleaned.insert(FTarget).second) return;
  }
  const int fd = ::dup(FFolderFd);
  if (fd < 0) return;
  DIR* dir = ::fdopendir(fd);
  if (!dir) {
    ::close(fd);
    return;
  }
  const std::string prefix = TemporaryPrefix(FBase);
  while (const dirent* e = ::readdir(dir))
    if (IsTemporaryOf(e->d_name, prefix)) ::unlinkat(FFolderFd, e->d_name, 0);
  ::closedir(dir);
}

bool TFileRewrite::Current(TFileStamp& Stamp) const {
  struct stat st{};
  if (::stat(FTarget.c_str(), &st) != 0) return false;
  if (!S_ISREG(st.st_mode)) NotRegular(FFileName, st.st_mode, true);
  Stamp = StampOf(st);
  return true;
}

bool TFileRewrite::ReadCurrent(std::string& Data, TFileStamp& Stamp) const {
  TFileStamp ignored;
  Current(ignored);  // a special file is refused in the writer's words
  return ReadRegularFile(FTarget, Data, &Stamp);
}

TFileStamp TFileRewrite::Commit(std::string_view Data) {
  struct stat st{};
  const bool exists = ::stat(FTarget.c_str(), &st) == 0;
  // A named pipe or a device would be replaced by a regular file.
  if (exists && !S_ISREG(st.st_mode)) NotRegular(FFileName, st.st_mode, true);
  // A read-only file stays unwritten, as it would with a direct write; the
  // rename would otherwise replace it behind its owner's back.
  if (exists && ::access(FTarget.c_str(), W_OK) != 0) CreateError(FFileName, errno);
  const std::string prefix = FFolder + "/" + TemporaryPrefix(FBase);
  static std::atomic<unsigned> counter{0};
  auto tempName = [&] { return prefix + std::to_string(::getpid()) + "_" + std::to_string(counter++); };
  auto raise = [&](int Err, bool Writing) {
    if (Writing || Err == ENOSPC || Err == EDQUOT) WriteError(FFileName, Err);
    CreateError(FFileName, Err);
  };
  // An unnamed file vanishes by itself when the process dies before the
  // rename; it is named only for the moment of the rename. Naming it goes
  // through /proc, so without /proc the file is named from the start.
  static const bool canName = ::access("/proc/self/fd", X_OK) == 0;
  int fd = canName ? ::open(FFolder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
  const bool unnamed = fd >= 0;
  std::string temp;
  if (!unnamed) {
    if (canName && (errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == EROFS ||
                    errno == ENOSPC || errno == EDQUOT))
      raise(errno, false);
    // Otherwise the file system has no unnamed files.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
      temp = tempName();
      fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd < 0 && errno != EEXIST) raise(errno, false);
    }
    if (fd < 0) raise(EEXIST, false);
  }
  auto fail = [&](int Err, bool Writing) {
    if (fd >= 0) ::close(fd);
    if (!temp.empty()) ::unlink(temp.c_str());
    raise(Err, Writing);
  };
  if (exists) {
    if (::fchmod(fd, st.st_mode & 07777) != 0) fail(errno, false);
    // Keeping the owner needs privileges; without them the file simply
    // becomes the writer's, as any rewrite would make it.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    }
  }
  const char* p = Data.data();
  std::size_t left = Data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail(errno, true);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // Data on disk before the rename: otherwise a power loss could leave the
  // new name on an empty file, and some file systems report a full disk only
  // now. The folder is not synced after the rename: losing the rename to a
  // power cut leaves the previous file whole, and it would double the cost
  // of every write (language files are rewritten once per saved text).
  if (::fdatasync(fd) != 0) fail(errno, true);
  if (unnamed) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100 && temp.empty(); ++attempt) {
      std::string name = tempName();
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        temp = std::move(name);
      else if (errno != EEXIST)
        fail(errno, false);
    }
    if (temp.empty()) fail(EEXIST, false);
  }
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) fail(errno, true);
  if (::rename(temp.c_str(), FTarget.c_str()) != 0) fail(errno, false);
  // Stamped after the rename, which changes the inode's times on some file
  // systems: the stamp must match what the next writer finds (no other
  // rewrite runs while the lock is held).
  TFileStamp stamp;
  if (::stat(FTarget.c_str(), &st) == 0) stamp = StampOf(st);
  return stamp;
}

void WriteFileAtomic(const std::string& FileName, std::string_view Data) { TFileRewrite(FileName).Commit(Data); }

}  // namespace host
