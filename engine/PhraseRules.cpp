// Unary rules inside a cell and the binary combination of neighbouring
// cells, with the two candidate lists that pair entries with rule parts.
#include "engine/PhraseRules.h"

#include <algorithm>
#include <exception>
#include <span>
#include <vector>

#include "engine/EngineSettings.h"
#include "engine/EngineState.h"
#include "engine/FragmentEntries.h"
#include "engine/PartEquivalence.h"
#include "engine/PlanSearch.h"
#include "morphology/PhraseRules.h"

namespace pv {

namespace {

// How far below its worst score a full target cell still takes a
// combination when the result spans fewer than three words or a part is a
// single word.
constexpr double kShortPartMargin = 0.5;

int32_t TemplateOf(const FE& entry) {
    const CollocationInstances& instances = Engine().instances;
    if (entry.sourceInstance < 0 || entry.sourceInstance >= instances.Count()) return 0;
    return instances[entry.sourceInstance].templateId;
}

// Every rule part of one side indexed by the entry's category: those
// without an anchor, and those anchored to the template of its source.
template <typename Visit>
void ForEachPart(PhraseSide side, const FE& entry, Visit visit) {
    const SimplePhrases& table = SimplePhraseRules();
    const std::vector<SimplePhraseEntry>& rules = table.Rules();
    for (int32_t r : table.Free(side, entry.category)) visit(rules[r]);
    const int32_t templateId = TemplateOf(entry);
    if (templateId <= 0) return;
    const SimplePhrases::RuleList& anchored = table.Anchored(side, entry.category);
    auto anchor = [&](int32_t r) { return side == PhraseSide::Left ? rules[r].leftAnchor : rules[r].rightAnchor; };
    auto part = std::lower_bound(anchored.begin(), anchored.end(), templateId,
                                 [&](int32_t r, int32_t id) { return anchor(r) < id; });
    for (; part != anchored.end() && anchor(*part) == templateId; ++part) visit(rules[*part]);
}

// Whether the finished rule gives a phrase of the given category, as a rule
// that extends its left part by one more part does (a word sequence).
bool SetsCategory(const PhraseEntry& rule, int32_t category) {
    for (const WordCond& c : rule.conditions)
        if (c.mode == 0 && c.value == category) return true;
    return false;
}

bool TargetAccepted(int32_t targetLanguage) { return targetLanguage == 0 || targetLanguage == TargetLanguage; }

// The right-part entries of the cell being combined, per rule part, in the
// cell's order: combinations meet them so, and of two equal results the one
// made from the better-ranked entry is kept. An entry that combines like one
// before it, scored no higher, is left out: its results would be dropped for
// the earlier entry's.
std::vector<std::vector<FE*>>& RightMembers() {
    static std::vector<std::vector<FE*>> members;
    return members;
}

void ListRightEntries(FragmentEntries& right, std::vector<int32_t>& touched) {
    std::vector<std::vector<FE*>>& members = RightMembers();
    // Every member list is empty between two calls; only a changed rule set
    // resizes.
    const std::size_t parts = SimplePhraseRules().Rules().size();
    if (members.size() != parts) members.assign(parts, {});
    for (int32_t k = 0; k < right.count; ++k) {
        FE* h = right.entries[k];
        ForEachPart(PhraseSide::Right, *h, [&](const SimplePhraseEntry& s) {
            if (!TargetAccepted(RuleTargetLanguage(s))) return;
            if (!CheckConditions(s.rightConditions, h->inherited, h->associated)) return;
            std::vector<FE*>& listed = members[s.index];
            if (listed.empty()) {
                touched.push_back(s.index);
            } else if (const PartReading reading = RightPartReading(s); reading != PartReading::Whole) {
                for (const FE* earlier : listed)
                    if (earlier->score >= h->score && CombineAlike(*earlier, *h, reading)) return;
            }
            listed.push_back(h);
        });
    }
}

void PrepareLeftCandidates(FragmentEntries& left) {
    if (left.candidatesReady) return;
    left.candidateParts.clear();
    left.candidateLists.clear();
    left.candidatePartSet.clear();
    const std::vector<PhraseEntry>& phrases = Phrases().phrases;
    static std::vector<int32_t> parts;  // one entry's parts, its storage kept
    // The entries whose parts are found, with their templates: an entry of
    // the same category, template and attribute sets as one of them, which
    // the rules cannot tell apart, takes its list without a search.
    static std::vector<std::pair<const FE*, int32_t>> found;
    found.clear();
    for (int32_t k = 0; k < left.count; ++k) {
        FE* p = left.entries[k];
        const int32_t templateId = TemplateOf(*p);
        const auto same = std::find_if(found.begin(), found.end(), [&](const auto& earlier) {
            const FE& q = *earlier.first;
            return q.category == p->category && earlier.second == templateId &&
                   q.inherited == p->inherited && q.associated == p->associated;
        });
        if (same != found.end()) {
            p->candidateList = same->first->candidateList;
            continue;
        }
        found.emplace_back(p, templateId);
        parts.clear();
        ForEachPart(PhraseSide::Left, *p, [&](const SimplePhraseEntry& s) {
            if (s.phrase < 0 || static_cast<std::size_t>(s.phrase) >= phrases.size()) return;
            if (CheckConditions(s.leftConditions, p->inherited, p->associated)) parts.push_back(s.index);
        });
        // The parts are tried from the last found.
        std::reverse(parts.begin(), parts.end());
        // Entries that start the same parts (most of a cell: the readings of
        // one kind of phrase) share one list, which a combination filters
        // once for all of them.
        const auto begin = left.candidateParts.begin();
        auto shared = std::find_if(left.candidateLists.begin(), left.candidateLists.end(), [&](const auto& list) {
            return std::equal(parts.begin(), parts.end(), begin + list.first, begin + list.first + list.second);
        });
        if (shared == left.candidateLists.end()) {
            shared = left.candidateLists.insert(
                shared, {static_cast<int32_t>(left.candidateParts.size()), static_cast<int32_t>(parts.size())});
            left.candidateParts.insert(left.candidateParts.end(), parts.begin(), parts.end());
        }
        p->candidateList = static_cast<int32_t>(shared - left.candidateLists.begin());
    }
    left.candidatePartSet = left.candidateParts;
    std::sort(left.candidatePartSet.begin(), left.candidatePartSet.end());
    left.candidatePartSet.erase(
        std::unique(left.candidatePartSet.begin(), left.candidatePartSet.end()),
        left.candidatePartSet.end());
    left.candidatesReady = 1;
}

// The rule parts of each candidate list of a left cell that the right cell
// has entries for, in the list's order; found once per list and pair of
// cells.
class OpenParts {
public:
    // Starts on a new pair of cells, keeping the storage.
    void Reset(const FragmentEntries& left) {
        left_ = &left;
        begin_.assign(left.candidateLists.size(), -1);
        end_.resize(left.candidateLists.size());
        parts_.clear();
    }

