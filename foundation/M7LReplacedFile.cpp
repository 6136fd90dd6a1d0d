#include "M7LReplacedFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kNewFileMode = 0666;
constexpr uid_t kUnchangedOwner = static_cast<uid_t>(-1);
// The temporary file's name: the target's name cut to leave room for
// ".<process id>.<number>.tmp" within the file system's limit.
constexpr std::size_t kMaxFileNameBytes = NAME_MAX;
constexpr const char* kTemporaryNameSuffixFormat = ".%x.%x.tmp";
// Two numbers in hexadecimal, two dots and ".tmp".
constexpr std::size_t kTemporaryNameSuffixBytes =
    2 * (std::numeric_limits<unsigned>::digits / 4) + 6;
constexpr int kTemporaryNameAttempts = 100;
// As the kernel follows links when it opens a path.
constexpr int kMaxLinkHops = 40;

// The file a save replaces: the target, or the file at the end of its chain
// of symbolic links, so that the links stay. Empty when the chain cannot be
// followed.
std::filesystem::path ReplacedFile(const std::filesystem::path& target) {
    std::filesystem::path file = target;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(file.c_str(), &status) != 0) {
            return errno == ENOENT ? file : std::filesystem::path();
        }
        if (!S_ISLNK(status.st_mode)) {
            return file;
        }
        std::error_code error;
        const std::filesystem::path link = std::filesystem::read_symlink(file, error);
        if (error) {
            return {};
        }
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    return {};
}

// Creates a new file beside file, exclusively; a name another save took is
// passed over. The open descriptor, or -1.
int CreateTemporaryFile(const std::filesystem::path& file, std::string& temporaryPath) {
    static std::atomic<unsigned> nextNumber{0};
    const std::string name = file.filename().string();
    std::size_t prefixBytes = std::min(name.size(), kMaxFileNameBytes - kTemporaryNameSuffixBytes);
    // A name cut inside a UTF-8 sequence would not be text.
    while (prefixBytes > 0 && prefixBytes < name.size() &&
           (static_cast<unsigned char>(name[prefixBytes]) & 0xC0) == 0x80) {
        --prefixBytes;
    }
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char suffix[kTemporaryNameSuffixBytes + 1];
        std::snprintf(suffix, sizeof suffix, kTemporaryNameSuffixFormat,
                      static_cast<unsigned>(::getpid()), nextNumber++);
        temporaryPath = (file.parent_path() / (name.substr(0, prefixBytes) + suffix)).string();
        const int descriptor =
            ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (descriptor >= 0 || errno != EEXIST) {
            return descriptor;
        }
    }
    return -1;
}

// The rename is a change of the folder: syncing the folder keeps it over a
// crash. The content itself is already on the disk, so a folder that cannot
// be synced does not fail the save.
void SyncFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int descriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

}  // namespace

M7LReplacedFile::~M7LReplacedFile() {
    Abandon();
}

std::FILE* M7LReplacedFile::Open(const char* path) {
    Abandon();
    if (path == nullptr || *path == 0) {
        return nullptr;
    }
    replacedPath_ = ReplacedFile(path).string();
    if (replacedPath_.empty()) {
        return nullptr;
    }
    struct stat existing {};
    const bool exists = ::stat(replacedPath_.c_str(), &existing) == 0;
    if (exists && ::access(replacedPath_.c_str(), W_OK) != 0) {
        return nullptr;
    }
    const int descriptor = CreateTemporaryFile(replacedPath_, temporaryPath_);
    if (descriptor < 0) {
        return nullptr;
    }
    if (exists) {
        if (::fchown(descriptor, kUnchangedOwner, existing.st_gid) != 0) {
            // The process may not give the file that group; it keeps its own.
        }
        if (::fchmod(descriptor, existing.st_mode & kPermissionBits) != 0) {
            ::close(descriptor);
            std::remove(temporaryPath_.c_str());
            return nullptr;
        }
    }
    stream_ = ::fdopen(descriptor, "w");
    if (stream_ == nullptr) {
        ::close(descriptor);
        std::remove(temporaryPath_.c_str());
    }
    return stream_;
}

bool M7LReplacedFile::Commit(bool complete) {
    if (stream_ == nullptr) {
        return false;
    }
    bool ok = complete;
    ok = std::fflush(stream_) == 0 && ok;
    ok = std::ferror(stream_) == 0 && ok;
    ok = ::fsync(::fileno(stream_)) == 0 && ok;
    ok = std::fclose(stream_) == 0 && ok;
    stream_ = nullptr;
    ok = ok && std::rename(temporaryPath_.c_str(), replacedPath_.c_str()) == 0;
    if (ok) {
        SyncFolderOf(replacedPath_);
    } else {
        std::remove(temporaryPath_.c_str());
    }
    return ok;
}

void M7LReplacedFile::Abandon() {
    if (stream_ == nullptr) {
        return;
    }
    std::fclose(stream_);
    stream_ = nullptr;
    std::remove(temporaryPath_.c_str());
}
