// Loading of the fifteen phrase table files into PhraseTables.
#include "morphology/PhraseTables.h"

#include <algorithm>
#include <string_view>

#include "engine/CollocationInstances.h"
#include "lexdb/ByteReader.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/Container.h"
#include "lexdb/DataPath.h"
#include "morphology/PhraseFiles.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

// Calls read once per complete record of the file; a file that is missing,
// damaged or announces more than the cap gives no records.
template <typename Read>
void ForEachRecord(const std::string& base, const char* name, std::size_t recordSize, Read read) {
    const CountedBlock block = ReadCountedBlock(ResolveDataPath(base, name));
    if (!block.complete || block.count > kMaxPhraseTableBytes) return;
    const std::string_view payload = block.payload;
    for (std::size_t at = 0; at + recordSize <= payload.size(); at += recordSize) {
        ByteReader in(payload.substr(at, recordSize));
        read(in);
    }
}

// A length byte followed by room bytes of UTF-8.
std::u16string ReadText(ByteReader& in, std::size_t room) {
    const std::size_t length = std::min<std::size_t>(in.U8(), room);
    const std::string_view field = in.Bytes(room);
    return Utf8Decode(field.substr(0, std::min(length, field.size())));
}

double ReadScore(ByteReader& in) { return in.I32() / kPhraseScoreScale; }

template <typename T>
T* Item(std::vector<T>& items, int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
    return &items[index];
}

// The list of a slot, grown to slot + 1 lists; null for a slot out of range.
WordCondsArray* SlotList(std::vector<WordCondsArray>& slots, int32_t slot) {
    if (slot < 0 || slot >= kMaxPhraseSlots) return nullptr;
    if (static_cast<std::size_t>(slot) >= slots.size()) slots.resize(static_cast<std::size_t>(slot) + 1);
    return &slots[slot];
}

WordCond ReadCondition(ByteReader& in) {
    WordCond cond;
    cond.value = in.I32();
    cond.mode = in.U8();
    return cond;
}

PhraseRelation ReadRelation(ByteReader& in) {
    PhraseRelation r;
    r.type = in.U16();
    r.a = in.I32();
    r.b = in.I32();
    r.c = in.U8();
    return r;
}

int32_t AddEntryInstance(CollocationInstances& instances, int32_t entryId) {
    return instances.AddCollocation(LoadCollocationFromFile(entryId), -1);
}

}  // namespace

