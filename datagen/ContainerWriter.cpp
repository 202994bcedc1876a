#include "datagen/ContainerWriter.h"

#include <zlib.h>

#include <limits>

#include "datagen/ByteWriter.h"
#include "lexdb/Scramble.h"

namespace pv {

namespace {

// Offsets inside data files are signed 32-bit.
constexpr std::size_t kMaxFileSize = std::numeric_limits<int32_t>::max();

void CheckFileSize(std::size_t size) {
    if (size > kMaxFileSize) throw WriterError("data file larger than 2 GiB");
}

std::string Scrambled(std::string image) {
    ScrambleBytes(image.data(), image.size(), 0);
    return image;
}

}  // namespace

bool StartsWithGzipMagic(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<uint8_t>(bytes[0]) == 0x1F &&
           static_cast<uint8_t>(bytes[1]) == 0x8B;
}

std::string GzipHeader(const GzipHeaderOptions& options) {
    for (const std::string* text : {&options.name, &options.comment})
        if (text->find('\0') != std::string::npos) throw WriterError("gzip header text with a 0 byte");
    if (options.extra.size() > 0xFFFF) throw WriterError("gzip extra field longer than 65535 bytes");
    uint8_t flags = 0;
    if (options.headerCrc) flags |= 0x02;
    if (!options.extra.empty()) flags |= 0x04;
    if (!options.name.empty()) flags |= 0x08;
    if (!options.comment.empty()) flags |= 0x10;
    ByteWriter w;
    w.U8(0x1F);
    w.U8(0x8B);
    w.U8(8);  // deflate
    w.U8(flags);
    w.U32(0);  // no time stamp
    w.U8(0);
    w.U8(3);  // Unix
    if (!options.extra.empty()) {
        w.U16(static_cast<uint16_t>(options.extra.size()));
        w.Bytes(options.extra);
    }
    if (!options.name.empty()) w.Bytes(std::string_view(options.name.c_str(), options.name.size() + 1));
    if (!options.comment.empty()) w.Bytes(std::string_view(options.comment.c_str(), options.comment.size() + 1));
    if (options.headerCrc) {
        const auto* bytes = reinterpret_cast<const Bytef*>(w.bytes().data());
        w.U16(static_cast<uint16_t>(crc32(0L, bytes, static_cast<uInt>(w.size())) & 0xFFFF));
    }
    return w.bytes();
}

std::string RawDeflate(std::string_view content, bool fixedCodes) {
    CheckFileSize(content.size());
    z_stream stream{};
    // Level 6: on the large, repetitive record files of the data build level 9
    // takes five times as long for a tenth less size.
    if (deflateInit2(&stream, 6, Z_DEFLATED, -MAX_WBITS, 8, fixedCodes ? Z_FIXED : Z_DEFAULT_STRATEGY) != Z_OK)
        throw WriterError("cannot start deflate");
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) throw WriterError("deflate failed");
    return out;
}

std::string GzipMember(std::string_view content, const GzipHeaderOptions& options) {
    ByteWriter w;
    w.Bytes(GzipHeader(options));
    w.Bytes(RawDeflate(content));
    w.U32(static_cast<uint32_t>(
        crc32(0L, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size()))));
    w.U32(static_cast<uint32_t>(content.size()));
    return w.bytes();
}

std::string ContainerImage(const std::vector<std::string>& members) {
    std::string image;
    for (const std::string& member : members) image += GzipMember(member);
    CheckFileSize(image.size());
    return Scrambled(std::move(image));
}

std::string StoredContainerImage(std::string_view content) {
    // The reader would take such content for a gzip member.
    if (StartsWithGzipMagic(content)) throw WriterError("stored content must not begin with the gzip magic");
    CheckFileSize(content.size());
    return Scrambled(std::string(content));
}

void WriteContainer(const std::string& path, std::string_view content) {
    WriteFileAtomically(path, ContainerImage({std::string(content)}));
}

void WriteContainer(const std::string& path, const std::vector<std::string>& members) {
    WriteFileAtomically(path, ContainerImage(members));
}

void WriteStoredContainer(const std::string& path, std::string_view content) {
    WriteFileAtomically(path, StoredContainerImage(content));
}

std::string CountedContent(int32_t count, std::string_view payload) {
    ByteWriter w;
    w.I32(count);
    w.Bytes(payload);
    return w.bytes();
}

void WriteCountedContainer(const std::string& path, std::string_view payload) {
    CheckFileSize(payload.size());
    WriteContainer(path, CountedContent(static_cast<int32_t>(payload.size()), payload));
}

RawStreamFile::RawStreamFile(bool stored) : stored_(stored) {
    if (!stored_) image_ = GzipHeader();
}

int32_t RawStreamFile::AddStream(std::string_view content) {
    const std::size_t offset = image_.size();
    if (stored_ && offset < 2 && StartsWithGzipMagic(image_ + std::string(content.substr(0, 2))))
        throw WriterError("stored content must not begin with the gzip magic");
    image_ += stored_ ? std::string(content) : RawDeflate(content, true);
    CheckFileSize(image_.size());
    return static_cast<int32_t>(offset);
}

std::string RawStreamFile::Finish(std::string_view trailer) {
    std::string image = Scrambled(std::move(image_));
    image_.clear();
    image.append(trailer);
    CheckFileSize(image.size());
    return image;
}

}  // namespace pv
