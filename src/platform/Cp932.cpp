#include "platform/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace Cp932 {

namespace {
constexpr const char* kCodec = "windows-31j";
}

// Opening a converter costs far more than converting a name, so each thread keeps one of each.
// Plain ASCII (most fields are blanks or digits) is the same in code page 932 and needs no converter.
QByteArray encode(const QString& text) {
    bool ascii = true;
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();
    thread_local QStringEncoder enc(kCodec);
    enc.resetState();
    return enc.encode(text);
}

QString decode(const QByteArray& bytes) {
    bool ascii = true;
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(bytes);
    thread_local QStringDecoder dec(kCodec);
    dec.resetState();
    return dec.decode(bytes);
}

QString firstUnencodable(const QString& text) {
    // The converter's error mark stays once set, so the character after which it first shows is
    // the one without a code.
    std::optional<QStringEncoder> enc;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].unicode() < 0x80)
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString ch = text.mid(i, pair ? 2 : 1);
        if (!enc)
            enc.emplace(kCodec, QStringConverter::Flag::Stateless);
        const QByteArray b = enc->encode(ch);
        if (enc->hasError() || b.isEmpty())
            return ch;
        if (pair)
            ++i;
    }
    return {};
}

bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QByteArray fixedBytes(const QString& text, int n) {
    QByteArray bytes = encode(text);
    if (bytes.size() > n) {
        int cut = 0;
        while (cut < n) {
            const int step = isLeadByte(static_cast<unsigned char>(bytes[cut])) ? 2 : 1;
            if (cut + step > n)
                break;
            cut += step;
        }
        bytes.truncate(cut);
    }
    if (bytes.size() < n)
        bytes.append(n - bytes.size(), ' ');
    return bytes;
}

int cellWidth(const QString& text) {
    return static_cast<int>(encode(text).size());
}

QString leftColumns(const QString& text, int columns) {
    QString out;
    int used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString ch = text.mid(i, len);
        const int w = cellWidth(ch);
        if (used + w > columns)
            break;
        out += ch;
        used += w;
        i += len - 1;
    }
    return out;
}

} // namespace Cp932
