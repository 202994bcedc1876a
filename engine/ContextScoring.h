// Context scoring: the meanings of the translations placed in the chart,
// and the classes of their sources, call up associated words into the
// context of the current text; later entries whose meaning or ancestors
// are in that context score higher, so that a text keeps to its subject.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/Chart.h"
#include "lexdb/ContextStore.h"

namespace pv {

struct EngineState;

// The context of the current text, created on first use (15.7 MB each).
class ContextTables {
public:
    // Words associated with the meanings of the translations ("CD").
    ContextHash& Meanings();
    // Words associated with the sources' classes and their ancestors ("RCD").
    ContextHash& Classes();
    // Both tables empty.
    void Reset();

private:
    std::unique_ptr<ContextHash> meanings_;
    std::unique_ptr<ContextHash> classes_;
};

// Empties the context and the cached word readings before a text, whose
// first segment begins a sentence.
void BeginText();

// The context words of every entry of the cell: those of its translation's
// meaning go into the meaning table with 50 added, those of its source's
// class and ancestors into the class table, each ancestor weighing a fifth
// of the one before. A failure is reported and ends the cell.
void AddToContext(FragmentEntries& cell);

// The context weight of meaning m with ancestor record r (-1: none): ten
// times the meaning's context (1 when absent), plus the context of the
// nearest ancestor that has one, weighed 0.7 per step; at least 1. 0 for
// no meaning.
double EvaluateEntry(int32_t m, int32_t r);

// Adds 0.03 x ln(EvaluateEntry) to the score of every entry of the cell.
void ContextEval(FragmentEntries& cell);

// Engine start, the relation table "DATA\RELS.DAT" of the data folder.
void LoadRelationTable(EngineState& engine);
// Engine start, right after: the extended relations "DATA\EXTREL.DAT" and
// "DATA\EXTREL.IDX", then the context stores "CD" and "RCD".
void LoadContextStores(EngineState& engine);

// Engine start: every ancestor record empty, and instances added from now
// on get the record of their class.
void StartAncestorRecords(EngineState& engine);

// A reset of the engine: the relation score cache empty, the context of the
// text empty, the records bound to window positions freed.
void ResetContextScoring(EngineState& engine);

}  // namespace pv
