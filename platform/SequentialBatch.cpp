#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace qv {

namespace {

class SequentialBatch final : public FileBatch {
 public:
  explicit SequentialBatch(FileSystem& files) : files_(files) {}

  Status Stage(const std::string& path, std::string_view contents) override {
    staged_.emplace_back(path, std::string(contents));
    return Status::Ok();
  }

  Status Commit() override {
    std::vector<std::pair<std::string, std::string>> staged = std::move(staged_);
    staged_.clear();
    replaced_ = 0;
    for (const auto& [path, contents] : staged) {
      Status written = files_.WriteText(path, contents);
      if (!written.ok()) {
        return written;
      }
      ++replaced_;
    }
    return Status::Ok();
  }
  std::size_t replaced() const override { return replaced_; }
  void Truncate(std::size_t keep) override {
    if (keep < staged_.size()) {
      staged_.resize(keep);
    }
  }

 private:
  FileSystem& files_;
  std::size_t replaced_ = 0;
  std::vector<std::pair<std::string, std::string>> staged_;
};

}  // namespace

std::unique_ptr<FileBatch> MakeSequentialBatch(FileSystem& files) {
  return std::make_unique<SequentialBatch>(files);
}

}  // namespace qv
