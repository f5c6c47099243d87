#pragma once

#include <ostream>
#include <streambuf>

namespace vertano::cli {

// Passes text on to another stream with every control character but TAB and
// line feed written as \xNN (ESC, BEL, DEL, CR, the C1 controls of UTF-8). Names
// and paths that reach a message from a file or the command line can then not
// move the cursor, recolour, retitle or clear the user's terminal.
class EscapingBuffer : public std::streambuf {
  public:
    explicit EscapingBuffer(std::ostream& target) : target_(target) {}
    ~EscapingBuffer() override;
    EscapingBuffer(const EscapingBuffer&) = delete;
    EscapingBuffer& operator=(const EscapingBuffer&) = delete;

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

  private:
    void Put(unsigned char c);
    void Escape(unsigned char c);
    void FlushPending();

    std::ostream& target_;
    bool pendingC2_ = false;  // the lead byte of a possible C1 control
};

// An output stream through an EscapingBuffer.
class EscapingStream : public std::ostream {
  public:
    explicit EscapingStream(std::ostream& target) : std::ostream(&buffer_), buffer_(target) {}

  private:
    EscapingBuffer buffer_;
};

}  // namespace vertano::cli
