#pragma once
// A record held by value in its owner's container and used through -> like a pointer to it, so
// that a load allocates arrays of records instead of one object per record.

#include <memory>
#include <utility>

template <class Record>
class HeldRecord {
 public:
  HeldRecord() = default;
  // Takes over a record built on its own (a parser's single result).
  HeldRecord(std::unique_ptr<Record> record) : record_(std::move(*record)) {}

  Record* get() { return &record_; }
  const Record* get() const { return &record_; }
  Record* operator->() { return &record_; }
  const Record* operator->() const { return &record_; }
  Record& operator*() { return record_; }
  const Record& operator*() const { return record_; }

 private:
  Record record_;
};
