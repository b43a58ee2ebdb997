#pragma once

#include "text/append_file.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace balvix {

// An open file whose appends are gathered in memory and written in blocks:
// one write for each full block of blockSize bytes, and what is left at
// flush() or close(). The room for one block is made once, at the first
// append; memory does not grow with the file. The file is closed, what is
// gathered written first, when the object goes.
class OutputFile {
public:
  static constexpr std::size_t blockSize = 65536;

  explicit OutputFile(std::unique_ptr<AppendFile> file) : file_(std::move(file)) {}
  ~OutputFile() { close(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Appends the pieces (texts, such as std::string_view, std::string or a
  // string literal, that together make lines ending with their line end) one
  // after the other, as they are, at the end of the file. False when a block
  // written meanwhile could not be written whole: its bytes are lost, and the
  // bytes after them are still written. std::bad_alloc when there is no
  // memory for the block. Every byte appended is one of the pieces': their
  // size is counted from the pieces themselves, never given apart.
  template <class... Pieces> bool append(const Pieces&... pieces) {
    const std::size_t size = (std::string_view(pieces).size() + ...);
    if (size < blockSize - used_ && block_) {
      // The pieces fit in the block gathered so far, with room to spare.
      char* out = block_->data() + used_;
      used_ += size;
      ((out = put(out, pieces)), ...);
      return true;
    }
    bool whole = true;
    ((whole = appendAcrossBlocks(pieces) && whole), ...);
    return whole;
  }

  // Appends the line and CR LF.
  bool appendLine(std::string_view line) { return append(line, "\r\n"); }

  // Writes what is gathered, so that it is in the file when this returns.
  // False when it could not be written whole; it is lost then.
  bool flush();

  // Writes what is gathered and closes the file. False when that could not be
  // written whole, or when the close is reported as failed. Nothing can be
  // appended afterwards.
  bool close();

private:
  using Block = std::array<char, blockSize>;

  // Copies the piece to `out` and returns the end of the copy. (A piece
  // points at its bytes even when it has none: an empty std::string_view
  // that points nowhere is no piece.)
  static char* put(char* out, std::string_view piece) {
    std::memcpy(out, piece.data(), piece.size());
    return out + piece.size();
  }

  // append() for bytes that fill the block gathered so far, or more; for
  // any bytes.
  bool appendAcrossBlocks(std::string_view bytes);

  std::unique_ptr<AppendFile> file_; // none once closed
  std::unique_ptr<Block> block_;     // none until the first append, and once closed
  std::size_t used_ = 0;             // the bytes gathered in it
};

} // namespace balvix
