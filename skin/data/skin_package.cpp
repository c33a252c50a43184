#include "skin/data/skin_package.h"

#include "core/error.h"
#include "core/text.h"
#include "skin/data/ansi_text.h"
#include "skin/data/options_text.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <zlib.h>

namespace skin::data {

namespace {

const char16_t kNotAPackage[] = u"Loaded data is not a packed Brelune file";
const char16_t kStreamReadError[] = u"Stream read error";
// All entries of a package together inflate to at most this many bytes.
constexpr std::size_t kMaxUnpackedBytes = std::size_t{256} << 20;

// Output is produced in pieces of this size, so that a stated size is never allocated before
// the stream has really produced that much.
constexpr std::size_t kOutputPiece = 61440;

[[noreturn]] void ReadError() {
    throw core::Error(kStreamReadError);
}

[[noreturn]] void ZlibError(int code) {
    throw core::Error(core::FromUtf8(zError(code)));
}

// Reads the package front to back; every read checks the bytes that remain.
class PackageCursor {
public:
    explicit PackageCursor(std::span<const std::uint8_t> data) : data_(data) {}

    std::int32_t Int32() {
        auto bytes = Take(4);
        std::uint32_t v =
            bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
        return static_cast<std::int32_t>(v);
    }
    std::span<const std::uint8_t> Take(std::size_t count) {
        if (count > data_.size() - position_)
            ReadError();
        auto part = data_.subspan(position_, count);
        position_ += count;
        return part;
    }
    std::span<const std::uint8_t> Rest() const { return data_.subspan(position_); }
    void Skip(std::size_t count) { position_ += count; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
};

// Inflates one zlib stream from the cursor into exactly size bytes and leaves the cursor on the
// first byte after the stream's Adler-32 trailer. Inflation runs on to the end of the stream
// even after the last wanted byte, so that the next entry is found where it really starts.
// budget is what the whole package may still inflate to, the bytes kept and the bytes run over
// after them alike: a small package of zlib bombs must not ask for gigabytes.
Bytes InflateEntry(PackageCursor& cursor, std::int32_t size, std::size_t& budget) {
    if (size < 0 || static_cast<std::size_t>(size) > budget)
        ReadError();
    if (size == 0)
        ZlibError(Z_STREAM_ERROR); // an entry must hold something
    z_stream stream{};
    if (inflateInit(&stream) != Z_OK)
        ZlibError(Z_MEM_ERROR);
    struct End {
        z_stream* s;
        ~End() { inflateEnd(s); }
    } end{&stream};

    auto input = cursor.Rest();
    stream.next_in = const_cast<Bytef*>(input.data());
    Bytes out;
    std::uint8_t discard[4096];
    int result = Z_OK;
    while (result != Z_STREAM_END) {
        std::size_t wanted = static_cast<std::size_t>(size) - out.size();
        std::size_t have = out.size();
        if (wanted > 0) {
            out.resize(have + std::min(wanted, kOutputPiece));
            stream.next_out = out.data() + have;
            stream.avail_out = static_cast<uInt>(out.size() - have);
        } else {
            stream.next_out = discard;
            stream.avail_out = sizeof discard;
        }
        // All of the remaining package is available; zlib sees it in pieces below 4 GB.
        std::size_t consumed = stream.next_in - input.data();
        stream.avail_in =
            static_cast<uInt>(std::min<std::size_t>(input.size() - consumed, 0x40000000));
        uInt out_before = stream.avail_out;
        result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = out_before - stream.avail_out;
        if (produced > budget)
            ReadError();
        budget -= produced;
        if (wanted > 0)
            out.resize(have + produced);
        if (result == Z_STREAM_END)
            break;
        if (result == Z_BUF_ERROR ||
            (result == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)) {
            // The package ended inside the stream.
            if (out.size() < static_cast<std::size_t>(size))
                ReadError();
            ZlibError(Z_BUF_ERROR);
        }
        if (result != Z_OK)
            ZlibError(result);
    }
    if (out.size() < static_cast<std::size_t>(size))
        ReadError();
    cursor.Skip(static_cast<std::size_t>(stream.next_in - input.data()));
    return out;
}

bool IsOptionsName(std::u16string_view name) {
    return UpperEquals(name, u"OPTIONS.DAT");
}

bool HasBitmapExtension(std::u16string_view name) {
    auto dot = name.rfind(u'.');
    return dot != std::u16string_view::npos && UpperEquals(name.substr(dot), u".BMP");
}

} // namespace

void TacSkinConvertor::Clear() {
    while (!Files.empty())
        Files.pop_back();
    Options.reset();
    PackedData = {};
    OwnedData.reset();
}

const TacImageItem* TacSkinConvertor::FindFile(std::u16string_view name) const {
    for (const TacImageItem& item : Files)
        if (UpperEquals(item.FileName, name))
            return &item;
    return nullptr;
}

void UnpackSkinPackage(std::unique_ptr<TacSkinConvertor>& reader) {
    PackageCursor cursor(reader->PackedData);
    auto magic = reader->PackedData.first(std::min<std::size_t>(4, reader->PackedData.size()));
    if (magic.size() < 4 || std::memcmp(magic.data(), "ASzf", 4) != 0) {
        reader->Clear();
        reader.reset();
        throw core::Error(kNotAPackage);
    }
    cursor.Skip(4);
    std::int32_t count = cursor.Int32();
    // The lowest count has no predecessor; it stays the lowest value instead of overflowing.
    reader->ImageCount = std::max(count, INT32_MIN + 1) - 1;
    std::size_t budget = kMaxUnpackedBytes;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t name_length = cursor.Int32();
        if (name_length < 0)
            ReadError();
        auto name_bytes = cursor.Take(static_cast<std::size_t>(name_length));
        std::u16string name =
            AnsiToUtf16({reinterpret_cast<const char*>(name_bytes.data()), name_bytes.size()});
        std::int32_t size = cursor.Int32();
        Bytes bytes = InflateEntry(cursor, size, budget);
        if (IsOptionsName(name)) {
            reader->Options = std::make_unique<Bytes>(std::move(bytes));
        } else {
            bool is_bitmap = HasBitmapExtension(name);
            reader->Files.push_back({std::move(name), is_bitmap, std::move(bytes)});
        }
    }
}

void LoadSkinPackageFile(const std::filesystem::path& file,
                         std::unique_ptr<TacSkinConvertor>& reader, bool drop_packed_data) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return;
    if (reader)
        reader->Clear();
    else
        reader = std::make_unique<TacSkinConvertor>();
    std::ifstream in(file, std::ios::binary);
    auto data = std::make_unique<Bytes>(std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof())
        ReadError();
    reader->OwnedData = std::move(data);
    reader->PackedData = *reader->OwnedData;
    UnpackSkinPackage(reader);
    if (drop_packed_data && reader) {
        reader->PackedData = {};
        reader->OwnedData.reset();
    }
}

} // namespace skin::data
