#pragma once

#include <string>

namespace qv::test {

// A fresh directory under the system's temporary folder, removed with its contents when
// the object goes away. path() ends in '/', as game directories do.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + name + '/', created.
  std::string Subdir(const std::string& name) const;
  // The bytes of a file below path(), or "" when it is missing.
  std::string Read(const std::string& name) const;
  void Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

// Where the built data files (DATAEC.QVS, INIT.QVS, report.qvs) are.
std::string ProgramDir();

}  // namespace qv::test
