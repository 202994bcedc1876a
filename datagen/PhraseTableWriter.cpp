#include "datagen/PhraseTableWriter.h"

#include <cmath>
#include <limits>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/PhraseFiles.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

std::string Where(const char* kind, std::size_t index) { return std::string(kind) + " " + std::to_string(index); }

void PutMode(ByteWriter& out, int32_t mode, const std::string& where) {
    if (mode < 0 || mode > 0xFF) throw WriterError(where + ": condition mode " + std::to_string(mode) + " does not fit in one byte");
    out.U8(static_cast<uint8_t>(mode));
}

void PutCondition(ByteWriter& out, const WordCond& cond, const std::string& where) {
    out.I32(cond.value);
    PutMode(out, cond.mode, where);
}

void PutScore(ByteWriter& out, double score, const std::string& where) {
    const double stored = std::round(score * kPhraseScoreScale);
    if (!std::isfinite(stored) || stored < std::numeric_limits<int32_t>::min() ||
        stored > std::numeric_limits<int32_t>::max())
        throw WriterError(where + ": score " + std::to_string(score) + " cannot be stored in thousandths");
    out.I32(static_cast<int32_t>(stored));
}

void PutI16(ByteWriter& out, int32_t value, const std::string& where) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        throw WriterError(where + ": " + std::to_string(value) + " does not fit in 16 bits");
    out.I16(static_cast<int16_t>(value));
}

void PutText(ByteWriter& out, const std::string& text, std::size_t room, const std::string& where) {
    if (text.size() > room)
        throw WriterError(where + ": text of " + std::to_string(text.size()) + " bytes is longer than " +
                          std::to_string(room));
    if (FindInvalidUtf8(text) != std::string::npos) throw WriterError(where + ": text is not UTF-8");
    out.U8(static_cast<uint8_t>(text.size()));
    out.Bytes(text);
    out.Bytes(std::string(room - text.size(), '\0'));
}

void PutRelation(ByteWriter& out, const PhraseRelation& r, const std::string& where) {
    if (r.type < 0 || r.type > 0xFFFF)
        throw WriterError(where + ": relation type " + std::to_string(r.type) + " does not fit in 16 bits");
    out.U16(static_cast<uint16_t>(r.type));
    out.I32(r.a);
    out.I32(r.b);
    out.U8(r.c);
}

// Slot lists are rebuilt from their conditions: the last slot must have some.
void CheckSlotLists(std::size_t count, bool lastIsEmpty, const std::string& where) {
    if (count > static_cast<std::size_t>(kMaxPhraseSlots))
        throw WriterError(where + ": " + std::to_string(count) + " slots, at most " +
                          std::to_string(kMaxPhraseSlots) + " can be read");
    if (count > 0 && lastIsEmpty) throw WriterError(where + ": the last slot has no conditions");
}

// Writes one record per condition of each slot list.
void PutSlotConditions(ByteWriter& out, int32_t synth, int32_t build, const std::vector<WordCondsArray>& slots,
                       const std::string& where) {
    CheckSlotLists(slots.size(), !slots.empty() && slots.back().empty(), where);
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        for (const WordCond& cond : slots[slot]) {
            out.I32(synth);
            out.I32(build);
            out.I32(static_cast<int32_t>(slot));
            PutCondition(out, cond, where);
        }
}

}  // namespace