    std::span<const int32_t> Of(int32_t list) {
        if (list < 0 || static_cast<std::size_t>(list) >= begin_.size()) return {};
        if (begin_[list] < 0) {
            const std::vector<std::vector<FE*>>& members = RightMembers();
            const auto [offset, length] = left_->candidateLists[list];
            begin_[list] = static_cast<int32_t>(parts_.size());
            for (int32_t k = offset; k < offset + length; ++k) {
                const int32_t part = left_->candidateParts[k];
                if (static_cast<std::size_t>(part) < members.size() && !members[part].empty())
                    parts_.push_back(part);
            }
            end_[list] = static_cast<int32_t>(parts_.size());
        }
        return std::span<const int32_t>(parts_).subspan(begin_[list], end_[list] - begin_[list]);
    }

private:
    const FragmentEntries* left_ = nullptr;
    std::vector<int32_t> begin_;  // per list: its first part in parts_, -1 until filtered
    std::vector<int32_t> end_;
    std::vector<int32_t> parts_;
};

// Combines left cell L = (j, i - j - 1) with right cell (i, d), whose
// entries start the rule parts touched, into T = (j, c).
void CombinePair(int j, int i, int d, int a, const std::vector<int32_t>& touched) {
    EngineState& engine = Engine();
    Chart& chart = engine.chart;
    FragmentEntries& left = chart.Cell(j, i - j - 1);
    FragmentEntries& target = chart.Cell(j, a - j);
    const int c = a - j;
    PrepareLeftCandidates(left);
    // Most pairs of cells have no rule part in common.
    const std::vector<int32_t>& startable = left.candidatePartSet;
    if (std::none_of(touched.begin(), touched.end(), [&](int32_t part) {
            return std::binary_search(startable.begin(), startable.end(), part);
        }))
        return;

    const double margin = (c < 2 || i - j < 2 || d < 1) ? kShortPartMargin : 0.0;
    const double threshold = chart.pathFloor[a + 1] - chart.pathBest[j] - chart.gain[j];
    const std::vector<std::vector<FE*>>& members = RightMembers();
    const std::vector<SimplePhraseEntry>& rules = SimplePhraseRules().Rules();
    const std::vector<PhraseEntry>& phrases = Phrases().phrases;
    static OpenParts open;
    open.Reset(left);

    for (int32_t k = 0; k < left.count; ++k) {
        FE& p = *left.entries[k];
        const std::span<const int32_t> parts = open.Of(p.candidateList);
        if (parts.empty()) continue;
        // A left part far behind the best segment of its language that ends
        // where it ends is not extended into more of its own kind: whatever
        // follows would extend that better segment just as well.
        const bool outscored = OutscoredSegment(p, j, i);
        for (const int32_t partIndex : parts) {
            const SimplePhraseEntry& s = rules[partIndex];
            if (outscored && s.result == 0 && SetsCategory(phrases[s.phrase], s.leftCategory)) continue;
            double g = std::max(p.bestGain, RuleWeight(phrases[s.phrase]));
            const int32_t mask = RuleLanguageMask(s);
            for (FE* right : members[partIndex]) {
                FE& h = *right;
                if (!LanguageInMask(mask, p.language) && !LanguageInMask(mask, h.language))
                    continue;
                const double o = p.score + h.score + g;
                if (target.count >= target.capacity &&
                    !(o > target.worstScore - margin && o > target.bestScore - 3.0))
                    continue;
                if (!(o > threshold)) continue;
                FE n;
                if (!CombineEntries(p, h, s, n)) continue;
                const double u = n.score - p.score - h.score;
                g = std::max(g, u);
                p.bestGain = std::max(p.bestGain, u);
                left.bestGain = std::max(left.bestGain, u);
                n.start = static_cast<int16_t>(j);
                n.span = static_cast<int16_t>(c);
                AddToCell(target, n);
            }
        }
    }
}

}  // namespace

void ApplyUnaryRules(int row, int span) {
    FragmentEntries& cell = Engine().chart.Cell(row, span);
    const SimplePhrases& table = SimplePhraseRules();
    const std::vector<PhraseEntry>& phrases = Phrases().phrases;
    const int32_t limit = Limits.c150 - 1;
    // Entries added here are visited too: a rule's result may take others.
    for (int32_t k = 0; k < cell.count; ++k) {
        FE* f = cell.entries[k];
        for (int32_t ruleIndex : table.Unary(f->category)) {
            if (cell.count >= limit) return;
            if (ruleIndex < 0 || static_cast<std::size_t>(ruleIndex) >= phrases.size()) continue;
            const PhraseEntry& rule = phrases[ruleIndex];
            if (!TargetAccepted(RuleTargetLanguage(rule)) || !LanguageInMask(RuleLanguageMask(rule), f->language))
                continue;
            if (rule.slotConditions.empty() || !CheckConditions(rule.slotConditions[0], f->inherited, f->associated))
                continue;
            const int32_t anchor = rule.anchors.empty() ? 0 : rule.anchors[0];
            if (anchor > 0 && anchor != TemplateOf(*f)) continue;
            if (f->span >= 2) {
                const double x = f->score + RuleWeight(rule);
                if (x < cell.worstScore - 3.0 || x < cell.bestScore - 6.0) continue;
            }
            FE n;
            n.relations = f->relations;
            n.relationCount = f->relationCount;
            n.pendingRules = f->pendingRules;
            n.pendingCount = f->pendingCount;
            n.wordIds = f->wordIds;
            n.wordIdCount = f->wordIdCount;
            n.language = f->language;
            n.children[1] = f;
            if (!ApplyRule(n, ruleIndex)) continue;
            n.start = static_cast<int16_t>(row);
            n.span = static_cast<int16_t>(span);
            const FE* added = AppendEntry(cell, n);
            if (!added) return;
            cell.bestScore = std::max(cell.bestScore, added->score);
            cell.worstScore = std::min(cell.worstScore, added->score);
        }
    }
}

void CombineCells(int i, int a) {
    Chart& chart = Engine().chart;
    const int d = a - i;
    FragmentEntries& right = chart.Cell(i, d);
    if (right.count == 0) return;
    right.byRank.clear();
    right.rankOf.clear();
    std::vector<int32_t> touched;
    try {
        ListRightEntries(right, touched);
        for (int j = i - 1; j >= 0 && !EngineStop; --j) {
            FragmentEntries& left = chart.Cell(j, i - j - 1);
            if (!chart.ActiveStart[j] || left.count == 0) continue;
            FragmentEntries& target = chart.Cell(j, a - j);
            const double e = left.bestScore + left.bestGain + right.bestScore;
            const bool promising = target.worstScore < e && e > target.bestScore - 3.0 &&
                                   chart.pathFloor[a + 1] < e + chart.gain[j] + chart.pathBest[j];
            if (target.count < target.capacity || promising) {
                try {
                    CombinePair(j, i, d, a, touched);
                } catch (const std::exception&) {
                    // The combination of this pair of cells ends here.
                }
                left.bestGain = std::max(left.bestGain, target.bestScore - left.bestScore - right.bestScore);
                chart.gain[i] = std::max(chart.gain[i], left.bestGain);
            }
        }
    } catch (const std::exception&) {
        // Nothing more is combined with this cell.
    }
    std::vector<std::vector<FE*>>& members = RightMembers();
    for (int32_t part : touched)
        if (static_cast<std::size_t>(part) < members.size()) members[part].clear();
}

}  // namespace pv
