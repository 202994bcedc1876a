#include "lexdb/WordTree.h"

#include <algorithm>
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
        pages_.emplace_back();
        holders_.push_back(0);
        return count() - 1;
    } catch (const std::exception& error) {
        Raise("Exception ", error, " in WordTree.NewPage");
    }
}

WordTree::Branch WordTree::FindBranch(WordNode node, char16_t ch) const {
    const int32_t next = Node(node).next;
    if (next < 0) return {false, 0};
    const Page& children = pages_[next];
    auto it = std::lower_bound(children.begin(), children.end(), ch,
                               [](const PageRec& entry, char16_t c) { return entry.ch < c; });
    const auto position = static_cast<int32_t>(it - children.begin());
    return {it != children.end() && it->ch == ch, position};
}

void WordTree::AddBranch(WordNode node, char16_t ch, int32_t position) {
    try {
        Page& children = pages_.at(static_cast<std::size_t>(Node(node).next));
        children.insert(children.begin() + position, PageRec{ch, -1});
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

std::optional<WordNode> WordTree::FindNode(std::u16string_view text) const {
    WordNode node = kRoot;
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
    Page copy = pages_[static_cast<std::size_t>(shared)];
    for (const PageRec& entry : copy)
        if (entry.next >= 0) ++holders_[static_cast<std::size_t>(entry.next)];
    const int32_t page = NewPage();
    pages_[static_cast<std::size_t>(page)] = std::move(copy);
    holders_[static_cast<std::size_t>(page)] = 1;
    --holders_[static_cast<std::size_t>(shared)];
    MutableNode(node).next = page;
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

void WordTree::LoadFromFile(const std::string& path) {
    const ContainerContent content = ReadWholeContainer(path);
    if (!content.opened) Corrupt(path, "cannot open");
    if (content.status != ContainerStatus::StreamEnd) Corrupt(path, "damaged container");
    ByteReader reader(content.bytes);
    const int32_t pageCount = reader.I32();
    if (!reader.ok() || pageCount < 1 || static_cast<std::size_t>(pageCount) > reader.remaining() / 4)
        Corrupt(path, "bad page count");
    std::vector<int32_t> sizes(static_cast<std::size_t>(pageCount));
    uint64_t nodes = 0;
    for (int32_t& size : sizes) {
        size = reader.I32();
        if (size < 0) Corrupt(path, "negative entry count");
        nodes += static_cast<uint64_t>(size);
    }
    if (!reader.ok() || nodes * 6 != reader.remaining()) Corrupt(path, "entry counts do not match the file");

    std::vector<Page> pages(sizes.size());
    std::vector<int32_t> holders(sizes.size());
    holders[0] = 1;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        pages[p].resize(static_cast<std::size_t>(sizes[p]));
        for (PageRec& entry : pages[p]) {
            entry.ch = reader.U16();
            entry.next = reader.I32();
            if (entry.next < -1 || entry.next >= pageCount) Corrupt(path, "link to a page that does not exist");
            if (entry.next >= 0) ++holders[static_cast<std::size_t>(entry.next)];
            // Binary search needs strictly ascending characters.
            if (&entry != pages[p].data() && (&entry)[-1].ch >= entry.ch) Corrupt(path, "page not sorted");
        }
    }
    pages_ = std::move(pages);
    holders_ = std::move(holders);
    root_ = PageRec{0, 0};
}

}  // namespace pv
