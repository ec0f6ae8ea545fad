// A fresh folder under the temporary directory for one test, named after it and removed with all it
// holds when the test is done with it.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

class TScratchFolder {
public:
  TScratchFolder() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    FPath = std::filesystem::temp_directory_path() / ("lumi-" + std::string(test->test_suite_name()) + "-" +
                                                      test->name() + "-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(FPath);
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  std::string Path() const { return FPath.string(); }
  // The path of a file in the folder.
  std::string operator/(const std::string& name) const { return (FPath / name).string(); }
  // Writes a file of these bytes (a std::string or a byte vector) and returns its path.
  template <class TBytes>
  std::string Write(const std::string& name, const TBytes& bytes) const {
    const std::string path = *this / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }

private:
  std::filesystem::path FPath;
};
