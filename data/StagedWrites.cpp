#include "data/StagedWrites.h"

#include <algorithm>
#include <memory>

#include "data/GameFiles.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto fold = [](char c) {
             return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A')
                                           : (c == '\\' ? '/' : c);
           };
           return fold(x) == fold(y);
         });
}

std::string_view NameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

StagedWrites::StagedWrites(Session& session) : session_(session), outer_(session.staged) {
  session_.staged = this;
}

StagedWrites::~StagedWrites() {
  session_.staged = outer_;
}

void StagedWrites::Put(const std::string& path, std::string contents) {
  for (auto& [staged_path, staged_contents] : files_) {
    if (SameName(staged_path, path)) {
      staged_contents = std::move(contents);
      return;
    }
  }
  files_.emplace_back(path, std::move(contents));
}

const std::string* StagedWrites::Find(const std::string& path) const {
  for (const auto& [staged_path, staged_contents] : files_) {
    if (SameName(staged_path, path)) {
      return &staged_contents;
    }
  }
  return nullptr;
}

Status StagedWrites::StageInto(FileBatch& batch, std::string_view last_name) {
  std::vector<std::pair<std::string, std::string>> files = std::move(files_);
  files_.clear();
  std::stable_partition(files.begin(), files.end(),
                        [&](const auto& file) { return !SameName(NameOf(file.first), last_name); });
  for (const auto& file : files) {
    const std::string& path = file.first;
    const std::string& contents = file.second;
    // Writing the file out is where a full or write-protected disk shows, so it runs the
    // retry protocol of the routine that composed the file.
    Status staged = Status::Ok();
    if (!RunFileRoutine(session_, Transfer::kWrite, path, [&] {
          staged = batch.Stage(path, contents);
          return staged;
        })) {
      return staged;
    }
  }
  return Status::Ok();
}

Status StagedWrites::Commit(std::string_view last_name) {
  std::unique_ptr<FileBatch> batch = session_.files.StartBatch();
  Status staged = StageInto(*batch, last_name);
  return staged.ok() ? batch->Commit() : staged;
}

Status ReadWholeFile(Session& session, const std::string& path, std::string* contents,
                     bool* exists) {
  if (session.staged != nullptr) {
    if (const std::string* staged = session.staged->Find(path)) {
      *contents = *staged;
      *exists = true;
      return Status::Ok();
    }
  }
  return session.files.ReadIfPresent(path, std::nullopt, contents, exists);
}

Status WriteWholeFile(Session& session, const std::string& path, std::string contents) {
  if (session.staged != nullptr) {
    session.staged->Put(path, std::move(contents));
    return Status::Ok();
  }
  return session.files.WriteText(path, contents);
}

}  // namespace qv
