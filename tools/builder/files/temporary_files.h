// Files the builder writes under a temporary name before moving them into
// place. Their owners delete them on every way out they see; these records
// let the crash handler delete them too when a system call fails so badly
// (a resource update out of memory, say) that the process ends without
// unwinding its stack.
#pragma once

#include <string>

// At most this many temporary files at once: the builder writes one.
inline constexpr int MaxTemporaryFiles = 4;

// The longest path kept; a longer one is not remembered.
inline constexpr std::size_t MaxTemporaryPath = 1024;

void rememberTemporaryFile(const std::string& path);
void forgetTemporaryFile(const std::string& path);

// Deletes every remembered file. Allocates nothing, so a crash handler may
// call it.
void removeTemporaryFiles();
