#include "lexdb/WordTree.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "engine/EngineError.h"
#include "lexdb/ByteReader.h"
#include "lexdb/Container.h"

namespace pv {

namespace {

[[noreturn]] void Raise(const std::string& before, const std::exception& cause, const std::string& after) {
    throw EngineError(before + cause.what() + after);
}

[[noreturn]] void Corrupt(const std::string& path, const std::string& what) {
    throw EngineError("WordTree.LoadFromFile: " + path + ": " + what);
}

}  // namespace

WordTree::WordTree() {
    root_.next = NewPage();
    holders_[0] = 1;
}

int32_t WordTree::NewPage() {
    try {
        spans_.push_back(PageSpan{static_cast<uint32_t>(nodes_.size()), 0, 0});
        holders_.push_back(0);
        return count() - 1;
    } catch (const std::exception& error) {
        Raise("Exception ", error, " in WordTree.NewPage");
    }
}

WordTree::Branch WordTree::FindBranch(WordNode node, char16_t ch) const {
    const int32_t next = Node(node).next;
    if (next < 0) return {false, 0};
    const Page children = page(next);
    auto it = std::lower_bound(children.begin(), children.end(), ch,
                               [](const PageRec& entry, char16_t c) { return entry.ch < c; });
    const auto position = static_cast<int32_t>(it - children.begin());
    return {it != children.end() && it->ch == ch, position};
}

void WordTree::AddBranch(WordNode node, char16_t ch, int32_t position) {
    try {
        const int32_t next = Node(node).next;
        const PageSpan& span = spans_.at(static_cast<std::size_t>(next));
        if (span.size == span.capacity) MovePage(next, std::max<uint32_t>(4, 2 * span.capacity));
        PageSpan& room = spans_[static_cast<std::size_t>(next)];
        const auto begin = nodes_.begin() + room.start;
        std::copy_backward(begin + position, begin + room.size, begin + room.size + 1);
        begin[position] = PageRec{ch, -1};
        ++room.size;
    } catch (const std::exception& error) {
        Raise("Exception ", error, " in WordTree.AddBranch");
    }
}

std::optional<WordNode> WordTree::AddToPage(std::u16string_view text, WordNode node) {
    if (text.empty()) return std::nullopt;
    try {
        for (char16_t c : text) {
            OwnChildren(node);
            const Branch branch = FindBranch(node, c);
            if (!branch.found) {
                if (Node(node).next < 0) {
                    const int32_t page = NewPage();
                    MutableNode(node).next = page;  // taken afresh: NewPage may grow the page array
                    holders_[static_cast<std::size_t>(page)] = 1;
                }
                AddBranch(node, c, branch.position);
            }
            node = WordNode{Node(node).next, branch.position};
        }
        return node;
    } catch (const std::exception& error) {
        Raise("Exception [", error, "] in WordTree.AddToPage");
    }
}

std::optional<WordNode> WordTree::FindNode(std::u16string_view text, WordNode from) const {
    WordNode node = from;
    for (char16_t c : text) {
        const Branch branch = FindBranch(node, c);
        if (!branch.found) return std::nullopt;
        node = WordNode{Node(node).next, branch.position};
    }
    return node;
}

void WordTree::OwnChildren(WordNode node) {
    const int32_t shared = Node(node).next;
    if (shared < 0 || holders_[static_cast<std::size_t>(shared)] <= 1) return;
    for (const PageRec& entry : page(shared))
        if (entry.next >= 0) ++holders_[static_cast<std::size_t>(entry.next)];
    const int32_t page = NewPage();
    spans_[static_cast<std::size_t>(page)] = spans_[static_cast<std::size_t>(shared)];
    MovePage(page, spans_[static_cast<std::size_t>(page)].size);
    holders_[static_cast<std::size_t>(page)] = 1;
    --holders_[static_cast<std::size_t>(shared)];
    MutableNode(node).next = page;
}

void WordTree::MovePage(int32_t page, uint32_t capacity) {
    PageSpan& span = spans_[static_cast<std::size_t>(page)];
    const std::size_t start = nodes_.size();
    if (start + capacity > UINT32_MAX) throw EngineError("WordTree: more than 2^32 entries");
    nodes_.resize(start + capacity);
    std::copy_n(nodes_.begin() + span.start, span.size, nodes_.begin() + static_cast<std::ptrdiff_t>(start));
    span.start = static_cast<uint32_t>(start);
    span.capacity = capacity;
}

void WordTree::SetNext(WordNode node, int32_t page) {
    if (page < -1 || page >= count()) throw EngineError("WordTree.SetNext: no page " + std::to_string(page));
    const int32_t old = Node(node).next;
    if (old >= 0) --holders_[static_cast<std::size_t>(old)];
    if (page >= 0) ++holders_[static_cast<std::size_t>(page)];
    MutableNode(node).next = page;
}

void WordTree::Share(int32_t page) {
    if (page < 0 || page >= count()) throw EngineError("WordTree.Share: no page " + std::to_string(page));
    ++holders_[static_cast<std::size_t>(page)];
}

void WordTree::DropUnreachablePages() {
    std::vector<bool> reached(spans_.size());
    std::vector<int32_t> pending{root_.next};
    reached[static_cast<std::size_t>(root_.next)] = true;
    while (!pending.empty()) {
        const int32_t number = pending.back();
        pending.pop_back();
        for (const PageRec& entry : page(number))
            if (entry.next >= 0 && !reached[static_cast<std::size_t>(entry.next)]) {
                reached[static_cast<std::size_t>(entry.next)] = true;
                pending.push_back(entry.next);
            }
    }
    std::vector<int32_t> renumbered(spans_.size(), -1);
    int32_t kept = 0;
    for (std::size_t p = 0; p < spans_.size(); ++p)
        if (reached[p]) renumbered[p] = kept++;
    // The kept pages packed into fresh arrays, without the room left behind
    // by pages that moved.
    std::vector<PageRec> nodes;
    std::vector<PageSpan> spans;
    spans.reserve(static_cast<std::size_t>(kept));
    std::vector<int32_t> holders(static_cast<std::size_t>(kept));
    for (std::size_t p = 0; p < spans_.size(); ++p) {
        if (!reached[p]) continue;
        const auto start = static_cast<uint32_t>(nodes.size());
        for (PageRec entry : page(static_cast<int32_t>(p))) {
            if (entry.next >= 0) {
                entry.next = renumbered[static_cast<std::size_t>(entry.next)];
                ++holders[static_cast<std::size_t>(entry.next)];
            }
            nodes.push_back(entry);
        }
        spans.push_back(PageSpan{start, spans_[p].size, spans_[p].size});
    }
    root_.next = renumbered[static_cast<std::size_t>(root_.next)];
    ++holders[static_cast<std::size_t>(root_.next)];
    nodes_ = std::move(nodes);
    spans_ = std::move(spans);
    holders_ = std::move(holders);
}

void WordTree::LoadFromFile(const std::string& path) {
    // The file is read a chunk at a time: held whole, it would double the
    // memory that the largest table of the engine takes while it loads.
    ContainerPtr container(ContainerOpen(path));
    if (!container) Corrupt(path, "cannot open");
    // Exactly n more bytes of the content, or the reason why not.
    std::string chunk;
    auto next = [&](std::size_t n, const char* shortWhat) {
        chunk.resize(n);
        const int got = ContainerRead(container.get(), chunk.data(), static_cast<int>(n));
        const ContainerStatus status = ContainerState(container.get());
        if (status == ContainerStatus::DataError || status == ContainerStatus::ReadError)
            Corrupt(path, "damaged container");
        if (got != static_cast<int>(n)) Corrupt(path, shortWhat);
        return ByteReader(chunk);
    };
    constexpr std::size_t kChunkItems = 8192;

    const int32_t pageCount = next(4, "bad page count").I32();
    if (pageCount < 1) Corrupt(path, "bad page count");
    std::vector<int32_t> sizes;
    uint64_t nodes = 0;
    while (sizes.size() < static_cast<std::size_t>(pageCount)) {
        const std::size_t n =
            std::min(kChunkItems, static_cast<std::size_t>(pageCount) - sizes.size());
        ByteReader reader = next(4 * n, "bad page count");
        for (std::size_t k = 0; k < n; ++k) {
            const int32_t size = reader.I32();
            if (size < 0) Corrupt(path, "negative entry count");
            sizes.push_back(size);
            nodes += static_cast<uint64_t>(size);
        }
    }
    if (nodes > UINT32_MAX) Corrupt(path, "too many entries");

    // Pages lie in file order, each in a run of exactly its size. Room is
    // taken for no more nodes than the file can hold.
    const auto fileSize =
        static_cast<uint64_t>(std::max<int64_t>(ContainerFileSize(container.get()), 0));
    std::vector<PageRec> entries;
    entries.reserve(static_cast<std::size_t>(std::min(nodes, kMaxDeflateExpansion * fileSize / 6)));
    std::vector<PageSpan> spans(sizes.size());
    std::vector<int32_t> holders(sizes.size());
    holders[0] = 1;
    ByteReader reader("");
    uint64_t unread = nodes;
    for (std::size_t p = 0; p < spans.size(); ++p) {
        const auto start = static_cast<uint32_t>(entries.size());
        const auto size = static_cast<uint32_t>(sizes[p]);
        spans[p] = PageSpan{start, size, size};
        for (uint32_t i = start; i < start + size; ++i) {
            if (reader.remaining() == 0) {
                const auto n = static_cast<std::size_t>(std::min<uint64_t>(kChunkItems, unread));
                reader = next(6 * n, "entry counts do not match the file");
                unread -= n;
            }
            PageRec entry;
            entry.ch = reader.U16();
            entry.next = reader.I32();
            if (entry.next < -1 || entry.next >= pageCount) Corrupt(path, "link to a page that does not exist");
            if (entry.next >= 0) ++holders[static_cast<std::size_t>(entry.next)];
            // Binary search needs strictly ascending characters.
            if (i > start && entries.back().ch >= entry.ch) Corrupt(path, "page not sorted");
            entries.push_back(entry);
        }
    }
    // Nothing may follow, and a compressed content ends with its checksum.
    char probe;
    const int trailing = ContainerRead(container.get(), &probe, 1);
    const ContainerStatus status = ContainerState(container.get());
    if (status == ContainerStatus::DataError || status == ContainerStatus::ReadError)
        Corrupt(path, "damaged container");
    if (trailing != 0) Corrupt(path, "entry counts do not match the file");
    nodes_ = std::move(entries);
    spans_ = std::move(spans);
    holders_ = std::move(holders);
    root_ = PageRec{0, 0};
}

}  // namespace pv
