// BMP files: the decoder of skin bitmaps and the 24-bit encoder of the skin tools.
//
// File layout:  "BM" header (14 bytes) | info header (12, 40, 52, 56, 108 or 124 bytes)
//               | [bit-field masks] | [palette] | ... | pixel rows at the header's offset
// Rows are padded to 4 bytes and run bottom-up unless the height is negative. Run-length
// encoded files (8 or 4 bits, always bottom-up) hold a stream of runs instead of rows.

#include "core/error.h"
#include "core/text.h"
#include "skin/data/image_decoders.h"

#include <algorithm>
#include <bit>

namespace skin::data {

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

[[noreturn]] void Invalid(std::u16string_view reason) {
    throw core::Error(core::Format(u"Invalid BMP image: %s", {reason}));
}

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint32_t U16(std::size_t at) const {
        Need(at, 2);
        return bytes_[at] | (bytes_[at + 1] << 8);
    }
    std::uint32_t U32(std::size_t at) const {
        Need(at, 4);
        return bytes_[at] | (bytes_[at + 1] << 8) | (bytes_[at + 2] << 16) |
               (std::uint32_t{bytes_[at + 3]} << 24);
    }
    std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
    void Need(std::size_t at, std::size_t count) const {
        if (at > bytes_.size() || count > bytes_.size() - at)
            Invalid(u"the file is cut short");
    }
    const std::uint8_t* At(std::size_t at) const { return bytes_.data() + at; }
    std::size_t Size() const { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
};

// One channel of a bit-field pixel, scaled to 8 bits the way the platform does: a narrower
// field repeats its bits below itself (5 bits abcde become abcdeabc), a wider one keeps its
// top 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int width = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (m == 0)
            return;
        shift = std::countr_zero(m);
        width = std::bit_width(m >> shift);
    }
    std::uint32_t Get(std::uint32_t pixel, std::uint32_t absent) const {
        if (mask == 0)
            return absent;
        std::uint32_t v = (pixel & mask) >> shift;
        if (width >= 8)
            return (v >> (width - 8)) & 0xFF;
        std::uint32_t wide = 0;
        for (int filled = 0; filled < 8; filled += width)
            wide = (wide << width) | v;
        int surplus = (8 + width - 1) / width * width - 8;
        return (wide >> surplus) & 0xFF;
    }
};

struct Header {
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[4] = {};
    std::size_t palette_at = 0;
    std::size_t palette_entry = 4;
    std::size_t palette_size = 0;
    std::size_t pixels_at = 0;
};

Header ReadHeader(const ByteReader& in) {
    if (in.U16(0) != 0x4D42)
        Invalid(u"no BM signature");
    Header h;
    h.pixels_at = in.U32(10);
    std::uint32_t info_size = in.U32(14);
    if (info_size == 12) {
        h.width = static_cast<std::int32_t>(in.U16(18));
        h.height = static_cast<std::int32_t>(in.U16(20));
        h.bits = static_cast<int>(in.U16(24));
        h.palette_entry = 3;
    } else if (info_size >= 40 && info_size <= 124) {
        h.width = in.I32(18);
        h.height = in.I32(22);
        h.bits = static_cast<int>(in.U16(28));
        h.compression = in.U32(30);
        h.palette_size = in.U32(46);
        if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            // Masks inside the larger headers, else right after the 40-byte header.
            std::size_t count = h.compression == kAlphaBitFields || info_size >= 56 ? 4 : 3;
            for (std::size_t i = 0; i < count; ++i)
                h.masks[i] = in.U32(54 + 4 * i);
            if (info_size == 40)
                info_size += static_cast<std::uint32_t>(4 * count);
        }
    } else {
        Invalid(u"unknown header size");
    }
    if (h.bits == 16 && h.compression == kRgb) {
        h.masks[0] = 0x7C00; // 5-5-5
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
    }
    h.palette_at = 14 + info_size;
    if (h.bits <= 8 && h.palette_size == 0)
        h.palette_size = std::size_t{1} << h.bits;
    if (h.palette_size > 256)
        Invalid(u"palette too large");
    if (h.pixels_at == 0)
        h.pixels_at = h.palette_at + (h.bits <= 8 ? h.palette_size * h.palette_entry : 0);
    return h;
}

