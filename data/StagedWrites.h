#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/Session.h"
#include "platform/FileSystem.h"
#include "platform/Status.h"

namespace qv {

// The files of one update written together. While a `StagedWrites` lives, every file routine
// of the session composes its file whole in memory and leaves it here instead of writing it
// (a later routine on the same file builds on what an earlier one left); `Commit` then
// replaces all of them through one batch of the file system: written once each, synced
// together, renamed in order. Whatever is not committed is dropped with the object, so an
// update that fails before its commit has changed nothing.
class StagedWrites {
 public:
  explicit StagedWrites(Session& session);
  ~StagedWrites();
  StagedWrites(const StagedWrites&) = delete;
  StagedWrites& operator=(const StagedWrites&) = delete;

  // Keeps `contents` as the new `path`.
  void Put(const std::string& path, std::string contents);
  // The contents staged for `path` (letter case ignored), or nullptr.
  const std::string* Find(const std::string& path) const;

  // Replaces every staged file, the one whose name is `last_name` (letter case ignored) after
  // all the others: on a disk that file says which quarter the disk holds, so a disk left
  // half written reads as not current. Nothing is staged afterwards.
  [[nodiscard]] Status Commit(std::string_view last_name);
  // Stages the files into `batch` in the same order, for the caller to commit with others.
  // A file that cannot be written out runs the retry protocol ("Cannot write file "); after
  // Cancel its failure is returned.
  [[nodiscard]] Status StageInto(FileBatch& batch, std::string_view last_name);
  // How many files are staged.
  std::size_t size() const { return files_.size(); }

 private:
  Session& session_;
  StagedWrites* outer_;
  std::vector<std::pair<std::string, std::string>> files_;
};

// The whole of `path` as the session's next commit would leave it: the staged contents when
// there are some, otherwise the file as stored. `*exists` is false (and `contents` empty) for
// a file that is not there.
[[nodiscard]] Status ReadWholeFile(Session& session, const std::string& path, std::string* contents,
                                   bool* exists);

// Writes `contents` as the whole of `path`: staged when writes are being staged, otherwise
// replaced at once.
[[nodiscard]] Status WriteWholeFile(Session& session, const std::string& path,
                                    std::string contents);

}  // namespace qv
