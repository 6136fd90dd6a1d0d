#pragma once

#include <cstdio>
#include <string>

// A file written whole or not at all. The bytes go to a new temporary file
// beside the target, created exclusively so that no existing file and no
// link is ever written through; Commit renames it over the target only
// when everything reached the disk. A target that is a symbolic link keeps
// the link: the file it leads to is replaced, with its mode and, where the
// process may set it, its group. A target the process may not write is not
// replaced.
class M7LReplacedFile {
public:
    M7LReplacedFile() = default;
    // Abandons a file that was not committed.
    ~M7LReplacedFile();

    M7LReplacedFile(const M7LReplacedFile&) = delete;
    M7LReplacedFile& operator=(const M7LReplacedFile&) = delete;

    // The stream to write the new content to, or null when there is no
    // temporary file to be had (nothing is then changed).
    std::FILE* Open(const char* path);
    // Ends the writing: when complete is true and every byte reached the
    // disk, the new content replaces the target. False, with the target as
    // it was and the temporary file gone, otherwise.
    bool Commit(bool complete);
    // Removes the temporary file; the target stays as it was.
    void Abandon();

private:
    std::string replacedPath_;
    std::string temporaryPath_;
    std::FILE* stream_ = nullptr;
};
