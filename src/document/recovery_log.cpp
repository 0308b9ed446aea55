#include "document/recovery_log.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace kinloom {

namespace {

constexpr uint32_t kFormatVersion = 1;
constexpr char kHeaderFrame = 'H';
constexpr char kStepFrame = 'S';

static_assert(std::endian::native == std::endian::little, "the log is little-endian and values are copied as they are");

// Little-endian like the host (the short strings assume it too), so a value is copied as it is.
void putU8(std::string& out, uint8_t v) { out.push_back(static_cast<char>(v)); }
void putU32(std::string& out, uint32_t v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); }
void putU64(std::string& out, uint64_t v) { out.append(reinterpret_cast<const char*>(&v), sizeof v); }
void putI32(std::string& out, int32_t v) { putU32(out, static_cast<uint32_t>(v)); }
void putText(std::string& out, std::string_view text) {
    putU8(out, static_cast<uint8_t>(text.size()));  // short strings hold at most 247 bytes
    out.append(text);
}
void putQString(std::string& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    putU32(out, static_cast<uint32_t>(utf8.size()));
    out.append(utf8.constData(), static_cast<size_t>(utf8.size()));
}

// Reads what the put functions wrote; every read past the end fails the whole payload.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == bytes_.size(); }
    uint64_t unsignedOf(int size) {
        if (!ok_ || bytes_.size() - at_ < static_cast<size_t>(size)) return ok_ = false, 0;
        uint64_t v = 0;
        for (int i = 0; i < size; ++i) v |= static_cast<uint64_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
        at_ += static_cast<size_t>(size);
        return v;
    }
    uint8_t u8() { return static_cast<uint8_t>(unsignedOf(1)); }
    uint32_t u32() { return static_cast<uint32_t>(unsignedOf(4)); }
    uint64_t u64() { return unsignedOf(8); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    std::string_view bytes(size_t size) {
        if (!ok_ || bytes_.size() - at_ < size) return ok_ = false, std::string_view{};
        const std::string_view v = bytes_.substr(at_, size);
        at_ += size;
        return v;
    }
    std::string_view text() { return bytes(u8()); }
    QString qstring() {
        const std::string_view v = bytes(u32());
        return QString::fromUtf8(v.data(), static_cast<qsizetype>(v.size()));
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    bool ok_ = true;
};

// Every text field of an item in the log's fixed order.
template <typename Item, typename F>
void forEachText(Item& p, F&& f) {
    f(p.FirstName), f(p.LastName), f(p.BornDate), f(p.DiedDate), f(p.Sex), f(p.PictureFile), f(p.NotesFile);
    f(p.Kind), f(p.BornPlace), f(p.DiedPlace), f(p.BaptizedDate), f(p.BaptizedPlace), f(p.Occupation);
    f(p.PictureText), f(p.Source), f(p.GedcomId), f(p.ChildFamilyRef), f(p.SpareRef);
    for (int i = 1; i <= kMaxSpouses; ++i) f(p.MarriageDate[i]), f(p.MarriagePlace[i]);
}

}  // namespace

uint64_t recoveryKey(const PersonItem* item) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(item)); }

uint32_t recoveryChecksum(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths as uInt: feed a large payload in pieces.
    while (!bytes.empty()) {
        const size_t n = std::min<size_t>(bytes.size(), 1u << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(n));
        bytes.remove_prefix(n);
    }
    return static_cast<uint32_t>(crc);
}

void appendRecoveryFrame(std::string& out, std::string_view payload) {
    putU32(out, static_cast<uint32_t>(payload.size()));
    putU32(out, recoveryChecksum(payload));
    out.append(payload);
}

std::string encodeRecoveryHeader(const RecoveryHeader& h) {
    std::string out;
    putU8(out, kHeaderFrame);
    putU32(out, kFormatVersion);
    putQString(out, h.fileName);
    putQString(out, h.label);
    putU8(out, static_cast<uint8_t>(h.base));
    putU64(out, static_cast<uint64_t>(h.baseSize));
    putU64(out, static_cast<uint64_t>(h.baseModified));
    putU32(out, static_cast<uint32_t>(h.baseKeys.size()));
    const size_t at = out.size();
    out.resize(at + 8 * h.baseKeys.size());
    if (!h.baseKeys.empty()) std::memcpy(out.data() + at, h.baseKeys.data(), 8 * h.baseKeys.size());  // little-endian
    return out;
}

std::optional<RecoveryHeader> decodeRecoveryHeader(std::string_view payload) {
    Reader in(payload);
    if (in.u8() != kHeaderFrame || in.u32() != kFormatVersion) return std::nullopt;
    RecoveryHeader h;
    h.fileName = in.qstring();
    h.label = in.qstring();
    const uint8_t base = in.u8();
    if (base > static_cast<uint8_t>(RecoveryBase::Snapshot)) return std::nullopt;
    h.base = static_cast<RecoveryBase>(base);
    h.baseSize = static_cast<qint64>(in.u64());
    h.baseModified = static_cast<qint64>(in.u64());
    const uint32_t count = in.u32();
    const std::string_view keys = in.bytes(8 * static_cast<size_t>(count));
    if (!in.ok() || !in.atEnd()) return std::nullopt;
    h.baseKeys.resize(count);
    if (count > 0) std::memcpy(h.baseKeys.data(), keys.data(), keys.size());
    return h;
}

