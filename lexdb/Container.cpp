#include "lexdb/Container.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "lexdb/Scramble.h"

namespace pv {

namespace {

// Sequential reads take the file 16,384 bytes at a time and descramble
// 1,024 bytes at a time as the inflater takes them. A read after a restart
// is one block of the file cache, a few hundred stored bytes: it takes less.
struct ReadSteps {
    std::size_t read;
    std::size_t descramble;
};
constexpr ReadSteps kSequentialSteps{16384, 1024};
constexpr ReadSteps kRestartedSteps{2048, 256};
constexpr int kEndOfInput = -1;

enum GzipFlag : uint8_t {
    kHeaderCrc = 0x02,
    kExtraField = 0x04,
    kOriginalName = 0x08,
    kComment = 0x10,
    kReservedFlags = 0xE0,
};

// pread until n bytes or the end of the file; -1 on a read error.
ssize_t ReadAt(int fd, unsigned char* buffer, std::size_t n, int64_t offset) {
    std::size_t done = 0;
    while (done < n) {
        ssize_t got = ::pread(fd, buffer + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

struct Container {
    int fd = -1;
    z_stream stream{};
    bool inflaterReady = false;
    ContainerStatus status = ContainerStatus::Ok;
    bool endOfInput = false;
    std::vector<unsigned char> input = std::vector<unsigned char>(kSequentialSteps.read);
    int64_t filePosition = 0;  // stored offset of the next byte to fetch from the file
    int64_t bufferPosition = 0;  // stored offset of input[0]
    std::size_t filled = 0;      // bytes read into input
    std::size_t exposed = 0;     // of them, descrambled and handed to the inflater
    uLong crc = 0;
    uint32_t memberLength = 0;  // bytes delivered since the member began (mod 2^32)
    bool stored = false;
    bool restarted = false;

    ~Container() {
        if (inflaterReady) inflateEnd(&stream);
        if (fd >= 0) ::close(fd);
    }

    // Hands the inflater the next n bytes of the buffer (at most those read),
    // descrambled; they follow straight on the bytes it has taken.
    void Expose(std::size_t n) {
        n = std::min(n, filled - exposed);
        ScrambleBytes(reinterpret_cast<char*>(input.data() + exposed), n,
                      static_cast<uint32_t>(bufferPosition + static_cast<int64_t>(exposed)));
        stream.next_in = input.data() + exposed;
        stream.avail_in = static_cast<uInt>(n);
        exposed += n;
    }

    // Once the inflater has taken all it was given: the next step of the
    // buffer, or the buffer refilled from the file.
    void Fill() {
        const ReadSteps& steps = restarted ? kRestartedSteps : kSequentialSteps;
        if (exposed < filled) return Expose(steps.descramble);
        ssize_t got = ReadAt(fd, input.data(), steps.read, filePosition);
        if (got < 0) {
            status = ContainerStatus::ReadError;
            got = 0;
        }
        bufferPosition = filePosition;
        filePosition += got;
        filled = static_cast<std::size_t>(got);
        exposed = 0;
        Expose(steps.descramble);
        if (got == 0) endOfInput = true;
    }

    int NextByte() {
        if (stream.avail_in == 0 && !endOfInput) Fill();
        if (stream.avail_in == 0) return kEndOfInput;
        --stream.avail_in;
        return *stream.next_in++;
    }

    // Parses a gzip member header: Ok, StreamEnd when no byte is left, or
    // DataError for anything else (a header cut off by the end of the file too).
    ContainerStatus ParseHeader() {
        int first = NextByte();
        if (first == kEndOfInput) return status == ContainerStatus::ReadError ? status : ContainerStatus::StreamEnd;
        bool cut = false;
        auto next = [&] {
            int c = NextByte();
            if (c == kEndOfInput) cut = true;
            return c;
        };
        if (first != 0x1F || next() != 0x8B) return ContainerStatus::DataError;
        int method = next();
        int flags = next();
        if (cut || method != Z_DEFLATED || (flags & kReservedFlags) != 0) return ContainerStatus::DataError;
        for (int i = 0; i < 6; ++i) next();  // time, extra flags, OS
        if (flags & kExtraField) {
            int low = next();
            int high = next();
            for (int length = cut ? 0 : low | (high << 8); length > 0 && !cut; --length) next();
        }
        for (uint8_t zeroTerminated : {kOriginalName, kComment})
            if (flags & zeroTerminated) {
                int c;
                do c = next();
                while (c != 0 && !cut);
            }
        if (flags & kHeaderCrc) {
            next();
            next();
        }
        if (status == ContainerStatus::ReadError) return status;
        if (cut) return ContainerStatus::DataError;
        return ContainerStatus::Ok;
    }

    // Reads the 8-byte member trailer; false when the file ends inside it.
    bool ReadTrailer(uint32_t& storedCrc, uint32_t& storedLength) {
        uint32_t values[2] = {0, 0};
        for (uint32_t& value : values)
            for (int i = 0; i < 4; ++i) {
                int c = NextByte();
                if (c == kEndOfInput) return false;
                value |= static_cast<uint32_t>(c) << (8 * i);
            }
        storedCrc = values[0];
        storedLength = values[1];
        return true;
    }

    void StartMember() {
        inflateReset(&stream);
        crc = crc32(0L, Z_NULL, 0);
        memberLength = 0;
    }

    // A restarted read never reaches a member's trailer, so its checksum
    // would go unused.
    void Account(const unsigned char* from, const unsigned char* to) {
        if (restarted) return;
        crc = crc32(crc, from, static_cast<uInt>(to - from));
        memberLength += static_cast<uint32_t>(to - from);
    }

    int ReadStored(unsigned char* out, int n) {
        // The rest of the buffer first, as it lies before filePosition.
        const std::size_t taken = stream.avail_in;
        Expose(filled - exposed);
        stream.next_in -= taken;
        stream.avail_in += static_cast<uInt>(taken);
        std::size_t want = static_cast<std::size_t>(n);
        std::size_t fromBuffer = std::min<std::size_t>(want, stream.avail_in);
        std::copy(stream.next_in, stream.next_in + fromBuffer, out);
        stream.next_in += fromBuffer;
        stream.avail_in -= static_cast<uInt>(fromBuffer);
        std::size_t done = fromBuffer;
        if (done < want) {
            ssize_t got = ReadAt(fd, out + done, want - done, filePosition);
            if (got < 0) {
                status = ContainerStatus::ReadError;
                got = 0;
            }
            ScrambleBytes(reinterpret_cast<char*>(out + done), static_cast<std::size_t>(got),
                          static_cast<uint32_t>(filePosition));
            filePosition += got;
            done += static_cast<std::size_t>(got);
        }
        return static_cast<int>(done);
    }

    int ReadCompressed(unsigned char* out, int n) {
        stream.next_out = out;
        stream.avail_out = static_cast<uInt>(n);
        const unsigned char* accounted = out;
        while (stream.avail_out > 0) {
            if (stream.avail_in == 0 && !endOfInput) Fill();
            if (status != ContainerStatus::Ok) break;
            int result = inflate(&stream, Z_NO_FLUSH);
            if (result == Z_STREAM_END) {
                Account(accounted, stream.next_out);
                accounted = stream.next_out;
                uint32_t storedCrc = 0, storedLength = 0;
                if (restarted || !ReadTrailer(storedCrc, storedLength) || storedCrc != crc ||
                    storedLength != memberLength) {
                    status = ContainerStatus::DataError;
                    break;
                }
                status = ParseHeader();
                if (status != ContainerStatus::Ok) break;
                StartMember();
                continue;
            }
            // No progress at the end of the file means the member was cut off.
            if (result != Z_OK) {
                status = ContainerStatus::DataError;
                break;
            }
        }
        Account(accounted, stream.next_out);
        return n - static_cast<int>(stream.avail_out);
    }
};

Container* ContainerOpen(const std::string& path) {
    if (path.empty()) return nullptr;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    auto container = std::make_unique<Container>();
    container->fd = fd;
    container->Fill();
    if (container->status == ContainerStatus::ReadError) return nullptr;  // a folder, for one

    const auto& in = container->input;
    if (container->stream.avail_in < 2 || in[0] != 0x1F || in[1] != 0x8B) {
        container->stored = true;
        return container.release();
    }
    if (inflateInit2(&container->stream, -MAX_WBITS) != Z_OK) return nullptr;
    container->inflaterReady = true;
    container->StartMember();
    container->status = container->ParseHeader();
    return container.release();
}

int ContainerRead(Container* container, void* buffer, int n) {
    if (!container) return -2;
    if (container->status == ContainerStatus::DataError || container->status == ContainerStatus::ReadError)
        return -1;
    if (container->status == ContainerStatus::StreamEnd || n <= 0) return 0;
    auto* out = static_cast<unsigned char*>(buffer);
    return container->stored ? container->ReadStored(out, n) : container->ReadCompressed(out, n);
}

void ContainerClose(Container* container) { delete container; }

bool ContainerRestartAt(Container* container, int64_t offset) {
    if (!container) return false;
    container->stream.avail_in = 0;
    container->filled = container->exposed = 0;
    container->endOfInput = false;
    container->restarted = true;
    if (offset < 0) {
        container->status = ContainerStatus::ReadError;
        return false;
    }
    container->filePosition = offset;
    container->status = ContainerStatus::Ok;
    if (container->inflaterReady) inflateReset(&container->stream);
    return true;
}

ContainerStatus ContainerState(const Container* container) {
    return container ? container->status : ContainerStatus::ReadError;
}

bool ContainerIsStored(const Container* container) { return container && container->stored; }

int64_t ContainerFileSize(const Container* container) {
    struct stat info {};
    if (!container || ::fstat(container->fd, &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

bool ContainerRawRead(Container* container, int64_t offset, void* buffer, std::size_t n) {
    if (!container || offset < 0) return false;
    return ReadAt(container->fd, static_cast<unsigned char*>(buffer), n, offset) ==
           static_cast<ssize_t>(n);
}

CountedRead ReadCountedChunks(
    const std::string& path, std::size_t unitBytes, std::size_t recordBytes,
    const std::function<void(int32_t count, std::string_view chunk)>& take) {
    CountedRead read;
    ContainerPtr container(ContainerOpen(path));
    unsigned char head[4];
    if (ContainerRead(container.get(), head, 4) != 4) return read;
    read.count = static_cast<int32_t>(
        static_cast<uint32_t>(head[0]) | static_cast<uint32_t>(head[1]) << 8 |
        static_cast<uint32_t>(head[2]) << 16 | static_cast<uint32_t>(head[3]) << 24);
    if (read.count < 0) {
        read.count = 0;
        return read;
    }
    // Chunk by chunk, so that a hostile count costs no more memory than the
    // file really delivers.
    const uint64_t wanted = static_cast<uint64_t>(read.count) * unitBytes;
    recordBytes = std::max<std::size_t>(recordBytes, 1);
    const std::size_t step = std::max<std::size_t>(1, (1 << 16) / recordBytes) * recordBytes;
    std::string chunk;
    uint64_t done = 0;
    while (done < wanted) {
        chunk.resize(static_cast<std::size_t>(std::min<uint64_t>(step, wanted - done)));
        const int got = std::max(
            ContainerRead(container.get(), chunk.data(), static_cast<int>(chunk.size())), 0);
        done += static_cast<uint64_t>(got);
        if (got > 0)
            take(read.count, std::string_view(chunk).substr(0, static_cast<std::size_t>(got)));
        if (got < static_cast<int>(chunk.size())) break;
    }
    // One more read checks the member's CRC and length behind the payload.
    char probe;
    ContainerRead(container.get(), &probe, 1);
    const ContainerStatus status = ContainerState(container.get());
    read.complete = done == wanted && status != ContainerStatus::DataError &&
                    status != ContainerStatus::ReadError;
    return read;
}

CountedBlock ReadCountedBlock(const std::string& path, std::size_t unitBytes) {
    CountedBlock block;
    // Room for the whole payload is taken at once, as growing step by step
    // would hold old and new copies together, but never more than the file
    // can expand to.
    std::error_code error;
    const uint64_t fileSize = std::filesystem::file_size(path, error);
    const CountedRead read =
        ReadCountedChunks(path, unitBytes, unitBytes, [&](int32_t count, std::string_view chunk) {
            if (block.payload.empty()) {
                const uint64_t wanted = static_cast<uint64_t>(count) * unitBytes;
                block.payload.reserve(static_cast<std::size_t>(
                    std::min<uint64_t>(wanted, kMaxDeflateExpansion * (error ? 0 : fileSize))));
            }
            block.payload.append(chunk);
        });
    block.count = read.count;
    block.complete = read.complete;
    return block;
}

ContainerContent ReadWholeContainer(const std::string& path) {
    ContainerContent content;
    ContainerPtr container(ContainerOpen(path));
    if (!container) return content;
    content.opened = true;
    content.stored = ContainerIsStored(container.get());
    constexpr int kChunk = 1 << 16;
    for (;;) {
        std::size_t start = content.bytes.size();
        content.bytes.resize(start + kChunk);
        int got = ContainerRead(container.get(), content.bytes.data() + start, kChunk);
        content.bytes.resize(start + static_cast<std::size_t>(std::max(got, 0)));
        if (got <= 0) break;
    }
    content.status = ContainerState(container.get());
    if (content.status == ContainerStatus::Ok) content.status = ContainerStatus::StreamEnd;
    return content;
}

}  // namespace pv
