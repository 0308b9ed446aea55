#pragma once
#include "document/person_item.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinloom {

// The crash recovery log of one document: a header that names the tree it starts from, then one
// frame per completed step with the full state of every item the step changed. A frame is
//   u32 payload length, u32 CRC-32 of the payload, payload
// (little-endian), so a frame cut short by a killed process, or garbage after it, is recognised
// and ignored: the tree recovered is the one after the last whole step.
//
// Items are named by keys that stay the same for an item's whole life in the store (its address);
// a key reused after an item was freed for good only ever names the new item from then on.

inline constexpr char kRecoveryMagic[8] = {'K', 'L', 'R', 'E', 'C', 'O', 'V', '1'};

// Where the log's tree starts from.
enum class RecoveryBase : uint8_t {
    Empty = 0,     // an empty tree
    TreeFile = 1,  // the tree file named in the header, unchanged since (size and time checked)
    Snapshot = 2,  // the first step frame holds every item
};

struct RecoveryHeader {
    QString fileName;  // the document's own file; empty when untitled
    QString label;     // how the offer names the tree ("family.kl3", "Untitled tree")
    RecoveryBase base = RecoveryBase::Empty;
    qint64 baseSize = 0;
    qint64 baseModified = 0;         // ms since the epoch
    std::vector<uint64_t> baseKeys;  // TreeFile: the key of each record, in file order
};

uint64_t recoveryKey(const PersonItem* item);

// CRC-32 as zlib and PNG compute it.
uint32_t recoveryChecksum(std::string_view bytes);

// Appends a frame holding `payload` to `out`.
void appendRecoveryFrame(std::string& out, std::string_view payload);

std::string encodeRecoveryHeader(const RecoveryHeader& header);

// Builds the payload of one step frame.
class RecoveryStepEncoder {
public:
    // `changedAt` in ms since the epoch; `unsaved`: the tree differs from its file after the step.
    RecoveryStepEncoder(qint64 changedAt, bool unsaved, int32_t lastId, const PersonItem* home);
    // Makes room for about this many records of each kind.
    void reserve(size_t items, size_t places);
    // The item's full state, links as keys.
    void item(const PersonItem& item);
    // The item left the list (null `to.inStore`) or now follows `to.prev` (null = first).
    void move(const PersonItem* item, bool inStore, const PersonItem* prev);
    void place(const PersonItem& item);
    size_t recordCount() const { return count_; }
    // The payload; the encoder is spent.
    std::string finish();

private:
    std::string bytes_;
    uint32_t count_ = 0;
};

// One record of a step, read back.
struct RecoveryRecord {
    enum Kind : uint8_t { Item = 'I', Move = 'M', Place = 'P' } kind = Item;
    uint64_t key = 0;
    // Item: the fields (links null) and the links as keys; Place: X, Y, ChildCount.
    PersonItem fields;
    uint64_t father = 0, mother = 0;
    std::array<uint64_t, kMaxSpouses + 1> spouse{};
    // Move
    bool inStore = false;
    uint64_t prev = 0;
};

struct RecoveryStep {
    qint64 changedAt = 0;
    bool unsaved = false;
    int32_t lastId = 0;
    uint64_t home = 0;
    std::vector<RecoveryRecord> records;
};

// Readers of whole payloads; nullopt when the payload is not one (never reads past it).
std::optional<RecoveryHeader> decodeRecoveryHeader(std::string_view payload);
std::optional<RecoveryStep> decodeRecoveryStep(std::string_view payload);

// Splits a log into the payloads of its whole frames, stopping at the first frame that is cut
// short or fails its checksum. Empty when the magic is missing.
std::vector<std::string_view> recoveryFrames(std::string_view log);

}  // namespace kinloom