RecoveryStepEncoder::RecoveryStepEncoder(qint64 changedAt, bool unsaved, int32_t lastId, const PersonItem* home) {
    putU8(bytes_, kStepFrame);
    putU64(bytes_, static_cast<uint64_t>(changedAt));
    putU8(bytes_, unsaved ? 1 : 0);
    putI32(bytes_, lastId);
    putU64(bytes_, recoveryKey(home));
    putU32(bytes_, 0);  // the record count, filled in by finish()
}

void RecoveryStepEncoder::reserve(size_t items, size_t places) {
    bytes_.reserve(bytes_.size() + items * 160 + places * 21);
}

void RecoveryStepEncoder::item(const PersonItem& p) {
    ++count_;
    putU8(bytes_, RecoveryRecord::Item);
    putU64(bytes_, recoveryKey(&p));
    putI32(bytes_, p.Id);
    forEachText(p, [this](const auto& text) { putText(bytes_, text.view()); });
    for (int i = 1; i <= kMaxSpouses; ++i) putU8(bytes_, static_cast<uint8_t>(p.SpouseType[i]));
    putU64(bytes_, recoveryKey(p.Father));
    putU64(bytes_, recoveryKey(p.Mother));
    for (int i = 1; i <= kMaxSpouses; ++i) putU64(bytes_, recoveryKey(p.Spouse[i]));
    putI32(bytes_, p.X);
    putI32(bytes_, p.Y);
    putI32(bytes_, p.ChildCount);
    putI32(bytes_, p.GedcomPos);
}

void RecoveryStepEncoder::move(const PersonItem* item, bool inStore, const PersonItem* prev) {
    ++count_;
    putU8(bytes_, RecoveryRecord::Move);
    putU64(bytes_, recoveryKey(item));
    putU8(bytes_, inStore ? 1 : 0);
    putU64(bytes_, recoveryKey(prev));
}

void RecoveryStepEncoder::place(const PersonItem& p) {
    // One append per record: an arrangement writes a million of them.
    ++count_;
    char record[21];
    record[0] = RecoveryRecord::Place;
    const uint64_t key = recoveryKey(&p);
    std::memcpy(record + 1, &key, 8);
    std::memcpy(record + 9, &p.X, 4);
    std::memcpy(record + 13, &p.Y, 4);
    std::memcpy(record + 17, &p.ChildCount, 4);
    bytes_.append(record, sizeof record);
}

std::string RecoveryStepEncoder::finish() {
    constexpr size_t countAt = 1 + 8 + 1 + 4 + 8;
    for (int i = 0; i < 4; ++i) bytes_[countAt + i] = static_cast<char>(count_ >> (8 * i));
    return std::move(bytes_);
}

std::optional<RecoveryStep> decodeRecoveryStep(std::string_view payload) {
    Reader in(payload);
    if (in.u8() != kStepFrame) return std::nullopt;
    RecoveryStep step;
    step.changedAt = static_cast<qint64>(in.u64());
    step.unsaved = in.u8() != 0;
    step.lastId = in.i32();
    step.home = in.u64();
    const uint32_t count = in.u32();
    // Each record takes at least 17 bytes: a count that the payload cannot hold is refused before
    // any memory is taken for it.
    if (!in.ok() || count > payload.size() / 17) return std::nullopt;
    step.records.resize(count);
    for (RecoveryRecord& r : step.records) {
        const uint8_t kind = in.u8();
        r.key = in.u64();
        if (kind == RecoveryRecord::Item) {
            r.kind = RecoveryRecord::Item;
            PersonItem& p = r.fields;
            p.Id = in.i32();
            forEachText(p, [&in](auto& text) { text.assign(in.text()); });
            for (int i = 1; i <= kMaxSpouses; ++i) p.SpouseType[i] = static_cast<char>(in.u8());
            r.father = in.u64();
            r.mother = in.u64();
            for (int i = 1; i <= kMaxSpouses; ++i) r.spouse[i] = in.u64();
            p.X = in.i32();
            p.Y = in.i32();
            p.ChildCount = in.i32();
            p.GedcomPos = in.i32();
        } else if (kind == RecoveryRecord::Move) {
            r.kind = RecoveryRecord::Move;
            r.inStore = in.u8() != 0;
            r.prev = in.u64();
        } else if (kind == RecoveryRecord::Place) {
            r.kind = RecoveryRecord::Place;
            r.fields.X = in.i32();
            r.fields.Y = in.i32();
            r.fields.ChildCount = in.i32();
        } else {
            return std::nullopt;
        }
        if (!in.ok()) return std::nullopt;
    }
    if (!in.atEnd()) return std::nullopt;
    return step;
}

std::vector<std::string_view> recoveryFrames(std::string_view log) {
    std::vector<std::string_view> frames;
    if (log.size() < sizeof kRecoveryMagic || std::memcmp(log.data(), kRecoveryMagic, sizeof kRecoveryMagic) != 0)
        return frames;
    Reader in(log.substr(sizeof kRecoveryMagic));
    for (;;) {
        const uint32_t size = in.u32();
        const uint32_t checksum = in.u32();
        const std::string_view payload = in.bytes(size);
        if (!in.ok() || recoveryChecksum(payload) != checksum) break;
        frames.push_back(payload);
    }
    return frames;
}

}  // namespace kinloom
