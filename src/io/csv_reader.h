#pragma once
// Reading the import files: UTF-8 CSV (a byte-order mark allowed), comma-separated with RFC 4180 quoting,
// a header line naming the columns. Every field is turned into GBK as it is read; a field GBK cannot hold is
// refused with its line number, like any other fault of a line.
#include <map>
#include <optional>
#include <string>
#include <vector>

struct CsvRecord {
  int line = 0;                     // the file's line where the record starts (the header is line 1)
  std::vector<std::string> fields;  // GBK
};

class CsvTable {
 public:
  // Parses the whole file; false with a "line N: message" text when its quoting is broken or a text cannot
  // be held in GBK.
  bool Parse(const std::string& utf8, std::string& error);
  // Reads a file; false when it cannot be read or parsed.
  bool Load(const std::string& path, std::string& error);

  // The header's columns that are missing from the wanted ones (empty: all there).
  std::vector<std::string> MissingColumns(const std::vector<std::string>& wanted) const;
  // What is wrong with a record as a whole, "" when nothing: it has as many fields as the header names
  // columns, and no field holds a control character (a line feed, carriage return or tab inside a text
  // would split the line or cell wherever the text is shown).
  std::string RecordRefusal(const CsvRecord& r) const;
  // A record's field by column name; empty when the record is short or the column absent.
  std::string Field(const CsvRecord& r, const std::string& column) const;

  const std::vector<std::string>& Header() const { return header_; }
  const std::vector<CsvRecord>& Records() const { return records_; }

 private:
  std::vector<std::string> header_;
  std::map<std::string, size_t> index_;
  std::vector<CsvRecord> records_;
};

// Takes the header line's names: blanks around each name are dropped; false with the message when a name
// stands twice (one column would silently hide the other).
bool TakeHeader(std::vector<std::string>& names, std::string& error);

// "line N: message" as every import reports a refused line.
std::string LineMessage(int line, const std::string& gbkMessage);
