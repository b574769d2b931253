// String lists: the rows of a list box and any list of lines, with the
// whole-list text form (every line ended by CR LF) and file read and write.
// Reading splits at CR, LF or CR LF, keeps a last line without an end, and
// stops at a NUL, so text from any editor reads the same.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

class TStrings {
 public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  [[nodiscard]] virtual int Count() const = 0;
  // Throws EListError "List index out of bounds (%d)" for a missing line.
  [[nodiscard]] virtual std::string Get(int index) const = 0;
  virtual void Insert(int index, const std::string& line) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  int Add(const std::string& line);
  [[nodiscard]] std::string operator[](int index) const { return Get(index); }
  [[nodiscard]] std::string Text() const;
  // Replaces every line with the lines of text.
  void SetText(const std::string& text);
  // Throws EFCreateError "Cannot create file %s" when the file cannot be
  // created or written; an existing file is then left as it was.
  void SaveToFile(platform::Files& files, const std::string& path) const;

  // The lines of text by the reading rule above.
  [[nodiscard]] static std::vector<std::string> SplitLines(const std::string& text);
  // A file's bytes as UTF-8 text: a UTF-8 byte-order mark is dropped, and
  // UTF-16 with its mark (either byte order) is converted. Nothing when the
  // bytes are no text: a NUL or another control character than tab, line
  // and page ends, or UTF-16 that does not decode.
  [[nodiscard]] static std::optional<std::string> TextOfFile(const std::string& bytes);
};

// Column `column` (from 0) of a row whose columns are split by delimiter;
// nothing when the row has fewer.
[[nodiscard]] std::string DelimitedColumn(const std::string& text, char delimiter, int column);

class TStringList final : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  [[nodiscard]] int Count() const override { return static_cast<int>(lines_.size()); }
  [[nodiscard]] std::string Get(int index) const override;
  void Insert(int index, const std::string& line) override;
  void Delete(int index) override;
  void Clear() override { lines_.clear(); }

 private:
  std::vector<std::string> lines_;
};
