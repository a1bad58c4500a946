#pragma once
// Reading the import files: UTF-8 CSV (a byte-order mark allowed), comma-separated with RFC 4180 quoting,
// a header line naming the columns. Every field is turned into GBK as it is read; a field GBK cannot hold is
// refused with its line number, like any other fault of a line. A file is read a piece at a time, record
// after record, so that a file of any length is imported in the same small room.
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct CsvRecord {
  int line = 0;                     // the file's line where the record starts (the header is line 1)
  std::vector<std::string> fields;  // GBK
};

class CsvTable {
 public:
  // Parses a whole text held in memory: its header and every record (Records()); false with a
  // "第 N 行：message" text when its quoting is broken or a text cannot be held in GBK.
  bool Parse(const std::string& utf8, std::string& error);
  // Opens a file and reads its header; its records are then read one by one with Next. False when the
  // file cannot be read or its header is broken.
  bool Load(const std::string& path, std::string& error);
  // The next record that is not blank, into r (its room reused): from the file Load opened, or from the
  // records Parse read. False at the end (error empty) or at a broken record (error "第 N 行：message").
  bool Next(CsvRecord& r, std::string& error);
  // Back to the first record, to read the records again (the file's header read anew); false with the
  // message when the file can no longer be read.
  bool Rewind(std::string& error);

  // The wanted columns that the header lacks (empty: all there).
  std::vector<std::string> MissingColumns(const std::vector<std::string>& wanted) const;
  // The header's columns that are none of the wanted ones, in the header's order: a misspelt name would
  // otherwise be ignored.
  std::vector<std::string> UnknownColumns(const std::vector<std::string>& wanted) const;
  // What is wrong with a record as a whole, "" when nothing: it has as many fields as the header names
  // columns, and no field holds a control character (a line feed, carriage return or tab inside a text
  // would split the line or cell wherever the text is shown).
  std::string RecordRefusal(const CsvRecord& r) const;
  // A column's place in a record, -1 when the header lacks it.
  int Column(const std::string& column) const;
  // A record's field by column name or place; empty when the record is short or the column absent.
  std::string Field(const CsvRecord& r, const std::string& column) const;
  static const std::string& Field(const CsvRecord& r, int column);

  const std::vector<std::string>& Header() const { return header_; }
  // The bytes of the whole text or file.
  size_t Size() const { return size_; }
  const std::vector<CsvRecord>& Records() const { return records_; }

 private:
  void Reset();
  // Reads one record from the text at pos_, reading more of the file as it needs; false at the end of the
  // text or at a fault (error set).
  bool ReadRecord(CsvRecord& r, std::string& error);
  // Appends the next piece of the file to text_, dropping what was read; at the file's end sets atEnd_.
  void ReadMore();
  bool ReadHeader(std::string& error);

  std::vector<std::string> header_;
  std::map<std::string, size_t> index_;
  std::vector<CsvRecord> records_;
  size_t nextRecord_ = 0;
  size_t size_ = 0;
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  bool atEnd_ = true;  // nothing more to read than text_
  std::string text_;   // UTF-8, the part of the file being read
  size_t pos_ = 0;     // where the next record starts in text_
  int line_ = 1;       // the line at pos_
  std::string field_;  // the raw field being read
};

// Takes the header line's names: blanks around each name are dropped; false with the message when a name
// stands twice (one column would silently hide the other).
bool TakeHeader(std::vector<std::string>& names, std::string& error);

// "第 N 行：message" as every import reports a refused line.
std::string LineMessage(int line, const std::string& gbkMessage);
