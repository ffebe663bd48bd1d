#include "data/GlobalFile.h"

#include <charconv>
#include <vector>

#include "data/GameFiles.h"
#include "platform/FileSystem.h"

namespace qv {

namespace {

// Longer fields than this are not text a person typed; they mark a damaged file.
constexpr std::size_t kLongestField = 255;

void PutString(std::string* out, const std::string& value) {
  *out += "\"X";
  *out += value;
  *out += '"';
}

void PutInteger(std::string* out, std::int16_t value) {
  *out += std::to_string(value);
}

class LineWriter {
 public:
  template <typename... Fields>
  void Line(const Fields&... fields) {
    bool first = true;
    ((Field(fields, &first)), ...);
    text_ += "\r\n";
  }
  std::string Take() { return std::move(text_); }

 private:
  void Separate(bool* first) {
    if (!*first) {
      text_ += ',';
    }
    *first = false;
  }
  void Field(const std::string& value, bool* first) {
    Separate(first);
    PutString(&text_, value);
  }
  void Field(std::int16_t value, bool* first) {
    Separate(first);
    PutInteger(&text_, value);
  }
  std::string text_;
};

// Splits Global.qv into its lines and each line into fields, checking every field's type
// as it is taken.
class LineReader {
 public:
  explicit LineReader(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) {
        end = text.size();
      }
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
      }
      lines_.push_back(line);
      start = end + 1;
    }
  }

  bool NextLine() {
    if (line_index_ >= lines_.size()) {
      return false;
    }
    rest_ = lines_[line_index_++];
    fields_taken_ = 0;
    return true;
  }

  // True when the current line has no field left.
  bool LineDone() const { return rest_.empty() && fields_taken_ > 0; }

  bool OnlyBlankLinesLeft() const {
    for (std::size_t i = line_index_; i < lines_.size(); ++i) {
      if (!lines_[i].empty()) {
        return false;
      }
    }
    return true;
  }

  bool String(std::string* value) {
    if (!Separator() || rest_.empty() || rest_.front() != '"') {
      return false;
    }
    const std::size_t close = rest_.find('"', 1);
    if (close == std::string_view::npos) {
      return false;
    }
    std::string_view body = rest_.substr(1, close - 1);
    if (body.size() > kLongestField + 1) {
      return false;
    }
    for (const char c : body) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
        return false;
      }
    }
    // Every string is stored behind a one-character prefix.
    if (!body.empty()) {
      body.remove_prefix(1);
    }
    value->assign(body);
    rest_.remove_prefix(close + 1);
    return true;
  }

  bool Integer(std::int16_t* value) {
    if (!Separator()) {
      return false;
    }
    std::size_t end = rest_.find(',');
    if (end == std::string_view::npos) {
      end = rest_.size();
    }
    std::string_view token = rest_.substr(0, end);
    while (!token.empty() && token.front() == ' ') {
      token.remove_prefix(1);
    }
    while (!token.empty() && token.back() == ' ') {
      token.remove_suffix(1);
    }
    int parsed = 0;
    const auto [ptr, ec] = std::from_chars(token.data(), token.data() + token.size(), parsed);
    if (token.empty() || ec != std::errc() || ptr != token.data() + token.size() ||
        parsed < -32768 || parsed > 32767) {
      return false;
    }
    *value = static_cast<std::int16_t>(parsed);
    rest_.remove_prefix(end);
    return true;
  }

 private:
  // Before every field but a line's first comes one comma.
  bool Separator() {
    if (fields_taken_++ == 0) {
      return true;
    }
    if (rest_.empty() || rest_.front() != ',') {
      return false;
    }
    rest_.remove_prefix(1);
    return true;
  }

  std::vector<std::string_view> lines_;
  std::size_t line_index_ = 0;
  std::string_view rest_;
  int fields_taken_ = 0;
};

template <typename T, typename Take>
bool ReadPerBankLines(LineReader& reader, Table<T, kMaxBanks>& table, Take take) {
  for (int b = 1; b <= kMaxBanks; ++b) {
    if (!reader.NextLine() || !take(reader, &table(b)) || !reader.LineDone()) {
      return false;
    }
  }
  return true;
}

