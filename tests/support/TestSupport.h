#pragma once

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

namespace vertano::test {

// A fresh folder under the system temp folder, removed with everything in it when
// the object goes out of scope.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// Path of a file kept under tests/data.
std::filesystem::path DataPath(const std::string& relative);

// Whole-file helpers working on raw bytes, so tests see exactly what was written.
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& path);

// Catches what is written to std::cout while the object lives (the standard
// output of a command writing to "-").
class CoutCapture {
  public:
    CoutCapture() : saved_(std::cout.rdbuf(text_.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(saved_); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;
    std::string Text() const { return text_.str(); }

  private:
    std::ostringstream text_;
    std::streambuf* saved_;
};

// Switches the C and C++ global locales for the lifetime of the object (used to
// prove that numbers keep "." under a decimal-comma locale). Active() is false
// when the locale is not installed on this machine.
class LocaleGuard {
  public:
    explicit LocaleGuard(const char* name = "cs_CZ.UTF-8");
    ~LocaleGuard();
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;
    bool Active() const { return active_; }

  private:
    std::string savedC_;
    bool active_ = false;
};

}  // namespace vertano::test