std::vector<std::pair<const char*, std::string>> EncodePhraseTables(const PhraseTableSet& tables) {
    const std::size_t maxRecords = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
    if (tables.phrases.size() > maxRecords || tables.synthPhrases.size() > maxRecords)
        throw WriterError("too many phrases");

    ByteWriter phrases, synths, conds, s, i, atts, j, rels, synthRels, links, steps, stepConds, assigns,
        slotConds, p;
    for (std::size_t n = 0; n < tables.phrases.size(); ++n) {
        const PhraseSource& phrase = tables.phrases[n];
        const std::string where = Where("phrase", n);
        const int32_t index = static_cast<int32_t>(n);

        phrases.I32(phrase.p1);
        phrases.I32(phrase.p2);
        phrases.I32(phrase.p3);
        phrases.U8(phrase.b1);
        phrases.U8(phrase.b2);
        PutScore(phrases, phrase.score1, where);
        PutScore(phrases, phrase.score2, where);
        phrases.I32(phrase.entryId);
        PutText(phrases, phrase.name, kPhraseNameRoom, where + " name");

        const auto& slots = phrase.slots;
        CheckSlotLists(slots.size(), !slots.empty() && slots.back().conditions.empty(), where);
        for (std::size_t slot = 0; slot < slots.size(); ++slot) {
            if (slots[slot].conditions.empty() && slots[slot].anchor != 0)
                throw WriterError(where + ": slot " + std::to_string(slot) + " has an anchor but no conditions");
            for (const WordCond& cond : slots[slot].conditions) {
                conds.I32(index);
                conds.I32(static_cast<int32_t>(slot));
                PutCondition(conds, cond, where);
                conds.I32(slots[slot].anchor);
            }
        }
        for (const PhraseSElement& e : phrase.s) {
            s.I32(index);
            s.I32(e.a);
            s.I32(e.b);
            s.U8(e.c);
            s.I32(e.d);
        }
        for (const PhraseIElement& e : phrase.i) {
            i.I32(index);
            i.I32(e.a);
            i.I32(e.b);
            i.U8(e.c);
        }
        for (const WordCond& cond : phrase.conditions) {
            atts.I32(index);
            PutCondition(atts, cond, where);
        }
        for (const PhraseJElement& e : phrase.j) {
            j.I32(index);
            j.I16(e.a);
            j.I16(e.b);
            j.U8(e.c);
        }
        for (const PhraseRelation& r : phrase.relations) {
            rels.I32(index);
            PutRelation(rels, r, where);
        }
        for (const PhraseLink& link : phrase.links) {
            if (link.synth < 0 || static_cast<std::size_t>(link.synth) >= tables.synthPhrases.size())
                throw WriterError(where + ": link to synthesis phrase " + std::to_string(link.synth) +
                                  ", which does not exist");
            links.I32(index);
            links.I32(link.synth);
            PutScore(links, link.weight, where + " link");
        }
        for (const PhrasePSource& e : phrase.p) {
            p.I32(index);
            PutI16(p, e.a, where + " list P");
            p.I32(e.entryId);
            p.I32(e.b);
        }
    }

    for (std::size_t n = 0; n < tables.synthPhrases.size(); ++n) {
        const SynthPhraseSource& synth = tables.synthPhrases[n];
        const std::string where = Where("synthesis phrase", n);
        const int32_t index = static_cast<int32_t>(n);
        synths.I32(synth.value);
        for (const PhraseRelation& r : synth.relations) {
            synthRels.I32(index);
            PutRelation(synthRels, r, where);
        }
        for (std::size_t b = 0; b < synth.steps.size(); ++b) {
            const BuildStepSource& step = synth.steps[b];
            const std::string stepWhere = where + " build step " + std::to_string(b);
            const int32_t build = static_cast<int32_t>(b);
            steps.I32(index);
            steps.I32(step.a);
            steps.I32(step.b);
            steps.U8(step.c);
            PutText(steps, step.text1, kBuildText1Room, stepWhere + " text 1");
            PutText(steps, step.text2, kBuildText2Room, stepWhere + " text 2");
            for (const WordCond& cond : step.conditions) {
                stepConds.I32(index);
                stepConds.I32(build);
                PutCondition(stepConds, cond, stepWhere);
            }
            PutSlotConditions(assigns, index, build, step.assignments, stepWhere + " assignments");
            PutSlotConditions(slotConds, index, build, step.slotConditions, stepWhere + " slot conditions");
        }
    }

    std::vector<std::pair<const char*, std::string>> files = {
        {kPhrasesFile, phrases.bytes()},
        {kSynthPhrasesFile, synths.bytes()},
        {kPhraseConditionsFile, conds.bytes()},
        {kPhraseSFile, s.bytes()},
        {kPhraseIFile, i.bytes()},
        {kPhraseAttributesFile, atts.bytes()},
        {kPhraseJFile, j.bytes()},
        {kPhraseRelationsFile, rels.bytes()},
        {kSynthRelationsFile, synthRels.bytes()},
        {kSynthLinksFile, links.bytes()},
        {kBuildStepsFile, steps.bytes()},
        {kBuildConditionsFile, stepConds.bytes()},
        {kBuildAssignmentsFile, assigns.bytes()},
        {kBuildSlotConditionsFile, slotConds.bytes()},
        {kPhrasePFile, p.bytes()},
    };
    for (const auto& [name, payload] : files)
        if (payload.size() > static_cast<std::size_t>(kMaxPhraseTableBytes))
            throw WriterError(std::string(name) + ": " + std::to_string(payload.size()) +
                              " bytes, more than the loader accepts");
    return files;
}

void WritePhraseTables(const std::string& base, const PhraseTableSet& tables) {
    const auto files = EncodePhraseTables(tables);
    CreateDataFolder(base);
    for (const auto& [name, payload] : files) WriteCountedContainer(ResolveDataPath(base, name), payload);
}

}  // namespace pv
