#include "cli/RecordBlocks.h"

#include <cstring>

namespace velars::cli {

namespace {

std::size_t FindByte(const char* data, std::size_t from, std::size_t to, char c) {
    const void* found = std::memchr(data + from, c, to - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : to;
}

}  // namespace

RecordBlocks::RecordBlocks(InputText& input, std::size_t blockBytes, std::size_t readBytes,
                           std::size_t recordLimit, long blockRecords)
    : input_(input),
      blockBytes_(blockBytes),
      readBytes_(readBytes > 0 ? readBytes : 1),
      limit_(recordLimit),
      blockRecords_(blockRecords > 0 ? blockRecords : 1) {}

bool RecordBlocks::ReadMore(std::string& error) {
    const long count = input_.Read(buffer_, readBytes_, error);
    if (count < 0) return false;
    if (count == 0) atEnd_ = true;
    return true;
}

RecordBlocks::Status RecordBlocks::FirstLine(std::string_view& line, bool& overlong,
                                             std::string& error) {
    overlong = false;
    for (;;) {
        if (!startChecked_ && (buffer_.size() >= 3 || atEnd_)) {
            if (buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0) buffer_.erase(0, 3);
            startChecked_ = true;
        }
        if (startChecked_) {
            // Empty records: LF or CR LF alone.
            std::size_t p = 0;
            for (;;) {
                if (p < buffer_.size() && buffer_[p] == '\n') {
                    p += 1;
                } else if (p + 1 < buffer_.size() && buffer_[p] == '\r' && buffer_[p + 1] == '\n') {
                    p += 2;
                } else {
                    break;
                }
                ++emptyRows_;
            }
            buffer_.erase(0, p);
            const std::size_t start = buffer_.find_first_not_of("\r\n");
            if (start != std::string::npos) {
                const std::size_t lf = buffer_.find('\n', start);
                const std::size_t end = lf == std::string::npos ? buffer_.size() : lf;
                if (end - start > limit_) {
                    overlong = true;
                    return Status::Failed;
                }
                if (lf != std::string::npos || atEnd_) {
                    line = std::string_view(buffer_).substr(start, end - start);
                    return Status::Block;
                }
            } else if (atEnd_) {
                return Status::End;
            }
        }
        if (atEnd_) return Status::End;
        if (!ReadMore(error)) return Status::Failed;
    }
}

// Follows the records through the bytes not scanned yet. Stops early at
// the end of a record longer than the limit (overlongEnd_), or when
// skipping, at the end of the record passed over.
void RecordBlocks::ScanBuffer() {
    const char* const data = buffer_.data();
    const std::size_t size = buffer_.size();
    std::size_t i = scanned_;
    while (i < size) {
        if (state_ == Scan::Quoted) {
            const std::size_t quote = FindByte(data, i, size, '"');
            if (quote == size) {
                i = size;
                break;
            }
            i = quote + 1;
            state_ = Scan::QuoteInQuoted;
            continue;
        }
        if (state_ == Scan::QuoteInQuoted) {
            if (data[i] == '"') {  // a doubled quote
                state_ = Scan::Quoted;
                ++i;
                continue;
            }
            state_ = Scan::Plain;  // the quote closed the field
        }
        // Up to the next quote no quoted field starts: only LFs matter.
        const std::size_t quote = FindByte(data, i, size, '"');
        if (skipping_) {
            const std::size_t lf = FindByte(data, i, quote, '\n');
            if (lf < quote) {
                overlongEnd_ = lf + 1;
                scanned_ = lf + 1;
                state_ = Scan::FieldStart;
                return;
            }
        } else {
            for (std::size_t p = i;;) {
                const std::size_t lf = FindByte(data, p, quote, '\n');
                if (lf == quote) break;
                if (lf - recordStart_ > limit_) {
                    overlongEnd_ = lf + 1;
                    scanned_ = lf + 1;
                    state_ = Scan::FieldStart;
                    return;
                }
                recordStart_ = lf + 1;
                p = lf + 1;
                if (++records_ == blockRecords_) {
                    // A full block: its messages and output stay small too.
                    scanned_ = lf + 1;
                    state_ = Scan::FieldStart;
                    return;
                }
            }
        }
        if (quote > i) {
            const char last = data[quote - 1];
            state_ = last == '\n' || last == separator_ ? Scan::FieldStart : Scan::Plain;
        }
        if (quote == size) {
            i = size;
            break;
        }
        // A quote opens a field only at its start; elsewhere it is a character.
        state_ = state_ == Scan::FieldStart ? Scan::Quoted : Scan::Plain;
        i = quote + 1;
    }
    scanned_ = i;
}

void RecordBlocks::Emit(RecordBlock& block, std::size_t end) {
    records_ = 0;
    block.text = std::move(buffer_);
    buffer_.assign(block.text, end, std::string::npos);
    block.text.resize(end);
    scanned_ -= end;
    recordStart_ -= end;
    if (overlongEnd_ > 0) overlongEnd_ -= end;
}

RecordBlocks::Status RecordBlocks::Next(RecordBlock& block, std::string& error) {
    block.text.clear();
    block.overlong = false;
    block.unterminated = false;
    for (;;) {
        if (overlongEnd_ == 0 && records_ < blockRecords_) ScanBuffer();
        if (overlongEnd_ > 0) {
            if (recordStart_ > 0) {  // the records before it first
                Emit(block, recordStart_);
                return Status::Block;
            }
            buffer_.erase(0, overlongEnd_);
            scanned_ -= overlongEnd_;
            overlongEnd_ = 0;
            skipping_ = false;
            block.overlong = true;
            return Status::Block;
        }
        if (!skipping_ && scanned_ == buffer_.size() && buffer_.size() - recordStart_ > limit_) {
            if (recordStart_ > 0) {
                Emit(block, recordStart_);
                return Status::Block;
            }
            skipping_ = true;
        }
        if (skipping_) {
            // Nothing of the record is kept.
            buffer_.clear();
            scanned_ = 0;
            recordStart_ = 0;
            if (atEnd_) {
                skipping_ = false;
                block.overlong = true;
                block.unterminated = state_ == Scan::Quoted;
                return Status::Block;
            }
        } else if (recordStart_ > 0 && (recordStart_ >= blockBytes_ || records_ >= blockRecords_)) {
            Emit(block, recordStart_);
            return Status::Block;
        } else if (atEnd_) {
            if (buffer_.empty()) return Status::End;
            Emit(block, buffer_.size());
            recordStart_ = 0;
            state_ = Scan::FieldStart;
            return Status::Block;
        }
        if (!ReadMore(error)) return Status::Failed;
    }
}

}  // namespace velars::cli
