// Writing files whole or not at all (see FileWrite.h).
#include "support/FileWrite.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace verrask {
namespace fs = std::filesystem;

namespace {

TWriteFault Fault = nullptr;

// Links followed before the chain counts as a loop (the Linux kernel's own limit).
constexpr int MaxLinks = 40;

// The system's reason for an errno value, worded alike on both systems.
std::string Reason(int error) {
    if (error == EISDIR) return "is a folder";
    return std::strerror(error);
}

std::string Reason(const std::error_code& ec) {
    const std::error_condition condition = ec.default_error_condition();
    if (condition.category() == std::generic_category()) return Reason(condition.value());
    return ec.message();
}

#ifdef _WIN32
// The errno value of a Win32 error, so messages read as they do on Linux.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return EEXIST;
    case ERROR_INVALID_NAME:
        return EINVAL;
    default:
        return EIO;
    }
}
#endif

std::string Failure(const fs::path& path, const std::string& reason) {
    return "cannot write " + PathText(path) + ": " + reason;
}

// One file of a set on its way: the target after links, its temporary file, its backup.
struct TPending {
    fs::path Target, Temp, Backup;
    bool Existed = false, Made = false, Backed = false;
};

// The file the name leads to after symbolic links, refused when it exists and is not a regular
// file. Returns "" when it can be written.
std::string Resolve(const fs::path& path, TPending& p) {
    if (path.empty()) return "no file name";
    fs::path at = path;
    for (int links = 0;; ++links) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(at, ec);
        if (status.type() == fs::file_type::not_found) break; // a new file
        if (ec) return Failure(at, Reason(ec));
        if (status.type() == fs::file_type::symlink) {
            if (links == MaxLinks) return Failure(path, Reason(ELOOP));
            const fs::path next = fs::read_symlink(at, ec);
            if (ec) return Failure(at, Reason(ec));
            at = next.is_absolute() ? next : at.parent_path() / next;
            continue;
        }
        if (status.type() == fs::file_type::directory) return Failure(at, "is a folder");
        if (status.type() != fs::file_type::regular)
            return Failure(at, "is not a regular file (a device or a pipe)");
        p.Existed = true;
        break;
    }
    p.Target = at;
    p.Temp = at;
    p.Temp += ".part";
    return "";
}

void RemoveQuietly(const fs::path& path) {
    std::error_code ignored;
    fs::remove(path, ignored);
}

#ifdef _WIN32
using TFile = int;

