// Whole reads and writes on a file descriptor, retrying short transfers and
// interruptions. Each returns 0 or the errno value of the failure.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane::platform {

// Appends everything up to the end of the file to out.
int ReadAll(int fd, std::vector<std::uint8_t>& out);
int WriteAll(int fd, std::string_view data);
// Opens path read-only and reads it whole.
int ReadWholeFile(const char* path, std::vector<std::uint8_t>& out);

}  // namespace corvane::platform
