#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace kinloom {

// Lines kept in reading order, each a small kind number and a value, packed one after the other:
// a kind byte, a length byte (or 255 and four more bytes for a value of 255 bytes or longer) and
// the value's bytes. They lie in blocks of 1 MiB that are never moved or copied, so a file of a
// million families keeps its family lines in a few bytes each and fills fresh memory only once,
// rather than growing an array by doubling and copying it each time.
class KeptLines {
public:
    static constexpr size_t kBlockBytes = size_t{1} << 20;

    void clear() { blocks_.clear(); }
    bool empty() const { return blocks_.empty(); }
    void append(uint8_t kind, std::string_view value);
    // Gives the last line appended a new value (a value continued on the lines below it).
    void replaceLastValue(std::string_view value);

    // Calls visit(kind, value) for each line in the order appended.
    template <typename Visit>
    void forEach(Visit&& visit) const {
        for (const Block& block : blocks_) {
            for (size_t at = 0; at < block.used;) {
                const Line line = lineAt(block, at);
                visit(line.kind, line.value);
                at = line.end;
            }
        }
    }

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        size_t size = 0;
        size_t used = 0;
        size_t lastLine = 0;  // where the block's last line starts
    };
    struct Line {
        uint8_t kind;
        std::string_view value;
        size_t end;  // where the next line starts
    };
    static Line lineAt(const Block& block, size_t at);

    std::vector<Block> blocks_;
};

}  // namespace kinloom
