#pragma once

#include <streambuf>
#include <string>

namespace vertano::cli {

// The standard output of the program, written through descriptor 1. A stream
// forgets why a write failed; this buffer keeps the reason (errno of the first
// failed write), so that a full disk or a closed pipe is reported as such.
class StandardOutputBuffer : public std::streambuf {
  public:
    StandardOutputBuffer() = default;
    ~StandardOutputBuffer() override;
    StandardOutputBuffer(const StandardOutputBuffer&) = delete;
    StandardOutputBuffer& operator=(const StandardOutputBuffer&) = delete;

    // errno of the first write that failed; 0 while none did.
    int Error() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

  private:
    bool Flush();

    std::string pending_;
    int error_ = 0;
};

}  // namespace vertano::cli
