// POSIX implementations of the file services. Every read of an outside file starts at
// openRegularFile; folder listings only stat.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

bool gFailRename = false;

bool writeAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

bool endsWithNoCase(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           strcasecmp(s.c_str() + s.size() - suffix.size(), suffix.c_str()) == 0;
}

// The suffix mkstemp puts in place of "XXXXXX": six letters or digits.
bool isTemporarySuffix(const std::string& s) {
    return s.size() == 6 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

// Removes "<name>.tmp-XXXXXX" files beside `path`: temporaries of writeFileAtomic that a
// crash or kill left between writing and renaming. Only one copy of the program writes into
// a state folder (the single-instance lock), so any such file there is stale.
void removeStaleTemporaries(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string prefix =
        (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp-";
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (dirent* e = readdir(dir)) {
        const std::string name = e->d_name;
        if (name.compare(0, prefix.size(), prefix) == 0 &&
            isTemporarySuffix(name.substr(prefix.size())))
            unlinkat(dirfd(dir), name.c_str(), 0);
    }
    closedir(dir);
}

}  // namespace

int openRegularFile(const std::string& path, uint64_t* size) {
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st;
    int why = 0;
    if (fstat(fd, &st) != 0)
        why = errno;
    else if (!S_ISREG(st.st_mode))
        why = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    if (why != 0) {
        ::close(fd);
        errno = why;
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (size) *size = static_cast<uint64_t>(st.st_size);
    return fd;
}

MappedFile::~MappedFile() {
    close();
}

MappedFile::MappedFile(MappedFile&& other) noexcept
    : data_(other.data_), size_(other.size_), open_(other.open_) {
    other.data_ = nullptr;
    other.size_ = 0;
    other.open_ = false;
}

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept {
    if (this != &other) {
        close();
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(open_, other.open_);
    }
    return *this;
}

bool MappedFile::open(const std::string& path) {
    close();
    uint64_t fileSize = 0;
    int fd = openRegularFile(path, &fileSize);
    if (fd < 0) return false;
    size_t size = static_cast<size_t>(fileSize);
    void* p = nullptr;
    if (size > 0) {
        p = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (p == MAP_FAILED) {
            ::close(fd);
            return false;
        }
    }
    ::close(fd);  // the mapping keeps the file alive
    data_ = static_cast<const uint8_t*>(p);
    size_ = size;
    open_ = true;
    return true;
}

void MappedFile::close() {
    if (data_) munmap(const_cast<uint8_t*>(data_), size_);
    data_ = nullptr;
    size_ = 0;
    open_ = false;
}

bool readFile(const std::string& path, std::vector<uint8_t>* out, size_t maxBytes) {
    uint64_t size = 0;
    int fd = openRegularFile(path, &size);
    if (fd < 0) return false;
    if (size > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    size_t got = 0;
    int why = EIO;  // a file that ends before its size said
    while (got < bytes.size()) {
        ssize_t r = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) why = errno;
        if (r <= 0) break;
        got += static_cast<size_t>(r);
    }
    ::close(fd);
    if (got != bytes.size()) {
        errno = why;
        return false;
    }
    *out = std::move(bytes);
    return true;
}

std::string fileErrorText(int error) {
    if (error == EISDIR) return "it is a folder";
    if (error == EINVAL) return "it is not a regular file";
    if (error == EFBIG) return "it is too large";
    return std::strerror(error);
}

std::string printable(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80                ? 1
                              : c >= 0xC2 && c < 0xE0 ? 2
                              : c >= 0xE0 && c < 0xF0 ? 3
                              : c >= 0xF0 && c < 0xF5 ? 4
                                                      : 0;
        bool shown = length > 0 && i + length <= text.size() && c >= 0x20 && c != 0x7F;
        for (size_t k = 1; shown && k < length; ++k) shown = (text[i + k] & 0xC0) == 0x80;
        if (shown && c == 0xC2) shown = static_cast<unsigned char>(text[i + 1]) >= 0xA0;
        if (shown) {
            out.append(text, i, length);
            i += length;
            continue;
        }
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
        ++i;
    }
    return out;
}

TextFile::TextFile(const std::string& path, size_t maxBytes) {
    std::vector<uint8_t> bytes;
    if (readFile(path, &bytes, maxBytes))
        str(std::string(bytes.begin(), bytes.end()));
    else {
        problem_ = fileErrorText(errno);
        setstate(std::ios::failbit);
    }
}

bool writeFileAtomic(const std::string& path, const void* data, size_t size, std::string* error) {
    auto fail = [&](const char* what) {
        if (error) *error = std::string(what) + " " + path + ": " + std::strerror(errno);
        return false;
    };
    removeStaleTemporaries(path);
    std::string tmp = path + ".tmp-XXXXXX";
    int fd = mkstemp(tmp.data());
    if (fd < 0) return fail("cannot create a temporary file beside");
    // mkstemp makes the file private; give it the mode a plain create would.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    bool ok = writeAll(fd, static_cast<const uint8_t*>(data), size) && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        int saved = errno;
        unlink(tmp.c_str());
        errno = saved;
        return fail("cannot write");
    }
    if (gFailRename) {
        gFailRename = false;
        errno = EIO;
        return fail("cannot rename the new file over");
    }
    if (rename(tmp.c_str(), path.c_str()) != 0) {
        int saved = errno;
        unlink(tmp.c_str());
        errno = saved;
        return fail("cannot rename the new file over");
    }
    return true;
}

void failNextAtomicRename() {
    gFailRename = true;
}

std::vector<std::string> listFiles(const std::string& folder, const std::string& suffix,
                                   std::vector<std::string>* others) {
    std::vector<std::string> names, rest;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return names;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || !endsWithNoCase(name, suffix)) continue;
        struct stat st;
        if (stat(joinPath(folder, name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
            names.push_back(name);
        else
            rest.push_back(name);
    }
    closedir(dir);
    for (std::vector<std::string>* list : {&names, &rest})
        std::sort(list->begin(), list->end(), [](const std::string& a, const std::string& b) {
            int c = strcasecmp(a.c_str(), b.c_str());
            return c != 0 ? c < 0 : a < b;
        });
    if (others) *others = std::move(rest);
    return names;
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeDirectories(const std::string& path) {
    if (path.empty() || isDirectory(path)) return !path.empty();
    size_t slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) makeDirectories(path.substr(0, slash));
    if (mkdir(path.c_str(), 0755) == 0) return true;
    const int why = errno;
    if (isDirectory(path)) return true;  // made meanwhile by another copy
    errno = why;
    return false;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace platform
