#include <algorithm>
#include <exception>
#include <vector>

#include "datagen/pvdata/Commands.h"
#include "lexdb/Container.h"
#include "lexdb/FileCacher.h"

namespace pv {

namespace {

constexpr int kChunk = 1 << 16;

int CatContainer(const std::string& path, std::ostream& out, std::ostream& err) {
    ContainerPtr container(ContainerOpen(path));
    if (!container) {
        err << "pvdata cat: cannot open " << path << "\n";
        return 1;
    }
    std::vector<char> buffer(kChunk);
    long long delivered = 0;
    for (int got; (got = ContainerRead(container.get(), buffer.data(), kChunk)) > 0;) {
        out.write(buffer.data(), got);
        delivered += got;
    }
    out.flush();
    switch (ContainerState(container.get())) {
    case ContainerStatus::DataError:
        err << "pvdata cat: " << path << ": data error after " << delivered
            << " bytes (damaged or truncated member)\n";
        return 1;
    case ContainerStatus::ReadError:
        err << "pvdata cat: " << path << ": read error after " << delivered << " bytes\n";
        return 1;
    default:
        break;
    }
    if (ContainerIsStored(container.get()))
        err << "pvdata cat: " << path << " does not begin with a gzip member; wrote its " << delivered
            << " descrambled bytes (stored mode)\n";
    return 0;
}

int CatCached(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        FileCacher cacher(path);
        std::vector<char> buffer(kChunk);
        for (int64_t position = 0; position < cacher.size(); position += kChunk) {
            const int32_t count = static_cast<int32_t>(std::min<int64_t>(kChunk, cacher.size() - position));
            cacher.Read(position, buffer.data(), count);
            out.write(buffer.data(), count);
        }
        out.flush();
        int damaged = 0;
        for (int32_t index = 0; index < cacher.blockCount(); ++index)
            if (cacher.IsCached(index) && cacher.IsDamaged(index)) {
                err << "pvdata cat: " << path << ": block " << index << " (bytes from "
                    << static_cast<int64_t>(index) * FileCacher::kBlockSize
                    << ") is damaged; its undecoded bytes were written as zeros\n";
                ++damaged;
            }
        return damaged > 0 ? 1 : 0;
    } catch (const std::exception& error) {
        out.flush();
        err << "pvdata cat: " << error.what() << "\n";
        return 1;
    }
}

}  // namespace

int RunCat(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool cached = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (arg == "--cached") cached = true;
        else if (arg.size() > 1 && arg[0] == '-') {
            err << "pvdata cat: unknown option " << arg << "\nusage: pvdata cat [--cached] FILE\n";
            return 2;
        } else
            files.push_back(arg);
    }
    if (files.size() != 1) {
        err << "usage: pvdata cat [--cached] FILE\n";
        return 2;
    }
    return cached ? CatCached(files[0], out, err) : CatContainer(files[0], out, err);
}

}  // namespace pv