int OpenTemp(const fs::path& temp, const TPending&, TFile& fd) {
    fd = _wopen(temp.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
    return fd < 0 ? errno : 0;
}
int WriteSome(TFile fd, const char* data, std::size_t size, std::size_t& done) {
    constexpr std::size_t Chunk = 1u << 30; // _write takes an unsigned int count
    const int n = _write(fd, data, static_cast<unsigned>(size < Chunk ? size : Chunk));
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    done = static_cast<std::size_t>(n);
    return 0;
}
int Flush(TFile fd) {
    return _commit(fd) != 0 ? errno : 0; // FlushFileBuffers on the file's handle
}
int Close(TFile fd) {
    return _close(fd) != 0 ? errno : 0;
}
int Rename(const fs::path& from, const fs::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return ErrnoOf(GetLastError());
}
bool Link(const fs::path& existing, const fs::path& link) {
    return CreateHardLinkW(link.c_str(), existing.c_str(), nullptr) != 0;
}
void SyncFolder(const fs::path&) {} // MOVEFILE_WRITE_THROUGH made the rename durable
#else
using TFile = int;

int OpenTemp(const fs::path& temp, const TPending& p, TFile& fd) {
    // Never through a link or into a FIFO (which would wait for a reader) left in the way.
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                0666);
    if (fd < 0) return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        fd = -1;
        return EEXIST;
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (p.Existed && ::stat(p.Target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    return 0;
}
int WriteSome(TFile fd, const char* data, std::size_t size, std::size_t& done) {
    for (;;) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return ENOSPC;
        done = static_cast<std::size_t>(n);
        return 0;
    }
}
int Flush(TFile fd) {
    return ::fsync(fd) != 0 ? errno : 0;
}
int Close(TFile fd) {
    return ::close(fd) != 0 ? errno : 0;
}
int Rename(const fs::path& from, const fs::path& to) {
    return ::rename(from.c_str(), to.c_str()) != 0 ? errno : 0;
}
bool Link(const fs::path& existing, const fs::path& link) {
    return ::link(existing.c_str(), link.c_str()) == 0;
}
// The rename itself reaches the disk with the folder's entry.
void SyncFolder(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
#endif

int Step(TWriteStep step, const fs::path& target) {
    return Fault ? Fault(step, target) : 0;
}

// The bytes into the temporary file, flushed and closed. Returns "" when complete; on failure
// a temporary file made here is removed.
std::string WriteTemp(TPending& p, std::string_view bytes) {
    TFile fd = -1;
    std::error_code ec;
    const fs::file_type there = fs::symlink_status(p.Temp, ec).type();
    int error = there != fs::file_type::not_found && there != fs::file_type::regular ? EEXIST : 0;
    if (!error) error = Step(TWriteStep::Create, p.Target);
    if (!error) error = OpenTemp(p.Temp, p, fd);
    if (error == EEXIST)
        return Failure(p.Target, "its temporary file " + PathText(p.Temp) +
                                     " is in the way (not a regular file)");
    if (error) return Failure(p.Target, Reason(error));
    p.Made = true;
    std::size_t at = 0;
    while (!error && at < bytes.size()) {
        std::size_t done = 0;
        error = Step(TWriteStep::Write, p.Target);
        if (!error) error = WriteSome(fd, bytes.data() + at, bytes.size() - at, done);
        at += done;
    }
    if (!error) error = Step(TWriteStep::Flush, p.Target);
    if (!error) error = Flush(fd);
    const int closed = Close(fd);
    if (!error) error = closed;
    if (!error) return "";
    RemoveQuietly(p.Temp);
    p.Made = false;
    return Failure(p.Target, Reason(error));
}

// Puts back what the first `renamed` targets held, removes every temporary file and backup.
void Undo(std::vector<TPending>& pending, std::size_t renamed) {
    for (std::size_t i = 0; i < pending.size(); ++i) {
        TPending& p = pending[i];
        if (i < renamed) {
            // A backup that cannot be put back stays under its second name: never lost.
            if (p.Backed)
                p.Backed = Rename(p.Backup, p.Target) != 0;
            else if (!p.Existed)
                RemoveQuietly(p.Target);
            continue;
        }
        if (p.Made) RemoveQuietly(p.Temp);
        if (p.Backed) RemoveQuietly(p.Backup);
    }
}

std::string WriteAll(const std::vector<TFileContent>& files) {
    std::vector<TPending> pending(files.size());
    for (std::size_t i = 0; i < files.size(); ++i)
        if (std::string error = Resolve(files[i].Path, pending[i]); !error.empty()) return error;
    // A file of the set whose name is another's temporary or backup would be overwritten by it.
    for (const TPending& p : pending)
        for (const TPending& other : pending) {
            const fs::path target = p.Target.lexically_normal();
            if (target == fs::path(other.Target).concat(".part").lexically_normal() ||
                target == fs::path(other.Target).concat(".old").lexically_normal())
                return Failure(p.Target, "its name is the temporary name of " +
                                             PathText(other.Target) + " in the same set");
        }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (std::string error = WriteTemp(pending[i], files[i].Bytes); !error.empty()) {
            Undo(pending, 0);
            return error;
        }
    const bool set = pending.size() > 1;
    for (std::size_t i = 0; i < pending.size(); ++i) {
        TPending& p = pending[i];
        // A set keeps each earlier file under a second name until every rename is done, so a
        // failed rename can put the earlier ones back. Where no link can be made (a file system
        // without them), the file is replaced without that way back.
        if (set && p.Existed) {
            p.Backup = p.Target;
            p.Backup += ".old";
            p.Backed = Link(p.Target, p.Backup);
        }
        int error = Step(TWriteStep::Rename, p.Target);
        if (!error) error = Rename(p.Temp, p.Target);
        if (error) {
            Undo(pending, i);
            return Failure(p.Target, Reason(error));
        }
        p.Made = false;
        SyncFolder(p.Target);
    }
    for (TPending& p : pending)
        if (p.Backed) RemoveQuietly(p.Backup);
    return "";
}

} // namespace

std::string WriteWholeFile(const fs::path& path, std::string_view bytes) {
    return WriteAll({TFileContent{path, std::string(bytes)}});
}

std::string WriteFileSet(const std::vector<TFileContent>& files) {
    return WriteAll(files);
}

std::string MakeFolders(const fs::path& dir) {
    if (dir.empty()) return "no folder name";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!ec && fs::is_directory(dir, ec)) return "";
    return "cannot create the folder " + PathText(dir) + ": " +
           (ec ? Reason(ec) : "a file of that name is in the way");
}

std::string PathText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void SetWriteFault(TWriteFault fault) {
    Fault = fault;
}

} // namespace verrask