void CheckFormat(const Header& h) {
    bool indexed = h.bits == 1 || h.bits == 4 || h.bits == 8;
    if (!indexed && h.bits != 16 && h.bits != 24 && h.bits != 32)
        Invalid(core::Format(u"%d bits per pixel are not supported", {}, {h.bits}));
    bool fields = h.compression == kBitFields || h.compression == kAlphaBitFields;
    bool supported = h.compression == kRgb || (fields && (h.bits == 16 || h.bits == 32)) ||
                     (h.compression == kRle8 && h.bits == 8) ||
                     (h.compression == kRle4 && h.bits == 4);
    if (!supported)
        Invalid(u"compressed images are not supported");
    if (h.width < 0 || h.height == INT32_MIN)
        Invalid(u"bad size");
    if ((h.compression == kRle8 || h.compression == kRle4) && h.height < 0)
        Invalid(u"run-length images cannot be stored top-down");
}

std::vector<Pixel> ReadPalette(const ByteReader& in, const Header& h) {
    std::vector<Pixel> palette(256, 0);
    if (h.bits > 8)
        return palette;
    in.Need(h.palette_at, h.palette_size * h.palette_entry);
    for (std::size_t i = 0; i < h.palette_size; ++i) {
        const std::uint8_t* e = in.At(h.palette_at + i * h.palette_entry);
        palette[i] = e[0] | (e[1] << 8) | (std::uint32_t{e[2]} << 16);
    }
    return palette;
}

void DecodeRow(const std::uint8_t* row, const Header& h, const std::vector<Pixel>& palette,
               Pixel* out) {
    switch (h.bits) {
    case 1:
    case 4:
    case 8: {
        int per_byte = 8 / h.bits;
        std::uint32_t mask = (1u << h.bits) - 1;
        for (int x = 0; x < h.width; ++x) {
            int shift = 8 - h.bits * (x % per_byte + 1);
            out[x] = palette[(row[x / per_byte] >> shift) & mask];
        }
        break;
    }
    case 16: {
        Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]);
        for (int x = 0; x < h.width; ++x, row += 2) {
            std::uint32_t p = row[0] | (row[1] << 8);
            out[x] = b.Get(p, 0) | (g.Get(p, 0) << 8) | (r.Get(p, 0) << 16);
        }
        break;
    }
    case 24:
        for (int x = 0; x < h.width; ++x, row += 3)
            out[x] = row[0] | (row[1] << 8) | (std::uint32_t{row[2]} << 16);
        break;
    case 32:
        if (h.compression == kRgb) {
            for (int x = 0; x < h.width; ++x, row += 4)
                out[x] = row[0] | (row[1] << 8) | (std::uint32_t{row[2]} << 16) |
                         (std::uint32_t{row[3]} << 24);
        } else {
            Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]), a(h.masks[3]);
            for (int x = 0; x < h.width; ++x, row += 4) {
                std::uint32_t p =
                    row[0] | (row[1] << 8) | (row[2] << 16) | (std::uint32_t{row[3]} << 24);
                out[x] =
                    b.Get(p, 0) | (g.Get(p, 0) << 8) | (r.Get(p, 0) << 16) | (a.Get(p, 255) << 24);
            }
        }
        break;
    }
}

// Runs of 8-bit or 4-bit indexes. A pair (n, c) with n > 0 repeats c (8 bits) or the two
// nibbles of c in turn (4 bits) n times; a pair (0, c) is an escape: 0 ends the line, 1 the
// image, 2 moves right and up by the next two bytes, and 3 or more gives that many indexes
// literally, padded to a whole 16-bit word. Rows run bottom-up; pixels the stream skips or
// that lie beyond the width stay 0, and the image ends where the bytes end.
class RunDecoder {
public:
    RunDecoder(const Header& h, const std::vector<Pixel>& palette, Image32& image)
        : rle4_(h.compression == kRle4), palette_(palette), image_(image) {}

