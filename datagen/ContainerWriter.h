// Writers of the data container (the inverse of lexdb/Container.h): gzip
// members scrambled by absolute offset, stored containers, counted blocks,
// and files of raw deflate streams at known offsets.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

// Optional gzip header fields (all empty: the plain 10-byte header).
struct GzipHeaderOptions {
    std::string extra;
    std::string name;     // must not contain a 0 byte
    std::string comment;  // must not contain a 0 byte
    bool headerCrc = false;
};

std::string GzipHeader(const GzipHeaderOptions& options = {});
// With fixed codes a stream carries no code tables: a larger stream for
// small content, but one that inflates several times faster.
std::string RawDeflate(std::string_view content, bool fixedCodes = false);
// One complete gzip member, not yet scrambled.
std::string GzipMember(std::string_view content, const GzipHeaderOptions& options = {});

// Whether content would be taken for a gzip member, so cannot be stored.
bool StartsWithGzipMagic(std::string_view bytes);

// File images, scrambled and ready to be stored.
std::string ContainerImage(const std::vector<std::string>& members);  // one gzip member each
std::string StoredContainerImage(std::string_view content);

void WriteContainer(const std::string& path, std::string_view content);
void WriteContainer(const std::string& path, const std::vector<std::string>& members);
void WriteStoredContainer(const std::string& path, std::string_view content);

// count (4 bytes) followed by payload: the content of most whole-file tables.
std::string CountedContent(int32_t count, std::string_view payload);
// A container whose count is the payload's byte count.
void WriteCountedContainer(const std::string& path, std::string_view payload);

// A file of separately compressed raw deflate streams (or, stored, plain
// byte runs) at stored offsets that the caller keeps in its own index. A
// compressed file begins with a gzip header, so that the reader opens it in
// compressed mode. The streams are small and read one at a time as lookups
// need them, so they are compressed with fixed codes.
class RawStreamFile {
public:
    explicit RawStreamFile(bool stored = false);
    // Appends one stream; returns its stored offset.
    int32_t AddStream(std::string_view content);
    // The scrambled image followed by the unscrambled trailer.
    std::string Finish(std::string_view trailer = {});

private:
    bool stored_;
    std::string image_;
};

}  // namespace pv
