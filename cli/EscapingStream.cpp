#include "EscapingStream.h"

namespace vertano::cli {

EscapingBuffer::~EscapingBuffer() {
    FlushPending();
    target_.flush();
}

void EscapingBuffer::Escape(unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    const char text[] = {'\\', 'x', kHex[c >> 4], kHex[c & 0x0F]};
    target_.write(text, sizeof text);
}

void EscapingBuffer::FlushPending() {
    if (!pendingC2_) return;
    pendingC2_ = false;
    target_.put(static_cast<char>(0xC2));
}

void EscapingBuffer::Put(unsigned char c) {
    if (pendingC2_) {
        pendingC2_ = false;
        if (c >= 0x80 && c <= 0x9F) {  // U+0080 to U+009F
            Escape(0xC2);
            Escape(c);
            return;
        }
        target_.put(static_cast<char>(0xC2));
    }
    if (c == 0xC2) {
        pendingC2_ = true;
    } else if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
        Escape(c);
    } else {
        target_.put(static_cast<char>(c));
    }
}

EscapingBuffer::int_type EscapingBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    Put(static_cast<unsigned char>(traits_type::to_char_type(c)));
    return target_ ? c : traits_type::eof();
}

std::streamsize EscapingBuffer::xsputn(const char* s, std::streamsize n) {
    for (std::streamsize i = 0; i < n; ++i) Put(static_cast<unsigned char>(s[i]));
    return target_ ? n : 0;
}

int EscapingBuffer::sync() {
    // A C2 byte still waiting for its second byte stays: the rest of the
    // character may come with the next write.
    target_.flush();
    return target_ ? 0 : -1;
}

}  // namespace vertano::cli
