#pragma once
// The input of a CSV conversion cut into blocks of whole records, read as
// the conversion asks for them, so that the memory it holds does not grow
// with the file. A record longer than the limit is passed over as it is
// read, never held.

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/InputText.h"

namespace velars::cli {

struct RecordBlock {
    // Whole records with their line ends; the last record of the input may
    // lack its LF (and may end inside a quoted field).
    std::string text;
    // One record longer than the limit, left out (`text` is empty).
    bool overlong = false;
    // That record ended the input inside a quoted field.
    bool unterminated = false;
};

class RecordBlocks {
public:
    static constexpr std::size_t kRecordLimit = std::size_t{1} << 20;
    static constexpr long kBlockRecords = 2048;

    // Blocks of about `blockBytes` and at most `blockRecords` records (at
    // least one each), the input read `readBytes` at a time.
    RecordBlocks(InputText& input, std::size_t blockBytes, std::size_t readBytes,
                 std::size_t recordLimit = kRecordLimit, long blockRecords = kBlockRecords);

    enum class Status { Block, End, Failed };

    // Reads until the first line with text is complete, for telling the
    // separator. The empty records before it are dropped and counted, and a
    // UTF-8 byte order mark at the start is dropped. Block with `line`
    // (valid until Next) set; End when there is no such line; Failed with
    // `error` set when reading fails, or with `overlong` set when the line
    // is longer than the limit.
    Status FirstLine(std::string_view& line, bool& overlong, std::string& error);
    long EmptyRowsBefore() const { return emptyRows_; }

    // The separator fields are split by; set before the first Next.
    void SetSeparator(char separator) { separator_ = separator; }

    // The next block: Block, End at the end of the input, or Failed with
    // `error` set when reading fails.
    Status Next(RecordBlock& block, std::string& error);

private:
    enum class Scan { FieldStart, Plain, Quoted, QuoteInQuoted };

    bool ReadMore(std::string& error);
    void ScanBuffer();
    void Emit(RecordBlock& block, std::size_t end);

    InputText& input_;
    std::size_t blockBytes_;
    std::size_t readBytes_;
    std::size_t limit_;
    long blockRecords_;
    char separator_ = ',';

    std::string buffer_;
    bool atEnd_ = false;
    bool startChecked_ = false;
    long emptyRows_ = 0;
    // Scanning state: bytes before scanned_ are scanned, records before
    // recordStart_ are complete.
    std::size_t scanned_ = 0;
    std::size_t recordStart_ = 0;
    Scan state_ = Scan::FieldStart;
    long records_ = 0;  // complete records before recordStart_
    // One past the LF of a complete record longer than the limit that
    // starts at recordStart_; 0 when none.
    std::size_t overlongEnd_ = 0;
    // Inside a record longer than the limit: the buffer holds only its
    // bytes not scanned yet.
    bool skipping_ = false;
};

}  // namespace velars::cli