bool TakeString(LineReader& reader, std::string* value) {
  return reader.String(value);
}
bool TakeInteger(LineReader& reader, std::int16_t* value) {
  return reader.Integer(value);
}

}  // namespace

std::string EncodeGlobalFile(const GameRecord& r) {
  LineWriter writer;
  writer.Line(r.GameVersion, r.GameId, r.GameName, r.ResultsQuarter, r.CreationYear, r.SpareA,
              r.NumBanks, r.EconPeriod);
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.BankName(b));
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.BankPassword(b));
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.BankLevel(b));
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.PresidentName(b));
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.DiskType(b));
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.DiskPath(b));
  writer.Line(r.InstructorName, r.InstructorPassword, r.DiskMode, r.SpareB, r.BankDiskFlag);
  for (int b = 1; b <= kMaxBanks; ++b)
    writer.Line(r.BankFlag(b));
  return writer.Take();
}

bool DecodeGlobalFile(std::string_view text, GameRecord* record) {
  GameRecord r;
  LineReader reader(text);
  const bool whole =
      reader.NextLine() && reader.String(&r.GameVersion) && reader.String(&r.GameId) &&
      reader.String(&r.GameName) && reader.Integer(&r.ResultsQuarter) &&
      reader.Integer(&r.CreationYear) && reader.Integer(&r.SpareA) && reader.Integer(&r.NumBanks) &&
      reader.Integer(&r.EconPeriod) && reader.LineDone() &&
      ReadPerBankLines(reader, r.BankName, TakeString) &&
      ReadPerBankLines(reader, r.BankPassword, TakeString) &&
      ReadPerBankLines(reader, r.BankLevel, TakeInteger) &&
      ReadPerBankLines(reader, r.PresidentName, TakeString) &&
      ReadPerBankLines(reader, r.DiskType, TakeInteger) &&
      ReadPerBankLines(reader, r.DiskPath, TakeString) && reader.NextLine() &&
      reader.String(&r.InstructorName) && reader.String(&r.InstructorPassword) &&
      reader.Integer(&r.DiskMode) && reader.Integer(&r.SpareB) && reader.Integer(&r.BankDiskFlag) &&
      reader.LineDone() && ReadPerBankLines(reader, r.BankFlag, TakeInteger) &&
      reader.OnlyBlankLinesLeft();
  if (!whole) {
    return false;
  }
  *record = std::move(r);
  return true;
}

bool ReadGlobalFile(Session& session, int index) {
  SelectFileDir(session, index);
  std::string text;
  if (!session.files.ReadText(JoinPath(session.CurrentPath, kGlobalFileName), &text).ok()) {
    return false;
  }
  // The game disk is looked at before every bank's close: parse only what changed.
  DecodedGlobalFile& last = session.last_global_file;
  if (!last.text.empty() && text == last.text) {
    session.shadow = last.record;
    return true;
  }
  if (!DecodeGlobalFile(text, &session.shadow)) {
    return false;
  }
  last.text = std::move(text);
  last.record = session.shadow;
  return true;
}

GameRecord BankDiskRecord(const GameRecord& game) {
  GameRecord copy = game;
  copy.InstructorPassword.clear();
  for (int b = 1; b <= kMaxBanks; ++b) {
    if (copy.BankFlag(b) != 1) {
      copy.BankPassword(b).clear();
    }
  }
  return copy;
}

bool WriteGlobalFile(Session& session, int index) {
  SelectFileDir(session, index);
  const std::string full_name = JoinPath(session.CurrentPath, kGlobalFileName);
  const std::string text =
      EncodeGlobalFile(index == 0 ? session.game : BankDiskRecord(session.game));
  return RunFileRoutine(session, Transfer::kWrite, full_name,
                        [&] { return session.files.WriteText(full_name, text); });
}

void ApplyGlobalRecord(Session& session) {
  const std::int16_t bank_disk_flag = session.game.BankDiskFlag;
  session.game = session.shadow;
  session.game.BankDiskFlag = bank_disk_flag;
  session.LastUpdatedQuarter = session.shadow.ResultsQuarter;
}

}  // namespace qv
