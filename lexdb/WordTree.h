// The word-form trie: which strings begin some known word form. Nodes carry
// no end mark, so the trie records prefixes only. Pages (the sorted children
// of one node) may be shared by several nodes, so the structure is a
// directed acyclic graph over pages. A shared page is never changed in
// place: an insertion below it first gives the node on the way a copy of
// its own, so sharing never adds words to the other holders of the page.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

// One node: the character of the edge leading to it and the page of its
// children (-1: none). The same 6 bytes are stored in the file.
struct PageRec {
    char16_t ch = 0;
    int32_t next = -1;
};

using Page = std::span<const PageRec>;  // sorted by ch, unsigned, no repeats

// A reference to a node by page and entry number, never by address, so it
// survives the growth of the page array and of other pages. Page -1 is the
// root.
struct WordNode {
    int32_t page = -1;
    int32_t index = 0;
    bool operator==(const WordNode&) const = default;
};

class WordTree {
public:
    static constexpr WordNode kRoot{};

    struct Branch {
        bool found = false;
        int32_t position = 0;  // the entry, or where ch would be inserted
    };

    WordTree();  // one empty root page

    // A new empty page; its number is the count before the call.
    int32_t NewPage();
    Branch FindBranch(WordNode node, char16_t ch) const;
    // Inserts (ch, -1) at position of node's child page.
    void AddBranch(WordNode node, char16_t ch, int32_t position);
    // Walks text from node, adding what is missing; the node of the last
    // character, none for an empty text. Every page on the way from node to
    // the result becomes that node's own (a shared page is copied), so the
    // result may take another page with SetNext.
    std::optional<WordNode> AddToPage(std::u16string_view text, WordNode node);
    std::optional<WordNode> AddWord(std::u16string_view text) { return AddToPage(text, kRoot); }
    // The node reached by walking text down from `from`: none as soon as a
    // character is missing; `from` itself for an empty text.
    std::optional<WordNode> FindNode(std::u16string_view text, WordNode from = kRoot) const;
    bool HasPrefix(std::u16string_view text) const { return FindNode(text).has_value(); }

    // Replaces the tree with the stored trie ("DATA\WORDS.GLS"). Throws
    // EngineError for a missing, damaged or inconsistent file and leaves the
    // tree as it was.
    void LoadFromFile(const std::string& path);

    const PageRec& Node(WordNode node) const {
        return node.page < 0 ? root_ : nodes_[spans_[node.page].start + node.index];
    }
    // Lets node share an existing page of children (a page of endings).
    // Throws EngineError for a page that does not exist. The page must not
    // lead back to node (AddToPage's result never lies below a shared page).
    void SetNext(WordNode node, int32_t page);
    // Counts one more holder of page, so that no later insertion changes it
    // in place: a page of endings kept for nodes that will share it.
    void Share(int32_t page);
    // Removes the pages that no node leads to (a shared page whose holders
    // all took copies), renumbering the others in their order.
    void DropUnreachablePages();

    int32_t count() const { return static_cast<int32_t>(spans_.size()); }
    // Valid until the next change of the tree.
    Page page(int32_t number) const {
        const PageSpan& span = spans_[number];
        return {nodes_.data() + span.start, span.size};
    }

private:
    // Where a page's entries lie in nodes_; room for capacity entries.
    struct PageSpan {
        uint32_t start = 0;
        uint32_t size = 0;
        uint32_t capacity = 0;
    };

    PageRec& MutableNode(WordNode node) {
        return node.page < 0 ? root_ : nodes_[spans_[node.page].start + node.index];
    }
    // Moves page to fresh room for capacity entries at the end of nodes_.
    void MovePage(int32_t page, uint32_t capacity);
    // Gives node a copy of its page of children when that page has other
    // holders.
    void OwnChildren(WordNode node);

    PageRec root_;
    // The entries of every page, each page in one run: a trie of millions of
    // pages loads into two arrays instead of millions of small ones. A page
    // that outgrows its room moves to the end, leaving its old room unused.
    std::vector<PageRec> nodes_;
    std::vector<PageSpan> spans_;
    std::vector<int32_t> holders_;  // per page: the nodes linking to it, plus the Share calls
};

}  // namespace pv
