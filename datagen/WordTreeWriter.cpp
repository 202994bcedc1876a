#include "datagen/WordTreeWriter.h"

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"

namespace pv {

std::string WordTreeContent(const WordTree& tree) {
    if (tree.Node(WordTree::kRoot).next != 0) throw WriterError("word trie whose root page is not page 0");
    ByteWriter w;
    w.I32(tree.count());
    for (int32_t p = 0; p < tree.count(); ++p) w.I32(static_cast<int32_t>(tree.page(p).size()));
    for (int32_t p = 0; p < tree.count(); ++p) {
        const Page& page = tree.page(p);
        for (std::size_t i = 0; i < page.size(); ++i) {
            if (i > 0 && page[i - 1].ch >= page[i].ch) throw WriterError("word trie page not sorted");
            if (page[i].next < -1 || page[i].next >= tree.count()) throw WriterError("word trie link out of range");
            w.U16(page[i].ch);
            w.I32(page[i].next);
        }
    }
    return w.bytes();
}

void WriteWordTreeFile(const std::string& path, const WordTree& tree) {
    WriteContainer(path, WordTreeContent(tree));
}

}  // namespace pv
