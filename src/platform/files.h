// Files as the program sees them: read-only memory mappings of map and city files, whole
// small files, atomic writes for everything the program saves, and sorted folder listings.
// Every reader opens through openRegularFile, so a FIFO or device never stalls the program.
// Paths are UTF-8 strings; nothing here knows what the files hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace platform {

// Opens `path` read-only without ever waiting (a plain open of a FIFO waits for a writer)
// and keeps it only when it is a regular file. Returns the descriptor (close-on-exec, in
// blocking mode again) and its size in bytes through `size` when given; -1 when the file
// cannot be opened or is not a regular file (errno EINVAL for a FIFO, device or socket,
// EISDIR for a folder).
int openRegularFile(const std::string& path, uint64_t* size = nullptr);

// A read-only mapping of a whole file. Pointers into it stay valid until close() or
// destruction; an empty file maps to size 0 with a null data pointer.
class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;

    // Maps `path`; false (and nothing open) when it cannot be opened, is not a regular
    // file or cannot be mapped.
    bool open(const std::string& path);
    // Unmaps; safe to call when nothing is open.
    void close();

    bool isOpen() const { return open_; }
    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

  private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    bool open_ = false;
};

// Reads a whole regular file of at most `maxBytes`; false when missing, not a regular file,
// larger than the limit or unreadable, with errno saying which (EINVAL: not a regular file,
// EFBIG: larger than the limit, EIO: shorter than its size said).
bool readFile(const std::string& path, std::vector<uint8_t>* out, size_t maxBytes);

// Why a file could not be opened or read, from the errno that openRegularFile, readFile or
// MappedFile::open left: "it is a folder", "it is not a regular file" (a FIFO, device or
// socket), "it is too large", else the system's text such as "No such file or directory".
std::string fileErrorText(int error);

// `text` (a name or a line read from a file) for a message: each byte that does not print
// written as \xNN (control characters, bytes that form no UTF-8 character, the C1 controls),
// so that binary junk is shown rather than played to the terminal.
std::string printable(const std::string& text);

// A whole regular file (at most `maxBytes`) as an input stream, for readers that take text
// line by line; the stream is failed from the start when readFile would refuse the file.
class TextFile : public std::istringstream {
  public:
    explicit TextFile(const std::string& path, size_t maxBytes = size_t{1} << 30);
    // Why the file could not be read (see fileErrorText); empty when it was.
    const std::string& problem() const { return problem_; }

  private:
    std::string problem_;
};

// Writes `size` bytes to `path` so that a crash leaves either the old file or the new one:
// a temporary file "<path>.tmp-XXXXXX" in the same folder, flushed to disk, then renamed over
// the old one. Temporaries of that pattern left beside `path` by an earlier write that was
// stopped before its rename are removed first. On failure the old file is untouched, the
// temporary removed, and `error` (if given) says why.
bool writeFileAtomic(const std::string& path, const void* data, size_t size,
                     std::string* error = nullptr);

// Test seam: when set, the rename step of writeFileAtomic fails as if the machine had
// stopped between writing and renaming (the temporary file is left behind, like a crash).
void failNextAtomicRename();

// The regular files in `folder` whose names end in `suffix` (ignoring case, e.g. ".gif"),
// sorted by name ignoring case. Names only, no folder part. `others`, when given, receives
// the names with that ending that are not regular files (FIFOs, folders), in the same order.
std::vector<std::string> listFiles(const std::string& folder, const std::string& suffix,
                                   std::vector<std::string>* others = nullptr);

bool isDirectory(const std::string& path);
bool fileExists(const std::string& path);
// Creates `path` and its missing parents; true when it exists as a folder afterwards, else
// false with errno saying why the last step failed.
bool makeDirectories(const std::string& path);

// `folder` joined with `name` by one slash.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace platform
