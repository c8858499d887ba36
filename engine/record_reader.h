#pragma once

#include "byte_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace boxloom {

// Reads fixed-length records in file order. A last record that the file cuts
// short is completed with zero bytes; reading stops after it.
class RecordReader {
public:
    RecordReader(ByteSource& source, std::size_t recordSize);

    // False at the end, or on a read error (then `error()` is not empty).
    bool readNext(std::uint8_t* record);
    // Up to `count` records into `records`, as readNext would give them, read
    // straight into place where the file allows; fewer only at the end or on a
    // read error.
    std::size_t readRecords(std::uint8_t* records, std::size_t count);
    // Records that held bytes of the file: every record read.
    std::uint64_t recordsFromFile() const { return recordsFromFile_; }
    const std::string& error() const { return error_; }
    // The file's size was not a whole number of records.
    bool lastRecordPartial() const { return lastRecordPartial_; }

private:
    void refill();
    std::size_t takeBuffered(std::uint8_t* records, std::size_t count);
    std::size_t readInPlace(std::uint8_t* records, std::size_t count);

    ByteSource& source_;
    std::size_t recordSize_;
    std::vector<std::uint8_t> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    bool endOfFile_ = false;
    bool exhausted_ = false;
    bool lastRecordPartial_ = false;
    std::uint64_t recordsFromFile_ = 0;
    std::string error_;
};

} // namespace boxloom
