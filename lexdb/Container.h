// The data container: a sequence of gzip members whose stored bytes are
// scrambled by absolute file offset (lexdb/Scramble.h). A file that does not
// start with the gzip magic is read in stored mode (descrambled bytes, no
// decompression). Every dictionary file of the engine is read through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace pv {

struct Container;

enum class ContainerStatus {
    Ok,
    StreamEnd,  // the last member ended cleanly
    DataError,  // bad header, bad deflate data, CRC or length mismatch, truncation
    ReadError,  // the file could not be read or the seek target is invalid
};

// None (null) when the path is empty or the file cannot be opened. The header
// of the first member is parsed at once and decides the mode.
Container* ContainerOpen(const std::string& path);

// Bytes delivered (0..n) into buffer: -2 for none, -1 once an earlier read
// failed, 0 after the end of the last member. Reading goes on across
// concatenated members; each member's CRC-32 and length are checked at its
// end, and a mismatch delivers what was decoded and sets DataError.
int ContainerRead(Container* container, void* buffer, int n);

// Accepts none.
void ContainerClose(Container* container);

// Random access: the next read decodes the raw deflate stream (stored mode:
// the stored bytes) found at this stored offset, with a fresh inflater and
// cleared end and error states. The running CRC is not reset, so a stream
// end met after a restart is a data error; such readers rely on the byte
// count. False (and ReadError) for a negative offset or none.
bool ContainerRestartAt(Container* container, int64_t offset);

ContainerStatus ContainerState(const Container* container);
bool ContainerIsStored(const Container* container);

// The underlying file as it is stored (not descrambled): its size, and
// reads of exactly n bytes at an offset (false when fewer are there).
int64_t ContainerFileSize(const Container* container);
bool ContainerRawRead(Container* container, int64_t offset, void* buffer, std::size_t n);

struct ContainerCloser {
    void operator()(Container* container) const { ContainerClose(container); }
};
using ContainerPtr = std::unique_ptr<Container, ContainerCloser>;

// The most that deflate can expand a stored byte to: a bound on the content
// of a file that readers may take room for before the content arrives.
constexpr uint64_t kMaxDeflateExpansion = 1032;

// The common loader pattern: a 4-byte signed count, then the payload that it
// announces (count × unitBytes bytes). An absent file gives count 0. payload
// holds what the container delivered, which is less than announced for a
// truncated or damaged file; complete tells whether all of it arrived intact.
struct CountedBlock {
    int32_t count = 0;
    std::string payload;
    bool complete = false;
};
CountedBlock ReadCountedBlock(const std::string& path, std::size_t unitBytes = 1);

// The same pattern for a payload too large to hold whole beside what is built
// from it: take receives the count and the payload a chunk at a time, each
// chunk a whole number of records of recordBytes (but the last of a short
// file). The result tells the count and whether all of the payload arrived
// intact.
struct CountedRead {
    int32_t count = 0;
    bool complete = false;
};
CountedRead ReadCountedChunks(
    const std::string& path, std::size_t unitBytes, std::size_t recordBytes,
    const std::function<void(int32_t count, std::string_view chunk)>& take);

// The whole logical content of a container (all members).
struct ContainerContent {
    bool opened = false;
    bool stored = false;
    ContainerStatus status = ContainerStatus::ReadError;
    std::string bytes;
};
ContainerContent ReadWholeContainer(const std::string& path);

}  // namespace pv