    void Decode(const std::uint8_t* at, const std::uint8_t* end) {
        while (end - at >= 2 && y_ < image_.height) {
            std::uint8_t count = at[0], code = at[1];
            at += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    Put(rle4_ ? (i % 2 == 0 ? code >> 4 : code & 0xF) : code);
            } else if (code == 0) {
                x_ = 0;
                ++y_;
            } else if (code == 1) {
                return;
            } else if (code == 2) {
                if (end - at < 2)
                    return;
                x_ = std::min(x_ + at[0], image_.width);
                y_ += at[1];
                at += 2;
            } else {
                std::ptrdiff_t bytes = rle4_ ? (code + 1) / 2 : code;
                if (end - at < bytes)
                    return;
                for (int i = 0; i < code; ++i)
                    Put(rle4_ ? (i % 2 == 0 ? at[i / 2] >> 4 : at[i / 2] & 0xF) : at[i]);
                at += std::min<std::ptrdiff_t>(bytes + (bytes & 1), end - at);
            }
        }
    }

private:
    void Put(std::uint32_t index) {
        if (x_ < image_.width)
            image_.Row(image_.height - 1 - y_)[x_++] = palette_[index];
    }

    bool rle4_;
    const std::vector<Pixel>& palette_;
    Image32& image_;
    int x_ = 0;
    int y_ = 0;
};

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

DecodedBmp DecodeBmp(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    Header h = ReadHeader(in);
    CheckFormat(h);
    bool top_down = h.height < 0;
    int height = top_down ? -h.height : h.height;
    DecodedBmp result;
    result.bits_per_pixel = h.bits;
    if (h.width == 0 || height == 0)
        return result;
    if (std::int64_t{h.width} * height > kMaxImagePixels)
        Invalid(u"image too large");
    std::vector<Pixel> palette = ReadPalette(in, h);
    if (h.compression == kRle8 || h.compression == kRle4) {
        in.Need(h.pixels_at, 0);
        result.image = MakeImage32(h.width, height);
        RunDecoder(h, palette, result.image).Decode(in.At(h.pixels_at), in.At(in.Size()));
        return result;
    }
    std::size_t stride = (static_cast<std::size_t>(h.width) * h.bits + 31) / 32 * 4;
    in.Need(h.pixels_at, stride * static_cast<std::size_t>(height));
    result.image = MakeImage32(h.width, height);
    for (int y = 0; y < height; ++y) {
        int source_row = top_down ? y : height - 1 - y;
        DecodeRow(in.At(h.pixels_at + stride * source_row), h, palette, result.image.Row(y));
    }
    return result;
}

std::vector<std::uint8_t> EncodeBmp24(const Image32& image) {
    std::size_t stride = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
    std::size_t pixels = stride * image.height;
    std::vector<std::uint8_t> out;
    out.reserve(54 + pixels);
    out.push_back('B');
    out.push_back('M');
    PutLe(out, static_cast<std::uint32_t>(54 + pixels), 4);
    PutLe(out, 0, 4);
    PutLe(out, 54, 4);
    PutLe(out, 40, 4);
    PutLe(out, static_cast<std::uint32_t>(image.width), 4);
    PutLe(out, static_cast<std::uint32_t>(image.height), 4);
    PutLe(out, 1, 2);
    PutLe(out, 24, 2);
    PutLe(out, kRgb, 4);
    PutLe(out, static_cast<std::uint32_t>(pixels), 4);
    PutLe(out, 2835, 4); // 72 dots per inch
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        const Pixel* row = image.Row(y);
        for (int x = 0; x < image.width; ++x)
            PutLe(out, row[x] & 0xFFFFFF, 3);
        out.resize(out.size() + (stride - image.width * 3), 0);
    }
    return out;
}

} // namespace skin::data
