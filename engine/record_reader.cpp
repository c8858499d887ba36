#include "record_reader.h"

#include <algorithm>
#include <cstring>

namespace boxloom {

namespace {
constexpr std::size_t kBufferBytes = 1 << 16;
}

RecordReader::RecordReader(ByteSource& source, std::size_t recordSize)
    : source_(source), recordSize_(recordSize),
      buffer_(std::max<std::size_t>(1, kBufferBytes / recordSize) * recordSize) {}

void RecordReader::refill() {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    while (!endOfFile_ && end_ < buffer_.size()) {
        const std::ptrdiff_t got = source_.read(buffer_.data() + end_, buffer_.size() - end_, error_);
        if (got < 0) {
            if (error_.empty()) error_ = "read failed";
            return;
        }
        if (got == 0) endOfFile_ = true;
        end_ += static_cast<std::size_t>(got);
    }
}

bool RecordReader::readNext(std::uint8_t* record) {
    if (exhausted_ || !error_.empty()) return false;
    if (end_ - begin_ < recordSize_) {
        refill();
        if (!error_.empty()) return false;
    }
    const std::size_t available = std::min(end_ - begin_, recordSize_);
    // An end that falls between records leaves nothing to read: no record of
    // zeros stands for it, which every loop would only have to reject.
    if (available == 0) {
        exhausted_ = true;
        return false;
    }
    std::memcpy(record, buffer_.data() + begin_, available);
    begin_ += available;
    ++recordsFromFile_;
    if (available < recordSize_) {
        std::memset(record + available, 0, recordSize_ - available);
        exhausted_ = true;
        lastRecordPartial_ = true;
    }
    return true;
}

// The whole records already in the buffer.
std::size_t RecordReader::takeBuffered(std::uint8_t* records, std::size_t count) {
    const std::size_t taken = std::min(count, (end_ - begin_) / recordSize_);
    std::memcpy(records, buffer_.data() + begin_, taken * recordSize_);
    begin_ += taken * recordSize_;
    recordsFromFile_ += taken;
    return taken;
}

// Reads into the caller's records, saving the copy through the buffer; the
// bytes of a record cut short by the read wait in the buffer for the rest.
std::size_t RecordReader::readInPlace(std::uint8_t* records, std::size_t count) {
    const std::ptrdiff_t got = source_.read(records, count * recordSize_, error_);
    if (got < 0) {
        if (error_.empty()) error_ = "read failed";
        return 0;
    }
    if (got == 0) endOfFile_ = true;
    const std::size_t whole = static_cast<std::size_t>(got) / recordSize_;
    const std::size_t rest = static_cast<std::size_t>(got) % recordSize_;
    std::memcpy(buffer_.data(), records + whole * recordSize_, rest);
    begin_ = 0;
    end_ = rest;
    recordsFromFile_ += whole;
    return whole;
}

std::size_t RecordReader::readRecords(std::uint8_t* records, std::size_t count) {
    std::size_t done = 0;
    while (done < count && error_.empty() && !exhausted_) {
        std::uint8_t* next = records + done * recordSize_;
        if (end_ - begin_ >= recordSize_) {
            done += takeBuffered(next, count - done);
        } else if (begin_ == end_ && !endOfFile_ && (count - done) * recordSize_ >= buffer_.size()) {
            done += readInPlace(next, count - done);
        } else if (readNext(next)) {
            ++done;
        }
    }
    return done;
}

} // namespace boxloom