void PhraseTables::Load(const std::string& base, CollocationInstances& instances) {
    phrases.clear();
    synthPhrases.clear();

    ForEachRecord(base, kPhrasesFile, kPhraseRecordSize, [&](ByteReader& in) {
        PhraseEntry& phrase = phrases.emplace_back();
        phrase.p1 = in.I32();
        phrase.p2 = in.I32();
        phrase.p3 = in.I32();
        phrase.b1 = in.U8();
        phrase.b2 = in.U8();
        phrase.score1 = ReadScore(in);
        phrase.score2 = ReadScore(in);
        const int32_t entryId = in.I32();
        phrase.name = ReadText(in, kPhraseNameRoom);
        if (entryId > 0) phrase.entryInstance = AddEntryInstance(instances, entryId);
    });

    ForEachRecord(base, kSynthPhrasesFile, kSynthPhraseRecordSize,
                  [&](ByteReader& in) { synthPhrases.emplace_back().value = in.I32(); });

    ForEachRecord(base, kPhraseConditionsFile, kPhraseConditionRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        const int32_t slot = in.I32();
        const WordCond cond = ReadCondition(in);
        const int32_t anchor = in.I32();
        if (!phrase) return;
        WordCondsArray* conds = SlotList(phrase->slotConditions, slot);
        if (!conds) return;
        conds->push_back(cond);
        phrase->anchors.resize(phrase->slotConditions.size(), 0);
        phrase->anchors[slot] = anchor;
    });

    ForEachRecord(base, kPhraseSFile, kPhraseSRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        PhraseSElement e;
        e.a = in.I32();
        e.b = in.I32();
        e.c = in.U8();
        e.d = in.I32();
        if (phrase) phrase->s.push_back(e);
    });

    ForEachRecord(base, kPhraseIFile, kPhraseIRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        PhraseIElement e;
        e.a = in.I32();
        e.b = in.I32();
        e.c = in.U8();
        if (phrase) phrase->i.push_back(e);
    });

    ForEachRecord(base, kPhraseAttributesFile, kPhraseAttributeRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        const WordCond cond = ReadCondition(in);
        if (phrase) phrase->conditions.push_back(cond);
    });

    ForEachRecord(base, kPhraseJFile, kPhraseJRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        PhraseJElement e;
        e.a = in.I16();
        e.b = in.I16();
        e.c = in.U8();
        if (phrase) phrase->j.push_back(e);
    });

    ForEachRecord(base, kPhraseRelationsFile, kPhraseRelationRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        const PhraseRelation r = ReadRelation(in);
        if (phrase) phrase->relations.push_back(r);
    });

    ForEachRecord(base, kSynthRelationsFile, kSynthRelationRecordSize, [&](ByteReader& in) {
        SynthPhraseEntry* synth = Item(synthPhrases, in.I32());
        const PhraseRelation r = ReadRelation(in);
        if (synth) synth->relations.push_back(r);
    });

    ForEachRecord(base, kSynthLinksFile, kSynthLinkRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        PhraseLink link;
        link.synth = in.I32();
        link.weight = ReadScore(in);
        if (phrase && Item(synthPhrases, link.synth)) phrase->links.push_back(link);
    });

    ForEachRecord(base, kBuildStepsFile, kBuildStepRecordSize, [&](ByteReader& in) {
        SynthPhraseEntry* synth = Item(synthPhrases, in.I32());
        BuildStep step;
        step.a = in.I32();
        step.b = in.I32();
        step.c = in.U8();
        step.text1 = ReadText(in, kBuildText1Room);
        step.text2 = ReadText(in, kBuildText2Room);
        if (synth) synth->steps.push_back(std::move(step));
    });

    ForEachRecord(base, kBuildConditionsFile, kBuildConditionRecordSize, [&](ByteReader& in) {
        SynthPhraseEntry* synth = Item(synthPhrases, in.I32());
        const int32_t build = in.I32();
        const WordCond cond = ReadCondition(in);
        if (!synth) return;
        if (BuildStep* step = Item(synth->steps, build)) step->conditions.push_back(cond);
    });

    // The assignment and slot-condition files share one layout.
    auto slotConditionReader = [&](std::vector<WordCondsArray> BuildStep::*lists) {
        return [&, lists](ByteReader& in) {
            SynthPhraseEntry* synth = Item(synthPhrases, in.I32());
            const int32_t build = in.I32();
            const int32_t slot = in.I32();
            const WordCond cond = ReadCondition(in);
            BuildStep* step = synth ? Item(synth->steps, build) : nullptr;
            if (!step) return;
            if (WordCondsArray* conds = SlotList(step->*lists, slot)) conds->push_back(cond);
        };
    };
    ForEachRecord(base, kBuildAssignmentsFile, kBuildAssignmentRecordSize,
                  slotConditionReader(&BuildStep::assignments));
    ForEachRecord(base, kBuildSlotConditionsFile, kBuildSlotConditionRecordSize,
                  slotConditionReader(&BuildStep::slotConditions));

    ForEachRecord(base, kPhrasePFile, kPhrasePRecordSize, [&](ByteReader& in) {
        PhraseEntry* phrase = Item(phrases, in.I32());
        PhrasePElement e;
        e.a = in.I16();
        const int32_t entryId = in.I32();
        e.b = in.I32();
        if (!phrase) return;
        if (entryId >= 0) e.entryInstance = AddEntryInstance(instances, entryId);
        phrase->p.push_back(e);
    });
}

}  // namespace pv
