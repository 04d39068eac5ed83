// Times the INI profile reader and writer on files of 100 MB: garbage, a file
// of ordinary lines with the key at its end, and a key whose value line is
// the whole file. Prints the best and the median of several runs.

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "components/profile.h"

namespace {

constexpr std::size_t kFileSize = 100u << 20;
constexpr int kRuns = 7;
const std::string kGbkHome = "\xD6\xF7\xD2\xB3";  // 主页

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Garbage() {
  std::mt19937_64 random(1);
  std::string bytes(kFileSize, '\0');
  for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
    const std::uint64_t word = random();
    for (int b = 0; b < 8; ++b) bytes[i + b] = static_cast<char>(word >> (8 * b));
  }
  return bytes;
}

std::string LinesWithTheKeyAtTheEnd() {
  std::string bytes = "[other]\r\n";
  const std::string filler = "filler=" + std::string(100, 'x') + "\r\n";
  while (bytes.size() < kFileSize) bytes += filler;
  return bytes + "[" + kGbkHome + "]\r\nhomepage=http://example.org/\r\n";
}

std::string OneLongValue() {
  return "[" + kGbkHome + "]\r\nhomepage=" + std::string(kFileSize, 'a') + "\r\n";
}

// Runs `task` kRuns times and prints the best and the median in milliseconds.
void Time(const char* what, const std::function<std::size_t()>& task) {
  std::vector<double> times;
  std::size_t result = 0;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    result = task();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    times.push_back(took.count());
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s best %8.1f ms  median %8.1f ms  (result %zu)\n", what, times.front(),
              times[times.size() / 2], result);
}

}  // namespace

int main() {
  std::string folder = (std::filesystem::temp_directory_path() / "tavern-profile-bench-XXXXXX");
  if (mkdtemp(folder.data()) == nullptr) return 1;
  const std::string path = folder + "/config.ini";
  std::printf("files of %zu MiB in %s, %d runs each\n", kFileSize >> 20, folder.c_str(), kRuns);

  const auto read = [&] { return tavern::ReadProfileString(path, "主页", "homepage").size(); };

  WriteFile(path, Garbage());
  Time("read, garbage (gives empty)", read);

  WriteFile(path, LinesWithTheKeyAtTheEnd());
  Time("read, ordinary lines, key at the end", read);
  Time("write, ordinary lines, key at the end", [&] {
    return static_cast<std::size_t>(
        tavern::WriteProfileString(path, "主页", "homepage", "http://example.org/new/"));
  });

  WriteFile(path, OneLongValue());
  Time("read, one value line of 100 MiB (cut)", read);

  std::filesystem::remove_all(folder);
  return 0;
}
