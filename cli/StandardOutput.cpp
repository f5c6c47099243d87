#include "StandardOutput.h"

#include <cerrno>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vertano::cli {

namespace {

// Text is passed on in pieces of this size (a report of a large network is
// written as it is made, not held).
constexpr std::size_t kPiece = std::size_t{1} << 16;

long WriteSome(const char* data, std::size_t size) {
#if defined(_WIN32)
    return _write(1, data, static_cast<unsigned>(size));
#else
    return static_cast<long>(::write(1, data, size));
#endif
}

}  // namespace

StandardOutputBuffer::~StandardOutputBuffer() {
    Flush();
}

bool StandardOutputBuffer::Flush() {
    std::size_t done = 0;
    while (error_ == 0 && done < pending_.size()) {
        const long n = WriteSome(pending_.data() + done, pending_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 && errno != 0 ? errno : EIO;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    pending_.clear();
    return error_ == 0;
}

StandardOutputBuffer::int_type StandardOutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return Flush() ? 0 : traits_type::eof();
    pending_ += traits_type::to_char_type(c);
    if (pending_.size() >= kPiece && !Flush()) return traits_type::eof();
    return error_ == 0 ? c : traits_type::eof();
}

std::streamsize StandardOutputBuffer::xsputn(const char* s, std::streamsize n) {
    pending_.append(s, static_cast<std::size_t>(n));
    if (pending_.size() >= kPiece) Flush();
    // errno stays that of the failed write for whoever reads it next.
    if (error_ != 0) errno = error_;
    return error_ == 0 ? n : 0;
}

int StandardOutputBuffer::sync() {
    const bool ok = Flush();
    if (!ok) errno = error_;
    return ok ? 0 : -1;
}

}  // namespace vertano::cli
