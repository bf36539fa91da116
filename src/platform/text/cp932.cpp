#include "platform/text/cp932.h"

#include <cerrno>
#include <iconv.h>

namespace text {
namespace {

// One iconv descriptor per direction and thread; iconv_t keeps conversion state and is not
// safe to share between threads.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }
    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

Iconv& encoder() {
    thread_local Iconv cd("CP932", "UTF-8");
    return cd;
}

Iconv& decoder() {
    thread_local Iconv cd("UTF-8", "CP932");
    return cd;
}

// Appends the CP932 bytes of one code point; "?" when CP932 has no such character.
void appendChar(char32_t cp, QByteArray& out) {
    if (cp < 0x80) {
        out.append(static_cast<char>(cp));
        return;
    }
    Iconv& cd = encoder();
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (!cd.valid() || surrogate || cp > 0x10FFFF) {
        out.append('?');
        return;
    }
    char in[4];
    size_t inLen = 0;
    if (cp < 0x800) {
        in[inLen++] = static_cast<char>(0xC0 | (cp >> 6));
    } else if (cp < 0x10000) {
        in[inLen++] = static_cast<char>(0xE0 | (cp >> 12));
        in[inLen++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    } else {
        in[inLen++] = static_cast<char>(0xF0 | (cp >> 18));
        in[inLen++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        in[inLen++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    in[inLen++] = static_cast<char>(0x80 | (cp & 0x3F));

    char buf[8];
    char* inPtr = in;
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    cd.reset();
    if (iconv(cd.get(), &inPtr, &inLen, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        out.append('?');
        return;
    }
    out.append(buf, static_cast<qsizetype>(outPtr - buf));
}

// Calls f(codePoint, utf16Length) for each character of s; a lone surrogate is a character.
template <typename F> void forEachChar(const QString& s, F f) {
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = s.at(i);
        if (c.isHighSurrogate() && i + 1 < n && s.at(i + 1).isLowSurrogate()) {
            if (!f(QChar::surrogateToUcs4(c, s.at(i + 1)), 2)) return;
            i += 2;
        } else {
            if (!f(static_cast<char32_t>(c.unicode()), 1)) return;
            ++i;
        }
    }
}

} // namespace

QByteArray toCp932(const QString& s) {
    QByteArray out;
    out.reserve(s.size() * 2);
    forEachChar(s, [&](char32_t cp, int) {
        appendChar(cp, out);
        return true;
    });
    return out;
}

QString fromCp932(const QByteArray& bytes) {
    Iconv& cd = decoder();
    if (!cd.valid()) return QString::fromLatin1(bytes);
    static const char replacement[] = "\xEF\xBF\xBD";

    QByteArray utf8;
    utf8.reserve(bytes.size() * 3 / 2 + 8);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buf[1024];
    cd.reset();
    while (inLeft > 0) {
        char* out = buf;
        size_t outLeft = sizeof buf;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &out, &outLeft);
        utf8.append(buf, static_cast<qsizetype>(out - buf));
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // Invalid or truncated sequence: replace its first byte and go on with the next, so a
        // stray lead byte does not swallow the line end behind it.
        utf8.append(replacement);
        ++in;
        --inLeft;
        cd.reset();
    }
    return QString::fromUtf8(utf8);
}

int cp932ByteLength(const QString& s) {
    QByteArray scratch;
    int total = 0;
    forEachChar(s, [&](char32_t cp, int) {
        scratch.clear();
        appendChar(cp, scratch);
        total += static_cast<int>(scratch.size());
        return true;
    });
    return total;
}

QString cp932Left(const QString& s, int maxBytes) {
    if (maxBytes <= 0) return QString();
    QByteArray scratch;
    int bytes = 0;
    qsizetype units = 0;
    forEachChar(s, [&](char32_t cp, int len) {
        scratch.clear();
        appendChar(cp, scratch);
        if (bytes + scratch.size() > maxBytes) return false;
        bytes += static_cast<int>(scratch.size());
        units += len;
        return true;
    });
    return s.left(units);
}

} // namespace text
